// The stage map reader on arbitrary bytes, then the background built from
// what it accepted.
#include "game/Game.h"
#include "game/StageMap.h"

#include <cstdint>
#include <cstdlib>
#include <span>

namespace {

sk::SoundApi SilentSound() {
    return sk::SoundApi{[](int, float, int) {}, [](const char*) { return 0; }, [](int) {}, [] {}};
}

sk::Pictures TestPictures() {
    sk::Pictures p;
    p.AllBack.Resize(32, 32, 0x00102030u);
    p.Maps.Resize(256, 96, 0x00FF00FFu);
    p.MapMask.Resize(256, 96, sk::kBlack);
    return p;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const sk::Pictures pictures = TestPictures();
    static sk::NullWindowPort port;
    static sk::Game game(port, pictures, SilentSound());

    const std::int32_t cols = game.S.MapCols, rows = game.S.MapRows;
    const auto status = sk::ReadStageMap(std::span(data, size), game.S.MapCols, game.S.MapRows, game.S.StageMap);
    if (status != sk::StageMapStatus::Ok) {
        if (game.S.MapCols != cols || game.S.MapRows != rows) std::abort();
        return 0;
    }
    if (game.S.MapCols < 1 || game.S.MapCols > sk::kMapMax || game.S.MapRows < 1 || game.S.MapRows > sk::kMapMax)
        std::abort();
    game.BackHai.Resize(game.S.MapCols * sk::kTile, game.S.MapRows * sk::kTile);
    game.BuildBackground();
    return 0;
}
