#pragma once

// The command line: a pattern file to open once the window shows, or a question answered on
// the terminal (help, version) without a window, or a mistake reported there.

#include <QString>
#include <QStringList>

#include <optional>

struct TCommandLine {
    enum class TRequest { Play, Help, Version, Mistake };

    TRequest Request = TRequest::Play;
    QString File; // Play: the file's absolute path, or empty for none
    QString Text; // the answer for the terminal; empty for Play
};

// Arguments as QCoreApplication::arguments gives them, the program's own name first. Help
// and version win over a mistake, so that they are answered while Qt's own options are
// still among the arguments.
TCommandLine ParseCommandLine(const QStringList& Arguments);

// Prints the answer of a request that ends the program, help and version on standard
// output, a mistake on standard error, and gives the exit status; std::nullopt for Play.
std::optional<int> AnswerOnTerminal(const TCommandLine& Command);

// The arguments as the system gives them, split at the first "--". Qt sees only those
// before it, so that a file after it named like one of Qt's own options ("-reverse") stays
// a file. Made before the application object, which takes Qt's options out of Argv.
class TProgramArguments {
public:
    TProgramArguments(int Argc, const char* const* Argv);

    // The count of the arguments the application object may see; it lowers the count as it
    // takes its own out.
    int QtArgc;

    // The program's own arguments once Qt has taken its options out of Argv, then "--" and
    // every argument after it; file names keep their bytes (patterns/filenames.h).
    QStringList Decoded(const char* const* Argv) const;

private:
    QStringList AfterDashes; // "--" and what follows it; empty without "--"
};

// Help, version and a mistake need no display: they are answered from the arguments as the
// program receives them, Qt's own options left out, before Qt looks for a display. What
// passes here is parsed again once Qt has taken out the options it knows.
std::optional<int> AnswerBeforeStart(int Argc, const char* const* Argv);
