// Patterns through the clipboard: copy puts the selection, or else the live cells, there as
// RLE; paste reads the clipboard's text as "Spel openen" reads a file and lets the pattern
// float over the world under the pointer until a left click places it.

#include "app/busyguard.h"
#include "app/programinfo.h"
#include "app/ulife.h"
#include "display/framelimiter.h"
#include "display/worldimage.h"
#include "edit/paste.h"
#include "edit/worldhistory.h"
#include "patterns/lifelines.h"
#include "patterns/pastetext.h"
#include "patterns/patternformats.h"
#include "patterns/rlewriter.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>

void TLifeForm::MenuCopyClick() {
    CopyGame();
}

void TLifeForm::MenuPasteClick() {
    PasteGame();
}

// During a run the picture may lag the engine by up to a frame; it is brought up first, so
// what is copied is what is seen. A selection is copied as its whole rectangle.
void TLifeForm::CopyGame() {
    GenerationFrames->Flush();
    const QString Title = QString::fromLatin1(ProgramInfo::Title);
    const QByteArray Rle =
        Selection.Exists() ? RleText(Engine, Title, Selection.Cells()) : RleText(Engine, Title);
    if (Rle.isEmpty()) {
        MessagePanel()->setText(
            Selection.Exists() ? QStringLiteral("Er leven geen cellen in de selectie: er "
                                                "is niets gekopieerd.")
                               : QStringLiteral("Er leven geen cellen: er is niets gekopieerd."));
        return;
    }
    QGuiApplication::clipboard()->setText(QString::fromLatin1(Rle));
}

// The clipboard's text is read as a file's bytes would be, under the same bound; only a
// pattern floats, and nothing changes until it is placed. A paste that floats already is
// replaced.
void TLifeForm::PasteGame() {
    StopRunning();
    const QMimeData* Data = QGuiApplication::clipboard()->mimeData();
    const QString Text = Data && Data->hasText() ? Data->text() : QString();
    if (Text.isEmpty()) {
        MessagePanel()->setText(
            QStringLiteral("Het klembord bevat geen tekst: er is niets geplakt."));
        return;
    }
    const QByteArray Bytes = Text.toUtf8();
    if (Bytes.size() > PatternFileMaxBytes) {
        TPatternFault Fault;
        Fault.Reason = TPatternFault::TReason::TooLarge;
        ShowOpenError(QStringLiteral("klembord"), Fault);
        return;
    }
    const std::optional<QByteArray> Pattern = PatternOfText(Bytes);
    if (!Pattern) {
        MessagePanel()->setText(
            QStringLiteral("Het klembord bevat geen patroon: er is niets geplakt."));
        return;
    }
    const TPatternRows Rows = [&Pattern, this] {
        const TBusyGuard Busy(MessagePanel());
        return ReadPatternText(*Pattern);
    }();
    if (const auto* Refused = std::get_if<TPatternFault>(&Rows)) {
        ShowOpenError(QStringLiteral("klembord"), *Refused);
        return;
    }
    if (std::get<QStringList>(Rows).isEmpty()) {
        MessagePanel()->setText(
            QStringLiteral("Het patroon op het klembord heeft geen levende cellen: er is niets "
                           "geplakt."));
        return;
    }
    if (!WorldImage)
        return;
    // Until the pointer comes over the world, the pattern waits in the middle of what is seen.
    const QSize Shown = WorldImage->View().Viewport();
    Paste = std::make_unique<TFloatingPaste>(
        TPastePattern(std::get<QStringList>(Rows)),
        WorldImage->View().CellAt(QPoint(Shown.width() / 2, Shown.height() / 2)));
    ShowPaste();
    MessagePanel()->setText(
        QStringLiteral("Klik waar het patroon moet komen; Esc of een andere muisknop breekt af."));
}

void TLifeForm::PasteMoved(const QPoint& Cell) {
    if (!Paste)
        return;
    Paste->MoveTo(Cell);
    if (WorldImage)
        WorldImage->MoveOverlay(Cell);
}

void TLifeForm::PastePressed(Qt::MouseButton Button, const QPoint& Cell) {
    if (Button == Qt::LeftButton)
        PlacePaste(Cell);
    else
        CancelPaste();
}

bool TLifeForm::CancelPaste() {
    if (!Paste)
        return false;
    Paste.reset();
    ShowPaste();
    MessagePanel()->clear();
    return true;
}

// A run started while the pattern floated stops first and becomes a step of its own.
void TLifeForm::PlacePaste(const QPoint& Cell) {
    if (!Paste)
        return;
    StopRunning();
    Paste->MoveTo(Cell);
    const std::unique_ptr<TFloatingPaste> Placed = std::move(Paste);
    ShowPaste();
    Placed->PlaceInto(Engine);
    DrawGeneration(false);
    History->Record(QStringLiteral("Plakken"));
}

bool TLifeForm::TurnPaste(void (TFloatingPaste::*Turn)()) {
    if (!Paste)
        return false;
    (Paste.get()->*Turn)();
    ShowPaste();
    return true;
}

// A new picture widget shows the paste that floats as well.
void TLifeForm::ShowPaste() {
    UpdateMenu();
    if (!WorldImage)
        return;
    if (Paste)
        WorldImage->SetOverlay(Paste->Pattern().Image(PasteColour), Paste->Corner());
    else
        WorldImage->ClearOverlay();
}
