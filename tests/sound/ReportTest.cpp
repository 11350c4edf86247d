#include "sound/ChildProcess.h"
#include "sound/Report.h"
#include "sound/Texts.h"
#include "sound/sonobox_language.h"

#include "EnvSetting.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <optional>
#include <string>

using soundtest::EnvSetting;

namespace {

std::string StderrOfMessage(const char* text) {
    ::testing::internal::CaptureStderr();
    sonobox::ShowMessage(text);
    return ::testing::internal::GetCapturedStderr();
}

}  // namespace

TEST(Report, WithoutADisplayAMessageIsOneLineOnStderr) {
    EnvSetting dialogs("SONOBOX_NO_DIALOGS", nullptr);
    EnvSetting display("DISPLAY", nullptr);
    EnvSetting wayland("WAYLAND_DISPLAY", nullptr);
    EXPECT_EQ(StderrOfMessage("first\nsecond"), "first second\n");
}

TEST(Report, AWindowThatCannotBeShownFallsBackToStderr) {
    EnvSetting dialogs("SONOBOX_NO_DIALOGS", nullptr);
    EnvSetting display("DISPLAY", ":nowhere.0");
    EnvSetting wayland("WAYLAND_DISPLAY", nullptr);
    EXPECT_EQ(StderrOfMessage("lost"), "lost\n");
}

TEST(Report, TheSwitchKeepsMessagesOffTheDisplay) {
    EnvSetting dialogs("SONOBOX_NO_DIALOGS", "1");
    EnvSetting display("DISPLAY", ":0");
    EXPECT_EQ(StderrOfMessage("quiet"), "quiet\n");
}

TEST(Report, DiagnosticsAreLinesOnStderr) {
    ::testing::internal::CaptureStderr();
    sonobox::Diagnostic("YES");
    sonobox::Diagnostic("NO");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "YES\nNO\n");
}

// The host's language hook picks the texts of both kinds; texts of others
// (and "YES") stay as they are.
TEST(Report, TheHostsLanguageChoosesTheTexts) {
    EnvSetting dialogs("SONOBOX_NO_DIALOGS", "1");
    const struct {
        const char* language;
        const char* message;
        const char* diagnostic;
    } cases[] = {
        {"en", "Could not read the WAV file\n", "YES\nCould not load the segment (MIDI file)\nfree\n"},
        {"en_US.UTF-8", "Could not read the WAV file\n", "YES\nCould not load the segment (MIDI file)\nfree\n"},
        {"ja", "Wavファイルの読込みに失敗\n", "YES\nセグメント（MIDIファイル）のロードに失敗\nfree\n"},
        {"eng", "Wavファイルの読込みに失敗\n", "YES\nセグメント（MIDIファイル）のロードに失敗\nfree\n"},
        {nullptr, "Wavファイルの読込みに失敗\n", "YES\nセグメント（MIDIファイル）のロードに失敗\nfree\n"},
    };
    for (const auto& c : cases) {
        SonoboxSetLanguage(c.language);
        EXPECT_EQ(StderrOfMessage(sonobox::text::kWaveOpen), c.message);
        ::testing::internal::CaptureStderr();
        for (const char* text : {sonobox::text::kSharedDevice, sonobox::text::kPieceLoad, "free"}) {
            sonobox::Diagnostic(text);
        }
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), c.diagnostic);
    }
}

// The message box's process: it must not keep the caller's descriptors
// (a lock among them) and must end when the caller ends, and so must the
// process the box library forks in turn.
TEST(ChildProcess, HoldsNoInheritedDescriptorAndDiesWithItsParent) {
    const int lock = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    ASSERT_GE(lock, 3);
    const auto diesWithParent = [] {
        int signal = 0;
        return ::prctl(PR_GET_PDEATHSIG, &signal) == 0 && signal == SIGKILL;
    };
    EXPECT_EQ(sonobox::RunInChild([&] {
                  if (::fcntl(lock, F_GETFD) != -1 || !diesWithParent()) return 1;
                  const pid_t grandchild = ::fork();
                  if (grandchild == 0) ::_exit(diesWithParent() ? 0 : 1);
                  int status = 0;
                  ::waitpid(grandchild, &status, 0);
                  return WIFEXITED(status) ? 2 * WEXITSTATUS(status) : 4;
              }),
              0);
    EXPECT_EQ(sonobox::RunInChild([] { return 7; }), 7);
    ::close(lock);
}
