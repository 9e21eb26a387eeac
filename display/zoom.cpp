// The zoom of the view: the menu commands and Ctrl+wheel. They change what is seen, never
// the world, so they work during a run as well.

#include "app/ulife.h"
#include "display/worldimage.h"
#include "display/worldview.h"
#include "engine/livebounds.h"

#include <QAction>

#include <cstdlib>

void TLifeForm::MenuZoomInClick() {
    SetZoom(TWorldView::ZoomedIn(Zoom));
}

void TLifeForm::MenuZoomOutClick() {
    SetZoom(TWorldView::ZoomedOut(Zoom));
}

void TLifeForm::MenuZoomResetClick() {
    SetZoom(100);
}

void TLifeForm::WorldZoomAsked(int Steps, const QPoint& Global) {
    qint32 Percent = Zoom;
    for (int Step = 0; Step < std::abs(Steps); ++Step)
        Percent = Steps > 0 ? TWorldView::ZoomedIn(Percent) : TWorldView::ZoomedOut(Percent);
    SetZoom(Percent, Global);
}

// The window is sized and centred again for the new zoom, then scrolled so that the world
// point under the anchor stays there.
void TLifeForm::SetZoom(qint32 Percent, std::optional<QPoint> Anchor) {
    if (Percent == Zoom)
        return;
    Zoom = Percent;
    if (!WorldImage)
        return;
    const auto Centre = [this] {
        return WorldImage->viewport()->mapToGlobal(WorldImage->viewport()->rect().center());
    };
    const QPointF Cell = WorldImage->CellPointAt(Anchor.value_or(Centre()));
    WorldImage->SetZoom(Zoom);
    if (!FitWindow()) {
        ShowBitmapFailure();
        return;
    }
    WorldImage->ScrollToShow(Cell, Anchor.value_or(Centre()));
    ShowViewPanel();
}

// The selection where there is one, else the live cells; an empty world has nothing to find.
void TLifeForm::MenuFitPatternClick() {
    if (Selection.Exists())
        FitCells(Selection.Cells());
    else if (const QRect Live = LiveBounds(Engine); !Live.isEmpty())
        FitCells(Live);
}

void TLifeForm::FitCells(const QRect& Cells) {
    if (!WorldImage)
        return;
    if (const qint32 Level = WorldImage->ZoomToFit(Cells, PictureRoom()); Level != Zoom) {
        Zoom = Level;
        WorldImage->SetZoom(Zoom);
        if (!FitWindow()) {
            ShowBitmapFailure();
            return;
        }
        ShowViewPanel();
    }
    WorldImage->ShowCells(Cells);
}

void TLifeForm::MenuGridClick() {
    Grid = MenuGrid->isChecked();
    if (WorldImage)
        WorldImage->SetGrid(Grid);
}
