// The search for an audio output against a sound stack that really blocks:
// PipeWire started alone, without a session manager, in a private runtime
// folder, where SDL's PipeWire driver waits for ever for its device. Nothing
// is timed here; ctest's timeout is the only watchdog.
#include "EnvSetting.h"
#include "SoundFixture.h"

#include "sound/OutputSearch.h"
#include "sound/Texts.h"

#include <SDL.h>

#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <thread>
#include <vector>

using soundtest::EnvSetting;
namespace text = sonobox::text;

namespace {

std::string Line(const std::string& text) { return text + "\n"; }

class OutputSearch : public SoundFixture {
protected:
    void SetUp() override {
        SoundFixture::SetUp();
        sonobox::OverrideProbeProgram(SONOBOX_TEST_PROBE);
    }
    void TearDown() override {
        SoundFixture::TearDown();
        sonobox::OverrideProbeProgram(std::nullopt);
    }
    void Set(const char* name, const char* value) { env_.push_back(std::make_unique<EnvSetting>(name, value)); }

private:
    // No PulseAudio server, and none started on demand.
    EnvSetting pulse_{"PULSE_SERVER", "unix:/nonexistent/sonobox-test/native"};
    std::vector<std::unique_ptr<EnvSetting>> env_;
};

class PipeWireAlone : public OutputSearch {
protected:
    void SetUp() override {
        OutputSearch::SetUp();
        const std::filesystem::path runtime = dir_ / "run";
        std::filesystem::create_directory(runtime);
        std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
        Set("XDG_RUNTIME_DIR", runtime.c_str());
        Set("XDG_CONFIG_HOME", dir_.c_str());
        Set("PIPEWIRE_RUNTIME_DIR", nullptr);
        Set("PIPEWIRE_REMOTE", nullptr);
        posix_spawn_file_actions_t quiet;
        posix_spawn_file_actions_init(&quiet);
        posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&quiet, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        char* argv[] = {const_cast<char*>("pipewire"), nullptr};
        pid_t pid = 0;
        const int error = posix_spawnp(&pid, "pipewire", &quiet, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&quiet);
        if (error != 0) GTEST_SKIP() << "pipewire is not installed";
        pipewire_ = pid;
        while (!std::filesystem::exists(runtime / "pipewire-0")) {
            ASSERT_EQ(waitpid(pipewire_, nullptr, WNOHANG), 0) << "pipewire ended at its start";
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    void TearDown() override {
        OutputSearch::TearDown();
        if (pipewire_ <= 0) return;
        kill(pipewire_, SIGTERM);
        waitpid(pipewire_, nullptr, 0);
    }

    pid_t pipewire_ = 0;
};

}  // namespace

TEST_F(PipeWireAlone, TheDriverThatHangsIsNamedAndTheNextOneTaken) {
    Set("SDL_AUDIODRIVER", "pipewire,dummy");
    EXPECT_EQ(StderrOf([] { EXPECT_EQ(DsStart(nullptr), 0); }), Line(text::kOutputTimeout + std::string("pipewire")));
    EXPECT_STREQ(SDL_GetCurrentAudioDriver(), "dummy");
}

TEST_F(PipeWireAlone, WithNothingElseTheEffectsFailAsUsualAndTheMusicTakesThatAnswer) {
    Set("SDL_AUDIODRIVER", nullptr);
    // ALSA without a single device, whatever the machine has.
    std::ofstream(dir_ / "alsa.conf").flush();
    Set("ALSA_CONFIG_PATH", (dir_ / "alsa.conf").c_str());
    const std::string effects = StderrOf([] { EXPECT_EQ(DsStart(nullptr), 1); });
    EXPECT_NE(effects.find(Line(text::kOutputTimeout + std::string("pipewire"))), std::string::npos) << effects;
    EXPECT_TRUE(effects.ends_with(Line(text::kDeviceCreate))) << effects;
    EXPECT_EQ(StderrOf([] { EXPECT_EQ(DmStart(nullptr), 1); }), Line(text::kOwnDevice) + Line(text::kSynthInit));
}

TEST_F(PipeWireAlone, TheMusicsOwnOutputIsFoundTheSameWay) {
    Set("SDL_AUDIODRIVER", "pipewire,dummy");
    EXPECT_EQ(StderrOf([] { EXPECT_EQ(DmStart(nullptr), 0); }),
              Line(text::kOutputTimeout + std::string("pipewire")) + Line(text::kOwnDevice));
    EXPECT_STREQ(SDL_GetCurrentAudioDriver(), "dummy");
}

TEST_F(OutputSearch, WithoutTheProbeTheDriversAreTriedHereAndThatIsSaidOnce) {
    const std::filesystem::path missing = dir_ / "sonobox-probe";
    sonobox::OverrideProbeProgram(missing);
    Set("SDL_AUDIODRIVER", "pulseaudio,dummy");
    EXPECT_EQ(StderrOf([] { EXPECT_EQ(DsStart(nullptr), 0); }), Line(text::kNoProbe + missing.string()));
    EXPECT_STREQ(SDL_GetCurrentAudioDriver(), "dummy");
    DsEnd();
    EXPECT_EQ(StderrOf([] { EXPECT_EQ(DsStart(nullptr), 0); }), "");
}
