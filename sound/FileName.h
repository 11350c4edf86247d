// File names as the game spells them ("Wave\Bullet.wav") turned into paths.
#pragma once

#include <filesystem>

namespace sonobox {

// Backslashes become slashes; the name is otherwise taken as it stands.
std::filesystem::path MapFileName(const char* name);

// A relative name is taken inside `base`; an absolute one stands alone.
std::filesystem::path ResolveFileName(const std::filesystem::path& base, const char* name);

}  // namespace sonobox
