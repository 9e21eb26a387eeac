// The generation benchmark: times the step, the redraw and the heavy operations of the
// program against two yardsticks and prints a table with the ratios. With "--window" it
// runs the real window at the 1 ms speed instead.

#include "bench/benchmodes.h"
#include "bench/benchworld.h"
#include "bench/largefiles.h"
#include "bench/yardsticks.h"
#include "engine/livecount.h"
#include "settings/settingspaths.h"

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

// Every this many timed generations the start states are put back with the clock stopped,
// so that each size and yardstick runs the same stretch of the world's life however many
// iterations the timing takes.
constexpr int RestoreEvery = 100;
constexpr int WindowSecondsPerSize = 4;
// Generations in a row from a fresh soup, as going to a generation runs them.
constexpr int RunGenerations = 1000;

constexpr int Sizes[][2] = {{320, 240}, {640, 480}, {1280, 1024}};
constexpr qint32 Wraps[] = {wmHorizontal, wmBoth};
constexpr TWorldKind Kinds[] = {TWorldKind::Soup, TWorldKind::Gun};
constexpr int CellSizes[] = {1, 2};

// The one window every benchmark runs on; it lives inside main's QApplication.
std::unique_ptr<TLifeForm> Form;
std::unique_ptr<TLifeFormBench> Bench;

const TWorldSetup FullSoup{TWorldKind::Soup, 1280, 1024, 1, wmHorizontal};
// The densest of the benchmark's worlds: half live, with the most runs to write.
const TWorldSetup DenseSoup{TWorldKind::FreshSoup, 1280, 1024, 1, wmHorizontal};

const TStates& Prepare(const TWorldSetup& Setup) {
    const TStates& Start = StartStates(*Bench, Setup);
    Bench->Configure(Setup);
    Bench->Place(Start);
    return Start;
}

template <typename TRestore, typename TStep>
void TimeGenerations(benchmark::State& State, TRestore Restore, TStep Step) {
    int Since = 0;
    for (auto _ : State) {
        if (Since == RestoreEvery) {
            State.PauseTiming();
            Restore();
            Since = 0;
            State.ResumeTiming();
        }
        Step();
        ++Since;
    }
}

void DoNextGenerationBench(benchmark::State& State, TWorldSetup Setup) {
    const TStates& Start = Prepare(Setup);
    TimeGenerations(
        State, [&] { Bench->Place(Start); }, [] { Form->DoNextGeneration(); });
}

void CalcNextGenerationBench(benchmark::State& State, TWorldSetup Setup) {
    const TStates& Start = Prepare(Setup);
    TimeGenerations(
        State, [&] { Bench->Place(Start); }, [] { Form->CalcNextGeneration(); });
}

// The count of live cells that the population series takes of every generation.
void CountLiveCellsBench(benchmark::State& State, TWorldSetup Setup) {
    Prepare(Setup);
    for (auto _ : State)
        benchmark::DoNotOptimize(CountLiveCells(Bench->Engine()));
}

struct TPathSetup {
    TLifeEngine::TStepPath Path;
    TWorldSetup World;
};

// The step's path for one benchmark; the fastest again afterwards.
class TPathChoice {
public:
    explicit TPathChoice(TLifeEngine::TStepPath Path) { TLifeEngine::SetStepPath(Path); }
    ~TPathChoice() { TLifeEngine::SetStepPath(TLifeEngine::StepPaths().back()); }
    TPathChoice(const TPathChoice&) = delete;
    TPathChoice& operator=(const TPathChoice&) = delete;
};

void StepPathBench(benchmark::State& State, TPathSetup Setup) {
    const TPathChoice Choice(Setup.Path);
    const TStates& Start = Prepare(Setup.World);
    TimeGenerations(
        State, [&] { Bench->Place(Start); }, [] { Form->CalcNextGeneration(); });
}

// Steps with the stability check after each, without drawing, until RunGenerations or a
// stable world; "generations" counts them per iteration.
void RunPathBench(benchmark::State& State, TPathSetup Setup) {
    const TPathChoice Choice(Setup.Path);
    const TStates& Start = Prepare(Setup.World);
    double Done = 0;
    for (auto _ : State) {
        State.PauseTiming();
        Bench->Place(Start);
        State.ResumeTiming();
        for (int G = 0; G < RunGenerations; ++G) {
            Form->CalcNextGeneration();
            ++Done;
            if (!Bench->Changed())
                break;
        }
    }
    State.counters["generations"] = benchmark::Counter(Done, benchmark::Counter::kAvgIterations);
}

void LiteralBench(benchmark::State& State, TWorldSetup Setup) {
    const TStates& Start = Prepare(Setup);
    TLiteralReading Literal(*Bench, Setup, Start);
    TimeGenerations(
        State, [&] { Literal.Load(Start); }, [&] { Literal.DoNextGeneration(); });
}

void KernelBench(benchmark::State& State, TWorldSetup Setup) {
    const TStates& Start = StartStates(*Bench, Setup);
    TPlainKernel Kernel(Setup, Start);
    TimeGenerations(
        State, [&] { Kernel.Load(Start); }, [&] { Kernel.Step(); });
}

void MakeConnectionsBench(benchmark::State& State, qint32 Wrapping) {
    TWorldSetup Setup = FullSoup;
    Setup.Wrapping = Wrapping;
    Prepare(Setup);
    for (auto _ : State)
        Form->MakeConnections(false);
}

void FullRedrawBench(benchmark::State& State, TWorldSetup Setup) {
    Prepare(Setup);
    for (auto _ : State)
        Form->DrawGeneration(true);
}

// A step of the scroll bar or a zoom in and out again, each shown: the whole window
// redrawn from the engine and painted.
void ScrollBench(benchmark::State& State, TWorldSetup Setup) {
    Prepare(Setup);
    QScrollBar* Bar = Bench->WorldImage()->horizontalScrollBar();
    int Step = Bar->pageStep() / 3;
    for (auto _ : State) {
        if (Bar->value() + Step > Bar->maximum() || Bar->value() + Step < 0)
            Step = -Step;
        Bar->setValue(Bar->value() + Step);
        Bench->WorldImage()->viewport()->repaint();
    }
}

void ZoomBench(benchmark::State& State, TWorldSetup Setup) {
    Prepare(Setup);
    for (auto _ : State) {
        Form->MenuZoomInClick();
        Bench->WorldImage()->viewport()->repaint();
        Form->MenuZoomOutClick();
        Bench->WorldImage()->viewport()->repaint();
    }
}

void ResizeBench(benchmark::State& State) {
    const TWorldSetup Smallest{TWorldKind::Soup, 320, 240, 1, wmHorizontal};
    const TStates& Start = StartStates(*Bench, Smallest);
    for (auto _ : State) {
        State.PauseTiming();
        Bench->Configure(Smallest);
        Bench->Place(Start);
        State.ResumeTiming();
        Form->ResizeTheWorld(1280, 1024, 2, 2);
    }
}

void SaveBench(benchmark::State& State, QString Path) {
    Prepare(FullSoup);
    for (auto _ : State) {
        if (Bench->WritePattern(Path) != 0)
            State.SkipWithError("the pattern file could not be written");
    }
}

void SaveRleBench(benchmark::State& State, QString Path) {
    Prepare(DenseSoup);
    for (auto _ : State) {
        if (Bench->WritePattern(Path) != 0)
            State.SkipWithError("the pattern file could not be written");
    }
}

// From another zoom each time, so that every fit sizes the window and draws anew.
void FitBench(benchmark::State& State) {
    Prepare(FullSoup);
    for (auto _ : State) {
        State.PauseTiming();
        Form->SetZoom(3200);
        State.ResumeTiming();
        Form->MenuFitPatternClick();
        Bench->WorldImage()->viewport()->repaint();
    }
}

void OpenBench(benchmark::State& State, QString Path) {
    Prepare(FullSoup);
    if (Bench->WritePattern(Path) != 0)
        State.SkipWithError("the pattern file could not be written");
    for (auto _ : State) {
        if (!Bench->ReadPattern(Path))
            State.SkipWithError("the pattern file could not be read");
    }
}

// Opens a shared pattern file into the largest world.
void OpenFileBench(benchmark::State& State, QString Path) {
    Prepare(FullSoup);
    for (auto _ : State) {
        if (!Bench->ReadPattern(Path))
            State.SkipWithError("the pattern file could not be read");
    }
}

void TransformBench(benchmark::State& State, void (TLifeForm::*Transform)()) {
    Prepare(FullSoup);
    for (auto _ : State)
        (Form.get()->*Transform)();
}

void MoveBench(benchmark::State& State, void (TLifeForm::*Move)(qint32)) {
    Prepare(FullSoup);
    for (auto _ : State)
        (Form.get()->*Move)(TLifeForm::LargeStep);
}

constexpr const char* StrokeName = "Stroke(pointer event)/soup/1280x1024/800%";

// A stroke across the largest world at zoom 800%, back and forth: each iteration is one
// pointer event 7 cells on from the last, with its cells, its step of the history and its
// repaint.
void StrokeBench(benchmark::State& State) {
    TWorldSetup Setup = FullSoup;
    Setup.Zoom = 800;
    const TStates& Start = Prepare(Setup);
    constexpr int CellPixels = 8;
    constexpr int Stride = 7;
    const auto PixelOf = [](int Cell) {
        return Cell * CellPixels + CellPixels / 2;
    };
    int X = 0;
    int Step = Stride;
    Bench->ClearHistory();
    Form->WorldMouseDown(Qt::LeftButton, {}, PixelOf(0), PixelOf(0));
    for (auto _ : State) {
        if (X + Step < 0 || X + Step >= Setup.HorCells) {
            State.PauseTiming();
            Form->WorldMouseUp();
            Bench->Place(Start);
            Bench->ClearHistory();
            Step = -Step;
            Form->WorldMouseDown(Qt::LeftButton, {}, PixelOf(X), PixelOf(X * 1023 / 1279));
            State.ResumeTiming();
        }
        X += Step;
        Form->WorldMouseMove(PixelOf(X), PixelOf(X * 1023 / 1279));
        QApplication::processEvents();
    }
    Form->WorldMouseUp();
}

// A command of "Bewerken" or "Spel" on a selection of the largest world, from its menu
// item, so with its step of the history; the soup comes back between the iterations.
void SelectionBench(benchmark::State& State, std::pair<const char*, QRect> Case) {
    const TStates& Start = Prepare(FullSoup);
    auto* Item = Form->findChild<QAction*>(QString::fromLatin1(Case.first));
    for (auto _ : State) {
        State.PauseTiming();
        Bench->Place(Start);
        Bench->ClearHistory();
        Bench->Select(Case.second);
        Form->UpdateMenu();
        State.ResumeTiming();
        Item->trigger();
    }
    Bench->Select(QRect());
}

std::vector<std::pair<std::string, std::pair<const char*, QRect>>> SelectionCases() {
    const QRect All(0, 0, 1280, 1024);
    const QRect Movable(0, 0, 1270, 1024);
    return {{"Selection/Knippen/1280x1024", {"MenuCut", All}},
            {"Selection/Wissen/1280x1024", {"MenuDelete", All}},
            {"Selection/Wissen buiten selectie/1270x1024", {"MenuClearOutside", Movable}},
            {"Selection/Willekeurig vullen/1280x1024", {"MenuRandomFill", All}},
            {"Selection/Verplaats 10 naar rechts/1270x1024", {"MenuMoveRightLarge", Movable}},
            {"Selection/Horizontaal spiegelen/1280x1024", {"MenuFlipHorizontal", All}},
            {"Selection/Roteer naar links/1280x1024", {"MenuRotateLeft", All}},
            {"Selection/Roteer 180 graden/1280x1024", {"MenuRotate180", All}}};
}

// A 500 x 500 pattern, half live, pasted into the largest world: the click that places it,
// with the step it records and the picture painted. Pasting it and putting the world back
// are not timed.
void PlacePasteBench(benchmark::State& State) {
    const TStates& Start = Prepare(FullSoup);
    std::mt19937 Random(1970);
    QString Rows;
    for (int Y = 0; Y < 500; ++Y) {
        for (int X = 0; X < 500; ++X)
            Rows += Random() % 2 == 0 ? QLatin1Char('O') : QLatin1Char('.');
        Rows += QLatin1Char('\n');
    }
    QGuiApplication::clipboard()->setText(Rows);
    for (auto _ : State) {
        State.PauseTiming();
        Bench->Place(Start);
        Bench->ClearHistory();
        Form->PasteGame();
        State.ResumeTiming();
        Form->PastePressed(Qt::LeftButton, QPoint(300, 200));
        Bench->WorldImage()->viewport()->repaint();
    }
}

struct THistoryCase {
    int CellSize;
    void (TLifeForm::*Change)(); // nullptr: the world shrinks to 640 x 480
    bool Undo;                   // else redo
};

// Undo or redo of one step that changed the whole largest world; the other way back,
// untimed, between the iterations.
void HistoryBench(benchmark::State& State, THistoryCase Case) {
    TWorldSetup Setup = FullSoup;
    Setup.CellSize = Case.CellSize;
    Prepare(Setup);
    Bench->ClearHistory();
    if (Case.Change)
        (Form.get()->*Case.Change)();
    else
        Form->ResizeTheWorld(640, 480, Case.CellSize, Case.CellSize);
    Bench->RecordStep();
    if (!Case.Undo)
        Form->UndoChange();
    for (auto _ : State) {
        Case.Undo ? Form->UndoChange() : Form->RedoChange();
        State.PauseTiming();
        Case.Undo ? Form->RedoChange() : Form->UndoChange();
        State.ResumeTiming();
    }
}

std::vector<std::pair<std::string, THistoryCase>> HistoryCases() {
    std::vector<std::pair<std::string, THistoryCase>> Cases;
    for (const bool Undo : {true, false}) {
        const std::string Way = Undo ? "Undo/" : "Redo/";
        for (const int CellSize : CellSizes) {
            const std::string World =
                "/soup/1280x1024/" + std::to_string(CellSize) + "x" + std::to_string(CellSize);
            Cases.push_back({Way + "NewGame" + World, {CellSize, &TLifeForm::NewGame, Undo}});
            Cases.push_back({Way + "Rotate180" + World, {CellSize, &TLifeForm::Rotate180, Undo}});
        }
        Cases.push_back({Way + "ResizeTheWorld(640x480)/soup/1280x1024/1x1", {1, nullptr, Undo}});
    }
    return Cases;
}

void StartupBench(benchmark::State& State, QString Program) {
    for (auto _ : State)
        State.SetIterationTime(MeasureStartup(Program, {320, 240, 1, 100}).Seconds);
}

std::string Text(const QString& Name) {
    return Name.toStdString();
}

void Register(const std::string& Name, auto Function, auto Argument) {
    benchmark::RegisterBenchmark(Name.c_str(), Function, Argument)->Unit(benchmark::kMillisecond);
}

std::vector<TWorldSetup> StepSetups() {
    std::vector<TWorldSetup> Setups;
    for (const TWorldKind Kind : Kinds) {
        for (const qint32 Wrapping : Wraps) {
            for (const auto& Size : Sizes) {
                for (const int CellSize : CellSizes)
                    Setups.push_back({Kind, Size[0], Size[1], CellSize, Wrapping});
            }
        }
    }
    return Setups;
}

std::vector<TPathSetup> PathSetups() {
    std::vector<TPathSetup> Setups;
    for (const auto& Size : Sizes) {
        for (const TLifeEngine::TStepPath Path : TLifeEngine::StepPaths())
            Setups.push_back({Path, {TWorldKind::FreshSoup, Size[0], Size[1], 1, wmBoth}});
    }
    return Setups;
}

std::string PathName(const char* What, const TPathSetup& Setup) {
    return std::string(What) + "(" + TLifeEngine::StepPathName(Setup.Path) + ")/" +
           Text(Setup.World.WorldName());
}

std::string OpenFileName(const TPatternFile& File) {
    return "OpenGame/" + Text(File.Name) + "/1280x1024";
}

void RegisterAll(const QString& Program, const QString& PatternFile,
                 const std::vector<TPatternFile>& LargeFiles) {
    for (const TWorldSetup& Setup : StepSetups()) {
        Register("DoNextGeneration/" + Text(Setup.Name()), DoNextGenerationBench, Setup);
        Register("Literal/" + Text(Setup.Name()), LiteralBench, Setup);
        if (Setup.CellSize == 1) {
            Register("CalcNextGeneration/" + Text(Setup.WorldName()), CalcNextGenerationBench,
                     Setup);
            Register("PlainKernel/" + Text(Setup.WorldName()), KernelBench, Setup);
            Register("CountLiveCells/" + Text(Setup.WorldName()), CountLiveCellsBench, Setup);
        }
    }
    for (const TPathSetup& Setup : PathSetups()) {
        Register(PathName("Step", Setup), StepPathBench, Setup);
        Register(PathName("Run", Setup), RunPathBench, Setup);
    }
    for (const qint32 Wrapping : Wraps) {
        TWorldSetup Setup = FullSoup;
        Setup.Wrapping = Wrapping;
        Register("MakeConnections(false)/" + Text(Setup.WorldName()), MakeConnectionsBench,
                 Wrapping);
    }
    for (const int CellSize : CellSizes) {
        TWorldSetup Setup = FullSoup;
        Setup.CellSize = CellSize;
        Register("DrawGeneration(true)/" + Text(Setup.Name()), FullRedrawBench, Setup);
    }
    for (const qint32 Zoom : {100, 400, 3200}) {
        TWorldSetup Setup = FullSoup;
        Setup.CellSize = 2;
        Setup.Zoom = Zoom;
        Register("Scroll/" + Text(Setup.Name()), ScrollBench, Setup);
        Register("ZoomInAndOut/" + Text(Setup.Name()), ZoomBench, Setup);
    }
    benchmark::RegisterBenchmark("ResizeTheWorld/320x240/1x1->1280x1024/2x2", ResizeBench)
        ->Unit(benchmark::kMillisecond);
    Register("SaveGame/" + Text(FullSoup.WorldName()), SaveBench, PatternFile);
    Register("OpenGame/" + Text(FullSoup.WorldName()), OpenBench, PatternFile);
    Register("SaveGame as RLE/" + Text(DenseSoup.WorldName()), SaveRleBench,
             QFileInfo(PatternFile).dir().filePath(QStringLiteral("dense.rle")));
    benchmark::RegisterBenchmark(
        ("FitPattern/" + Text(FullSoup.WorldName()) + "/from 3200%").c_str(), FitBench)
        ->Unit(benchmark::kMillisecond);
    for (const TPatternFile& File : LargeFiles)
        Register(OpenFileName(File), OpenFileBench, File.Path);
    Register("Rotate180/" + Text(FullSoup.WorldName()), TransformBench, &TLifeForm::Rotate180);
    Register("RotateLeft/" + Text(FullSoup.WorldName()), TransformBench, &TLifeForm::RotateLeft);
    Register("FlipHorizontal/" + Text(FullSoup.WorldName()), TransformBench,
             &TLifeForm::FlipHorizontal);
    Register("MoveRight(10)/" + Text(FullSoup.WorldName()), MoveBench, &TLifeForm::MoveRight);
    Register("NewGame/" + Text(FullSoup.WorldName()), TransformBench, &TLifeForm::NewGame);
    benchmark::RegisterBenchmark("PlacePaste(500x500)/soup/1280x1024/wmHorizontal", PlacePasteBench)
        ->Unit(benchmark::kMillisecond);
    for (const auto& [Name, Case] : HistoryCases())
        Register(Name, HistoryBench, Case);
    benchmark::RegisterBenchmark(StrokeName, StrokeBench)->Unit(benchmark::kMillisecond);
    for (const auto& [Name, Case] : SelectionCases())
        Register(Name, SelectionBench, Case);
    benchmark::RegisterBenchmark("Startup/first picture", StartupBench, Program)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(5);
}

// Collects the time per iteration of every run, the median where runs were repeated.
class TTableReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& Runs) override {
        benchmark::ConsoleReporter::ReportRuns(Runs);
        for (const Run& R : Runs) {
            if (R.error_occurred)
                continue;
            const double Ms =
                R.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(R.time_unit) * 1e3;
            const double CpuMs =
                R.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(R.time_unit) * 1e3;
            const std::string& Name = R.run_name.function_name;
            if (R.run_type == Run::RT_Iteration) {
                Times[Name] = Ms;
                CpuTimes[Name] = CpuMs;
                if (const auto Count = R.counters.find("generations"); Count != R.counters.end())
                    Generations[Name] = Count->second;
            } else if (R.aggregate_name == "median") {
                Medians[Name] = Ms;
            }
        }
    }

    std::optional<double> Ms(const std::string& Name) const {
        if (const auto M = Medians.find(Name); M != Medians.end())
            return M->second;
        if (const auto T = Times.find(Name); T != Times.end())
            return T->second;
        return std::nullopt;
    }

    // The CPU time of the last run, and the generations per iteration where counted.
    std::optional<double> CpuMs(const std::string& Name) const { return Find(CpuTimes, Name); }
    std::optional<double> GenerationsOf(const std::string& Name) const {
        return Find(Generations, Name);
    }

private:
    static std::optional<double> Find(const std::map<std::string, double>& Map,
                                      const std::string& Name) {
        if (const auto Found = Map.find(Name); Found != Map.end())
            return Found->second;
        return std::nullopt;
    }

    std::map<std::string, double> Times;
    std::map<std::string, double> Medians;
    std::map<std::string, double> CpuTimes;
    std::map<std::string, double> Generations;
};

// "  0.123 (0.34 / 2.10)": the time and its ratios to the two yardsticks.
std::string Figure(std::optional<double> Ms, std::optional<double> Literal,
                   std::optional<double> Kernel) {
    if (!Ms)
        return "-";
    char Buffer[64];
    auto Ratio = [&](std::optional<double> Yardstick) {
        return Yardstick && *Yardstick > 0 ? *Ms / *Yardstick : 0.0;
    };
    std::snprintf(Buffer, sizeof Buffer, "%8.3f (%5.2f / %6.2f)", *Ms, Ratio(Literal),
                  Ratio(Kernel));
    return Buffer;
}

std::string Plain(std::optional<double> Ms) {
    if (!Ms)
        return "-";
    char Buffer[32];
    std::snprintf(Buffer, sizeof Buffer, "%8.3f", *Ms);
    return Buffer;
}

// The densest world saved both ways: RLE must not take more room than the program's layout.
void PrintSavedSizes() {
    const QTemporaryDir Folder;
    Prepare(DenseSoup);
    const QString Rle = Folder.filePath(QStringLiteral("dense.rle"));
    const QString Life = Folder.filePath(QStringLiteral("dense.life"));
    if (Bench->WritePattern(Rle) != 0 || Bench->WritePattern(Life) != 0)
        return;
    std::printf("\nSaved %s: RLE %lld bytes, the program's layout %lld bytes\n",
                qPrintable(DenseSoup.WorldName()), QFileInfo(Rle).size(), QFileInfo(Life).size());
}

void PrintMachine() {
    QFile CpuInfo(QStringLiteral("/proc/cpuinfo"));
    QString Model = QStringLiteral("unknown processor");
    if (CpuInfo.open(QIODevice::ReadOnly)) {
        for (const QByteArray& Line : CpuInfo.readAll().split('\n')) {
            if (Line.startsWith("model name")) {
                Model = QString::fromLatin1(Line.mid(Line.indexOf(':') + 1)).trimmed();
                break;
            }
        }
    }
    std::printf("Machine: %s, %d logical processors\n", qPrintable(Model),
                QThread::idealThreadCount());
}

// The program's resident memory right after its first picture, and its peak until then, at
// the smallest world and at the largest with both cell sizes, at zoom 100% and 3200%.
void PrintMemory(const QString& Program) {
    std::printf("\nResident memory of the program right after start, and its peak (MB).\n");
    for (const TStartupWorld World :
         {TStartupWorld{320, 240, 1, 100}, TStartupWorld{1280, 1024, 1, 100},
          TStartupWorld{1280, 1024, 2, 100}, TStartupWorld{1280, 1024, 1, 3200},
          TStartupWorld{1280, 1024, 2, 3200}}) {
        const TStartup Started = MeasureStartup(Program, World);
        std::printf("%4dx%-4d %dx%d cells %5d%% %8.1f %8.1f\n", World.HorCells, World.VertCells,
                    World.CellSize, World.CellSize, World.Zoom, double(Started.ResidentKb) / 1024.0,
                    double(Started.PeakKb) / 1024.0);
    }
}

// The program's resident memory at rest in the largest world and its peak while it opens
// each large file.
void PrintOpenMemory(const QString& Program, const std::vector<TPatternFile>& LargeFiles) {
    std::printf("\nResident memory while opening at 1280x1024 (MB): at rest, peak, peak - rest.\n");
    for (const TPatternFile& File : LargeFiles) {
        const TOpenMemory Memory = MeasureOpenMemory(Program, File.Path);
        if (!Memory.Opened || Memory.PeakKb == 0) {
            std::printf("%-28s -\n", qPrintable(File.Name));
            continue;
        }
        std::printf("%-28s %8.1f %8.1f %8.1f\n", qPrintable(File.Name),
                    double(Memory.RestKb) / 1024.0, double(Memory.PeakKb) / 1024.0,
                    double(Memory.PeakKb - Memory.RestKb) / 1024.0);
    }
}

// The program's resident memory at rest in the largest world and its peak over 100 steps
// that each change the whole world, all kept for undo.
void PrintHistoryMemory(const QString& Program) {
    const TOpenMemory Memory = MeasureHistoryMemory(Program);
    std::printf("\nResident memory over %d steps of the whole world at 1280x1024 (MB): at rest, "
                "peak, peak - rest.\n",
                HistoryBenchSteps);
    if (!Memory.Opened || Memory.PeakKb == 0) {
        std::printf("%-28s -\n", "history");
        return;
    }
    std::printf("%-28s %8.1f %8.1f %8.1f\n", "history", double(Memory.RestKb) / 1024.0,
                double(Memory.PeakKb) / 1024.0, double(Memory.PeakKb - Memory.RestKb) / 1024.0);
}

// The step on each path, and generations a second of CPU time in a run without drawing.
void PrintPathTable(const TTableReporter& Reporter) {
    std::printf("\nThe step on each path: CPU milliseconds per step, and generations per second "
                "of CPU time over up to %d steps in a row, each checked for stability.\n",
                RunGenerations);
    std::printf("%-34s %-6s %10s %12s\n", "world", "path", "step", "gen/s");
    for (const TPathSetup& Setup : PathSetups()) {
        const auto Step = Reporter.CpuMs(PathName("Step", Setup));
        const auto Run = Reporter.CpuMs(PathName("Run", Setup));
        const auto Done = Reporter.GenerationsOf(PathName("Run", Setup));
        const double Rate = Run && Done && *Run > 0 ? *Done / *Run * 1e3 : 0.0;
        std::printf("%-34s %-6s %10.4f %12.0f\n", qPrintable(Setup.World.WorldName()),
                    TLifeEngine::StepPathName(Setup.Path), Step.value_or(0.0), Rate);
    }
}

void PrintTable(const TTableReporter& Reporter, const std::vector<TPatternFile>& LargeFiles) {
    std::printf("\n");
    PrintMachine();
    std::printf("Milliseconds per generation; in brackets the ratio to the literal reading and "
                "to the plain kernel of the same world.\n");
    std::printf("%-34s %-28s %-28s %9s %9s\n", "world", "DoNextGeneration", "CalcNextGeneration",
                "literal", "kernel");
    for (const TWorldSetup& Setup : StepSetups()) {
        const auto Literal = Reporter.Ms("Literal/" + Text(Setup.Name()));
        const auto Kernel = Reporter.Ms("PlainKernel/" + Text(Setup.WorldName()));
        const auto Calc = Setup.CellSize == 1
                              ? Reporter.Ms("CalcNextGeneration/" + Text(Setup.WorldName()))
                              : std::nullopt;
        std::printf(
            "%-34s %-28s %-28s %9s %9s\n", qPrintable(Setup.Name()),
            Figure(Reporter.Ms("DoNextGeneration/" + Text(Setup.Name())), Literal, Kernel).c_str(),
            Figure(Calc, Literal, Kernel).c_str(), Plain(Literal).c_str(), Plain(Kernel).c_str());
    }
    std::printf("\nCounting the live cells of a generation, which the population series does "
                "once a generation, beside the step (ms, and its share of the step).\n");
    for (const TWorldSetup& Setup : StepSetups()) {
        const auto Count = Reporter.Ms("CountLiveCells/" + Text(Setup.WorldName()));
        const auto Calc = Reporter.Ms("CalcNextGeneration/" + Text(Setup.WorldName()));
        if (Setup.CellSize == 1 && Count && Calc)
            std::printf("%-34s %9.4f %9.4f %8.1f%%\n", qPrintable(Setup.WorldName()), *Count, *Calc,
                        100.0 * *Count / *Calc);
    }
    PrintPathTable(Reporter);
    const auto Literal = Reporter.Ms("Literal/" + Text(FullSoup.Name()));
    const auto Kernel = Reporter.Ms("PlainKernel/" + Text(FullSoup.WorldName()));
    std::printf("\nMilliseconds per operation; in brackets the ratio to one generation of the "
                "literal reading and of the plain kernel on %s.\n",
                qPrintable(FullSoup.Name()));
    for (const char* Name :
         {"MakeConnections(false)/soup/1280x1024/wmHorizontal",
          "MakeConnections(false)/soup/1280x1024/wmBoth",
          "DrawGeneration(true)/soup/1280x1024/1x1/wmHorizontal",
          "DrawGeneration(true)/soup/1280x1024/2x2/wmHorizontal",
          "ResizeTheWorld/320x240/1x1->1280x1024/2x2", "SaveGame/soup/1280x1024/wmHorizontal",
          "OpenGame/soup/1280x1024/wmHorizontal",
          "SaveGame as RLE/fresh soup/1280x1024/wmHorizontal",
          "FitPattern/soup/1280x1024/wmHorizontal/from 3200%",
          "Rotate180/soup/1280x1024/wmHorizontal", "RotateLeft/soup/1280x1024/wmHorizontal",
          "FlipHorizontal/soup/1280x1024/wmHorizontal", "MoveRight(10)/soup/1280x1024/wmHorizontal",
          "NewGame/soup/1280x1024/wmHorizontal", "PlacePaste(500x500)/soup/1280x1024/wmHorizontal",
          "Startup/first picture"}) {
        std::printf("%-56s %s\n", Name, Figure(Reporter.Ms(Name), Literal, Kernel).c_str());
    }
    for (const TPatternFile& File : LargeFiles) {
        const std::string Name = OpenFileName(File);
        std::printf("%-56s %s\n", Name.c_str(), Figure(Reporter.Ms(Name), Literal, Kernel).c_str());
    }
    for (const auto& [Name, Case] : HistoryCases())
        std::printf("%-56s %s\n", Name.c_str(), Figure(Reporter.Ms(Name), Literal, Kernel).c_str());
    std::printf("%-56s %s\n", StrokeName, Figure(Reporter.Ms(StrokeName), Literal, Kernel).c_str());
    for (const auto& [Name, Case] : SelectionCases())
        std::printf("%-56s %s\n", Name.c_str(), Figure(Reporter.Ms(Name), Literal, Kernel).c_str());
    PrintSavedSizes();
    PrintMemory(QCoreApplication::applicationFilePath());
    PrintOpenMemory(QCoreApplication::applicationFilePath(), LargeFiles);
    PrintHistoryMemory(QCoreApplication::applicationFilePath());
}

// The yardsticks must compute what the program computes, or their ratios mean nothing.
bool YardsticksAgree() {
    for (const qint32 Wrapping :
         {qint32(wmNone), qint32(wmHorizontal), qint32(wmVertical), qint32(wmBoth)}) {
        const TWorldSetup Setup{TWorldKind::Soup, 320, 240, 1, Wrapping};
        const TStates& Start = Prepare(Setup);
        TPlainKernel Kernel(Setup, Start);
        TLiteralReading Literal(*Bench, Setup, Start);
        for (int G = 0; G < 20; ++G) {
            Kernel.Step();
            Literal.DoNextGeneration();
            Form->CalcNextGeneration();
        }
        const TStates ByLiteral = Literal.States();
        if (Bench->States() != ByLiteral || Kernel.States() != ByLiteral) {
            std::fprintf(stderr, "The yardsticks disagree with the program under %s\n",
                         qPrintable(Setup.Name()));
            return false;
        }
    }
    return true;
}

bool TakeFlag(int& Argc, char** Argv, const char* Flag) {
    for (int I = 1; I < Argc; ++I) {
        if (std::strcmp(Argv[I], Flag) == 0) {
            for (int J = I; J + 1 < Argc; ++J)
                Argv[J] = Argv[J + 1];
            --Argc;
            return true;
        }
    }
    return false;
}

// Offscreen on a screen of 1920 x 1080 unless told otherwise, and a home of its own: the
// benchmark never reads or writes the user's settings.
void PrepareEnvironment(const QTemporaryDir& Home) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        const QString Screen = Home.filePath(QStringLiteral("screen.json"));
        QFile Config(Screen);
        if (Config.open(QIODevice::WriteOnly))
            Config.write(R"({"screens": [{"name": "Bench", "x": 0, "y": 0, "width": 1920,
                         "height": 1080}]})");
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(Screen));
    }
    const QString Runtime = Home.filePath(QStringLiteral("runtime"));
    QDir().mkpath(Runtime);
    QFile::setPermissions(Runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("HOME", QFile::encodeName(Home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(Home.filePath(QStringLiteral(".config"))));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(Runtime));
}

// The offscreen platform says so on every resize of the window; it tells nothing here.
QtMessageHandler DefaultMessages = nullptr;

void QuietMessages(QtMsgType Type, const QMessageLogContext& Context, const QString& Message) {
    if (!Message.contains(QLatin1String("propagateSizeHints")))
        DefaultMessages(Type, Context, Message);
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--startup-child") == 0)
        return RunStartupChild(argc, argv);
    if (argc > 2 && std::strcmp(argv[1], "--open-child") == 0)
        return RunOpenChild(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--history-child") == 0)
        return RunHistoryChild(argc, argv);
    const bool WindowMode = TakeFlag(argc, argv, "--window");
    const QTemporaryDir Home;
    if (!Home.isValid()) {
        std::fprintf(stderr, "No temporary folder for the benchmark's home\n");
        return 1;
    }
    PrepareEnvironment(Home);
    DefaultMessages = qInstallMessageHandler(QuietMessages);
    QApplication Application(argc, argv);
    InitSettingsPaths();
    if (WindowMode)
        return RunWindowMode(WindowSecondsPerSize);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    Form = std::make_unique<TLifeForm>();
    Form->show();
    Bench = std::make_unique<TLifeFormBench>(*Form);
    int Result = 0;
    if (YardsticksAgree()) {
        const std::vector<TPatternFile> LargeFiles = WriteLargePatternFiles(Home.path());
        RegisterAll(QCoreApplication::applicationFilePath(),
                    Home.filePath(QStringLiteral("full.life")), LargeFiles);
        TTableReporter Reporter;
        benchmark::RunSpecifiedBenchmarks(&Reporter);
        PrintTable(Reporter, LargeFiles);
    } else {
        Result = 1;
    }
    benchmark::Shutdown();
    Bench.reset();
    Form.reset();
    return Result;
}
