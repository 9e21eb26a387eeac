// The pointer and the picture at any display scale. ctest runs this program at scale 1 and
// again with QT_SCALE_FACTOR 1.5 and 2.

#include "tests/testhelpers.h"

#include <QApplication>
#include <QBackingStore>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>

namespace {

constexpr QRgb Live = TLifeForm::LiveColour;
constexpr QRgb Dead = TLifeForm::DeadColour;

// Uneven on purpose: single cells and pairs in both directions, so a cell drawn one device
// pixel too wide or too narrow shows.
const QStringList Pattern = {"O.OO...O", ".O..OO.O", "O......O", "OO.O.O.."};

qreal Scale(const QWidget& Widget) {
    return Widget.devicePixelRatioF();
}

// The pixels of the window as they go to the screen.
QImage WindowPixels(QWidget& Window) {
    auto* Pixels = dynamic_cast<QImage*>(Window.backingStore()->paintDevice());
    return Pixels ? *Pixels : QImage();
}

// The device pixel of the window at which the picture's pixel (0, 0) shows, or (-1, -1).
// The cell (0, 0) must be alive; its first black pixel is looked for around the picture's
// scaled offset, away from the black letters of the menu.
QPoint PaintedOrigin(TLifeForm& Form) {
    const QPoint Offset = TLifeFormProbe(Form).Viewport()->mapTo(&Form, QPoint(0, 0)) * Scale(Form);
    const QImage Shown = WindowPixels(Form);
    for (int Y = Offset.y() - 2; Y <= Offset.y() + 2; ++Y) {
        for (int X = std::max(Offset.x() - 2, 0); X <= Offset.x() + 2; ++X) {
            if (Shown.valid(X, Y) && PixelAt(Shown, X, Y) == Live)
                return {X, Y};
        }
    }
    return {-1, -1};
}

// Waits until the picture with a live cell (0, 0) has reached the window; (-1, -1) when it
// does not.
QPoint WaitForPaintedOrigin(TLifeForm& Form) {
    QPoint Origin(-1, -1);
    return QTest::qWaitFor([&] { return (Origin = PaintedOrigin(Form)) != QPoint(-1, -1); })
               ? Origin
               : QPoint(-1, -1);
}

// Sends a pointer event at a device pixel of the picture as it shows on the window, the way
// the window system hands it to Qt: in device pixels of the window, which Qt scales to
// logical ones. A fraction stays a fraction; Qt rounds the position in the widget.
void PointerAt(TLifeForm& Form, const QPoint& Origin, const QPointF& Pixel, QEvent::Type Type,
               Qt::KeyboardModifiers Modifiers = Qt::NoModifier) {
    static int Timestamp = 0;
    const QPointF Local = (QPointF(Origin) + Pixel) / Scale(Form);
    const Qt::MouseButtons Held =
        Type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    qt_handleMouseEvent(Form.windowHandle(), Local, Form.mapToGlobal(Local), Held,
                        Type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, Type, Modifiers,
                        Timestamp += 1000);
}

void PressAtPixel(TLifeForm& Form, const QPoint& Origin, const QPointF& Pixel) {
    PointerAt(Form, Origin, Pixel, QEvent::MouseButtonPress);
    PointerAt(Form, Origin, Pixel, QEvent::MouseButtonRelease);
}

// The colour that each device pixel of the picture must have with Pattern at the top-left
// corner of the world.
QRgb ExpectedPixel(int X, int Y, const QSize& CellSize) {
    const int Column = X / CellSize.width();
    const int Row = Y / CellSize.height();
    const bool Alive = Row < Pattern.size() && Column < Pattern[Row].size() &&
                       Pattern[Row][Column] == QLatin1Char('O');
    return Alive ? Live : Dead;
}

// The first device pixel at which Shown differs from the picture of Pattern, scanning the
// rectangle of Size pixels at Origin; (-1, -1) when none does.
QPoint FirstWrongPixel(const QImage& Shown, const QPoint& Origin, const QSize& Size,
                       const QSize& CellSize) {
    for (int Y = 0; Y < Size.height(); ++Y) {
        for (int X = 0; X < Size.width(); ++X) {
            if (PixelAt(Shown, Origin.x() + X, Origin.y() + Y) != ExpectedPixel(X, Y, CellSize))
                return {X, Y};
        }
    }
    return {-1, -1};
}

} // namespace

class TstScaling : public QObject {
    Q_OBJECT

private slots:
    void scaleIsTheOneAskedFor();
    void firstStartZoomFollowsTheScale();
    void pressEditsTheCellUnderIt_data();
    void pressEditsTheCellUnderIt();
    void dragFollowsThePointer_data();
    void dragFollowsThePointer();
    void pictureIsOneToOneInDevicePixels_data();
    void pictureIsOneToOneInDevicePixels();
};

void TstScaling::scaleIsTheOneAskedFor() {
    auto Form = CreateShownForm();
    const qreal Asked = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble();
    QCOMPARE(Scale(*Form), Asked);
}

// A cell is as large as on a screen of scale 1.
void TstScaling::firstStartZoomFollowsTheScale() {
    auto Form = CreateForm();
    QCOMPARE(TLifeFormProbe(*Form).Zoom(), Scale(*Form) >= 2 ? 200 : 100);
}

void TstScaling::pressEditsTheCellUnderIt_data() {
    QTest::addColumn<QSize>("CellSize");
    QTest::addColumn<QPointF>("Pixel");
    QTest::addColumn<QPoint>("Cell");
    QTest::addColumn<int>("Zoom");
    QTest::addColumn<QPoint>("Scroll"); // device pixels; End for the largest scroll
    const QSize Small(1, 1);
    const QSize Large(2, 2);
    const QPoint End(INT_MAX, INT_MAX);
    QTest::newRow("1x1, (10.6, 7.2)")
        << Small << QPointF(10.6, 7.2) << QPoint(10, 7) << 100 << QPoint();
    QTest::newRow("1x1, (10.4, 7.9)")
        << Small << QPointF(10.4, 7.9) << QPoint(10, 7) << 100 << QPoint();
    QTest::newRow("1x1, whole pixel (7, 7)")
        << Small << QPointF(7, 7) << QPoint(7, 7) << 100 << QPoint();
    QTest::newRow("1x1, odd pixel (101, 33)")
        << Small << QPointF(101, 33) << QPoint(101, 33) << 100 << QPoint();
    QTest::newRow("zoom 200%, 1x1, odd pixel (101, 51)")
        << Small << QPointF(101, 51) << QPoint(50, 25) << 200 << QPoint();
    QTest::newRow("zoom 800%, 1x1, first pixel of a cell (16, 8)")
        << Small << QPointF(16, 8) << QPoint(2, 1) << 800 << QPoint();
    QTest::newRow("zoom 800%, 1x1, last pixel of a cell (31, 39)")
        << Small << QPointF(31, 39) << QPoint(3, 4) << 800 << QPoint();
    QTest::newRow("1x1, top-left corner")
        << Small << QPointF(0.3, 0.6) << QPoint(0, 0) << 100 << QPoint();
    QTest::newRow("1x1, last pixel")
        << Small << QPointF(319.9, 239.9) << QPoint(319, 239) << 100 << QPoint();
    QTest::newRow("2x2, (21.5, 9.5)")
        << Large << QPointF(21.5, 9.5) << QPoint(10, 4) << 100 << QPoint();
    QTest::newRow("2x2, (11.9, 19.9)")
        << Large << QPointF(11.9, 19.9) << QPoint(5, 9) << 100 << QPoint();
    QTest::newRow("2x2, whole pixel (10, 18)")
        << Large << QPointF(10, 18) << QPoint(5, 9) << 100 << QPoint();
    QTest::newRow("2x2, last pixel")
        << Large << QPointF(639.9, 479.9) << QPoint(319, 239) << 100 << QPoint();
    QTest::newRow("2x1, (13.7, 5.5)")
        << QSize(2, 1) << QPointF(13.7, 5.5) << QPoint(6, 5) << 100 << QPoint();
    QTest::newRow("1x2, (13.7, 5.5)")
        << QSize(1, 2) << QPointF(13.7, 5.5) << QPoint(13, 2) << 100 << QPoint();
    QTest::newRow("zoom 200%, 1x1, (21.5, 9.5)")
        << Small << QPointF(21.5, 9.5) << QPoint(10, 4) << 200 << QPoint();
    QTest::newRow("zoom 400%, 2x2, (100.2, 57.9)")
        << Large << QPointF(100.2, 57.9) << QPoint(12, 7) << 400 << QPoint();
    QTest::newRow("zoom 1600%, 1x2, (47.9, 64)")
        << QSize(1, 2) << QPointF(47.9, 64) << QPoint(2, 2) << 1600 << QPoint();
    QTest::newRow("zoom 3200%, 1x1, (65, 31.9)")
        << Small << QPointF(65, 31.9) << QPoint(2, 0) << 3200 << QPoint();
    QTest::newRow("zoom 800%, 1x1, scrolled by (1000, 500), (5.5, 7.5)")
        << Small << QPointF(5.5, 7.5) << QPoint(125, 63) << 800 << QPoint(1000, 500);
    QTest::newRow("zoom 3200%, 2x2, scrolled by (333, 65), (0.2, 0.2)")
        << Large << QPointF(0.2, 0.2) << QPoint(5, 1) << 3200 << QPoint(333, 65);
    QTest::newRow("zoom 3200%, last cell reached by scrolling")
        << Large << QPointF(-0.6, -0.6) << QPoint(319, 239) << 3200 << End;
}

void TstScaling::pressEditsTheCellUnderIt() {
    QFETCH(QSize, CellSize);
    QFETCH(QPointF, Pixel);
    QFETCH(QPoint, Cell);
    QFETCH(int, Zoom);
    QFETCH(QPoint, Scroll);
    auto Form = CreateShownForm(320, 240, CellSize.width(), CellSize.height(), wmHorizontal, Zoom);
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, 0, 0, {"O"});
    Form->DrawGeneration(true);
    const QPoint Origin = WaitForPaintedOrigin(*Form);
    QVERIFY(Origin != QPoint(-1, -1));
    PlaceRows(*Form, 0, 0, {"."});
    Form->DrawGeneration(true);
    Probe.WorldImage()->horizontalScrollBar()->setValue(Scroll.x());
    Probe.WorldImage()->verticalScrollBar()->setValue(Scroll.y());
    QCOMPARE(Probe.View().Scroll(), Scroll.x() == INT_MAX ? Probe.View().MaxScroll() : Scroll);
    const QPointF Corner(Probe.View().Viewport().width(), Probe.View().Viewport().height());

    PressAtPixel(*Form, Origin, Pixel.x() < 0 ? Corner + Pixel : Pixel);

    QCOMPARE(Probe.Panel(1)->text(),
             QStringLiteral("Cel[%1,%2]: Dood --> Levend").arg(Cell.x()).arg(Cell.y()));
    QCOMPARE(LiveCells(*Form), 1);
    QCOMPARE(ReadRows(*Form, QRect(Cell, QSize(1, 1))), QStringList{"O"});
}

void TstScaling::dragFollowsThePointer_data() {
    QTest::addColumn<int>("Zoom");
    QTest::addColumn<bool>("Shift");
    QTest::addColumn<QPointF>("From"); // device pixels of the picture
    QTest::addColumn<QPointF>("To");
    QTest::addColumn<QRect>("Cells"); // drawn or selected
    QTest::newRow("stroke at 200% between odd pixels")
        << 200 << false << QPointF(101, 51) << QPointF(121, 51) << QRect(50, 25, 11, 1);
    QTest::newRow("stroke at 800% from a first to a last pixel")
        << 800 << false << QPointF(16, 8) << QPointF(31, 8) << QRect(2, 1, 2, 1);
    QTest::newRow("selection at 200% between odd pixels")
        << 200 << true << QPointF(101, 51) << QPointF(121, 61) << QRect(50, 25, 11, 6);
    QTest::newRow("selection at 800% from a first to a last pixel")
        << 800 << true << QPointF(16, 8) << QPointF(31, 39) << QRect(2, 1, 2, 4);
}

void TstScaling::dragFollowsThePointer() {
    QFETCH(int, Zoom);
    QFETCH(bool, Shift);
    QFETCH(QPointF, From);
    QFETCH(QPointF, To);
    QFETCH(QRect, Cells);
    auto Form = CreateShownForm(320, 240, 1, 1, wmHorizontal, Zoom);
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, 0, 0, {"O"});
    Form->DrawGeneration(true);
    const QPoint Origin = WaitForPaintedOrigin(*Form);
    QVERIFY(Origin != QPoint(-1, -1));
    const Qt::KeyboardModifiers Modifiers = Shift ? Qt::ShiftModifier : Qt::NoModifier;

    PointerAt(*Form, Origin, From, QEvent::MouseButtonPress, Modifiers);
    PointerAt(*Form, Origin, To, QEvent::MouseMove, Modifiers);
    PointerAt(*Form, Origin, To, QEvent::MouseButtonRelease, Modifiers);

    if (Shift) {
        QCOMPARE(Probe.Selection().Cells(), Cells);
        QCOMPARE(LiveCells(*Form), 1);
    } else {
        QCOMPARE(ReadRows(*Form, Cells.adjusted(-1, 0, 1, 0)),
                 QStringList{"." + QString(Cells.width(), QLatin1Char('O')) + "."});
        QCOMPARE(LiveCells(*Form), 1 + Cells.width());
    }
}

void TstScaling::pictureIsOneToOneInDevicePixels_data() {
    QTest::addColumn<QSize>("CellSize");
    QTest::newRow("1x1") << QSize(1, 1);
    QTest::newRow("2x1") << QSize(2, 1);
    QTest::newRow("1x2") << QSize(1, 2);
    QTest::newRow("2x2") << QSize(2, 2);
}

// The control holds the whole picture and at most one device pixel more each way, and
// the window, whose backing store is what the screen shows, shows every pixel of it once.
void TstScaling::pictureIsOneToOneInDevicePixels() {
    QFETCH(QSize, CellSize);
    auto Form = CreateShownForm(320, 240, CellSize.width(), CellSize.height());
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, 0, 0, Pattern);
    Form->DrawGeneration(true);
    const QSize Picture(320 * CellSize.width(), 240 * CellSize.height());

    TWorldImage* Image = Probe.WorldImage();
    const QSizeF Control = QSizeF(Image->size()) * Scale(*Image);
    QVERIFY(Control.width() >= Picture.width() && Control.height() >= Picture.height());
    QVERIFY(Control.width() < Picture.width() + Scale(*Image));
    QVERIFY(Control.height() < Picture.height() + Scale(*Image));

    const QPoint Origin = WaitForPaintedOrigin(*Form);
    QVERIFY(Origin != QPoint(-1, -1));
    QCOMPARE(FirstWrongPixel(WindowPixels(*Form), Origin, Picture, CellSize), QPoint(-1, -1));
}

QTEST_MAIN(TstScaling)
#include "tst_scaling.moc"
