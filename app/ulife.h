#pragma once

// The main window. TLifeForm owns all program state; its methods are defined across the
// subject folders, one .cpp per group below.

#include "display/worldpicture.h"
#include "edit/gesture.h"
#include "edit/selection.h"
#include "engine/lifeengine.h"
#include "engine/populationseries.h"
#include "engine/runschedule.h"

#include <QMainWindow>
#include <QPointer>
#include <QRgb>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QFileDialog;
class QLabel;
class QMenu;
class QStatusBar;
class QTimer;
class TFloatingPaste;
class TFrameLimiter;
class TWorldImage;
class TOptionsDlg;
class TWorldHistory;
class THelpForm;
class TPopulationWindow;
class TRecentFiles;
struct TPatternFault;

class TLifeForm : public QMainWindow {
    Q_OBJECT

public:
    static constexpr int LargeStep = 10;
    static constexpr int SmallStep = 1;
    // Where an opened pattern lands: the file's top-left corner on the world's, or the
    // pattern in the middle of the world, as the examples open.
    enum class TPlacement { TopLeft, Centred };

    explicit TLifeForm(QWidget* Parent = nullptr);
    ~TLifeForm() override;

    // app/ulife.cpp: creation, show, close, destroy and the menus
    void FormCreate();
    void FormShow();
    void FormClose();
    void FormDestroy();
    void MenuCloseGameClick();
    void MenuInstructionsClick();
    void GameInstructions();
    void MenuAboutClick();
    void AboutGame();
    // The file of the command line, opened once the window is first on screen; empty for
    // none. Given before the window is shown.
    void OpenWhenShown(const QString& Path);

    // engine/world.cpp: grid and links
    void InitLife();
    void MakeConnections(bool EdgesOnly);
    void SetWrapping(qint32 Value);
    void KillAllCells();
    void BackupGeneration();

    // engine/generation.cpp: the generation step
    int Neighbours(int X, int Y) const;
    void CalcNextGeneration();
    void DoNextGeneration();

    // engine/runcontrol.cpp: run control, status bar and menu state
    void MenuStartGameClick();
    void MenuOneStepClick();
    void WorldTimerTimer();
    void RunTheWorld();
    void UpdateStatusBar();
    void StatusBarResize();
    void UpdateMenu();
    void MenuClick();

    // engine/fastforward.cpp: running ahead at the engine's own speed
    void MenuFastForwardClick();
    void FastForward();
    bool StopFastForward(); // false when none runs
    void MenuGoToGenerationClick();
    void GoToGeneration(qint32 Target);

    // display/population.cpp: the live cells of each generation and their graph
    void MenuPopulationClick();
    void ShowPopulation();

    // display/drawing.cpp: picture surfaces and cell drawing
    void DrawEmptyWorld();
    void DrawBackGround();
    void DrawCell(int X, int Y, QRgb Colour, bool ScreenToo);
    void DrawGeneration(bool ForceAll);

    // display/sizing.cpp: world window sizing
    void ResizeTheWorld(qint32 NewHorCells, qint32 NewVertCells, qint32 NewHorCellSize,
                        qint32 NewVertCellSize);

    // edit/mouse.cpp: cell editing by mouse; a drag draws a stroke, or with Shift selects.
    // X and Y: a device pixel of the view.
    void WorldMouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void WorldMouseMove(int X, int Y);
    void WorldMouseUp();

    // edit/selectioncommands.cpp: the selection and the commands on its cells
    void MenuCutClick();
    void MenuDeleteClick();
    void MenuClearOutsideClick();
    void MenuRandomFillClick();
    void MenuSelectAllClick();
    void MenuSelectNoneClick();
    void CutSelection();
    void ClearSelection();
    void ClearOutsideSelection();
    void FillSelectionRandomly();
    void SelectAll();
    void SelectNone();

    // display/zoom.cpp: the zoom of the view, which changes what is seen, never the world
    void MenuZoomInClick();
    void MenuZoomOutClick();
    void MenuZoomResetClick();
    void WorldZoomAsked(int Steps, const QPoint& Global);
    // Percent: a zoom level. The world point under Anchor, a point of the screen, stays
    // under it as far as the scroll allows; without Anchor the middle of the view stays.
    void SetZoom(qint32 Percent, std::optional<QPoint> Anchor = std::nullopt);
    // The largest zoom at which Cells, a rectangle of cells, fit the visible part of the
    // window, scrolled to their middle.
    void MenuFitPatternClick();
    void FitCells(const QRect& Cells);
    // Grid lines between cells that are large enough to show them.
    void MenuGridClick();

    // patterns/patternfiles.cpp: pattern files
    void MenuSaveGameClick();
    void MenuOpenGameClick();
    bool SaveGame(); // true once the file is written
    void OpenGame();
    void OpenGameFile(const QString& Path); // the open after the dialog, by a drop, at start
    void MenuRecentFileClick(const QString& Path);
    void MenuClearRecentClick();
    static void TrimLifeLines(QStringList& Lines);

    // patterns/examples.cpp: the "&Voorbeelden" submenu
    void ListExamples(const QString& Folder); // the examples found in Folder, at creation
    void MenuExampleClick(const QString& Path);
    void OpenExample(const QString& Path);

    // edit/undoredo.cpp: undo and redo of every change of the cells
    void MenuUndoClick();
    void MenuRedoClick();
    void UndoChange();
    void RedoChange();

    // edit/clipboard.cpp: patterns through the clipboard as text; a paste floats over the
    // world under the pointer until a click places it
    void MenuCopyClick();
    void MenuPasteClick();
    void CopyGame();
    void PasteGame();
    void PasteMoved(const QPoint& Cell);
    void PastePressed(Qt::MouseButton Button, const QPoint& Cell);
    // False when no paste floats.
    bool CancelPaste();

    // edit/transforms.cpp: move, mirror and rotate
    void MenuMoveLeftClick();
    void MenuMoveRightClick();
    void MenuMoveUpClick();
    void MenuMoveDownClick();
    void MenuMoveLeftLargeClick();
    void MenuMoveRightLargeClick();
    void MenuMoveUpLargeClick();
    void MenuMoveDownLargeClick();
    void MenuFlipHorizontalClick();
    void MenuFlipVerticalClick();
    void MenuRotateLeftClick();
    void MenuRotateRightClick();
    void MenuRotate180Click();
    void MoveLeft(qint32 Steps);
    void MoveRight(qint32 Steps);
    void MoveUp(qint32 Steps);
    void MoveDown(qint32 Steps);
    void FlipHorizontal();
    void FlipVertical();
    void RotateLeft();
    void RotateRight();
    void Rotate180();

    // edit/newgame.cpp: new game
    void MenuNewGameClick();
    void NewGame();

    // settings/options.cpp: the settings store and the settings command
    bool LoadOptions();
    void SaveOptions();
    // What the view and the file menu keep, each only when it changed: the zoom, the grid
    // and the recent files.
    void SaveChangedOptions();
    void MenuOptionsClick();
    void DoOptionsDlg();

    static constexpr QRgb LiveColour = 0xff000000;  // RGB (0, 0, 0)
    static constexpr QRgb DeadColour = 0xffc8c8ff;  // RGB (200, 200, 255)
    static constexpr QRgb PasteColour = 0xffe05a00; // RGB (224, 90, 0), a floating paste

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;
    void showEvent(QShowEvent* Event) override;
    void closeEvent(QCloseEvent* Event) override;
    // patterns/patternfiles.cpp: one local file dropped on the window opens it
    void dragEnterEvent(QDragEnterEvent* Event) override;
    void dragMoveEvent(QDragMoveEvent* Event) override;
    void dropEvent(QDropEvent* Event) override;

private:
    friend struct TLifeFormProbe; // the tests' view of the window's state
    friend struct TLifeFormBench; // the benchmark's view of the same

    void CreateMenus();
    void CreateStatusBar();
    void CreateFileDialogs();
    bool ClosesBackToThisWindow(const QWidget& Dialog) const;
    QWidget* KeyboardReturnsTo(const QWidget& Dialog);
    bool FitWindow();
    void ShowViewPanel();
    void StartRunning();
    void OpenStartFile();
    void StopRunning();
    void ShowGeneration();
    void ShowBitmapFailure();
    void ShowStableMessage();
    void ShowStatusBar();
    int WritePattern(const QString& Path); // 0, or the Windows error code of the failure
    // false leaves the world untouched and, when Fault is given, tells why in it
    bool ReadPattern(const QString& Path, TPatternFault* Fault = nullptr,
                     TPlacement Placement = TPlacement::TopLeft);
    // The same for the text of a pattern; Caption names the step in the history.
    bool PlacePattern(const QByteArray& Bytes, const QString& Caption, TPatternFault* Fault,
                      TPlacement Placement = TPlacement::TopLeft);
    // An opened file or example: the history's clean state, and the view on its pattern.
    void FinishOpen();
    // Asks to make the world at least Needed large, and does so as the settings dialog would.
    void OfferLargerWorld(const QSize& Needed);
    // Whether the window may close: asks to save a drawing that was never saved.
    bool MayClose();
    void UpdateRecentMenu();
    // The visible part of the window's picture at the current window, in logical pixels.
    QSize PictureRoom() const;
    // The open error for a file or the clipboard ("klembord"), with the fault's rule if any.
    void ShowOpenError(const QString& Name, const TPatternFault& Fault);
    void PlacePaste(const QPoint& Cell);
    // Turns the floating paste instead of the world; false when none floats.
    bool TurnPaste(void (TFloatingPaste::*Turn)());
    void ShowPaste();
    void CreateHistory();
    void UpdateHistoryItems();
    template <typename TRule> void ApplyTransform(TRule NewState);
    // The selection becomes Cells (clipped to the world), is shown and named in the panel.
    void SetSelection(const QRect& Cells);
    // With a selection, Change works on its cells and the picture follows; false without.
    bool ChangeSelection(const std::function<void(TSelection&)>& Change);
    bool MoveSelection(int Dx, int Dy);
    qint32 SnapshotAt(qint64 X, qint64 Y) const;
    int HorCells() const { return Engine.HorCells(); }
    int VertCells() const { return Engine.VertCells(); }
    qint32 Generation() const { return Engine.Generation(); }
    qint32 Wrapping() const { return Engine.Wrapping(); }
    QLabel* MessagePanel() const { return StatusPanels[1]; }
    void RunAheadSlice();
    qint64 RunAheadSliceNs() const;
    void CreatePopulation();
    void HistoryMoved();
    void FollowPopulation();

    // Components
    QMenu* MenuBestand = nullptr;
    QAction* MenuNewGame = nullptr;
    QAction* MenuOpenGame = nullptr;
    QMenu* MenuExamples = nullptr;
    QMenu* MenuRecent = nullptr;
    QAction* MenuSaveGame = nullptr;
    QAction* MenuCloseGame = nullptr;
    QMenu* MenuBewerken = nullptr;
    QAction* MenuUndo = nullptr;
    QAction* MenuRedo = nullptr;
    QAction* MenuCopy = nullptr;
    QAction* MenuPaste = nullptr;
    QAction* MenuCut = nullptr;
    QAction* MenuDelete = nullptr;
    QAction* MenuClearOutside = nullptr;
    QAction* MenuRandomFill = nullptr;
    QAction* MenuSelectAll = nullptr;
    QAction* MenuSelectNone = nullptr;
    QMenu* MenuSpel = nullptr;
    QAction* MenuStartGame = nullptr;
    QAction* MenuOneStep = nullptr;
    QAction* MenuFastForward = nullptr;
    QAction* MenuGoToGeneration = nullptr;
    QAction* MenuMoveLeft = nullptr;
    QAction* MenuMoveRight = nullptr;
    QAction* MenuMoveUp = nullptr;
    QAction* MenuMoveDown = nullptr;
    QAction* MenuMoveLeftLarge = nullptr;
    QAction* MenuMoveRightLarge = nullptr;
    QAction* MenuMoveUpLarge = nullptr;
    QAction* MenuMoveDownLarge = nullptr;
    QAction* MenuFlipHorizontal = nullptr;
    QAction* MenuFlipVertical = nullptr;
    QAction* MenuRotateLeft = nullptr;
    QAction* MenuRotateRight = nullptr;
    QAction* MenuRotate180 = nullptr;
    QMenu* MenuBeeld = nullptr;
    QAction* MenuZoomIn = nullptr;
    QAction* MenuZoomOut = nullptr;
    QAction* MenuZoomReset = nullptr;
    QAction* MenuPopulation = nullptr;
    QAction* MenuFitPattern = nullptr;
    QAction* MenuGrid = nullptr;
    QAction* MenuOptions = nullptr;
    QMenu* MenuHelp = nullptr;
    QAction* MenuInstructions = nullptr;
    QAction* MenuAbout = nullptr;
    QStatusBar* StatusBar = nullptr;
    std::array<QLabel*, 3> StatusPanels{}; // generation, messages, live cells and zoom
    QTimer* WorldTimer = nullptr;
    TFrameLimiter* GenerationFrames = nullptr; // while it runs, picture and panels wait for it
    QTimer* RunAheadTimer = nullptr;           // active while the world runs fast forward
    QFileDialog* OpenDialog = nullptr;
    QFileDialog* SaveDialog = nullptr;
    QWidget* ClientArea = nullptr;
    TOptionsDlg* OptionsDlg = nullptr;
    std::unique_ptr<THelpForm> HelpForm; // a window of its own, without this one as parent
    std::unique_ptr<TPopulationWindow> PopulationWindow; // the same

    // The cells with their size, wrap mode and generation, then the display fields
    TLifeEngine Engine;
    qint32 HorCellSize = 1;
    qint32 VertCellSize = 1;
    qint32 Zoom = 100;        // percent, a level of TWorldView
    qint32 ZoomAtStart = 100; // written at close only when Zoom differs
    bool Grid = true;
    bool GridAtStart = true; // written at close only when Grid differs
    TWorldPicture::TAllocator AllocatePicture = &TWorldPicture::Allocate; // tests set their own
    TRunSchedule Schedule;
    std::function<qint64()> RunClock = SteadyClockNs; // nanoseconds; the tests set their own
    bool Ready = false;
    bool Stable = false;
    bool Running = false;
    bool SaveOptionsOnClose = false;
    QString StartFile; // opened at the first expose, then emptied
    QPointer<TWorldImage> WorldImage;
    std::unique_ptr<TWorldHistory> History; // every change of the cells, for undo and redo
    TSelection Selection;
    TGesture Gesture; // the mouse's drag over the world, from press to release
    int Strokes = 0;  // the strokes so far; each joins its steps into one of the history
    std::unique_ptr<TFloatingPaste> Paste; // the pattern that floats until placed, if any
    // The live cells of each generation since the last change by hand; a step of the
    // history that no generation came before is such a change.
    TPopulationSeries Population;
    bool SteppedSinceRecord = false;
    std::unique_ptr<TRecentFiles> Recent; // the files last opened or saved
};
