// The stage's map and its background picture, built once per stage start.
#include "game/Game.h"
#include "game/StageFile.h"

#include <algorithm>
#include <cstdio>

namespace sk {

bool Game::LoadStageMap() {
    const std::string path = StageFileName(S.StageNo);
    const StageMapStatus status = LoadStageFile(path, S.MapCols, S.MapRows, S.StageMap);
    if (status != StageMapStatus::Ok) {
        std::fprintf(stderr, "stage map %s %s\n", path.c_str(), StageMapStatusText(status));
        return false;
    }
    // BuildBackground paints every pixel next, so the picture is only sized
    // here, not cleared: that halves the memory traffic of a stage start.
    BackHai.Width = S.MapCols * kTile;
    BackHai.Height = S.MapRows * kTile;
    BackHai.Pixels.resize(static_cast<std::size_t>(BackHai.Width) * static_cast<std::size_t>(BackHai.Height));
    return true;
}

void Game::BuildBackground() {
    const Bitmap& ground = pics_.AllBack;
    if (ground.Width > 0 && ground.Height > 0) {
        // One strip of ground tiles, then every later strip is a copy of it.
        const int strip = std::min(ground.Height, BackHai.Height);
        for (int x = 0; x < BackHai.Width; x += ground.Width) {
            Blit(BackHai, x, 0, ground.Width, ground.Height, ground, 0, 0, RasterOp::SrcCopy);
        }
        for (int y = strip; y < BackHai.Height; ++y) {
            std::copy_n(BackHai.Row(y - strip), BackHai.Width, BackHai.Row(y));
        }
    }

    for (int i = 0; i < S.MapRows && i < kMapMax; ++i) {
        for (int j = 0; j < S.MapCols && j < kMapMax; ++j) {
            const int code = S.StageMap[i][j];
            if (code < 1 || code > 32) continue;
            const int sheetX = (code - 1) % 8 * kTile;
            const int sheetY = (code - 1) / 8 * kTile;
            const int x = j * kTile + S.ScrollX;
            const int y = i * kTile;
            Blit(BackHai, x, y, kTile, kTile, pics_.MapMask, sheetX, sheetY, RasterOp::SrcErase);
            Blit(BackHai, x, y, kTile, kTile, pics_.Maps, sheetX, sheetY, RasterOp::SrcInvert);
        }
    }
}

}  // namespace sk
