#include "sound/OutputSearch.h"

#include "sound/ProbeProcess.h"
#include "sound/Report.h"
#include "sound/Texts.h"

#include <SDL.h>

#include <dlfcn.h>
#include <poll.h>
#include <strings.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace sonobox {
namespace {

using Clock = std::chrono::steady_clock;

static_assert(kSearchDeadline == std::chrono::seconds(2), "the line for a driver left out says 2 s");

// SDL's own choice would give up on a PipeWire system without its
// PulseAudio server after ALSA fails.
constexpr const char* kDriverOrder[] = {"pulseaudio", "pipewire", "alsa", ""};

std::optional<std::filesystem::path>& ProbeOverride() {
    static std::optional<std::filesystem::path> program;
    return program;
}

bool CannotBlock(const std::string& driver) {
    return strcasecmp(driver.c_str(), "dummy") == 0 || strcasecmp(driver.c_str(), "disk") == 0;
}

std::vector<std::string> Candidates() {
    const char* chosen = SDL_GetHint(SDL_HINT_AUDIODRIVER);
    if (chosen == nullptr || chosen[0] == '\0') return {std::begin(kDriverOrder), std::end(kDriverOrder)};
    std::vector<std::string> drivers;
    std::string list(chosen);
    for (std::size_t start = 0; start <= list.size();) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        if (comma > start) drivers.push_back(list.substr(start, comma - start));
        start = comma + 1;
    }
    return drivers;
}

// The folder of the file this code was loaded from: the library, or a
// program that links it statically (named as it was started).
std::filesystem::path OwnFolder() {
    Dl_info info{};
    if (::dladdr(reinterpret_cast<void*>(&OwnFolder), &info) == 0 || info.dli_fname == nullptr) return {};
    std::filesystem::path file(info.dli_fname);
    std::error_code error;
    if (file.is_relative()) file = std::filesystem::read_symlink("/proc/self/exe", error);
    return file.parent_path();
}

std::filesystem::path ProbeProgram() {
    if (ProbeOverride()) return *ProbeOverride();
    return OwnFolder() / SONOBOX_PROBE_NAME;
}

struct Attempt {
    enum class State { Waiting, Probing, Opened, Failed };
    std::string driver;
    State state = State::Waiting;
    std::unique_ptr<ProbeProcess> probe;
    std::string opened;  // the driver's name as SDL gives it
};
using State = Attempt::State;

void Begin(Attempt& attempt, const std::filesystem::path& program) {
    if (CannotBlock(attempt.driver)) {
        attempt.state = State::Opened;
        attempt.opened = attempt.driver;
        return;
    }
    attempt.probe = ProbeProcess::Start(program, attempt.driver);
    attempt.state = attempt.probe ? State::Probing : State::Failed;
}

void Conclude(Attempt& attempt) {
    const std::optional<std::string> opened = attempt.probe->opened();
    attempt.probe.reset();
    attempt.state = opened ? State::Opened : State::Failed;
    attempt.opened = opened.value_or("");
}

// The first in order that opened, once all before it failed; "" while one
// before it is undecided; nullopt when every one failed.
std::optional<std::string> Verdict(const std::vector<Attempt>& attempts) {
    for (const Attempt& attempt : attempts) {
        if (attempt.state == State::Opened) return attempt.opened;
        if (attempt.state != State::Failed) return "";
    }
    return std::nullopt;
}

void WaitForAnswers(std::vector<Attempt>& attempts, Clock::time_point until) {
    std::vector<pollfd> waits;
    std::vector<Attempt*> probing;
    for (Attempt& attempt : attempts) {
        if (attempt.state != State::Probing) continue;
        waits.push_back({attempt.probe->fd(), POLLIN, 0});
        probing.push_back(&attempt);
    }
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - Clock::now());
    if (::poll(waits.data(), waits.size(), static_cast<int>(std::max<std::int64_t>(left.count(), 0))) <= 0) return;
    for (std::size_t i = 0; i < waits.size(); ++i) {
        if (waits[i].revents != 0 && probing[i]->probe->ReadAnswer()) Conclude(*probing[i]);
    }
}

// At the deadline: a probe still going has failed; a driver not yet tried
// counts only when it cannot block.
void GiveUpOnTheRest(std::vector<Attempt>& attempts) {
    for (Attempt& attempt : attempts) {
        if (attempt.state == State::Probing) {
            attempt.probe.reset();
            attempt.state = State::Failed;
            Diagnostic((text::kOutputTimeout + (attempt.driver.empty() ? text::kSdlOwnChoice : attempt.driver)).c_str());
        } else if (attempt.state == State::Waiting) {
            attempt.state = CannotBlock(attempt.driver) ? State::Opened : State::Failed;
            attempt.opened = attempt.driver;
        }
    }
}

bool NoneProbing(const std::vector<Attempt>& attempts) {
    return std::none_of(attempts.begin(), attempts.end(),
                        [](const Attempt& attempt) { return attempt.state == State::Probing; });
}

// The driver that opened, by the rules of OpenAudioOutput; the probes still
// running at the end are killed.
std::optional<std::string> ProbeInOrder(const std::filesystem::path& program, const std::vector<std::string>& drivers) {
    std::vector<Attempt> attempts(drivers.size());
    for (std::size_t i = 0; i < drivers.size(); ++i) attempts[i].driver = drivers[i];
    const Clock::time_point deadline = Clock::now() + kSearchDeadline;
    Clock::time_point nextStart = Clock::now();
    std::size_t next = 0;
    for (;;) {
        const std::optional<std::string> verdict = Verdict(attempts);
        if (!verdict || !verdict->empty()) return verdict;
        const Clock::time_point now = Clock::now();
        if (now >= deadline) {
            GiveUpOnTheRest(attempts);
        } else if (next < attempts.size() && (now >= nextStart || NoneProbing(attempts))) {
            Begin(attempts[next++], program);
            nextStart = now + kNextProbeAfter;
        } else {
            WaitForAnswers(attempts, next < attempts.size() ? std::min(deadline, nextStart) : deadline);
        }
    }
}

// The drivers to bring up here, in turn, until one opens.
std::vector<std::string> DriversToOpen() {
    const std::vector<std::string> candidates = Candidates();
    if (candidates.empty()) return {};
    if (CannotBlock(candidates.front())) return {candidates.front()};
    const std::filesystem::path program = ProbeProgram();
    if (::access(program.c_str(), X_OK) != 0) {
        static bool told = false;
        if (!std::exchange(told, true)) Diagnostic((text::kNoProbe + program.string()).c_str());
        return candidates;
    }
    if (std::optional<std::string> opened = ProbeInOrder(program, candidates)) return {*opened};
    return {};
}

// Named drivers come up alone: SDL's own choice would first bring up
// whichever driver it likes, and that one could block.
bool StartSubsystemOn(const std::string& driver) {
    if (driver.empty()) return SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, driver.c_str(), SDL_HINT_OVERRIDE);
    const bool up = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    // Back to what the environment says.
    SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    return up;
}

}  // namespace

bool OpenAudioOutput(const std::function<bool()>& open) {
    if (SDL_WasInit(SDL_INIT_AUDIO) != 0) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
        if (open()) return true;
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    for (const std::string& driver : DriversToOpen()) {
        if (!StartSubsystemOn(driver)) continue;
        if (open()) return true;
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    return false;
}

void OverrideProbeProgram(std::optional<std::filesystem::path> program) { ProbeOverride() = std::move(program); }

}  // namespace sonobox
