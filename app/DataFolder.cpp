#include "app/DataFolder.h"

#include <cstdio>
#include <cstdlib>
#include <system_error>

#ifndef SKARBOLT_DATA_FROM_PROGRAM
#define SKARBOLT_DATA_FROM_PROGRAM "../share/games/skarbolt98"
#endif

namespace fs = std::filesystem;

namespace sk {
namespace {

const char* NonEmptyEnv(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0' ? value : nullptr;
}

bool IsLinkTo(const fs::path& link, const fs::path& target) {
    std::error_code error;
    return fs::is_symlink(fs::symlink_status(link, error)) && fs::read_symlink(link, error) == target && !error;
}

// Puts a link to `target` at `link`, replacing a file or link already there.
bool PlaceLink(const fs::path& target, const fs::path& link, std::error_code& error) {
    if (IsLinkTo(link, target)) return true;
    fs::create_directories(link.parent_path(), error);
    if (error) return false;
    std::error_code absent;  // a missing file is no failure here
    const fs::file_status there = fs::symlink_status(link, absent);
    if (fs::is_directory(there)) {
        error = std::make_error_code(std::errc::is_a_directory);
        return false;
    }
    if (fs::exists(there)) fs::remove(link, error);
    if (!error) fs::create_symlink(target, link, error);
    return !error;
}

// Links left from files a newer package no longer ships.
void RemoveDeadLinks(const fs::path& folder) {
    std::error_code error;
    std::vector<fs::path> dead;
    for (auto it = fs::recursive_directory_iterator(folder, error); !error && it != fs::end(it); it.increment(error)) {
        if (it->is_symlink(error) && !fs::exists(it->path(), error)) dead.push_back(it->path());
    }
    for (const fs::path& link : dead) fs::remove(link, error);
}

}  // namespace

fs::path UserDataFolder() {
    if (const char* home = NonEmptyEnv("SKARBOLT_HOME")) return home;
    // A relative XDG_DATA_HOME is to be ignored.
    const char* data = NonEmptyEnv("XDG_DATA_HOME");
    if (data != nullptr && fs::path(data).is_absolute()) return fs::path(data) / "skarbolt98";
    const char* home = NonEmptyEnv("HOME");
    return fs::path(home != nullptr ? home : "/") / ".local/share/skarbolt98";
}

fs::path InstalledDataFolder(const fs::path& programDir) {
    return (programDir / SKARBOLT_DATA_FROM_PROGRAM).lexically_normal();
}

bool RefreshUserFolder(const fs::path& installed, const fs::path& user, std::string& error) {
    std::error_code failure;
    fs::create_directories(user / "Data", failure);
    if (failure) {
        error = user.string() + ": " + failure.message();
        return false;
    }
    for (auto it = fs::recursive_directory_iterator(installed, failure); !failure && it != fs::end(it);
         it.increment(failure)) {
        if (!it->is_regular_file(failure)) continue;
        const fs::path name = it->path().lexically_relative(installed);
        if (name == kScoreFile) continue;
        std::error_code linkFailure;
        if (!PlaceLink(fs::absolute(it->path()), user / name, linkFailure)) {
            error = (user / name).string() + ": " + linkFailure.message();
            return false;
        }
    }
    if (failure) {
        error = installed.string() + ": " + failure.message();
        return false;
    }
    RemoveDeadLinks(user);
    return true;
}

fs::path ReadableDataFolder(const fs::path& current, const fs::path& installed) {
    std::error_code error;
    if (fs::exists(current / kMarkerFile, error) || !fs::exists(installed / kMarkerFile, error)) return current;
    return installed;
}

DataFolderPlan PlanDataFolder(const fs::path& current, const fs::path& installed, const fs::path& user) {
    std::error_code error;
    if (fs::exists(current / kMarkerFile, error)) return {current, {}};
    if (!fs::exists(installed / kMarkerFile, error)) {
        return {current,
                {"no game data in " + current.string() + " nor in " + installed.string() + "; playing without it"}};
    }
    std::string why;
    if (RefreshUserFolder(installed, user, why)) return {user, {}};
    return {installed, {"cannot prepare the player's folder (" + why + "); high scores will not be kept"}};
}

void EnterDataFolder(const fs::path& programDir) {
    std::error_code error;
    const fs::path current = fs::current_path(error);
    const DataFolderPlan plan = PlanDataFolder(current, InstalledDataFolder(programDir), UserDataFolder());
    for (const std::string& note : plan.Notes) std::fprintf(stderr, "skarbolt: %s\n", note.c_str());
    if (plan.Folder != current) fs::current_path(plan.Folder, error);
    if (error) std::fprintf(stderr, "skarbolt: cannot enter %s: %s\n", plan.Folder.c_str(), error.message().c_str());
}

}  // namespace sk
