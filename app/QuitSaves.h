// What the program writes on its way out: the high-score table (with the
// replays kept for its entries), then the settings. The quit command (F9) writes both with its boxes: one for a table
// that could not be kept, the error box for settings that could not be
// written, after which the window stays open. Every other way out (a close
// of the main window, SIGTERM, SIGINT, SIGHUP, the end of the desktop
// session) writes them in the same order, reports on stderr only and never
// holds the ending up. Nothing is written twice for one ending: neither
// what the running quit command has taken on nor what this run already
// wrote and has not changed since.
#pragma once

#include "game/Game.h"
#include "game/Settings.h"
#include "scores/HighScores.h"

#include <functional>
#include <optional>

namespace sk {

class QuitSaves {
public:
    // How the quit command reports a table it could not keep (errno is
    // that of the failure).
    using TableNotKept = std::function<void(SaveResult result)>;

    QuitSaves(Game& game, TableNotKept report);

    // Only what start-up has read is ever written back: a table or settings
    // never loaded would overwrite the stored ones with empty values.
    void TableLoaded() { tableLoaded_ = true; }
    void SettingsLoaded() { settingsLoaded_ = true; }

    // The quit command's saves. Throws, as the settings store does, when a
    // setting cannot be written; the quit then ends there.
    void QuitCommand();
    // The saves of every other way out; failures go to stderr.
    void OtherWayOut() noexcept;

private:
    Settings StoredSettings() const;
    SaveResult SaveTable();
    void SaveSettingsNow();

    Game& game_;
    TableNotKept report_;
    bool tableLoaded_ = false;
    bool settingsLoaded_ = false;
    // Taken on by the quit command that runs or ended the program.
    bool quitTookTable_ = false;
    bool quitTookSettings_ = false;
    // What this run last wrote.
    std::optional<HighScoreTable> writtenTable_;
    std::optional<Settings> writtenSettings_;
};

}  // namespace sk
