// Cursor confinement by X11 pointer barriers (XFixes 5 or later): four
// one-way walls along the sides of a rectangle, spanning the whole screen so
// that no corner leaks.
#pragma once

#include <QRect>

#include <memory>

namespace sk {

class PointerBarriers {
public:
    // Null unless the application runs on X11 with pointer barriers.
    static std::unique_ptr<PointerBarriers> Open();
    ~PointerBarriers();
    PointerBarriers(const PointerBarriers&) = delete;
    PointerBarriers& operator=(const PointerBarriers&) = delete;

    // Replaces any walls by walls around `area` (screen pixels).
    void Raise(const QRect& area);
    void Lower();

private:
    struct Impl;
    explicit PointerBarriers(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

}  // namespace sk
