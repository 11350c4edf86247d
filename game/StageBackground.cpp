#include "game/StageBackground.h"

#include <algorithm>
#include <cstring>

namespace sk {
namespace {

constexpr int kFirstCode = 1;
constexpr int kLastCode = 32;
constexpr int kSheetColumns = 8;

// Offsets [first, last) of a w-long block at d in the destination and at s in
// the source that lie inside both (Blit's clipping, one axis).
struct Clip {
    int First = 0;
    int Last = 0;
};

Clip ClipAxis(int d, int s, int size, int dstSize, int srcSize) {
    const long long first = std::max({0LL, -static_cast<long long>(d), -static_cast<long long>(s)});
    const long long last = std::min({static_cast<long long>(size), static_cast<long long>(dstSize) - d,
                                     static_cast<long long>(srcSize) - s});
    return {static_cast<int>(first), static_cast<int>(std::max(first, last))};
}

}  // namespace

StageBackground::StageBackground(const StageMapCells& map) : map_(map) {}

void StageBackground::Resize(int width, int height) {
    Width = std::clamp(width, 0, kMapMax * kTile);
    Height = std::clamp(height, 0, kMapMax * kTile);
}

void StageBackground::Paint(const Bitmap& ground, const Bitmap& tiles, const Bitmap& masks) {
    for (int cell = 0; cell < kCells; ++cell) {
        const int top = cell * kTile;
        for (int y = 0; y < kTile && ground.Width > 0 && ground.Height > 0; y += ground.Height) {
            for (int x = 0; x < kTile; x += ground.Width) {
                Blit(cells_, x, top + y, std::min(ground.Width, kTile - x), std::min(ground.Height, kTile - y), ground,
                     0, 0, RasterOp::SrcCopy);
            }
        }
        if (cell < kFirstCode) continue;
        const int sheetX = (cell - 1) % kSheetColumns * kTile;
        const int sheetY = (cell - 1) / kSheetColumns * kTile;
        Blit(cells_, 0, top, kTile, kTile, masks, sheetX, sheetY, RasterOp::SrcErase);
        Blit(cells_, 0, top, kTile, kTile, tiles, sheetX, sheetY, RasterOp::SrcInvert);
    }
}

const std::uint32_t* StageBackground::CellRow(int code, int y) const {
    const int cell = code >= kFirstCode && code <= kLastCode ? code : 0;
    return cells_.Row(cell * kTile + y);
}

std::uint32_t StageBackground::At(int x, int y) const {
    return CellRow(map_[y / kTile][x / kTile], y % kTile)[x % kTile];
}

void StageBackground::CopyTo(Bitmap& dst, int dx, int dy, int w, int h, int sx, int sy) const {
    if (w <= 0 || h <= 0) return;
    const Clip cols = ClipAxis(dx, sx, w, dst.Width, Width);
    const Clip rows = ClipAxis(dy, sy, h, dst.Height, Height);
    if (cols.First >= cols.Last || rows.First >= rows.Last) return;
    const int firstX = sx + cols.First;
    const int count = cols.Last - cols.First;
    constexpr std::size_t kCellRowBytes = kTile * sizeof(std::uint32_t);
    for (int k = rows.First; k < rows.Last; ++k) {
        const int y = sy + k, inCell = y % kTile;
        const auto& codes = map_[y / kTile];
        std::uint32_t* to = dst.Row(dy + k) + dx + cols.First;
        int column = firstX / kTile, left = count;
        if (const int offset = firstX % kTile; offset > 0) {  // the first cell cut on its left
            const int run = std::min(kTile - offset, left);
            std::memcpy(to, CellRow(codes[column++], inCell) + offset, static_cast<std::size_t>(run) * sizeof(std::uint32_t));
            to += run;
            left -= run;
        }
        for (; left >= kTile; left -= kTile, to += kTile) std::memcpy(to, CellRow(codes[column++], inCell), kCellRowBytes);
        if (left > 0) std::memcpy(to, CellRow(codes[column], inCell), static_cast<std::size_t>(left) * sizeof(std::uint32_t));
    }
}

}  // namespace sk
