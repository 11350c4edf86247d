// The main window "Skarbolt 98": it puts the menu bar (MainMenu) and the
// client area (ClientView) together, runs the start-up and close sequences,
// the frame clock and the dialog commands, dispatches every menu command, and
// is the game's way to the window (sk::WindowPort).
#pragma once

#include "app/FrameClock.h"
#include "app/MenuCommand.h"
#include "app/MouseLock.h"
#include "app/PlayerInput.h"
#include "app/QuitSaves.h"
#include "app/SonoboxSound.h"
#include "game/Extras.h"
#include "game/Game.h"
#include "game/SoundApi.h"
#include "game/WindowPort.h"

#include <QMainWindow>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TAboutBox;
class TEnterScore;
class THighScoreForm;
class TPlayOptionsBox;
class TPropatyBox;
class TReplayListBox;
namespace sk {
class ClientView;
class MainMenu;
class MenuBarReveal;
class ReplayWatch;
}

// What a test may replace: ending the process, and the sound library.
struct MainFormHooks {
    std::function<void(int code)> ExitProcess;
    sk::SoundApi Sound = sk::SonoboxSound();
};

class TMainForm : public QMainWindow, public sk::WindowPort {
    Q_OBJECT
public:
    using Hooks = MainFormHooks;

    explicit TMainForm(Hooks hooks = Hooks());
    ~TMainForm() override;

    sk::Game& game() { return game_; }
    void AttachWindows(TPropatyBox* propatyBox, THighScoreForm* highScoreForm, TEnterScore* enterScore,
                       TAboutBox* aboutBox);

    // Runs a command as its item or key would: only while it is enabled,
    // then the window mirrors the game. Items, keys, the pad and the pause
    // on focus loss all come here.
    void Dispatch(sk::MenuCommand command);

    // Menu commands.
    void StartBotClick();
    void ResetBClick();
    void StopBClick();
    void HScoreBClick();
    void SpeedBClick();
    void AboutBClick();
    void Exit1Click();
    void ScrollBClick();
    void SpecialBClick();
    // "リプレイ...": the list of kept replays; the chosen one is shown.
    void ReplayBClick();
    // Shows a replay in the play area on a core of its own until it ends,
    // F2 or Esc; false (after a message box) when it cannot be played.
    bool WatchReplay(const std::vector<std::uint8_t>& file, const QString& source);
    bool WatchReplayFile(const QString& path);
    void EndWatching();
    sk::ReplayWatch* Watching() const { return watch_.get(); }
    TReplayListBox* ReplayList() const { return replayList_.get(); }
    // "操作と表示...": the extras' dialog.
    void PlayOptionsBClick();
    // F11: full screen, or back to the windowed zoom.
    void ToggleFullScreen();
    // F10 and the pad's Back: the menus, pulled down at the first.
    void OpenMenus();

    // The extras in force; Apply puts them into effect (not into the store).
    const sk::ExtraSettings& Extras() const { return extras_; }
    void ApplyExtras(const sk::ExtraSettings& extras);
    // Another program took the focus: pauses a running game when so chosen.
    void OnApplicationState(Qt::ApplicationState state);
    sk::PlayerInput& Input() { return *input_; }
    sk::SoundApi& SoundHooks() { return hooks_.Sound; }
    TPlayOptionsBox* PlayOptionsBox() const { return playOptions_.get(); }

    // sk::WindowPort
    void ShowMessage(const sk::Message& message) override;
    void OfferNameEntry(int rank, int points) override;
    void ApplyMouseLock(bool confine) override;
    void StateChanged() override;

    // Shows the game's state in the menus, the status bar and the play
    // area's height, when it changed since the last time; every menu item
    // when `full`.
    void Mirror(bool full = false);

    sk::MainMenu& Menu() { return *menu_; }
    sk::MenuBarReveal& MenuReveal() { return *reveal_; }
    sk::ClientView& View() { return *view_; }
    sk::FrameClock& Clock() { return *clock_; }
    sk::MouseLock& CursorLock() { return *mouseLock_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void ConnectPlayArea();
    void StartSound();
    void Run(sk::MenuCommand command);
    void FormShow();
    void FormClose();
    void CentreOnScreen();
    void ReportLostHighScores(sk::SaveResult result);
    bool QuitAsked();
    int RunFrame();
    void AfterEvent(bool fullMirror = true);
    void ApplyVolumes(int music, int effects);
    void ApplyZoom(sk::Zoom zoom, sk::FullScreenScaling scaling);
    void ApplyLanguage(sk::Language choice);
    // MainFormReplays.cpp
    void KeepLastReplay(const std::vector<std::uint8_t>& file);
    void LoadReplays();
    void WatchCommand(sk::MenuCommand command);
    int WatchFrame();
    void ShowWatchCaption();
    void EnableWatchKeys(bool on);

    Hooks hooks_;
    sk::Game game_;
    sk::QuitSaves saves_;
    std::unique_ptr<sk::MainMenu> menu_;
    sk::MenuBarReveal* reveal_ = nullptr;  // a child of this window
    sk::ClientView* view_ = nullptr;  // a child of this window
    std::unique_ptr<sk::MouseLock> mouseLock_;
    std::unique_ptr<sk::FrameClock> clock_;
    sk::ExtraSettings extras_;
    sk::PlayerInput* input_ = nullptr;
    std::unique_ptr<TPlayOptionsBox> playOptions_;  // made when first opened
    std::unique_ptr<TReplayListBox> replayList_;    // made when first opened
    std::unique_ptr<sk::ReplayWatch> watch_;        // the replay shown, if any
    bool lastReplayFailed_ = false;                 // told once on stderr
    TPropatyBox* propatyBox_ = nullptr;
    THighScoreForm* highScoreForm_ = nullptr;
    TEnterScore* enterScore_ = nullptr;
    TAboutBox* aboutBox_ = nullptr;
    bool shown_ = false;
    bool stateChanged_ = true;  // the game's state differs from what the widgets show
};
