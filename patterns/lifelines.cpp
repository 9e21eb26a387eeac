// Pattern file pieces without a window: lines, the bytes written, rows and placement.

#include "patterns/lifelines.h"
#include "app/errors.h"
#include "patterns/filenames.h"
#include "patterns/gunzip.h"
#include "patterns/patternformats.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cerrno>
#include <limits>
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

bool IsBlank(char Character) {
    return Character == ' ' || Character == '\t';
}

bool IsBlankLine(QByteArrayView Line) {
    return std::all_of(Line.cbegin(), Line.cend(), IsBlank);
}

bool IsCommentLine(const QString& Line) {
    return Line.startsWith(QLatin1Char('!')) || Line.startsWith(QLatin1Char('#'));
}

TLineCursor::TLineCursor(QByteArrayView Text) : Text(Text) {
    if (const qsizetype Zero = Text.indexOf('\0'); Zero >= 0)
        this->Text = Text.first(Zero);
}

std::optional<QByteArrayView> TLineCursor::Next() {
    if (Position >= Text.size())
        return std::nullopt;
    const qsizetype Start = Position;
    while (Position < Text.size() && Text[Position] != '\r' && Text[Position] != '\n')
        ++Position;
    const QByteArrayView Line = Text.sliced(Start, Position - Start);
    if (Position < Text.size()) {
        const char End = Text[Position++];
        if (End == '\r' && Position < Text.size() && Text[Position] == '\n')
            ++Position;
    }
    return Line;
}

namespace {

bool IsCommentStart(QByteArrayView Line) {
    return Line.startsWith('!') || Line.startsWith('#');
}

// The lines of Text but a first comment line, as trimming sees them.
class TPlainLines {
public:
    explicit TPlainLines(QByteArrayView Text) : Cursor(Text) {
        const std::optional<QByteArrayView> First = Cursor.Next();
        if (First && !IsCommentStart(*First))
            Cursor = TLineCursor(Text);
    }

    std::optional<QByteArrayView> Next() { return Cursor.Next(); }

private:
    TLineCursor Cursor;
};

} // namespace

QStringList PlainTextRows(QByteArrayView Text) {
    // Columns count from 1, rows from 0, as in TrimLifeLines.
    qsizetype Left = std::numeric_limits<qsizetype>::max();
    qsizetype Right = 1;
    qsizetype Top = -1;
    qsizetype Bottom = 0;
    TPlainLines Lines(Text);
    for (qsizetype Row = 0; const std::optional<QByteArrayView> Line = Lines.Next(); ++Row) {
        for (qsizetype Column = 1; Column <= Line->size(); ++Column) {
            if (!IsLiveChar(QLatin1Char((*Line)[Column - 1])))
                continue;
            Left = std::min(Left, Column);
            Right = std::max(Right, Column);
            if (Top < 0)
                Top = Row;
            Bottom = Row;
        }
    }
    QStringList Rows;
    if (Top < 0)
        return Rows;
    // Rows below the largest world and columns right of it are never placed.
    Bottom = std::min<qsizetype>(Bottom, Top + PatternMaxRows - 1);
    TPlainLines Again(Text);
    for (qsizetype Row = 0; Row <= Bottom; ++Row) {
        QByteArrayView Line = *Again.Next();
        if (Row < Top)
            continue;
        // A row shorter than Left holds only dead characters; it keeps them.
        Line.truncate(std::min(Line.size(), Right));
        if (Line.size() >= Left)
            Line = Line.sliced(Left - 1);
        Rows << QString::fromLatin1(
            Line.first(std::min<qsizetype>(Line.size(), PatternMaxColumns)));
    }
    return Rows;
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

QString PatternName(const QString& Path) {
    QString Name = QFileInfo(Path).completeBaseName();
    return Name.replace(QLatin1Char('\r'), QLatin1Char('_'))
        .replace(QLatin1Char('\n'), QLatin1Char('_'));
}

QString NameLine(const QString& Path) {
    return QStringLiteral("!Naam:") + PatternName(Path) + QLatin1Char('!');
}

QStringList PatternRows(const TLifeEngine& World) {
    QStringList Rows(World.VertCells(), QString(World.HorCells(), QLatin1Char('.')));
    World.ForEachLiveCell([&Rows](int X, int Y) { Rows[Y][X] = QLatin1Char('O'); });
    return Rows;
}

void PlaceLifeLines(const QStringList& Lines, TLifeEngine& World, QPoint At) {
    Q_ASSERT(At.x() >= 0 && At.x() < World.HorCells() && At.y() >= 0 && At.y() < World.VertCells());
    const qsizetype Rows = std::min<qsizetype>(Lines.size(), World.VertCells() - At.y());
    for (qsizetype I = 0; I < Rows; ++I) {
        const QString& Line = Lines[I];
        if (I == 0 && IsCommentLine(Line))
            continue;
        const qsizetype Columns = std::min<qsizetype>(Line.size(), World.HorCells() - At.x());
        for (qsizetype J = 0; J < Columns; ++J) {
            if (IsLiveChar(Line[J]))
                World.SetCell(At.x() + int(J), At.y() + int(I), 1);
        }
    }
}

QPoint CentredPlace(const QStringList& Lines, const TLifeEngine& World) {
    qsizetype Width = 0;
    for (const QString& Line : Lines)
        Width = std::max(Width, Line.size());
    return {int(std::max<qsizetype>(0, (World.HorCells() - Width) / 2)),
            int(std::max<qsizetype>(0, (World.VertCells() - Lines.size()) / 2))};
}

namespace {

using TReason = TPatternFault::TReason;

TPatternFault SystemFault(int WindowsError) {
    return {{}, TReason::System, TPatternFormat::PlainText, WindowsError};
}

TPatternFault FaultOf(TReason Reason) {
    return {{}, Reason, TPatternFormat::PlainText, 0};
}

#ifdef Q_OS_UNIX
TPatternFault FaultOfStatus(const struct stat& Status) {
    return FaultOf(S_ISDIR(Status.st_mode) ? TReason::Folder : TReason::NotRegularFile);
}
#endif

// Opens the regular file at Path for reading, or tells why not. A device or a pipe could
// block or never end; pattern files are regular files.
std::optional<TPatternFault> OpenRegularFile(const QString& Path, QFile& File) {
#ifdef Q_OS_UNIX
    // By the name's own bytes, which need not be UTF-8; without waiting for a writer, as a
    // FIFO would.
    const QByteArray Native = EncodeFileName(Path);
    if (Native.contains('\0'))
        return SystemFault(WindowsErrorFromErrno(ENOENT));
    const int Descriptor = ::open(Native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (Descriptor < 0)
        return SystemFault(WindowsErrorFromErrno(errno));
    struct stat Status {};
    std::optional<TPatternFault> Fault;
    if (::fstat(Descriptor, &Status) != 0)
        Fault = SystemFault(WindowsErrorFromErrno(errno));
    else if (!S_ISREG(Status.st_mode))
        Fault = FaultOfStatus(Status);
    else if (!File.open(Descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        Fault = SystemFault(FileErrorCode(File.error(), 0));
    if (Fault)
        ::close(Descriptor);
    return Fault;
#else
    const QFileInfo Info(Path);
    if (!Info.exists())
        return SystemFault(2); // Bestand niet gevonden
    if (Info.isDir())
        return FaultOf(TReason::Folder);
    if (!Info.isFile())
        return FaultOf(TReason::NotRegularFile);
    File.setFileName(Path);
    errno = 0;
    if (!File.open(QIODevice::ReadOnly))
        return SystemFault(FileErrorCode(File.error(), errno));
    return std::nullopt;
#endif
}

// The bytes of File, all of them when Whole, else up to its first zero byte, or the fault.
// The file is read to its end either way, and bytes beyond the first zero are counted and
// dropped, so a large file is refused without costing memory.
std::variant<QByteArray, TPatternFault> ReadBounded(QFile& File, qint64 MaxBytes, bool Whole) {
    constexpr qint64 ChunkSize = 64 * 1024;
    QByteArray Bytes;
    qint64 Read = 0;
    bool Ended = false; // a zero byte ended the text
    for (;;) {
        // One byte beyond the limit tells a file that is too large from one that fits.
        errno = 0;
        const QByteArray Chunk = File.read(std::min(ChunkSize, MaxBytes + 1 - Read));
        if (File.error() != QFileDevice::NoError)
            return SystemFault(FileErrorCode(File.error(), errno));
        if (Chunk.isEmpty())
            return Bytes;
        Read += Chunk.size();
        if (Read > MaxBytes)
            return FaultOf(TReason::TooLarge);
        if (Ended)
            continue;
        const qsizetype Zero = Whole ? -1 : Chunk.indexOf('\0');
        Ended = Zero >= 0;
        Bytes += Ended ? Chunk.first(Zero) : Chunk;
    }
}

} // namespace

QByteArrayView WithoutByteOrderMark(QByteArrayView Text) {
    return Text.startsWith("\xEF\xBB\xBF") ? Text.sliced(3) : Text;
}

std::optional<QByteArray> ReadLifeFile(const QString& Path, qint64 MaxBytes, TPatternFault* Fault) {
    const auto Refuse = [Fault](const TPatternFault& Why) {
        if (Fault)
            *Fault = Why;
        return std::nullopt;
    };
    QFile File;
    if (const std::optional<TPatternFault> Refused = OpenRegularFile(Path, File))
        return Refuse(*Refused);
    // A gzip file is read whole, zero bytes and all.
    const bool Packed = IsGzip(File.peek(2));
    std::variant<QByteArray, TPatternFault> Read = ReadBounded(File, MaxBytes, Packed);
    if (const auto* Refused = std::get_if<TPatternFault>(&Read))
        return Refuse(*Refused);
    QByteArray& Bytes = std::get<QByteArray>(Read);
    if (!Packed)
        return std::move(Bytes);
    auto Text = Gunzip(Bytes, MaxBytes);
    if (auto* Inflated = std::get_if<QByteArray>(&Text))
        return std::move(*Inflated);
    return Refuse(FaultOf(std::get<TGunzipFault>(Text) == TGunzipFault::TooLarge
                              ? TReason::TooLargeUnpacked
                              : TReason::BrokenGzip));
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
