// Shared helpers of the game tests: plain-coloured pictures, a recording
// sound table, stage files in a scratch folder and a ready game.
#pragma once

#include "game/Game.h"
#include "game/Headless.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace sk::test {

// Colours of the test pictures: every sprite is one opaque colour.
constexpr std::uint32_t kGround = 0xFF101010u;
constexpr std::uint32_t kShipColour = 0xFFE00000u;
constexpr std::uint32_t kShotColour = 0xFF00E000u;
constexpr std::uint32_t kEnemyShotColour = 0xFF0000E0u;
constexpr std::uint32_t kGameOverColour = 0xFFE0E000u;
constexpr std::uint32_t EnemyColour(int kind) { return 0xFF200000u + static_cast<std::uint32_t>(kind); }
constexpr std::uint32_t BlastColour(int frame) { return 0xFF300000u + static_cast<std::uint32_t>(frame); }
// The title picture: every pixel names its own place.
constexpr std::uint32_t LogoPixel(int x, int y) { return 0xFF000000u | (static_cast<std::uint32_t>(y) << 10) | static_cast<std::uint32_t>(x); }

// The ship's picture is opaque in its left half (x < kShipOpaqueW) only.
constexpr int kShipOpaqueW = 30;

const Pictures& TestPictures();

// Every call the game makes into the sound library, in order, as text:
// "DsPlay 0", "DmStop", "DmMake BGM\Stage1.mid", "DmPlay -1".
std::vector<std::string>& SoundLog();
SoundApi RecordingSound();
int CountCalls(const std::string& call);

// A scratch folder that is the current directory while it lives.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
};

// Writes Data/Stage<n>.dat: the header, then `cols` x `rows` tile codes.
void WriteStage(int n, int cols, int rows, std::uint8_t code = 0);
void WriteAllStages(int cols, int rows);

// A game on the title screen over stage files of 40 x 13 tiles (a scroll of
// 640 pixels, 320 frames), with a recording sound table, Normal difficulty
// and every setting on.
class GameTest : public ::testing::Test {
protected:
    GameTest();
    void SetUp() override;

    // F1 from the title screen.
    void StartGame();
    // Runs idle calls; returns the last wait.
    int Frames(int count);
    // Puts enemy slot k where it is released and moving: active, at (x, y).
    void PlaceEnemy(int k, int x, int y);
    // No enemy and no enemy shot in the field.
    void ClearField();

    ScratchDir dir_;
    NullWindowPort port_;
    Game g_;
};

}  // namespace sk::test
