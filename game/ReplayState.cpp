// The carried state of a game, its check value and the stage files' hashes.
#include "game/ReplayState.h"

#include "game/Game.h"
#include "game/StageFile.h"

#include <zlib.h>

#include <sstream>
#include <string>
#include <type_traits>

namespace sk {

namespace {

// Visits every carried value in one fixed order; `visit` takes a bool& or
// an int32&. The stage map, the background and the pictures are rebuilt by
// every stage start and are not carried.
template <class State, class Table, class Visit>
void VisitCarried(State& s, Table& table, Visit&& visit) {
    for (auto* flag : {&s.TitleMode, &s.Paused, &s.GameOver, &s.NewRecord, &s.SecondLap, &s.ScrollEnd, &s.StageExit,
                       &s.AutoPilot, &s.MusicOn, &s.MusicOnNext, &s.SoundOn, &s.MouseLock, &s.ShipHit, &s.ShipFrozen,
                       &s.ShipIntact, &s.Invincible, &s.BlastSoundLock, &s.Shell.LabelsVisible,
                       &s.Shell.StatusPictureVisible, &s.Shell.GaugeVisible})
        visit(*flag);
    for (auto* number : {&s.StageNo, &s.StageCount, &s.Score, &s.FrameDelay, &s.ScrollX, &s.ScrollSpeed, &s.MapCols,
                         &s.MapRows, &s.Difficulty, &s.EnemySpeed, &s.EnemyShotSpeed, &s.ShipX, &s.ShipY, &s.TargetX,
                         &s.TargetY, &s.ShipSpeed, &s.ShipBlastFrame, &s.ShotSlots, &s.ShotsInFlight, &s.ShotSpeed,
                         &s.EnemySlots})
        visit(*number);
    visit(s.Shell.DifficultyIndex);
    visit(s.Shell.GaugeWidth);
    for (auto* actors : {&s.Shots[0], &s.Enemies[0], &s.EnemyShots[0]}) {
        const std::size_t count = actors == &s.Shots[0] ? s.Shots.size() : s.Enemies.size();
        for (std::size_t i = 0; i < count; ++i) {
            auto& a = actors[i];
            for (auto* field : {&a.X, &a.Y, &a.BlastFrame, &a.Kind, &a.AppearAt, &a.Param}) visit(*field);
            for (auto* flag : {&a.Destroyed, &a.Exploding, &a.Active}) visit(*flag);
        }
    }
    for (auto& points : table.HiScore) visit(points);
}

// FNV-1a over whole 32-bit values.
std::uint32_t Mix(std::uint32_t hash, std::int32_t value) {
    return (hash ^ static_cast<std::uint32_t>(value)) * 16777619u;
}

std::uint32_t MixActor(std::uint32_t hash, const Actor& a) {
    for (std::int32_t v : {a.X, a.Y, a.Param, a.BlastFrame, static_cast<std::int32_t>(a.Active),
                           static_cast<std::int32_t>(a.Exploding)})
        hash = Mix(hash, v);
    return hash;
}

}  // namespace

std::vector<std::int32_t> CaptureCarriedState(const Game& game) {
    std::vector<std::int32_t> values;
    VisitCarried(game.S, game.HighScores, [&](const auto& v) { values.push_back(static_cast<std::int32_t>(v)); });
    return values;
}

std::uint32_t CaptureGenerator(const Game& game) {
    std::ostringstream text;
    text << game.S.Random;
    return static_cast<std::uint32_t>(std::stoul(text.str()));
}

bool RestoreCarriedState(Game& game, const std::vector<std::int32_t>& values, std::uint32_t generator) {
    std::size_t count = 0;
    VisitCarried(game.S, game.HighScores, [&](const auto&) { ++count; });
    if (count != values.size()) return false;
    std::size_t next = 0;
    VisitCarried(game.S, game.HighScores, [&](auto& v) {
        using T = std::remove_reference_t<decltype(v)>;
        v = std::is_same_v<T, bool> ? values[next] != 0 : static_cast<T>(values[next]);
        ++next;
    });
    std::istringstream text(std::to_string(generator));
    text >> game.S.Random;
    return !text.fail();
}

std::uint32_t StateCheck(const Game& game) {
    const GameState& s = game.S;
    std::uint32_t hash = 2166136261u;
    for (std::int32_t v : {s.StageNo, s.Score, s.ScrollX, s.ShipX, s.ShipY, s.TargetX, s.TargetY, s.ShotsInFlight,
                           static_cast<std::int32_t>(s.ShipHit), static_cast<std::int32_t>(s.GameOver)})
        hash = Mix(hash, v);
    for (const Actor& a : s.Shots) hash = MixActor(hash, a);
    for (const Actor& a : s.Enemies) hash = MixActor(hash, a);
    for (const Actor& a : s.EnemyShots) hash = MixActor(hash, a);
    return hash;
}

std::array<std::uint32_t, kStageFiles> StageFileHashes() {
    std::array<std::uint32_t, kStageFiles> hashes{};
    std::array<std::uint8_t, kStageFileMaxBytes> bytes;
    for (int n = 1; n <= kStageFiles; ++n) {
        std::size_t size = 0;
        if (ReadStageFile(StageFileName(n), bytes, size) != StageMapStatus::Ok) continue;
        hashes[n - 1] = static_cast<std::uint32_t>(crc32(0, bytes.data(), static_cast<uInt>(size)));
    }
    return hashes;
}

}  // namespace sk
