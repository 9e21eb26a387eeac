// The literal reading of the step and redraw, and a plain kernel on a dense byte array.

#include "bench/yardsticks.h"

#include <cstring>
#include <limits>

namespace {

// One linked world of the full capacity, 94 MB, shared by every literal reading.
TLinkWorld& SharedLinkWorld() {
    static TLinkWorld World;
    return World;
}

} // namespace

TLiteralReading::TLiteralReading(TLifeFormBench& Bench, const TWorldSetup& Setup,
                                 const TStates& States)
    : Bench(Bench), World(SharedLinkWorld()), HorCellSize(Setup.CellSize),
      VertCellSize(Setup.CellSize),
      ChalkBoard(Setup.HorCells * HorCellSize, Setup.VertCells * VertCellSize,
                 QImage::Format_BGR888),
      Store(ChalkBoard.size(), QImage::Format_BGR888) {
    World.Configure(Setup.HorCells, Setup.VertCells, Setup.Wrapping);
    Load(States);
}

void TLiteralReading::Load(const TStates& States) {
    World.Load(States);
    ChalkBoard.fill(QColor::fromRgb(TLifeForm::DeadColour));
    Store.fill(QColor::fromRgb(TLifeForm::DeadColour));
}

void TLiteralReading::DoNextGeneration() {
    World.CalcNextGeneration();
    if (Generation < std::numeric_limits<qint32>::max())
        ++Generation;
    DrawGeneration();
}

void TLiteralReading::DrawGeneration() {
    const uchar DeadBytes[3] = {uchar(qBlue(TLifeForm::DeadColour)),
                                uchar(qGreen(TLifeForm::DeadColour)),
                                uchar(qRed(TLifeForm::DeadColour))};
    const uchar LiveBytes[3] = {uchar(qBlue(TLifeForm::LiveColour)),
                                uchar(qGreen(TLifeForm::LiveColour)),
                                uchar(qRed(TLifeForm::LiveColour))};
    Stable = true;
    for (int Y = 0; Y < World.VertCells(); ++Y) {
        for (int X = 0; X < World.HorCells(); ++X) {
            const qint32 S = World(X, Y).State;
            uchar* Rows[2] = {};
            for (int I = 0; I < VertCellSize; ++I)
                Rows[I] = ChalkBoard.scanLine(Y * VertCellSize + I);
            if (S == World(X, Y).PrevState)
                continue;
            const uchar* Colour = S == 1 ? LiveBytes : DeadBytes;
            for (int I = 0; I < VertCellSize; ++I) {
                for (int M = 0; M < HorCellSize; ++M)
                    std::memcpy(Rows[I] + 3 * (X * HorCellSize + M), Colour, 3);
            }
            Stable = false;
        }
    }
    for (int Y = 0; Y < ChalkBoard.height(); ++Y)
        std::memcpy(Store.scanLine(Y), ChalkBoard.constScanLine(Y),
                    size_t(ChalkBoard.bytesPerLine()));
    Bench.Form.UpdateStatusBar();
}

TPlainKernel::TPlainKernel(const TWorldSetup& Setup, const TStates& States)
    : Width(Setup.HorCells), Height(Setup.VertCells),
      WrapsHorizontally(Setup.Wrapping == wmHorizontal || Setup.Wrapping == wmBoth),
      WrapsVertically(Setup.Wrapping == wmVertical || Setup.Wrapping == wmBoth),
      Current(std::size_t(Width + 2) * std::size_t(Height + 2)), Next(Current.size()) {
    Load(States);
}

void TPlainKernel::Load(const TStates& States) {
    for (int X = 0; X < Width; ++X) {
        for (int Y = 0; Y < Height; ++Y)
            Row(Current, Y + 1)[X + 1] =
                States[std::size_t(X) * std::size_t(Height) + std::size_t(Y)];
    }
}

// A border that does not wrap stays 0 from the start.
void TPlainKernel::FillBorder() {
    if (WrapsHorizontally) {
        for (int Y = 1; Y <= Height; ++Y) {
            std::uint8_t* Cells = Row(Current, Y);
            Cells[0] = Cells[Width];
            Cells[Width + 1] = Cells[1];
        }
    }
    if (WrapsVertically) {
        std::memcpy(Row(Current, 0), Row(Current, Height), std::size_t(Width + 2));
        std::memcpy(Row(Current, Height + 1), Row(Current, 1), std::size_t(Width + 2));
    }
}

void TPlainKernel::Step() {
    FillBorder();
    for (int Y = 1; Y <= Height; ++Y) {
        const std::uint8_t* Above = Row(Current, Y - 1);
        const std::uint8_t* Here = Row(Current, Y);
        const std::uint8_t* Below = Row(Current, Y + 1);
        std::uint8_t* Out = Row(Next, Y);
        for (int X = 1; X <= Width; ++X) {
            const int N = Above[X - 1] + Above[X] + Above[X + 1] + Here[X - 1] + Here[X + 1] +
                          Below[X - 1] + Below[X] + Below[X + 1];
            Out[X] = std::uint8_t((N == 3) | ((N == 2) & Here[X]));
        }
    }
    std::swap(Current, Next);
}

TStates TPlainKernel::States() const {
    TStates Result;
    Result.reserve(std::size_t(Width) * std::size_t(Height));
    for (int X = 0; X < Width; ++X) {
        for (int Y = 0; Y < Height; ++Y)
            Result.push_back(Current[RowStart(Y + 1) + std::size_t(X + 1)]);
    }
    return Result;
}
