// Large shared pattern files for the open benchmark.

#include "bench/largefiles.h"

#include "patterns/lifelines.h"

#include <QFile>

#include <zlib.h>

#include <random>

namespace {

// Room for the header and the last line under the bound.
constexpr qsizetype Budget = PatternFileMaxBytes - 4096;

void Write(const QString& Path, const QByteArray& Bytes) {
    QFile File(Path);
    if (!File.open(QIODevice::WriteOnly) || File.write(Bytes) != Bytes.size())
        qFatal("cannot write %s", qPrintable(Path));
}

// Rows of a random soup a third alive, 6000 cells wide, as many as fit, lines of at most
// 70 characters as RLE writers break them.
QByteArray RleSoup() {
    constexpr int Width = 6000;
    std::mt19937 Random(17);
    QByteArray Body;
    QByteArray Line;
    const auto Put = [&Body, &Line](const QByteArray& Item) {
        if (Line.size() + Item.size() > 70) {
            Body += Line + '\n';
            Line.clear();
        }
        Line += Item;
    };
    int Rows = 0;
    while (Body.size() < Budget) {
        int Column = 0;
        while (Column < Width) {
            const bool Live = Random() % 3 == 0;
            int Run = 1;
            while (Column + Run < Width && (Random() % 3 == 0) == Live)
                ++Run;
            Put((Run > 1 ? QByteArray::number(Run) : QByteArray()) + (Live ? 'o' : 'b'));
            Column += Run;
        }
        Put("$");
        ++Rows;
    }
    Put("!");
    Body += Line + '\n';
    return "#N soup\nx = " + QByteArray::number(Width) + ", y = " + QByteArray::number(Rows) +
           ", rule = B3/S23\n" + Body;
}

// A square of level 12, 4096 cells a side: each leaf a random soup a third alive, or empty
// so that the file stays under the bound. Every leaf differs, so none is shared.
class TMacrocellSoup {
public:
    explicit TMacrocellSoup(double Filled) : Filled(Filled) {}

    QByteArray Text() {
        Lines = "[M2] (bench)\n#R B3/S23\n";
        Node(12);
        return Lines;
    }

private:
    int Node(int Level) {
        if (Level == 3) {
            if (std::uniform_real_distribution<double>(0, 1)(Random) >= Filled)
                return 0;
            for (int Row = 0; Row < 8; ++Row) {
                QByteArray Cells;
                for (int Column = 0; Column < 8; ++Column)
                    Cells += Random() % 3 == 0 ? '*' : '.';
                while (Cells.endsWith('.'))
                    Cells.chop(1);
                Lines += Cells + '$';
            }
            Lines += '\n';
            return ++Count;
        }
        const int Nw = Node(Level - 1);
        const int Ne = Node(Level - 1);
        const int Sw = Node(Level - 1);
        const int Se = Node(Level - 1);
        if (Nw + Ne + Sw + Se == 0)
            return 0;
        Lines += QByteArray::number(Level) + ' ' + QByteArray::number(Nw) + ' ' +
                 QByteArray::number(Ne) + ' ' + QByteArray::number(Sw) + ' ' +
                 QByteArray::number(Se) + '\n';
        return ++Count;
    }

    double Filled;
    std::mt19937 Random{17};
    QByteArray Lines;
    int Count = 0;
};

QByteArray MacrocellSoup() {
    for (double Filled = 0.6;; Filled -= 0.02) {
        QByteArray Text = TMacrocellSoup(Filled).Text();
        if (Text.size() <= Budget)
            return Text;
    }
}

QByteArray MacrocellFullSquare(int Level) {
    QByteArray Text = "[M2]\n" + QByteArray("********$").repeated(8) + '\n';
    for (int L = 4; L <= Level; ++L) {
        const QByteArray Below = ' ' + QByteArray::number(L - 3);
        Text += QByteArray::number(L) + Below + Below + Below + Below + '\n';
    }
    return Text;
}

// A glider in the bottom-right corner of a square of Level.
QByteArray MacrocellGlider(int Level) {
    QByteArray Text = "[M2]\n.*$..*$***$\n";
    for (int L = 4; L <= Level; ++L)
        Text += QByteArray::number(L) + " 0 0 0 " + QByteArray::number(L - 3) + '\n';
    return Text;
}

// Header, then Line as often as fits under the bound, then Footer: the short lines that cost
// a reader most per byte.
QByteArray ShortLines(const QByteArray& Header, const QByteArray& Line,
                      const QByteArray& Footer = {}) {
    return Header + Line.repeated((Budget - Header.size()) / Line.size()) + Footer;
}

QByteArray Gzip(const QByteArray& Text) {
    z_stream Stream{};
    if (deflateInit2(&Stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY) !=
        Z_OK)
        qFatal("deflateInit2 failed");
    QByteArray Packed(qsizetype(deflateBound(&Stream, uLong(Text.size()))), '\0');
    Stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(Text.data()));
    Stream.avail_in = uInt(Text.size());
    Stream.next_out = reinterpret_cast<Bytef*>(Packed.data());
    Stream.avail_out = uInt(Packed.size());
    if (deflate(&Stream, Z_FINISH) != Z_STREAM_END)
        qFatal("deflate did not finish");
    Packed.truncate(qsizetype(Stream.total_out));
    deflateEnd(&Stream);
    return Packed;
}

} // namespace

std::vector<TPatternFile> WriteLargePatternFiles(const QString& Folder) {
    const QByteArray Rle = RleSoup();
    const QByteArray EmptyLeaves = ShortLines("[M2]\n", "$\n");
    const std::vector<std::pair<QString, QByteArray>> Files = {
        {QStringLiteral("rle 8 MiB"), Rle},
        {QStringLiteral("macrocell 8 MiB"), MacrocellSoup()},
        {QStringLiteral("gzip to 8 MiB"), Gzip(Rle)},
        {QStringLiteral("macrocell glider level 6"), MacrocellGlider(6)},
        {QStringLiteral("macrocell glider level 60"), MacrocellGlider(60)},
        {QStringLiteral("macrocell full level 11"), MacrocellFullSquare(11)},
        {QStringLiteral("macrocell full level 60"), MacrocellFullSquare(60)},
        {QStringLiteral("macrocell 4.2M lines of $"), EmptyLeaves},
        {QStringLiteral("gzip macrocell of $ lines"), Gzip(EmptyLeaves)},
        {QStringLiteral("macrocell 8 MiB node lines"), ShortLines("[M2]\n*$\n", "4 1 0 0 1\n")},
        {QStringLiteral("plain 8 MiB of O lines"), ShortLines({}, "O\n")},
        {QStringLiteral("wiki 8 MiB of O lines"), ShortLines("!Name: short\n", "O\n")},
        {QStringLiteral("rle 8 MiB of o$ lines"), ShortLines("x = 1, y = 4000000\n", "o$\n", "!")},
        {QStringLiteral("life 1.05 8 MiB of * lines"), ShortLines("#Life 1.05\n", "*\n")},
        {QStringLiteral("life 1.06 8 MiB of 0 0 lines"), ShortLines("#Life 1.06\n", "0 0\n")},
        {QStringLiteral("life 1.05 8 MiB of #R lines"),
         ShortLines("#Life 1.05\n", "#R B3/S23\n", "*\n")},
        {QStringLiteral("macrocell 8 MiB of #R lines"),
         ShortLines("[M2]\n", "#R B3/S23\n", "*$\n")}};
    std::vector<TPatternFile> Written;
    int Number = 0;
    for (const auto& [Name, Bytes] : Files) {
        const QString Path = Folder + QStringLiteral("/large-%1.pattern").arg(++Number);
        Write(Path, Bytes);
        Written.push_back({Name, Path});
    }
    return Written;
}
