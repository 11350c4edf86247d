#include "app/FrameGate.h"

namespace sk {

FrameGate& FrameGate::Instance() {
    static FrameGate gate;
    return gate;
}

void FrameGate::Close() { ++holds_; }

void FrameGate::Open() {
    if (holds_ == 0) return;
    if (--holds_ == 0 && listener_) listener_();
}

}  // namespace sk
