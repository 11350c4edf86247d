#include "app/ShmPresenter.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>

#include <sys/ipc.h>
#include <sys/shm.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <xcb/xcb.h>

namespace {

// Set by the error handler while an attach is being checked.
bool g_attachFailed = false;

int NoteAttachError(Display*, XErrorEvent*) {
    g_attachFailed = true;
    return 0;
}

bool TakesOurPixels(const XWindowAttributes& attributes) {
    const Visual* visual = attributes.visual;
    return attributes.depth == 24 && visual != nullptr && visual->red_mask == 0xFF0000 &&
           visual->green_mask == 0x00FF00 && visual->blue_mask == 0x0000FF;
}

// The server maps the segment too; marked for removal at once, it goes away
// with the last process that has it attached.
bool AttachSegment(Display* display, XShmSegmentInfo& segment, std::size_t bytes) {
    segment.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (segment.shmid < 0) return false;
    segment.shmaddr = static_cast<char*>(shmat(segment.shmid, nullptr, 0));
    if (segment.shmaddr == reinterpret_cast<char*>(-1)) {
        shmctl(segment.shmid, IPC_RMID, nullptr);
        return false;
    }
    segment.readOnly = True;
    XSync(display, False);
    g_attachFailed = false;
    auto* previous = XSetErrorHandler(&NoteAttachError);
    const bool sent = XShmAttach(display, &segment) != 0;
    XSync(display, False);
    XSetErrorHandler(previous);
    shmctl(segment.shmid, IPC_RMID, nullptr);
    if (sent && !g_attachFailed) return true;
    shmdt(segment.shmaddr);
    return false;
}

}  // namespace

struct ShmPresenter::Impl {
    Display* display = nullptr;
    xcb_connection_t* connection = nullptr;  // the same connection, seen through XCB
    Window window = 0;
    GC gc = nullptr;
    XImage* image = nullptr;
    XShmSegmentInfo segment{};
    // Asked for after the last put: when its reply is there, the server has
    // read the image.
    std::optional<xcb_get_input_focus_cookie_t> afterPut;

    ~Impl() {
        if (afterPut) xcb_discard_reply(connection, afterPut->sequence);
        if (image != nullptr) {
            XShmDetach(display, &segment);
            XSync(display, False);
            image->data = nullptr;
            XDestroyImage(image);
            shmdt(segment.shmaddr);
        }
        if (gc != nullptr) XFreeGC(display, gc);
    }
};

std::unique_ptr<ShmPresenter> ShmPresenter::Open(unsigned long window, int width, int height) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (display == nullptr || connection == nullptr || window == 0 || width <= 0 || height <= 0 ||
        !XShmQueryExtension(display)) {
        return nullptr;
    }
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, window, &attributes) || !TakesOurPixels(attributes)) return nullptr;

    auto impl = std::make_unique<Impl>();
    impl->display = display;
    impl->connection = connection;
    impl->window = window;
    XImage* image = XShmCreateImage(display, attributes.visual, 24, ZPixmap, nullptr, &impl->segment,
                                    static_cast<unsigned>(width), static_cast<unsigned>(height));
    if (image == nullptr) return nullptr;
    const bool layoutFits = image->bits_per_pixel == 32 && image->byte_order == LSBFirst;
    const std::size_t bytes = static_cast<std::size_t>(image->bytes_per_line) * static_cast<std::size_t>(height);
    if (!layoutFits || !AttachSegment(display, impl->segment, bytes)) {
        XDestroyImage(image);
        return nullptr;
    }
    image->data = impl->segment.shmaddr;
    impl->image = image;
    impl->gc = XCreateGC(display, window, 0, nullptr);
    return std::unique_ptr<ShmPresenter>(new ShmPresenter(std::move(impl)));
}

ShmPresenter::ShmPresenter(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

ShmPresenter::~ShmPresenter() = default;

void ShmPresenter::Put(const std::uint32_t* pixels, int stride, const QRect& area) {
    XImage* image = impl_->image;
    const QRect shown = area.intersected(QRect(0, 0, image->width, image->height));
    if (shown.isEmpty()) return;
    const std::size_t rowBytes = static_cast<std::size_t>(shown.width()) * sizeof(std::uint32_t);
    for (int y = shown.top(); y <= shown.bottom(); ++y) {
        char* to = image->data + static_cast<std::ptrdiff_t>(y) * image->bytes_per_line +
                   static_cast<std::ptrdiff_t>(shown.left()) * 4;
        std::memcpy(to, pixels + static_cast<std::ptrdiff_t>(y) * stride + shown.left(), rowBytes);
    }
    XShmPutImage(impl_->display, impl_->window, impl_->gc, image, shown.left(), shown.top(), shown.left(),
                 shown.top(), static_cast<unsigned>(shown.width()), static_cast<unsigned>(shown.height()), False);
}

// No waiting for a round trip per frame: the answer to a question sent
// right after a frame's puts is there by the next frame.
void ShmPresenter::Show(const std::uint32_t* pixels, int stride, const QRegion& changed) {
    if (impl_->afterPut) std::free(xcb_get_input_focus_reply(impl_->connection, *impl_->afterPut, nullptr));
    impl_->afterPut.reset();
    for (const QRect& area : changed) Put(pixels, stride, area);
    // XCB sends what Xlib holds first, so the question follows the puts.
    impl_->afterPut = xcb_get_input_focus(impl_->connection);
    xcb_flush(impl_->connection);
}
