#include "sound/ChildProcess.h"
#include "sound/Report.h"

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
