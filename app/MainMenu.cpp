#include "app/MainMenu.h"

#include "app/FrameGate.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

namespace sk {

namespace {

using Kind = MenuEntry::Kind;

constexpr int Ctrl(Qt::Key key) { return (Qt::CTRL | key).toCombined(); }

constexpr MenuEntry kGameMenu[] = {
    {Kind::Item, MenuCommand::StartBot, "StartBot", QT_TRANSLATE_NOOP("sk::MainMenu", "開始(&S)"), Qt::Key_F1},
    {Kind::Item, MenuCommand::HScoreB, "HScoreB", QT_TRANSLATE_NOOP("sk::MainMenu", "ハイスコア(&H)"), Qt::Key_F4},
    {Kind::Item, MenuCommand::ReplayB, "ReplayB", QT_TRANSLATE_NOOP("sk::MainMenu", "リプレイ(&L)..."), 0},
    {Kind::Item, MenuCommand::ResetB, "ResetB", QT_TRANSLATE_NOOP("sk::MainMenu", "リセット(&R)"), Qt::Key_F2},
    {Kind::Item, MenuCommand::StopB, "StopB", QT_TRANSLATE_NOOP("sk::MainMenu", "一時停止(&P)"), Qt::Key_F3},
    {Kind::Separator, {}, "N1", nullptr, 0},
    {Kind::Item, MenuCommand::Exit1, "Exit1", QT_TRANSLATE_NOOP("sk::MainMenu", "終了(&E)"), Qt::Key_F9},
};
constexpr MenuEntry kOptionMenu[] = {
    {Kind::Item, MenuCommand::SpeedB, "SpeedB", QT_TRANSLATE_NOOP("sk::MainMenu", "詳細設定(&S)"), Qt::Key_F5},
    {Kind::Item, MenuCommand::ScrollB, "ScrollB", QT_TRANSLATE_NOOP("sk::MainMenu", "高速スクロール"),
     Ctrl(Qt::Key_Q)},
    {Kind::Item, MenuCommand::SpecialB, "SpecialB", QT_TRANSLATE_NOOP("sk::MainMenu", "無敵"), Ctrl(Qt::Key_A)},
    // The extras' item closes the options menu; it has no key of its own.
    {Kind::Item, MenuCommand::PlayOptionsB, "PlayOptionsB", QT_TRANSLATE_NOOP("sk::MainMenu", "操作と表示..."),
     0},
};
constexpr MenuEntry kHelpMenu[] = {
    {Kind::Item, MenuCommand::AboutB, "AboutB", QT_TRANSLATE_NOOP("sk::MainMenu", "ﾊﾞｰｼﾞｮﾝ情報(&V)"), Qt::Key_F7},
};
// Keys of the main window that no item shows.
constexpr MenuEntry kWindowKeys[] = {
    {Kind::KeyOnly, MenuCommand::FullScreen, "FullScreenKey", nullptr, Qt::Key_F11},
    {Kind::KeyOnly, MenuCommand::MenuBar, "MenuBarKey", nullptr, Qt::Key_F10},
    {Kind::KeyOnly, MenuCommand::ReplaySpeed1, "ReplaySpeed1Key", nullptr, Qt::Key_1},
    {Kind::KeyOnly, MenuCommand::ReplaySpeed2, "ReplaySpeed2Key", nullptr, Qt::Key_2},
    {Kind::KeyOnly, MenuCommand::ReplaySpeed4, "ReplaySpeed4Key", nullptr, Qt::Key_4},
    {Kind::KeyOnly, MenuCommand::ReplayEnd, "ReplayEndKey", nullptr, Qt::Key_Escape},
};

struct MenuTable {
    const char* Name;
    const char* Title;
    std::span<const MenuEntry> Entries;
};
constexpr MenuTable kMenus[] = {
    {"GameB", QT_TRANSLATE_NOOP("sk::MainMenu", "ゲーム(&G)"), kGameMenu},
    {"OptionB", QT_TRANSLATE_NOOP("sk::MainMenu", "オプション(&O)"), kOptionMenu},
    {"HelpB", QT_TRANSLATE_NOOP("sk::MainMenu", "ヘルプ(&H)"), kHelpMenu},
};

// The game's state of an item, or null for items whose state never changes.
const MenuItemState* GameStateOf(const ShellState& shell, MenuCommand command) {
    switch (command) {
        case MenuCommand::StartBot: return &shell.StartBot;
        case MenuCommand::HScoreB: return &shell.HScoreB;
        case MenuCommand::ReplayB: return &shell.HScoreB;  // like the table: on the title screen only
        case MenuCommand::ResetB: return &shell.ResetB;
        case MenuCommand::StopB: return &shell.StopB;
        case MenuCommand::ScrollB: return &shell.ScrollB;
        case MenuCommand::SpecialB: return &shell.SpecialB;
        default: return nullptr;
    }
}

// The commands a replay being watched leaves waiting for the title: F2 ends
// it, F3 pauses it, F9 quits, the options' switches stay hidden as on the title.
bool WaitsForTitle(MenuCommand command) {
    switch (command) {
        case MenuCommand::StartBot:
        case MenuCommand::HScoreB:
        case MenuCommand::ReplayB:
        case MenuCommand::SpeedB:
        case MenuCommand::PlayOptionsB:
        case MenuCommand::AboutB: return true;
        default: return false;
    }
}

bool SameState(const MenuItemState& a, const MenuItemState& b) {
    return a.Visible == b.Visible && a.Enabled == b.Enabled && a.Checked == b.Checked;
}

}  // namespace

MainMenu::MainMenu(QMainWindow* window, const ShellState& shell, std::function<void(MenuCommand)> dispatch)
    : window_(window), shell_(shell), dispatch_(std::move(dispatch)) {
    window_->menuBar()->setObjectName(QStringLiteral("MainMenu1"));
    for (const MenuTable& table : kMenus) {
        QMenu* menu = window_->menuBar()->addMenu(QString());
        menu->setObjectName(QString::fromLatin1(table.Name));
        menus_.emplace_back(menu, table.Title);
        // A pulled-down menu runs its own event loop: no frames meanwhile.
        connect(menu, &QMenu::aboutToShow, this, [] { FrameGate::Instance().Close(); });
        connect(menu, &QMenu::aboutToHide, this, [] { FrameGate::Instance().Open(); });
        for (const MenuEntry& entry : table.Entries) AddEntry(menu, entry);
    }
    for (const MenuEntry& entry : kWindowKeys) AddEntry(nullptr, entry);
    Retranslate();
}

void MainMenu::AddEntry(QMenu* menu, const MenuEntry& entry) {
    if (entry.Type == Kind::Separator) {
        menu->addSeparator()->setObjectName(QString::fromLatin1(entry.Name));
        return;
    }
    Binding binding{entry.Command, nullptr, nullptr, &entry, GameStateOf(shell_, entry.Command), {}};
    if (entry.Type == Kind::Item) {
        binding.Item = menu->addAction(QString());
        binding.Item->setObjectName(QString::fromLatin1(entry.Name));
        binding.Shown = {binding.Item->isVisible(), binding.Item->isEnabled(), binding.Item->isChecked()};
        connect(binding.Item, &QAction::triggered, this, [this, entry] { dispatch_(entry.Command); });
    }
    // An item's key acts from every window of the game (the name entry takes
    // the keyboard at a game over); a modal dialog blocks the main window,
    // and with it these keys.
    if (entry.Key != 0) {
        binding.Key = AddKey(entry, binding.Item ? Qt::ApplicationShortcut : Qt::WindowShortcut);
    }
    bindings_.push_back(binding);
}

QShortcut* MainMenu::AddKey(const MenuEntry& entry, Qt::ShortcutContext context) {
    auto* key = new QShortcut(QKeySequence(entry.Key), window_);
    key->setObjectName(QString::fromLatin1(entry.Name));
    key->setAutoRepeat(false);
    key->setContext(context);
    connect(key, &QShortcut::activated, this, [this, entry] { dispatch_(entry.Command); });
    return key;
}

// Each item shows its key after a tab.
void MainMenu::Retranslate() {
    for (const auto& [menu, title] : menus_) menu->setTitle(tr(title));
    for (const Binding& binding : bindings_) {
        if (!binding.Item) continue;
        QString caption = tr(binding.Entry->Caption);
        if (binding.Key) caption += QLatin1Char('\t') + binding.Key->key().toString(QKeySequence::NativeText);
        binding.Item->setText(caption);
    }
}

void MainMenu::SetWatching(bool watching) { watching_ = watching; }

// The one rule of what an item shows: the game's state (items without one
// are always shown and enabled), less what waits for the title while a
// replay is watched.
MenuItemState MainMenu::StateOf(const Binding& binding) const {
    MenuItemState state = binding.GameState ? *binding.GameState : MenuItemState{};
    if (watching_ && WaitsForTitle(binding.Command)) state.Enabled = false;
    return state;
}

void MainMenu::Mirror(bool full) {
    for (Binding& binding : bindings_) {
        if (!binding.Item) continue;
        const MenuItemState state = StateOf(binding);
        if (!full && SameState(state, binding.Shown)) continue;
        binding.Shown = state;
        binding.Item->setVisible(state.Visible);
        binding.Item->setEnabled(state.Enabled);
        // Only a checked item is checkable: styles draw an empty box beside
        // an unchecked checkable item, where the menu shows nothing.
        binding.Item->setCheckable(state.Checked);
        binding.Item->setChecked(state.Checked);
        if (binding.Key) binding.Key->setEnabled(state.Enabled);
    }
}

const MainMenu::Binding* MainMenu::Find(MenuCommand command) const {
    for (const Binding& binding : bindings_) {
        if (binding.Command == command) return &binding;
    }
    return nullptr;
}

bool MainMenu::Enabled(MenuCommand command) const {
    const Binding* binding = Find(command);
    return binding != nullptr && (!binding->Item || StateOf(*binding).Enabled);
}

QAction* MainMenu::Item(const QString& name) const { return window_->findChild<QAction*>(name); }

QShortcut* MainMenu::Key(const QString& name) const { return window_->findChild<QShortcut*>(name); }

}  // namespace sk
