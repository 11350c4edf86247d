// The pictures compiled into the program, decoded once into bitmaps.
#pragma once

#include "game/Raster.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace sk {

struct Pictures {
    Bitmap OpenLogo;       // 632 x 434 title picture
    Bitmap StatusPicture;  // 632 x 30 status bar background
    Bitmap PlaneBmp;       // 59 x 60
    Bitmap EnemyBmp;       // 120 x 300
    Bitmap ExplodeBmp;     // 275 x 122
    Bitmap Missile;        // 16 x 16
    Bitmap CpuMissile;     // 16 x 16
    Bitmap GameOverGra;    // 320 x 120
    Bitmap toTitle;        // 155 x 22
    Bitmap BossBmp;        // 226 x 60 (drawn by nothing)
    Bitmap GraPattrn;      // 32 x 32 (drawn by nothing)
    Bitmap AllBack;        // 32 x 32 ground tile
    Bitmap Maps;           // 256 x 96 tile sheet
    Bitmap MapMask;        // 256 x 96 tile masks
};

// The embedded PNG file of a picture by its name ("OpenLogo", "Maps", ...,
// also "Icon" and "AboutIcon"); empty when there is none.
std::span<const std::uint8_t> EmbeddedPicture(std::string_view name);

// Decodes a PNG file held in memory; false (and `out` untouched) when the
// data is not a PNG it can read.
bool DecodePng(std::span<const std::uint8_t> png, Bitmap& out);

// All pictures, decoded on the first call.
const Pictures& LoadPictures();

}  // namespace sk
