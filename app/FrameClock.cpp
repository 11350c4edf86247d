#include "app/FrameClock.h"

#include "app/FrameGate.h"

namespace sk {

namespace {
// The delay after a frame that threw: the error box holds the gate anyway.
constexpr int kRetryDelayMs = 20;
}  // namespace

FrameClock::FrameClock(std::function<int()> frame, std::function<bool()> runnable, QObject* parent)
    : QObject(parent), frame_(std::move(frame)), runnable_(std::move(runnable)) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &FrameClock::Tick);
    FrameGate::Instance().OnReopen([this] {
        if (missed_) {
            missed_ = false;
            Arm(0);
        }
    });
}

FrameClock::~FrameClock() { FrameGate::Instance().OnReopen(nullptr); }

void FrameClock::Start() {
    started_ = true;
    Arm(0);
}

void FrameClock::Wake() {
    if (!started_ || timer_.isActive() || inFrame_) return;
    if (runnable_()) Arm(0);
}

void FrameClock::Arm(int delayMs) { timer_.start(delayMs); }

void FrameClock::Tick() {
    if (inFrame_ || !FrameGate::Instance().IsOpen()) {
        missed_ = true;
        return;
    }
    inFrame_ = true;
    int delay = -1;
    try {
        delay = frame_();
    } catch (...) {
        inFrame_ = false;
        Arm(kRetryDelayMs);
        throw;
    }
    inFrame_ = false;
    ++frames_;
    if (delay >= 0) Arm(delay);
}

}  // namespace sk

