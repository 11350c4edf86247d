#include "app/MainForm.h"

#include "app/AboutBox.h"
#include "app/DialogFonts.h"
#include "app/FrameGate.h"
#include "app/MessageBoxes.h"
#include "app/PlayArea.h"
#include "app/PlayOptionsBox.h"
#include "app/PropatyBox.h"
#include "app/SettingsStore.h"
#include "app/StatusBar.h"
#include "app/WidgetKit.h"
#include "app/ZoomView.h"
#include "game/Pictures.h"
#include "app/EnterScore.h"
#include "app/HighScoreForm.h"
#include "scores/HighScores.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QRegion>
#include <QScreen>
#include <QShortcut>
#include <QStandardPaths>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

const QString kTitle = QStringLiteral("Skarbolt 98");
constexpr int kCentringWidth = 640;  // the start-up centring uses 640, not the real width

// The game's state of a menu item, or null for items whose state is fixed.
const sk::MenuItemState* ShellStateOf(const sk::ShellState& shell, std::string_view name) {
    if (name == "StartBot") return &shell.StartBot;
    if (name == "HScoreB") return &shell.HScoreB;
    if (name == "ResetB") return &shell.ResetB;
    if (name == "StopB") return &shell.StopB;
    if (name == "ScrollB") return &shell.ScrollB;
    if (name == "SpecialB") return &shell.SpecialB;
    return nullptr;
}

bool SameState(const sk::MenuItemState& a, const sk::MenuItemState& b) {
    return a.Visible == b.Visible && a.Enabled == b.Enabled && a.Checked == b.Checked;
}

void EndProcess(int code) {
    std::fflush(nullptr);
    std::_Exit(code);
}

}  // namespace

struct TMainForm::MenuEntry {
    const char* name;
    const char* caption;
    QKeySequence key;
    void (TMainForm::*handler)();
};

TMainForm::TMainForm(Hooks hooks)
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      hooks_(std::move(hooks)),
      game_(*this, sk::LoadPictures(), hooks_.Sound) {
    if (!hooks_.ExitProcess) hooks_.ExitProcess = EndProcess;
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(kTitle);
    setFont(sk::GothicFont(12));

    host_ = new QWidget(this);
    host_->setObjectName(QStringLiteral("ClientHost"));
    host_->setFixedSize(sk::kFieldWidth, sk::kClientHeight);
    host_->installEventFilter(this);
    auto* client = new QWidget(host_);
    client_ = client;
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(sk::kFieldWidth, sk::kClientHeight);
    QPalette palette = client->palette();
    palette.setColor(QPalette::Window, Qt::black);
    client->setPalette(palette);
    client->setAutoFillBackground(true);
    setCentralWidget(host_);
    zoomView_ = new sk::ZoomView(client, host_);
    zoomView_->hide();

    mainScreen_ = new PlayArea(game_, client);
    mainScreen_->setGeometry(0, 0, sk::kFieldWidth, sk::kClientHeight);
    mainScreen_->setFont(sk::SystemFont(19));
    statusBar_ = std::make_unique<StatusBar>(sk::LoadPictures().StatusPicture, client);
    connect(mainScreen_, &PlayArea::MouseMoved, this, [this](int x, int y) {
        sk::Guarded([&] { game_.MainScreenMouseMove(x, y); });
        AfterEvent(false);
    });
    connect(mainScreen_, &PlayArea::MousePressed, this, [this](int button, int x, int y) {
        sk::Guarded([&] { game_.MainScreenMouseDown(static_cast<sk::MouseButton>(button), x, y); });
        AfterEvent(false);
    });
    connect(mainScreen_, &PlayArea::DoubleClicked, this, [this] {
        sk::Guarded([&] { game_.MainScreenDblClick(); });
        AfterEvent(false);
    });

    BuildMenus();
    AddPlayOptionsItem();
    setFixedSize(sk::kFieldWidth, sk::kClientHeight + menuBar()->sizeHint().height());
    auto* fullScreenKey = new QShortcut(Qt::Key_F11, this);
    fullScreenKey->setObjectName(QStringLiteral("FullScreenKey"));
    fullScreenKey->setAutoRepeat(false);
    connect(fullScreenKey, &QShortcut::activated, this, [this] { sk::Guarded([this] { ToggleFullScreen(); }); });

    mouseLock_ = std::make_unique<sk::MouseLock>(this);
    clock_ = std::make_unique<sk::FrameClock>([this] { return RunFrame(); },
                                              [this] { return game_.S.TitleMode || !game_.S.Paused; }, this);
    input_ = new sk::PlayerInput(game_, this,
                                 {[this] {
                                      if (game_.S.Shell.StopB.Enabled) Command(&TMainForm::StopBClick);
                                  },
                                  [this] {
                                      if (game_.S.Shell.ResetB.Enabled) Command(&TMainForm::ResetBClick);
                                  },
                                  [this] { AfterEvent(false); }});
    connect(qApp, &QGuiApplication::applicationStateChanged, this, &TMainForm::OnApplicationState);

    // Asking for the handle makes the native window now.
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

// Each item shows its key after a tab; the key itself lives on a shortcut
// object of its own, so that it works while the item is hidden.
void TMainForm::BuildMenus() {
    const MenuEntry game[] = {
        {"StartBot", "開始(&S)", Qt::Key_F1, &TMainForm::StartBotClick},
        {"HScoreB", "ハイスコア(&H)", Qt::Key_F4, &TMainForm::HScoreBClick},
        {"ResetB", "リセット(&R)", Qt::Key_F2, &TMainForm::ResetBClick},
        {"StopB", "一時停止(&P)", Qt::Key_F3, &TMainForm::StopBClick},
        {nullptr, nullptr, {}, nullptr},
        {"Exit1", "終了(&E)", Qt::Key_F9, &TMainForm::Exit1Click},
    };
    const MenuEntry option[] = {
        {"SpeedB", "詳細設定(&S)", Qt::Key_F5, &TMainForm::SpeedBClick},
        {"ScrollB", "高速スクロール", QKeySequence(Qt::CTRL | Qt::Key_Q), &TMainForm::ScrollBClick},
        {"SpecialB", "無敵", QKeySequence(Qt::CTRL | Qt::Key_A), &TMainForm::SpecialBClick},
    };
    const MenuEntry help[] = {
        {"AboutB", "ﾊﾞｰｼﾞｮﾝ情報(&V)", Qt::Key_F7, &TMainForm::AboutBClick},
    };
    auto addMenu = [this](const char* name, const char* title, const auto& entries) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(title));
        menu->setObjectName(QString::fromLatin1(name));
        // A pulled-down menu runs its own event loop: no frames meanwhile.
        connect(menu, &QMenu::aboutToShow, this, [] { sk::FrameGate::Instance().Close(); });
        connect(menu, &QMenu::aboutToHide, this, [] { sk::FrameGate::Instance().Open(); });
        for (const MenuEntry& entry : entries) AddItem(menu, entry);
    };
    menuBar()->setObjectName(QStringLiteral("MainMenu1"));
    addMenu("GameB", "ゲーム(&G)", game);
    addMenu("OptionB", "オプション(&O)", option);
    addMenu("HelpB", "ヘルプ(&H)", help);
    Mirror();
}

QAction* TMainForm::AddItem(QMenu* menu, const MenuEntry& entry) {
    if (!entry.name) {
        QAction* separator = menu->addSeparator();
        separator->setObjectName(QStringLiteral("N1"));
        return separator;
    }
    const QString caption = QString::fromUtf8(entry.caption) + QLatin1Char('\t') +
                            entry.key.toString(QKeySequence::NativeText);
    QAction* item = menu->addAction(caption);
    item->setObjectName(QString::fromLatin1(entry.name));
    auto* shortcut = new QShortcut(entry.key, this);
    shortcut->setObjectName(QString::fromLatin1(entry.name));
    shortcut->setAutoRepeat(false);
    // The keys act from every window of the game (the name entry takes the
    // keyboard at a game over); a modal dialog blocks this window, and with
    // it these keys.
    shortcut->setContext(Qt::ApplicationShortcut);
    const sk::MenuItemState shown{item->isVisible(), item->isEnabled(), item->isChecked()};
    bindings_.push_back({item, shortcut, ShellStateOf(game_.S.Shell, entry.name), shown});
    const auto handler = entry.handler;
    connect(item, &QAction::triggered, this, [this, handler] { Command(handler); });
    connect(shortcut, &QShortcut::activated, this, [this, handler] { Command(handler); });
    return item;
}

QAction* TMainForm::MenuItem(const QString& name) const { return findChild<QAction*>(name); }

QShortcut* TMainForm::ShortcutOf(const QString& name) const { return findChild<QShortcut*>(name); }

void TMainForm::Command(void (TMainForm::*handler)()) {
    sk::Guarded([&] { (this->*handler)(); });
    AfterEvent();
}

// A menu click may have toggled a check mark by itself: commands mirror
// every item.
void TMainForm::AfterEvent(bool fullMirror) {
    Mirror(fullMirror);
    // Between frames only the status bar can change what the client shows.
    if (Zoomed()) zoomView_->UpdateClient(QRegion(0, sk::kFieldHeight, sk::kFieldWidth, sk::kClientHeight - sk::kFieldHeight));
    clock_->Wake();
}

// --- Start-up and close ---------------------------------------------------

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shown_) return;
    shown_ = true;
    sk::Guarded([this] { FormShow(); });
    Mirror();
    mainScreen_->update();
    clock_->Start();
}

void TMainForm::FormShow() {
    game_.InitGame(sk::LoadSettings());
    CentreOnScreen();
    game_.ShowTitlePicture();
    sk::LoadHighScores(game_.HighScores);
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

void TMainForm::closeEvent(QCloseEvent* event) {
    FormClose();
    event->ignore();  // only reached when the exit was replaced (tests)
}

void TMainForm::FormClose() {
    hooks_.Sound.DsEnd();
    hooks_.Sound.DmEnd();
    mouseLock_->Release();
    hooks_.ExitProcess(0);
}

void TMainForm::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange) mouseLock_->SetWindowActive(isActiveWindow());
}

// --- Frames ------------------------------------------------------------------

int TMainForm::RunFrame() {
    int delay = 20;
    input_->BeforeFrame();
    sk::Guarded([&] { delay = game_.AppIdle(); });
    QRegion dirty;
    for (const sk::RowSpan& rows : game_.ChangedRows()) dirty += QRect(0, rows.First, sk::kFieldWidth, rows.Count);
    if (!dirty.isEmpty()) {
        // Zoomed, the view draws the client itself; else the play area shows it.
        if (Zoomed()) {
            zoomView_->UpdateClient(dirty);
        } else {
            mainScreen_->Present(dirty);
        }
    }
    Mirror();
    return delay;
}

// --- Menu commands -------------------------------------------------------------

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

// The extras' item closes the options menu; it has no key of its own.
void TMainForm::AddPlayOptionsItem() {
    auto* options = menuBar()->findChild<QMenu*>(QStringLiteral("OptionB"));
    QAction* item = options->addAction(QStringLiteral("操作と表示..."));
    item->setObjectName(QStringLiteral("PlayOptionsB"));
    connect(item, &QAction::triggered, this, [this] { Command(&TMainForm::PlayOptionsBClick); });
}

void TMainForm::PlayOptionsBClick() {
    if (!playOptions_) playOptions_ = std::make_unique<TPlayOptionsBox>(game_, this);
    sk::CentreOnScreen(playOptions_.get());
    game_.PauseForDialog();
    Mirror();
    playOptions_->Load(extras_, [this](int music, int effects) { ApplyVolumes(music, effects); });
    if (playOptions_->exec() != QDialog::Accepted) return;
    ApplyExtras(playOptions_->Chosen());
    sk::SaveExtraSettings(extras_);
}

void TMainForm::ApplyExtras(const sk::ExtraSettings& extras) {
    extras_ = extras;
    input_->SetKeyControl(extras.KeyControl);
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    input_->SetPadControl(extras.PadControl, (config + QStringLiteral("/SK98/gamecontrollerdb.txt")).toStdString());
    ApplyVolumes(extras.MusicVolume, extras.EffectVolume);
    ApplyZoom(extras.ZoomMode);
}

sk::ZoomView* TMainForm::Zoomed() const { return zoomView_->isHidden() ? nullptr : zoomView_; }

void TMainForm::ToggleFullScreen() {
    sk::ExtraSettings extras = extras_;
    extras.ZoomMode = extras_.ZoomMode == sk::Zoom::FullScreen ? windowedZoom_ : sk::Zoom::FullScreen;
    ApplyExtras(extras);
}

// 1x on a screen of whole device pixels shows the client itself, exactly as
// always; anything else shows it through the zoomed view.
void TMainForm::ApplyZoom(sk::Zoom zoom) {
    const bool full = zoom == sk::Zoom::FullScreen;
    if (!full) windowedZoom_ = zoom;
    const double ratio = devicePixelRatioF();
    const int factor = sk::DevicePixelFactor(full ? 1 : static_cast<int>(zoom), ratio);
    const bool direct = !full && factor == 1 && ratio == 1.0;
    const bool wasZoomed = Zoomed() != nullptr;
    const bool wasFull = isFullScreen();
    zoomView_->SetFactor(factor, full);
    // The zoomed view draws the client from where it stays visible to Qt,
    // outside the window's client area.
    client_->move(direct ? QPoint(0, 0) : QPoint(-client_->width() - 1, 0));
    zoomView_->setVisible(!direct);
    if (full) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        host_->setMinimumSize(0, 0);
        host_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        if (!wasFull) showFullScreen();
    } else {
        if (wasFull) showNormal();
        SetClientSize(QSize(static_cast<int>(std::ceil(sk::kFieldWidth * factor / ratio)),
                            static_cast<int>(std::ceil(sk::kClientHeight * factor / ratio))));
        if (wasZoomed || !direct || wasFull) sk::CentreOnScreen(this);
    }
    zoomView_->setGeometry(host_->rect());
    if (mouseLock_->Confining()) mouseLock_->Confine(ConfinementRect());
    mainScreen_->update();
    zoomView_->update();
}

void TMainForm::SetClientSize(const QSize& size) {
    host_->setFixedSize(size);
    setFixedSize(size.width(), size.height() + menuBar()->sizeHint().height());
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == host_ && event->type() == QEvent::Resize) zoomView_->setGeometry(host_->rect());
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::ApplyVolumes(int music, int effects) {
    if (hooks_.Sound.SetGains) hooks_.Sound.SetGains(sk::VolumeGain(music), sk::VolumeGain(effects));
}

// Only a switch to another program counts: the game's own dialogs and
// message boxes keep the application active.
void TMainForm::OnApplicationState(Qt::ApplicationState state) {
    if (state == Qt::ApplicationActive || !extras_.FocusPause || !shown_) return;
    if (game_.S.TitleMode || game_.S.Paused || !game_.S.Shell.StopB.Enabled) return;
    Command(&TMainForm::StopBClick);
}

void TMainForm::AboutBClick() {
    if (!aboutBox_) return;
    game_.PauseForDialog();
    Mirror();
    aboutBox_->exec();
}

// Only the quit command saves. A high-score file that cannot be written is
// reported in a message box and the quit goes on; a settings value that
// cannot be written throws, and the window stays open.
void TMainForm::Exit1Click() {
    if (!sk::SaveHighScores(game_.HighScores)) ReportLostHighScores(std::strerror(errno));
    sk::SaveSettings(game_.S);
    close();
}

void TMainForm::ReportLostHighScores(const char* reason) {
    const QString file = QDir::current().absoluteFilePath(QString::fromUtf8(sk::kHighScoreFile));
    sk::ShowInformation(this, windowTitle(),
                        QStringLiteral("ハイスコアを保存できませんでした。\n%1\n%2").arg(file, QString::fromLocal8Bit(reason)));
}

// --- The game's way to the window -------------------------------------------

void TMainForm::ShowMessage(const std::string& caption, const std::string& text) {
    sk::ShowInformation(this, QString::fromStdString(caption), QString::fromStdString(text));
}

void TMainForm::OfferNameEntry(int rank, int points) {
    if (enterScore_) enterScore_->Offer(rank, points);
}

void TMainForm::ApplyMouseLock(bool confine) {
    if (!confine) {
        mouseLock_->Release();
        return;
    }
    mouseLock_->SetWindowActive(isActiveWindow());
    mouseLock_->Confine(ConfinementRect());
}

QRect TMainForm::ConfinementRect() const {
    if (!Zoomed()) return sk::ConfinementArea(frameGeometry());
    const QRect image = zoomView_->ImageRect().toAlignedRect().translated(zoomView_->mapToGlobal(QPoint()));
    // Full screen has no frame: the one the rule assumes is the menu bar's.
    const QRect frame = isFullScreen() ? image.adjusted(0, -menuBar()->height(), 0, 0) : frameGeometry();
    return sk::ZoomedConfinementArea(frame, image, zoomView_->Scale());
}

void TMainForm::StateChanged() { Mirror(); }

void TMainForm::Mirror(bool full) {
    const sk::ShellState& shell = game_.S.Shell;
    for (Binding& binding : bindings_) {
        if (!binding.State || (!full && SameState(*binding.State, binding.Shown))) continue;
        binding.Shown = *binding.State;
        binding.Item->setVisible(binding.State->Visible);
        binding.Item->setEnabled(binding.State->Enabled);
        // Only a checked item is checkable: styles draw an empty box beside
        // an unchecked checkable item, where the menu shows nothing.
        binding.Item->setCheckable(binding.State->Checked);
        binding.Item->setChecked(binding.State->Checked);
        binding.Key->setEnabled(binding.State->Enabled);
    }
    if (statusBar_) statusBar_->Mirror(shell);
    if (mainScreen_ && mainScreen_->height() != shell.MainScreenHeight) {
        mainScreen_->resize(sk::kFieldWidth, shell.MainScreenHeight);
    }
}
