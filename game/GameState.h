// The one game-state record: every variable the game's operations share.
#pragma once

#include "game/CoreTexts.h"
#include "game/Raster.h"

#include <array>
#include <cstdint>
#include <random>
#include <string>

namespace sk {

constexpr int kFieldWidth = 632;    // play field and MainScr
constexpr int kFieldHeight = 404;
constexpr int kClientHeight = 434;  // play field plus the 30-pixel status bar
constexpr int kMapMax = 99;         // StageMap is kMapMax x kMapMax
constexpr int kTile = 32;
constexpr int kGaugeFull = 294;     // BulletLeftBar width with every shot left
constexpr int kGaugeStep = 42;      // gauge pixels per shot

// The gauge's width with `shotsInFlight` of the seven shots away.
constexpr int GaugeWidthFor(int shotsInFlight) { return kGaugeFull - kGaugeStep * shotsInFlight; }

// The record of every moving object.
struct Actor {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int32_t BlastFrame = 0;
    std::int32_t Kind = 0;
    std::int32_t AppearAt = 0;
    std::int32_t Param = 0;
    bool Destroyed = false;
    bool Exploding = false;
    bool Active = false;
};

// A menu item of the main window as the core sees it.
struct MenuItemState {
    bool Visible = true;
    bool Enabled = true;
    bool Checked = false;
};

// What the windows show of the game: the shell mirrors these after every
// frame and event, tests read them.
struct ShellState {
    MenuItemState StartBot{true, true, false};
    MenuItemState HScoreB{true, true, false};
    MenuItemState ResetB{true, true, false};
    MenuItemState StopB{false, true, false};
    MenuItemState ScrollB{false, false, false};
    MenuItemState SpecialB{false, false, false};

    // The settings dialog's difficulty group: its selected item (0 Easy,
    // 1 Normal, 2 Hard, -1 none), whether it is enabled, and its hint.
    int DifficultyIndex = 1;
    bool DifficultyEnabled = true;
    std::string DifficultyHint = text::kDifficultyHint;

    // Status bar: the stage and score captions, the visibility of the
    // labels and of the picture with its gauge, and the gauge width.
    std::string StageCaption = "01";
    std::string ScoreCaption = "0000000";
    bool LabelsVisible = false;
    bool StatusPictureVisible = false;
    bool GaugeVisible = false;
    int GaugeWidth = kGaugeFull;

    // Height of the visible play area MainScreen: 434 on the title, 404 in a game.
    int MainScreenHeight = kClientHeight;
};

struct GameState {
    // Screen and game state.
    bool TitleMode = false;
    bool Paused = false;
    bool GameOver = false;
    bool NewRecord = false;
    std::int32_t StageNo = 0;
    std::int32_t StageCount = 7;
    bool SecondLap = false;
    std::int32_t Score = 0;
    std::int32_t FrameDelay = 20;

    // Scrolling and end of stage.
    std::int32_t ScrollX = 0;
    std::int32_t ScrollSpeed = 2;
    bool ScrollEnd = false;
    bool StageExit = false;
    bool AutoPilot = false;
    std::int32_t MapCols = 0;
    std::int32_t MapRows = 0;
    std::array<std::array<std::int32_t, kMapMax>, kMapMax> StageMap{};  // [row][column]
    std::array<std::int32_t, 4> TitleBandX{};

    // Difficulty.
    std::int32_t Difficulty = 4;
    std::int32_t EnemySpeed = 3;
    std::int32_t EnemyShotSpeed = 3;

    // Settings.
    bool MusicOn = true;
    bool MusicOnNext = true;
    bool SoundOn = true;
    bool MouseLock = true;

    // The ship.
    std::int32_t ShipX = 12;
    std::int32_t ShipY = 120;
    std::int32_t TargetX = 0;
    std::int32_t TargetY = 0;
    std::int32_t ShipSpeed = 6;
    bool ShipHit = false;
    bool ShipFrozen = false;
    bool ShipIntact = true;
    std::int32_t ShipBlastFrame = 0;
    bool Invincible = false;

    // Player shots, slots 0..6.
    std::array<Actor, 7> Shots{};
    std::int32_t ShotSlots = 7;
    std::int32_t ShotsInFlight = 0;
    std::int32_t ShotSpeed = 24;

    // Enemies and their shots, slots 1..10 (index 0 is unused).
    std::array<Actor, 11> Enemies{};
    std::array<Actor, 11> EnemyShots{};
    std::int32_t EnemySlots = 10;
    bool BlastSoundLock = false;

    // The generator behind RandomBelow: a fixed default seed until the first
    // ResetGame seeds it from the clock.
    std::minstd_rand Random{};

    ShellState Shell;
};

}  // namespace sk
