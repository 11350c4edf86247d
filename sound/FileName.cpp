#include "sound/FileName.h"

#include <string>

namespace sonobox {

std::filesystem::path MapFileName(const char* name) {
    std::string mapped(name == nullptr ? "" : name);
    for (char& c : mapped) {
        if (c == '\\') c = '/';
    }
    return std::filesystem::path(mapped);
}

std::filesystem::path ResolveFileName(const std::filesystem::path& base, const char* name) {
    std::filesystem::path mapped = MapFileName(name);
    if (mapped.is_absolute() || base.empty()) return mapped;
    return base / mapped;
}

}  // namespace sonobox
