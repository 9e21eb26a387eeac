// The picture of what the view shows, drawn from the engine's cells a word of 64 at a time.

#include "display/worldpicture.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <stdexcept>
#include <string>
#include <utility>

namespace {

using TWord = TLifeEngine::TWord;

// The blocks of Across (1, 2 or 4) neighbouring cells of a word, live where any of their
// cells is: 64 / Across bits from bit 0 on.
TWord Squeeze(TWord Cells, int Across) {
    TWord X = Cells;
    if (Across == 2) {
        X = (X | (X >> 1)) & 0x5555555555555555u;
        X = (X | (X >> 1)) & 0x3333333333333333u;
        X = (X | (X >> 2)) & 0x0f0f0f0f0f0f0f0fu;
        X = (X | (X >> 4)) & 0x00ff00ff00ff00ffu;
        X = (X | (X >> 8)) & 0x0000ffff0000ffffu;
        X = (X | (X >> 16)) & 0x00000000ffffffffu;
    } else if (Across == 4) {
        X = (X | (X >> 1) | (X >> 2) | (X >> 3)) & 0x1111111111111111u;
        X = (X | (X >> 3)) & 0x0303030303030303u;
        X = (X | (X >> 6)) & 0x000f000f000f000fu;
        X = (X | (X >> 12)) & 0x000000ff000000ffu;
        X = (X | (X >> 24)) & 0x000000000000ffffu;
    }
    return X;
}

} // namespace

TWorldPicture::TWorldPicture(QRgb LiveColour, QRgb DeadColour, TAllocator Allocator)
    : LiveRgb(LiveColour | 0xff000000u), DeadRgb(DeadColour | 0xff000000u),
      Allocator(std::move(Allocator)) {}

bool TWorldPicture::SetView(const TWorldView& View) {
    Shows = View;
    const QSize Size = View.Visible().size();
    if (Pixels.size() != Size) {
        // The old picture goes first, so two never live at once.
        Pixels = QImage();
        if (!Size.isEmpty())
            Pixels = Allocator(Size);
        if (Pixels.isNull() && !Size.isEmpty())
            return false;
    }
    const int Wide = Shows.BlockPixels().width();
    Runs.clear();
    if (Wide <= 2) {
        Runs.resize(std::size_t(256) * 8 * std::size_t(Wide));
        for (std::size_t Byte = 0; Byte < 256; ++Byte) {
            for (std::size_t Bit = 0; Bit < 8; ++Bit) {
                const QRgb Colour = (Byte >> Bit) & 1 ? LiveRgb : DeadRgb;
                std::fill_n(Runs.begin() + std::ptrdiff_t((Byte * 8 + Bit) * std::size_t(Wide)),
                            Wide, Colour);
            }
        }
    }
    Clear();
    return true;
}

void TWorldPicture::Clear() {
    if (!Pixels.isNull())
        Pixels.fill(DeadRgb);
    Shown.assign(std::size_t(Shows.Blocks().height()) * RowWords, 0);
}

const TWorldPicture::TWord* TWorldPicture::BlockWords(const TLifeEngine& Engine, int Y) {
    const QSize Per = Shows.BlockCells();
    if (Per == QSize(1, 1))
        return Engine.StateWords(Y);
    // Room for the ORed row, with words of dead cells past its end, then the blocks.
    constexpr std::size_t Room = RowWords + 4;
    Squeezed.assign(2 * Room, 0);
    TWord* const Rows = Squeezed.data();
    TWord* const Result = Rows + Room;
    const int Words = Engine.UsedWords();
    const int End = std::min((Y + 1) * Per.height(), Engine.VertCells());
    for (int Row = Y * Per.height(); Row < End; ++Row) {
        const TWord* Cells = Engine.StateWords(Row);
        for (int W = 0; W < Words; ++W)
            Rows[W] |= Cells[W];
    }
    const int Across = Per.width();
    if (Across == 1)
        return Rows;
    const int Bits = TLifeEngine::WordBits / Across;
    for (int K = 0; K * Across < Words; ++K) {
        TWord Blocks = 0;
        for (int I = 0; I < Across; ++I)
            Blocks |= Squeeze(Rows[K * Across + I], Across) << (I * Bits);
        Result[K] = Blocks;
    }
    return Result;
}

void TWorldPicture::Put(QRgb* Row, int Left, const QRgb* From, int Count) const {
    const int Start = std::max(Left, 0);
    const int End = std::min(Left + Count, int(Pixels.width()));
    if (Start < End)
        std::memcpy(Row + Start, From + (Start - Left), std::size_t(End - Start) * sizeof(QRgb));
}

void TWorldPicture::Fill(QRgb* Row, int Left, int Count, QRgb Colour) const {
    const int Start = std::max(Left, 0);
    const int End = std::min(Left + Count, int(Pixels.width()));
    if (Start < End)
        std::fill_n(Row + Start, End - Start, Colour);
}

// Blocks one or two pixels wide go eight at a time from the table of their pixels, and
// only where one of the eight changed, since a settled world changes a few blocks of a
// word. Wider blocks are filled one by one. A word without live blocks is one fill.
std::pair<int, int> TWorldPicture::PaintWord(QRgb* Row, int First, TWord Blocks,
                                             TWord Changed) const {
    const int Wide = Shows.BlockPixels().width();
    const int Left = First * Wide - Shows.Scroll().x();
    int Low = std::countr_zero(Changed);
    int High = TLifeEngine::WordBits - 1 - std::countl_zero(Changed);
    if (Blocks == 0) {
        Fill(Row, Left + Low * Wide, (High - Low + 1) * Wide, DeadRgb);
    } else if (Wide <= 2) {
        Low &= ~7;
        High |= 7;
        for (int Bit = Low; Bit <= High; Bit += 8) {
            if (((Changed >> Bit) & 0xff) != 0)
                Put(Row, Left + Bit * Wide, Runs.data() + ((Blocks >> Bit) & 0xff) * 8 * Wide,
                    8 * Wide);
        }
    } else {
        for (TWord Bits = Changed; Bits != 0; Bits &= Bits - 1) {
            const int Bit = std::countr_zero(Bits);
            Fill(Row, Left + Bit * Wide, Wide, (Blocks >> Bit) & 1 ? LiveRgb : DeadRgb);
        }
    }
    return {std::max(Left + Low * Wide, 0),
            std::min(Left + (High + 1) * Wide, int(Pixels.width())) - 1};
}

QRect TWorldPicture::Follow(const TLifeEngine& Engine) {
    if (Engine.HorCells() != Shows.HorCells() || Engine.VertCells() != Shows.VertCells())
        throw TRangeError("A picture of " + std::to_string(Shows.HorCells()) + " x " +
                          std::to_string(Shows.VertCells()) + " cells cannot show a world of " +
                          std::to_string(Engine.HorCells()) + " x " +
                          std::to_string(Engine.VertCells()));
    const QRect Seen = Shows.VisibleBlocks();
    if (Pixels.isNull() || Seen.isEmpty())
        return {};
    const int High = Shows.BlockPixels().height();
    const int Origin = Shows.Scroll().y();
    const int FirstWord = Seen.left() / TLifeEngine::WordBits;
    const int LastWord = Seen.right() / TLifeEngine::WordBits;
    QRect Changed;
    for (int Y = Seen.top(); Y <= Seen.bottom(); ++Y) {
        const TWord* Blocks = BlockWords(Engine, Y);
        TWord* Showing = Shown.data() + std::size_t(Y) * RowWords;
        if (std::equal(Blocks + FirstWord, Blocks + LastWord + 1, Showing + FirstWord))
            continue;
        const int Top = std::max(Y * High - Origin, 0);
        const int Bottom = std::min((Y + 1) * High - Origin, int(Pixels.height()));
        auto* const Row = reinterpret_cast<QRgb*>(Pixels.scanLine(Top));
        int Left = Pixels.width();
        int Right = -1;
        for (int W = FirstWord; W <= LastWord; ++W) {
            const TWord Diff = Blocks[W] ^ Showing[W];
            if (Diff == 0)
                continue;
            Showing[W] = Blocks[W];
            const auto [From, To] = PaintWord(Row, W * TLifeEngine::WordBits, Blocks[W], Diff);
            if (From > To)
                continue; // beside the picture
            Left = std::min(Left, From);
            Right = std::max(Right, To);
        }
        if (Right < Left)
            continue;
        // Blocks more than a pixel high repeat their first row.
        for (int Line = Top + 1; Line < Bottom; ++Line)
            std::memcpy(reinterpret_cast<QRgb*>(Pixels.scanLine(Line)) + Left, Row + Left,
                        std::size_t(Right - Left + 1) * sizeof(QRgb));
        Changed |= QRect(QPoint(Left, Top), QPoint(Right, Bottom - 1));
    }
    return Changed;
}

QRect TWorldPicture::Redraw(const TLifeEngine& Engine) {
    Clear();
    Follow(Engine);
    return Rect();
}

QRect TWorldPicture::PaintCell(int X, int Y, bool Live) {
    if (X < 0 || X >= Shows.HorCells() || Y < 0 || Y >= Shows.VertCells())
        throw TRangeError("Picture cell [" + std::to_string(X) + ", " + std::to_string(Y) +
                          "] outside the world");
    if (Shows.BlockCells() != QSize(1, 1))
        throw std::logic_error("A cell is painted alone only at one pixel a cell or more");
    TWord& Word = Shown[std::size_t(Y) * RowWords + std::size_t(X / TLifeEngine::WordBits)];
    const TWord Mask = TWord(1) << (X % TLifeEngine::WordBits);
    Word = Live ? Word | Mask : Word & ~Mask;
    const QRect Block = Shows.BlockRect(X, Y).intersected(Pixels.rect());
    const QRgb Colour = Live ? LiveRgb : DeadRgb;
    for (int Row = Block.top(); Row <= Block.bottom(); ++Row)
        std::fill_n(reinterpret_cast<QRgb*>(Pixels.scanLine(Row)) + Block.left(), Block.width(),
                    Colour);
    return Block;
}
