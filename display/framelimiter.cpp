// At most one showing a display frame.

#include "display/framelimiter.h"

#include <utility>

TFrameLimiter::TFrameLimiter(std::function<void()> Show, std::function<int()> FrameMs,
                             QObject* Parent)
    : QObject(Parent), Show(std::move(Show)), FrameMs(std::move(FrameMs)) {
    FrameEnd.setSingleShot(true);
    connect(&FrameEnd, &QTimer::timeout, this, &TFrameLimiter::Flush);
}

void TFrameLimiter::Request() {
    Waiting = true;
    if (FrameEnd.isActive())
        return;
    const qint64 Frame = FrameMs();
    const qint64 Since = SinceShown.isValid() ? SinceShown.elapsed() : Frame;
    if (Since >= Frame)
        ShowNow();
    else
        FrameEnd.start(int(Frame - Since));
}

void TFrameLimiter::Flush() {
    FrameEnd.stop();
    if (Waiting)
        ShowNow();
}

void TFrameLimiter::ShowNow() {
    Waiting = false;
    SinceShown.restart();
    Show();
}
