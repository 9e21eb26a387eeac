#pragma once

// The settings dialog: shows the speed, the world size, the cell size and the wrap mode,
// and hands back what the user chose. It changes nothing in the main window itself.

#include <QDialog>
#include <QSpinBox>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;

// A number field with up/down buttons. Its value is the integer its text spells, or its
// minimum when the text spells none, kept within the range. Typing may leave the text out
// of range for a while (so "100" can be typed on the way to "1000"); leaving the field or
// pressing Enter replaces such text by the value, while a text that spells no integer
// stays as typed. A step adds to or subtracts from the integer the text spells, then
// clamps: "100" and Up give the minimum 320. Only digits, signs and the decimal separator
// can be typed; other characters are refused with a beep.
class TSpinEdit : public QSpinBox {
    Q_OBJECT

public:
    explicit TSpinEdit(QWidget* Parent);

    // Clamps Value into the range and shows it; showing the text already there is no change.
    void SetValue(int Value);

signals:
    // The shown text changed, whatever changed it: typing, a step, leaving the field or
    // SetValue.
    void Change();

protected:
    QValidator::State validate(QString& Input, int& Pos) const override;
    int valueFromText(const QString& Text) const override;
    QString textFromValue(int Value) const override;
    void keyPressEvent(QKeyEvent* Event) override;
    void focusOutEvent(QFocusEvent* Event) override;
    void stepBy(int Steps) override;
    StepEnabled stepEnabled() const override;

private:
    bool IsNumberChar(QChar Char) const;
    QString SteppedText(int Steps) const;
    // Runs the spin box's own reading of the text, which writes the value back as text,
    // and keeps a text that spells no integer as it was.
    template <typename TAction> void Interpreting(TAction Action);
    // Runs Action and reports a change of the text that the spin box made while the
    // editor's own change signal was blocked.
    template <typename TAction> void ReportingChange(TAction Action);
};

class TOptionsDlg : public QDialog {
    Q_OBJECT
    Q_PROPERTY(qint32 LifeX READ LifeX WRITE SetLifeX)
    Q_PROPERTY(qint32 LifeY READ LifeY WRITE SetLifeY)
    Q_PROPERTY(qint32 CellX READ CellX WRITE SetCellX)
    Q_PROPERTY(qint32 CellY READ CellY WRITE SetCellY)
    Q_PROPERTY(qint32 WrapMode READ WrapMode WRITE SetWrapMode)
    Q_PROPERTY(qint32 Interval READ Interval WRITE SetInterval)

public:
    explicit TOptionsDlg(QWidget* Parent = nullptr);

    // Setters fill the dialog and clamp. Getters read what the user chose, always in range:
    // a number field is read as its text stands, also half-typed; text that spells no
    // integer (empty text included) reads as the minimum, an integer out of range as the
    // nearest bound.
    // Filling the cell size does not run CellEditChange, so a cell of 2 x 1 pixels from a
    // hand-edited settings file is shown as it is.
    qint32 LifeX() const; // 320..1280
    void SetLifeX(qint32 Value);
    qint32 LifeY() const; // 240..1024
    void SetLifeY(qint32 Value);
    qint32 CellX() const; // 1..2
    void SetCellX(qint32 Value);
    qint32 CellY() const; // 1..2
    void SetCellY(qint32 Value);
    qint32 WrapMode() const; // 0..3; no selection reads as 0
    void SetWrapMode(qint32 Value);
    // Milliseconds per generation: one of 1000, 250, 100, 50 and 1, one per track bar
    // position; any other value selects 100.
    qint32 Interval() const;
    void SetInterval(qint32 Value);

protected:
    void showEvent(QShowEvent* Event) override;

private:
    void CreateControls();
    void FormCreate();
    void FormShow();
    void CenterOnScreen();
    // Keeps both cell-size fields at the size of the one the user touched: cells made
    // through the dialog are square.
    void CellEditChange(TSpinEdit* Sender);
    void MakeWrapTabStop();

    QGroupBox* SpeedGroupBox = nullptr;
    QSlider* SpeedTrackbar = nullptr;
    QLabel* StaticText1 = nullptr;
    QLabel* StaticText2 = nullptr;
    QGroupBox* LifeSizeGroupBox = nullptr;
    TSpinEdit* LifeXEdit = nullptr;
    TSpinEdit* LifeYEdit = nullptr;
    QLabel* StaticText3 = nullptr;
    QLabel* StaticText4 = nullptr;
    QGroupBox* CellSizeGroupBox = nullptr;
    TSpinEdit* CellXEdit = nullptr;
    TSpinEdit* CellYEdit = nullptr;
    QLabel* Hrizontaal = nullptr;
    QLabel* Verticaal = nullptr;
    QGroupBox* WrapGroupBox = nullptr;
    QButtonGroup* WrapItems = nullptr;
    QPushButton* OkBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
};
