// Pattern files: the open and save commands, a file dropped on the window, and the trimming
// of lines to their live cells.

#include "app/busyguard.h"
#include "app/errors.h"
#include "app/extmsgdlg.h"
#include "app/ulife.h"
#include "display/worldimage.h"
#include "edit/worldhistory.h"
#include "engine/livebounds.h"
#include "patterns/filenames.h"
#include "patterns/lifelines.h"
#include "patterns/patternformats.h"
#include "patterns/recentfiles.h"
#include "patterns/rlewriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <limits>
#include <optional>

void TLifeForm::MenuSaveGameClick() {
    SaveGame();
}

void TLifeForm::MenuOpenGameClick() {
    OpenGame();
}

// The cells as saved are the state a close need not ask about.
bool TLifeForm::SaveGame() {
    StopRunning();
    if (SaveDialog->exec() != QDialog::Accepted)
        return false;
    const QString Path = SaveDialog->selectedFiles().value(0);
    if (const int ErrorCode = WritePattern(Path); ErrorCode != 0) {
        ExtMessageDlg(QStringLiteral("Fout bij opslaan van bestand:\r%1\r\r%2")
                          .arg(QDir::toNativeSeparators(Path), ErrorText(ErrorCode)),
                      mtError, mbOK, 0);
        return false;
    }
    History->Stack().setClean();
    Recent->Add(Path);
    UpdateRecentMenu();
    return true;
}

namespace {

bool IsRleName(const QString& Path) {
    return Path.endsWith(QLatin1String(".rle"), Qt::CaseInsensitive);
}

} // namespace

// A name ending in ".rle" is saved as RLE, which other Life programs read; every other
// name in the program's own layout.
int TLifeForm::WritePattern(const QString& Path) {
    const TBusyGuard Busy(
        MessagePanel(),
        QStringLiteral("Bezig %1 x %2  cellen te verwerken...").arg(HorCells()).arg(VertCells()));
    if (IsRleName(Path))
        return WriteLifeFile(Path, RleFileText(Engine, PatternName(Path)));
    QStringList Lines = PatternRows(Engine);
    TrimLifeLines(Lines);
    Lines.prepend(NameLine(Path));
    return WriteLifeFile(Path, LifeFileBytes(Lines));
}

namespace {

QString FormatName(TPatternFormat Format) {
    switch (Format) {
    case TPatternFormat::Life105:
        return QStringLiteral("Life 1.05");
    case TPatternFormat::Life106:
        return QStringLiteral("Life 1.06");
    case TPatternFormat::Rle:
        return QStringLiteral("RLE");
    case TPatternFormat::Macrocell:
        return QStringLiteral("macrocell");
    case TPatternFormat::WikiPlaintext:
    case TPatternFormat::PlainText:
        break;
    }
    return {};
}

// Why the text did not open, in a sentence of its own.
QString FaultReason(const TPatternFault& Fault) {
    using TReason = TPatternFault::TReason;
    const QString Bound = QStringLiteral("%1 MB").arg(PatternFileMaxBytes / (1024 * 1024));
    switch (Fault.Reason) {
    case TReason::BrokenFormat:
        break;
    case TReason::TooLarge:
        return QStringLiteral("De inhoud is groter dan %1.").arg(Bound);
    case TReason::TooLargeUnpacked:
        return QStringLiteral("De inhoud is uitgepakt groter dan %1.").arg(Bound);
    case TReason::BrokenGzip:
        return QStringLiteral("Het gzip-bestand is beschadigd of onvolledig.");
    case TReason::Folder:
        return QStringLiteral("Dit is een map, geen bestand.");
    case TReason::NotRegularFile:
        return QStringLiteral("Dit is geen gewoon bestand, maar bijvoorbeeld een pipe of een "
                              "apparaat.");
    case TReason::System:
        return ErrorText(Fault.SystemError);
    }
    if (!Fault.Rule.isEmpty()) {
        // The rule is the file's own text: a long one would stretch the message past the
        // screen.
        constexpr qsizetype LongestRuleShown = 40;
        const QString Rule = Fault.Rule.size() > LongestRuleShown
                                 ? Fault.Rule.left(LongestRuleShown) + QStringLiteral("...")
                                 : Fault.Rule;
        return QStringLiteral("Dit bestand gebruikt de regel %1; dit programma speelt alleen "
                              "B3/S23.")
            .arg(Rule);
    }
    const QString Format = FormatName(Fault.Format);
    return Format.isEmpty()
               ? QStringLiteral("De inhoud is geen geldig patroon.")
               : QStringLiteral("De inhoud volgt de regels van het formaat %1 niet.").arg(Format);
}

// The open error: the name, then why.
QString OpenErrorText(const QString& Path, const TPatternFault& Fault) {
    return QStringLiteral("Fout bij openen van bestand:\r%1\r\r%2")
        .arg(QDir::toNativeSeparators(Path), FaultReason(Fault));
}

} // namespace

void TLifeForm::OpenGame() {
    StopRunning();
    if (OpenDialog->exec() != QDialog::Accepted)
        return;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    OpenGameFile(OpenDialog->selectedFiles().value(0));
}

// A file that does not open leaves the recent files.
void TLifeForm::OpenGameFile(const QString& Path) {
    if (TPatternFault Fault; !ReadPattern(Path, &Fault)) {
        Recent->Remove(Path);
        UpdateRecentMenu();
        ShowOpenError(Path, Fault);
        return;
    }
    Recent->Add(Path);
    UpdateRecentMenu();
    FinishOpen();
}

// The cells as opened are the state a close need not ask about; the view shows the opened
// pattern's top-left corner.
void TLifeForm::FinishOpen() {
    History->Stack().setClean();
    if (WorldImage)
        WorldImage->ShowCells(LiveBounds(Engine));
}

void TLifeForm::MenuRecentFileClick(const QString& Path) {
    StopRunning();
    OpenGameFile(Path);
}

void TLifeForm::MenuClearRecentClick() {
    Recent->Clear();
    UpdateRecentMenu();
}

void TLifeForm::UpdateRecentMenu() {
    Recent->FillMenu(
        *MenuRecent, [this](const QString& Path) { MenuRecentFileClick(Path); },
        [this] { MenuClearRecentClick(); });
}

void TLifeForm::ShowOpenError(const QString& Name, const TPatternFault& Fault) {
    ExtMessageDlg(OpenErrorText(Name, Fault), mtError, mbOK, 0);
}

namespace {

// The one local file a drag carries; a folder, a web address, a file on another host,
// text or several files are nothing to open.
std::optional<QString> DraggedFile(const QMimeData* Data) {
    const QList<QUrl> Urls = Data ? Data->urls() : QList<QUrl>();
    const std::optional<QString> Path =
        Urls.size() == 1 ? LocalFileOfUrl(Urls.first()) : std::nullopt;
    if (!Path || QFileInfo(*Path).isDir())
        return std::nullopt;
    return Path;
}

// The file is only read: taken as a move, the file manager it came from would delete it.
std::optional<QString> TakeAsCopy(QDropEvent& Event) {
    std::optional<QString> Path = DraggedFile(Event.mimeData());
    if (!Path || !Event.possibleActions().testFlag(Qt::CopyAction))
        return std::nullopt;
    Event.setDropAction(Qt::CopyAction);
    Event.accept();
    return Path;
}

} // namespace

void TLifeForm::dragEnterEvent(QDragEnterEvent* Event) {
    TakeAsCopy(*Event);
}

void TLifeForm::dragMoveEvent(QDragMoveEvent* Event) {
    TakeAsCopy(*Event);
}

// The run stops at once, as for the open command. The file opens once the drop is done: the
// program it came from waits for the drop's end, and would wait through an open error.
void TLifeForm::dropEvent(QDropEvent* Event) {
    const std::optional<QString> Path = TakeAsCopy(*Event);
    if (!Path)
        return;
    StopRunning();
    QTimer::singleShot(0, this, [this, Path = *Path] { OpenGameFile(Path); });
}

bool TLifeForm::ReadPattern(const QString& Path, TPatternFault* Fault, TPlacement Placement) {
    const TBusyGuard Busy(MessagePanel());
    if (const std::optional<QByteArray> Bytes = ReadLifeFile(Path, PatternFileMaxBytes, Fault))
        return PlacePattern(*Bytes, QStringLiteral("Spel openen"), Fault, Placement);
    return false;
}

// The world is emptied only once the whole text has been read, so a text that breaks its
// format or plays another rule leaves the world, its picture, Generation and the history as
// they were.
bool TLifeForm::PlacePattern(const QByteArray& Bytes, const QString& Caption, TPatternFault* Fault,
                             TPlacement Placement) {
    TBusyGuard Busy(MessagePanel());
    const TPatternRows Rows = ReadPatternText(Bytes);
    if (const auto* Refused = std::get_if<TPatternFault>(&Rows)) {
        if (Fault)
            *Fault = *Refused;
        return false;
    }
    // Only now: an open that fails shows no drawing that never comes.
    Busy.Show(QStringLiteral("Bezig met tekenen van %1 x %2 celllen...")
                  .arg(HorCells())
                  .arg(VertCells()));
    KillAllCells();
    Engine.SetGeneration(0);
    const QStringList& Lines = std::get<QStringList>(Rows);
    PlaceLifeLines(Lines, Engine,
                   Placement == TPlacement::Centred ? CentredPlace(Lines, Engine) : QPoint());
    DrawGeneration(true);
    History->Record(Caption);
    return true;
}

// Columns count from 1, rows from 0. A row shorter than Left holds only dead characters
// and is left as it is; a later line that begins with "!" or "#" is an ordinary row.
void TLifeForm::TrimLifeLines(QStringList& Lines) {
    if (!Lines.isEmpty() && IsCommentLine(Lines.first()))
        Lines.removeFirst();

    qsizetype Left = std::numeric_limits<qsizetype>::max();
    qsizetype Right = 1;
    qsizetype Top = Lines.size();
    qsizetype Bottom = 0;
    for (qsizetype R = 0; R < Lines.size(); ++R) {
        const QString& Line = Lines[R];
        for (qsizetype C = 1; C <= Line.size(); ++C) {
            if (!IsLiveChar(Line[C - 1]))
                continue;
            Left = std::min(Left, C);
            Right = std::max(Right, C);
            Top = std::min(Top, R);
            Bottom = std::max(Bottom, R);
        }
    }

    for (qsizetype R = 0; R <= Bottom && R < Lines.size(); ++R) {
        QString& Line = Lines[R];
        if (Line.size() > Right)
            Line.truncate(Right);
        if (Left > 1 && Line.size() >= Left)
            Line.remove(0, Left - 1);
    }
    if (Lines.size() > Bottom + 1)
        Lines.erase(Lines.begin() + Bottom + 1, Lines.end());
    Lines.erase(Lines.begin(), Lines.begin() + std::min(Top, Lines.size()));
}
