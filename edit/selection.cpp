// The selection and the commands on its cells, worked out on a copy of the world's words.

#include "edit/selection.h"

#include <QRandomGenerator>

#include <algorithm>
#include <vector>

namespace {

using TWord = TLifeEngine::TWord;
constexpr int RowWords = TLifeEngine::CapacityRowWords;
constexpr int WordBits = TLifeEngine::WordBits;

// The bits of word W that hold columns Left..Right.
TWord ColumnMask(int W, int Left, int Right) {
    const int First = std::max(Left - W * WordBits, 0);
    const int Last = std::min(Right - W * WordBits, WordBits - 1);
    if (First > Last)
        return 0;
    const TWord Upto = Last == WordBits - 1 ? ~TWord(0) : (TWord(1) << (Last + 1)) - 1;
    return Upto & ~((TWord(1) << First) - 1);
}

// The world's states before a command and as the command leaves them; handing them back
// flips only the words that differ.
class TCellWords {
public:
    explicit TCellWords(const TLifeEngine& Engine) : Old(TLifeEngine::CapacityWords) {
        Engine.CopyStates(Old.data());
        New = Old;
    }

    bool Was(int X, int Y) const { return (Old[Index(X, Y)] >> (X % WordBits)) & 1; }
    void Set(int X, int Y, bool Live) {
        const TWord Bit = TWord(1) << (X % WordBits);
        TWord& Word = New[Index(X, Y)];
        Word = Live ? Word | Bit : Word & ~Bit;
    }
    // The cells of Area become the bits that Bits() gives for each word, where it covers.
    template <typename TBits> void SetArea(const QRect& Area, TBits Bits) {
        for (int Y = Area.top(); Y <= Area.bottom(); ++Y) {
            for (int W = Area.left() / WordBits; W <= Area.right() / WordBits; ++W) {
                const TWord Mask = ColumnMask(W, Area.left(), Area.right());
                TWord& Word = New[std::size_t(Y) * RowWords + std::size_t(W)];
                Word = (Word & ~Mask) | (Bits() & Mask);
            }
        }
    }
    void Apply(TLifeEngine& Engine) const {
        Engine.BackupGeneration();
        for (int I = 0; I < TLifeEngine::CapacityWords; ++I) {
            if (const TWord Change = Old[std::size_t(I)] ^ New[std::size_t(I)]; Change != 0)
                Engine.FlipStates(I, Change);
        }
    }

private:
    static std::size_t Index(int X, int Y) {
        return std::size_t(Y) * RowWords + std::size_t(X / WordBits);
    }

    std::vector<TWord> Old;
    std::vector<TWord> New;
};

QRect WorldOf(const TLifeEngine& Engine) {
    return {0, 0, Engine.HorCells(), Engine.VertCells()};
}

// Half the difference, rounded towards zero, so that a turn and the turn back cancel.
int HalfOf(int Difference) {
    return Difference / 2;
}

// The start of a side of Length that begins at Start, pushed back within 0..Room - 1
// where it fits.
int PushedWithin(int Start, int Length, int Room) {
    return std::max(0, std::min(Start, Room - Length));
}

} // namespace

void TSelection::Select(const QRect& Cells, const QSize& World) {
    Area = Cells.normalized().intersected(QRect(QPoint(0, 0), World));
}

void TSelection::FitInto(const QSize& World) {
    Select(Area, World);
}

void TSelection::Clear(TLifeEngine& Engine) const {
    TCellWords Cells(Engine);
    Cells.SetArea(Area, [] { return TWord(0); });
    Cells.Apply(Engine);
}

void TSelection::ClearOutside(TLifeEngine& Engine) const {
    TCellWords Cells(Engine);
    const QRect World = WorldOf(Engine);
    for (const QRect& Band :
         {QRect(QPoint(0, 0), QPoint(World.right(), Area.top() - 1)),
          QRect(QPoint(0, Area.bottom() + 1), World.bottomRight()),
          QRect(QPoint(0, Area.top()), QPoint(Area.left() - 1, Area.bottom())),
          QRect(QPoint(Area.right() + 1, Area.top()), QPoint(World.right(), Area.bottom()))}) {
        if (!Band.isEmpty())
            Cells.SetArea(Band, [] { return TWord(0); });
    }
    Cells.Apply(Engine);
}

void TSelection::FillRandomly(TLifeEngine& Engine, QRandomGenerator& Random) const {
    TCellWords Cells(Engine);
    Cells.SetArea(Area, [&Random] { return TWord(Random.generate64()); });
    Cells.Apply(Engine);
}

bool TSelection::Move(TLifeEngine& Engine, int Dx, int Dy) {
    const QRect World = WorldOf(Engine);
    Dx = std::clamp(Dx, -Area.left(), World.right() - Area.right());
    Dy = std::clamp(Dy, -Area.top(), World.bottom() - Area.bottom());
    if (Dx == 0 && Dy == 0)
        return false;
    TCellWords Cells(Engine);
    Cells.SetArea(Area, [] { return TWord(0); });
    for (int Y = Area.top(); Y <= Area.bottom(); ++Y) {
        for (int X = Area.left(); X <= Area.right(); ++X)
            Cells.Set(X + Dx, Y + Dy, Cells.Was(X, Y));
    }
    Cells.Apply(Engine);
    Area.translate(Dx, Dy);
    return true;
}

void TSelection::FlipHorizontal(TLifeEngine& Engine) {
    Turn(Engine, TTurn::FlipHorizontal);
}

void TSelection::FlipVertical(TLifeEngine& Engine) {
    Turn(Engine, TTurn::FlipVertical);
}

void TSelection::RotateLeft(TLifeEngine& Engine) {
    Turn(Engine, TTurn::Left);
}

void TSelection::RotateRight(TLifeEngine& Engine) {
    Turn(Engine, TTurn::Right);
}

void TSelection::Rotate180(TLifeEngine& Engine) {
    Turn(Engine, TTurn::Half);
}

// Each cell (U, V) of the turned rectangle reads its state from the cell of the old one it
// came from; a quarter turn swaps width and height about the centre.
void TSelection::Turn(TLifeEngine& Engine, TTurn How) {
    const int W = Area.width();
    const int H = Area.height();
    const bool Quarter = How == TTurn::Left || How == TTurn::Right;
    const QSize Size = Quarter ? QSize(H, W) : QSize(W, H);
    const QRect World = WorldOf(Engine);
    const QPoint Start(
        PushedWithin(Area.left() + HalfOf(W - Size.width()), Size.width(), World.width()),
        PushedWithin(Area.top() + HalfOf(H - Size.height()), Size.height(), World.height()));
    const QRect Turned(Start, Size);
    TCellWords Cells(Engine);
    Cells.SetArea(Area, [] { return TWord(0); });
    const QRect Kept = Turned.intersected(World);
    for (int Y = Kept.top(); Y <= Kept.bottom(); ++Y) {
        for (int X = Kept.left(); X <= Kept.right(); ++X) {
            const int U = X - Start.x();
            const int V = Y - Start.y();
            QPoint From;
            switch (How) {
            case TTurn::FlipHorizontal:
                From = QPoint(W - 1 - U, V);
                break;
            case TTurn::FlipVertical:
                From = QPoint(U, H - 1 - V);
                break;
            case TTurn::Left:
                From = QPoint(W - 1 - V, U);
                break;
            case TTurn::Right:
                From = QPoint(V, H - 1 - U);
                break;
            case TTurn::Half:
                From = QPoint(W - 1 - U, H - 1 - V);
                break;
            }
            Cells.Set(X, Y, Cells.Was(Area.left() + From.x(), Area.top() + From.y()));
        }
    }
    Cells.Apply(Engine);
    Area = Kept;
}
