// The main window: start-up, menus and their keys, pauses across the dialogs,
// the frame clock, mouse input, and the saves of the quit command and of every
// other close.
#include "AppTestEnv.h"
#include "ShellFixture.h"
#include "app/ClientView.h"
#include "app/MainMenu.h"
#include "app/FrameGate.h"
#include "app/PlayArea.h"
#include "app/SettingsStore.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QTest>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

using apptest::ShellTest;
using apptest::SoundCalls;

namespace {

int CountOf(const std::string& call) { return static_cast<int>(std::count(SoundCalls().begin(), SoundCalls().end(), call)); }

int LinesIn(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::string line;
    int lines = 0;
    while (std::getline(in, line)) ++lines;
    return lines;
}

// A game over whose score ranks: the name entry opens.
void EndWithARecord(sk::Game& game) {
    game.HighScores.HiScore.fill(0);
    game.S.Score = 800;
    game.CheckNewRecord();
}

}  // namespace

TEST_F(ShellTest, StartUpMakesAFixedCentredWindowAndRunsTheSequenceOnce) {
    Start();
    EXPECT_EQ(Main().windowTitle(), "Skarbolt 98");
    EXPECT_EQ(Main().centralWidget()->size(), QSize(632, 434));
    EXPECT_EQ(Main().minimumSize(), Main().maximumSize());
    EXPECT_FALSE(Main().windowFlags() & Qt::WindowCloseButtonHint);

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(Main().frameGeometry().topLeft(),
              QPoint(screen.x() + (screen.width() - 640) / 2, screen.y() + (screen.height() - 434) / 2));

    const std::vector<std::string> expected = {
        "DsStart", "DmStart", "DsMake Wave\\Bullet.wav 0", "DsMake Wave\\Explode.wav 1", "DsMake Wave\\CpuExp.wav 2",
        "DmMake BGM\\Opening.mid", "DmPlay -1"};
    EXPECT_EQ(SoundCalls(), expected);
    EXPECT_TRUE(Game().S.TitleMode);
    EXPECT_TRUE(Main().Clock().Started());

    // Showing the window again does not start the game again.
    Main().hide();
    Main().show();
    EXPECT_EQ(CountOf("DsMake Wave\\Bullet.wav 0"), 1);

    for (QWidget* other : std::initializer_list<QWidget*>{&Windows().PropatyBox, &Windows().HighScoreForm,
                                                          &Windows().EnterScore, &Windows().AboutBox,
                                                          &Windows().LoadForm}) {
        EXPECT_FALSE(other->isVisible()) << other->metaObject()->className();
    }
}

// The dialogs get native windows of their own before they are shown (to be
// placed); the main window's menu bar and client still draw into the
// window's own surface, where Wayland takes their repaints in its coordinates.
TEST_F(ShellTest, TheMenuBarAndClientGetNoNativeWindowsOfTheirOwn) {
    Start();
    ASSERT_NE(Windows().LoadForm.internalWinId(), 0u);
    EXPECT_EQ(Main().menuBar()->internalWinId(), 0u);
    EXPECT_EQ(Main().centralWidget()->internalWinId(), 0u);
    EXPECT_EQ(Main().View().MainScreen()->internalWinId(), 0u);
}

TEST_F(ShellTest, MusicOffInTheSettingsLoadsButDoesNotPlayTheOpening) {
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "SK98").setValue("MidiOut", "0");
    Start();
    EXPECT_EQ(CountOf("DmMake BGM\\Opening.mid"), 1);
    EXPECT_EQ(CountOf("DmPlay -1"), 0);
}

TEST_F(ShellTest, MenuShowsEveryCaptionWithItsKey) {
    Start();
    const std::pair<const char*, const char*> items[] = {
        {"StartBot", "開始(&S)\tF1"},        {"HScoreB", "ハイスコア(&H)\tF4"},  {"ResetB", "リセット(&R)\tF2"},
        {"StopB", "一時停止(&P)\tF3"},       {"Exit1", "終了(&E)\tF9"},          {"SpeedB", "詳細設定(&S)\tF5"},
        {"ScrollB", "高速スクロール\tCtrl+Q"}, {"SpecialB", "無敵\tCtrl+A"}, {"AboutB", "ﾊﾞｰｼﾞｮﾝ情報(&V)\tF7"},
    };
    for (const auto& [name, caption] : items) {
        QAction* item = Main().Menu().Item(name);
        ASSERT_NE(item, nullptr) << name;
        EXPECT_EQ(item->text(), QString::fromUtf8(caption));
    }
    QStringList titles;
    for (QAction* menu : Main().menuBar()->actions()) titles << menu->text();
    EXPECT_EQ(titles, QStringList({"ゲーム(&G)", "オプション(&O)", "ヘルプ(&H)"}));
    EXPECT_FALSE(Main().Menu().Item("StopB")->isVisible());
    EXPECT_FALSE(Main().Menu().Item("ScrollB")->isVisible());
    EXPECT_FALSE(Main().Menu().Item("SpecialB")->isEnabled());
}

TEST_F(ShellTest, MenusFollowTheGameFromTitleToPlayAndBack) {
    Start();
    Press(Qt::Key_F1);
    ASSERT_FALSE(Game().S.TitleMode);
    EXPECT_FALSE(Main().Menu().Item("StartBot")->isVisible());
    EXPECT_FALSE(Main().Menu().Key("StartBot")->isEnabled());
    EXPECT_TRUE(Main().Menu().Item("StopB")->isVisible());
    EXPECT_FALSE(Main().Menu().Item("HScoreB")->isVisible());
    EXPECT_EQ(Main().View().MainScreen()->height(), 404);
    auto* score = Main().findChild<QLabel*>("ScoreLabelW");
    ASSERT_NE(score, nullptr);
    EXPECT_TRUE(score->isVisibleTo(&Main()));
    EXPECT_EQ(score->textFormat(), Qt::PlainText);
    EXPECT_EQ(Main().findChild<QLabel*>("StageLabelW")->text(), "1");

    Press(Qt::Key_F2);
    EXPECT_TRUE(Game().S.TitleMode);
    EXPECT_TRUE(Main().Menu().Item("StartBot")->isVisible());
    EXPECT_TRUE(Main().Menu().Item("HScoreB")->isEnabled());
    EXPECT_FALSE(Main().Menu().Item("StopB")->isVisible());
    EXPECT_FALSE(Main().Menu().Key("StopB")->isEnabled());
    EXPECT_FALSE(score->isVisibleTo(&Main()));
    EXPECT_EQ(Main().View().MainScreen()->height(), 434);
}

TEST_F(ShellTest, F3WorksWhileItsItemIsHiddenUntilTheFirstReset) {
    Start();
    Press(Qt::Key_F3);
    EXPECT_TRUE(Game().S.Paused);
    Press(Qt::Key_F3);
    EXPECT_FALSE(Game().S.Paused);
    Press(Qt::Key_F3);

    // A game started now begins paused, with the item shown and checked.
    Press(Qt::Key_F1);
    EXPECT_TRUE(Game().S.Paused);
    EXPECT_TRUE(Main().Menu().Item("StopB")->isVisible());
    EXPECT_TRUE(Main().Menu().Item("StopB")->isChecked());

    Press(Qt::Key_F2);
    Press(Qt::Key_F3);
    EXPECT_FALSE(Game().S.Paused);
}

TEST_F(ShellTest, KeysOfDisabledItemsDoNothing) {
    Start();
    Press(Qt::Key_F1);
    const int stage = Game().S.StageNo;
    Press(Qt::Key_F1);
    EXPECT_EQ(Game().S.StageNo, stage);
    Press(Qt::Key_Q, Qt::ControlModifier);
    Press(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(Game().S.ScrollSpeed, 2);
    EXPECT_FALSE(Game().S.Invincible);
    // F4 (high scores) is disabled during a game: no dialog may open.
    bool opened = false;
    WhenModalOpens([&](QWidget*) { opened = true; });
    Press(Qt::Key_F4);
    EXPECT_FALSE(opened);
}

TEST_F(ShellTest, ClosingTheVersionDialogResumesAGamePausedBefore) {
    Start();
    Press(Qt::Key_F1);
    Press(Qt::Key_F3);
    ASSERT_TRUE(Game().S.Paused);
    bool pausedWhileOpen = false;
    WhenModalOpens([&](QWidget* dialog) {
        pausedWhileOpen = Game().S.Paused && dialog == &Windows().AboutBox;
    });
    Press(Qt::Key_F7);
    EXPECT_TRUE(pausedWhileOpen);
    EXPECT_FALSE(Game().S.Paused);
    EXPECT_FALSE(Main().Menu().Item("StopB")->isChecked());
    EXPECT_TRUE(Main().Clock().Armed());
}

TEST_F(ShellTest, CancellingTheSettingsResumesTheGame) {
    Start();
    Press(Qt::Key_F1);
    bool pausedWhileOpen = false;
    WhenModalOpens([&](QWidget* dialog) {
        pausedWhileOpen = Game().S.Paused && dialog == &Windows().PropatyBox;
    });
    Press(Qt::Key_F5);
    EXPECT_TRUE(pausedWhileOpen);
    EXPECT_FALSE(Game().S.Paused);
    EXPECT_FALSE(Main().Menu().Item("StopB")->isChecked());
}

TEST_F(ShellTest, TitleKeepsMovingBehindTheSettingsDialog) {
    Start();
    int framesWhileOpen = 0;
    auto* poll = new QTimer(&Main());
    const int before = Main().Clock().Frames();
    QObject::connect(poll, &QTimer::timeout, poll, [&, poll] {
        if (!Windows().PropatyBox.isVisible()) return;
        framesWhileOpen = Main().Clock().Frames() - before;
        if (framesWhileOpen > 2) {
            poll->stop();
            Windows().PropatyBox.reject();
        }
    });
    poll->start(5);
    Press(Qt::Key_F5);
    EXPECT_GT(framesWhileOpen, 2);
    EXPECT_TRUE(Game().S.TitleMode);
}

TEST_F(ShellTest, PausedGameLeavesTheClockIdleUntilUnpaused) {
    Start();
    Press(Qt::Key_F1);
    Press(Qt::Key_F3);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Main().Clock().Armed(); }, 10000));
    const int frames = Main().Clock().Frames();
    QTest::mouseMove(Main().View().MainScreen(), QPoint(100, 100));
    QTest::qWait(30);
    EXPECT_FALSE(Main().Clock().Armed());
    EXPECT_EQ(Main().Clock().Frames(), frames);
    Press(Qt::Key_F3);
    EXPECT_TRUE(Main().Clock().Armed());
}

TEST_F(ShellTest, MessageBoxesAndPulledDownMenusHoldTheFrames) {
    Start();
    bool heldDuringBox = false;
    sk::SetMessageBoxHook([&](QWidget*, sk::BoxKind, const QString&, const QString&) {
        heldDuringBox = !sk::FrameGate::Instance().IsOpen();
    });
    Main().ShowMessage({sk::text::kLapCaption, sk::text::kLapNormal, {}});
    EXPECT_TRUE(heldDuringBox);
    EXPECT_TRUE(sk::FrameGate::Instance().IsOpen());

    QMenu* gameMenu = Main().findChild<QMenu*>("GameB");
    ASSERT_NE(gameMenu, nullptr);
    gameMenu->popup(QPoint(0, 0));
    EXPECT_FALSE(sk::FrameGate::Instance().IsOpen());
    gameMenu->hide();
    EXPECT_TRUE(sk::FrameGate::Instance().IsOpen());
}

TEST_F(ShellTest, DoubleClickContinuesOnlyAfterGameOver) {
    Start();
    QTest::mouseDClick(Main().View().MainScreen(), Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_TRUE(Game().S.TitleMode);

    Press(Qt::Key_F1);
    Game().S.Score = 700;
    QTest::mouseDClick(Main().View().MainScreen(), Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(Game().S.Score, 700);

    Game().S.GameOver = true;
    QTest::mouseDClick(Main().View().MainScreen(), Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(Game().S.Score, 0);
    EXPECT_FALSE(Game().S.GameOver);
    EXPECT_EQ(Game().S.StageNo, 1);
}

TEST_F(ShellTest, LeftClickFiresAndMiddleClickOnlyRefreshesTheGauge) {
    Start();
    Press(Qt::Key_F1);
    const int gauge = Game().S.Shell.GaugeWidth;
    Game().S.Shell.GaugeWidth = 0;
    QTest::mouseClick(Main().View().MainScreen(), Qt::MiddleButton, {}, QPoint(200, 200));
    EXPECT_EQ(Game().S.ShotsInFlight, 0);
    EXPECT_EQ(Game().S.Shell.GaugeWidth, gauge);
    QTest::mouseClick(Main().View().MainScreen(), Qt::LeftButton, {}, QPoint(200, 200));
    EXPECT_EQ(Game().S.ShotsInFlight, 1);
    EXPECT_EQ(Main().findChild<QWidget*>("BulletLeftBar")->width(), gauge - 42);
}

TEST_F(ShellTest, QuitSavesTheScoresAndTheSettingsThenEnds) {
    Start();
    Press(Qt::Key_F9);
    EXPECT_EQ(LinesIn(apptest::RunDir() / "Data" / "Hi-Score.dat"), 10);
    const QSettings stored(QSettings::NativeFormat, QSettings::UserScope, "SK98");
    EXPECT_EQ(stored.value("MidiOut").toString(), "1");
    EXPECT_EQ(stored.value("Difficult").toString(), "4");
    EXPECT_EQ(exitCodes_, std::vector<int>{0});
    const auto end = std::find(SoundCalls().begin(), SoundCalls().end(), "DsEnd");
    ASSERT_NE(end, SoundCalls().end());
    EXPECT_EQ(*(end + 1), "DmEnd");
}

// The window manager's close box, Alt+F4, a signal: the same saves, no box.
TEST_F(ShellTest, AnyOtherCloseSavesBothQuietlyThenEnds) {
    Start();
    Game().S.SoundOn = false;
    Main().close();
    EXPECT_EQ(exitCodes_, std::vector<int>{0});
    EXPECT_EQ(CountOf("DsEnd"), 1);
    EXPECT_EQ(CountOf("DmEnd"), 1);
    EXPECT_EQ(LinesIn(apptest::RunDir() / "Data" / "Hi-Score.dat"), 10);
    EXPECT_EQ(QSettings(QSettings::NativeFormat, QSettings::UserScope, "SK98").value("WaveOut").toString(), "0");
    EXPECT_TRUE(boxes_.empty());
}

// A table the player made read-only is reported once, by the quit command;
// the close that follows writes nothing more.
TEST_F(ShellTest, AReadOnlyTableIsLeftAloneAndReportedOnceOnQuit) {
    const auto table = apptest::RunDir() / "Data" / "Hi-Score.dat";
    std::ofstream(table) << "Ro 5\n";
    std::filesystem::permissions(table, std::filesystem::perms::owner_read);
    Start();
    ::testing::internal::CaptureStderr();
    Press(Qt::Key_F9);
    const std::string errors = ::testing::internal::GetCapturedStderr();
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_TRUE(boxes_[0].Text.contains(QStringLiteral("読み取り専用"))) << boxes_[0].Text.toStdString();
    EXPECT_EQ(errors.find("not saved"), errors.rfind("not saved")) << errors;
    EXPECT_EQ(exitCodes_, std::vector<int>{0});
    EXPECT_EQ(LinesIn(table), 1);
    EXPECT_EQ(QSettings(QSettings::NativeFormat, QSettings::UserScope, "SK98").value("MidiOut").toString(), "1");
}

TEST_F(ShellTest, SettingsThatCannotBeWrittenAreReportedAndTheProgramStaysOpen) {
    Start();
    // A folder where the settings file should be: no value can be stored.
    std::filesystem::remove(apptest::SettingsFile());
    std::filesystem::create_directories(apptest::SettingsFile());
    Press(Qt::Key_F9);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].Kind, sk::BoxKind::Error);
    EXPECT_FALSE(boxes_[0].Text.isEmpty());
    EXPECT_TRUE(exitCodes_.empty());
    EXPECT_EQ(CountOf("DsEnd"), 0);
    EXPECT_EQ(LinesIn(apptest::RunDir() / "Data" / "Hi-Score.dat"), 10);
    EXPECT_TRUE(Main().Clock().Started());
}

TEST_F(ShellTest, GameOverWithARankingScoreOffersTheNameEntryWithoutStoppingTheGame) {
    Start();
    Press(Qt::Key_F1);
    EndWithARecord(Game());
    EXPECT_TRUE(Windows().EnterScore.isVisible());
    EXPECT_FALSE(Windows().EnterScore.isModal());
    EXPECT_TRUE(Game().S.NewRecord);
    EXPECT_TRUE(Main().Clock().Started());
}

TEST_F(ShellTest, PlayAreaShowsTheGamesScreenPixelForPixel) {
    Start();
    const QImage shown = Main().View().MainScreen()->grab().toImage();
    ASSERT_EQ(shown.size(), QSize(632, 434));
    const sk::Bitmap& screen = Game().Screen();
    for (const QPoint at : {QPoint(0, 0), QPoint(316, 150), QPoint(631, 433), QPoint(100, 300)}) {
        EXPECT_EQ(shown.pixel(at), screen.At(at.x(), at.y())) << at.x() << "," << at.y();
    }
}

TEST_F(ShellTest, MenuKeysActFromTheNameEntryButNotFromAModalDialog) {
    Start();
    Press(Qt::Key_F1);
    EndWithARecord(Game());
    TEnterScore& entry = Windows().EnterScore;
    entry.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &entry; }));
    QTest::keyClick(entry.focusWidget(), Qt::Key_F3);
    EXPECT_TRUE(Game().S.Paused);
    QTest::keyClick(entry.focusWidget(), Qt::Key_F2);
    EXPECT_TRUE(Game().S.TitleMode);
    EXPECT_TRUE(entry.isVisible());

    bool titleKept = false;
    WhenModalOpens([&](QWidget* dialog) {
        QTest::keyClick(dialog, Qt::Key_F1);
        titleKept = Game().S.TitleMode;
    });
    Press(Qt::Key_F5);
    EXPECT_TRUE(titleKept) << "F1 reached the main window through the settings dialog";
}

TEST_F(ShellTest, PauseItemShowsNothingBesideItUntilItIsChecked) {
    Start();
    Press(Qt::Key_F1);
    auto* menu = Main().findChild<QMenu*>("GameB");
    ASSERT_NE(menu, nullptr);
    // The strip left of the caption in the pause row against the reset row's.
    auto markColumn = [&](const char* item) {
        menu->popup(QPoint(0, 0));
        const QImage picture = menu->grab().toImage();
        menu->hide();
        const QRect row = menu->actionGeometry(Main().Menu().Item(item));
        return picture.copy(row.x() + 4, row.y() + 4, row.height() - 8, row.height() - 8);  // inside the menu's frame
    };
    EXPECT_EQ(markColumn("StopB"), markColumn("ResetB"));
    Press(Qt::Key_F3);
    EXPECT_NE(markColumn("StopB"), markColumn("ResetB"));
    Press(Qt::Key_F3);
    EXPECT_EQ(markColumn("StopB"), markColumn("ResetB"));
}

TEST_F(ShellTest, TheMainWindowHasTheKeyboardAgainWhenADialogCloses) {
    Start();
    for (const int key : {Qt::Key_F7, Qt::Key_F5, Qt::Key_F4}) {
        WhenModalOpens([](QWidget* dialog) {
            dialog->activateWindow();
            ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == dialog; }));
        });
        Press(key);
        EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &Main(); })) << key;
    }
    EndWithARecord(Game());
    Windows().EnterScore.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &Windows().EnterScore; }));
    Windows().EnterScore.close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &Main(); }));
}
