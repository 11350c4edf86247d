// TMainForm's replays: the last game and the kept ones written beside the
// table, the list, and watching a replay in the play area.
#include "app/MainForm.h"

#include "app/ClientView.h"
#include "app/MainMenu.h"
#include "app/MessageBoxes.h"
#include "app/ReplayListBox.h"
#include "app/ReplayWatch.h"
#include "app/WidgetKit.h"
#include "game/ReplayVerify.h"
#include "game/SoundCatalogue.h"
#include "scores/ReplayIndex.h"

#include <QShortcut>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace {

// F3 too: the title disables it, but it pauses a replay.
constexpr const char* kWatchKeys[] = {"ReplaySpeed1Key", "ReplaySpeed2Key", "ReplaySpeed4Key", "ReplayEndKey", "StopB"};

}  // namespace

// Every recorded game becomes Replays/last.skr, replacing the one before.
void TMainForm::KeepLastReplay(const std::vector<std::uint8_t>& file) {
    std::error_code error;
    std::filesystem::create_directories(sk::kReplayFolder, error);
    if (!error && sk::WriteFileAtomically(sk::kLastReplayFile, file)) return;
    if (!lastReplayFailed_) {
        std::fprintf(stderr, "skarbolt: the last game's replay cannot be written to %s: %s\n", sk::kLastReplayFile,
                     error ? error.message().c_str() : std::strerror(errno));
    }
    lastReplayFailed_ = true;
}

void TMainForm::LoadReplays() { sk::LoadReplayIndex(game_.Replays, game_.HighScores); }

void TMainForm::ReplayBClick() {
    if (!replayList_) {
        replayList_ = std::make_unique<TReplayListBox>(game_, this);
        sk::ReturnFocusOnClose(replayList_.get(), this);
    }
    std::vector<std::uint8_t> file;
    if (replayList_->Choose(file)) WatchReplay(file, tr("リプレイ"));
}

bool TMainForm::WatchReplayFile(const QString& path) {
    std::vector<std::uint8_t> file;
    bool tooLarge = false;
    if (!sk::ReadWholeFile(path.toStdString(), sk::kMaxReplayFileBytes, file, tooLarge) || tooLarge) {
        sk::ShowInformation(this, windowTitle(), tr("リプレイを読めません: %1").arg(path));
        return false;
    }
    return WatchReplay(file, path);
}

bool TMainForm::WatchReplay(const std::vector<std::uint8_t>& file, const QString& source) {
    if (watch_ || !game_.S.TitleMode) return false;
    sk::Replay replay;
    const sk::ReplayVerdict verdict = sk::OpenReplay(file, replay);
    if (verdict.Code != sk::ReplayVerdictCode::Matches) {
        const QString why = verdict.Code == sk::ReplayVerdictCode::Foreign
                                ? tr("別のルールまたは別のステージデータで記録されたリプレイです。")
                                : tr("リプレイとして読めないファイルです。");
        sk::ShowInformation(this, windowTitle(),
                            tr("このリプレイは再生できません。") + QLatin1Char('\n') + why + QLatin1Char('\n') + source +
                                QLatin1Char('\n') + QString::fromStdString(verdict.Message));
        return false;
    }
    watch_ = std::make_unique<sk::ReplayWatch>(std::move(replay), sk::LoadPictures(), hooks_.Sound, game_.S.MusicOn,
                                               game_.S.SoundOn);
    view_->ShowGame(watch_->Core());
    view_->Mirror(watch_->Core().S.Shell);
    menu_->SetWatching(true);
    Mirror(true);  // the items that wait for the title greyed, the replay's keys on
    ShowWatchCaption();
    clock_->Wake();
    return true;
}

void TMainForm::EndWatching() {
    if (!watch_) return;
    watch_.reset();
    menu_->SetWatching(false);
    EnableWatchKeys(false);  // and every item as the game has it
    view_->SetReplayCaption(QString());
    view_->ShowGame(game_);
    Mirror(true);
    view_->Mirror(game_.S.Shell);
    if (game_.S.MusicOn) {
        hooks_.Sound.DmStop();
        hooks_.Sound.DmMake(sk::TuneFile(sk::Tune::Opening));
        hooks_.Sound.DmPlay(-1);
    }
    clock_->Wake();
}

// While a replay shows, only its own keys, the pause (F3, the pad's Start),
// F2, full screen, the menus' key and the quit act; the game's other
// commands wait for the title.
void TMainForm::WatchCommand(sk::MenuCommand command) {
    using sk::MenuCommand;
    switch (command) {
        case MenuCommand::StopB:
        case MenuCommand::StartBot:  // the pad's Start on the title
            watch_->TogglePause();
            break;
        case MenuCommand::ReplaySpeed1: watch_->SetSpeed(1); break;
        case MenuCommand::ReplaySpeed2: watch_->SetSpeed(2); break;
        case MenuCommand::ReplaySpeed4: watch_->SetSpeed(4); break;
        case MenuCommand::ReplaySlower: watch_->Slower(); break;
        case MenuCommand::ReplayFaster: watch_->Faster(); break;
        case MenuCommand::ResetB: case MenuCommand::ReplayEnd: EndWatching(); return;
        case MenuCommand::Exit1:
            EndWatching();
            Dispatch(command);
            return;
        case MenuCommand::FullScreen: ToggleFullScreen(); break;
        case MenuCommand::MenuBar: OpenMenus(); return;
        default: return;
    }
    ShowWatchCaption();
    clock_->Wake();
}

// At its end the replay's last picture stays until F2 or Esc.
int TMainForm::WatchFrame() {
    int delay = -1;
    sk::Guarded([&] { delay = watch_->Tick(); });
    view_->Present(watch_->Core().ChangedRows());
    view_->Mirror(watch_->Core().S.Shell);
    if (watch_->Over()) {
        ShowWatchCaption();
        if (watch_->Parted()) {
            sk::ShowInformation(this, windowTitle(),
                                tr("リプレイがフレーム %1 でゲームと食い違いました。").arg(watch_->Frame()));
        }
    }
    return delay;
}

void TMainForm::ShowWatchCaption() {
    QString state = tr("%1x").arg(watch_->Speed());
    if (watch_->Over()) {
        state = tr("終了");
    } else if (watch_->Paused()) {
        state = tr("一時停止");
    }
    view_->SetReplayCaption(tr("リプレイ") + QLatin1Char('\n') + state);
}

void TMainForm::EnableWatchKeys(bool on) {
    for (const char* name : kWatchKeys) {
        if (QShortcut* key = menu_->Key(QString::fromLatin1(name))) key->setEnabled(on);
    }
    if (!on) menu_->Mirror(true);  // F3 as the game has it
}
