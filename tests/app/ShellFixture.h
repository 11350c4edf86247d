// A freshly started program for each test: the six windows with recorders in
// place of the sound library, the message boxes and the process exit.
#pragma once

#include "app/AppWindows.h"
#include "app/MessageBoxes.h"

#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace apptest {

// Every sound call the program made, in order, e.g. "DsMake Wave\Bullet.wav 0".
std::vector<std::string>& SoundCalls();

struct Box {
    sk::BoxKind Kind;
    QString Caption, Text;
};

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes the windows and shows the main window (start-up runs).
    void Start();
    TMainForm& Main() { return windows_->MainForm; }
    AppWindows& Windows() { return *windows_; }
    sk::Game& Game() { return windows_->MainForm.game(); }
    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Runs `inspect` on the next modal dialog once it is open, then lets
    // `finish` close it (reject() when empty).
    void WhenModalOpens(std::function<void(QWidget*)> inspect, std::function<void(QWidget*)> finish = {});

    std::vector<int> exitCodes_;
    std::vector<Box> boxes_;
    std::unique_ptr<AppWindows> windows_;
};

}  // namespace apptest
