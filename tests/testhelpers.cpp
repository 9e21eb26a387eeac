// Shared test helpers.

#include "tests/testhelpers.h"

#include "settings/settingspaths.h"

#include <QApplication>
#include <QBackingStore>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <zlib.h>

std::unique_ptr<TLifeForm> CreateForm() {
    if (SettingsFile.isEmpty())
        InitSettingsPaths();
    return std::make_unique<TLifeForm>();
}

std::unique_ptr<TLifeForm> CreateShownForm() {
    auto Form = CreateForm();
    Form->show();
    if (!QTest::qWaitForWindowExposed(Form.get()))
        qWarning("main window was not exposed");
    Form->activateWindow();
    if (!QTest::qWaitForWindowActive(Form.get()))
        qWarning("main window did not become active");
    return Form;
}

std::unique_ptr<TLifeForm> CreateShownForm(int Width, int Height, int CellWidth, int CellHeight,
                                           qint32 Wrapping, qint32 Zoom) {
    auto Form = CreateForm();
    TLifeFormProbe Probe(*Form);
    Probe.Zoom() = Zoom;
    Probe.SetHorCells(Width);
    Probe.SetVertCells(Height);
    Probe.HorCellSize = CellWidth;
    Probe.VertCellSize = CellHeight;
    Probe.SetWrapping(Wrapping);
    Form->MakeConnections(false);
    Probe.History().Clear(); // the history starts from this layout, as from the stored one
    Form->show();
    if (!QTest::qWaitForWindowExposed(Form.get()))
        qWarning("main window was not exposed");
    return Form;
}

void PlaceRows(TLifeForm& Form, int X, int Y, const QStringList& Rows) {
    TLifeFormProbe Probe(Form);
    for (int R = 0; R < Rows.size(); ++R) {
        for (int C = 0; C < Rows[R].size(); ++C)
            Probe.Engine.SetCell(X + C, Y + R, Rows[R][C] == QLatin1Char('O') ? 1 : 0);
    }
}

QStringList ReadRows(TLifeForm& Form, const QRect& Area) {
    TLifeFormProbe Probe(Form);
    QStringList Rows;
    for (int Y = Area.top(); Y <= Area.bottom(); ++Y) {
        QString Row;
        for (int X = Area.left(); X <= Area.right(); ++X)
            Row += Probe.Engine.State(X, Y) == 1 ? QLatin1Char('O') : QLatin1Char('.');
        Rows << Row;
    }
    return Rows;
}

int LiveCells(TLifeForm& Form) {
    TLifeFormProbe Probe(Form);
    int Count = 0;
    for (int X = 0; X < Probe.HorCells(); ++X) {
        for (int Y = 0; Y < Probe.VertCells(); ++Y)
            Count += Probe.Engine.State(X, Y);
    }
    return Count;
}

int LiveCellsOutsideWorld(TLifeForm& Form) {
    TLifeFormProbe Probe(Form);
    int Count = 0;
    for (int X = 0; X < TLifeEngine::MaxHorCells; ++X) {
        for (int Y = X < Probe.HorCells() ? Probe.VertCells() : 0; Y < TLifeEngine::MaxVertCells;
             ++Y)
            Count += Probe.Engine.State(X, Y);
    }
    return Count;
}

QRgb PixelAt(const QImage& Picture, int X, int Y) {
    return Picture.pixel(X, Y) | 0xff000000u;
}

void AnswerNextModal(std::function<void(QWidget*)> Answer) {
    QTimer::singleShot(0, qApp, [Answer = std::move(Answer)]() mutable {
        if (QWidget* Modal = QApplication::activeModalWidget())
            Answer(Modal);
        else
            AnswerNextModal(std::move(Answer));
    });
}

void AcceptNextMessageBox(std::function<void(const QString&, const QString&)> Inspect) {
    AnswerNextModal([Inspect = std::move(Inspect)](QWidget* Modal) {
        auto* Box = qobject_cast<QMessageBox*>(Modal);
        if (!Box) {
            Modal->close();
            return;
        }
        if (Inspect)
            Inspect(Box->windowTitle(), Box->text());
        QAbstractButton* Button = Box->defaultButton();
        if (!Button)
            Button = Box->escapeButton();
        if (Button)
            Button->click();
        else
            Box->close();
    });
}

void WriteFile(const QString& Path, const QByteArray& Bytes) {
    QFile File(Path);
    if (!File.open(QIODevice::WriteOnly) || File.write(Bytes) != Bytes.size())
        qFatal("cannot write test file %s", qPrintable(Path));
}

QByteArray FileBytes(const QString& Path) {
    QFile File(Path);
    return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray("<unreadable>");
}

QByteArray GzipBytes(const QByteArray& Text) {
    z_stream Stream{};
    // 15 + 16: the largest window, with a gzip header and trailer.
    if (deflateInit2(&Stream, 9, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        qFatal("deflateInit2 failed");
    QByteArray Packed(qsizetype(deflateBound(&Stream, uLong(Text.size()))), '\0');
    Stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(Text.data()));
    Stream.avail_in = uInt(Text.size());
    Stream.next_out = reinterpret_cast<Bytef*>(Packed.data());
    Stream.avail_out = uInt(Packed.size());
    if (deflate(&Stream, Z_FINISH) != Z_STREAM_END)
        qFatal("deflate did not finish");
    Packed.truncate(qsizetype(Stream.total_out));
    deflateEnd(&Stream);
    return Packed;
}

QImage PictureOfView(const TWorldView& View, const std::function<bool(int, int)>& Live) {
    const QRect Area = View.Visible();
    QImage Picture(Area.size(), QImage::Format_RGB32);
    const QSize Per = View.BlockCells();
    const QSize Pixels = View.BlockPixels();
    for (int Py = 0; Py < Area.height(); ++Py) {
        for (int Px = 0; Px < Area.width(); ++Px) {
            const int Left = (Area.left() + Px) / Pixels.width() * Per.width();
            const int Top = (Area.top() + Py) / Pixels.height() * Per.height();
            bool Any = false;
            for (int X = Left; X < std::min(Left + Per.width(), View.HorCells()); ++X) {
                for (int Y = Top; Y < std::min(Top + Per.height(), View.VertCells()); ++Y)
                    Any = Any || Live(X, Y);
            }
            Picture.setPixel(Px, Py, Any ? TLifeForm::LiveColour : TLifeForm::DeadColour);
        }
    }
    return Picture;
}

QImage ShownOnScreen(TLifeForm& Form) {
    QWidget* Viewport = TLifeFormProbe(Form).Viewport();
    auto* Store = dynamic_cast<QImage*>(Form.backingStore()->paintDevice());
    if (!Store)
        return {};
    const qreal Ratio = Form.devicePixelRatioF();
    const QPoint Origin = Viewport->mapTo(&Form, QPoint(0, 0)) * Ratio;
    return Store->copy(QRect(Origin, TLifeFormProbe(Form).WorldImage()->PictureSize()))
        .convertToFormat(QImage::Format_RGB32);
}

QImage WithGrid(QImage Picture, const TWorldView& View) {
    const QSize Block = View.BlockPixels();
    const QPoint Scroll = View.Scroll();
    for (int Y = 0; Y < Picture.height(); ++Y) {
        for (int X = 0; X < Picture.width(); ++X) {
            const int WorldX = X + Scroll.x();
            const int WorldY = Y + Scroll.y();
            if ((Block.width() >= TWorldImage::GridMinPixels && WorldX > 0 &&
                 WorldX % Block.width() == 0) ||
                (Block.height() >= TWorldImage::GridMinPixels && WorldY > 0 &&
                 WorldY % Block.height() == 0))
                Picture.setPixel(X, Y, TWorldImage::GridColour);
        }
    }
    return Picture;
}
