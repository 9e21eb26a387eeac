// Patterns through the clipboard: copy puts the live cells there as RLE, and paste opens
// the clipboard's text as "Spel openen" opens a file.

#include "app/programinfo.h"
#include "app/ulife.h"
#include "display/framelimiter.h"
#include "patterns/lifelines.h"
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
// what is copied is what is seen.
void TLifeForm::CopyGame() {
    GenerationFrames->Flush();
    const QByteArray Rle = RleText(Engine, QString::fromLatin1(ProgramInfo::Title));
    if (Rle.isEmpty()) {
        MessagePanel()->setText(QStringLiteral("Er leven geen cellen: er is niets gekopieerd."));
        return;
    }
    QGuiApplication::clipboard()->setText(QString::fromLatin1(Rle));
}

// The clipboard's text is read as a file's bytes would be, under the same bound.
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
    TPatternFault Fault;
    if (Bytes.size() > PatternFileMaxBytes)
        Fault.Reason = TPatternFault::TReason::TooLarge;
    if (Bytes.size() > PatternFileMaxBytes ||
        !PlacePattern(Bytes, QStringLiteral("Plakken"), &Fault))
        ShowOpenError(QStringLiteral("klembord"), Fault);
}
