// Shows frames in a native X11 window through MIT-SHM: the changed
// rectangles are copied into a shared-memory image and put on the window,
// without Qt's repaint-and-flush path. Where it cannot work (not X11, a
// remote server, a visual that is not 24-bit 0xRRGGBB) Open gives null and
// the caller keeps painting through the widget.
#pragma once

#include <QRect>
#include <QRegion>

#include <cstdint>
#include <memory>

class ShmPresenter {
public:
    // For the X11 window `window` of the application's display, with room
    // for frames up to width x height.
    static std::unique_ptr<ShmPresenter> Open(unsigned long window, int width, int height);
    ~ShmPresenter();
    ShmPresenter(const ShmPresenter&) = delete;
    ShmPresenter& operator=(const ShmPresenter&) = delete;

    // Copies the `changed` part of the 0x00RRGGBB frame `pixels` (rows
    // `stride` pixels apart) to the same place in the window. Parts outside
    // the image are dropped. Waits first until the server has read the
    // previous frame, which it has long done at any frame rate (its answer
    // to a question sent with that frame is already there).
    void Show(const std::uint32_t* pixels, int stride, const QRegion& changed);

private:
    void Put(const std::uint32_t* pixels, int stride, const QRect& area);

    struct Impl;
    explicit ShmPresenter(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};
