// The benchmark's modes that run the real window: the start-up time to the first shown
// picture, and runs at the 1 ms speed that measure generations per second and how long
// posted events wait meanwhile.

#include "app/startup.h"
#include "bench/benchmodes.h"
#include "bench/benchworld.h"
#include "display/worldimage.h"
#include "settings/settingspaths.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>
#include <random>
#include <thread>

namespace {

using TClock = std::chrono::steady_clock;

// Ends the event loop once a TWorldImage has been painted.
class TFirstPaintWatch : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        if (!Seen && Event->type() == QEvent::Paint &&
            qobject_cast<TWorldImage*>(Watched->parent())) {
            Seen = true;
            // Queued, so the paint itself finishes first.
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }

private:
    bool Seen = false;
};

const QEvent::Type ProbeEventType = QEvent::Type(QEvent::registerEventType());

struct TProbeEvent : QEvent {
    explicit TProbeEvent(TClock::time_point Posted) : QEvent(ProbeEventType), Posted(Posted) {}
    TClock::time_point Posted;
};

// Receives the events a second thread posts, as input from the system would arrive, and
// records how long each waited for the event loop.
class TWaitProbe : public QObject {
public:
    double LongestMs = 0;
    double TotalMs = 0;
    int Count = 0;

protected:
    bool event(QEvent* Event) override {
        if (Event->type() != ProbeEventType)
            return QObject::event(Event);
        const double Ms = std::chrono::duration<double, std::milli>(
                              TClock::now() - static_cast<TProbeEvent*>(Event)->Posted)
                              .count();
        LongestMs = std::max(LongestMs, Ms);
        TotalMs += Ms;
        ++Count;
        return true;
    }
};

// Counts the picture's paints and times them, by delivering each paint event itself.
class TPaintTimer : public QObject {
public:
    using QObject::QObject;
    int Paints = 0;
    double TotalMs = 0;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        if (Event->type() != QEvent::Paint || Delivering)
            return false;
        Delivering = true;
        QElapsedTimer Painting;
        Painting.start();
        QCoreApplication::sendEvent(Watched, Event);
        TotalMs += double(Painting.nsecsElapsed()) / 1e6;
        ++Paints;
        Delivering = false;
        return true;
    }

private:
    bool Delivering = false;
};

// Posts a probe event now and then at random moments, as a user's keys arrive, for as long
// as it lives: posting every millisecond or two wakes the event loop often enough to cost
// generations itself.
class TPostedInput {
public:
    TPostedInput()
        : Poster([this] {
              std::mt19937 Random(7);
              std::uniform_int_distribution<int> Pause(5000, 15000);
              while (Posting) {
                  QCoreApplication::postEvent(&Probe, new TProbeEvent(TClock::now()));
                  std::this_thread::sleep_for(std::chrono::microseconds(Pause(Random)));
              }
          }) {}
    ~TPostedInput() { Stop(); }
    // No more posting; the events still on their way are received.
    const TWaitProbe& Stop() {
        if (Poster.joinable()) {
            Posting = false;
            Poster.join();
            QCoreApplication::sendPostedEvents(&Probe);
        }
        return Probe;
    }

private:
    TWaitProbe Probe;
    std::atomic<bool> Posting = true;
    std::thread Poster;
};

struct TWindowResult {
    double GenerationsPerSecond;
    double LongestWaitMs;
    double MeanWaitMs;
    double PaintsPerSecond;
    double MeanPaintMs;
    double CpuMsPerGeneration; // of the whole program, its platform threads included
    double PeakMb;             // the resident memory's peak during the run
};

long StatusKb(const QByteArray& Field);
bool ResetPeakResident();

double ProcessCpuMs() {
    timespec Now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &Now);
    return double(Now.tv_sec) * 1e3 + double(Now.tv_nsec) / 1e6;
}

void WaitForExposure(QWidget& Window) {
    QElapsedTimer Waited;
    Waited.start();
    while ((!Window.windowHandle() || !Window.windowHandle()->isExposed()) &&
           Waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

// A window shown and its world placed, from the world's start states.
std::unique_ptr<TLifeForm> ShowWorld(const TWorldSetup& Setup) {
    auto Form = std::make_unique<TLifeForm>();
    Form->show();
    WaitForExposure(*Form);
    TLifeFormBench Bench(*Form);
    const TStates& Start = StartStates(Bench, Setup);
    Bench.Configure(Setup);
    Bench.Place(Start);
    if (Setup.Population)
        Form->ShowPopulation();
    QCoreApplication::processEvents();
    return Form;
}

// A world that settles opens the "Stabiel systeem!" box; this closes it, and the run ends.
class TModalCloser {
public:
    TModalCloser() {
        QObject::connect(&Timer, &QTimer::timeout, [] {
            if (QWidget* Modal = QApplication::activeModalWidget())
                Modal->close();
        });
        Timer.start(100);
    }

private:
    QTimer Timer;
};

void RunEventLoop(double Seconds) {
    QEventLoop Loop;
    QTimer::singleShot(int(Seconds * 1000), &Loop, &QEventLoop::quit);
    Loop.exec();
}

TWindowResult RunWindow(const TWorldSetup& Setup, double Seconds) {
    const auto Form = ShowWorld(Setup);
    TLifeFormBench Bench(*Form);
    TPaintTimer Paints;
    Bench.WorldImage()->viewport()->installEventFilter(&Paints);
    Bench.WorldTimer()->setInterval(1);
    const TModalCloser Closer;
    TPostedInput Input;
    const bool PeakKnown = ResetPeakResident();

    const qint32 FirstGeneration = Bench.Generation();
    const double FirstCpuMs = ProcessCpuMs();
    QElapsedTimer Elapsed;
    Elapsed.start();
    Form->MenuStartGameClick();
    RunEventLoop(Seconds);
    const double Ran = double(Elapsed.nsecsElapsed()) / 1e9;
    const qint32 Generations = Bench.Generation() - FirstGeneration;
    const double CpuMs = ProcessCpuMs() - FirstCpuMs;
    if (Bench.Running())
        Form->MenuStartGameClick();
    const TWaitProbe& Probe = Input.Stop();
    return {Generations / Ran,
            Probe.LongestMs,
            Probe.Count ? Probe.TotalMs / Probe.Count : 0.0,
            Paints.Paints / Ran,
            Paints.Paints ? Paints.TotalMs / Paints.Paints : 0.0,
            Generations ? CpuMs / Generations : 0.0,
            PeakKnown ? double(StatusKb("VmHWM")) / 1024.0 : 0.0};
}

struct TRunAheadResult {
    double GenerationsPerCpuSecond; // of the whole program
    double PaintsPerSecond;
    double LongestWaitMs;
};

// Snel vooruit for Seconds, with posted input waiting meanwhile.
TRunAheadResult RunFastForward(const TWorldSetup& Setup, double Seconds) {
    const auto Form = ShowWorld(Setup);
    TLifeFormBench Bench(*Form);
    TPaintTimer Paints;
    Bench.WorldImage()->viewport()->installEventFilter(&Paints);
    const TModalCloser Closer;
    TPostedInput Input;
    const qint32 FirstGeneration = Bench.Generation();
    const double FirstCpuMs = ProcessCpuMs();
    QElapsedTimer Elapsed;
    Elapsed.start();
    Form->FastForward();
    RunEventLoop(Seconds);
    Form->StopFastForward();
    const double CpuMs = ProcessCpuMs() - FirstCpuMs;
    const double Ran = double(Elapsed.nsecsElapsed()) / 1e9;
    return {(Bench.Generation() - FirstGeneration) / (CpuMs / 1000.0), Paints.Paints / Ran,
            Input.Stop().LongestMs};
}

// Ga naar generatie as far as the target rate goes in Seconds.
double RunGoToGeneration(const TWorldSetup& Setup, double Seconds, double TargetRate) {
    const auto Form = ShowWorld(Setup);
    TLifeFormBench Bench(*Form);
    const TModalCloser Closer;
    const qint32 FirstGeneration = Bench.Generation();
    const double FirstCpuMs = ProcessCpuMs();
    Form->GoToGeneration(FirstGeneration + qint32(Seconds * TargetRate));
    const double CpuMs = ProcessCpuMs() - FirstCpuMs;
    return (Bench.Generation() - FirstGeneration) / (CpuMs / 1000.0);
}

// A field of /proc/self/status in kB; 0 on systems without it.
long StatusKb(const QByteArray& Field) {
    QFile Status(QStringLiteral("/proc/self/status"));
    if (!Status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& Line : Status.readAll().split('\n')) {
        if (Line.startsWith(Field + ':'))
            return Line.mid(Field.size() + 1).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

long ResidentKb() {
    return StatusKb("VmRSS");
}

// Sets the peak of the resident memory (VmHWM) back to the memory now, so that a later
// peak is the peak since this moment. False where the system cannot.
bool ResetPeakResident() {
    QFile ClearRefs(QStringLiteral("/proc/self/clear_refs"));
    return ClearRefs.open(QIODevice::WriteOnly) && ClearRefs.write("5") == 1;
}

// The child shares this process's configuration folder, so it reads these settings.
void WriteStartupSettings(const TStartupWorld& World) {
    QDir().mkpath(SettingsDir);
    QFile Ini(SettingsFile);
    if (!Ini.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    Ini.write(QStringLiteral("[Afmetingen]\r\nHorCells=%1\r\nVertCells=%2\r\nHorCellGrootte=%3\r\n"
                             "VertCellGrootte=%3\r\n[Opties]\r\nZoom=%4\r\n")
                  .arg(World.HorCells)
                  .arg(World.VertCells)
                  .arg(World.CellSize)
                  .arg(World.Zoom)
                  .toLatin1());
}

} // namespace

namespace {

// Starts the window as the program does and hands it to AfterFirstPicture once its world's
// picture has been painted.
int RunChild(int argc, char** argv, const std::function<void(TLifeForm&)>& AfterFirstPicture) {
    QApplication Application(argc, argv);
    StartProgram(Application);
    TFirstPaintWatch Watch;
    Application.installEventFilter(&Watch);
    {
        const auto LifeForm = std::make_unique<TLifeForm>();
        LifeForm->show();
        QApplication::exec();
        AfterFirstPicture(*LifeForm);
        std::fflush(stdout);
    }
    EndProgram();
    return 0;
}

} // namespace

int RunStartupChild(int argc, char** argv) {
    return RunChild(argc, argv, [](TLifeForm&) {
        std::printf("shown %ld %ld\n", ResidentKb(), StatusKb("VmHWM"));
    });
}

int RunOpenChild(int argc, char** argv) {
    const QString Path = QString::fromLocal8Bit(argv[2]);
    return RunChild(argc, argv, [&Path](TLifeForm& LifeForm) {
        const long RestKb = ResidentKb();
        const bool PeakKnown = ResetPeakResident();
        const bool Opened = TLifeFormBench(LifeForm).ReadPattern(Path);
        std::printf("opened %d %ld %ld\n", int(Opened), RestKb, PeakKnown ? StatusKb("VmHWM") : 0);
    });
}

// A half-live soup, turned and mirrored by the menu commands, so each step is recorded as
// the user's would be and changes nearly every word of the world.
int RunHistoryChild(int argc, char** argv) {
    return RunChild(argc, argv, [](TLifeForm& LifeForm) {
        TLifeFormBench Bench(LifeForm);
        const TWorldSetup Setup{TWorldKind::FreshSoup, 1280, 1024, 1, wmHorizontal};
        const TStates& Start = StartStates(Bench, Setup);
        Bench.Configure(Setup);
        Bench.Place(Start);
        Bench.ClearHistory();
        const long RestKb = ResidentKb();
        const bool PeakKnown = ResetPeakResident();
        for (int Step = 0; Step < HistoryBenchSteps; ++Step) {
            LifeForm
                .findChild<QAction*>(Step % 2 == 0 ? QStringLiteral("MenuRotate180")
                                                   : QStringLiteral("MenuFlipVertical"))
                ->trigger();
        }
        std::printf("steps 1 %ld %ld\n", RestKb, PeakKnown ? StatusKb("VmHWM") : 0);
    });
}

namespace {

TOpenMemory MeasureChildMemory(const QString& Program, const QStringList& Arguments) {
    WriteStartupSettings({1280, 1024, 1, 100});
    QProcess Child;
    Child.setProgram(Program);
    Child.setArguments(Arguments);
    Child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    Child.start();
    while (!Child.canReadLine() && Child.waitForReadyRead(60000)) {
    }
    const QList<QByteArray> Words = Child.readLine().trimmed().split(' ');
    Child.waitForFinished(30000);
    QFile::remove(SettingsFile);
    return {Words.value(1) == "1", Words.value(2).toLong(), Words.value(3).toLong()};
}

} // namespace

TOpenMemory MeasureOpenMemory(const QString& Program, const QString& Path) {
    return MeasureChildMemory(Program, {QStringLiteral("--open-child"), Path});
}

TOpenMemory MeasureHistoryMemory(const QString& Program) {
    return MeasureChildMemory(Program, {QStringLiteral("--history-child")});
}

TStartup MeasureStartup(const QString& Program, const TStartupWorld& World) {
    WriteStartupSettings(World);
    QProcess Child;
    Child.setProgram(Program);
    Child.setArguments({QStringLiteral("--startup-child")});
    Child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer Elapsed;
    Elapsed.start();
    Child.start();
    while (!Child.canReadLine() && Child.waitForReadyRead(30000)) {
    }
    const double Seconds = double(Elapsed.nsecsElapsed()) / 1e9;
    const QList<QByteArray> Shown = Child.readLine().trimmed().split(' ');
    Child.waitForFinished(30000);
    QFile::remove(SettingsFile);
    return {Seconds, Shown.value(1).toLong(), Shown.value(2).toLong()};
}

namespace {

// The rates the user should get of Ga naar generatie: generations a second of the program's
// CPU time at each size; Snel vooruit, with its picture, should reach 80% of them.
double TargetRate(const TWorldSetup& Setup) {
    return Setup.HorCells <= 320 ? 100'000 : Setup.HorCells <= 640 ? 30'000 : 10'000;
}

void PrintRunAhead(double Seconds) {
    std::printf("\nRunning ahead in the real window (%s) on fresh soups, %.0f s each: generations "
                "a second of the program's CPU time, and the share of the target rate; for Snel "
                "vooruit the paints a second and the longest wait of a posted event.\n",
                qPrintable(QGuiApplication::platformName()), Seconds);
    std::printf("%-44s %12s %8s %12s %8s %10s %18s\n", "world", "Ga naar", "target", "Snel vooruit",
                "target", "paints/s", "longest wait (ms)");
    for (const TWorldSetup& Setup : {
             TWorldSetup{TWorldKind::FreshSoup, 320, 240, 1, wmBoth},
             TWorldSetup{TWorldKind::FreshSoup, 640, 480, 1, wmBoth},
             TWorldSetup{TWorldKind::FreshSoup, 1280, 1024, 1, wmBoth},
             TWorldSetup{TWorldKind::FreshSoup, 1280, 1024, 2, wmBoth},
             TWorldSetup{TWorldKind::FreshSoup, 320, 240, 1, wmBoth, 100, true},
             TWorldSetup{TWorldKind::FreshSoup, 1280, 1024, 1, wmBoth, 100, true},
         }) {
        const double GoTo = RunGoToGeneration(Setup, Seconds, TargetRate(Setup));
        const TRunAheadResult Fast = RunFastForward(Setup, Seconds);
        std::printf("%-44s %12.0f %7.0f%% %12.0f %7.0f%% %10.0f %18.1f\n", qPrintable(Setup.Name()),
                    GoTo, 100 * GoTo / TargetRate(Setup), Fast.GenerationsPerCpuSecond,
                    100 * Fast.GenerationsPerCpuSecond / TargetRate(Setup), Fast.PaintsPerSecond,
                    Fast.LongestWaitMs);
        std::fflush(stdout);
    }
}

} // namespace

int RunWindowMode(double SecondsPerSize) {
    const TWorldSetup Setups[] = {
        {TWorldKind::FreshSoup, 320, 240, 1, wmBoth},
        {TWorldKind::FreshSoup, 640, 480, 1, wmBoth},
        {TWorldKind::FreshSoup, 1280, 1024, 1, wmBoth},
        {TWorldKind::FreshSoup, 1280, 1024, 2, wmBoth},
        {TWorldKind::FreshSoup, 320, 240, 1, wmBoth, 400},
        {TWorldKind::FreshSoup, 640, 480, 1, wmBoth, 400},
        {TWorldKind::FreshSoup, 1280, 1024, 1, wmBoth, 400},
        {TWorldKind::FreshSoup, 1280, 1024, 2, wmBoth, 400},
        {TWorldKind::FreshSoup, 320, 240, 1, wmBoth, 50},
        {TWorldKind::FreshSoup, 640, 480, 1, wmBoth, 50},
        {TWorldKind::FreshSoup, 1280, 1024, 1, wmBoth, 50},
        {TWorldKind::FreshSoup, 1280, 1024, 2, wmBoth, 50},
        {TWorldKind::Soup, 320, 240, 1, wmBoth},
        {TWorldKind::Soup, 640, 480, 1, wmBoth},
        {TWorldKind::Soup, 1280, 1024, 1, wmBoth},
        {TWorldKind::Soup, 1280, 1024, 2, wmBoth},
        {TWorldKind::Gun, 1280, 1024, 1, wmBoth},
        {TWorldKind::FreshSoup, 320, 240, 1, wmBoth, 100, true},
        {TWorldKind::FreshSoup, 1280, 1024, 1, wmBoth, 100, true},
    };
    std::printf("The real window (%s) at the 1 ms speed, %.0f s per world.\n",
                qPrintable(QGuiApplication::platformName()), SecondsPerSize);
    std::printf("%-38s %14s %18s %15s %10s %15s %16s %10s\n", "world", "generations/s",
                "longest wait (ms)", "mean wait (ms)", "paints/s", "mean paint (ms)",
                "cpu/generation", "peak (MB)");
    for (const TWorldSetup& Setup : Setups) {
        const TWindowResult R = RunWindow(Setup, SecondsPerSize);
        std::printf("%-38s %14.0f %18.1f %15.2f %10.0f %15.3f %16.3f %10.1f\n",
                    qPrintable(Setup.Name()), R.GenerationsPerSecond, R.LongestWaitMs, R.MeanWaitMs,
                    R.PaintsPerSecond, R.MeanPaintMs, R.CpuMsPerGeneration, R.PeakMb);
        std::fflush(stdout);
    }
    PrintRunAhead(SecondsPerSize);
    return 0;
}
