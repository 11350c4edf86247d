#include "app/AboutBox.h"
#include "app/PropatyBox.h"
#include "app/EnterScore.h"
#include "app/HighScoreForm.h"
#include "scores/HighScores.h"
#include "tests/app/DialogTestKit.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDesktopServices>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <functional>
#include <string>

using dialogtest::Child;
using dialogtest::Click;
using dialogtest::PressKey;
using dialogtest::PressKeyIn;

// Records the addresses handed to the desktop's open action.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> Opened;
public slots:
    void open(const QUrl& url) { Opened.append(url); }
};

namespace {

// Runs `step` inside the next modal loop, then returns.
void WhileModal(const std::function<void()>& step) { QTimer::singleShot(0, step); }

// ---------------------------------------------------------------- settings

class SettingsDialog : public ::testing::Test {
protected:
    dialogtest::TitleGame t;
    sk::Game& game = t.game;
    TPropatyBox box{game};

    QRadioButton* Item(int i) {
        return Child<QRadioButton>(box, QStringLiteral("DifficultBtnItem%1").arg(i).toLatin1());
    }
    QCheckBox* Box(const char* name) { return Child<QCheckBox>(box, name); }

    // What SpeedBClick does before the dialog shows.
    void Open() {
        game.PauseForDialog();
        box.TransferSettingsToDialog();
        box.show();
    }
};

TEST_F(SettingsDialog, OpeningSelectsTheItemOfTheStoredDifficulty) {
    const struct { int difficulty; int item; } cases[] = {{2, 0}, {9, 2}, {4, 1}, {7, 1}, {0, 1}};
    for (const auto& c : cases) {
        game.S.Difficulty = c.difficulty;
        box.TransferSettingsToDialog();
        EXPECT_EQ(game.S.Shell.DifficultyIndex, c.item) << "difficulty " << c.difficulty;
        EXPECT_TRUE(Item(c.item)->isChecked()) << "difficulty " << c.difficulty;
    }
    // A code outside the table keeps whatever was selected before.
    game.S.Difficulty = 2;
    box.TransferSettingsToDialog();
    game.S.Difficulty = 7;
    box.TransferSettingsToDialog();
    EXPECT_TRUE(Item(0)->isChecked());
    EXPECT_EQ(game.S.Difficulty, 7);
}

TEST_F(SettingsDialog, OpeningLoadsTheCheckBoxesFromTheSettings) {
    game.S.MusicOn = true;
    game.S.MusicOnNext = false;
    game.S.SoundOn = true;
    game.S.MouseLock = false;
    box.TransferSettingsToDialog();
    EXPECT_FALSE(Box("BgmCheckB")->isChecked());
    EXPECT_TRUE(Box("WaveCheckB")->isChecked());
    EXPECT_FALSE(Box("MouseLockB")->isChecked());
}

TEST_F(SettingsDialog, OkAppliesTheSettingsAndTheSpeedsOfTheSelectedItem) {
    Open();
    Click(Item(0));
    Box("WaveCheckB")->setChecked(false);
    Box("BgmCheckB")->setChecked(false);
    Box("MouseLockB")->setChecked(false);
    Click(Child<QPushButton>(box, "BitBtn1"));

    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.result(), QDialog::Accepted);
    EXPECT_EQ(game.S.Difficulty, 2);
    EXPECT_EQ(game.S.EnemyShotSpeed, 3);
    EXPECT_EQ(game.S.EnemySpeed, 3);
    EXPECT_FALSE(game.S.SoundOn);
    EXPECT_FALSE(game.S.MusicOnNext);
    EXPECT_TRUE(game.S.MusicOn) << "music changes only at the next start";
    EXPECT_FALSE(game.S.MouseLock);
    EXPECT_EQ(t.port.LockCalls, 1);
    EXPECT_FALSE(game.S.Paused);
    EXPECT_FALSE(game.S.Shell.StopB.Checked);
}

TEST_F(SettingsDialog, CancelStoresNothingButKeepsTheSelectedItem) {
    Open();
    Click(Item(2));
    Box("WaveCheckB")->setChecked(false);
    Click(Child<QPushButton>(box, "BitBtn2"));

    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(game.S.Shell.DifficultyIndex, 2);
    EXPECT_EQ(game.S.Difficulty, 4);
    EXPECT_TRUE(game.S.SoundOn);
    EXPECT_EQ(t.port.LockCalls, 0);

    // The next opening reloads the boxes but shows the item chosen before.
    Open();
    EXPECT_TRUE(Box("WaveCheckB")->isChecked());
    EXPECT_TRUE(Item(1)->isChecked()) << "Difficulty 4 selects item 1 again";
}

TEST_F(SettingsDialog, EveryWayOfClosingUnpausesTheGame) {
    const std::function<void()> closes[] = {
        [&] { Click(Child<QPushButton>(box, "BitBtn1")); },
        [&] { Click(Child<QPushButton>(box, "BitBtn2")); },
        [&] { PressKeyIn(&box, Qt::Key_Escape); },
        [&] { box.close(); },
    };
    for (const auto& close : closes) {
        Open();
        ASSERT_TRUE(game.S.Paused);
        close();
        EXPECT_FALSE(box.isVisible());
        EXPECT_FALSE(game.S.Paused);
        EXPECT_FALSE(game.S.Shell.StopB.Checked);
    }
}

TEST_F(SettingsDialog, ClosingDoesNotPauseAGameThatRuns) {
    box.TransferSettingsToDialog();
    box.show();
    box.close();
    EXPECT_FALSE(game.S.Paused);
    EXPECT_FALSE(game.S.Shell.StopB.Checked);
}

TEST_F(SettingsDialog, EnterIsOkAndEscIsCancel) {
    Open();
    Click(Item(2));
    Box("WaveCheckB")->setFocus();
    PressKeyIn(&box, Qt::Key_Return);
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.result(), QDialog::Accepted);
    EXPECT_EQ(game.S.Difficulty, 9);

    Open();
    Box("WaveCheckB")->setChecked(false);
    PressKeyIn(&box, Qt::Key_Escape);
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.result(), QDialog::Rejected);
    EXPECT_TRUE(game.S.SoundOn);
}

TEST_F(SettingsDialog, DifficultyGroupIsLockedWithItsHintDuringAGame) {
    auto* group = Child<QGroupBox>(box, "DifficultBtn");
    EXPECT_TRUE(group->isEnabled());
    EXPECT_EQ(group->toolTip(), QStringLiteral("難易度の設定"));

    game.StartBotClick();
    box.SyncDifficultyGroup();
    EXPECT_FALSE(group->isEnabled());
    EXPECT_FALSE(Item(0)->isEnabled());
    EXPECT_EQ(group->toolTip(), QStringLiteral("タイトル画面時に設定してください"));

    game.ResetBClick();
    box.SyncDifficultyGroup();
    EXPECT_TRUE(group->isEnabled());
    EXPECT_EQ(group->toolTip(), QStringLiteral("難易度の設定"));
}

TEST_F(SettingsDialog, LayoutTabOrderAndKeyboardCaption) {
    EXPECT_EQ(box.windowTitle(), QStringLiteral("詳細設定"));
    EXPECT_EQ(box.size(), QSize(266, 306));
    EXPECT_TRUE(box.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(Box("CheckBox1")->isEnabled());

    // Grey over white, one pixel apart, one caption.
    auto* grey = Child<QLabel>(box, "Label7");
    auto* white = Child<QLabel>(box, "Label8");
    EXPECT_EQ(white->pos() - grey->pos(), QPoint(1, 1));
    EXPECT_EQ(grey->text(), white->text());
    const QObjectList& siblings = grey->parent()->children();
    EXPECT_GT(siblings.indexOf(grey), siblings.indexOf(white)) << "the grey label must lie on top";

    QStringList chain;
    QWidget* widget = Child<QWidget>(box, "BitBtn1");
    for (int i = 0; i < 6; ++i) {
        chain << widget->objectName();
        do widget = widget->nextInFocusChain();
        while (!(widget->focusPolicy() & Qt::TabFocus) || !widget->isEnabled());
    }
    EXPECT_EQ(chain.join(u' '), QStringLiteral("BitBtn1 BitBtn2 BgmCheckB WaveCheckB MouseLockB DifficultBtnItem1"));
}

TEST_F(SettingsDialog, TabEntersTheDifficultyGroupOnItsCheckedItemAndSpaceKeepsIt) {
    game.S.Difficulty = 9;
    Open();
    box.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
    Box("MouseLockB")->setFocus(Qt::OtherFocusReason);
    PressKeyIn(&box, Qt::Key_Tab);
    EXPECT_EQ(box.focusWidget(), Item(2));
    PressKeyIn(&box, Qt::Key_Space, QStringLiteral(" "));
    EXPECT_TRUE(Item(2)->isChecked());

    PressKeyIn(&box, Qt::Key_Up);  // the arrows move the selection inside the group
    EXPECT_TRUE(Item(1)->isChecked());
    Child<QWidget>(box, "BitBtn1")->setFocus(Qt::OtherFocusReason);
    PressKeyIn(&box, Qt::Key_Backtab);
    EXPECT_EQ(box.focusWidget(), Item(1));
}

// ------------------------------------------------------------------- about

class AboutDialog : public ::testing::Test {
protected:
    dialogtest::TitleGame t;
    sk::Game& game = t.game;
    TAboutBox box{game};

    void Open() {
        game.PauseForDialog();
        box.show();
    }
    QLabel* Link() { return Child<QLabel>(box, "URL"); }
};

TEST_F(AboutDialog, EscDoesNotCloseIt) {
    Open();
    PressKeyIn(&box, Qt::Key_Escape);
    EXPECT_TRUE(box.isVisible());
    EXPECT_TRUE(game.S.Paused);
}

TEST_F(AboutDialog, EveryCloseResumesTheGameEvenAPlayerPause) {
    const std::function<void()> closes[] = {
        [&] { Click(Child<QPushButton>(box, "Button1")); },
        [&] { box.close(); },
    };
    for (const auto& close : closes) {
        game.StopBClick();  // the player's own pause
        Open();
        close();
        EXPECT_FALSE(box.isVisible());
        EXPECT_FALSE(game.S.Paused);
        EXPECT_FALSE(game.S.Shell.StopB.Checked);
    }
}

TEST_F(AboutDialog, LinkIsUnderlinedOnlyWhileHovered) {
    Open();
    EXPECT_FALSE(Link()->font().underline());
    dialogtest::MouseEvent(Link(), QEvent::MouseMove, Qt::NoButton, QPoint(5, 5));
    EXPECT_TRUE(Link()->font().underline());
    EXPECT_GE(Link()->height(), QFontMetrics(Link()->font()).height()) << "the underline would be cut off";
    EXPECT_EQ(Link()->palette().color(QPalette::WindowText), QColor(Qt::blue));
    dialogtest::MouseEvent(&box, QEvent::MouseMove, Qt::NoButton, QPoint(120, 140));
    EXPECT_FALSE(Link()->font().underline());
    EXPECT_EQ(Link()->palette().color(QPalette::WindowText), QColor(Qt::blue));
}

TEST_F(AboutDialog, AnyButtonOnTheLinkOpensThePageAndCloses) {
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &recorder, "open");
    for (const Qt::MouseButton button : {Qt::RightButton, Qt::LeftButton}) {
        Open();
        dialogtest::MouseEvent(Link(), QEvent::MouseMove, Qt::NoButton, QPoint(5, 5));
        dialogtest::MouseEvent(Link(), QEvent::MouseButtonPress, button, QPoint(5, 5));
        EXPECT_FALSE(box.isVisible());
        EXPECT_FALSE(game.S.Paused);
        EXPECT_FALSE(Link()->font().underline());
    }
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    ASSERT_EQ(recorder.Opened.size(), 2);
    EXPECT_EQ(recorder.Opened[0], QUrl(QString::fromUtf8(kHomePage)));
    EXPECT_EQ(Link()->text(), QString::fromUtf8(kHomePage));
}

TEST_F(AboutDialog, PicturesComeFromTheEmbeddedIcons) {
    if (sk::EmbeddedPicture("Icon").empty() || sk::EmbeddedPicture("AboutIcon").empty()) {
        GTEST_SKIP() << "the program carries no icon pictures";
    }
    EXPECT_FALSE(box.windowIcon().isNull());
    const QPixmap picture = Child<QLabel>(box, "Image1")->pixmap();
    EXPECT_EQ(picture.size(), QSize(32, 32));
}

// -------------------------------------------------------------- high score

class HighScoreWindow : public ::testing::Test {
protected:
    dialogtest::TitleGame t;
    sk::Game& game = t.game;
    THighScoreForm form{game};

    HighScoreWindow() { sk::ResetHighScores(game.HighScores); }
    QString Text(const char* name) { return Child<QLabel>(form, name)->text(); }
    QCheckBox* ResetBox() { return Child<QCheckBox>(form, "CheckBox1"); }
};

TEST_F(HighScoreWindow, ShowsNamesFromTheStoredBytesAndPlainPoints) {
    game.HighScores.HiName[0] = sk::Utf8ToCp932("太郎");
    game.HighScores.HiName[9] = "<b>Bo</b>";
    game.HighScores.HiScore[9] = 50;
    form.RefreshLabels();
    EXPECT_EQ(Text("Name1"), QStringLiteral("太郎"));
    EXPECT_EQ(Text("HSLabel1"), QStringLiteral("8700"));
    EXPECT_EQ(Text("Name10"), QStringLiteral("<b>Bo</b>"));
    EXPECT_EQ(Child<QLabel>(form, "Name10")->textFormat(), Qt::PlainText);
    EXPECT_EQ(Text("HSLabel0"), QStringLiteral("50"));
    EXPECT_EQ(Text("HSLabel9"), QStringLiteral("2100"));
    EXPECT_EQ(Text("Label17"), QStringLiteral("Lank 9"));
}

TEST_F(HighScoreWindow, ResetBoxRestoresTheDefaultsAndIsClearedAtEachShowing) {
    sk::InsertHighScore(game.HighScores, 0, 99999, "Winner");
    WhileModal([&] {
        EXPECT_EQ(Text("Name1"), QStringLiteral("Winner"));
        EXPECT_FALSE(ResetBox()->isChecked());
        ResetBox()->setChecked(true);
        Click(Child<QPushButton>(form, "BitBtn1"));
    });
    form.ShowHighScores();
    EXPECT_EQ(game.HighScores.HiScore[0], 8700);
    EXPECT_EQ(Text("HSLabel1"), QStringLiteral("8700"));

    WhileModal([&] {
        EXPECT_FALSE(ResetBox()->isChecked());
        EXPECT_EQ(Text("HSLabel1"), QStringLiteral("8700"));
        Click(Child<QPushButton>(form, "BitBtn1"));
    });
    form.ShowHighScores();
}

TEST_F(HighScoreWindow, UntickedOkKeepsTheTableAndEscDoesNotClose) {
    sk::InsertHighScore(game.HighScores, 3, 6000, "Keeper");
    WhileModal([&] {
        PressKeyIn(&form, Qt::Key_Escape);
        EXPECT_TRUE(form.isVisible());
        PressKeyIn(&form, Qt::Key_Return);  // OK is the default button
    });
    form.ShowHighScores();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(game.HighScores.HiScore[3], 6000);
}

// The widest names a player can enter: eight of the widest letters, the
// game's own "Somebody", four full-width characters.
const char* const kWideNames[] = {"WWWWWWWW", "MMMMMMMM", "Somebody", "隼隼隼隼", "ＷＷＷＷ"};

TEST_F(HighScoreWindow, TheWidestNamesEndBeforeThePointsColumn) {
    for (int i = 0; i < 5; ++i) game.HighScores.HiName[i] = sk::Utf8ToCp932(kWideNames[i]);
    form.RefreshLabels();
    for (int rank = 1; rank <= 5; ++rank) {
        const QLabel* name = Child<QLabel>(form, ("Name" + std::to_string(rank)).c_str());
        const QLabel* points = Child<QLabel>(form, ("HSLabel" + std::to_string(rank)).c_str());
        EXPECT_EQ(name->x(), 76);
        EXPECT_EQ(points->x(), 178);
        EXPECT_LT(name->x() + name->fontMetrics().horizontalAdvance(name->text()), points->x()) << kWideNames[rank - 1];
    }
}

// -------------------------------------------------------------- name entry

class NameEntry : public ::testing::Test {
protected:
    dialogtest::TitleGame t;
    sk::Game& game = t.game;
    TEnterScore entry{game};

    NameEntry() { sk::ResetHighScores(game.HighScores); }
    QLineEdit* Name() { return Child<QLineEdit>(entry, "PName"); }
    void Ok() { Click(Child<QPushButton>(entry, "BitBtn1")); }
};

TEST_F(NameEntry, OfferShowsTheRankAndPointsWithAnEmptyName) {
    entry.Offer(2, 7500);
    EXPECT_TRUE(entry.isVisible());
    EXPECT_FALSE(entry.isModal());
    EXPECT_EQ(Child<QLabel>(entry, "StLabel")->text(), QStringLiteral("2"));
    EXPECT_EQ(Child<QLabel>(entry, "LabelS")->text(), QStringLiteral("7500"));
    EXPECT_TRUE(Name()->text().isEmpty());
    EXPECT_EQ(entry.focusWidget(), Name());
}

TEST_F(NameEntry, NamesStopAtEightCharactersTypedOrPasted) {
    entry.Offer(1, 9000);
    dialogtest::TypeText(Name(), QStringLiteral("Abcdefghij"));
    EXPECT_EQ(Name()->text(), QStringLiteral("Abcdefgh"));
    Name()->clear();
    Name()->insert(QStringLiteral("隼隼隼隼隼隼隼隼隼隼"));
    EXPECT_EQ(Name()->text(), QStringLiteral("隼隼隼隼隼隼隼隼"));
}

TEST_F(NameEntry, BlanksAndControlCharactersAreRefusedTypedOrPasted) {
    entry.Offer(1, 9000);
    dialogtest::TypeText(Name(), QStringLiteral("Al Bo"));
    EXPECT_EQ(Name()->text(), QStringLiteral("AlBo"));

    for (const QString& pasted : {QStringLiteral("x y"), QStringLiteral("x\ty"), QStringLiteral("x\ny"),
                                  QStringLiteral("x\ry"), QString::fromUtf8("x\x01y"), QString::fromUtf8("x\x7fy"),
                                  QString(QChar(0x85))}) {
        Name()->setText(QStringLiteral("Ok"));
        Name()->end(false);
        QGuiApplication::clipboard()->setText(pasted);
        Name()->paste();
        EXPECT_EQ(Name()->text(), QStringLiteral("Ok")) << "pasted " << pasted.toStdString();
    }
    QGuiApplication::clipboard()->setText(QStringLiteral("Zed"));
    Name()->paste();
    EXPECT_EQ(Name()->text(), QStringLiteral("OkZed"));
}

TEST_F(NameEntry, OkInsertsTheEntryAndAnEmptyNameBecomesSomebody) {
    entry.Offer(2, 7500);
    Name()->insert(QStringLiteral("隼"));
    Ok();
    EXPECT_FALSE(entry.isVisible());
    EXPECT_EQ(game.HighScores.HiScore[1], 7500);
    EXPECT_EQ(sk::Cp932ToUtf8(game.HighScores.HiName[1]), "隼");
    EXPECT_EQ(game.HighScores.HiName[2], "Amrelle");

    entry.Offer(10, 1800);
    PressKey(Name(), Qt::Key_Return);  // Enter in the name box is OK
    EXPECT_FALSE(entry.isVisible());
    EXPECT_EQ(game.HighScores.HiName[9], "Somebody");
    EXPECT_EQ(game.HighScores.HiScore[9], 1800);
}

TEST_F(NameEntry, EscDoesNothingAndOnlyTheWindowCloseLosesTheEntry) {
    const sk::HighScoreTable before = game.HighScores;
    entry.Offer(1, 9000);
    Name()->insert(QStringLiteral("Kept"));
    PressKey(Name(), Qt::Key_Escape);
    EXPECT_TRUE(entry.isVisible());
    EXPECT_EQ(Name()->text(), QStringLiteral("Kept"));

    entry.close();  // the window manager's close, Alt+F4
    EXPECT_FALSE(entry.isVisible());
    EXPECT_EQ(game.HighScores.HiScore, before.HiScore);
    EXPECT_EQ(game.HighScores.HiName, before.HiName);
}

TEST_F(NameEntry, TheBoxShowsTheWidestNamesWhole) {
    entry.Offer(1, 9000);
    EXPECT_EQ(Name()->geometry(), QRect(34, 85, 91, 26));
    for (const char* text : kWideNames) {
        Name()->setText(QString::fromUtf8(text));  // the cursor stands at the end
        Name()->grab();                             // the box scrolls as it paints
        EXPECT_EQ(Name()->cursorPositionAt(QPoint(6, Name()->height() / 2)), 0) << text << " scrolled";
    }
}

TEST_F(NameEntry, ASecondOfferReplacesTheFirst) {
    entry.Offer(5, 4900);
    Name()->insert(QStringLiteral("First"));
    entry.Offer(2, 7500);
    EXPECT_TRUE(Name()->text().isEmpty());
    Name()->insert(QStringLiteral("Second"));
    Ok();
    EXPECT_EQ(game.HighScores.HiName[1], "Second");
    EXPECT_EQ(game.HighScores.HiScore[1], 7500);
    EXPECT_EQ(game.HighScores.HiName[4], "Dunmaro") << "only one entry goes in";
    EXPECT_EQ(game.HighScores.HiScore[9], 2100);
}

}  // namespace

#include "test_dialogs.moc"
