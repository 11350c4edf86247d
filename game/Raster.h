// 32-bit pixel bitmaps and the one block copy the game draws with.
#pragma once

#include <cstdint>
#include <vector>

namespace sk {

// Pixels are 0xFFRRGGBB: every bitmap is opaque by construction (pictures
// are decoded so, and the raster ops keep the top byte 0xFF), so a bitmap can
// be shown as a QImage::Format_RGB32 without conversion or an extra pass, and
// a compositor that reads the top byte as alpha shows every pixel.
constexpr std::uint32_t kOpaque = 0xFF000000u;
constexpr std::uint32_t kWhite = 0xFFFFFFFFu;
constexpr std::uint32_t kBlack = 0xFF000000u;

struct Bitmap {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint32_t> Pixels;  // row-major, Width * Height

    Bitmap() = default;
    Bitmap(int width, int height, std::uint32_t fill = kBlack) { Resize(width, height, fill); }

    // Gives the bitmap a new size; every pixel becomes `fill`.
    void Resize(int width, int height, std::uint32_t fill = kBlack);
    std::uint32_t* Row(int y) { return Pixels.data() + static_cast<std::size_t>(y) * Width; }
    const std::uint32_t* Row(int y) const { return Pixels.data() + static_cast<std::size_t>(y) * Width; }
    std::uint32_t At(int x, int y) const { return Row(y)[x]; }
};

enum class RasterOp {
    SrcCopy,    // dst := src
    SrcErase,   // dst := src AND NOT dst (top byte kept 0xFF)
    SrcInvert,  // dst := dst XOR src (top byte kept 0xFF)
};

// Combines the w x h block of `src` at (sx, sy) into `dst` at (dx, dy).
// The block is clipped against both bitmaps: destination pixels whose source
// pixel lies outside `src`, or that lie outside `dst`, are left as they were.
// A zero or negative size draws nothing. Never allocates.
void Blit(Bitmap& dst, int dx, int dy, int w, int h, const Bitmap& src, int sx, int sy, RasterOp op);

}  // namespace sk
