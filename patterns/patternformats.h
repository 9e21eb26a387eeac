#pragma once

// The pattern formats other Life programs share: Life 1.05, Life 1.06, RLE, the Life
// wiki's plaintext and macrocell. A file's format is told by its content alone; every file
// in none of them is plain text, read as the program's own files are. Each reader turns a
// file's text into the rows the program places, so placement is the same for every
// format. (A gzip file is inflated before it is read: patterns/gunzip.h.) Positions and
// counts are read exactly: a file whose numbers do not fit in 64 bits is refused.

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

// The largest world: no pattern can use more, so the readers clip to it while reading and
// far-apart coordinates cost no memory.
constexpr int PatternMaxColumns = 1280;
constexpr int PatternMaxRows = 1024;

enum class TPatternFormat { PlainText, Life105, Life106, Rle, WikiPlaintext, Macrocell };

// Life 1.05 and Life 1.06 by a first line "#Life 1.05" or "#Life 1.06"; RLE by a line
// that begins "x = <digits>" after nothing but "#" lines and blank lines; the wiki's
// plaintext by a first line that begins "!Name:", in that case and without a blank after
// "!"; macrocell by a first line that begins "[M2]".
TPatternFormat RecognisePatternFormat(QByteArrayView Text);

// Why a text or a file does not open.
struct TPatternFault {
    enum class TReason {
        BrokenFormat,     // the text breaks the rules of Format, or plays another Rule
        TooLarge,         // more bytes than the bound, as read
        TooLargeUnpacked, // a gzip file's text grows beyond the bound
        BrokenGzip,       // a gzip stream that is cut short or corrupt
        Folder,           // a folder where a file was expected
        NotRegularFile,   // a pipe, a device or a socket
        System            // opening or reading failed: SystemError says why
    };

    QString Rule; // the file's rule when that is not Conway's; empty otherwise
    TReason Reason = TReason::BrokenFormat;
    TPatternFormat Format = TPatternFormat::PlainText; // the format a broken text breaks
    int SystemError = 0; // System: the Windows system error code of the failure
};

// The shared formats: rows of "O" and "." that hold exactly the bounding rectangle of the
// live cells, top row first, all of one length; plain text: its trimmed lines. Cut off
// beyond PatternMaxColumns x PatternMaxRows; no rows when no cell lives. Or the reason
// there are none.
using TPatternRows = std::variant<QStringList, TPatternFault>;

// Reads the text of a file in Format by that format's rules; plain text as PlainTextRows.
TPatternRows ReadPatternFormat(TPatternFormat Format, QByteArrayView Text);

// The rows to place for the text of a pattern file (inflated already) in whichever format
// it is, or why it does not open.
TPatternRows ReadPatternText(QByteArrayView Text);

// Conway's rule in the spellings RLE headers and Life 1.05 "#R" lines use: "B3/S23",
// "b3/s23", "S23/B3", "23/3" (survival first), with or without a ":" topology suffix.
bool IsConwayRule(QByteArrayView Rule);
// A "#R" line and its rule, as Life 1.05 and macrocell files give it: nothing for Conway's
// rule and for any other line, else the fault of an empty or another rule.
std::optional<TPatternFault> CheckRuleLine(QByteArrayView Line);
