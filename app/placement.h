#pragma once

// Window placement within the screen that holds a window, origin included: a screen to the
// right of or below another does not start at (0, 0). A window is placed by its frame, the
// border and title bar the window manager draws around it.

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <functional>

class QWidget;

// Where a frame of the given size goes: the position of its top-left corner.
using TFramePlacement = std::function<QPoint(const QSize& Frame)>;

// The geometry of the screen that holds Window.
QRect ScreenOf(const QWidget& Window);
// The same screen without the desktop's panels, within its device pixels.
QRect AvailableOf(const QWidget& Window);

// Centred on Screen, truncating a half pixel; a window larger than the screen goes to the
// screen's top-left.
QPoint CentredOnScreen(const QRect& Screen, const QSize& Window);

// The top-left corner of a client area of the given size whose frame, Margins around it,
// stands where Place puts a frame of that size.
QPoint ClientPosition(const TFramePlacement& Place, const QSize& Client, const QMargins& Margins);

// The frame around Window: as Qt knows it once the window manager has framed the window;
// before that, under X11, the extents the window manager publishes when asked. None where
// there is no window manager, and on platforms without a frame (offscreen).
QMargins FrameMargins(const QWidget& Window);

// Places Window so that its frame stands where Place puts it. From a show event the window
// is placed before it is mapped, so it never visibly moves.
void PlaceWindow(QWidget& Window, const TFramePlacement& Place);
// Holds Window's native window at Size, without its frame: the size limits a window manager
// reads. They never leave room for another size, not even for a moment: a window manager
// that once sees the window resizable may frame it with a resize handle for good (openbox
// does), and the frame would no longer be the one its place was computed for.
void FixNativeSize(QWidget& Window, const QSize& Size);
// Gives Window, a widget without size limits of its own, the size Size, without its frame,
// and the place Place puts its frame at, in one request, so a window manager never shows the
// new size at the old place. Its native window's limits follow (FixNativeSize).
void PlaceWindow(QWidget& Window, const QSize& Size, const TFramePlacement& Place);

// Shows Window raised and active. A minimised window is restored first: show(), raise() and
// activateWindow() leave it minimised.
void BringForward(QWidget& Window);
