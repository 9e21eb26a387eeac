// The picture of the world: WorldImage shows the engine's cells, drawn from them when seen.

#include "app/extmsgdlg.h"
#include "app/placement.h"
#include "app/programinfo.h"
#include "app/ulife.h"
#include "display/worldimage.h"

#include <QLayout>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>

void TLifeForm::DrawEmptyWorld() {
    delete WorldImage;
    WorldImage = new TWorldImage(ClientArea, Engine, LiveColour, DeadColour, AllocatePicture);
    connect(WorldImage, &TWorldImage::MouseDown, this,
            [this](Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
                WorldMouseDown(Button, Shift, X, Y);
            });
    connect(WorldImage, &TWorldImage::MouseMoved, this, &TLifeForm::WorldMouseMove);
    connect(WorldImage, &TWorldImage::MouseUp, this, &TLifeForm::WorldMouseUp);
    connect(WorldImage, &TWorldImage::ZoomAsked, this, &TLifeForm::WorldZoomAsked);
    connect(WorldImage, &TWorldImage::OverlayMoved, this, &TLifeForm::PasteMoved);
    connect(WorldImage, &TWorldImage::OverlayPressed, this, &TLifeForm::PastePressed);
    WorldImage->move(0, 0);
    WorldImage->SetWorld(HorCells(), VertCells(), HorCellSize, VertCellSize, Zoom);
    Selection.FitInto(QSize(HorCells(), VertCells()));
    WorldImage->ShowSelection(Selection.Cells());
    WorldImage->SetGrid(Grid);
    if (!FitWindow()) {
        ShowBitmapFailure();
        return;
    }
    WorldImage->show();
    WorldImage->setFocus(); // the plain arrow keys scroll
    DrawBackGround();
    ShowPaste();
}

// The window fits the zoomed picture and the status bar, but never more than the available
// area of its screen, its frame included; the world scrolls inside a window that fills it.
// The new size and place go to the window manager in one request, so the window never
// shows the new size at the old place. False when there is no memory for the picture.
bool TLifeForm::FitWindow() {
    const QRect Area = AvailableOf(*this);
    // The frame asked of the window manager before the first show is that of a window of a
    // fixed size: a resizable one may get a resize handle.
    FixNativeSize(*this, size());
    if (!WorldImage->FitInto(PictureRoom()))
        return false;
    // The picture can be narrower than the menu bar (at a high display scale too, where it
    // shows 1:1 in device pixels) or than the status bar's lower line; the window then keeps
    // their width, so no menu folds away and no panel is cut.
    ClientArea->setFixedSize(std::max({WorldImage->width(), menuBar()->sizeHint().width(),
                                       StatusBar->minimumSizeHint().width()}),
                             WorldImage->height() + 1);
    PlaceWindow(*this, layout()->totalSizeHint(),
                [Area](const QSize& Size) { return CentredOnScreen(Area, Size); });
    layout()->activate();
    return true;
}

// One row of the window's own background separates the picture from the status bar.
QSize TLifeForm::PictureRoom() const {
    const int Bars = menuBar()->sizeHint().height() + StatusBar->sizeHint().height() + 1;
    return AvailableOf(*this).size().shrunkBy(FrameMargins(*this)) - QSize(0, Bars);
}

// The program ends: nothing is drawn any more, and the settings file is left alone.
void TLifeForm::ShowBitmapFailure() {
    // Not StopRunning: the world's last state is no step of the history any more.
    WorldTimer->stop();
    Running = false;
    // Deleted later: a Ctrl+wheel zoom that failed is still being delivered to it.
    WorldImage->hide();
    WorldImage->deleteLater();
    WorldImage = nullptr;
    CenterOnMainForm = false;
    StartFile.clear(); // the program ends without a picture to open it on
    const QString Msg =
        QStringLiteral("Er is iets misgegaan bij het aanmaken van een interne bitmap.\r"
                       "Uw systeem ondersteunt mogelijk geen 24-bits bitmaps\r"
                       "\r"
                       "Dit kan te maken hebben met de instellingen van uw videokaart.\r"
                       "Voor een juiste werking van het programma wordt een instelling\r"
                       "van uw beeldscherm op minimaal \"hoge kleuren\" (16-bit) aanbevolen.\r"
                       "\r"
                       "Mocht u het probleem niet kunnen oplossen, meldt het dan via de website:\r"
                       "\r") +
        QString::fromLatin1(ProgramInfo::WebSite);
    ExtMessageDlg(Msg, mtError, mbOK, 0);
    SaveOptionsOnClose = false;
    ZoomAtStart = Zoom;
    QTimer::singleShot(0, this, &QWidget::close);
}

void TLifeForm::DrawBackGround() {
    WorldImage->Clear();
}

void TLifeForm::DrawCell(int X, int Y, QRgb Colour, bool ScreenToo) {
    WorldImage->PaintCell(X, Y, Colour == LiveColour, ScreenToo);
}

// A generation only tells whether it changed anything. The picture follows the engine when
// it is seen: at once outside a run, and during one once a display frame, together with the
// status panels (UpdateStatusBar), so the picture always shows the generation they name.
void TLifeForm::DrawGeneration(bool ForceAll) {
    if (!WorldImage)
        return;
    if (ForceAll) {
        WorldImage->Redraw();
        Stable = false;
    } else {
        Stable = !Engine.Changed();
        if (!Running)
            WorldImage->Follow();
    }
    UpdateStatusBar();
}
