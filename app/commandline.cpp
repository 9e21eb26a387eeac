// The command line and its answers on the terminal.

#include "app/commandline.h"

#include "app/programinfo.h"
#include "patterns/filenames.h"

#include <QCommandLineParser>
#include <QDir>

#include <cstdio>

namespace {

constexpr int MistakeStatus = 2; // the usual exit status for a wrong command line

const QString ProgramName = QStringLiteral("gameoflife");

QString HelpText() {
    return QStringLiteral(
               "Gebruik: %1 [opties] [bestand]\n"
               "\n"
               "Conway's Game of Life: teken levende cellen en zie ze generatie na generatie\n"
               "veranderen.\n"
               "\n"
               "Opties:\n"
               "  -h, --help     Toont deze hulp.\n"
               "  -v, --version  Toont de versie van het programma.\n"
               "\n"
               "Argumenten:\n"
               "  bestand        Een patroonbestand, dat geopend wordt zodra het venster er\n"
               "                 staat, zoals met \"Spel openen\".\n")
        .arg(ProgramName);
}

QString MistakeText(const QString& Mistake) {
    return QStringLiteral("%1: %2\nMeer uitleg geeft \"%1 --help\".\n").arg(ProgramName, Mistake);
}

// The option as it was typed: a name may have come with one dash or two, and with a value.
QString TypedOption(const QStringList& Arguments, const QString& Name) {
    for (const QString& Argument : Arguments.mid(1)) {
        if (Argument == QLatin1String("--"))
            break;
        const QString Bare = Argument.section(QLatin1Char('='), 0, 0);
        if (Bare.startsWith(QLatin1Char('-')) && Bare.mid(Bare.startsWith(u"--") ? 2 : 1) == Name)
            return Bare;
    }
    return Name;
}

// Qt's own options, as Qt 6 takes them out of the command line (QGuiApplication,
// QApplication and the xcb platform), and whether a value follows them. Qt accepts them with
// one dash or two, and some of those with a value also as "-style=fusion".
struct TQtOption {
    const char* Name;
    bool TakesValue;
};
constexpr TQtOption QtOptions[] = {
    {"platform", true},        {"platformpluginpath", true},
    {"platformtheme", true},   {"plugin", true},
    {"qwindowgeometry", true}, {"qwindowicon", true},
    {"qwindowtitle", true},    {"geometry", true},
    {"title", true},           {"icon", true},
    {"session", true},         {"style", true},
    {"stylesheet", true},      {"qmljsdebugger", true},
    {"display", true},         {"name", true},
    {"visual", true},          {"reverse", false},
    {"testability", false},    {"widgetcount", false},
    {"sync", false},           {"nograb", false},
    {"dograb", false},
};

const TQtOption* QtOptionOf(const QString& Argument) {
    if (!Argument.startsWith(QLatin1Char('-')))
        return nullptr;
    const QString Name =
        Argument.mid(Argument.startsWith(u"--") ? 2 : 1).section(QLatin1Char('='), 0, 0);
    for (const TQtOption& Option : QtOptions) {
        if (Name == QLatin1String(Option.Name) &&
            (Option.TakesValue || !Argument.contains(QLatin1Char('='))))
            return &Option;
    }
    return nullptr;
}

// The arguments without Qt's own options and their values; from "--" on every argument is
// the program's.
QStringList WithoutQtOptions(const QStringList& Arguments) {
    QStringList Own = Arguments.mid(0, 1);
    for (qsizetype I = 1; I < Arguments.size(); ++I) {
        const QString& Argument = Arguments[I];
        if (Argument == QLatin1String("--")) {
            Own += Arguments.mid(I);
            break;
        }
        const TQtOption* Option = QtOptionOf(Argument);
        if (!Option)
            Own << Argument;
        else if (Option->TakesValue && !Argument.contains(QLatin1Char('=')))
            ++I;
    }
    return Own;
}

} // namespace

TCommandLine ParseCommandLine(const QStringList& Arguments) {
    QCommandLineParser Parser;
    // "-reverse" and "-stylesheet" are Qt's own options; read as letters they would ask for
    // the version and the help.
    Parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption Help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption Version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    Parser.addOptions({Help, Version});
    const bool Parsed = Parser.parse(Arguments);

    if (Parser.isSet(Help))
        return {TCommandLine::TRequest::Help, {}, HelpText()};
    if (Parser.isSet(Version)) {
        return {TCommandLine::TRequest::Version,
                {},
                QStringLiteral("%1 versie %2\n")
                    .arg(ProgramName, QString::fromLatin1(ProgramInfo::Version))};
    }
    if (!Parsed) {
        const QString Unknown = Parser.unknownOptionNames().value(0);
        return {
            TCommandLine::TRequest::Mistake,
            {},
            MistakeText(
                QStringLiteral("onbekende optie \"%1\".").arg(TypedOption(Arguments, Unknown)))};
    }
    const QStringList Files = Parser.positionalArguments();
    if (Files.size() > 1) {
        return {TCommandLine::TRequest::Mistake,
                {},
                MistakeText(QStringLiteral("geef hoogstens één bestand op."))};
    }
    if (Files.isEmpty() || Files.first().isEmpty())
        return {};
    // QFileInfo and QDir::currentPath would lose the bytes of a name that is not UTF-8;
    // cleanPath keeps them.
    const QString& File = Files.first();
    return {TCommandLine::TRequest::Play,
            QDir::cleanPath(QDir::isAbsolutePath(File) ? File
                                                       : CurrentFolder() + QLatin1Char('/') + File),
            {}};
}

std::optional<int> AnswerOnTerminal(const TCommandLine& Command) {
    if (Command.Request == TCommandLine::TRequest::Play)
        return std::nullopt;
    const bool Mistake = Command.Request == TCommandLine::TRequest::Mistake;
    std::FILE* Terminal = Mistake ? stderr : stdout;
    std::fputs(Command.Text.toLocal8Bit().constData(), Terminal);
    std::fflush(Terminal);
    return Mistake ? MistakeStatus : 0;
}

std::optional<int> AnswerBeforeStart(int Argc, const char* const* Argv) {
    QStringList Arguments;
    for (int I = 0; I < Argc; ++I)
        Arguments << DecodeFileName(Argv[I]);
    return AnswerOnTerminal(ParseCommandLine(WithoutQtOptions(Arguments)));
}

TProgramArguments::TProgramArguments(int Argc, const char* const* Argv) : QtArgc(Argc) {
    for (int I = 1; I < Argc; ++I) {
        if (qstrcmp(Argv[I], "--") != 0)
            continue;
        QtArgc = I;
        for (int J = I; J < Argc; ++J)
            AfterDashes << DecodeFileName(Argv[J]);
        break;
    }
}

QStringList TProgramArguments::Decoded(const char* const* Argv) const {
    QStringList Arguments;
    for (int I = 0; I < QtArgc; ++I)
        Arguments << DecodeFileName(Argv[I]);
    return Arguments + AfterDashes;
}
