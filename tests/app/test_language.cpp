// The language of the windows: the rule from the player's environment, the
// switch in "操作と表示" reaching every window at once, and every window's
// texts fitting their widgets in both languages with the real fonts.
#include "ShellFixture.h"
#include "app/Language.h"
#include "app/MainMenu.h"
#include "app/PlayOptionsBox.h"
#include "tests/app/LanguageKit.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QSettings>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using apptest::ShellTest;
using sk::Language;
using sk::UiLanguage;

namespace {

std::vector<std::string>& LanguageCalls() {
    static std::vector<std::string> calls;
    return calls;
}

QString Stored(const char* name) {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, "SK98").value(name).toString();
}

QString MenuTitle(TMainForm& main, const char* name) { return main.menuBar()->findChild<QMenu*>(name)->title(); }

}  // namespace

TEST(LanguageRule, AutomaticFollowsTheFirstPreferredLanguageAndAChoiceStands) {
    const struct {
        Language choice;
        QStringList preferred;
        UiLanguage expected;
    } cases[] = {
        {Language::Automatic, {}, UiLanguage::Japanese},
        {Language::Automatic, {"C"}, UiLanguage::Japanese},
        {Language::Automatic, {"POSIX"}, UiLanguage::Japanese},
        {Language::Automatic, {"ja-JP", "ja-Jpan-JP", "ja"}, UiLanguage::Japanese},
        {Language::Automatic, {"ja", "en"}, UiLanguage::Japanese},
        {Language::Automatic, {"en-US", "en"}, UiLanguage::English},
        {Language::Automatic, {"de", "ja"}, UiLanguage::English},
        {Language::Automatic, {"fr-FR"}, UiLanguage::English},
        {Language::Japanese, {"en-US"}, UiLanguage::Japanese},
        {Language::English, {"ja-JP"}, UiLanguage::English},
        {Language::English, {}, UiLanguage::English},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sk::ResolveLanguage(c.choice, c.preferred), c.expected)
            << static_cast<int>(c.choice) << " " << c.preferred.join(',').toStdString();
    }
}

// The rule against the real environment, in a fresh process each time (Qt
// reads the environment once): this test program answers with the code.
TEST(LanguageRule, TheEnvironmentChoosesTheLanguage) {
    const struct {
        QStringList environment;
        const char* expected;
    } cases[] = {
        {{"LANGUAGE=en_US:en", "LANG=en_US.UTF-8"}, "en"},
        {{"LANG=C.UTF-8"}, "ja"},
        {{"LANG=ja_JP.UTF-8"}, "ja"},
        {{}, "ja"},
        {{"LANGUAGE=de:ja", "LANG=ja_JP.UTF-8"}, "en"},
        {{"LC_ALL=fr_FR.UTF-8", "LANG=ja_JP.UTF-8"}, "en"},
        {{"LC_MESSAGES=ja_JP.UTF-8", "LANG=en_US.UTF-8"}, "ja"},
    };
    for (const auto& c : cases) {
        QProcess probe;
        probe.setEnvironment(c.environment);
        probe.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--automatic-language")});
        ASSERT_TRUE(probe.waitForFinished(30000));
        EXPECT_EQ(probe.readAllStandardOutput().trimmed().toStdString(), c.expected)
            << c.environment.join(' ').toStdString();
    }
}

class LanguageSwitch : public ShellTest {
protected:
    void TearDown() override {
        sk::UseLanguage(UiLanguage::Japanese);
        ShellTest::TearDown();
    }
    QAbstractButton* Item(QWidget* box, Language language) {
        return box->findChild<QAbstractButton*>(QStringLiteral("LanguageItem%1").arg(static_cast<int>(language)));
    }
};

// A choice applies at once to the open dialog, the main window and the
// hidden windows, and to the sound library; cancel takes it back, OK stores it.
TEST_F(LanguageSwitch, AChoiceSpeaksAtOnceEverywhereCancelTakesItBackOkStoresIt) {
    Start();
    LanguageCalls().clear();
    Main().SoundHooks().SetLanguage = [](const char* code) { LanguageCalls().emplace_back(code); };
    TPropatyBox& settings = Windows().PropatyBox;

    QString dialogTitle, menuTitle, settingsTitle;
    WhenModalOpens([&](QWidget* box) {
        Item(box, Language::English)->click();
        dialogTitle = box->windowTitle();
        menuTitle = MenuTitle(Main(), "GameB");
        settingsTitle = settings.windowTitle();
    });
    Main().PlayOptionsBClick();
    EXPECT_EQ(dialogTitle, "Controls and Display");
    EXPECT_EQ(menuTitle, "&Game");
    EXPECT_EQ(settingsTitle, "Settings");
    EXPECT_EQ(MenuTitle(Main(), "GameB"), QStringLiteral("ゲーム(&G)"));  // cancelled
    // Qt's own texts (the edit box's menu) follow through Debian's translations.
    EXPECT_EQ(QCoreApplication::translate("QLineEdit", "&Undo"), QStringLiteral("元に戻す(&U)"));
    EXPECT_EQ(LanguageCalls(), (std::vector<std::string>{"en", "ja"}));
    EXPECT_TRUE(Stored("Language").isEmpty());

    WhenModalOpens([&](QWidget* box) { Item(box, Language::English)->click(); },
                   [](QWidget* box) { static_cast<QDialog*>(box)->accept(); });
    Main().PlayOptionsBClick();
    EXPECT_EQ(Stored("Language"), "2");
    EXPECT_EQ(Main().Extras().Lang, Language::English);
    EXPECT_EQ(Main().Menu().Item("AboutB")->text().section('\t', 0, 0), "&Version Info");
    EXPECT_EQ(settings.findChild<QAbstractButton*>("BitBtn2")->text(), "Cancel");
    EXPECT_EQ(QCoreApplication::translate("QLineEdit", "&Undo"), "&Undo");

    // The core's texts follow too.
    Main().ShowMessage({sk::text::kProgramTitle, sk::text::kStageUnreadable, "Data/Stage3.dat"});
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].Caption, "Skarbolt 98");
    EXPECT_EQ(boxes_[0].Text, "Could not read the stage data: Data/Stage3.dat");
}

// One check per window: in each language no caption is wider than its
// widget or sticks out of its parent.
class WindowTexts : public ShellTest, public ::testing::WithParamInterface<const char*> {
protected:
    void TearDown() override {
        sk::UseLanguage(UiLanguage::Japanese);
        ShellTest::TearDown();
    }
};

TEST_P(WindowTexts, NothingIsClippedInEitherLanguage) {
    Start();
    for (const UiLanguage language : {UiLanguage::Japanese, UiLanguage::English}) {
        sk::UseLanguage(language);
        for (QWidget* window : apptest::LanguageWindows(Windows(), GetParam())) {
            EXPECT_EQ(apptest::ClippedTexts(window).join('\n').toStdString(), "")
                << GetParam() << " in " << sk::LanguageCode(language);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryWindow, WindowTexts,
                         ::testing::Values("MainForm", "PropatyBox", "PlayOptionsBox", "KeyBindingsBox", "HighScoreForm",
                                           "EnterScore", "AboutBox", "LoadForm", "ReplayListBox"));
