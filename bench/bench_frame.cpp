// The heaviest play frame the game can meet, against a plain copy of one
// 632 x 404 frame, and the heap allocations a play frame makes.
//
// The frame: seven shots, ten enemies moving and drawn, ten enemy shots,
// eleven explosions (every enemy slot and the ship) and the game-over
// picture, composed into MainScr (which the window then shows). The state is put
// back before every frame so each one does the same work.
#include "CountedAllocations.h"
#include "game/Game.h"
#include "game/Headless.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <ctime>
#include <cstdlib>
#include <new>

using bench::gAllocations;

namespace {

struct WorstCase {
    sk::NullWindowPort port;
    sk::Game game{port, sk::LoadPictures(), sk::SilentSound()};
    sk::GameState start;

    WorstCase() {
        game.InitGame(sk::Settings{});
        game.S.TitleMode = false;
        game.S.StageNo = 7;
        game.S.MapCols = 60;
        game.S.MapRows = 13;
        for (int r = 0; r < 13; ++r)
            for (int c = 0; c < 60; ++c) game.S.StageMap[r][c] = (r * 13 + c * 7) % 40;  // tiles and gaps
        game.BackHai.Resize(60 * 32, 13 * 32);
        game.BuildBackground();
        sk::GameState& s = game.S;
        s.ScrollX = 300;
        s.EnemySpeed = 11;
        s.EnemyShotSpeed = 13;
        s.GameOver = true;
        s.ShipX = 100;
        s.ShipY = 200;
        s.ShipHit = s.ShipFrozen = true;
        s.ShipIntact = false;
        s.ShipBlastFrame = 1;
        for (int k = 1; k <= 10; ++k) {
            sk::Actor& e = s.Enemies[k];
            e = sk::Actor{};
            e.Kind = k;
            e.X = 150 + 40 * k;
            e.Y = 20 + 30 * k;
            e.Param = 150;
            e.Active = true;
            e.Destroyed = e.Exploding = true;
            e.BlastFrame = k % 4;
            sk::Actor& shot = s.EnemyShots[k];
            shot.X = 500 - 30 * k;
            shot.Y = 10 + 35 * k;
            shot.Active = true;
        }
        for (int j = 0; j < 7; ++j) {
            s.Shots[j].X = 20 + 80 * j;
            s.Shots[j].Y = 390;
            s.Shots[j].Active = true;
        }
        s.ShotsInFlight = 7;
        start = s;
    }
};

// Processor time of this thread: the machine may be shared, so wall time
// would count other people's work too.
double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double SecondsPerPlainCopy() {
    sk::Bitmap from(sk::kFieldWidth, sk::kFieldHeight, 0x123456), to(sk::kFieldWidth, sk::kFieldHeight);
    constexpr int kCopies = 2000;
    const double begin = ThreadSeconds();
    for (int i = 0; i < kCopies; ++i) {
        sk::Blit(to, 0, 0, sk::kFieldWidth, sk::kFieldHeight, from, 0, 0, sk::RasterOp::SrcCopy);
        benchmark::DoNotOptimize(to.Pixels.data());
        benchmark::ClobberMemory();
    }
    return (ThreadSeconds() - begin) / kCopies;
}

void BM_WorstCasePlayFrame(benchmark::State& state) {
    WorstCase w;
    w.game.PlayFrame();  // the work bitmap grows to the largest sprite once
    long long allocations = 0;
    double frameSeconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        w.game.S = w.start;
        state.ResumeTiming();
        const long long before = gAllocations.load(std::memory_order_relaxed);
        const double begin = ThreadSeconds();
        w.game.PlayFrame();
        frameSeconds += ThreadSeconds() - begin;
        allocations += gAllocations.load(std::memory_order_relaxed) - before;
        benchmark::DoNotOptimize(w.game.TitleScreen.Pixels.data());
    }
    const double perFrame = frameSeconds / static_cast<double>(state.iterations());
    state.counters["allocs_per_frame"] =
        benchmark::Counter(static_cast<double>(allocations) / static_cast<double>(state.iterations()));
    state.counters["frame_over_copy"] = benchmark::Counter(perFrame / SecondsPerPlainCopy());
}
BENCHMARK(BM_WorstCasePlayFrame)->Unit(benchmark::kMicrosecond);

void BM_PlainFrameCopy(benchmark::State& state) {
    sk::Bitmap from(sk::kFieldWidth, sk::kFieldHeight, 0x123456), to(sk::kFieldWidth, sk::kFieldHeight);
    for (auto _ : state) {
        sk::Blit(to, 0, 0, sk::kFieldWidth, sk::kFieldHeight, from, 0, 0, sk::RasterOp::SrcCopy);
        benchmark::DoNotOptimize(to.Pixels.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PlainFrameCopy)->Unit(benchmark::kMicrosecond);

// The one full-frame copy every play frame makes (the background into
// MainScr), without any actor: the floor under the play frame.
void BM_PlayFrameBackgroundOnly(benchmark::State& state) {
    WorstCase w;
    for (auto _ : state) {
        w.game.ScrollBackground();
        benchmark::DoNotOptimize(w.game.MainScr.Pixels.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PlayFrameBackgroundOnly)->Unit(benchmark::kMicrosecond);

void BM_TitleFrame(benchmark::State& state) {
    WorstCase w;
    w.game.S.TitleMode = true;
    for (auto _ : state) {
        w.game.TitleFrame();
        benchmark::DoNotOptimize(w.game.TitleScreen.Pixels.data());
    }
}
BENCHMARK(BM_TitleFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
