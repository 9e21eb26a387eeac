#pragma once

// Shared test helpers: a view of the main window's state, worlds drawn as ASCII rows
// (".O." like the pattern files) and answering modal dialogs without a modal loop stall.

#include "app/ulife.h"

#include <QLabel>
#include <QRect>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>

#include "display/populationwindow.h"
#include "display/worldimage.h"
#include "edit/worldhistory.h"

// The tests' view of the private state of TLifeForm.
struct TLifeFormProbe {
    explicit TLifeFormProbe(TLifeForm& Form)
        : Form(Form), Engine(Form.Engine), HorCellSize(Form.HorCellSize),
          VertCellSize(Form.VertCellSize), Ready(Form.Ready), Stable(Form.Stable),
          Running(Form.Running), SaveOptionsOnClose(Form.SaveOptionsOnClose),
          RunClock(Form.RunClock) {}

    TLifeForm& Form;
    TLifeEngine& Engine;
    qint32& HorCellSize;
    qint32& VertCellSize;
    bool& Ready;
    bool& Stable;
    bool& Running;
    bool& SaveOptionsOnClose;
    std::function<qint64()>& RunClock;

    qint32 Generation() const { return Engine.Generation(); }
    void SetGeneration(qint32 Value) { Engine.SetGeneration(Value); }
    int HorCells() const { return Engine.HorCells(); }
    int VertCells() const { return Engine.VertCells(); }
    qint32 Wrapping() const { return Engine.Wrapping(); }
    // The world's size and wrap mode, set as a stored setting would set them.
    void SetHorCells(int Value) { Engine.SetSize(Value, Engine.VertCells()); }
    void SetVertCells(int Value) { Engine.SetSize(Engine.HorCells(), Value); }
    void SetWrapping(qint32 Value) { Engine.SetWrapping(Value); }
    QTimer* WorldTimer() const { return Form.WorldTimer; }
    QLabel* Panel(int Index) const { return Form.StatusPanels.at(size_t(Index)); }
    QStatusBar* StatusBar() const { return Form.StatusBar; }
    TWorldImage* WorldImage() const { return Form.WorldImage; }
    // The widget that shows the picture and takes the presses.
    QWidget* Viewport() const { return Form.WorldImage->viewport(); }
    const TWorldView& View() const { return Form.WorldImage->View(); }
    qint32& Zoom() const { return Form.Zoom; }
    TWorldPicture::TAllocator& AllocatePicture() const { return Form.AllocatePicture; }
    TOptionsDlg* OptionsDlg() const { return Form.OptionsDlg; }
    THelpForm* HelpForm() const { return Form.HelpForm.get(); }
    QFileDialog* OpenDialog() const { return Form.OpenDialog; }
    QFileDialog* SaveDialog() const { return Form.SaveDialog; }
    TWorldHistory& History() const { return *Form.History; }
    TSelection& Selection() const { return Form.Selection; }
    const TPopulationSeries& Population() const { return Form.Population; }
    TPopulationWindow* PopulationWindow() const { return Form.PopulationWindow.get(); }
    bool FastForwarding() const { return Form.RunAheadTimer->isActive(); }
};

// A main window as the program makes it; Shown also runs FormShow and waits until the
// window is exposed and active, so shortcuts reach it.
std::unique_ptr<TLifeForm> CreateForm();
std::unique_ptr<TLifeForm> CreateShownForm();
// A shown main window whose world has the given size, cell size, wrap mode and zoom.
std::unique_ptr<TLifeForm> CreateShownForm(int Width, int Height, int CellWidth, int CellHeight,
                                           qint32 Wrapping = wmHorizontal, qint32 Zoom = 100);

// Places rows of "O" (live) and "." (dead) with their top-left at (X, Y), setting State
// and PrevState alike, as a mouse edit would. Nothing is drawn.
void PlaceRows(TLifeForm& Form, int X, int Y, const QStringList& Rows);
// Reads the states of a rectangle back as rows of "O" and ".".
QStringList ReadRows(TLifeForm& Form, const QRect& Area);
// The number of live in-use cells.
int LiveCells(TLifeForm& Form);
// The number of live cells the engine keeps outside the in-use rectangle, anywhere in the
// room it holds for the largest world; 0 when it keeps no cells there.
int LiveCellsOutsideWorld(TLifeForm& Form);

// The colour of a picture's pixel.
QRgb PixelAt(const QImage& Picture, int X, int Y);
// The picture View must show, painted pixel by pixel: a pixel is live where a cell of its
// block is, by Live(X, Y) of the cell.
QImage PictureOfView(const TWorldView& View, const std::function<bool(int, int)>& Live);
// What the window's backing store, the pixels that go to the screen, holds of the picture.
QImage ShownOnScreen(TLifeForm& Form);
// Picture as the screen shows it: the grid on the left and top edge of every cell but the
// world's first, where the cells are large enough.
QImage WithGrid(QImage Picture, const TWorldView& View);

// Calls Answer with the next modal widget as soon as one is active; returns at once.
// Answer closes it (for instance by clicking a button). Each call answers one dialog.
void AnswerNextModal(std::function<void(QWidget*)> Answer);
// Answers the next modal message box by its default button and hands its title and text
// to the optional Inspect first.
void AcceptNextMessageBox(
    std::function<void(const QString& Title, const QString& Text)> Inspect = {});

// Writes a test file whole; a test that cannot even do that stops at once.
void WriteFile(const QString& Path, const QByteArray& Bytes);
// The bytes of a file, or "<unreadable>" when it cannot be read.
QByteArray FileBytes(const QString& Path);
// Text compressed as a gzip file, as gzip -9 writes one.
QByteArray GzipBytes(const QByteArray& Text);
