#include "scores/HighScores.h"

#include "scores/ScoreScan.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <random>
#include <sys/stat.h>
#include <string>
#include <unistd.h>

namespace sk {

namespace {

constexpr std::string_view kNoName = "Somebody";

struct Entry {
    const char* name;
    std::int32_t points;
};

constexpr Entry kDefaultTable[kRanks] = {
    {"Vestro", 8700}, {"Amrelle", 7500}, {"Pokiru", 6300}, {"Dunmaro", 5100}, {"Felkin", 4900},
    {"Yorisa", 4500}, {"Quenty", 3800},  {"Mobiru", 3300}, {"Ilvanne", 2100}, {"Ro-Tan", 1800},
};

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

// Reads a FILE* byte by byte for the scanner, up to kMaxHighScoreBytes.
class FileSource {
public:
    explicit FileSource(std::FILE* file) : file_(file) {}
    int Peek() {
        if (!peeked_) {
            next_ = left_ > 0 ? std::getc(file_) : EOF;
            peeked_ = true;
        }
        return next_;
    }
    void Next() {
        peeked_ = false;
        if (left_ > 0) --left_;
    }

private:
    std::FILE* file_;
    std::size_t left_ = kMaxHighScoreBytes;
    int next_ = EOF;
    bool peeked_ = false;
};

std::string FileLines(const HighScoreTable& table) {
    std::string text;
    for (int i = 0; i < kRanks; ++i) {
        // A name must come back as one non-blank word.
        std::string name = SanitizeName(table.HiName[i]);
        if (name.empty()) name = kNoName;
        text += name;
        text += ' ';
        text += std::to_string(table.HiScore[i]);
        text += '\n';
    }
    return text;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

bool WriteAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string TemporaryPrefix(const std::string& path) { return path + ".tmp"; }

// Creates a new, empty file next to `path`; -1 when the folder refuses.
int CreateTemporary(const std::string& path, std::string& tempPath) {
    std::random_device seed;
    for (int attempt = 0; attempt < 16; ++attempt) {
        tempPath = TemporaryPrefix(path) + std::to_string(::getpid()) + "-" + std::to_string(seed() % 1000000);
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// The process id in a name "<prefix><pid>-<n>" (digits only), or 0.
pid_t WriterOf(std::string_view name, std::string_view prefix) {
    if (name.substr(0, prefix.size()) != prefix) return 0;
    name.remove_prefix(prefix.size());
    const std::size_t dash = name.find('-');
    const auto allDigits = [](std::string_view part) {
        return !part.empty() && part.size() <= 9 &&
               std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (dash == std::string_view::npos || !allDigits(name.substr(0, dash)) || !allDigits(name.substr(dash + 1)))
        return 0;
    return static_cast<pid_t>(std::stol(std::string(name.substr(0, dash))));
}

bool IsRunning(pid_t pid) { return ::kill(pid, 0) == 0 || errno == EPERM; }

// New files of this program beside `path` whose writer is gone: it was
// killed between creating and renaming them. Ours from an earlier save
// cannot be pending either (saves do not overlap).
void RemoveStaleTemporaries(const std::string& path) {
    const std::string folder = FolderOf(path);
    const std::string prefix = TemporaryPrefix(path.substr(path.find_last_of('/') + 1));
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        const pid_t writer = WriterOf(name, prefix);
        if (writer <= 0 || (writer != ::getpid() && IsRunning(writer))) continue;
        if (entry.is_regular_file(error)) std::filesystem::remove(entry.path(), error);
    }
}

void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

SaveResult Fail(const char* path, const char* what) {
    const int error = errno;
    std::fprintf(stderr, "high scores not saved to %s: %s: %s\n", path, what, std::strerror(error));
    errno = error;
    return SaveResult::Failed;
}

bool ReadOnlyByMode(const struct stat& info) { return S_ISREG(info.st_mode) && (info.st_mode & S_IWUSR) == 0; }

// The new file, written and synced, takes the place of `target`.
SaveResult ReplaceWith(int fd, const std::string& tempPath, const std::string& target, const std::string& text) {
    const char* path = target.c_str();
    const bool written = WriteAll(fd, text);
    const int writeErrno = errno;
    const bool synced = written && ::fsync(fd) == 0;
    const int syncErrno = errno;
    const bool closed = ::close(fd) == 0;
    if (!written || !synced || !closed) {
        const int error = !written ? writeErrno : !synced ? syncErrno : errno;
        ::unlink(tempPath.c_str());
        errno = error;
        return Fail(path, "cannot write the new file");
    }
    if (::rename(tempPath.c_str(), path) != 0) {
        const int renameErrno = errno;
        ::unlink(tempPath.c_str());
        errno = renameErrno;
        return Fail(path, "cannot replace the old file");
    }
    SyncFolder(FolderOf(target));
    return SaveResult::Saved;
}

// Room for the whole table first, so that a full disk fails the save before
// a byte of the old table is overwritten (where the file system can tell).
bool ReserveRoom(int fd, std::size_t size) {
#if defined(__linux__)
    if (::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(size)) != 0)
        return errno == EOPNOTSUPP || errno == ENOSYS;
#endif
    (void)fd;
    (void)size;
    return true;
}

// The table over the old one, the file cut to its length, then synced.
SaveResult WriteInPlace(const char* path, const std::string& text) {
    const int fd = ::open(path, O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return Fail(path, "cannot create a new file beside it, nor write it in place");
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || ReadOnlyByMode(info)) {
        ::close(fd);
        errno = EINVAL;
        return Fail(path, "cannot create a new file beside it, nor write it in place");
    }
    const bool done = ReserveRoom(fd, text.size()) && WriteAll(fd, text) &&
                      ::ftruncate(fd, static_cast<off_t>(text.size())) == 0 && ::fsync(fd) == 0;
    const int error = errno;
    const bool closed = ::close(fd) == 0;
    if (!done || !closed) {
        errno = done ? errno : error;
        return Fail(path, "cannot write it in place");
    }
    static bool told = false;
    if (!told) {
        told = true;
        std::fprintf(stderr, "high scores written in place to %s: its folder takes no new file\n", path);
    }
    return SaveResult::Saved;
}

// Opens a regular file for reading; a FIFO or device in its place is not
// waited on.
std::FILE* OpenRegularFile(const char* path) {
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return nullptr;
    }
    std::FILE* file = ::fdopen(fd, "rb");
    if (!file) ::close(fd);
    return file;
}

}  // namespace

void ResetHighScores(HighScoreTable& table) {
    for (int i = 0; i < kRanks; ++i) {
        table.HiName[i] = kDefaultTable[i].name;
        table.HiScore[i] = kDefaultTable[i].points;
    }
}

void ParseHighScores(HighScoreTable& table, std::string_view contents) {
    StringSource source(contents);
    ScanTable(table, source);
}

void LoadHighScores(HighScoreTable& table, const char* path) {
    std::unique_ptr<std::FILE, FileCloser> file(OpenRegularFile(path));
    if (!file) {
        ResetHighScores(table);
        return;
    }
    FileSource source(file.get());
    ScanTable(table, source);
    if (std::ferror(file.get())) {
        std::fprintf(stderr, "high scores in %s cannot be read: %s; using the built-in table\n", path,
                     std::strerror(errno));
        ResetHighScores(table);
    }
}

SaveResult SaveHighScores(const HighScoreTable& table, const char* path) {
    const std::string target = path;
    struct stat info {};
    const bool exists = ::stat(path, &info) == 0;
    if (exists && ReadOnlyByMode(info)) {
        std::fprintf(stderr, "high scores not saved to %s: the file is read-only\n", path);
        return SaveResult::ReadOnly;
    }
    const std::string text = FileLines(table);
    RemoveStaleTemporaries(target);
    std::string tempPath;
    const int fd = CreateTemporary(target, tempPath);
    if (fd >= 0) return ReplaceWith(fd, tempPath, target, text);
    if (exists && S_ISREG(info.st_mode)) return WriteInPlace(path, text);
    return Fail(path, "cannot create a new file");
}

int RankFor(const HighScoreTable& table, std::int32_t score) {
    // The tests in their order; in a table that is out of order the last that holds wins.
    int rank = 0;
    for (int i = 0; i < kRanks - 1; ++i) {
        if (table.HiScore[i] > score && table.HiScore[i + 1] <= score) rank = i + 2;
    }
    if (score >= table.HiScore[0]) rank = 1;
    return rank;
}

void InsertHighScore(HighScoreTable& table, int k, std::int32_t points, std::string nameCp932) {
    if (k < 0 || k >= kRanks) return;
    for (int j = kRanks - 2; j >= k; --j) {
        table.HiScore[j + 1] = table.HiScore[j];
        table.HiName[j + 1] = std::move(table.HiName[j]);
    }
    std::string name = SanitizeName(nameCp932);
    table.HiScore[k] = points;
    table.HiName[k] = name.empty() ? std::string(kNoName) : std::move(name);
}

std::string SanitizeName(std::string_view nameCp932) {
    std::string kept;
    for (const char c : nameCp932) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte == 0x7F) continue;
        kept += c;
    }
    return TruncateName(kept);
}

}  // namespace sk
