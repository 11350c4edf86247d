// The game: the state record and every operation over it, without Qt.
// The shell forwards window events to the handlers below, calls AppIdle once
// per tick, and shows Screen(). The members are grouped by the file that
// holds them; ARCHITECTURE.md has the table.
#pragma once

#include "game/GameState.h"
#include "game/Pictures.h"
#include "game/ReplayRecorder.h"
#include "game/Settings.h"
#include "game/SoundApi.h"
#include "game/SoundCatalogue.h"
#include "game/StageBackground.h"
#include "game/WindowPort.h"
#include "scores/HighScores.h"
#include "scores/ReplayIndex.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace sk {

enum class MouseButton { Left = 0, Right = 1, Middle = 2 };

// Rows First .. First + Count - 1 of a screen.
struct RowSpan {
    int First = 0;
    int Count = 0;
};

// UpdateEnemies' phases, in the order a play frame runs them.
inline constexpr int kMovePhase = 1;  // enemies released, moved, drawn; rams; the ship's explosion
inline constexpr int kShotPhase = 2;  // player shots against enemies; enemy explosions
// StepExplosion's kinds.
inline constexpr int kShipBlast = 1;   // the ship's explosion (index 0)
inline constexpr int kEnemyBlast = 2;  // an enemy's (index: its slot)
// DrawSprite's layouts: how frameA and frameB find the frame in its sheet.
inline constexpr std::uint8_t kStripLayout = 0;  // frameA is the frame's x; frameB unused
inline constexpr std::uint8_t kGridLayout = 1;   // frameA the column, frameB the row, both from 1

class Game {
public:
    Game(WindowPort& port, const Pictures& pictures, SoundApi sound);

    GameState S;                 // the one game state
    HighScoreTable HighScores;   // HiScore / HiName
    ReplayIndex Replays;         // the replay kept for each entry of the table
    Bitmap MainScr;              // 632 x 404 off-screen frame
    Bitmap TitleScreen;          // 632 x 434: what the title draws straight onto the play area
    StageBackground BackHai{S.StageMap};  // the stage background

    // What the play area shows: TitleScreen, or MainScr from the first play
    // frame until the title draws again. Showing MainScr is the play frame's
    // copy of it to the window, without a copy.
    const Bitmap& Screen() const { return fieldShown_ ? MainScr : TitleScreen; }

    // --- Game.cpp: set-up ---------------------------------------------
    void InitGame(const Settings& settings);
    // FormShow's drawing step: band offsets to 0, title picture onto TitleScreen.
    void ShowTitlePicture();

    // --- Frame.cpp: the clock -----------------------------------------
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

    // --- Commands.cpp: menu commands and the settings dialog ----------
    // With the ship's input below, these are every way into the game
    // besides AppIdle.
    void StartBotClick();
    void ResetBClick();
    void StopBClick();
    void ResumeGame();
    // SpeedBClick and AboutBClick: Paused := true and StopB checked.
    void PauseForDialog();
    void ScrollBClick();
    void SpecialBClick();
    // The double-click on the play area, or its key and pad stand-in.
    void MainScreenDblClick();
    // Settings dialog opening: selects the difficulty item for Difficulty
    // (2, 4, 9 -> 0, 1, 2; any other code leaves the selection alone).
    void TransferSettingsToDialog();
    // The difficulty item chosen in the dialog (0..2): game state at once,
    // kept when the dialog is cancelled.
    void DifficultBtnClick(int index);
    // Settings dialog OK: the dialog's values into the game, ApplyMouseLock,
    // the speed table for `difficultyIndex` (-1: none selected), unpause.
    void TransferSettingsFromDialog(int difficultyIndex, bool bgm, bool wave, bool mouseLock);

    // --- Ship.cpp: the player's aircraft, its input and its shots -----
    void MainScreenMouseMove(int x, int y);
    // Left fires FireSingle, right FireFan; any other button only refreshes
    // the gauge. x and y are not used.
    void MainScreenMouseDown(MouseButton button, int x, int y);
    // The left and the right button's shots, for the mouse, keys and pads.
    void FireSingle();
    void FireFan();
    // Key and pad steering: the target point itself, as the steering worked
    // it out within the target's range.
    void SteerTarget(int x, int y);
    void MoveShip();
    void MoveShot(int slot);

    // --- StageFlow.cpp: stage start, laps, game over, reset -----------
    // False when the stage file could not be used: the player has been told
    // and the game is back on the title screen.
    bool StartStage(bool advance);
    void ResetGame();
    void DrawGameOver();

    // --- StageMap.cpp: the stage map and its background ---------------
    bool LoadStageMap();
    void BuildBackground();

    // --- Enemies.cpp: the enemy slots and their movement --------------
    // Moves and draws enemy slot k by movement kind 1..10 (its Kind).
    void MoveEnemy(int k, int kind);
    int RandomBelow(int n);

    // --- Combat.cpp: enemy shots, hits, explosions, score -------------
    // phase: kMovePhase or kShotPhase; any other does nothing.
    void UpdateEnemies(int phase);
    void MoveEnemyShot(int k);
    // kind: kShipBlast or kEnemyBlast (index: the enemy's slot).
    void StepExplosion(int x, int y, int index, int kind);
    void CheckNewRecord();

    // --- Sprites.cpp: drawing sprites ---------------------------------
    // layout: kStripLayout or kGridLayout.
    void DrawSprite(const Bitmap& image, int x, int y, int width, int height, int frameA, int frameB,
                    std::uint8_t layout);

    // --- Recording.cpp: every game recorded ---------------------------
    // From now on each game (a start or a continue, to its game over, a
    // reset or EndRecording) is recorded and handed to `sink` as a replay
    // file's bytes. A game that earns a name entry keeps its replay for
    // EnterHighScore.
    using ReplaySink = std::function<void(const std::vector<std::uint8_t>& file)>;
    void RecordReplays(ReplaySink sink);
    bool Recording() const { return recorder_.Active(); }
    // The program ends: the game so far is handed over.
    void EndRecording();
    // The name entry's OK: the entry goes into the table at position k
    // (0..9), with the replay of the game that earned it.
    void EnterHighScore(int k, std::int32_t points, std::string nameCp932);
    // The high-score window's reset: the default table, no replays kept.
    void ResetHighScoreTable();

private:
    // Every way into the game opens one of these: the outermost records its
    // event (a start or a continue first begins a recording), and closing it
    // notes a frame's check value and ends the recording where the game ended.
    class EventScope {
    public:
        EventScope(Game& game, ReplayOp op, std::int32_t a = 0, std::int32_t b = 0);
        ~EventScope();
        EventScope(const EventScope&) = delete;
        EventScope& operator=(const EventScope&) = delete;

    private:
        Game& game_;
        ReplayOp op_;
    };
    // Recording.cpp
    void EnterEvent(ReplayOp op, std::int32_t a, std::int32_t b);
    void LeaveEvent(ReplayOp op);
    void BeginRecording(ReplayStartKind kind);
    void FinishRecording(ReplayEnd end);
    void NoteReset();

    // Frame.cpp
    void NoteChangedRows(bool starBandsOnly);
    // Ship.cpp
    void ResetShip();
    bool TakesPresses() const;
    bool CanFire() const;
    void PlayShotSound();
    void SetGauge();
    void FreeShot(Actor& shot, int x, int y);
    void DrawShip();
    // StageFlow.cpp
    void ApplyStageSpeeds();
    void SetFirstLapSpeeds(int index);  // index 0..2: Easy, Normal, Hard
    void ShowLapMessage();
    void PlayMusic(Tune tune);
    // Enemies.cpp
    void SetUpEnemies();
    // Combat.cpp
    void ResetEnemyShots();
    void HitShip();
    void ShowScore();

    WindowPort& port_;
    const Pictures& pics_;
    SoundApi sound_;
    bool fieldShown_ = false;     // Screen() is MainScr
    bool titleOnScreen_ = false;  // the window shows the whole title as the last frame drew it
    std::array<RowSpan, 4> changed_{};  // at most one span per moving title band
    std::size_t changedCount_ = 0;
    Bitmap work_;  // DrawSprite's work bitmap, kept so drawing never allocates
    Bitmap shipWork_{59, 30};  // the ship's own work bitmap
    ReplayRecorder recorder_;
    ReplaySink sink_;
    int eventDepth_ = 0;       // ways into the game now open, nested
    bool resetPending_ = false;  // ResetGame ran inside the open event
    std::vector<std::uint8_t> offered_;  // the replay of the game the name entry was last offered for
};

}  // namespace sk
