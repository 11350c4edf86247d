// Replays in the window: the menu item, the last game and a record's replay
// written where they belong, watching on a core of its own.
#include "AppTestEnv.h"
#include "ShellFixture.h"
#include "app/MainMenu.h"
#include "app/ReplayWatch.h"
#include "app/PlayArea.h"
#include "app/ClientView.h"
#include "game/Replay.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

using apptest::ShellTest;

namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Puts the first enemy on the ship and plays on to the game over.
void CrashTheShip(sk::Game& game) {
    sk::Actor& enemy = game.S.Enemies[1];
    enemy.X = game.S.ShipX;
    enemy.Y = game.S.ShipY;
    enemy.Active = true;
    enemy.AppearAt = 0;
    for (int i = 0; i < 20 && !game.S.GameOver; ++i) game.AppIdle();
}

// Every item's and key's state, by name.
QStringList MenuStates(TMainForm& main) {
    QStringList states;
    for (QAction* item : main.findChildren<QAction*>()) {
        states << QStringLiteral("%1 %2%3%4").arg(item->objectName()).arg(item->isVisible()).arg(item->isEnabled()).arg(
                      item->isChecked());
    }
    for (QShortcut* key : main.findChildren<QShortcut*>()) {
        states << QStringLiteral("key %1 %2").arg(key->objectName()).arg(key->isEnabled());
    }
    return states;
}

}  // namespace

TEST_F(ShellTest, ReplayItemHasAMnemonicOfItsOwnAndActsOnlyOnTheTitle) {
    Start();
    QAction* item = Main().Menu().Item(QStringLiteral("ReplayB"));
    ASSERT_NE(item, nullptr);
    std::set<QChar> mnemonics;
    for (QAction* action : Main().findChild<QMenu*>(QStringLiteral("GameB"))->actions()) {
        const QString text = action->text();
        const qsizetype amp = text.indexOf(QLatin1Char('&'));
        if (amp >= 0) EXPECT_TRUE(mnemonics.insert(text.at(amp + 1).toUpper()).second) << text.toStdString();
    }
    EXPECT_TRUE(item->isEnabled());
    Press(Qt::Key_F1);
    EXPECT_FALSE(item->isEnabled());
}

TEST_F(ShellTest, AGameLeavesLastReplayAndARecordKeepsItsOwnThroughTheQuit) {
    Start();
    Game().HighScores.HiScore.fill(0);
    Press(Qt::Key_F1);
    CrashTheShip(Game());
    ASSERT_TRUE(Game().S.GameOver);
    ASSERT_TRUE(fs::exists(apptest::RunDir() / "Replays/last.skr"));
    ASSERT_TRUE(Windows().EnterScore.isVisible());
    Windows().EnterScore.findChild<QLineEdit*>(QStringLiteral("PName"))->setText(QStringLiteral("Ann"));
    Windows().EnterScore.findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
    EXPECT_TRUE(Game().Replays.Slots[0].Present());

    Press(Qt::Key_F9);
    const std::string index = ReadText(apptest::RunDir() / "Replays/index.txt");
    const std::size_t kept = index.find("kept-");
    ASSERT_NE(kept, std::string::npos) << index;
    const std::string file = index.substr(kept, index.find('\n', kept) - kept);
    EXPECT_EQ(ReadText(apptest::RunDir() / "Replays" / file), ReadText(apptest::RunDir() / "Replays/last.skr"));
}

TEST_F(ShellTest, WatchingIgnoresPlayerInputAndEndsOnEscBackOnTheTitle) {
    Start();
    Press(Qt::Key_F1);
    for (int i = 0; i < 30; ++i) Game().AppIdle();
    Press(Qt::Key_F2);
    ASSERT_TRUE(Main().WatchReplayFile(QString::fromStdString((apptest::RunDir() / "Replays/last.skr").string())));
    ASSERT_NE(Main().Watching(), nullptr);

    const int targetX = Game().S.TargetX;
    emit Main().View().MainScreen()->MouseMoved(400, 300);
    EXPECT_EQ(Game().S.TargetX, targetX);
    Press(Qt::Key_4);
    EXPECT_EQ(Main().Watching()->Speed(), 4);
    Press(Qt::Key_F3);
    EXPECT_TRUE(Main().Watching()->Paused());
    Press(Qt::Key_F1);  // the game's own commands wait for the title
    EXPECT_TRUE(Game().S.TitleMode);
    Press(Qt::Key_Escape);
    EXPECT_EQ(Main().Watching(), nullptr);
    EXPECT_TRUE(Game().S.TitleMode);
}

TEST_F(ShellTest, WatchingGreysWhatWaitsForTheTitleAndItsEndGivesEveryItemBack) {
    Start();
    Press(Qt::Key_F1);
    for (int i = 0; i < 30; ++i) Game().AppIdle();
    Press(Qt::Key_F2);
    const QStringList onTitle = MenuStates(Main());
    ASSERT_TRUE(Main().WatchReplayFile(QString::fromStdString((apptest::RunDir() / "Replays/last.skr").string())));

    sk::MainMenu& menu = Main().Menu();
    for (const char* name : {"StartBot", "HScoreB", "ReplayB", "SpeedB", "PlayOptionsB", "AboutB"}) {
        EXPECT_FALSE(menu.Item(name)->isEnabled()) << name;
    }
    for (const char* name : {"StartBot", "HScoreB", "SpeedB", "AboutB"}) EXPECT_FALSE(menu.Key(name)->isEnabled()) << name;
    for (const char* name : {"ResetB", "Exit1"}) EXPECT_TRUE(menu.Item(name)->isEnabled()) << name;
    EXPECT_TRUE(menu.Key("StopB")->isEnabled());
    Press(Qt::Key_F2);
    EXPECT_EQ(Main().Watching(), nullptr);
    EXPECT_EQ(MenuStates(Main()), onTitle);
}

TEST_F(ShellTest, AFileThatIsNoReplayIsRefusedWithAMessage) {
    Start();
    const fs::path file = apptest::RunDir() / "Data/Stage1.dat";
    EXPECT_FALSE(Main().WatchReplayFile(QString::fromStdString(file.string())));
    EXPECT_EQ(Main().Watching(), nullptr);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_TRUE(boxes_[0].Text.contains(QStringLiteral("not a replay")));
}
