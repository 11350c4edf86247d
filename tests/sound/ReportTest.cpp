#include "sound/Report.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace {

// Sets or clears one environment variable while it lives.
class EnvSetting {
public:
    EnvSetting(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value != nullptr) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    ~EnvSetting() {
        if (old_) {
            setenv(name_, old_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

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
