// The private folders the widget tests run in: a copy of the game's data
// folder as the current directory, and a config folder for the settings.
#pragma once

#include <filesystem>

namespace apptest {

const std::filesystem::path& RunDir();
const std::filesystem::path& ConfigDir();
// Where the settings store keeps its values.
std::filesystem::path SettingsFile();

}  // namespace apptest
