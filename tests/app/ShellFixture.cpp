#include "ShellFixture.h"

#include "AppTestEnv.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

#include <filesystem>

namespace apptest {

std::vector<std::string>& SoundCalls() {
    static std::vector<std::string> calls;
    return calls;
}

namespace {

void Record(std::string call) { SoundCalls().push_back(std::move(call)); }

TMainForm::Hooks RecordingHooks(std::vector<int>& exitCodes) {
    TMainForm::Hooks hooks;
    hooks.ExitProcess = [&exitCodes](int code) { exitCodes.push_back(code); };
    hooks.Sound = {
        .DsStart = [](void*) { Record("DsStart"); return 0; },
        .DsMake = [](const char* file, int slot) { Record("DsMake " + std::string(file) + " " + std::to_string(slot)); return 0; },
        .DsPlay = [](int slot, float, int) { Record("DsPlay " + std::to_string(slot)); },
        .DsEnd = [] { Record("DsEnd"); },
        .DmStart = [](void*) { Record("DmStart"); return 0; },
        .DmMake = [](const char* file) { Record("DmMake " + std::string(file)); return 0; },
        .DmPlay = [](int repeats) { Record("DmPlay " + std::to_string(repeats)); },
        .DmStop = [] { Record("DmStop"); },
        .DmEnd = [] { Record("DmEnd"); },
    };
    return hooks;
}

}  // namespace

void ShellTest::SetUp() {
    SoundCalls().clear();
    std::error_code error;
    std::filesystem::remove_all(SettingsFile(), error);
    std::filesystem::remove(RunDir() / "Data" / "Hi-Score.dat", error);
    std::filesystem::remove_all(RunDir() / "Replays", error);
    sk::SetMessageBoxHook([this](QWidget*, sk::BoxKind kind, const QString& caption, const QString& text) {
        boxes_.push_back({kind, caption, text});
    });
}

void ShellTest::TearDown() {
    windows_.reset();
    sk::SetMessageBoxHook({});
}

void ShellTest::Start() {
    windows_ = std::make_unique<AppWindows>(RecordingHooks(exitCodes_));
    Main().show();
    Main().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
}

void ShellTest::Press(int key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(&Main(), static_cast<Qt::Key>(key), modifiers);
}

void ShellTest::WhenModalOpens(std::function<void(QWidget*)> inspect, std::function<void(QWidget*)> finish) {
    auto* poll = new QTimer(&Main());
    QObject::connect(poll, &QTimer::timeout, poll, [poll, inspect, finish] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        poll->stop();
        poll->deleteLater();
        inspect(modal);
        if (finish) {
            finish(modal);
        } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        }
    });
    poll->start(5);
}

}  // namespace apptest
