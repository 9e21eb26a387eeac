// The settings store: the six settings read at creation and written at close, and the zoom
// of the view, kept as the seventh key when it changed; and the settings command, which
// shows the six in the settings dialog and applies what changed.

#include "app/errors.h"
#include "app/extmsgdlg.h"
#include "app/ulife.h"
#include "display/worldview.h"
#include "edit/worldhistory.h"
#include "patterns/recentfiles.h"
#include "settings/inifile.h"
#include "settings/settingspaths.h"
#include "settings/strtoint.h"
#include "settings/uoptionsdlg.h"

#include <QDir>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <vector>

namespace {

const QString Afmetingen = QStringLiteral("Afmetingen");
const QString Opties = QStringLiteral("Opties");

constexpr qint32 Speeds[] = {1, 50, 100, 250, 1000};

qint32 ReadSetting(const QString& Section, const QString& Key, qint32 Current, qint32 Min,
                   qint32 Max) {
    const qint32 Value =
        SettingToInt(ReadProfileString(SettingsFile, Section, Key)).value_or(Current);
    return std::clamp(Value, Min, Max);
}

// The zoom in percent. A first start, without the key, takes the zoom of the display scale;
// any value but a level starts at 100.
qint32 StoredZoom(qreal Scale) {
    const std::optional<QString> Text =
        ReadProfileValue(SettingsFile, Opties, QStringLiteral("Zoom"));
    if (!Text)
        return TWorldView::ZoomForScale(Scale);
    const std::optional<qint32> Value = SettingToInt(*Text);
    return Value && TWorldView::IsZoomLevel(*Value) ? *Value : 100;
}

// The grid is on unless the key says 0.
bool StoredGrid() {
    return SettingToInt(ReadProfileString(SettingsFile, Opties, QStringLiteral("Raster")))
               .value_or(1) != 0;
}

struct TSettingKey {
    const QString& Section;
    QString Key;
    qint32 Value;
};

// A key of "Opties" that is written only when it changed since the start.
void AddIfChanged(std::vector<TSettingKey>& Keys, const QString& Key, qint32 Now, qint32 AtStart) {
    if (Now != AtStart)
        Keys.push_back({Opties, Key, Now});
}

// Creates the folder if needed, then writes the keys in their order and the recent files'
// section when given; a failure is shown and ends the writing.
void WriteSettings(const std::vector<TSettingKey>& Keys,
                   const std::optional<QList<TIniEntry>>& RecentFiles) {
    errno = 0;
    if (!FolderExists(SettingsDir) && !CreateFolderPath(SettingsDir)) {
        const int Code = LastSystemError();
        ExtMessageDlg(
            QStringLiteral("Helaas is er wat misgegaan bij het opslaan van de instellingen:"
                           "\r\rDe map \"%1\"\r\rkon niet worden aangemaakt.\r\r%2")
                .arg(QDir::toNativeSeparators(SettingsDir), ErrorText(Code)),
            mtError, mbOK, 0);
        return;
    }
    const auto ShowFailure = [](int Code) {
        ExtMessageDlg(QStringLiteral("Helaas is er wat misgegaan bij het opslaan van de "
                                     "instellingen in het bestand:\r\r%1\r\r%2")
                          .arg(QDir::toNativeSeparators(SettingsFile), ErrorText(Code)),
                      mtError, mbOK, 0);
    };
    int Code = 0;
    for (const auto& [Section, Key, Value] : Keys) {
        if (!WriteProfileString(SettingsFile, Section, Key, QString::number(Value), Code)) {
            ShowFailure(Code);
            return;
        }
    }
    if (RecentFiles &&
        !WriteProfileSection(SettingsFile, TRecentFiles::Section, *RecentFiles, Code))
        ShowFailure(Code);
}

} // namespace

bool TLifeForm::LoadOptions() {
    const qint32 NewHorCells =
        ReadSetting(Afmetingen, QStringLiteral("HorCells"), HorCells(), 320, 1280);
    const qint32 NewVertCells =
        ReadSetting(Afmetingen, QStringLiteral("VertCells"), VertCells(), 240, 1024);
    Engine.SetSize(NewHorCells, NewVertCells);
    HorCellSize = ReadSetting(Afmetingen, QStringLiteral("HorCellGrootte"), HorCellSize, 1, 2);
    VertCellSize = ReadSetting(Afmetingen, QStringLiteral("VertCellGrootte"), VertCellSize, 1, 2);
    Engine.SetWrapping(ReadSetting(Opties, QStringLiteral("Wrapping"), Wrapping(), wmNone, wmBoth));
    const qint32 Interval =
        ReadSetting(Opties, QStringLiteral("TimerInterval"), WorldTimer->interval(), 1, 1000);
    if (std::find(std::begin(Speeds), std::end(Speeds), Interval) != std::end(Speeds))
        WorldTimer->setInterval(Interval);
    Zoom = ZoomAtStart = StoredZoom(devicePixelRatioF());
    Grid = GridAtStart = StoredGrid();
    Recent->Load(ReadProfileSection(SettingsFile, TRecentFiles::Section));
    return true;
}

// The six keys, and what else changed.
void TLifeForm::SaveOptions() {
    std::vector<TSettingKey> Keys = {
        {Afmetingen, QStringLiteral("HorCells"), HorCells()},
        {Afmetingen, QStringLiteral("VertCells"), VertCells()},
        {Afmetingen, QStringLiteral("HorCellGrootte"), HorCellSize},
        {Afmetingen, QStringLiteral("VertCellGrootte"), VertCellSize},
        {Opties, QStringLiteral("Wrapping"), Wrapping()},
        {Opties, QStringLiteral("TimerInterval"), WorldTimer->interval()},
    };
    AddIfChanged(Keys, QStringLiteral("Zoom"), Zoom, ZoomAtStart);
    AddIfChanged(Keys, QStringLiteral("Raster"), Grid, GridAtStart);
    WriteSettings(Keys, Recent->Changed() ? std::optional(Recent->Entries()) : std::nullopt);
}

void TLifeForm::SaveChangedOptions() {
    std::vector<TSettingKey> Keys;
    AddIfChanged(Keys, QStringLiteral("Zoom"), Zoom, ZoomAtStart);
    AddIfChanged(Keys, QStringLiteral("Raster"), Grid, GridAtStart);
    if (!Keys.empty() || Recent->Changed())
        WriteSettings(Keys, Recent->Changed() ? std::optional(Recent->Entries()) : std::nullopt);
}

void TLifeForm::MenuOptionsClick() {
    DoOptionsDlg();
}

// The world stays stopped whatever the outcome. The settings file is only written at close.
void TLifeForm::DoOptionsDlg() {
    StopRunning();
    UpdateMenu();
    OptionsDlg->SetLifeX(HorCells());
    OptionsDlg->SetLifeY(VertCells());
    OptionsDlg->SetCellX(HorCellSize);
    OptionsDlg->SetCellY(VertCellSize);
    OptionsDlg->SetWrapMode(Wrapping());
    OptionsDlg->SetInterval(WorldTimer->interval());
    if (OptionsDlg->exec() != QDialog::Accepted)
        return;

    SaveOptionsOnClose = true;
    const bool SizeChanged =
        OptionsDlg->LifeX() != HorCells() || OptionsDlg->LifeY() != VertCells();
    if (SizeChanged || OptionsDlg->CellX() != HorCellSize || OptionsDlg->CellY() != VertCellSize) {
        ResizeTheWorld(OptionsDlg->LifeX(), OptionsDlg->LifeY(), OptionsDlg->CellX(),
                       OptionsDlg->CellY());
    }
    // After the resize, so the border is relinked for the new size.
    if (OptionsDlg->WrapMode() != Wrapping())
        SetWrapping(OptionsDlg->WrapMode());
    // Size, cell size and wrap mode are one step, so an undo brings all three back together;
    // nothing is recorded when none of them changed.
    History->Record(SizeChanged
                        ? QStringLiteral("Wereldgrootte %1 x %2").arg(HorCells()).arg(VertCells())
                        : QStringLiteral("Instellingen"));
    // The timer stays disabled; the new speed counts from the next start.
    if (OptionsDlg->Interval() != WorldTimer->interval())
        WorldTimer->setInterval(OptionsDlg->Interval());
}
