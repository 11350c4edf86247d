// What recording costs a frame: the recorder's work for one play frame with
// one pointer move (and a state check value every 60th frame), one event
// through a recording game's way in against a game that records nothing,
// the check value itself, and the heap allocations recording makes (none
// while the reserved buffer lasts).
#include "CountedAllocations.h"
#include "game/Game.h"
#include "game/Headless.h"
#include "game/ReplayRecorder.h"
#include "game/ReplayState.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <new>

using bench::gAllocations;

namespace {

// A game in its first stage, from the shipped stage files.
struct PlayingGame {
    sk::NullWindowPort port;
    sk::Game game{port, sk::LoadPictures(), sk::SilentSound()};

    explicit PlayingGame(bool record) {
        std::filesystem::current_path(SKARBOLT_GAMEDATA);
        game.InitGame(sk::Settings{false, false, false, 4});
        game.ShowTitlePicture();
        if (record) game.RecordReplays([](const std::vector<std::uint8_t>&) {});
        game.StartBotClick();
    }
};

void Allocations(benchmark::State& state, long long before) {
    state.counters["allocs/iter"] =
        benchmark::Counter(static_cast<double>(gAllocations.load() - before), benchmark::Counter::kAvgIterations);
}

// The recorder's share of one play frame with one pointer move in it.
void BM_RecordFrame(benchmark::State& state) {
    PlayingGame playing(false);
    sk::ReplayRecorder recorder;
    recorder.Reserve();
    recorder.Begin({}, 0, false);
    int x = 0;
    const long long before = gAllocations.load();
    for (auto _ : state) {
        recorder.Note(sk::ReplayOp::PointerMove, 100 + (x & 63), 200 - (x & 31));
        ++x;
        recorder.Track(playing.game.S.StageNo, playing.game.S.Score);
        if (recorder.FrameDone()) recorder.Note(sk::ReplayOp::Check, static_cast<std::int32_t>(sk::StateCheck(playing.game)));
        if (recorder.Frames() >= 200'000) {  // an hour of frames, then start again as a new game would
            state.PauseTiming();
            recorder.Begin({}, 0, false);
            state.ResumeTiming();
        }
    }
    Allocations(state, before);
}
BENCHMARK(BM_RecordFrame);

// A pointer move into a game that records (state.range(0) = 1) or not.
void BM_PointerMoveEvent(benchmark::State& state) {
    PlayingGame playing(state.range(0) != 0);
    int x = 0;
    const long long before = gAllocations.load();
    for (auto _ : state) {
        playing.game.MainScreenMouseMove(100 + (x & 63), 200);
        ++x;
        if (playing.game.S.AutoPilot) playing.game.S.AutoPilot = false;
    }
    Allocations(state, before);
}
BENCHMARK(BM_PointerMoveEvent)->Arg(0)->Arg(1);

void BM_StateCheck(benchmark::State& state) {
    PlayingGame playing(false);
    for (auto _ : state) benchmark::DoNotOptimize(sk::StateCheck(playing.game));
}
BENCHMARK(BM_StateCheck);

}  // namespace

BENCHMARK_MAIN();
