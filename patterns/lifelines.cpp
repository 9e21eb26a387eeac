// Pattern file pieces without a window: splitting, the bytes written, rows and placement.

#include "patterns/lifelines.h"
#include "app/errors.h"
#include "patterns/gunzip.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <utility>
#include <variant>

bool IsLiveChar(QChar Character) {
    switch (Character.unicode()) {
    case '*':
    case '+':
    case '0':
    case 'O':
    case 'o':
        return true;
    default:
        return false;
    }
}

bool IsCommentLine(const QString& Line) {
    return Line.startsWith(QLatin1Char('!')) || Line.startsWith(QLatin1Char('#'));
}

QStringList SplitLifeLines(QByteArrayView Bytes) {
    if (const qsizetype Zero = Bytes.indexOf('\0'); Zero >= 0)
        Bytes = Bytes.first(Zero);
    QStringList Lines;
    qsizetype Start = 0;
    for (qsizetype I = 0; I < Bytes.size(); ++I) {
        const char Byte = Bytes[I];
        if (Byte != '\r' && Byte != '\n')
            continue;
        Lines << QString::fromLatin1(Bytes.sliced(Start, I - Start));
        if (Byte == '\r' && I + 1 < Bytes.size() && Bytes[I + 1] == '\n')
            ++I;
        Start = I + 1;
    }
    if (Start < Bytes.size())
        Lines << QString::fromLatin1(Bytes.sliced(Start));
    return Lines;
}

QByteArray LifeFileBytes(const QStringList& Lines) {
    QByteArray Bytes;
    for (const QString& Line : Lines)
        Bytes += Line.toUtf8() + "\r\n";
    return Bytes;
}

QStringList NameFilters(const QString& Filter) {
    const QStringList Parts = Filter.split(QLatin1Char('|'));
    QStringList Filters;
    for (qsizetype I = 0; I + 1 < Parts.size(); I += 2) {
        QString Description = Parts[I];
        // The description repeats its patterns in brackets; Qt reads them from there.
        if (const qsizetype Bracket = Description.lastIndexOf(QStringLiteral(" (")); Bracket >= 0)
            Description.truncate(Bracket);
        QStringList Patterns = Parts[I + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& Pattern : Patterns) {
            if (Pattern == QLatin1String("*.*"))
                Pattern = QStringLiteral("*");
        }
        Filters << Description + QStringLiteral(" (") + Patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')');
    }
    return Filters;
}

QString NameLine(const QString& Path) {
    QString Name = QFileInfo(Path).completeBaseName();
    Name.replace(QLatin1Char('\r'), QLatin1Char('_')).replace(QLatin1Char('\n'), QLatin1Char('_'));
    return QStringLiteral("!Naam:") + Name + QLatin1Char('!');
}

QStringList PatternRows(const TLifeEngine& World) {
    QStringList Rows(World.VertCells(), QString(World.HorCells(), QLatin1Char('.')));
    World.ForEachLiveCell([&Rows](int X, int Y) { Rows[Y][X] = QLatin1Char('O'); });
    return Rows;
}

void PlaceLifeLines(const QStringList& Lines, TLifeEngine& World) {
    const qsizetype Rows = std::min<qsizetype>(Lines.size(), World.VertCells());
    for (qsizetype I = 0; I < Rows; ++I) {
        const QString& Line = Lines[I];
        if (I == 0 && IsCommentLine(Line))
            continue;
        const qsizetype Columns = std::min<qsizetype>(Line.size(), World.HorCells());
        for (qsizetype J = 0; J < Columns; ++J) {
            if (IsLiveChar(Line[J]))
                World.SetCell(int(J), int(I), 1);
        }
    }
}

std::optional<QByteArray> ReadLifeFile(const QString& Path, qint64 MaxBytes) {
    // A device or a pipe could block or never end; pattern files are regular files.
    if (!QFileInfo(Path).isFile())
        return std::nullopt;
    QFile File(Path);
    if (!File.open(QIODevice::ReadOnly))
        return std::nullopt;
    constexpr qint64 ChunkSize = 64 * 1024;
    QByteArray Bytes;
    bool Packed = false; // a gzip file, whose bytes are read whole, zero bytes and all
    for (;;) {
        // One byte beyond the limit tells a file that is too large from one that fits.
        const QByteArray Chunk = File.read(std::min(ChunkSize, MaxBytes + 1 - Bytes.size()));
        if (File.error() != QFileDevice::NoError)
            return std::nullopt;
        Packed = Packed || (Bytes.isEmpty() && IsGzip(Chunk));
        // Nothing after a zero byte counts, so a binary file is not read to its end.
        const qsizetype Zero = Packed ? -1 : Chunk.indexOf('\0');
        Bytes += Zero >= 0 ? Chunk.first(Zero) : Chunk;
        if (Bytes.size() > MaxBytes)
            return std::nullopt;
        if (Chunk.isEmpty() || Zero >= 0)
            break;
    }
    if (!Packed)
        return Bytes;
    auto Text = Gunzip(Bytes, MaxBytes);
    if (auto* Inflated = std::get_if<QByteArray>(&Text))
        return std::move(*Inflated);
    return std::nullopt;
}

int WriteLifeFile(const QString& Path, const QByteArray& Bytes) {
    // errno says ENOENT for a missing folder as for a missing file; Windows tells them apart.
    if (!QFileInfo(Path).absoluteDir().exists())
        return 3; // Pad niet gevonden
    // Qt refuses a folder without setting errno; Windows calls it access denied.
    if (QFileInfo(Path).isDir())
        return WindowsErrorFromErrno(EISDIR);
    QSaveFile File(Path);
    // Qt sets errno on some failures only; an older value would name the wrong cause.
    errno = 0;
    const auto Failure = [&File] {
        const int Code = FileErrorCode(File.error(), errno);
        return Code != 0 ? Code : FileErrorCode(QFileDevice::UnspecifiedError, 0);
    };
    if (!File.open(QIODevice::WriteOnly))
        return Failure();
    // A short write, as on a full disk, leaves no error on the device in Qt 6.4, and commit
    // would then put the half-written file in place of the old one; flush does report it.
    if (File.write(Bytes) != Bytes.size() || !File.flush())
        return Failure();
    if (!File.commit())
        return Failure();
    return 0;
}
