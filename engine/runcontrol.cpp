// Run control: the timer-driven run with its stability stop, single steps, the status
// bar and the menu state that follows the run.

#include "app/extmsgdlg.h"
#include "app/placement.h"
#include "app/programinfo.h"
#include "app/ulife.h"
#include "display/framelimiter.h"
#include "display/worldimage.h"
#include "edit/worldhistory.h"
#include "engine/livecount.h"

#include <QAction>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

#include <limits>

namespace {

// A new text lays out and repaints the whole status bar, so a panel only gets one that
// differs from what it shows.
void ShowText(QLabel* Panel, const QString& Text) {
    if (Panel->text() != Text)
        Panel->setText(Text);
}

} // namespace

void TLifeForm::MenuStartGameClick() {
    Running = !Running;
    // Only the slowest speed would leave the user waiting a whole second for the first step.
    if (Running && WorldTimer->interval() > 250)
        DoNextGeneration();
    if (Running)
        StartRunning();
    else
        StopRunning();
}

void TLifeForm::MenuOneStepClick() {
    if (!Running)
        DoNextGeneration();
}

void TLifeForm::WorldTimerTimer() {
    RunTheWorld();
}

void TLifeForm::RunTheWorld() {
    if (!Ready)
        return;
    Ready = false;
    Running = true;
    for (int Due = Schedule.Take(RunClock()); Due > 0 && Running; --Due) {
        DoNextGeneration();
        if (Stable) {
            StopRunning();
            ShowStableMessage();
        }
    }
    Ready = true;
}

void TLifeForm::ShowStableMessage() {
    TExtMessageBox Box;
    Box.setWindowTitle(QString::fromLatin1(ProgramInfo::Title));
    Box.setText(QStringLiteral("Stabiel systeem!"));
    Box.setEscapeButton(Box.addButton(QMessageBox::Ok));
    Box.SetPlacement(
        [this](const QSize& Frame) { return CentredOnScreen(ScreenOf(*this), Frame); });
    Box.exec();
}

void TLifeForm::StartRunning() {
    Schedule.Start(RunClock(), WorldTimer->interval());
    WorldTimer->start();
}

// A run that stops shows its last generation at once, and the whole run is one step of the
// history; outside a run every change is recorded already, so nothing is.
void TLifeForm::StopRunning() {
    Running = false;
    WorldTimer->stop();
    RunAheadTimer->stop();
    GenerationFrames->Flush();
    History->Record(TWorldHistory::RunText(Generation()));
}

// While the world runs, generations may come every millisecond; the picture and the panels
// then show the latest one at most once a display frame. Each new text repaints the status
// bar, which cost more than a whole generation of a small world under X11 (measured: 0.29
// ms of the 0.35 ms a generation took at 320 x 240 cells).
void TLifeForm::UpdateStatusBar() {
    if (Running)
        GenerationFrames->Request();
    else
        ShowStatusBar();
}

void TLifeForm::ShowGeneration() {
    if (WorldImage)
        WorldImage->Follow();
    ShowStatusBar();
    FollowPopulation();
}

void TLifeForm::ShowStatusBar() {
    ShowText(StatusPanels[0], QStringLiteral("Generatie: %1").arg(Generation()));
    ShowText(StatusPanels[1], QString());
    ShowViewPanel();
}

namespace {

QString ViewPanelText(qint64 LiveCells, qint32 Zoom) {
    return QStringLiteral("Levend: %1 \u00b7 Zoom: %2%").arg(LiveCells).arg(Zoom);
}

// The width Panel needs to show Text whole.
int WidthFor(const QLabel& Panel, const QString& Text) {
    const int Margins =
        Panel.contentsMargins().left() + Panel.contentsMargins().right() + 2 * Panel.margin();
    return QFontMetrics(Panel.font()).boundingRect(QRect(), Qt::TextSingleLine, Text).width() +
           Margins;
}

} // namespace

void TLifeForm::ShowViewPanel() {
    ShowText(StatusPanels[2], ViewPanelText(CountLiveCells(Engine), Zoom));
}

// The live cells and zoom panel too keeps room for its widest text, that of the largest
// world all alive at the largest zoom, so the window never cuts it.
void TLifeForm::StatusBarResize() {
    StatusPanels[0]->setFixedWidth(
        WidthFor(*StatusPanels[0],
                 QStringLiteral("Generatie: +%1").arg(std::numeric_limits<qint32>::max())));
    StatusPanels[2]->setMinimumWidth(
        WidthFor(*StatusPanels[2],
                 ViewPanelText(qint64(TLifeEngine::MaxHorCells) * TLifeEngine::MaxVertCells,
                               TWorldView::ZoomLevels.back())));
}

void TLifeForm::UpdateMenu() {
    MenuStartGame->setText(Running ? QStringLiteral("&Stop spel") : QStringLiteral("&Start spel"));
    for (QAction* Item : {MenuOneStep, MenuMoveLeft, MenuMoveRight, MenuMoveUp, MenuMoveDown,
                          MenuMoveLeftLarge, MenuMoveRightLarge, MenuMoveUpLarge, MenuMoveDownLarge,
                          MenuFlipHorizontal, MenuFlipVertical, MenuRotateLeft, MenuRotateRight,
                          MenuRotate180, MenuInstructions, MenuAbout}) {
        Item->setEnabled(!Running);
    }
    for (QAction* Item : {MenuCut, MenuDelete, MenuClearOutside, MenuRandomFill})
        Item->setEnabled(!Running && Selection.Exists());
    // Esc also stops a fast forward and cancels a floating paste.
    MenuSelectNone->setEnabled(Selection.Exists() || Paste || RunAheadTimer->isActive());
    UpdateHistoryItems();
}

void TLifeForm::MenuClick() {
    UpdateMenu();
}
