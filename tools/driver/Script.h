// The driver's script: one command a line.
//
//   seed N                    seed the game's generator after start-up
//   frames N                  how many idle calls to run
//   music 0|1, sound 0|1, lock 0|1, difficulty CODE   the stored settings
//   item 0|1|2                the settings dialog's difficulty item
//   autoplay                  steer toward enemies and fire, from the start
//   at F key F1|F2|F3         a menu shortcut before idle call F
//   at F move X Y             the pointer moves over the play area
//   at F press left|right     a mouse button goes down
//   at F dblclick             a double-click on the play area
//   at F autoplay on|off      switch the auto-pilot
//   at F cheat invincible     the hidden "no hits" command
//   png F FILE [scr]          after idle call F, write the play area (or MainScr)
//   expect stage N            the run fails unless some frame reaches stage N
//   expect score N            the run fails unless the score reaches N
//
// Blank lines and lines starting with # are ignored.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace driver {

struct Event {
    int Frame = 0;
    std::vector<std::string> Words;  // the command after "at F"
};

struct Snapshot {
    int Frame = 0;
    std::string File;
    bool OffScreen = false;  // MainScr instead of what the play area shows
};

struct Script {
    std::optional<unsigned> Seed;
    int Frames = 0;
    bool Music = true;
    bool Sound = true;
    bool MouseLock = false;
    int Difficulty = 4;
    int DifficultyItem = 1;
    bool AutoPlay = false;
    std::vector<Event> Events;
    std::vector<Snapshot> Snapshots;
    std::optional<int> ExpectStage;
    std::optional<int> ExpectScore;
};

// Parses a script; on a bad line returns false with `error` naming the line.
bool ParseScript(const std::string& text, Script& script, std::string& error);

}  // namespace driver
