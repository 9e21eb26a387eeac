// The settings dialog and its number fields.

#include "settings/uoptionsdlg.h"
#include "app/placement.h"
#include "engine/lifeengine.h"
#include "settings/strtoint.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace {

constexpr int MinLifeX = 320;
constexpr int MaxLifeX = 1280;
constexpr int MinLifeY = 240;
constexpr int MaxLifeY = 1024;
constexpr int MinCellSize = 1;
constexpr int MaxCellSize = 2;

// The timer interval of each track bar position, from "Langzaam" to "Snel".
constexpr std::array<qint32, 5> PositionIntervals = {1000, 250, 100, 50, 1};
constexpr int UnknownIntervalPosition = 3;

template <typename TControl>
TControl* Place(TControl* Control, const char* Name, const QRect& Geometry) {
    Control->setObjectName(QLatin1String(Name));
    Control->setGeometry(Geometry);
    return Control;
}

// Static texts size themselves to their text, so no font cuts them off.
QLabel* PlaceText(QLabel* Text, const char* Name, const QPoint& TopLeft) {
    Text->setObjectName(QLatin1String(Name));
    Text->move(TopLeft);
    Text->adjustSize();
    return Text;
}

} // namespace

TSpinEdit::TSpinEdit(QWidget* Parent) : QSpinBox(Parent) {
    // Typing and SetValue pass through the editor; the spin box's own updates of the text
    // block this signal and are reported by ReportingChange.
    connect(lineEdit(), &QLineEdit::textChanged, this, &TSpinEdit::Change);
}

template <typename TAction> void TSpinEdit::ReportingChange(TAction Action) {
    const QString Before = text();
    Action();
    if (text() != Before)
        emit Change();
}

void TSpinEdit::SetValue(int Value) {
    lineEdit()->setText(QString::number(std::clamp(Value, minimum(), maximum())));
}

bool TSpinEdit::IsNumberChar(QChar Char) const {
    return (Char >= QLatin1Char('0') && Char <= QLatin1Char('9')) || Char == QLatin1Char('+') ||
           Char == QLatin1Char('-') || QString(Char) == locale().decimalPoint();
}

// Any text of number characters is acceptable, so the value follows every keystroke
// (bounded to the range by the spin box) and the text is only replaced on leaving.
QValidator::State TSpinEdit::validate(QString& Input, int&) const {
    const bool Typeable = std::all_of(Input.cbegin(), Input.cend(),
                                      [this](QChar Char) { return IsNumberChar(Char); });
    return Typeable ? QValidator::Acceptable : QValidator::Invalid;
}

int TSpinEdit::valueFromText(const QString& Text) const {
    return StrToInt32(Text).value_or(minimum());
}

QString TSpinEdit::textFromValue(int Value) const {
    return QString::number(Value);
}

void TSpinEdit::keyPressEvent(QKeyEvent* Event) {
    const QString Typed = Event->text();
    const bool Plain =
        !(Event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (Plain && Typed.size() == 1 && Typed[0].isPrint() && !IsNumberChar(Typed[0])) {
        QApplication::beep();
        Event->accept();
        return;
    }
    if (Event->key() == Qt::Key_Return || Event->key() == Qt::Key_Enter)
        Interpreting([&] { QSpinBox::keyPressEvent(Event); });
    else
        QSpinBox::keyPressEvent(Event);
}

void TSpinEdit::focusOutEvent(QFocusEvent* Event) {
    Interpreting([&] { QSpinBox::focusOutEvent(Event); });
}

template <typename TAction> void TSpinEdit::Interpreting(TAction Action) {
    const QString Typed = text();
    ReportingChange([&] {
        Action();
        if (!StrToInt32(Typed)) {
            const QSignalBlocker Keep(lineEdit());
            lineEdit()->setText(Typed);
        }
    });
}

// The spin box would step from its value, which is already clamped: "100" and Up would give
// 321, and "5000" and Up nothing at all.
QString TSpinEdit::SteppedText(int Steps) const {
    const qint64 Spelled = StrToInt32(text()).value_or(minimum());
    return QString::number(std::clamp<qint64>(Spelled + Steps, minimum(), maximum()));
}

void TSpinEdit::stepBy(int Steps) {
    lineEdit()->setText(SteppedText(Steps));
    if (style()->styleHint(QStyle::SH_SpinBox_SelectOnStep, nullptr, this))
        selectAll();
}

QAbstractSpinBox::StepEnabled TSpinEdit::stepEnabled() const {
    StepEnabled Enabled = StepNone;
    if (SteppedText(1) != text())
        Enabled |= StepUpEnabled;
    if (SteppedText(-1) != text())
        Enabled |= StepDownEnabled;
    return Enabled;
}

TOptionsDlg::TOptionsDlg(QWidget* Parent) : QDialog(Parent) {
    CreateControls();
    FormCreate();
}

void TOptionsDlg::CreateControls() {
    setObjectName(QStringLiteral("OptionsDlg"));
    setWindowTitle(QStringLiteral("Instellingen"));
    QFont DialogFont(QStringLiteral("MS Sans Serif"));
    DialogFont.setStyleHint(QFont::SansSerif);
    DialogFont.setPixelSize(11);
    setFont(DialogFont);
    setFixedSize(435, 266);

    SpeedGroupBox =
        Place(new QGroupBox(QStringLiteral("&Snelheid"), this), "SpeedGroupBox", {8, 8, 417, 81});
    SpeedTrackbar =
        Place(new QSlider(Qt::Horizontal, SpeedGroupBox), "SpeedTrackbar", {8, 24, 393, 33});
    SpeedTrackbar->setRange(1, int(PositionIntervals.size()));
    SpeedTrackbar->setPageStep(1);
    SpeedTrackbar->setTickPosition(QSlider::TicksBelow);
    SpeedTrackbar->setTickInterval(1);
    StaticText1 =
        PlaceText(new QLabel(QStringLiteral("Langzaam"), SpeedGroupBox), "StaticText1", {16, 61});
    StaticText2 =
        PlaceText(new QLabel(QStringLiteral("Snel"), SpeedGroupBox), "StaticText2", {368, 61});

    LifeSizeGroupBox = Place(new QGroupBox(QStringLiteral("&Aantal cellen"), this),
                             "LifeSizeGroupBox", {8, 96, 121, 121});
    LifeXEdit = Place(new TSpinEdit(LifeSizeGroupBox), "LifeXEdit", {8, 40, 57, 22});
    LifeYEdit = Place(new TSpinEdit(LifeSizeGroupBox), "LifeYEdit", {8, 88, 57, 22});
    StaticText3 = PlaceText(new QLabel(QStringLiteral("Horizontaal"), LifeSizeGroupBox),
                            "StaticText3", {8, 24});
    StaticText4 = PlaceText(new QLabel(QStringLiteral("Verticaal"), LifeSizeGroupBox),
                            "StaticText4", {8, 72});

    CellSizeGroupBox = Place(new QGroupBox(QStringLiteral("&Cel grootte"), this),
                             "CellSizeGroupBox", {160, 96, 113, 121});
    CellXEdit = Place(new TSpinEdit(CellSizeGroupBox), "CellXEdit", {8, 40, 57, 22});
    CellYEdit = Place(new TSpinEdit(CellSizeGroupBox), "CellYEdit", {8, 88, 57, 22});
    Hrizontaal = PlaceText(new QLabel(QStringLiteral("Horizontaal"), CellSizeGroupBox),
                           "Hrizontaal", {8, 24});
    Verticaal =
        PlaceText(new QLabel(QStringLiteral("Verticaal"), CellSizeGroupBox), "Verticaal", {8, 72});

    WrapGroupBox = Place(new QGroupBox(QStringLiteral("&Omloop (\"wrapping\")"), this),
                         "WrapGroupBox", {296, 96, 129, 121});
    WrapItems = new QButtonGroup(this);
    auto* WrapColumn = new QVBoxLayout(WrapGroupBox);
    const QString WrapCaptions[] = {QStringLiteral("Geen"), QStringLiteral("Horizontaal"),
                                    QStringLiteral("Verticaal"), QStringLiteral("Beide")};
    for (int Mode = wmNone; Mode <= wmBoth; ++Mode) {
        auto* Item = new QRadioButton(WrapCaptions[Mode], WrapGroupBox);
        WrapItems->addButton(Item, Mode);
        WrapColumn->addWidget(Item);
    }
    connect(WrapItems, &QButtonGroup::buttonToggled, this, &TOptionsDlg::MakeWrapTabStop);
    MakeWrapTabStop();

    OkBtn = Place(new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                                  QStringLiteral("OK"), this),
                  "OkBtn", {72, 232, 97, 25});
    OkBtn->setDefault(true);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    // Esc and the title bar's close box reject the dialog as well.
    CancelBtn = Place(new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                                      QStringLiteral("&Annuleer"), this),
                      "CancelBtn", {256, 232, 97, 25});
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    QList<QWidget*> TabOrder = {SpeedTrackbar, LifeXEdit, LifeYEdit, CellXEdit, CellYEdit};
    for (QAbstractButton* Item : WrapItems->buttons())
        TabOrder << Item;
    TabOrder << OkBtn << CancelBtn;
    for (qsizetype I = 1; I < TabOrder.size(); ++I)
        setTabOrder(TabOrder[I - 1], TabOrder[I]);
}

void TOptionsDlg::FormCreate() {
    LifeXEdit->setRange(MinLifeX, MaxLifeX);
    LifeYEdit->setRange(MinLifeY, MaxLifeY);
    CellXEdit->setRange(MinCellSize, MaxCellSize);
    CellYEdit->setRange(MinCellSize, MaxCellSize);
    for (TSpinEdit* Edit : {CellXEdit, CellYEdit})
        connect(Edit, &TSpinEdit::Change, this, [this, Edit] { CellEditChange(Edit); });
}

void TOptionsDlg::showEvent(QShowEvent* Event) {
    QDialog::showEvent(Event);
    CenterOnScreen();
    FormShow();
}

void TOptionsDlg::FormShow() {
    SpeedTrackbar->setFocus();
}

void TOptionsDlg::CenterOnScreen() {
    PlaceWindow(*this,
                [this](const QSize& Frame) { return CentredOnScreen(ScreenOf(*this), Frame); });
}

// Tab enters the wrap group on its checked item, or the first when none is, and the arrow
// keys move within the group; the other items take the focus only by a click.
void TOptionsDlg::MakeWrapTabStop() {
    const QList<QAbstractButton*> Items = WrapItems->buttons();
    const QAbstractButton* Stop =
        WrapItems->checkedButton() ? WrapItems->checkedButton() : Items.first();
    for (QAbstractButton* Item : Items)
        Item->setFocusPolicy(Item == Stop ? Qt::StrongFocus : Qt::ClickFocus);
}

// Setting a field to the text it already shows raises no Change, which ends the chain of
// calls that these two settings start.
void TOptionsDlg::CellEditChange(TSpinEdit* Sender) {
    CellXEdit->SetValue(Sender->value());
    CellYEdit->SetValue(Sender->value());
}

qint32 TOptionsDlg::LifeX() const {
    return LifeXEdit->value();
}

void TOptionsDlg::SetLifeX(qint32 Value) {
    LifeXEdit->SetValue(Value);
}

qint32 TOptionsDlg::LifeY() const {
    return LifeYEdit->value();
}

void TOptionsDlg::SetLifeY(qint32 Value) {
    LifeYEdit->SetValue(Value);
}

qint32 TOptionsDlg::CellX() const {
    return CellXEdit->value();
}

void TOptionsDlg::SetCellX(qint32 Value) {
    const QSignalBlocker Filling(CellXEdit);
    CellXEdit->SetValue(Value);
}

qint32 TOptionsDlg::CellY() const {
    return CellYEdit->value();
}

void TOptionsDlg::SetCellY(qint32 Value) {
    const QSignalBlocker Filling(CellYEdit);
    CellYEdit->SetValue(Value);
}

qint32 TOptionsDlg::WrapMode() const {
    return std::max(WrapItems->checkedId(), int(wmNone)); // -1: nothing selected
}

void TOptionsDlg::SetWrapMode(qint32 Value) {
    WrapItems->button(std::clamp(Value, qint32(wmNone), qint32(wmBoth)))->setChecked(true);
}

qint32 TOptionsDlg::Interval() const {
    return PositionIntervals.at(std::size_t(SpeedTrackbar->value() - 1));
}

void TOptionsDlg::SetInterval(qint32 Value) {
    const qint32 Clamped = std::clamp(Value, 1, 1000);
    const auto Found = std::find(PositionIntervals.begin(), PositionIntervals.end(), Clamped);
    SpeedTrackbar->setValue(Found == PositionIntervals.end()
                                ? UnknownIntervalPosition
                                : int(Found - PositionIntervals.begin()) + 1);
}
