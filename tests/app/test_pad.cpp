// A game pad for every command and window: a whole game with a virtual pad
// alone, the pad inside dialogs and the name entry, keys by place and their
// rebinding, and the full screen that fits the screen.
#include "AppTestEnv.h"
#include "DialogTestKit.h"
#include "ShellFixture.h"
#include "app/ClientView.h"
#include "app/EnterScore.h"
#include "app/HighScoreForm.h"
#include "app/KeyBindingsBox.h"
#include "app/KeyPositions.h"
#include "app/MenuBarReveal.h"
#include "app/PadWindows.h"
#include "app/PlayOptionsBox.h"
#include "app/PropatyBox.h"
#include "app/SettingsStore.h"
#include "app/ZoomView.h"
#include "scores/HighScores.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include <SDL.h>

#include <fstream>
#include <sstream>

using apptest::ShellTest;
using sk::PadPress;

namespace {

// A game pad without hardware: SDL's virtual joystick as a game controller
// with every standard button and axis.
class VirtualPad {
public:
    VirtualPad() {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
        desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
        desc.name = "Virtual pad";
        index_ = SDL_JoystickAttachVirtualEx(&desc);
        stick_ = index_ >= 0 ? SDL_JoystickOpen(index_) : nullptr;
    }
    ~VirtualPad() {
        if (stick_ != nullptr) SDL_JoystickClose(stick_);
        if (index_ >= 0) SDL_JoystickDetachVirtual(index_);
    }
    bool Attached() const { return stick_ != nullptr; }
    void Set(SDL_GameControllerButton button, bool down) { SDL_JoystickSetVirtualButton(stick_, button, down); }

private:
    int index_ = -1;
    SDL_Joystick* stick_ = nullptr;
};

class PadTest : public ShellTest {
protected:
    // Presses a button until the program has read it, then lets it go until
    // it has read that too; what the press runs is run by then.
    void Tap(SDL_GameControllerButton button) {
        for (const bool down : {false, true, false}) {
            pad_.Set(button, down);
            ASSERT_TRUE(QTest::qWaitFor([&] { return Reads(button) == down; }, 5000)) << button;
        }
        QCoreApplication::processEvents();
    }
    bool Reads(SDL_GameControllerButton button) {
        const sk::PadState& state = Main().Input().Pad();
        switch (button) {
            case SDL_CONTROLLER_BUTTON_A: return state.A;
            case SDL_CONTROLLER_BUTTON_B: return state.B;
            case SDL_CONTROLLER_BUTTON_START: return state.Start;
            case SDL_CONTROLLER_BUTTON_BACK: return state.Back;
            case SDL_CONTROLLER_BUTTON_DPAD_UP: return state.Direction.Y < 0;
            case SDL_CONTROLLER_BUTTON_DPAD_DOWN: return state.Direction.Y > 0;
            case SDL_CONTROLLER_BUTTON_DPAD_LEFT: return state.Direction.X < 0;
            default: return state.Direction.X > 0;
        }
    }
    VirtualPad pad_;
};

// A box the pad failed to close would hold the test for good.
void CloseIfStillOpen(QWidget* box) {
    if (!box->isVisible()) return;
    ADD_FAILURE() << "the pad left the box open";
    qobject_cast<QDialog*>(box)->reject();
}

std::string FileText(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

// The ship is made invincible while the test plays, and the game over comes
// from an enemy shot put on it: the rest is the pad's.
TEST_F(PadTest, AVirtualPadAloneStartsPlaysPausesEntersARecordContinuesAndQuits) {
    Start();
    ASSERT_TRUE(pad_.Attached()) << SDL_GetError();
    sk::SetMessageBoxHook({});  // the real question box, answered by the pad
    sk::GameState& s = Game().S;

    Tap(SDL_CONTROLLER_BUTTON_START);
    ASSERT_FALSE(s.TitleMode);
    s.Invincible = true;
    pad_.Set(SDL_CONTROLLER_BUTTON_A, true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return s.ShotsInFlight > 0; }, 5000));
    pad_.Set(SDL_CONTROLLER_BUTTON_A, false);
    const int targetY = s.TargetY;
    pad_.Set(SDL_CONTROLLER_BUTTON_DPAD_DOWN, true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return s.TargetY > targetY; }, 5000));
    pad_.Set(SDL_CONTROLLER_BUTTON_DPAD_DOWN, false);

    Tap(SDL_CONTROLLER_BUTTON_START);
    EXPECT_TRUE(s.Paused);
    Tap(SDL_CONTROLLER_BUTTON_START);
    EXPECT_FALSE(s.Paused);

    s.Invincible = false;
    s.Score = 99999;
    s.EnemyShots[1] = sk::Actor{.X = s.ShipX + 20, .Y = s.ShipY + 10, .Active = true};
    TEnterScore& entry = Windows().EnterScore;
    ASSERT_TRUE(QTest::qWaitFor([&] { return entry.isVisible(); }, 10000));
    for (const auto button : {SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_CONTROLLER_BUTTON_DPAD_UP,
                              SDL_CONTROLLER_BUTTON_DPAD_RIGHT, SDL_CONTROLLER_BUTTON_DPAD_DOWN,
                              SDL_CONTROLLER_BUTTON_B, SDL_CONTROLLER_BUTTON_DPAD_UP}) {
        Tap(button);
    }
    EXPECT_EQ(entry.findChild<QLineEdit*>("PName")->text(), "BA");
    Tap(SDL_CONTROLLER_BUTTON_A);
    EXPECT_FALSE(entry.isVisible());
    EXPECT_EQ(sk::Cp932ToUtf8(Game().HighScores.HiName[0]), "BA");
    EXPECT_TRUE(s.GameOver) << "the A that entered the name continued the game";

    Tap(SDL_CONTROLLER_BUTTON_A);
    EXPECT_FALSE(s.GameOver);
    EXPECT_EQ(s.Score, 0);
    s.Invincible = true;

    Tap(SDL_CONTROLLER_BUTTON_BACK);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->objectName(), "GameB");
    for (int i = 0; i < 8 && !(menu->activeAction() && menu->activeAction()->objectName() == "Exit1"); ++i) {
        Tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    }
    bool asked = false;
    WhenModalOpens(
        [&](QWidget* box) {
            asked = true;
            auto* question = qobject_cast<QMessageBox*>(box);
            ASSERT_NE(question, nullptr);
            QAbstractButton* yes = question->buttons().front();
            for (QAbstractButton* button : question->buttons()) {
                if (question->buttonRole(button) == QMessageBox::YesRole) yes = button;
            }
            EXPECT_NE(box->focusWidget(), yes) << "the question defaults to no";
            Tap(yes->x() < box->focusWidget()->x() ? SDL_CONTROLLER_BUTTON_DPAD_LEFT
                                                   : SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
            EXPECT_EQ(box->focusWidget(), yes);
            Tap(SDL_CONTROLLER_BUTTON_A);
            CloseIfStillOpen(box);
        },
        [](QWidget*) {});
    Tap(SDL_CONTROLLER_BUTTON_A);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !exitCodes_.empty(); }, 5000));
    EXPECT_TRUE(asked);
    EXPECT_EQ(exitCodes_, std::vector<int>{0});
    EXPECT_NE(FileText(apptest::RunDir() / "Data" / "Hi-Score.dat").find("BA 99999"), std::string::npos);
}

TEST_F(PadTest, InAWindowThePadNeverReachesTheGameAndBClosesTheMenus) {
    Start();
    ASSERT_TRUE(pad_.Attached());
    Tap(SDL_CONTROLLER_BUTTON_START);
    Game().S.Invincible = true;
    Tap(SDL_CONTROLLER_BUTTON_BACK);
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    const int shots = Game().S.ShotsInFlight;
    Tap(SDL_CONTROLLER_BUTTON_B);
    EXPECT_EQ(Game().S.ShotsInFlight, shots) << "B fired a fan from the menu";
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);

    // The lap message opens inside a frame: A closes it and fires nothing.
    bool closedByPad = false;
    sk::SetMessageBoxHook({});
    QTimer::singleShot(0, &Main(), [&] { Main().ShowMessage({sk::text::kLapCaption, sk::text::kLapNormal, {}}); });
    WhenModalOpens(
        [&](QWidget* box) {
            Tap(SDL_CONTROLLER_BUTTON_A);
            closedByPad = !box->isVisible();
            CloseIfStillOpen(box);
        },
        [](QWidget*) {});
    EXPECT_TRUE(QTest::qWaitFor([&] { return closedByPad; }, 5000));
    EXPECT_EQ(Game().S.ShotsInFlight, shots);
}

TEST_F(ShellTest, DialogsFollowThePadsDirectionsAPressesAndBCancelsOrCloses) {
    Start();
    THighScoreForm& scores = Windows().HighScoreForm;
    scores.show();
    auto* ok = scores.findChild<QPushButton*>("BitBtn1");
    auto* reset = scores.findChild<QCheckBox*>("CheckBox1");
    ok->setFocus();
    sk::DrivePadWindow(&scores, PadPress::Down);
    EXPECT_EQ(scores.focusWidget(), reset);
    sk::DrivePadWindow(&scores, PadPress::Accept);
    EXPECT_TRUE(reset->isChecked());
    sk::DrivePadWindow(&scores, PadPress::Cancel);  // neither cancel nor close box
    EXPECT_TRUE(scores.isVisible());
    sk::DrivePadWindow(&scores, PadPress::Up);
    EXPECT_EQ(scores.focusWidget(), ok);
    sk::DrivePadWindow(&scores, PadPress::Accept);
    EXPECT_FALSE(scores.isVisible());

    TPropatyBox& settings = Windows().PropatyBox;
    settings.show();
    settings.findChild<QPushButton*>("BitBtn1")->setFocus();
    sk::DrivePadWindow(&settings, PadPress::Right);
    EXPECT_EQ(settings.focusWidget()->objectName(), "BitBtn2");
    sk::DrivePadWindow(&settings, PadPress::Up);
    EXPECT_EQ(settings.focusWidget()->objectName(), "BgmCheckB");
    sk::DrivePadWindow(&settings, PadPress::Up);
    EXPECT_EQ(settings.focusWidget()->objectName(), "WaveCheckB");
    sk::DrivePadWindow(&settings, PadPress::Cancel);  // a close box
    EXPECT_FALSE(settings.isVisible());

    TPlayOptionsBox options(Game());
    options.Load(Main().Extras(), {});
    options.show();
    auto* music = options.findChild<QSlider*>("MusicVolumeB");
    music->setValue(50);
    music->setFocus();
    sk::DrivePadWindow(&options, PadPress::Right);
    EXPECT_EQ(music->value(), 60);
    sk::DrivePadWindow(&options, PadPress::Down);
    EXPECT_EQ(options.focusWidget()->objectName(), "EffectVolumeB");
}

TEST(NameEntryByPad, StepsCharactersMovesDeletesAndKeepsEightAtMost) {
    EXPECT_EQ(sk::StepNameCharacter('A', -1), QChar('&'));
    EXPECT_EQ(sk::StepNameCharacter('&', 1), QChar('A'));
    EXPECT_EQ(sk::StepNameCharacter('z', 1), QChar('0'));
    EXPECT_EQ(sk::StepNameCharacter(QChar(0x3042), 1), QChar('A'));

    dialogtest::TitleGame title;
    TEnterScore entry(title.game);
    entry.Offer(3, 700);
    auto* name = entry.findChild<QLineEdit*>("PName");
    for (int i = 0; i < 8; ++i) {
        entry.PadPressed(PadPress::Up);
        entry.PadPressed(PadPress::Right);
    }
    entry.PadPressed(PadPress::Right);
    EXPECT_EQ(name->text(), "AAAAAAAA");
    EXPECT_EQ(name->selectedText(), "A");  // the cursor stays on the eighth
    entry.PadPressed(PadPress::Down);
    EXPECT_EQ(name->text(), "AAAAAAA&");
    entry.PadPressed(PadPress::Cancel);
    EXPECT_EQ(name->text(), "AAAAAAA");

    // Typed text and the pad side by side: the pad edits where the cursor is.
    name->clear();
    dialogtest::TypeText(name, "Ken");
    entry.PadPressed(PadPress::Left);
    entry.PadPressed(PadPress::Up);
    EXPECT_EQ(name->text(), "Keo");
    entry.PadPressed(PadPress::Right);
    entry.PadPressed(PadPress::Cancel);  // from the free place: the last one
    EXPECT_EQ(name->text(), "Ke");
    entry.PadPressed(PadPress::Accept);
    EXPECT_EQ(sk::Cp932ToUtf8(title.game.HighScores.HiName[2]), "Ke");
}

TEST_F(ShellTest, KeysGoByPlaceAndARebindingWorksAndSurvivesARestart) {
    // An AZERTY "Z" lies where QWERTY has "W": its scan code decides.
    EXPECT_EQ(sk::KeyPlace(17 + 8, Qt::Key_Z, false, true), 17);
    EXPECT_EQ(sk::KeyPlace(0, Qt::Key_Z, false, true), 44);
    EXPECT_EQ(sk::KeyPlace(25, Qt::Key_Z, false, false), 44);
    EXPECT_EQ(sk::KeyPlace(0, Qt::Key_Enter, true, false), 96);
    EXPECT_EQ(sk::KeyPlace(0, Qt::Key_8, true, false), 72);

    TKeyBindingsBox box;
    box.Load(sk::KeyBindings{});
    dialogtest::Click(box.KeyButton(sk::KeyAction::Single));
    dialogtest::PressKeyIn(&box, Qt::Key_F);
    EXPECT_EQ(box.Chosen()[sk::KeyAction::Single], 33);
    EXPECT_EQ(box.KeyButton(sk::KeyAction::Single)->text(), "F");
    dialogtest::Click(box.KeyButton(sk::KeyAction::Fan));
    dialogtest::PressKeyIn(&box, Qt::Key_F);  // taken: the two swap
    EXPECT_EQ(box.Chosen()[sk::KeyAction::Fan], 33);
    EXPECT_EQ(box.Chosen()[sk::KeyAction::Single], 45);
    dialogtest::Click(box.KeyButton(sk::KeyAction::Up));
    dialogtest::PressKeyIn(&box, Qt::Key_Escape);
    EXPECT_EQ(box.Chosen()[sk::KeyAction::Up], 17);

    sk::ExtraSettings extras;
    extras.Keys = box.Chosen();
    sk::SaveExtraSettings(extras);
    Start();
    Main().StartBotClick();
    QTest::keyClick(&Main(), Qt::Key_Z);
    EXPECT_EQ(Game().S.ShotsInFlight, 0) << "Z no longer fires";
    QTest::keyClick(&Main(), Qt::Key_X);
    EXPECT_EQ(Game().S.ShotsInFlight, 1);
    QTest::keyClick(&Main(), Qt::Key_F);
    EXPECT_EQ(Game().S.ShotsInFlight, 7);

    dialogtest::Click(box.findChild<QPushButton*>("DefaultKeysB"));
    EXPECT_EQ(box.Chosen(), sk::KeyBindings{});
}

TEST(FitScaling, FillsA1280x800ScreenWithTheAspectKeptAndMapsThePointerBack) {
    QWidget host;
    QWidget client(&host);
    client.setFixedSize(632, 434);
    client.move(-633, 0);
    sk::ZoomView view(&client, &host);
    host.resize(1280, 800);
    view.resize(1280, 800);
    view.SetFactor(1, sk::ZoomFill::Fit);
    EXPECT_DOUBLE_EQ(view.Scale(), 800.0 / 434);
    const QRectF image = view.ImageRect();
    EXPECT_EQ(image.height(), 800);
    EXPECT_NEAR(image.left(), (1280 - 632 * 800.0 / 434) / 2, 1);
    EXPECT_EQ(view.ToClient(image.center()), QPoint(316, 217));
    view.SetFactor(1, sk::ZoomFill::Whole);
    EXPECT_EQ(view.Scale(), 1);
}

TEST_F(ShellTest, FullScreenHidesTheMenuBarWhichF10BringsBackOverThePicture) {
    Start();
    QCursor::setPos(400, 500);  // off the menu bar
    sk::ExtraSettings full = Main().Extras();
    full.ZoomMode = sk::Zoom::FullScreen;
    full.Scaling = sk::FullScreenScaling::Fit;
    Main().ApplyExtras(full);
    EXPECT_TRUE(Main().menuBar()->isHidden());
    const QRect picture = Main().View().ShownZoomView()->geometry();
    Press(Qt::Key_F10);
    EXPECT_FALSE(Main().menuBar()->isHidden());
    EXPECT_NE(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(Main().View().ShownZoomView()->geometry(), picture);
    sk::DrivePadWindow(QApplication::activePopupWidget(), PadPress::Cancel);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Main().menuBar()->isHidden(); }, 2000));
    Press(Qt::Key_F3);  // the keys work with the bar hidden
    EXPECT_TRUE(Game().S.Paused);

    // The offscreen platform leaves the closed menu the active window.
    QApplication::setActiveWindow(&Main());
    Press(Qt::Key_F11);
    EXPECT_FALSE(Main().menuBar()->isHidden());
    EXPECT_EQ(Main().centralWidget()->size(), QSize(632, 434));
}
