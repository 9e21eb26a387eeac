// Running ahead at the engine's own speed: fast forward, drawn once a display frame, and a
// run to a chosen generation, drawn only at its end. Both are one step of the history.

#include "app/busyguard.h"
#include "app/extmsgdlg.h"
#include "app/generationdialog.h"
#include "app/ulife.h"
#include "display/framelimiter.h"
#include "display/worldimage.h"
#include "edit/worldhistory.h"
#include "engine/runahead.h"

#include <QApplication>
#include <QProgressDialog>
#include <QTimer>

#include <limits>

namespace {

// A run to a generation that takes longer than this shows how far it is.
constexpr qint64 ProgressAfterNs = 500'000'000;
// The progress bar's steps: generations may number more than it can count in.
constexpr int ProgressSteps = 1000;

// The progress dialog of a run to a generation, shown once the run has taken half a second.
class TGenerationProgress {
public:
    TGenerationProgress(QWidget* Parent, qint32 From, qint32 Target, qint64 StartNs)
        : Dialog(QString(), QStringLiteral("Annuleren"), 0, ProgressSteps, Parent), From(From),
          Target(Target), ShowAtNs(StartNs + ProgressAfterNs) {
        Dialog.setObjectName(QStringLiteral("GoToGenerationProgress"));
        Dialog.setWindowTitle(QStringLiteral("Ga naar generatie"));
        Dialog.setWindowModality(Qt::WindowModal);
        Dialog.setAutoClose(false);
        Dialog.setAutoReset(false);
        // Shown by Follow alone, at the time of the run's own clock.
        Dialog.setMinimumDuration(std::numeric_limits<int>::max());
    }

    // Shows the generation reached and lets the events through: before the dialog shows only
    // paints and timers, afterwards input too, which the dialog keeps from the main window.
    // False once the user cancelled.
    bool Follow(qint32 Reached, qint64 NowNs) {
        if (!Dialog.isVisible() && NowNs >= ShowAtNs) {
            Dialog.show();
            // The pointer may press "Annuleren"; the main window stays busy behind it.
            QApplication::changeOverrideCursor(Qt::BusyCursor);
        }
        if (Dialog.isVisible()) {
            Dialog.setLabelText(
                QStringLiteral("Bezig met rekenen...\n%1 generaties gedaan, nog %2 te gaan")
                    .arg(qint64(Reached) - From)
                    .arg(qint64(Target) - Reached));
            Dialog.setValue(
                int(ProgressSteps * (qint64(Reached) - From) / (qint64(Target) - From)));
            QCoreApplication::processEvents();
        } else {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
        return !Dialog.wasCanceled();
    }

private:
    QProgressDialog Dialog;
    const qint32 From;
    const qint32 Target;
    const qint64 ShowAtNs;
};

} // namespace

// F4 starts a fast forward, also from a timer run, which goes on as one; F4 again stops it.
void TLifeForm::MenuFastForwardClick() {
    if (RunAheadTimer->isActive())
        StopRunning();
    else
        FastForward();
}

void TLifeForm::FastForward() {
    WorldTimer->stop();
    Running = true;
    RunAheadTimer->start();
    UpdateMenu(); // Esc stops it
}

bool TLifeForm::StopFastForward() {
    if (!RunAheadTimer->isActive())
        return false;
    StopRunning();
    return true;
}

// Half a display frame of generations, so that input and the frame's picture never wait
// longer than a frame; the picture is shown at most once a frame, with the panels.
void TLifeForm::RunAheadSlice() {
    if (!Running) {
        RunAheadTimer->stop(); // the picture failed, which ends the program
        return;
    }
    const TRunAheadStop Stop = RunAhead(Engine, Population, std::numeric_limits<qint64>::max(),
                                        RunClock() + RunAheadSliceNs(), RunClock);
    SteppedSinceRecord = true;
    GenerationFrames->Request();
    if (Stop == TRunAheadStop::Stable) {
        Stable = true;
        StopRunning();
        ShowStableMessage();
    }
}

qint64 TLifeForm::RunAheadSliceNs() const {
    constexpr qint64 MsNs = 1'000'000;
    return (WorldImage ? WorldImage->FrameMs() : 16) * MsNs / 2;
}

void TLifeForm::MenuGoToGenerationClick() {
    StopRunning();
    if (Generation() == std::numeric_limits<qint32>::max()) {
        ExtMessageDlg(QStringLiteral("De generatieteller staat al op zijn hoogste waarde."),
                      mtInformation, mbOK, 0);
        return;
    }
    if (const std::optional<qint32> Target = AskGeneration(this, Generation()))
        GoToGeneration(*Target);
}

// Nothing is drawn before the end. A cancel keeps the generation reached, which is the
// step of the history as much as a target or a stable world is.
void TLifeForm::GoToGeneration(qint32 Target) {
    StopRunning();
    TRunAheadStop Stop = TRunAheadStop::Target;
    if (Generation() < Target) {
        const TBusyGuard Busy(MessagePanel(), QStringLiteral("Bezig met rekenen..."));
        TGenerationProgress Progress(this, Generation(), Target, RunClock());
        do {
            Stop = RunAhead(Engine, Population, Target, RunClock() + RunAheadSliceNs(), RunClock);
            SteppedSinceRecord = true;
        } while (Stop == TRunAheadStop::Slice && Progress.Follow(Generation(), RunClock()));
    }
    Stable = Stop == TRunAheadStop::Stable;
    ShowGeneration();
    History->Record(QStringLiteral("Ga naar generatie %1").arg(Generation()));
    if (Stable)
        ShowStableMessage();
}
