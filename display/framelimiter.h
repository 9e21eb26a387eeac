#pragma once

// Shows something at most once a display frame. Generations may come every millisecond,
// far faster than a screen shows them, and showing each would cost more than computing it.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

class TFrameLimiter : public QObject {
public:
    // Show shows the latest state; FrameMs gives the length of a frame, asked anew each time.
    TFrameLimiter(std::function<void()> Show, std::function<int()> FrameMs, QObject* Parent);

    // Shows at once when the last showing is a frame ago or more; otherwise once at the end
    // of that frame, for every request until then.
    void Request();
    // Shows now what waits for the end of the frame, if anything.
    void Flush();

private:
    void ShowNow();

    std::function<void()> Show;
    std::function<int()> FrameMs;
    QTimer FrameEnd;
    QElapsedTimer SinceShown;
    bool Waiting = false;
};
