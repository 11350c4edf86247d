#include "game/Raster.h"

#include <algorithm>
#include <cstring>

namespace sk {

void Bitmap::Resize(int width, int height, std::uint32_t fill) {
    Width = std::max(width, 0);
    Height = std::max(height, 0);
    // assign() keeps the capacity, so shrinking or regrowing within it never allocates.
    Pixels.assign(static_cast<std::size_t>(Width) * static_cast<std::size_t>(Height), fill);
}

namespace {

// The span [first, last) of block offsets whose pixels exist in both bitmaps.
struct Span {
    long long first = 0;
    long long last = 0;
    bool Empty() const { return first >= last; }
};

Span ClipAxis(int d, int s, int size, int dstSize, int srcSize) {
    const long long first = std::max({0LL, -static_cast<long long>(d), -static_cast<long long>(s)});
    const long long last = std::min({static_cast<long long>(size), static_cast<long long>(dstSize) - d,
                                     static_cast<long long>(srcSize) - s});
    return {first, last};
}

void EraseRow(std::uint32_t* d, const std::uint32_t* s, int n, bool backward) {
    if (backward) {
        for (int i = n - 1; i >= 0; --i) d[i] = (s[i] & ~d[i]) | kOpaque;
    } else {
        for (int i = 0; i < n; ++i) d[i] = (s[i] & ~d[i]) | kOpaque;
    }
}

void InvertRow(std::uint32_t* d, const std::uint32_t* s, int n, bool backward) {
    if (backward) {
        for (int i = n - 1; i >= 0; --i) d[i] = (d[i] ^ s[i]) | kOpaque;
    } else {
        for (int i = 0; i < n; ++i) d[i] = (d[i] ^ s[i]) | kOpaque;
    }
}

// Non-aliasing rows, in fixed blocks of eight so that the compiler turns each
// block into vector instructions even at moderate optimisation levels.
constexpr int kBlock = 8;

void EraseRowDistinct(std::uint32_t* __restrict d, const std::uint32_t* __restrict s, int n) {
    int i = 0;
    for (; i + kBlock <= n; i += kBlock) {
        for (int k = 0; k < kBlock; ++k) d[i + k] = (s[i + k] & ~d[i + k]) | kOpaque;
    }
    for (; i < n; ++i) d[i] = (s[i] & ~d[i]) | kOpaque;
}

void InvertRowDistinct(std::uint32_t* __restrict d, const std::uint32_t* __restrict s, int n) {
    int i = 0;
    for (; i + kBlock <= n; i += kBlock) {
        for (int k = 0; k < kBlock; ++k) d[i + k] = (d[i + k] ^ s[i + k]) | kOpaque;
    }
    for (; i < n; ++i) d[i] = (d[i] ^ s[i]) | kOpaque;
}

void CombineRow(std::uint32_t* d, const std::uint32_t* s, int n, RasterOp op, bool sameBitmap, bool backward) {
    switch (op) {
    case RasterOp::SrcCopy:
        std::memmove(d, s, static_cast<std::size_t>(n) * sizeof(std::uint32_t));
        break;
    case RasterOp::SrcErase:
        if (sameBitmap) EraseRow(d, s, n, backward);
        else EraseRowDistinct(d, s, n);
        break;
    case RasterOp::SrcInvert:
        if (sameBitmap) InvertRow(d, s, n, backward);
        else InvertRowDistinct(d, s, n);
        break;
    }
}

}  // namespace

void Blit(Bitmap& dst, int dx, int dy, int w, int h, const Bitmap& src, int sx, int sy, RasterOp op) {
    if (w <= 0 || h <= 0) return;
    const Span cols = ClipAxis(dx, sx, w, dst.Width, src.Width);
    const Span rows = ClipAxis(dy, sy, h, dst.Height, src.Height);
    if (cols.Empty() || rows.Empty()) return;

    const int n = static_cast<int>(cols.last - cols.first);
    const int dstX = static_cast<int>(dx + cols.first);
    const int srcX = static_cast<int>(sx + cols.first);
    const bool same = &dst == &src;
    // Within one bitmap, walk so that no source pixel is overwritten before it is read.
    const bool bottomUp = same && dy > sy;
    const bool backward = same && dy == sy && dx > sx;

    const long long count = rows.last - rows.first;
    for (long long k = 0; k < count; ++k) {
        const long long j = bottomUp ? rows.last - 1 - k : rows.first + k;
        std::uint32_t* d = dst.Row(static_cast<int>(dy + j)) + dstX;
        const std::uint32_t* s = src.Row(static_cast<int>(sy + j)) + srcX;
        CombineRow(d, s, n, op, same, backward);
    }
}

}  // namespace sk
