// Window placement within the screen that holds a window.

#include "app/placement.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>

QRect ScreenOf(const QWidget& Window) {
    return Window.screen()->geometry();
}

QSize FrameSize(const QWidget& Window) {
    return Window.frameGeometry().size().expandedTo(Window.size());
}

QPoint CentredOnScreen(const QRect& Screen, const QSize& Window) {
    const int Left = Screen.left() + (Screen.width() - Window.width()) / 2;
    const int Top = Screen.top() + (Screen.height() - Window.height()) / 2;
    return {std::max(Left, Screen.left()), std::max(Top, Screen.top())};
}
