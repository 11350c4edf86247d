// Where the game plays from. The game and the sound library open their files
// by the relative names "Data/Stage1.dat", "Wave\Bullet.wav", "BGM\...", so
// the program makes the right folder current before any window exists:
// - a current folder that holds Data/Stage1.dat is used as it is;
// - otherwise the per-user folder ($XDG_DATA_HOME/skarbolt98), which holds
//   the player's Data/Hi-Score.dat and symbolic links to the installed stage
//   files, effects and tunes. The links are remade at every start, so an
//   upgraded package takes effect and a removed file leaves nothing behind.
// The installed data is found relative to the program's own folder, so an
// install under any prefix, or an unpacked package, runs as it lies.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace sk {

inline constexpr const char* kMarkerFile = "Data/Stage1.dat";
inline constexpr const char* kScoreFile = "Data/Hi-Score.dat";

struct DataFolderPlan {
    std::filesystem::path Folder;      // the folder to play from
    std::vector<std::string> Notes;    // what went wrong on the way, one line each
};

// $SKARBOLT_HOME, else $XDG_DATA_HOME/skarbolt98, else ~/.local/share/skarbolt98.
std::filesystem::path UserDataFolder();

// The installed data folder for a program in `programDir`.
std::filesystem::path InstalledDataFolder(const std::filesystem::path& programDir);

// Makes `user` hold a link to every file of `installed` (the high-score file
// excepted) and no link that leads nowhere; the player's own files stay.
// False, with the reason in `error`, when the folder cannot be made.
bool RefreshUserFolder(const std::filesystem::path& installed, const std::filesystem::path& user,
                       std::string& error);

// Chooses the folder to play from (see the top of this file); prepares the
// per-user folder when that is the choice. Never fails: without a usable
// per-user folder the installed data is played read-only, without any data
// the current folder stays.
DataFolderPlan PlanDataFolder(const std::filesystem::path& current, const std::filesystem::path& installed,
                              const std::filesystem::path& user);

// The folder to read the game's data from without preparing anything: the
// current one when it holds the data, else the installed data itself.
std::filesystem::path ReadableDataFolder(const std::filesystem::path& current, const std::filesystem::path& installed);

// Plans for this process and makes the chosen folder current; the notes go
// to stderr.
void EnterDataFolder(const std::filesystem::path& programDir);

}  // namespace sk
