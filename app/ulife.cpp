// The main window: creation, show, close and destroy, the menus and the status bar.

#include "app/ulife.h"
#include "app/about.h"
#include "app/extmsgdlg.h"
#include "app/placement.h"
#include "app/programinfo.h"
#include "app/savedialog.h"
#include "app/uhelp.h"
#include "display/framelimiter.h"
#include "display/populationwindow.h"
#include "display/worldimage.h"
#include "edit/paste.h"
#include "edit/worldhistory.h"
#include "patterns/examples.h"
#include "patterns/lifelines.h"
#include "patterns/recentfiles.h"
#include "settings/uoptionsdlg.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCompleter>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSettings>
#include <QShowEvent>
#include <QStatusBar>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <utility>

namespace {

// One row of the menu table; a row without Item is a separator.
struct TMenuEntry {
    QMenu* TLifeForm::*Menu;
    const char* Name;
    QAction* TLifeForm::*Item;
    const char* Caption;
    QKeyCombination Shortcut;
    void (TLifeForm::*Handler)();
};

// The file dialogs keep their folder history and view in Qt's own settings file, which
// they write when they are destroyed. This program keeps nothing but its INI file, so Qt's
// settings go to a resource folder, where no file can be made: the dialogs then remember
// their folder, name and filter for the session only.
void KeepQtSettingsOffDisk() {
    for (const QSettings::Format Format : {QSettings::NativeFormat, QSettings::IniFormat}) {
        for (const QSettings::Scope Scope : {QSettings::UserScope, QSettings::SystemScope})
            QSettings::setPath(Format, Scope, QStringLiteral(":/no-settings"));
    }
}

// A closed dialog of the main window leaves nothing behind. Enter in a file dialog's name
// field closes the dialog with its completion list still open, and Qt leaves that list on
// screen, where it keeps the keyboard. Without a window manager nobody hands the keyboard
// back either.
void TidyUpAfterDialog(QWidget* Dialog, QWidget* ReturnTo) {
    for (const QCompleter* Completer : Dialog->findChildren<QCompleter*>())
        Completer->popup()->hide();
    ReturnTo->activateWindow();
}

} // namespace

TLifeForm::TLifeForm(QWidget* Parent) : QMainWindow(Parent) {
    FormCreate();
    OptionsDlg = new TOptionsDlg(this);
    HelpForm = std::make_unique<THelpForm>();
}

TLifeForm::~TLifeForm() {
    FormDestroy();
}

void TLifeForm::FormCreate() {
    setWindowTitle(QString::fromLatin1(ProgramInfo::Title));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    // The window is sized to the picture by FitWindow alone, which holds its native window at
    // that size (FixNativeSize): no layout ever touches its limits.
    layout()->setSizeConstraint(QLayout::SetNoConstraint);

    ClientArea = new QWidget(this);
    ClientArea->setObjectName(QStringLiteral("ClientArea"));
    ClientArea->setAutoFillBackground(true);
    QPalette Shadow = ClientArea->palette();
    Shadow.setColor(QPalette::Window, Shadow.color(QPalette::Dark));
    ClientArea->setPalette(Shadow);
    setCentralWidget(ClientArea);

    Recent = std::make_unique<TRecentFiles>();
    CreateMenus();
    CreateStatusBar();
    WorldTimer = new QTimer(this);
    WorldTimer->setTimerType(Qt::PreciseTimer);
    WorldTimer->setInterval(100);
    connect(WorldTimer, &QTimer::timeout, this, &TLifeForm::WorldTimerTimer);
    RunAheadTimer = new QTimer(this);
    RunAheadTimer->setInterval(0);
    connect(RunAheadTimer, &QTimer::timeout, this, &TLifeForm::RunAheadSlice);

    for (QAction* Large :
         {MenuMoveLeftLarge, MenuMoveRightLarge, MenuMoveUpLarge, MenuMoveDownLarge})
        Large->setText(Large->text().replace(QLatin1String("%d"), QString::number(LargeStep)));

    SaveOptionsOnClose = !LoadOptions();
    UpdateRecentMenu();
    MenuGrid->setChecked(Grid);
    InitLife();
    MakeConnections(false);
    CreateHistory();
    CreatePopulation();
    CreateFileDialogs();
    setAcceptDrops(true);

    // Runs UpdateMenu before any shortcut of this window is matched, so a disabled
    // command is ignored from the keyboard as well.
    qApp->installEventFilter(this);
}

void TLifeForm::CreateMenus() {
    static const TMenuEntry Entries[] = {
        {&TLifeForm::MenuBestand, "MenuNewGame", &TLifeForm::MenuNewGame, "&Nieuw spel",
         Qt::CTRL | Qt::Key_N, &TLifeForm::MenuNewGameClick},
        {&TLifeForm::MenuBestand, nullptr, nullptr, nullptr, {}, nullptr},
        {&TLifeForm::MenuBestand, "MenuOpenGame", &TLifeForm::MenuOpenGame, "Spel openen",
         Qt::CTRL | Qt::Key_O, &TLifeForm::MenuOpenGameClick},
        {&TLifeForm::MenuBestand, "MenuSaveGame", &TLifeForm::MenuSaveGame, "Spel op&slaan",
         Qt::CTRL | Qt::Key_S, &TLifeForm::MenuSaveGameClick},
        {&TLifeForm::MenuBestand, nullptr, nullptr, nullptr, {}, nullptr},
        {&TLifeForm::MenuBestand, "MenuCloseGame", &TLifeForm::MenuCloseGame, "&Afsluiten",
         Qt::ALT | Qt::Key_F4, &TLifeForm::MenuCloseGameClick},
        {&TLifeForm::MenuBewerken, "MenuUndo", &TLifeForm::MenuUndo, "&Ongedaan maken",
         Qt::CTRL | Qt::Key_Z, &TLifeForm::MenuUndoClick},
        {&TLifeForm::MenuBewerken, "MenuRedo", &TLifeForm::MenuRedo, "Op&nieuw",
         Qt::CTRL | Qt::Key_Y, &TLifeForm::MenuRedoClick},
        {&TLifeForm::MenuBewerken, nullptr, nullptr, nullptr, {}, nullptr},
        {&TLifeForm::MenuBewerken, "MenuCut", &TLifeForm::MenuCut, "K&nippen", Qt::CTRL | Qt::Key_X,
         &TLifeForm::MenuCutClick},
        {&TLifeForm::MenuBewerken, "MenuCopy", &TLifeForm::MenuCopy, "&Kopiëren",
         Qt::CTRL | Qt::Key_C, &TLifeForm::MenuCopyClick},
        {&TLifeForm::MenuBewerken, "MenuPaste", &TLifeForm::MenuPaste, "&Plakken",
         Qt::CTRL | Qt::SHIFT | Qt::Key_V, &TLifeForm::MenuPasteClick},
        {&TLifeForm::MenuBewerken, nullptr, nullptr, nullptr, {}, nullptr},
        {&TLifeForm::MenuBewerken, "MenuDelete", &TLifeForm::MenuDelete, "&Wissen",
         QKeyCombination(Qt::Key_Delete), &TLifeForm::MenuDeleteClick},
        {&TLifeForm::MenuBewerken, "MenuClearOutside", &TLifeForm::MenuClearOutside,
         "Wissen b&uiten selectie", QKeyCombination::fromCombined(0),
         &TLifeForm::MenuClearOutsideClick},
        {&TLifeForm::MenuBewerken, "MenuRandomFill", &TLifeForm::MenuRandomFill,
         "Willekeurig &vullen", QKeyCombination::fromCombined(0), &TLifeForm::MenuRandomFillClick},
        {&TLifeForm::MenuBewerken, nullptr, nullptr, nullptr, {}, nullptr},
        {&TLifeForm::MenuBewerken, "MenuSelectAll", &TLifeForm::MenuSelectAll, "Alles &selecteren",
         Qt::CTRL | Qt::Key_A, &TLifeForm::MenuSelectAllClick},
        {&TLifeForm::MenuBewerken, "MenuSelectNone", &TLifeForm::MenuSelectNone,
         "Selectie &opheffen", QKeyCombination(Qt::Key_Escape), &TLifeForm::MenuSelectNoneClick},
        {&TLifeForm::MenuSpel, "MenuStartGame", &TLifeForm::MenuStartGame, "&Start / stop spel",
         QKeyCombination(Qt::Key_F3), &TLifeForm::MenuStartGameClick},
        {&TLifeForm::MenuSpel, "MenuOneStep", &TLifeForm::MenuOneStep, "&Een stap vooruit",
         QKeyCombination(Qt::Key_F8), &TLifeForm::MenuOneStepClick},
        {&TLifeForm::MenuSpel, "MenuFastForward", &TLifeForm::MenuFastForward, "Snel &vooruit",
         QKeyCombination(Qt::Key_F4), &TLifeForm::MenuFastForwardClick},
        {&TLifeForm::MenuSpel, "MenuGoToGeneration", &TLifeForm::MenuGoToGeneration,
         "&Ga naar generatie...", Qt::CTRL | Qt::Key_G, &TLifeForm::MenuGoToGenerationClick},
        {&TLifeForm::MenuSpel, nullptr, nullptr, nullptr, {}, nullptr},
        {&TLifeForm::MenuSpel, "MenuMoveLeft", &TLifeForm::MenuMoveLeft, "Verplaats naar &links",
         Qt::CTRL | Qt::Key_Left, &TLifeForm::MenuMoveLeftClick},
        {&TLifeForm::MenuSpel, "MenuMoveRight", &TLifeForm::MenuMoveRight, "Verplaats naar &rechts",
         Qt::CTRL | Qt::Key_Right, &TLifeForm::MenuMoveRightClick},
        {&TLifeForm::MenuSpel, "MenuMoveUp", &TLifeForm::MenuMoveUp, "Verplaats naar bo&ven",
         Qt::CTRL | Qt::Key_Up, &TLifeForm::MenuMoveUpClick},
        {&TLifeForm::MenuSpel, "MenuMoveDown", &TLifeForm::MenuMoveDown, "Verplaats naar &beneden",
         Qt::CTRL | Qt::Key_Down, &TLifeForm::MenuMoveDownClick},
        {&TLifeForm::MenuSpel, nullptr, nullptr, nullptr, {}, nullptr},
        {&TLifeForm::MenuSpel, "MenuMoveLeftLarge", &TLifeForm::MenuMoveLeftLarge,
         "Verplaats %d naar links", Qt::CTRL | Qt::SHIFT | Qt::Key_Left,
         &TLifeForm::MenuMoveLeftLargeClick},
        {&TLifeForm::MenuSpel, "MenuMoveRightLarge", &TLifeForm::MenuMoveRightLarge,
         "Verplaats %d naar rechts", Qt::CTRL | Qt::SHIFT | Qt::Key_Right,
         &TLifeForm::MenuMoveRightLargeClick},
        {&TLifeForm::MenuSpel, "MenuMoveUpLarge", &TLifeForm::MenuMoveUpLarge,
         "Verplaats %d naar boven", Qt::CTRL | Qt::SHIFT | Qt::Key_Up,
         &TLifeForm::MenuMoveUpLargeClick},
        {&TLifeForm::MenuSpel, "MenuMoveDownLarge", &TLifeForm::MenuMoveDownLarge,
         "Verplaats %d naar beneden", Qt::CTRL | Qt::SHIFT | Qt::Key_Down,
         &TLifeForm::MenuMoveDownLargeClick},
        {&TLifeForm::MenuSpel, nullptr, nullptr, nullptr, {}, nullptr},
        {&TLifeForm::MenuSpel, "MenuFlipHorizontal", &TLifeForm::MenuFlipHorizontal,
         "&Horizontaal spiegelen", Qt::CTRL | Qt::Key_H, &TLifeForm::MenuFlipHorizontalClick},
        {&TLifeForm::MenuSpel, "MenuFlipVertical", &TLifeForm::MenuFlipVertical,
         "&Verticaal spiegelen", Qt::CTRL | Qt::Key_V, &TLifeForm::MenuFlipVerticalClick},
        {&TLifeForm::MenuSpel, nullptr, nullptr, nullptr, {}, nullptr},
        {&TLifeForm::MenuSpel, "MenuRotateLeft", &TLifeForm::MenuRotateLeft, "Roteer naar lin&ks",
         Qt::CTRL | Qt::Key_L, &TLifeForm::MenuRotateLeftClick},
        {&TLifeForm::MenuSpel, "MenuRotateRight", &TLifeForm::MenuRotateRight,
         "Ro&teer naar rechts", Qt::CTRL | Qt::Key_R, &TLifeForm::MenuRotateRightClick},
        {&TLifeForm::MenuSpel, "MenuRotate180", &TLifeForm::MenuRotate180, "Roteer &180 graden",
         Qt::CTRL | Qt::Key_8, &TLifeForm::MenuRotate180Click},
        {&TLifeForm::MenuBeeld, "MenuZoomIn", &TLifeForm::MenuZoomIn, "&Inzoomen",
         Qt::CTRL | Qt::Key_Plus, &TLifeForm::MenuZoomInClick},
        {&TLifeForm::MenuBeeld, "MenuZoomOut", &TLifeForm::MenuZoomOut, "&Uitzoomen",
         Qt::CTRL | Qt::Key_Minus, &TLifeForm::MenuZoomOutClick},
        {&TLifeForm::MenuBeeld, "MenuZoomReset", &TLifeForm::MenuZoomReset, "&Ware grootte",
         Qt::CTRL | Qt::Key_0, &TLifeForm::MenuZoomResetClick},
        {&TLifeForm::MenuBeeld, nullptr, nullptr, nullptr, {}, nullptr},
        {&TLifeForm::MenuBeeld,
         "MenuPopulation",
         &TLifeForm::MenuPopulation,
         "&Populatie",
         {},
         &TLifeForm::MenuPopulationClick},
        {&TLifeForm::MenuBeeld, "MenuFitPattern", &TLifeForm::MenuFitPattern, "&Patroon in beeld",
         Qt::CTRL | Qt::Key_F, &TLifeForm::MenuFitPatternClick},
        {&TLifeForm::MenuBeeld, "MenuGrid", &TLifeForm::MenuGrid, "&Raster",
         QKeyCombination::fromCombined(0), &TLifeForm::MenuGridClick},
        {&TLifeForm::MenuHelp, "MenuInstructions", &TLifeForm::MenuInstructions,
         "&Spel instructies", QKeyCombination(Qt::Key_F1), &TLifeForm::MenuInstructionsClick},
        {&TLifeForm::MenuHelp, nullptr, nullptr, nullptr, {}, nullptr},
        {&TLifeForm::MenuHelp, "MenuAbout", &TLifeForm::MenuAbout, "&Info", Qt::CTRL | Qt::Key_F1,
         &TLifeForm::MenuAboutClick},
    };

    // A global menu bar takes only menus, and "&Instelingen" is a bare item; the window's
    // size is worked out with its own menu bar too.
    menuBar()->setNativeMenuBar(false);
    MenuBestand = menuBar()->addMenu(QStringLiteral("&Bestand"));
    MenuBestand->setObjectName(QStringLiteral("MenuBestand"));
    MenuBewerken = menuBar()->addMenu(QStringLiteral("Be&werken"));
    MenuBewerken->setObjectName(QStringLiteral("MenuBewerken"));
    MenuSpel = menuBar()->addMenu(QStringLiteral("&Spel"));
    MenuSpel->setObjectName(QStringLiteral("MenuSpel"));
    MenuBeeld = menuBar()->addMenu(QStringLiteral("Beel&d"));
    MenuBeeld->setObjectName(QStringLiteral("MenuBeeld"));
    MenuOptions = menuBar()->addAction(QStringLiteral("&Instelingen"));
    MenuOptions->setObjectName(QStringLiteral("MenuOptions"));
    connect(MenuOptions, &QAction::triggered, this, &TLifeForm::MenuOptionsClick);
    MenuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    MenuHelp->setObjectName(QStringLiteral("MenuHelp"));
    for (QMenu* Menu : {MenuBestand, MenuBewerken, MenuSpel, MenuBeeld, MenuHelp})
        connect(Menu, &QMenu::aboutToShow, this, &TLifeForm::MenuClick);

    for (const TMenuEntry& Entry : Entries) {
        QMenu* Menu = this->*Entry.Menu;
        if (!Entry.Item) {
            Menu->addSeparator();
            continue;
        }
        QAction* Item = Menu->addAction(QString::fromUtf8(Entry.Caption));
        Item->setObjectName(QString::fromLatin1(Entry.Name));
        if (Entry.Shortcut.toCombined() != 0)
            Item->setShortcut(QKeySequence(Entry.Shortcut));
        connect(Item, &QAction::triggered, this, Entry.Handler);
        this->*Entry.Item = Item;
    }
    // The second keys other programs give these commands.
    MenuRedo->setShortcuts({MenuRedo->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    MenuPaste->setShortcuts({MenuPaste->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_Insert)});
    MenuExamples = new QMenu(QStringLiteral("&Voorbeelden"), MenuBestand);
    MenuExamples->setObjectName(QStringLiteral("MenuExamples"));
    MenuBestand->insertMenu(MenuSaveGame, MenuExamples);
    ListExamples(ExamplesFolder());
    MenuRecent = new QMenu(QStringLiteral("Recente &bestanden"), MenuBestand);
    MenuRecent->setObjectName(QStringLiteral("MenuRecent"));
    MenuBestand->insertMenu(MenuSaveGame, MenuRecent);
    MenuGrid->setCheckable(true);
    // Ctrl+= as well: on many keyboards "+" needs Shift.
    MenuZoomIn->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
}

void TLifeForm::CreateStatusBar() {
    StatusBar = statusBar();
    StatusBar->setSizeGripEnabled(false);
    // The messages have the whole width and two lines, where the longest one, the report
    // of a Shift+click, fits even in the narrowest window; below them the generation at
    // the left and the live cells and zoom at the right. The window is at least as wide as
    // that lower line (StatusBarResize), so no text is ever cut, and the bar's height does
    // not change with its texts.
    auto* Panels = new QWidget(StatusBar);
    auto* Grid = new QGridLayout(Panels);
    Grid->setContentsMargins(0, 0, 0, 0);
    Grid->setVerticalSpacing(0);
    StatusPanels[0] = new QLabel(Panels);
    StatusPanels[0]->setFixedWidth(300);
    StatusPanels[1] = new QLabel(Panels);
    StatusPanels[1]->setObjectName(QStringLiteral("MessagePanel"));
    StatusPanels[1]->setWordWrap(true);
    StatusPanels[1]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    StatusPanels[1]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    StatusPanels[1]->setFixedHeight(2 * StatusPanels[1]->fontMetrics().lineSpacing());
    StatusPanels[2] = new QLabel(Panels);
    StatusPanels[2]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Grid->addWidget(StatusPanels[1], 0, 0, 1, 2);
    Grid->addWidget(StatusPanels[0], 1, 0);
    Grid->addWidget(StatusPanels[2], 1, 1);
    StatusBar->addWidget(Panels, 1);
    StatusBarResize();
    StatusBar->installEventFilter(this);
    GenerationFrames =
        new TFrameLimiter([this] { ShowGeneration(); },
                          [this] { return WorldImage ? WorldImage->FrameMs() : 16; }, this);
}

// Both dialogs live as long as the window, so each offers its last file and filter again.
void TLifeForm::CreateFileDialogs() {
    KeepQtSettingsOffDisk();
    OpenDialog = new QFileDialog(this, QStringLiteral("Spel openen"));
    OpenDialog->setObjectName(QStringLiteral("OpenDialog"));
    OpenDialog->setOption(QFileDialog::DontUseNativeDialog);
    OpenDialog->setAcceptMode(QFileDialog::AcceptOpen);
    OpenDialog->setFileMode(QFileDialog::ExistingFile);
    OpenDialog->setNameFilters(NameFilters(
        QStringLiteral("life-bestanden (*.life;*.lif)|*.life;*.lif|cell-bestanden "
                       "(*.cells)|*.cells|rle-bestanden (*.rle)|*.rle|mc-bestanden (*.mc)|*.mc|"
                       "gzip-bestanden (*.gz)|*.gz|alle bestanden (*.*)|*.*")));

    SaveDialog = new TSaveDialog(this, QStringLiteral("Spel opslaan"));
    SaveDialog->setObjectName(QStringLiteral("SaveDialog"));
    SaveDialog->setOption(QFileDialog::DontUseNativeDialog);
    SaveDialog->setAcceptMode(QFileDialog::AcceptSave);
    SaveDialog->setFileMode(QFileDialog::AnyFile);
    SaveDialog->setNameFilters(
        NameFilters(QStringLiteral("life-bestanden (*.life;*.lif)|*.life;*.lif|RLE-bestanden "
                                   "(*.rle)|*.rle|alle bestanden (*.*)|*.*")));
    SaveDialog->setDefaultSuffix(QStringLiteral("life"));
}

bool TLifeForm::eventFilter(QObject* Watched, QEvent* Event) {
    if (Watched == StatusBar && Event->type() == QEvent::Resize) {
        StatusBarResize();
    } else if (Event->type() == QEvent::ShortcutOverride) {
        auto* Widget = qobject_cast<QWidget*>(Watched);
        auto* Window = qobject_cast<QWindow*>(Watched);
        if ((Widget && Widget->window() == this) || (Window && Window == windowHandle()))
            MenuClick();
    } else if (Event->type() == QEvent::Expose) {
        if (Watched == windowHandle() && windowHandle()->isExposed())
            OpenStartFile();
    } else if (Event->type() == QEvent::Hide) {
        auto* Dialog = qobject_cast<QWidget*>(Watched);
        if (Dialog && ClosesBackToThisWindow(*Dialog))
            TidyUpAfterDialog(Dialog, KeyboardReturnsTo(*Dialog));
    }
    return QMainWindow::eventFilter(Watched, Event);
}

// A dialog of this window, or a message box of the program's own (they have no parent),
// that closes while no other modal window stays open.
bool TLifeForm::ClosesBackToThisWindow(const QWidget& Dialog) const {
    if (!Dialog.isWindow() || Dialog.isVisible() || &Dialog == this)
        return false;
    if (Dialog.parentWidget() != this && !qobject_cast<const QMessageBox*>(&Dialog))
        return false;
    const QWidgetList Windows = QApplication::topLevelWidgets();
    return std::none_of(Windows.begin(), Windows.end(), [&Dialog](const QWidget* Window) {
        return Window != &Dialog && Window->isVisible() && Window->isModal();
    });
}

// A message box goes back to the window it came from, the help window say; any other
// dialog of this window to this window.
QWidget* TLifeForm::KeyboardReturnsTo(const QWidget& Dialog) {
    const auto* Box = qobject_cast<const TExtMessageBox*>(&Dialog);
    if (Box && Box->CameFrom() && Box->CameFrom()->isVisible())
        return Box->CameFrom();
    return this;
}

void TLifeForm::showEvent(QShowEvent* Event) {
    QMainWindow::showEvent(Event);
    if (!Event->spontaneous())
        FormShow();
}

void TLifeForm::FormShow() {
    DrawEmptyWorld();
    UpdateStatusBar();
    Ready = true;
}

void TLifeForm::OpenWhenShown(const QString& Path) {
    StartFile = Path;
}

// The expose being handled paints the empty world; the file opens after it, so that an open
// error stands over the window's picture. Ready: FormShow has made the picture.
void TLifeForm::OpenStartFile() {
    if (StartFile.isEmpty() || !Ready)
        return;
    QTimer::singleShot(0, this,
                       [this, Path = std::exchange(StartFile, QString())] { OpenGameFile(Path); });
}

void TLifeForm::closeEvent(QCloseEvent* Event) {
    if (!MayClose()) {
        Event->ignore();
        return;
    }
    FormClose();
    Event->accept();
}

// A run stops first, so that the question is about the cells as they stay. Cells as last
// saved or opened, or none at all, lose nothing.
bool TLifeForm::MayClose() {
    StopRunning();
    if (History->Stack().isClean() || Engine.LiveCells() == 0)
        return true;
    const std::unique_ptr<TExtMessageBox> Box =
        CreateExtMessageDlg(QStringLiteral("De tekening is niet opgeslagen.\r\r"
                                           "Wilt u haar opslaan voordat het programma sluit?"),
                            mtConfirmation, mbYes | mbNo | mbCancel, 0);
    const std::pair<int, const char*> Captions[] = {
        {mrYes, "&Opslaan"}, {mrNo, "&Niet opslaan"}, {mrCancel, "&Annuleren"}};
    for (QAbstractButton* Button : Box->buttons()) {
        for (const auto& [Result, Caption] : Captions) {
            if (Button->property("modalResult").toInt() == Result)
                Button->setText(QString::fromLatin1(Caption));
        }
    }
    Box->exec();
    const QAbstractButton* Clicked = Box->clickedButton();
    const int Answer = Clicked ? Clicked->property("modalResult").toInt() : int(mrCancel);
    if (Answer == mrYes)
        return SaveGame();
    return Answer == mrNo;
}

void TLifeForm::FormClose() {
    WorldTimer->stop();
    if (SaveOptionsOnClose)
        SaveOptions();
    else
        SaveChangedOptions();
}

void TLifeForm::FormDestroy() {
    History->Stack().disconnect(this); // the stack clears itself as it goes
    delete WorldImage;
}

void TLifeForm::MenuCloseGameClick() {
    close();
}

void TLifeForm::MenuInstructionsClick() {
    GameInstructions();
}

// Modeless and made once: a second request brings the same window forward. A hidden help
// window first goes onto the screen that holds the main window; showing it places it there.
void TLifeForm::GameInstructions() {
    if (!HelpForm->isVisible())
        HelpForm->move(ScreenOf(*this).topLeft());
    BringForward(*HelpForm);
}

void TLifeForm::MenuAboutClick() {
    if (!Running)
        AboutGame();
}

void TLifeForm::AboutGame() {
    ShowAboutBox(this, QStringLiteral("Over dit spel"), QString::fromLatin1(ProgramInfo::Title),
                 QStringLiteral("Versie ") + QString::fromLatin1(ProgramInfo::Version),
                 QStringLiteral("Auteur: ") + QString::fromLatin1(ProgramInfo::Makers),
                 QString::fromLatin1(ProgramInfo::WebSite),
                 QStringLiteral("Deze implementatie valt onder de volgende licentievoorwaarden:"),
                 QString::fromLatin1(ProgramInfo::LicenseName),
                 QString::fromLatin1(ProgramInfo::LicenseUrl),
                 QStringLiteral("De spelregels zijn bedacht door John Horton Conway."));
}
