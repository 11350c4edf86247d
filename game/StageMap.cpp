// The stage's map and its background picture, built once per stage start.
#include "game/Game.h"
#include "game/StageFile.h"

#include <cstdio>

namespace sk {

bool Game::LoadStageMap() {
    const std::string path = StageFileName(S.StageNo);
    const StageMapStatus status = LoadStageFile(path, S.MapCols, S.MapRows, S.StageMap);
    if (status != StageMapStatus::Ok) {
        std::fprintf(stderr, "stage map %s %s\n", path.c_str(), StageMapStatusText(status));
        return false;
    }
    BackHai.Resize(S.MapCols * kTile, S.MapRows * kTile);
    return true;
}

// The tiles land at (column x 32, row x 32): ScrollX is 0 whenever a stage
// starts.
void Game::BuildBackground() { BackHai.Paint(pics_.AllBack, pics_.Maps, pics_.MapMask); }

}  // namespace sk
