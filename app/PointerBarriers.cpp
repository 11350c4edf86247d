#include "app/PointerBarriers.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <array>

#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

namespace sk {

struct PointerBarriers::Impl {
    Display* display = nullptr;
    std::array<PointerBarrier, 4> walls{};
    bool raised = false;
};

std::unique_ptr<PointerBarriers> PointerBarriers::Open() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display) return nullptr;
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XFixesQueryExtension(display, &eventBase, &errorBase)) return nullptr;
    if (!XFixesQueryVersion(display, &major, &minor) || major < 5) return nullptr;
    auto impl = std::make_unique<Impl>();
    impl->display = display;
    return std::unique_ptr<PointerBarriers>(new PointerBarriers(std::move(impl)));
}

PointerBarriers::PointerBarriers(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

PointerBarriers::~PointerBarriers() { Lower(); }

void PointerBarriers::Raise(const QRect& area) {
    Lower();
    Display* d = impl_->display;
    const Window root = DefaultRootWindow(d);
    const int screenW = DisplayWidth(d, DefaultScreen(d));
    const int screenH = DisplayHeight(d, DefaultScreen(d));
    // Each wall lets the pointer pass only towards the inside.
    const int left = area.left(), top = area.top();
    const int right = area.right() + 1, bottom = area.bottom() + 1;
    impl_->walls = {
        XFixesCreatePointerBarrier(d, root, left, 0, left, screenH, BarrierPositiveX, 0, nullptr),
        XFixesCreatePointerBarrier(d, root, right, 0, right, screenH, BarrierNegativeX, 0, nullptr),
        XFixesCreatePointerBarrier(d, root, 0, top, screenW, top, BarrierPositiveY, 0, nullptr),
        XFixesCreatePointerBarrier(d, root, 0, bottom, screenW, bottom, BarrierNegativeY, 0, nullptr),
    };
    impl_->raised = true;
    XFlush(d);
}

void PointerBarriers::Lower() {
    if (!impl_ || !impl_->raised) return;
    for (PointerBarrier wall : impl_->walls) XFixesDestroyPointerBarrier(impl_->display, wall);
    impl_->raised = false;
    XFlush(impl_->display);
}

}  // namespace sk
