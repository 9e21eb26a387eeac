// Window placement within the screen that holds a window, by the window's frame.

#include "app/placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cmath>

#if defined(GOL_WITH_XCB) && QT_CONFIG(xcb)
#include <QDeadlineTimer>
#include <QThread>
#include <QtMath>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#endif

namespace {

#if defined(GOL_WITH_XCB) && QT_CONFIG(xcb)

template <typename TReply> using TXcbReply = std::unique_ptr<TReply, decltype(&std::free)>;

template <typename TReply> TXcbReply<TReply> Owned(TReply* Reply) {
    return {Reply, &std::free};
}

xcb_atom_t AtomNamed(xcb_connection_t* Connection, const char* Name) {
    const auto Reply = Owned(xcb_intern_atom_reply(
        Connection, xcb_intern_atom(Connection, 0, quint16(std::strlen(Name)), Name), nullptr));
    return Reply ? Reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// _NET_FRAME_EXTENTS holds left, right, top and bottom.
std::optional<QMargins> ReadFrameExtents(xcb_connection_t* Connection, xcb_window_t Window,
                                         xcb_atom_t Extents) {
    const auto Reply = Owned(xcb_get_property_reply(
        Connection, xcb_get_property(Connection, 0, Window, Extents, XCB_ATOM_CARDINAL, 0, 4),
        nullptr));
    if (!Reply || Reply->format != 32 || xcb_get_property_value_length(Reply.get()) != 16)
        return std::nullopt;
    const auto* Value = static_cast<const quint32*>(xcb_get_property_value(Reply.get()));
    return QMargins(int(Value[0]), int(Value[2]), int(Value[1]), int(Value[3]));
}

bool WindowManagerSupports(xcb_connection_t* Connection, xcb_window_t Root, xcb_atom_t Wanted) {
    const auto Reply = Owned(xcb_get_property_reply(
        Connection,
        xcb_get_property(Connection, 0, Root, AtomNamed(Connection, "_NET_SUPPORTED"),
                         XCB_ATOM_ATOM, 0, 4096),
        nullptr));
    if (!Reply || Reply->format != 32)
        return false;
    const auto* Atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(Reply.get()));
    const int Count = xcb_get_property_value_length(Reply.get()) / int(sizeof(xcb_atom_t));
    return std::find(Atoms, Atoms + Count, Wanted) != Atoms + Count;
}

// The window manager counts device pixels. Rounded as Qt rounds the frame it reports once
// the window is framed, so a window is placed alike before and after.
QMargins InLogicalPixels(const QMargins& Device, qreal Ratio) {
    return {qRound(Device.left() / Ratio), qRound(Device.top() / Ratio),
            qRound(Device.right() / Ratio), qRound(Device.bottom() / Ratio)};
}

// The frame a window manager that follows the EWMH will draw around Window, also before
// Window is mapped: asked for, the window manager publishes it on the window.
std::optional<QMargins> PublishedFrameExtents(const QWidget& Window) {
    const auto* X11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!X11 || !Window.windowHandle())
        return std::nullopt;
    xcb_connection_t* Connection = X11->connection();
    const auto Id = xcb_window_t(Window.winId());
    const xcb_atom_t Extents = AtomNamed(Connection, "_NET_FRAME_EXTENTS");
    if (const std::optional<QMargins> Published = ReadFrameExtents(Connection, Id, Extents))
        return Published;

    const auto Geometry =
        Owned(xcb_get_geometry_reply(Connection, xcb_get_geometry(Connection, Id), nullptr));
    const xcb_atom_t Request = AtomNamed(Connection, "_NET_REQUEST_FRAME_EXTENTS");
    if (!Geometry || !WindowManagerSupports(Connection, Geometry->root, Request))
        return std::nullopt;
    xcb_client_message_event_t Message{};
    Message.response_type = XCB_CLIENT_MESSAGE;
    Message.format = 32;
    Message.window = Id;
    Message.type = Request;
    xcb_send_event(Connection, 0, Geometry->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&Message));
    xcb_flush(Connection);
    // The window manager answers in its own time, usually well within a millisecond; the
    // window waits for it unmapped, once, at its first showing.
    const QDeadlineTimer Deadline(200);
    do {
        if (const std::optional<QMargins> Published = ReadFrameExtents(Connection, Id, Extents))
            return Published;
        QThread::msleep(1);
    } while (!Deadline.hasExpired());
    return std::nullopt;
}

#endif

} // namespace

QRect ScreenOf(const QWidget& Window) {
    return Window.screen()->geometry();
}

// At a display scale of 1.5, say, Qt rounds the screen's device pixels to logical ones, and
// the area may end up to half a logical pixel past the screen's edge; it then stops one
// logical pixel short instead.
QRect AvailableOf(const QWidget& Window) {
    const QRect Area = Window.screen()->availableGeometry();
    const qreal Ratio = Window.screen()->devicePixelRatio();
    return Ratio == std::floor(Ratio) ? Area : Area.adjusted(0, 0, -1, -1);
}

QPoint CentredOnScreen(const QRect& Screen, const QSize& Window) {
    const int Left = Screen.left() + (Screen.width() - Window.width()) / 2;
    const int Top = Screen.top() + (Screen.height() - Window.height()) / 2;
    return {std::max(Left, Screen.left()), std::max(Top, Screen.top())};
}

QPoint ClientPosition(const TFramePlacement& Place, const QSize& Client, const QMargins& Margins) {
    return Place(Client.grownBy(Margins)) + QPoint(Margins.left(), Margins.top());
}

QMargins FrameMargins(const QWidget& Window) {
    const QRect Frame = Window.frameGeometry();
    const QRect Client = Window.geometry();
    const QMargins Known(Client.left() - Frame.left(), Client.top() - Frame.top(),
                         Frame.right() - Client.right(), Frame.bottom() - Client.bottom());
#if defined(GOL_WITH_XCB) && QT_CONFIG(xcb)
    if (Known.isNull()) {
        if (const std::optional<QMargins> Published = PublishedFrameExtents(Window))
            return InLogicalPixels(*Published, Window.devicePixelRatioF());
    }
#endif
    return Known;
}

// By the client area: Qt's own position of a frame is only right once the frame is known.
void PlaceWindow(QWidget& Window, const TFramePlacement& Place) {
    Window.setGeometry(
        QRect(ClientPosition(Place, Window.size(), FrameMargins(Window)), Window.size()));
}

// The lower limit goes up first, so no step ever leaves room between the limits. Before the
// window is first shown no window manager watches its limits.
void FixNativeSize(QWidget& Window, const QSize& Size) {
    QWindow* Native = Window.windowHandle();
    if (!Native)
        return;
    const QSize Old = Native->maximumSize();
    if (Native->minimumSize() == Old)
        Native->setMinimumSize(Size.expandedTo(Old));
    Native->setMaximumSize(Size);
    Native->setMinimumSize(Size);
}

// The widget itself has no limits, so its new geometry is not held to the old size; the
// native window's new limits reach the window manager with the request for it.
void PlaceWindow(QWidget& Window, const QSize& Size, const TFramePlacement& Place) {
    FixNativeSize(Window, Size);
    Window.setGeometry(QRect(ClientPosition(Place, Size, FrameMargins(Window)), Size));
}

void BringForward(QWidget& Window) {
    Window.setWindowState(Window.windowState() & ~Qt::WindowMinimized);
    Window.show();
    Window.raise();
    Window.activateWindow();
}
