// Which zoom the window can take on a screen: the client's size at a zoom and
// the largest windowed zoom whose window fits the screen's available area.
// Plain arithmetic on sizes, for any screen, frame and pixel ratio.
#pragma once

#include "game/Extras.h"

#include <QSize>

namespace sk {

// The whole device-pixel factor for a wanted zoom on a screen with
// `devicePixelRatio`: pixels stay even when Qt scales the window itself.
int DevicePixelFactor(int zoom, double devicePixelRatio);

// The client (632 x 434 game pixels) at a windowed zoom, in logical pixels.
QSize ZoomedClientSize(Zoom zoom, double devicePixelRatio);

// Whether the window at `zoom` fits `available`: the client plus `chrome`
// (the frame's margins and the menu bar, added up across and down). Full
// screen always fits, and so does 1x, the smallest there is.
bool ZoomFits(Zoom zoom, const QSize& available, const QSize& chrome, double devicePixelRatio);

// `wished`, or the largest windowed zoom below it that fits (1x at least).
Zoom FittingZoom(Zoom wished, const QSize& available, const QSize& chrome, double devicePixelRatio);

}  // namespace sk
