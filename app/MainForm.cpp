#include "app/MainForm.h"

#include "app/AboutBox.h"
#include "app/DialogFonts.h"
#include "app/FrameGate.h"
#include "app/MessageBoxes.h"
#include "app/PlayArea.h"
#include "app/PropatyBox.h"
#include "app/SettingsStore.h"
#include "app/StatusBar.h"
#include "app/WidgetKit.h"
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

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

const QString kTitle = QStringLiteral("Skarbolt 98");
constexpr int kCentringWidth = 640;  // the start-up centring uses 640, not the real width
constexpr int kLogoTop = 99;          // rows of the title picture's standing logo band
constexpr int kLogoBottom = 255;

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
      game_(*this, sk::LoadPictures(), hooks_.GameSound) {
    if (!hooks_.ExitProcess) hooks_.ExitProcess = EndProcess;
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(kTitle);
    setFont(sk::GothicFont(12));

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(sk::kFieldWidth, sk::kClientHeight);
    QPalette palette = client->palette();
    palette.setColor(QPalette::Window, Qt::black);
    client->setPalette(palette);
    client->setAutoFillBackground(true);
    setCentralWidget(client);

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
    setFixedSize(sk::kFieldWidth, sk::kClientHeight + menuBar()->sizeHint().height());

    mouseLock_ = std::make_unique<sk::MouseLock>(this);
    clock_ = std::make_unique<sk::FrameClock>([this] { return RunFrame(); },
                                              [this] { return game_.S.TitleMode || !game_.S.Paused; }, this);

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
    hooks_.Sound.DsMake("Wave\\Bullet.wav", 0);
    hooks_.Sound.DsMake("Wave\\Explode.wav", 1);
    hooks_.Sound.DsMake("Wave\\CpuExp.wav", 2);
    hooks_.Sound.DmMake("BGM\\Opening.mid");
    if (game_.S.MusicOn) hooks_.Sound.DmPlay(-1);
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
    const bool wasTitle = game_.S.TitleMode;
    int delay = 20;
    sk::Guarded([&] { delay = game_.AppIdle(); });
    if (delay >= 0) {
        // On the title only the star bands move; the logo band between them
        // needs repainting only when the title comes back.
        if (wasTitle && game_.S.TitleMode && titleShown_) {
            mainScreen_->Present(QRegion(0, 0, sk::kFieldWidth, kLogoTop) +
                                 QRegion(0, kLogoBottom, sk::kFieldWidth, sk::kClientHeight - kLogoBottom));
        } else {
            mainScreen_->Present(mainScreen_->rect());
        }
        titleShown_ = game_.S.TitleMode;
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
    mouseLock_->Confine(sk::ConfinementArea(frameGeometry()));
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
