#pragma once

// Window placement within the screen that holds a window, origin included: a screen to the
// right of or below another does not start at (0, 0). Positions are those of the frame's
// top-left corner, as QWidget::move takes them.

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// The geometry of the screen that holds Window.
QRect ScreenOf(const QWidget& Window);

// The size of Window with its frame, as far as the frame is known yet.
QSize FrameSize(const QWidget& Window);

// Centred on Screen, truncating a half pixel; a window larger than the screen goes to the
// screen's top-left.
QPoint CentredOnScreen(const QRect& Screen, const QSize& Window);
