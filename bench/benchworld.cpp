// The benchmark's worlds and its access to the main window's state.

#include "bench/benchworld.h"

#include <QStringList>

#include <map>
#include <random>
#include <tuple>

namespace {

constexpr int SoupWarmUpGenerations = 1000;

// Gosper's glider gun, placed near the top-left corner and shooting down and right.
const QStringList GliderGun = {
    "........................O...........", "......................O.O...........",
    "............OO......OO............OO", "...........O...O....OO............OO",
    "OO........O.....O...OO..............", "OO........O...O.OO....O.O...........",
    "..........O.....O.......O...........", "...........O...O....................",
    "............OO......................",
};
constexpr int GunLeft = 10;
constexpr int GunTop = 10;

const char* WrapName(qint32 Wrapping) {
    static const char* const Names[] = {"wmNone", "wmHorizontal", "wmVertical", "wmBoth"};
    return Names[Wrapping];
}

QString KindName(TWorldKind Kind) {
    switch (Kind) {
    case TWorldKind::Soup:
        return QStringLiteral("soup");
    case TWorldKind::FreshSoup:
        return QStringLiteral("fresh soup");
    case TWorldKind::Gun:
        break;
    }
    return QStringLiteral("gun");
}

// Random cells, one in OneIn alive.
TStates SoupSeed(int HorCells, int VertCells, unsigned OneIn) {
    std::mt19937 Random(20240611u);
    TStates States(std::size_t(HorCells) * std::size_t(VertCells));
    for (auto& State : States)
        State = Random() % OneIn == 0;
    return States;
}

TStates GunSeed(int HorCells, int VertCells) {
    TStates States(std::size_t(HorCells) * std::size_t(VertCells));
    for (int Row = 0; Row < GliderGun.size(); ++Row) {
        for (int Col = 0; Col < GliderGun[Row].size(); ++Col) {
            if (GliderGun[Row][Col] == QLatin1Char('O'))
                States[std::size_t(GunLeft + Col) * std::size_t(VertCells) +
                       std::size_t(GunTop + Row)] = 1;
        }
    }
    return States;
}

TStates WarmedSoup(TLifeFormBench& Bench, const TWorldSetup& Setup) {
    Bench.Configure(Setup);
    Bench.Place(SoupSeed(Setup.HorCells, Setup.VertCells, 3));
    for (int G = 0; G < SoupWarmUpGenerations; ++G)
        Bench.Form.CalcNextGeneration();
    return Bench.States();
}

} // namespace

QString TWorldSetup::Name() const {
    const QString Name = QStringLiteral("%1/%2x%3/%4x%4/%5")
                             .arg(KindName(Kind))
                             .arg(HorCells)
                             .arg(VertCells)
                             .arg(CellSize)
                             .arg(QLatin1String(WrapName(Wrapping)));
    const QString Zoomed = Zoom == 100 ? Name : Name + QStringLiteral("/%1%").arg(Zoom);
    return Population ? Zoomed + QStringLiteral(" + Populatie") : Zoomed;
}

QString TWorldSetup::WorldName() const {
    return QStringLiteral("%1/%2x%3/%4")
        .arg(KindName(Kind))
        .arg(HorCells)
        .arg(VertCells)
        .arg(QLatin1String(WrapName(Wrapping)));
}

const TStates& StartStates(TLifeFormBench& Bench, const TWorldSetup& Setup) {
    static std::map<std::tuple<TWorldKind, int, int, qint32>, TStates> Cache;
    const auto Key = std::make_tuple(Setup.Kind, Setup.HorCells, Setup.VertCells, Setup.Wrapping);
    auto Found = Cache.find(Key);
    if (Found == Cache.end()) {
        TStates States = Setup.Kind == TWorldKind::Soup ? WarmedSoup(Bench, Setup)
                         : Setup.Kind == TWorldKind::FreshSoup
                             ? SoupSeed(Setup.HorCells, Setup.VertCells, 2)
                             : GunSeed(Setup.HorCells, Setup.VertCells);
        Found = Cache.emplace(Key, std::move(States)).first;
    }
    return Found->second;
}

void TLifeFormBench::Configure(const TWorldSetup& Setup) {
    Form.StopRunning();
    Form.InitLife();
    Form.Engine.SetSize(Setup.HorCells, Setup.VertCells);
    Form.HorCellSize = Setup.CellSize;
    Form.VertCellSize = Setup.CellSize;
    Form.Engine.SetWrapping(Setup.Wrapping);
    Form.Zoom = Setup.Zoom;
    Form.DrawEmptyWorld();
    Form.Engine.SetGeneration(0);
}

void TLifeFormBench::Place(const TStates& States) {
    std::size_t I = 0;
    for (int X = 0; X < Form.HorCells(); ++X) {
        for (int Y = 0; Y < Form.VertCells(); ++Y, ++I)
            Form.Engine.SetCell(X, Y, States.at(I));
    }
    Form.DrawGeneration(true);
}

TStates TLifeFormBench::States() const {
    TStates Result;
    Result.reserve(std::size_t(Form.HorCells()) * std::size_t(Form.VertCells()));
    for (int X = 0; X < Form.HorCells(); ++X) {
        for (int Y = 0; Y < Form.VertCells(); ++Y)
            Result.push_back(std::uint8_t(Form.Engine.State(X, Y)));
    }
    return Result;
}
