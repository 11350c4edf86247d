// The game: the state record and every operation over it, without Qt.
// The shell forwards window events to the handlers below, calls AppIdle once
// per tick, and shows Screen().
#pragma once

#include "game/GameState.h"
#include "game/Pictures.h"
#include "game/Settings.h"
#include "game/SoundApi.h"
#include "game/SoundCatalogue.h"
#include "game/WindowPort.h"
#include "scores/HighScores.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace sk {

enum class MouseButton { Left = 0, Right = 1, Middle = 2 };

// Rows First .. First + Count - 1 of a screen.
struct RowSpan {
    int First = 0;
    int Count = 0;
};

// DrawSprite's layouts: how frameA and frameB find the frame in its sheet.
inline constexpr std::uint8_t kStripLayout = 0;  // frameA is the frame's x; frameB unused
inline constexpr std::uint8_t kGridLayout = 1;   // frameA the column, frameB the row, both from 1

class Game {
public:
    Game(WindowPort& port, const Pictures& pictures, SoundApi sound);

    GameState S;                 // the one game state
    HighScoreTable HighScores;   // HiScore / HiName
    Bitmap MainScr;              // 632 x 404 off-screen frame
    Bitmap MainScreen;           // 632 x 434 the play area on the title screen
    Bitmap BackHai;              // the stage background

    // What the play area shows: MainScreen, which the title draws on, or
    // MainScr from the first play frame until the title draws again. Showing
    // MainScr is the play frame's copy of it to the window, without a copy.
    const Bitmap& Screen() const { return fieldShown_ ? MainScr : MainScreen; }

    // --- Start-up -----------------------------------------------------
    void InitGame(const Settings& settings);
    // FormShow's drawing step: band offsets to 0, title picture onto MainScreen.
    void ShowTitlePicture();

    // --- The clock ----------------------------------------------------
    // One idle call: the play frame, the title frame, or nothing when a game
    // is paused. Returns the milliseconds to wait before the next call
    // (FrameDelay, 20 on the title), or -1 when nothing ran (paused game).
    int AppIdle();
    // The rows of Screen() the last AppIdle changed, top to bottom: all of
    // them after a play frame and when the title comes back, then only the
    // title's star bands; none when nothing ran.
    std::span<const RowSpan> ChangedRows() const { return {changed_.data(), changedCount_}; }
    void PlayFrame();
    void TitleFrame();
    void ScrollBackground();

    // --- Stages -------------------------------------------------------
    // False when the stage file could not be used: the player has been told
    // and the game is back on the title screen.
    bool StartStage(bool advance);
    bool LoadStageMap();
    void BuildBackground();
    void ResetGame();
    void DrawGameOver();

    // --- Window events and menu commands ------------------------------
    void StartBotClick();
    void ResetBClick();
    void StopBClick();
    void ResumeGame();
    // SpeedBClick and AboutBClick: Paused := true and StopB checked.
    void PauseForDialog();
    void ScrollBClick();
    void SpecialBClick();
    void MainScreenDblClick();
    void MainScreenMouseMove(int x, int y);
    void MainScreenMouseDown(MouseButton button, int x, int y);
    // The left and the right button's shots, for the mouse, keys and pads.
    void FireSingle();
    void FireFan();
    // Key and pad steering: the target point itself (held in its range).
    void SteerTarget(int x, int y);

    // Settings dialog OK: the dialog's values into the game, ApplyMouseLock,
    // the speed table for `difficultyIndex` (-1: none selected), unpause.
    void TransferSettingsFromDialog(int difficultyIndex, bool bgm, bool wave, bool mouseLock);
    // Settings dialog opening: selects the difficulty item for Difficulty
    // (2, 4, 9 -> 0, 1, 2; any other code leaves the selection alone).
    void TransferSettingsToDialog();

    // --- Actors -------------------------------------------------------
    void MoveShip();
    void MoveShot(int slot);
    void MoveEnemy(int k, int kind);
    void UpdateEnemies(int phase);
    void MoveEnemyShot(int k);
    void StepExplosion(int x, int y, int index, int kind);
    void DrawSprite(const Bitmap& image, int x, int y, int width, int height, int frameA, int frameB,
                    std::uint8_t layout);
    int RandomBelow(int n);

    // --- High scores --------------------------------------------------
    void CheckNewRecord();

private:
    void ResetShip();
    void SetUpEnemies();
    void ResetEnemyShots();
    void ApplyStageSpeeds();
    void SetFirstLapSpeeds(int index);  // index 0..2: Easy, Normal, Hard
    void ShowLapMessage();
    void PlayMusic(Tune tune);
    void HitShip();
    bool TakesPresses() const;
    bool CanFire() const;
    void PlayShotSound();
    void SetGauge();
    void FreeShot(Actor& shot, int x, int y);
    void ShowScore();
    void DrawShip();
    void NoteChangedRows(bool starBandsOnly);

    WindowPort& port_;
    const Pictures& pics_;
    SoundApi sound_;
    bool fieldShown_ = false;  // Screen() is MainScr
    bool titleOnScreen_ = false;  // the window shows the whole title as the last frame drew it
    std::array<RowSpan, 4> changed_{};  // at most one span per moving title band
    std::size_t changedCount_ = 0;
    Bitmap work_;  // DrawSprite's work bitmap, kept so drawing never allocates
    Bitmap shipWork_{59, 30};  // the ship's own work bitmap
};

}  // namespace sk
