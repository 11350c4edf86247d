#include "scores/ReplayIndex.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace sk {

namespace {

constexpr const char* kIndexHeading = "skarbolt98-replays 1";
constexpr std::size_t kMaxIndexBytes = 64 * 1024;
constexpr const char* kTempMark = ".tmp-";

// The table's file writes an empty name as "Somebody"; the index names
// entries as the table's file does.
std::string FileName(const std::string& name) {
    std::string kept = SanitizeName(name);
    return kept.empty() ? "Somebody" : kept;
}

bool IsKeptFileName(const std::string& name) {
    if (name.size() < 10 || name.size() > 64 || name.rfind("kept-", 0) != 0 || !name.ends_with(".skr")) return false;
    return std::all_of(name.begin(), name.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '.'; });
}

struct IndexLine {
    int Rank = 0;
    std::int32_t Points = 0;
    std::string Name, File;
    bool Used = false;
};

std::vector<IndexLine> ReadIndexLines(const std::string& folder) {
    std::vector<std::uint8_t> bytes;
    bool tooLarge = false;
    std::vector<IndexLine> lines;
    if (!ReadWholeFile(folder + "/index.txt", kMaxIndexBytes, bytes, tooLarge)) return lines;
    std::istringstream text(std::string(bytes.begin(), bytes.end()));
    std::string line;
    if (!std::getline(text, line) || line != kIndexHeading) return lines;
    while (std::getline(text, line)) {
        IndexLine entry;
        std::istringstream words(line);
        if (words >> entry.Rank >> entry.Points >> entry.Name >> entry.File && IsKeptFileName(entry.File)) {
            lines.push_back(entry);
        }
    }
    return lines;
}

IndexLine* Find(std::vector<IndexLine>& lines, int rank, std::int32_t points, const std::string& name) {
    for (IndexLine& line : lines) {
        if (!line.Used && (rank == 0 || line.Rank == rank) && line.Points == points && line.Name == name) return &line;
    }
    return nullptr;
}

std::string NewKeptName() {
    static std::mt19937 random{std::random_device{}()};
    char name[48];
    std::snprintf(name, sizeof name, "kept-%llx-%08x.skr", static_cast<unsigned long long>(std::time(nullptr)),
                  static_cast<unsigned>(random()));
    return name;
}

std::string IndexText(const ReplayIndex& index, const HighScoreTable& table) {
    std::string text = std::string(kIndexHeading) + "\n";
    for (int i = 0; i < kRanks; ++i) {
        const std::string& file = index.Slots[i].File;
        text += std::to_string(i + 1) + " " + std::to_string(table.HiScore[i]) + " " + FileName(table.HiName[i]) + " " +
                (file.empty() ? "-" : file) + "\n";
    }
    return text;
}

bool WriterGone(const std::string& name) {
    const std::size_t mark = name.find(kTempMark);
    if (mark == std::string::npos) return false;
    const long pid = std::atol(name.c_str() + mark + std::strlen(kTempMark));
    return pid > 0 && pid != ::getpid() && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

// Kept files the index no longer names, and new files of writers that were killed.
void RemoveUnnamed(const ReplayIndex& index, const std::string& folder) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        const bool named = std::any_of(index.Slots.begin(), index.Slots.end(),
                                       [&](const KeptReplay& kept) { return kept.File == name; });
        if ((IsKeptFileName(name) && !named) || WriterGone(name)) fs::remove(entry.path(), error);
    }
}

bool Fail(const std::string& what) {
    std::fprintf(stderr, "replays not kept: %s: %s\n", what.c_str(), std::strerror(errno));
    return false;
}

}  // namespace

void ReplayIndex::Insert(int k, std::vector<std::uint8_t> replay) {
    if (k < 0 || k >= kRanks) return;
    for (int j = kRanks - 2; j >= k; --j) Slots[j + 1] = std::move(Slots[j]);
    Slots[k] = KeptReplay{{}, std::move(replay)};
}

void LoadReplayIndex(ReplayIndex& index, const HighScoreTable& table, const std::string& folder) {
    index.Clear();
    std::vector<IndexLine> lines = ReadIndexLines(folder);
    for (int pass = 0; pass < 2; ++pass) {  // first the same rank, then anywhere
        for (int i = 0; i < kRanks; ++i) {
            if (index.Slots[i].Present()) continue;
            IndexLine* line = Find(lines, pass == 0 ? i + 1 : 0, table.HiScore[i], FileName(table.HiName[i]));
            std::error_code error;
            if (!line || !fs::is_regular_file(folder + "/" + line->File, error)) continue;
            line->Used = true;
            index.Slots[i].File = line->File;
        }
    }
}

bool SaveReplayIndex(ReplayIndex& index, const HighScoreTable& table, const std::string& folder) {
    std::error_code error;
    const bool any = std::any_of(index.Slots.begin(), index.Slots.end(), [](const KeptReplay& k) { return k.Present(); });
    if (!any && !fs::exists(folder + "/index.txt", error)) return true;
    fs::create_directories(folder, error);
    if (error) {
        errno = error.value();
        return Fail(folder);
    }
    for (KeptReplay& kept : index.Slots) {
        if (kept.Pending.empty()) continue;
        const std::string name = NewKeptName();
        if (!WriteFileAtomically(folder + "/" + name, kept.Pending)) return Fail(folder + "/" + name);
        kept.File = name;
        kept.Pending.clear();
    }
    const std::string text = IndexText(index, table);
    if (!WriteFileAtomically(folder + "/index.txt", std::vector<std::uint8_t>(text.begin(), text.end()))) {
        return Fail(folder + "/index.txt");
    }
    RemoveUnnamed(index, folder);
    return true;
}

bool WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    static std::mt19937 random{std::random_device{}()};
    const std::string temp = path + kTempMark + std::to_string(::getpid()) + "-" + std::to_string(random() % 1000000);
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    std::size_t done = 0;
    bool ok = true;
    while (ok && done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (ok) done += static_cast<std::size_t>(n);
    }
    ok = ok && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (!ok || ::rename(temp.c_str(), path.c_str()) != 0) {
        const int failure = errno;
        ::unlink(temp.c_str());
        errno = failure;
        return false;
    }
    const int dir = ::open(fs::path(path).parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

bool ReadWholeFile(const std::string& path, std::size_t limit, std::vector<std::uint8_t>& bytes, bool& tooLarge) {
    tooLarge = false;
    bytes.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    std::uint8_t chunk[65536];
    while (ok) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        if (bytes.size() + static_cast<std::size_t>(n) > limit) {
            tooLarge = true;
            break;
        }
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    ::close(fd);
    return ok;
}

bool LoadKeptReplay(const ReplayIndex& index, int rank, std::vector<std::uint8_t>& bytes, const std::string& folder) {
    if (rank < 1 || rank > kRanks) return false;
    const KeptReplay& kept = index.Slots[rank - 1];
    if (!kept.Pending.empty()) {
        bytes = kept.Pending;
        return true;
    }
    bool tooLarge = false;
    return !kept.File.empty() && ReadWholeFile(folder + "/" + kept.File, 16u << 20, bytes, tooLarge);
}

}  // namespace sk
