#include "app/ZoomFit.h"

#include "game/GameState.h"

#include <algorithm>
#include <cmath>

namespace sk {

int DevicePixelFactor(int zoom, double devicePixelRatio) {
    return std::max(1, static_cast<int>(std::lround(zoom * devicePixelRatio)));
}

QSize ZoomedClientSize(Zoom zoom, double devicePixelRatio) {
    const double scale = DevicePixelFactor(static_cast<int>(zoom), devicePixelRatio) / devicePixelRatio;
    return QSize(static_cast<int>(std::ceil(kFieldWidth * scale)), static_cast<int>(std::ceil(kClientHeight * scale)));
}

bool ZoomFits(Zoom zoom, const QSize& available, const QSize& chrome, double devicePixelRatio) {
    if (zoom == Zoom::FullScreen || zoom == Zoom::X1) return true;
    const QSize window = ZoomedClientSize(zoom, devicePixelRatio) + chrome;
    return window.width() <= available.width() && window.height() <= available.height();
}

Zoom FittingZoom(Zoom wished, const QSize& available, const QSize& chrome, double devicePixelRatio) {
    Zoom zoom = wished;
    while (!ZoomFits(zoom, available, chrome, devicePixelRatio)) zoom = static_cast<Zoom>(static_cast<int>(zoom) - 1);
    return zoom;
}

}  // namespace sk
