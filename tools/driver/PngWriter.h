// Writes a bitmap as an 8-bit RGB PNG file.
#pragma once

#include "game/Raster.h"

#include <string>

namespace driver {

// The top `rows` rows of `bitmap` (all when rows <= 0); false with a line on
// stderr when the file cannot be written.
bool WritePng(const sk::Bitmap& bitmap, const std::string& path, int rows = 0);

}  // namespace driver
