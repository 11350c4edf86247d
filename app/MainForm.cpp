#include "app/MainForm.h"

#include "app/AboutBox.h"
#include "app/ClientView.h"
#include "app/DialogFonts.h"
#include "app/EnterScore.h"
#include "app/HighScoreForm.h"
#include "app/Language.h"
#include "app/MainMenu.h"
#include "app/MenuBarReveal.h"
#include "app/MessageBoxes.h"
#include "app/PlayArea.h"
#include "app/PlayOptionsBox.h"
#include "app/PropatyBox.h"
#include "app/ReplayListBox.h"
#include "app/ReplayWatch.h"
#include "app/SettingsStore.h"
#include "app/WidgetKit.h"
#include "game/Pictures.h"
#include "game/SoundCatalogue.h"
#include "scores/HighScores.h"

#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QSessionManager>
#include <QStandardPaths>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const QString kTitle = QStringLiteral("Skarbolt 98");
constexpr int kCentringWidth = 640;  // the start-up centring uses 640, not the real width

void EndProcess(int code) {
    std::fflush(nullptr);
    std::_Exit(code);
}

}  // namespace

TMainForm::TMainForm(Hooks hooks)
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      hooks_(std::move(hooks)),
      game_(*this, sk::LoadPictures(), hooks_.Sound),
      saves_(game_, [this](sk::SaveResult result) { ReportLostHighScores(result); }) {
    if (!hooks_.ExitProcess) hooks_.ExitProcess = EndProcess;
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(kTitle);
    setFont(sk::GothicFont(12));

    view_ = new sk::ClientView(this, game_);
    ConnectPlayArea();
    connect(view_, &sk::ClientView::Zoomed, this, [this] {
        if (mouseLock_->Confining()) mouseLock_->Confine(view_->ConfinementRect());
    });
    menu_ = std::make_unique<sk::MainMenu>(this, game_.S.Shell, [this](sk::MenuCommand command) { Dispatch(command); });
    reveal_ = new sk::MenuBarReveal(this);
    view_->SetClientSize(QSize(sk::kFieldWidth, sk::kClientHeight));
    Mirror();

    mouseLock_ = std::make_unique<sk::MouseLock>(this);
    clock_ = std::make_unique<sk::FrameClock>(
        [this] { return RunFrame(); },
        [this] { return watch_ ? !watch_->Paused() && !watch_->Over() : game_.S.TitleMode || !game_.S.Paused; }, this);
    input_ = new sk::PlayerInput(game_, this,
                                 {[this](sk::MenuCommand command) { Dispatch(command); }, [this] { AfterEvent(false); }});
    connect(qApp, &QGuiApplication::applicationStateChanged, this, &TMainForm::OnApplicationState);
    game_.RecordReplays([this](const std::vector<std::uint8_t>& file) { KeepLastReplay(file); });
    EnableWatchKeys(false);
    // The end of the desktop session: the session manager may end the
    // program without a close of the window.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { saves_.OtherWayOut(); });
    // SIGTERM, SIGINT, SIGHUP end the event loop: the game that runs becomes
    // the last replay.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] {
        game_.EndRecording();
        saves_.OtherWayOut();
    });
    StartSound();
}

// Both halves of the sound library start with the window's handle; asking
// for it makes the native window now. The library learns the language
// before its first message.
void TMainForm::StartSound() {
    ApplyLanguage(sk::LoadExtraSettings().Lang);
    void* handle = reinterpret_cast<void*>(winId());
    hooks_.Sound.DsStart(handle);
    hooks_.Sound.DmStart(handle);
}

TMainForm::~TMainForm() = default;

void TMainForm::AttachWindows(TPropatyBox* propatyBox, THighScoreForm* highScoreForm, TEnterScore* enterScore,
                              TAboutBox* aboutBox) {
    propatyBox_ = propatyBox;
    highScoreForm_ = highScoreForm;
    enterScore_ = enterScore;
    aboutBox_ = aboutBox;
    for (QWidget* dialog : std::initializer_list<QWidget*>{propatyBox, highScoreForm, enterScore, aboutBox}) {
        if (dialog) sk::ReturnFocusOnClose(dialog, this);
    }
}

// Mouse moves, presses and double-clicks on the play area reach the game.
void TMainForm::ConnectPlayArea() {
    PlayArea* area = view_->MainScreen();
    // While a replay shows, the mouse steers nothing.
    connect(area, &PlayArea::MouseMoved, this, [this](int x, int y) {
        if (watch_) return;
        sk::Guarded([&] { game_.MainScreenMouseMove(x, y); });
        AfterEvent(false);
    });
    connect(area, &PlayArea::MousePressed, this, [this](int button, int x, int y) {
        if (watch_) return;
        sk::Guarded([&] { game_.MainScreenMouseDown(static_cast<sk::MouseButton>(button), x, y); });
        AfterEvent(false);
    });
    connect(area, &PlayArea::DoubleClicked, this, [this] {
        if (watch_) return;
        sk::Guarded([&] { game_.MainScreenDblClick(); });
        AfterEvent(false);
    });
}

// --- Commands ------------------------------------------------------------------

void TMainForm::Dispatch(sk::MenuCommand command) {
    if (watch_) {
        WatchCommand(command);
        return;
    }
    if (!menu_->Enabled(command)) return;
    sk::Guarded([&] { Run(command); });
    // A menu click may have toggled a check mark by itself: commands mirror
    // every item.
    AfterEvent();
}

void TMainForm::Run(sk::MenuCommand command) {
    using sk::MenuCommand;
    switch (command) {
        case MenuCommand::StartBot: StartBotClick(); break;
        case MenuCommand::HScoreB: HScoreBClick(); break;
        case MenuCommand::ResetB: ResetBClick(); break;
        case MenuCommand::StopB: StopBClick(); break;
        case MenuCommand::Exit1:
            if (!input_->PadActing() || QuitAsked()) Exit1Click();
            break;
        case MenuCommand::SpeedB: SpeedBClick(); break;
        case MenuCommand::ScrollB: ScrollBClick(); break;
        case MenuCommand::SpecialB: SpecialBClick(); break;
        case MenuCommand::PlayOptionsB: PlayOptionsBClick(); break;
        case MenuCommand::AboutB: AboutBClick(); break;
        case MenuCommand::FullScreen: ToggleFullScreen(); break;
        case MenuCommand::MenuBar: OpenMenus(); break;
        case MenuCommand::ReplayB: ReplayBClick(); break;
        default: break;  // the replay's keys act only while one shows
    }
}

void TMainForm::AfterEvent(bool fullMirror) {
    Mirror(fullMirror);
    clock_->Wake();
}

void TMainForm::StartBotClick() { game_.StartBotClick(); }

void TMainForm::ResetBClick() { game_.ResetBClick(); }

void TMainForm::StopBClick() { game_.StopBClick(); }

void TMainForm::ScrollBClick() { game_.ScrollBClick(); }

void TMainForm::SpecialBClick() { game_.SpecialBClick(); }

void TMainForm::HScoreBClick() {
    if (highScoreForm_) highScoreForm_->ShowHighScores();
}

void TMainForm::SpeedBClick() {
    if (!propatyBox_) return;
    sk::CentreOnScreen(propatyBox_);
    game_.PauseForDialog();
    Mirror();
    propatyBox_->SyncDifficultyGroup();
    propatyBox_->TransferSettingsToDialog();
    propatyBox_->exec();
}

void TMainForm::AboutBClick() {
    if (!aboutBox_) return;
    game_.PauseForDialog();
    Mirror();
    aboutBox_->exec();
}

void TMainForm::PlayOptionsBClick() {
    if (!playOptions_) playOptions_ = std::make_unique<TPlayOptionsBox>(game_, this);
    sk::CentreOnScreen(playOptions_.get());
    game_.PauseForDialog();
    Mirror();
    // Offered are the zooms whose window fits the screen, the one shown checked.
    sk::ExtraSettings shown = extras_;
    shown.ZoomMode = view_->ShownZoom();
    playOptions_->OfferZoomsUpTo(view_->LargestFittingZoom());
    playOptions_->Load(shown, {[this](int music, int effects) { ApplyVolumes(music, effects); },
                               [this](sk::Language language) { ApplyLanguage(language); }});
    if (playOptions_->exec() != QDialog::Accepted) return;
    sk::ExtraSettings chosen = playOptions_->Chosen();
    // Left as shown, the zoom stays the one asked for, which a larger screen may fit.
    if (chosen.ZoomMode == shown.ZoomMode) chosen.ZoomMode = extras_.ZoomMode;
    ApplyExtras(chosen);
    sk::SaveExtraSettings(extras_);
}

// The quit command saves with its boxes (QuitSaves): a table that cannot be
// kept is reported and the quit goes on; a setting that cannot be written
// throws, and the window stays open.
void TMainForm::Exit1Click() {
    saves_.QuitCommand();
    close();
}

// A pad has no key of its own for the quit: it is asked about first.
bool TMainForm::QuitAsked() {
    return sk::AskYesNo(this, windowTitle(), tr("ゲームを終了しますか？"));
}

void TMainForm::ReportLostHighScores(sk::SaveResult result) {
    const QString reason = result == sk::SaveResult::ReadOnly
                               ? tr("ファイルが読み取り専用のため、書き換えませんでした。")
                               : QString::fromLocal8Bit(std::strerror(errno));
    const QString file = QDir::current().absoluteFilePath(QString::fromUtf8(sk::kHighScoreFile));
    sk::ShowInformation(this, windowTitle(), tr("ハイスコアを保存できませんでした。\n%1\n%2").arg(file, reason));
}

// --- The extras ----------------------------------------------------------------

void TMainForm::ApplyExtras(const sk::ExtraSettings& extras) {
    extras_ = extras;
    input_->SetKeyControl(extras.KeyControl);
    input_->SetKeys(extras.Keys);
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    input_->SetPadControl(extras.PadControl, (config + QStringLiteral("/SK98/gamecontrollerdb.txt")).toStdString());
    ApplyVolumes(extras.MusicVolume, extras.EffectVolume);
    ApplyZoom(extras.ZoomMode, extras.Scaling);
    ApplyLanguage(extras.Lang);
}

// Every window speaks the language at once; so does the sound library where
// it has the hook.
void TMainForm::ApplyLanguage(sk::Language choice) {
    sk::UseLanguage(sk::ResolveLanguage(choice));
    if (hooks_.Sound.SetLanguage) hooks_.Sound.SetLanguage(sk::LanguageCode(sk::CurrentLanguage()));
}

void TMainForm::ToggleFullScreen() {
    sk::ExtraSettings extras = extras_;
    extras.ZoomMode = extras_.ZoomMode == sk::Zoom::FullScreen ? view_->WindowedZoom() : sk::Zoom::FullScreen;
    ApplyExtras(extras);
}

void TMainForm::OpenMenus() { reveal_->OpenMenus(); }

// The cursor is held anew when the zoom is shown (ClientView::Zoomed).
void TMainForm::ApplyZoom(sk::Zoom zoom, sk::FullScreenScaling scaling) {
    reveal_->SetFullScreen(zoom == sk::Zoom::FullScreen);
    view_->ApplyZoom(zoom, scaling);
}

// A library without the gain hook keeps its volumes.
void TMainForm::ApplyVolumes(int music, int effects) {
    if (hooks_.Sound.SetGains) hooks_.Sound.SetGains(sk::VolumeGain(music), sk::VolumeGain(effects));
}

// Only a switch to another program counts: the game's own dialogs and
// message boxes keep the application active.
void TMainForm::OnApplicationState(Qt::ApplicationState state) {
    if (state == Qt::ApplicationActive || !extras_.FocusPause || !shown_) return;
    if (game_.S.TitleMode || game_.S.Paused) return;
    Dispatch(sk::MenuCommand::StopB);
}

// --- Start-up and close ---------------------------------------------------

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shown_) return;
    shown_ = true;
    sk::Guarded([this] { FormShow(); });
    Mirror();
    view_->MainScreen()->update();
    clock_->Start();
}

void TMainForm::FormShow() {
    game_.InitGame(sk::LoadSettings());
    saves_.SettingsLoaded();
    CentreOnScreen();
    game_.ShowTitlePicture();
    sk::LoadHighScores(game_.HighScores);
    saves_.TableLoaded();
    LoadReplays();
    sk::LoadSounds(hooks_.Sound, game_.S.MusicOn);
    ApplyExtras(sk::LoadExtraSettings());
}

void TMainForm::CentreOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->geometry();
    sk::PlaceFrame(this, QPoint(area.x() + (area.width() - kCentringWidth) / 2,
                                area.y() + (area.height() - sk::kClientHeight) / 2));
}

// Every close of the window ends the program; one that does not come from
// the quit command saves as every other way out does.
void TMainForm::closeEvent(QCloseEvent* event) {
    saves_.OtherWayOut();
    FormClose();
    event->ignore();  // only reached when the exit was replaced (tests)
}

void TMainForm::FormClose() {
    game_.EndRecording();
    hooks_.Sound.DsEnd();
    hooks_.Sound.DmEnd();
    mouseLock_->Release();
    hooks_.ExitProcess(0);
}

void TMainForm::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange) mouseLock_->SetWindowActive(isActiveWindow());
    if (event->type() == QEvent::LanguageChange && menu_) menu_->Retranslate();
}

// --- Frames ------------------------------------------------------------------

int TMainForm::RunFrame() {
    int delay = 20;
    input_->BeforeFrame();
    if (watch_) return WatchFrame();
    sk::Guarded([&] { delay = game_.AppIdle(); });
    view_->Present(game_.ChangedRows());
    Mirror();
    return delay;
}

// --- The game's way to the window -------------------------------------------

// The window behind a message box or the name entry shows the game as it
// stands when they open.
void TMainForm::ShowMessage(const sk::Message& message) {
    Mirror();
    sk::ShowInformation(this, sk::CoreText(message.Caption), sk::CoreText(message));
}

void TMainForm::OfferNameEntry(int rank, int points) {
    Mirror();
    if (enterScore_) enterScore_->Offer(rank, points);
}

void TMainForm::ApplyMouseLock(bool confine) {
    if (!confine) {
        mouseLock_->Release();
        return;
    }
    mouseLock_->SetWindowActive(isActiveWindow());
    mouseLock_->Confine(view_->ConfinementRect());
}

void TMainForm::StateChanged() { stateChanged_ = true; }

void TMainForm::Mirror(bool full) {
    if (!full && !stateChanged_) return;
    stateChanged_ = false;
    menu_->Mirror(full);
    if (watch_) {
        EnableWatchKeys(true);
        return;  // the status bar shows the replay's game
    }
    view_->Mirror(game_.S.Shell);
}
