// The game's clock on the UI thread: a precise single-shot timer re-armed
// after each frame with the delay the frame asks for, so the period is the
// frame's work plus its delay. A frame that asks for no next frame (a paused
// game) leaves the clock idle until Wake().
#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

namespace sk {

class FrameClock : public QObject {
    Q_OBJECT
public:
    // `frame` runs one frame and returns the milliseconds until the next, or
    // -1 for none; `runnable` tells whether a frame would do anything now.
    FrameClock(std::function<int()> frame, std::function<bool()> runnable, QObject* parent = nullptr);
    ~FrameClock() override;

    void Start();
    // After an event that may have unpaused the game: run soon if idle.
    void Wake();

    bool Started() const { return started_; }
    bool Armed() const { return timer_.isActive(); }
    int Frames() const { return frames_; }

private:
    void Tick();
    void Arm(int delayMs);

    QTimer timer_;
    std::function<int()> frame_;
    std::function<bool()> runnable_;
    bool started_ = false;
    bool inFrame_ = false;
    bool missed_ = false;  // the timer fired while the gate was closed
    int frames_ = 0;
};

}  // namespace sk
