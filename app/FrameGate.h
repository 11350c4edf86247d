// Frames must never nest: while a message box or a pulled-down menu runs its
// own event loop, the frame clock waits. FrameGate counts those holds; the
// clock asks it before every frame and hears when the last hold ends.
#pragma once

#include <functional>

namespace sk {

class FrameGate {
public:
    static FrameGate& Instance();

    void Close();
    void Open();
    bool IsOpen() const { return holds_ == 0; }
    // Called each time the last hold ends.
    void OnReopen(std::function<void()> listener) { listener_ = std::move(listener); }

private:
    int holds_ = 0;
    std::function<void()> listener_;
};

// Holds the gate closed for the lifetime of the object.
class FrameHold {
public:
    FrameHold() { FrameGate::Instance().Close(); }
    ~FrameHold() { FrameGate::Instance().Open(); }
    FrameHold(const FrameHold&) = delete;
    FrameHold& operator=(const FrameHold&) = delete;
};

}  // namespace sk
