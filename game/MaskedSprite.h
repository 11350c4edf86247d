// Masked sprite drawing: a frame of a sheet (picture white where
// transparent, mask below it black where opaque) onto a target bitmap.
#pragma once

#include "game/Raster.h"

namespace sk {

// Draws the w x h frame whose picture lies at (sheetX, sheetY) of `sheet`
// and whose mask lies at (sheetX, sheetY + h) onto `target` at (x, y),
// through `work`: copy the patch under the sprite, SRCERASE the mask,
// SRCINVERT the picture, copy back. `work` is reused and only grows, so
// drawing does not allocate once it is large enough.
void DrawMaskedSprite(Bitmap& target, Bitmap& work, const Bitmap& sheet, int x, int y, int w, int h,
                      int sheetX, int sheetY);

// A sheet position worked out in 64 bits, as an int: positions far outside
// any sheet only need to stay outside it.
int ClampSheetPosition(long long v);

}  // namespace sk
