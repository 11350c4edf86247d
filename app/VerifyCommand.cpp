#include "app/VerifyCommand.h"

#include "app/DataFolder.h"
#include "game/ReplayVerify.h"

#include <cstdio>
#include <filesystem>

namespace sk {

int RunVerifyCommand(const std::string& file, const char* programPath) {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::absolute(programPath, error);
    const std::filesystem::path current = std::filesystem::current_path(error);
    std::filesystem::current_path(ReadableDataFolder(current, InstalledDataFolder(program.parent_path())), error);
    const ReplayVerdict verdict = VerifyReplay(file);
    if (verdict.Code == ReplayVerdictCode::Matches) {
        std::printf("%s: the replay matches the game to its end (%u frames)\n", file.c_str(), verdict.Frames);
    } else {
        std::fprintf(stderr, "skarbolt: %s: %s\n", file.c_str(), verdict.Message.c_str());
    }
    return static_cast<int>(verdict.Code);
}

}  // namespace sk
