// The background painted from a map's tile codes: the first two bytes give
// a small map's size, the rest its codes (any 32-bit value a file can hold
// is a byte, so codes are bytes). What would be slow here is the size of the
// picture, not the codes: the size stays small.
#include "game/Game.h"
#include "game/Headless.h"

#include <cstdint>
#include <span>

namespace {

sk::Pictures TestPictures() {
    sk::Pictures p;
    p.AllBack.Resize(32, 32, 0x00102030u);
    p.Maps.Resize(256, 96, 0x00FF00FFu);
    p.MapMask.Resize(256, 96, sk::kBlack);
    return p;
}

constexpr int kMaxCols = 12;
constexpr int kMaxRows = 6;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const sk::Pictures pictures = TestPictures();
    static sk::NullWindowPort port;
    static sk::Game game(port, pictures, sk::SilentSound());
    if (size < 2) return 0;
    game.S.MapCols = 1 + data[0] % kMaxCols;
    game.S.MapRows = 1 + data[1] % kMaxRows;
    std::size_t at = 2;
    for (int r = 0; r < game.S.MapRows; ++r) {
        for (int c = 0; c < game.S.MapCols; ++c) game.S.StageMap[r][c] = at < size ? data[at++] : 0;
    }
    game.BackHai.Resize(game.S.MapCols * sk::kTile, game.S.MapRows * sk::kTile);
    game.BuildBackground();
    return 0;
}
