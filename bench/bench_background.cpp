// Stage start painting and masked sprite drawing.
#include "game/Game.h"
#include "game/Headless.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

struct Bench {
    sk::NullWindowPort port;
    sk::Game game{port, sk::LoadPictures(), sk::SilentSound()};

    void FillMap(int cols, int rows) {
        game.S.MapCols = cols;
        game.S.MapRows = rows;
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c) game.S.StageMap[r][c] = (r * 13 + c * 7) % 40;  // tiles and gaps
    }
};

// A stage file of n x n tiles in a folder of its own, made current while it lives.
class StageFolder {
public:
    explicit StageFolder(int n)
        : previous_(std::filesystem::current_path()),
          folder_(std::filesystem::temp_directory_path() / ("skarbolt-bench-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(folder_ / "Data");
        std::ofstream file(folder_ / "Data" / "Stage1.dat", std::ios::binary);
        file.put(static_cast<char>(n)).put(static_cast<char>(n)).put(0);
        for (int i = 0; i < n * n; ++i) file.put(static_cast<char>((i * 7) % 40));
        file.close();
        std::filesystem::current_path(folder_);
    }
    ~StageFolder() {
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(folder_);
    }

private:
    std::filesystem::path previous_, folder_;
};

// The whole stage-start paint: read the map, size the picture, tile it.
void BM_StageStartBackground(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const StageFolder folder(n);
    Bench b;
    b.game.S.StageNo = 1;
    for (auto _ : state) {
        if (!b.game.LoadStageMap()) state.SkipWithError("stage file not read");
        b.game.BuildBackground();
        benchmark::DoNotOptimize(b.game.BackHai.At(0, 0));
    }
    state.SetItemsProcessed(state.iterations() * n * n);
}
BENCHMARK(BM_StageStartBackground)->Arg(99)->Arg(40)->Unit(benchmark::kMillisecond);

// Painting alone (the cell pictures), for a background that already has its size.
void BM_BuildBackground(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    Bench b;
    b.FillMap(n, n);
    b.game.BackHai.Resize(n * sk::kTile, n * sk::kTile);
    for (auto _ : state) {
        b.game.BuildBackground();
        benchmark::DoNotOptimize(b.game.BackHai.At(0, 0));
    }
}
BENCHMARK(BM_BuildBackground)->Arg(99)->Unit(benchmark::kMicrosecond);

void BM_DrawSprite(benchmark::State& state, int x, int y, int w, int h, const sk::Bitmap sk::Pictures::*sheet) {
    Bench b;
    const sk::Bitmap& image = sk::LoadPictures().*sheet;
    for (auto _ : state) {
        b.game.DrawSprite(image, x, y, w, h, 1, 3, 1);
        benchmark::DoNotOptimize(b.game.MainScr.Pixels.data());
    }
}
BENCHMARK_CAPTURE(BM_DrawSprite, enemy_inside, 300, 200, 60, 30, &sk::Pictures::EnemyBmp);
BENCHMARK_CAPTURE(BM_DrawSprite, enemy_half_out, -30, 390, 60, 30, &sk::Pictures::EnemyBmp);
BENCHMARK_CAPTURE(BM_DrawSprite, game_over, 160, 175, 320, 60, &sk::Pictures::GameOverGra);

// The frame's copy of the visible part of the background.
void BM_FrameBackgroundCopy(benchmark::State& state) {
    Bench b;
    b.FillMap(99, 13);
    b.game.BackHai.Resize(99 * sk::kTile, 13 * sk::kTile);
    b.game.BuildBackground();
    for (auto _ : state) {
        b.game.BackHai.CopyTo(b.game.MainScr, 0, 0, 640, 434, 1000, 0);
        benchmark::DoNotOptimize(b.game.MainScr.Pixels.data());
    }
}
BENCHMARK(BM_FrameBackgroundCopy);

}  // namespace

BENCHMARK_MAIN();
