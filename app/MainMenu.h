// The main window's menu bar and keys: the menus built from one table, every
// item's key on a shortcut object of its own, and the menu half of mirroring
// the game's state. Qt disables the shortcut of a hidden item, but F3 must
// pause while its item is hidden on the title: the shortcut objects follow
// their items' enabled state only. Items and keys hand their command to the
// dispatch function the window gives; the menu knows nothing of the window.
#pragma once

#include "app/MenuCommand.h"
#include "game/GameState.h"

#include <QObject>
#include <QString>

#include <functional>
#include <span>
#include <vector>

class QAction;
class QMainWindow;
class QMenu;
class QShortcut;

namespace sk {

// One row of a menu table: an item with its key, a key without an item
// (no caption), or a separator (no command).
struct MenuEntry {
    enum class Kind { Item, KeyOnly, Separator };
    Kind Type;
    MenuCommand Command;
    const char* Name;     // object name of the item and of its key
    const char* Caption;  // source text (UTF-8), with its mnemonic
    int Key;              // a Qt key code with modifiers, 0 for none
};

class MainMenu : public QObject {
    Q_OBJECT
public:
    MainMenu(QMainWindow* window, const ShellState& shell, std::function<void(MenuCommand)> dispatch);

    // Sets every menu title and item caption from the tables, in the
    // language in force: the one place the menus' texts are made.
    void Retranslate();
    // Shows the game's state on the items and their keys: where it changed,
    // or on every item when `full` (a click may check an item by itself).
    void Mirror(bool full);
    // Whether a command may run now, as its key would: its item's state in
    // the game, or always for items whose state never changes.
    bool Enabled(MenuCommand command) const;
    // While a replay is watched the items of what waits for the title show
    // disabled; the next full mirror shows it.
    void SetWatching(bool watching);

    QAction* Item(const QString& name) const;
    QShortcut* Key(const QString& name) const;

private:
    struct Binding {
        MenuCommand Command;
        QAction* Item;    // null for a key without an item
        QShortcut* Key;   // null for an item without a key
        const MenuEntry* Entry;
        const MenuItemState* GameState;  // null where the game's state does not decide
        MenuItemState Shown;         // what the widgets show now
    };

    void AddMenu(const char* name, std::span<const MenuEntry> entries);
    void AddEntry(QMenu* menu, const MenuEntry& entry);
    QShortcut* AddKey(const MenuEntry& entry, Qt::ShortcutContext context);
    const Binding* Find(MenuCommand command) const;
    MenuItemState StateOf(const Binding& binding) const;

    QMainWindow* window_;
    const ShellState& shell_;
    std::function<void(MenuCommand)> dispatch_;
    std::vector<Binding> bindings_;
    std::vector<std::pair<QMenu*, const char*>> menus_;  // with their titles
    bool watching_ = false;
};

}  // namespace sk
