#include "sound/ProbeProcess.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace sonobox {
namespace {

// A driver's name is short; more than this is no answer.
constexpr std::size_t kLongestAnswer = 256;

// How the probe is started: the pipe as its standard output, nothing
// else of ours open, every signal at its default and none blocked.
class SpawnSettings {
public:
    explicit SpawnSettings(int answerFd) {
        ::posix_spawn_file_actions_init(&actions_);
        ::posix_spawn_file_actions_adddup2(&actions_, answerFd, STDOUT_FILENO);
        ::posix_spawn_file_actions_addopen(&actions_, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        // SDL and the sound servers' client libraries talk on stderr; the
        // library's own stderr lines stay the only ones.
        ::posix_spawn_file_actions_addopen(&actions_, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        ::posix_spawn_file_actions_addclosefrom_np(&actions_, STDERR_FILENO + 1);
        ::posix_spawnattr_init(&attributes_);
        sigset_t none;
        sigset_t all;
        sigemptyset(&none);
        sigfillset(&all);
        ::posix_spawnattr_setsigmask(&attributes_, &none);
        ::posix_spawnattr_setsigdefault(&attributes_, &all);
        ::posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    }
    ~SpawnSettings() {
        ::posix_spawnattr_destroy(&attributes_);
        ::posix_spawn_file_actions_destroy(&actions_);
    }
    SpawnSettings(const SpawnSettings&) = delete;
    SpawnSettings& operator=(const SpawnSettings&) = delete;

    const posix_spawn_file_actions_t* actions() const { return &actions_; }
    const posix_spawnattr_t* attributes() const { return &attributes_; }

private:
    posix_spawn_file_actions_t actions_;
    posix_spawnattr_t attributes_;
};

}  // namespace

std::unique_ptr<ProbeProcess> ProbeProcess::Start(const std::filesystem::path& program, const std::string& driver) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) return nullptr;
    const std::string file = program.string();
    const std::string parent = std::to_string(::getpid());
    char* argv[] = {const_cast<char*>(file.c_str()), const_cast<char*>(parent.c_str()),
                    const_cast<char*>(driver.c_str()), nullptr};
    pid_t pid = 0;
    int error = 0;
    {
        const SpawnSettings settings(ends[1]);
        error = ::posix_spawn(&pid, file.c_str(), settings.actions(), settings.attributes(), argv, environ);
    }
    ::close(ends[1]);
    if (error != 0) {
        ::close(ends[0]);
        return nullptr;
    }
    return std::unique_ptr<ProbeProcess>(new ProbeProcess(pid, ends[0]));
}

ProbeProcess::~ProbeProcess() {
    ::close(fd_);
    // Still opening, or already gone: either way nothing of it stays.
    ::kill(pid_, SIGKILL);
    while (::waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
    }
}

bool ProbeProcess::ReadAnswer() {
    char buffer[128];
    const ssize_t got = ::read(fd_, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) return false;
    if (got <= 0) return true;
    received_.append(buffer, static_cast<std::size_t>(got));
    whole_ = received_.find('\n') != std::string::npos;
    return whole_ || received_.size() > kLongestAnswer;
}

std::optional<std::string> ProbeProcess::opened() const {
    if (!whole_) return std::nullopt;
    const std::string line = received_.substr(0, received_.find('\n'));
    if (line.empty() || line == "-") return std::nullopt;
    return line;
}

}  // namespace sonobox
