#pragma once

// The pieces of the pattern files that need no window: bytes to lines and back, the live
// characters, the world's rows and the placement of trimmed lines into a world.

#include "engine/lifeengine.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <optional>

// "*", "+", "0", "O" and "o"; every other character is a dead cell.
bool IsLiveChar(QChar Character);

// A line that begins with "!" or "#".
bool IsCommentLine(const QString& Line);

// A space or a tab.
bool IsBlank(char Character);
// A line of nothing but spaces and tabs, or none.
bool IsBlankLine(QByteArrayView Line);

// Text without the UTF-8 byte-order mark it may begin with, which some editors write and
// which would hide the first line's format.
QByteArrayView WithoutByteOrderMark(QByteArrayView Text);

// The lines of 8-bit text one at a time, as views of its bytes, so that a file of millions
// of short lines costs no memory per line. A line ends at CR LF, a lone CR or a lone LF; a
// line end at the very end starts no further line; a zero byte ends the text.
class TLineCursor {
public:
    explicit TLineCursor(QByteArrayView Text);

    // The next line without its end; nothing after the last one.
    std::optional<QByteArrayView> Next();

private:
    QByteArrayView Text;
    qsizetype Position = 0;
};

// The rows to place of a file in the program's own plain text: its lines trimmed as
// TLifeForm::TrimLifeLines trims them, then cut to the largest world, so that only the
// part that can land in a world is built.
QStringList PlainTextRows(QByteArrayView Text);

// The bytes of a pattern file: every line followed by CR LF. The rows are ASCII; the name
// line's characters outside ASCII become UTF-8.
QByteArray LifeFileBytes(const QStringList& Lines);

// A filter of description and pattern pairs, all separated by "|", with ";" between the
// patterns of a pair, as Qt's name filters "description (pattern pattern)". "*.*" means
// every file, also one without an extension.
QStringList NameFilters(const QString& Filter);

// The file name without folder and last extension. A line break in the name would split
// the line that holds it on reading, so it becomes "_".
QString PatternName(const QString& Path);

// "!Naam:" + PatternName + "!".
QString NameLine(const QString& Path);

// The rows of the world in use, each as wide as the world: "O" for State 1, "." otherwise.
QStringList PatternRows(const TLifeEngine& World);

// Makes the live characters of trimmed Lines live cells (State and PrevState), with
// character 1 of line 0 on cell At (a cell of the world). Line 0 is not placed when it is a
// comment line; characters beyond the world's width and lines beyond its height are
// dropped; dead characters leave their cell as it is.
void PlaceLifeLines(const QStringList& Lines, TLifeEngine& World, QPoint At = {});

// Where Lines land in the middle of World: the top-left cell of the rectangle they span,
// never left of or above the world's corner.
QPoint CentredPlace(const QStringList& Lines, const TLifeEngine& World);

// The most text a pattern file may hold. The program's own file of the largest world takes
// 1.3 MB and a Life 1.06 list of half its cells about 7 MB. The readers' memory grows with
// the number of lines (a macrocell file's nodes), so a larger file is refused rather than
// read.
constexpr qint64 PatternFileMaxBytes = 8 * 1024 * 1024;

struct TPatternFault;

// The text of the regular file at Path: its bytes up to the first zero byte; of a gzip
// file (first bytes 1F 8B), the bytes inflated from it up to their first zero byte. The
// bound holds for every byte read or inflated, zero bytes and what follows them included,
// and is checked while reading and inflating. Nothing when the file cannot be opened or
// read (a folder, a device or a vanished file included), when it or its inflated text is
// larger than MaxBytes, or when its gzip stream is broken; Fault, when given, then says why.
std::optional<QByteArray> ReadLifeFile(const QString& Path, qint64 MaxBytes = PatternFileMaxBytes,
                                       TPatternFault* Fault = nullptr);

// Replaces the file at Path with Bytes, or leaves an existing file untouched on failure.
// Returns 0, or the Windows system error code of the failure (never 0).
int WriteLifeFile(const QString& Path, const QByteArray& Bytes);
