// The stage background BackHai, MapCols x 32 by MapRows x 32 pixels, kept as
// the stage map and the pictures of its cells rather than as one painted
// picture of the whole stage (up to 3168 x 3168). Every cell shows the ground
// tile with at most one map tile drawn over it, so a cell's picture depends
// on its code alone: BuildBackground paints the 33 cell pictures once per
// stage, and a block of the background is copied cell by cell from them,
// pixel for pixel what a copy from the painted picture gives.
#pragma once

#include "game/Raster.h"
#include "game/StageFile.h"

#include <cstdint>

namespace sk {

class StageBackground {
public:
    // The background shows `map` (the game state's StageMap).
    explicit StageBackground(const StageMapCells& map);

    int Width = 0;   // pixels
    int Height = 0;

    // Gives the background a new size; Paint paints it.
    void Resize(int width, int height);
    // Paints the cell pictures: the ground picture repeated from the cell's
    // corner (it is one tile, so every cell starts on it as the whole
    // background would), and for codes 1 to 32 the tile of that code over it,
    // drawn through its mask (SRCERASE, then the tile SRCINVERT) from the
    // sheets' 32 x 32 grid; parts of the grid the sheets lack leave the
    // ground.
    void Paint(const Bitmap& ground, const Bitmap& tiles, const Bitmap& masks);

    // Blit(dst, dx, dy, w, h, <the background>, sx, sy, SrcCopy): the same
    // clipping, the same pixels. Never allocates.
    void CopyTo(Bitmap& dst, int dx, int dy, int w, int h, int sx, int sy) const;
    // One pixel, (x, y) inside the background.
    std::uint32_t At(int x, int y) const;

private:
    static constexpr int kCells = 33;  // the ground, then codes 1 to 32
    const std::uint32_t* CellRow(int code, int y) const;

    const StageMapCells& map_;
    Bitmap cells_{kTile, kTile * kCells};  // cell k in rows k * 32 .. k * 32 + 31
};

}  // namespace sk
