// The main window "Skarbolt 98": the play area, the status bar, the menu bar
// with its commands, the start-up and close sequences and the frame clock.
// It is the game's way to the window (sk::WindowPort).
#pragma once

#include "app/FrameClock.h"
#include "app/MouseLock.h"
#include "app/PlayerInput.h"
#include "app/SonoboxSound.h"
#include "game/Extras.h"
#include "game/Game.h"
#include "game/SoundApi.h"
#include "game/WindowPort.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <vector>

class QAction;
class QMenu;
class QShortcut;
class PlayArea;
class StatusBar;
class TAboutBox;
class TEnterScore;
class THighScoreForm;
class TPlayOptionsBox;
class TPropatyBox;
namespace sk {
class ZoomView;
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
    // "操作と表示...": the extras' dialog.
    void PlayOptionsBClick();

    // The extras in force; Apply puts them into effect (not into the store).
    const sk::ExtraSettings& Extras() const { return extras_; }
    void ApplyExtras(const sk::ExtraSettings& extras);
    // Another program took the focus: pauses a running game when so chosen.
    void OnApplicationState(Qt::ApplicationState state);
    sk::PlayerInput& Input() { return *input_; }
    sk::SoundApi& SoundHooks() { return hooks_.Sound; }
    // The client area enlarged (zoom above 1x, full screen, or a fractional
    // screen scale), or null while the client is shown as it is.
    sk::ZoomView* Zoomed() const;
    // F11: full screen, or back to the windowed zoom.
    void ToggleFullScreen();
    TPlayOptionsBox* PlayOptionsBox() const { return playOptions_.get(); }

    // sk::WindowPort
    void ShowMessage(const std::string& caption, const std::string& text) override;
    void OfferNameEntry(int rank, int points) override;
    void ApplyMouseLock(bool confine) override;
    void StateChanged() override;

    // Shows the game's state: menus, shortcuts, status bar, play area height.
    // Menu items are set only where the game's state changed, unless `full`.
    void Mirror(bool full = false);

    PlayArea* MainScreen() const { return mainScreen_; }
    QAction* MenuItem(const QString& name) const;
    QShortcut* ShortcutOf(const QString& name) const;
    sk::FrameClock& Clock() { return *clock_; }
    sk::MouseLock& CursorLock() { return *mouseLock_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct MenuEntry;
    void BuildMenus();
    QAction* AddItem(QMenu* menu, const MenuEntry& entry);
    void Command(void (TMainForm::*handler)());
    void FormShow();
    void FormClose();
    void CentreOnScreen();
    void ReportLostHighScores(const char* reason);
    int RunFrame();
    void AfterEvent(bool fullMirror = true);
    void AddPlayOptionsItem();
    void ApplyVolumes(int music, int effects);
    void ApplyZoom(sk::Zoom zoom);
    void SetClientSize(const QSize& size);
    QRect ConfinementRect() const;

    // A menu item, its shortcut and the game's state for it (none for items
    // that never change).
    struct Binding {
        QAction* Item;
        QShortcut* Key;
        const sk::MenuItemState* State;
        sk::MenuItemState Shown;  // what the widgets show now
    };

    Hooks hooks_;
    std::vector<Binding> bindings_;
    sk::Game game_;
    PlayArea* mainScreen_ = nullptr;
    QWidget* host_ = nullptr;    // the central widget: the client, or the zoomed view
    QWidget* client_ = nullptr;  // 632 x 434: play area and status bar
    sk::ZoomView* zoomView_ = nullptr;
    sk::Zoom windowedZoom_ = sk::Zoom::X1;  // where F11 returns to
    std::unique_ptr<StatusBar> statusBar_;
    std::unique_ptr<sk::MouseLock> mouseLock_;
    std::unique_ptr<sk::FrameClock> clock_;
    sk::ExtraSettings extras_;
    sk::PlayerInput* input_ = nullptr;
    std::unique_ptr<TPlayOptionsBox> playOptions_;  // made when first opened
    TPropatyBox* propatyBox_ = nullptr;
    THighScoreForm* highScoreForm_ = nullptr;
    TEnterScore* enterScore_ = nullptr;
    TAboutBox* aboutBox_ = nullptr;
    bool shown_ = false;
};
