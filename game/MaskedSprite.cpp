#include "game/MaskedSprite.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>

namespace sk {

namespace {

// With the frame and its mask wholly inside the sheet, the four block
// operations come down to one pass with the same result per pixel:
// background := (mask AND NOT background) XOR picture.
bool FrameInsideSheet(const Bitmap& sheet, int px, int py, int my, int cw, int ch) {
    return px >= 0 && py >= 0 && my >= 0 && px + cw <= sheet.Width && py + ch <= sheet.Height &&
           my + ch <= sheet.Height;
}

// Four pixels at a time: at -O2 the compiler leaves the plain loop scalar.
using Pixels4 = std::uint32_t __attribute__((vector_size(16)));

Pixels4 Load4(const std::uint32_t* from) {
    Pixels4 v;
    std::memcpy(&v, from, sizeof v);
    return v;
}

void MaskRow(std::uint32_t* __restrict d, const std::uint32_t* __restrict picture,
             const std::uint32_t* __restrict mask, int n) {
    int i = 0;
    for (; i + 4 <= n; i += 4) {
        const Pixels4 out = (Load4(mask + i) & ~Load4(d + i)) ^ Load4(picture + i);
        std::memcpy(d + i, &out, sizeof out);
    }
    for (; i < n; ++i) d[i] = (mask[i] & ~d[i]) ^ picture[i];
}

void DrawInOnePass(Bitmap& target, const Bitmap& sheet, int cx, int cy, int cw, int ch, int px, int py,
                   int my) {
    for (int row = 0; row < ch; ++row) {
        MaskRow(target.Row(cy + row) + cx, sheet.Row(py + row) + px, sheet.Row(my + row) + px, cw);
    }
}

}  // namespace

int ClampSheetPosition(long long v) { return static_cast<int>(std::clamp<long long>(v, INT_MIN / 2, INT_MAX / 2)); }

void DrawMaskedSprite(Bitmap& target, Bitmap& work, const Bitmap& sheet, int x, int y, int w, int h,
                      int sheetX, int sheetY) {
    if (w <= 0 || h <= 0) return;
    // Only the part of the sprite that lands on the target can change anything.
    const long long left = std::max<long long>(x, 0);
    const long long top = std::max<long long>(y, 0);
    const long long right = std::min<long long>(static_cast<long long>(x) + w, target.Width);
    const long long bottom = std::min<long long>(static_cast<long long>(y) + h, target.Height);
    if (left >= right || top >= bottom) return;

    const int cw = static_cast<int>(right - left);
    const int ch = static_cast<int>(bottom - top);
    const int px = ClampSheetPosition(sheetX + (left - x));
    const int py = ClampSheetPosition(sheetY + (top - y));
    const int my = ClampSheetPosition(static_cast<long long>(py) + h);
    const int cx = static_cast<int>(left);
    const int cy = static_cast<int>(top);

    if (&target != &sheet && FrameInsideSheet(sheet, px, py, my, cw, ch)) {
        DrawInOnePass(target, sheet, cx, cy, cw, ch, px, py, my);
        return;
    }

    // The patch copy below covers the whole work bitmap, so it need not be
    // cleared; resize() within the capacity does not allocate.
    work.Width = cw;
    work.Height = ch;
    work.Pixels.resize(static_cast<std::size_t>(cw) * static_cast<std::size_t>(ch));
    Blit(work, 0, 0, cw, ch, target, cx, cy, RasterOp::SrcCopy);
    Blit(work, 0, 0, cw, ch, sheet, px, my, RasterOp::SrcErase);
    Blit(work, 0, 0, cw, ch, sheet, px, py, RasterOp::SrcInvert);
    Blit(target, cx, cy, cw, ch, work, 0, 0, RasterOp::SrcCopy);
}

}  // namespace sk
