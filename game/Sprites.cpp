// Drawing sprites: a frame of a sheet, found by its layout, drawn masked
// into MainScr.
#include "game/Game.h"
#include "game/MaskedSprite.h"

namespace sk {

void Game::DrawSprite(const Bitmap& image, int x, int y, int width, int height, int frameA, int frameB,
                      std::uint8_t layout) {
    int sheetX = frameA;
    int sheetY = 0;
    if (layout == kGridLayout) {
        sheetX = ClampSheetPosition((static_cast<long long>(frameA) - 1) * width);
        sheetY = ClampSheetPosition((static_cast<long long>(frameB) - 1) * 2 * height);
    }
    DrawMaskedSprite(MainScr, work_, image, x, y, width, height, sheetX, sheetY);
}

}  // namespace sk
