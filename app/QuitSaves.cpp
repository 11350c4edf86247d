#include "app/QuitSaves.h"

#include "app/SettingsStore.h"
#include "scores/ReplayIndex.h"

#include <cstdio>
#include <exception>
#include <utility>

namespace sk {

QuitSaves::QuitSaves(Game& game, TableNotKept report) : game_(game), report_(std::move(report)) {}

// The values SaveSettings writes.
Settings QuitSaves::StoredSettings() const {
    const GameState& s = game_.S;
    return {.MusicOn = s.MusicOnNext, .SoundOn = s.SoundOn, .MouseLock = s.MouseLock, .Difficulty = s.Difficulty};
}

// The replays kept for the table's entries are written where, and only
// where, the table was.
SaveResult QuitSaves::SaveTable() {
    const SaveResult result = SaveHighScores(game_.HighScores);
    if (result == SaveResult::Saved) {
        writtenTable_ = game_.HighScores;
        SaveReplayIndex(game_.Replays, game_.HighScores);
    }
    return result;
}

void QuitSaves::SaveSettingsNow() {
    SaveSettings(game_.S);
    writtenSettings_ = StoredSettings();
}

void QuitSaves::QuitCommand() {
    quitTookTable_ = true;
    quitTookSettings_ = false;
    if (const SaveResult result = SaveTable(); result != SaveResult::Saved) report_(result);
    quitTookSettings_ = true;
    try {
        SaveSettingsNow();
    } catch (...) {
        // The window stays open: a later way out is a new ending.
        quitTookTable_ = quitTookSettings_ = false;
        throw;
    }
}

void QuitSaves::OtherWayOut() noexcept {
    if (tableLoaded_ && !quitTookTable_ && writtenTable_ != game_.HighScores) SaveTable();
    if (settingsLoaded_ && !quitTookSettings_ && writtenSettings_ != StoredSettings()) {
        try {
            SaveSettingsNow();
        } catch (const std::exception& e) {
            std::fprintf(stderr, "settings not saved: %s\n", e.what());
        }
    }
}

}  // namespace sk
