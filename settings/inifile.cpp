// The INI layer: private-profile reading and writing on whole files.

#include "settings/inifile.h"

#include "app/errors.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>

#include <cerrno>
#include <functional>

namespace {

constexpr qsizetype MaxValueLength = 1023;

constexpr QByteArrayView Utf8Bom = "\xEF\xBB\xBF";

// The text of an INI file as lines, with what its writing must keep: a UTF-8 byte-order
// mark, which Windows' profile reader skips, and the line end of the first line.
struct TIniText {
    QByteArray Bom;
    QList<QByteArray> Lines;
    QByteArray End;
};

QByteArray DefaultLineEnd() {
#ifdef Q_OS_WIN
    return QByteArrayLiteral("\r\n");
#else
    return QByteArrayLiteral("\n");
#endif
}

// A line ends at CR LF, a lone CR or a lone LF; a line end at the very end starts no
// further line.
TIniText ParseIni(const QByteArray& Text) {
    TIniText Ini;
    QByteArrayView Rest(Text);
    if (Rest.startsWith(Utf8Bom)) {
        Ini.Bom = Utf8Bom.toByteArray();
        Rest = Rest.sliced(Utf8Bom.size());
    }
    qsizetype Start = 0;
    for (qsizetype I = 0; I < Rest.size(); ++I) {
        if (Rest[I] != '\r' && Rest[I] != '\n')
            continue;
        const qsizetype LineEnd = I;
        if (Rest[I] == '\r' && I + 1 < Rest.size() && Rest[I + 1] == '\n')
            ++I;
        if (Ini.End.isEmpty())
            Ini.End = Rest.sliced(LineEnd, I + 1 - LineEnd).toByteArray();
        Ini.Lines << Rest.sliced(Start, LineEnd - Start).toByteArray();
        Start = I + 1;
    }
    if (Start < Rest.size())
        Ini.Lines << Rest.sliced(Start).toByteArray();
    if (Ini.End.isEmpty())
        Ini.End = DefaultLineEnd();
    return Ini;
}

QByteArray JoinIni(const TIniText& Ini) {
    QByteArray Text = Ini.Bom;
    for (const QByteArray& Line : Ini.Lines)
        Text += Line + Ini.End;
    return Text;
}

bool SameName(const QByteArray& A, const QByteArray& B) {
    return A.compare(B, Qt::CaseInsensitive) == 0;
}

std::optional<QByteArray> SectionName(const QByteArray& Line) {
    const QByteArray Trimmed = Line.trimmed();
    if (!Trimmed.startsWith('['))
        return std::nullopt;
    const qsizetype Close = Trimmed.indexOf(']');
    return (Close < 0 ? Trimmed.mid(1) : Trimmed.mid(1, Close - 1)).trimmed();
}

struct TKeyLine {
    QByteArray Key;
    QByteArray Value;
};

std::optional<TKeyLine> KeyLine(const QByteArray& Line) {
    const QByteArray Trimmed = Line.trimmed();
    if (Trimmed.startsWith(';'))
        return std::nullopt;
    const qsizetype Eq = Trimmed.indexOf('=');
    if (Eq < 0)
        return std::nullopt;
    return TKeyLine{Trimmed.left(Eq).trimmed(), Trimmed.mid(Eq + 1).trimmed()};
}

// Windows' profile reader drops one pair of single or double quotes around a value.
QByteArray Unquoted(const QByteArray& Value) {
    if (Value.size() >= 2 && (Value.front() == '"' || Value.front() == '\'') &&
        Value.back() == Value.front())
        return Value.sliced(1, Value.size() - 2);
    return Value;
}

} // namespace

// Only the first section of a name counts, as for Windows' profile reader: a later one of
// the same name is neither read nor written.
QList<TIniEntry> IniReadSection(const QByteArray& Text, const QByteArray& Section) {
    QList<TIniEntry> Entries;
    bool InSection = false;
    for (const QByteArray& Line : ParseIni(Text).Lines) {
        if (const auto Name = SectionName(Line)) {
            if (InSection)
                break;
            InSection = SameName(*Name, Section);
        } else if (InSection) {
            if (const auto Entry = KeyLine(Line))
                Entries.append({Entry->Key, Unquoted(Entry->Value)});
        }
    }
    return Entries;
}

QByteArray IniWriteSection(const QByteArray& Text, const QByteArray& Section,
                           const QList<TIniEntry>& Entries) {
    TIniText Ini = ParseIni(Text);
    QList<QByteArray>& Lines = Ini.Lines;
    QList<QByteArray> NewLines;
    for (const auto& [Key, Value] : Entries)
        NewLines << Key + '=' + Value;

    qsizetype SectionLine = -1;
    for (qsizetype I = 0; I < Lines.size() && SectionLine < 0; ++I) {
        if (const auto Name = SectionName(Lines[I]); Name && SameName(*Name, Section))
            SectionLine = I;
    }
    if (SectionLine < 0) {
        Lines << '[' + Section + ']' << NewLines;
        return JoinIni(Ini);
    }
    qsizetype InsertAt = -1;
    qsizetype LastFilled = SectionLine + 1;
    qsizetype I = SectionLine + 1;
    while (I < Lines.size() && !SectionName(Lines[I])) {
        if (KeyLine(Lines[I])) {
            if (InsertAt < 0)
                InsertAt = I;
            Lines.removeAt(I);
            continue;
        }
        if (!Lines[I].trimmed().isEmpty())
            LastFilled = I + 1;
        ++I;
    }
    const qsizetype At = InsertAt >= 0 ? InsertAt : LastFilled;
    for (qsizetype N = 0; N < NewLines.size(); ++N)
        Lines.insert(At + N, NewLines[N]);
    return JoinIni(Ini);
}

std::optional<QByteArray> IniReadValue(const QByteArray& Text, const QByteArray& Section,
                                       const QByteArray& Key) {
    bool InSection = false;
    for (const QByteArray& Line : ParseIni(Text).Lines) {
        if (const auto Name = SectionName(Line)) {
            if (InSection)
                return std::nullopt;
            InSection = SameName(*Name, Section);
        } else if (InSection) {
            if (const auto Entry = KeyLine(Line); Entry && SameName(Entry->Key, Key))
                return Unquoted(Entry->Value);
        }
    }
    return std::nullopt;
}

QByteArray IniWriteValue(const QByteArray& Text, const QByteArray& Section, const QByteArray& Key,
                         const QByteArray& Value) {
    TIniText Ini = ParseIni(Text);
    QList<QByteArray>& Lines = Ini.Lines;
    const QByteArray NewLine = Key + '=' + Value;

    qsizetype SectionLine = -1;
    for (qsizetype I = 0; I < Lines.size() && SectionLine < 0; ++I) {
        if (const auto Name = SectionName(Lines[I]); Name && SameName(*Name, Section))
            SectionLine = I;
    }
    if (SectionLine < 0) {
        Lines << '[' + Section + ']' << NewLine;
        return JoinIni(Ini);
    }

    // A new key goes after the section's last non-blank line, before any blank lines
    // that separate it from the next section.
    qsizetype InsertAt = SectionLine + 1;
    for (qsizetype I = SectionLine + 1; I < Lines.size() && !SectionName(Lines[I]); ++I) {
        if (const auto Entry = KeyLine(Lines[I]); Entry && SameName(Entry->Key, Key)) {
            Lines[I] = NewLine;
            return JoinIni(Ini);
        }
        if (!Lines[I].trimmed().isEmpty())
            InsertAt = I + 1;
    }
    Lines.insert(InsertAt, NewLine);
    return JoinIni(Ini);
}

std::optional<QString> ReadProfileValue(const QString& File, const QString& Section,
                                        const QString& Key) {
    QFile In(File);
    if (!In.open(QIODevice::ReadOnly))
        return std::nullopt;
    const auto Value = IniReadValue(In.readAll(), Section.toLocal8Bit(), Key.toLocal8Bit());
    if (!Value)
        return std::nullopt;
    return QString::fromLocal8Bit(Value->left(MaxValueLength));
}

QList<TIniEntry> ReadProfileSection(const QString& File, const QByteArray& Section) {
    QFile In(File);
    if (!In.open(QIODevice::ReadOnly))
        return {};
    return IniReadSection(In.readAll(), Section);
}

QString ReadProfileString(const QString& File, const QString& Section, const QString& Key) {
    return ReadProfileValue(File, Section, Key).value_or(QString());
}

namespace {

// The file's text changed by Change and written back whole.
bool RewriteProfile(const QString& File, const std::function<QByteArray(const QByteArray&)>& Change,
                    int& ErrorCode) {
    QByteArray Old;
    if (const QFileInfo Info(File); Info.exists()) {
        // A file marked read-only stays untouched, also for a user whom the system
        // would let replace it.
        if (Info.isDir() || !Info.isWritable() || !(Info.permissions() & QFileDevice::WriteOwner)) {
            ErrorCode = 5;
            return false;
        }
        QFile In(File);
        errno = 0;
        if (!In.open(QIODevice::ReadOnly)) {
            ErrorCode = FileErrorCode(In.error(), errno);
            return false;
        }
        Old = In.readAll();
    }
    const QByteArray New = Change(Old);
    QSaveFile Out(File);
    errno = 0;
    // flush() before commit(): a write cut short by a full disk is only reported there,
    // and commit() would otherwise rename the partial file over the old one.
    if (!Out.open(QIODevice::WriteOnly) || Out.write(New) != New.size() || !Out.flush() ||
        !Out.commit()) {
        ErrorCode = FileErrorCode(Out.error(), errno);
        return false;
    }
    return true;
}

} // namespace

bool WriteProfileString(const QString& File, const QString& Section, const QString& Key,
                        const QString& Value, int& ErrorCode) {
    return RewriteProfile(
        File,
        [&](const QByteArray& Old) {
            return IniWriteValue(Old, Section.toLocal8Bit(), Key.toLocal8Bit(),
                                 Value.toLocal8Bit());
        },
        ErrorCode);
}

bool WriteProfileSection(const QString& File, const QByteArray& Section,
                         const QList<TIniEntry>& Entries, int& ErrorCode) {
    return RewriteProfile(
        File, [&](const QByteArray& Old) { return IniWriteSection(Old, Section, Entries); },
        ErrorCode);
}
