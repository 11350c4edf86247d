// The "操作と表示" extras in the shell: the dialog and its stored values, keys
// and a simulated pad reaching the game, volumes, and the pause on focus loss.
#include "AppTestEnv.h"
#include "ShellFixture.h"
#include "app/ClientView.h"
#include "app/MainMenu.h"
#include "app/PlayOptionsBox.h"
#include "app/MouseLock.h"
#include "app/PlayArea.h"
#include "app/SettingsStore.h"
#include "app/SonoboxSound.h"
#include "app/ZoomFit.h"
#include "app/ZoomView.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QMenuBar>
#include <QPaintEvent>
#include <QSettings>
#include <QSlider>
#include <QTest>

#include <SDL.h>

using apptest::ShellTest;

namespace {

QString Stored(const char* name) {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, "SK98").value(name).toString();
}

std::vector<std::pair<float, float>>& GainCalls() {
    static std::vector<std::pair<float, float>> calls;
    return calls;
}

class ExtrasTest : public ShellTest {
protected:
    void StartPlaying() {
        Start();
        Main().StartBotClick();
        ASSERT_FALSE(Game().S.TitleMode);
        Game().S.ShipX = 120;
        Game().S.ShipY = 120;
    }
};

}  // namespace

TEST_F(ExtrasTest, TheDialogIsTheLastOptionPausesLikeTheSettingsAndStoresNewNamesOnOk) {
    StartPlaying();
    auto* options = Main().menuBar()->findChild<QMenu*>("OptionB");
    ASSERT_EQ(options->actions().back()->objectName(), "PlayOptionsB");
    EXPECT_EQ(options->actions().back()->text(), QStringLiteral("操作と表示..."));

    bool pausedInside = false;
    WhenModalOpens(
        [&](QWidget* box) {
            pausedInside = Game().S.Paused;
            box->findChild<QCheckBox*>("FocusPauseB")->setChecked(true);
            box->findChild<QSlider*>("MusicVolumeB")->setValue(30);
        },
        [](QWidget* box) { static_cast<QDialog*>(box)->accept(); });
    options->actions().back()->trigger();
    EXPECT_TRUE(pausedInside);
    EXPECT_FALSE(Game().S.Paused);
    EXPECT_TRUE(Main().Extras().FocusPause);
    EXPECT_EQ(Stored("FocusPause"), "1");
    EXPECT_EQ(Stored("MusicVolume"), "30");
    EXPECT_EQ(Stored("Zoom"), "1");
    EXPECT_TRUE(Stored("MidiOut").isEmpty());  // the four are still written only at quit

    // Cancel keeps what was stored and in force.
    WhenModalOpens([](QWidget* box) { box->findChild<QCheckBox*>("KeyControlB")->setChecked(false); });
    Main().PlayOptionsBClick();
    EXPECT_TRUE(Main().Extras().KeyControl);
    EXPECT_EQ(Stored("KeyControl"), "1");
}

TEST_F(ExtrasTest, StoredValuesOutOfRangeReadAsDefaults) {
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, "SK98");
    store.setValue("Zoom", "9");
    store.setValue("EffectVolume", "-5");
    store.setValue("KeyControl", "0");
    store.setValue("Language", "3");
    store.sync();
    const sk::ExtraSettings read = sk::LoadExtraSettings();
    EXPECT_EQ(read.ZoomMode, sk::Zoom::X1);
    EXPECT_EQ(read.EffectVolume, 100);
    EXPECT_FALSE(read.KeyControl);
    EXPECT_EQ(read.Lang, sk::Language::Automatic);
}

TEST_F(ExtrasTest, KeysSteerFireAndContinueOnlyWhileKeyboardControlIsOn) {
    StartPlaying();
    QTest::keyPress(&Main(), Qt::Key_D);
    Main().Input().BeforeFrame();
    EXPECT_EQ(Game().S.TargetX, 120 + sk::Steering::kStep);
    QTest::keyRelease(&Main(), Qt::Key_D);
    Main().Input().BeforeFrame();
    EXPECT_EQ(Game().S.TargetX, 120);

    QTest::keyClick(&Main(), Qt::Key_Space);
    EXPECT_EQ(Game().S.ShotsInFlight, 1);
    QTest::keyClick(&Main(), Qt::Key_X);
    EXPECT_EQ(Game().S.ShotsInFlight, 7);

    Game().S.GameOver = true;
    Game().S.Score = 300;
    QTest::keyClick(&Main(), Qt::Key_Return);
    EXPECT_EQ(Game().S.Score, 0);

    sk::ExtraSettings off = Main().Extras();
    off.KeyControl = false;
    Main().ApplyExtras(off);
    Game().S.TargetX = 55;
    QTest::keyPress(&Main(), Qt::Key_Left);
    Main().Input().BeforeFrame();
    EXPECT_EQ(Game().S.TargetX, 55);
}

TEST_F(ExtrasTest, ASimulatedPadSteersFiresAndPausesAndMayComeAndGo) {
    StartPlaying();
    ASSERT_TRUE(Main().Input().PadControl());
    const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                                SDL_CONTROLLER_BUTTON_MAX, 0);
    ASSERT_GE(index, 0) << SDL_GetError();
    SDL_Joystick* stick = SDL_JoystickOpen(index);
    ASSERT_NE(stick, nullptr);

    SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_LEFTY, -32768);
    SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_A, 1);
    Main().Input().BeforeFrame();
    EXPECT_EQ(Game().S.TargetY, 120 - sk::Steering::kStep);
    EXPECT_EQ(Game().S.ShotsInFlight, 1);
    Main().Input().BeforeFrame();  // A still held: no second shot
    EXPECT_EQ(Game().S.ShotsInFlight, 1);

    SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_START, 1);
    Main().Input().BeforeFrame();
    QCoreApplication::processEvents();  // commands run from the event loop
    EXPECT_TRUE(Game().S.Paused);
    EXPECT_TRUE(Game().S.Shell.StopB.Checked);
    // No frames run while paused; the pad is still read, and Start resumes.
    SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_START, 0);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !Main().Input().Pad().Start; }, 5000));
    SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_START, 1);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !Game().S.Paused; }, 5000));
    Main().StopBClick();

    SDL_JoystickClose(stick);
    SDL_JoystickDetachVirtual(index);
    Main().Input().BeforeFrame();
    EXPECT_FALSE(Main().Input().ReadsWhileIdle());  // no pad: nothing wakes while paused
    SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_START, 0);
    const int again = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                                SDL_CONTROLLER_BUTTON_MAX, 0);
    SDL_Joystick* second = SDL_JoystickOpen(again);
    SDL_JoystickSetVirtualButton(second, SDL_CONTROLLER_BUTTON_START, 1);
    Main().Input().BeforeFrame();
    QCoreApplication::processEvents();
    EXPECT_FALSE(Game().S.Paused);
    SDL_JoystickClose(second);
    SDL_JoystickDetachVirtual(again);
}

TEST_F(ExtrasTest, VolumesAreHeardWhileTheSlidersMoveAndCancelPutsThemBack) {
    GainCalls().clear();
    EXPECT_NE(sk::SonoboxSound().SetGains, nullptr) << "the gain hook of the linked library";
    Start();
    // The recorders of the fixture have no gain hook: give it one.
    Main().SoundHooks().SetGains = [](float music, float effects) {
        GainCalls().emplace_back(music, effects);
    };
    WhenModalOpens([](QWidget* box) { box->findChild<QSlider*>("MusicVolumeB")->setValue(50); });
    Main().PlayOptionsBClick();
    ASSERT_EQ(GainCalls().size(), 2u);
    EXPECT_EQ(GainCalls()[0], std::make_pair(0.25f, 1.0f));
    EXPECT_EQ(GainCalls()[1], std::make_pair(1.0f, 1.0f));
}

TEST_F(ExtrasTest, LosingTheFocusToAnotherProgramPausesOnlyWhenChosen) {
    StartPlaying();
    Main().OnApplicationState(Qt::ApplicationInactive);
    EXPECT_FALSE(Game().S.Paused);

    sk::ExtraSettings on = Main().Extras();
    on.FocusPause = true;
    Main().ApplyExtras(on);
    Main().OnApplicationState(Qt::ApplicationInactive);
    EXPECT_TRUE(Game().S.Paused);
    EXPECT_TRUE(Game().S.Shell.StopB.Checked);
    Main().OnApplicationState(Qt::ApplicationActive);
    Main().OnApplicationState(Qt::ApplicationInactive);
    EXPECT_TRUE(Game().S.Paused);  // stays paused, not toggled back

    Main().ResetBClick();
    Main().OnApplicationState(Qt::ApplicationInactive);
    EXPECT_FALSE(Game().S.Paused);  // the title is not paused
}

TEST_F(ExtrasTest, AZoomedFrameIsThe1xFrameScaledUpAndTheMouseIsMappedBack) {
    StartPlaying();
    Game().S.Paused = true;  // hold the picture still
    QWidget* client = Main().View().MainScreen()->parentWidget();
    const QImage direct = client->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(direct.size(), QSize(632, 434));

    sk::ExtraSettings zoomed = Main().Extras();
    zoomed.ZoomMode = sk::Zoom::X3;
    Main().ApplyExtras(zoomed);
    ASSERT_NE(Main().View().ShownZoomView(), nullptr);
    EXPECT_EQ(Main().centralWidget()->size(), QSize(3 * 632, 3 * 434));
    const QImage big = Main().View().ShownZoomView()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(big, direct.scaled(3 * 632, 3 * 434, Qt::IgnoreAspectRatio, Qt::FastTransformation));

    // (3 x 100 + 2, 3 x 50 + 1) is game pixel (100, 50): target (84, 34).
    Game().S.Paused = false;
    QTest::mouseMove(Main().View().ShownZoomView(), QPoint(302, 151));
    EXPECT_EQ(Game().S.TargetX, 84);
    EXPECT_EQ(Game().S.TargetY, 34);
    QTest::mouseClick(Main().View().ShownZoomView(), Qt::LeftButton, {}, QPoint(302, 151));
    EXPECT_EQ(Game().S.ShotsInFlight, 1);
    Game().S.GameOver = true;
    Game().S.Score = 700;
    QTest::mouseDClick(Main().View().ShownZoomView(), Qt::LeftButton, {}, QPoint(302, 151));
    EXPECT_EQ(Game().S.Score, 0);

    zoomed.ZoomMode = sk::Zoom::X1;
    Main().ApplyExtras(zoomed);
    EXPECT_EQ(Main().View().ShownZoomView(), nullptr);
    EXPECT_EQ(Main().centralWidget()->size(), QSize(632, 434));
}

// Records the parts of a widget that were painted.
class PaintSpy : public QObject {
public:
    explicit PaintSpy(QWidget* widget) { widget->installEventFilter(this); }
    QRegion painted;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
        return QObject::eventFilter(watched, event);
    }
};

TEST_F(ExtrasTest, AtAZoomWhatAFrameChangesInTheStatusBarIsDrawnAgainAtOnce) {
    StartPlaying();
    Game().S.Paused = true;  // only the status bar changes
    sk::ExtraSettings zoomed = Main().Extras();
    zoomed.ZoomMode = sk::Zoom::X2;
    Main().ApplyExtras(zoomed);
    QCoreApplication::processEvents();
    PaintSpy spy(Main().View().ShownZoomView());

    Game().S.Shell.ScoreCaption = "0000100";
    Game().S.Shell.GaugeWidth = 10;
    Main().StateChanged();
    Main().Mirror();
    QCoreApplication::processEvents();
    EXPECT_TRUE(spy.painted.contains(QRect(2 * 551, 2 * 412, 2 * 65, 2 * 19))) << "score";
    EXPECT_TRUE(spy.painted.contains(QRect(2 * 168, 2 * 416, 2 * sk::kGaugeFull, 2 * 6))) << "gauge";
    EXPECT_FALSE(spy.painted.intersects(QRect(0, 0, 2 * 632, 2 * 400))) << "the play field did not change";
}

// The window on the small screen beside the large one: zooms above 1x are
// neither shown nor offered there, F11 agrees, and the zoom asked for
// returns on the large screen.
TEST_F(ExtrasTest, AZoomWhoseWindowDoesNotFitTheScreenFallsBackAndIsNotOffered) {
    Start();
    sk::ExtraSettings wish = Main().Extras();
    wish.ZoomMode = sk::Zoom::X2;
    Main().ApplyExtras(wish);
    EXPECT_EQ(Main().View().ShownZoom(), sk::Zoom::X2);

    Main().move(2048 + 100, 100);  // onto the small screen
    EXPECT_EQ(Main().View().ShownZoom(), sk::Zoom::X1);
    EXPECT_EQ(Main().centralWidget()->size(), QSize(632, 434));
    EXPECT_EQ(Main().View().WindowedZoom(), sk::Zoom::X2);

    Main().ToggleFullScreen();
    Main().ToggleFullScreen();
    EXPECT_EQ(Main().View().ShownZoom(), sk::Zoom::X1);

    bool offered2 = true, checked1 = false;
    WhenModalOpens(
        [&](QWidget* box) {
            offered2 = box->findChild<QAbstractButton*>("ZoomItem2")->isEnabled();
            checked1 = box->findChild<QAbstractButton*>("ZoomItem1")->isChecked();
            EXPECT_TRUE(box->findChild<QAbstractButton*>("ZoomItem4")->isEnabled());
        },
        [](QWidget* box) { static_cast<QDialog*>(box)->accept(); });
    Main().PlayOptionsBClick();
    EXPECT_FALSE(offered2);
    EXPECT_TRUE(checked1);
    EXPECT_EQ(Stored("Zoom"), "2");  // left as shown: the wish stays

    Main().move(100, 100);
    EXPECT_EQ(Main().View().ShownZoom(), sk::Zoom::X2);
    EXPECT_EQ(Main().centralWidget()->size(), QSize(2 * 632, 2 * 434));
}

TEST(ZoomFit, TheLargestZoomWhoseWindowFitsTheAvailableArea) {
    const QSize chrome(6, 51);  // frame and menu bar
    const auto fitting = [&](int width, int height, sk::Zoom wished = sk::Zoom::X3) {
        return sk::FittingZoom(wished, QSize(width, height), chrome, 1.0);
    };
    EXPECT_EQ(fitting(800, 600), sk::Zoom::X1);
    EXPECT_EQ(fitting(1280, 800), sk::Zoom::X1);
    EXPECT_EQ(fitting(1920, 1080), sk::Zoom::X2);
    EXPECT_EQ(fitting(1920, 1080, sk::Zoom::X1), sk::Zoom::X1);
    EXPECT_EQ(fitting(2560, 1440), sk::Zoom::X3);
    EXPECT_EQ(fitting(640, 480, sk::Zoom::FullScreen), sk::Zoom::FullScreen);
    // To the pixel: 1264 x 868 at 2x, and the chrome around it.
    EXPECT_EQ(fitting(1270, 919), sk::Zoom::X2);
    EXPECT_EQ(fitting(1270, 918), sk::Zoom::X1);
    EXPECT_EQ(fitting(1269, 919), sk::Zoom::X1);
    // At 150 % 2x is three device pixels a game pixel: 1264 x 868 logical.
    EXPECT_EQ(sk::ZoomedClientSize(sk::Zoom::X2, 1.5), QSize(1264, 868));
    EXPECT_EQ(sk::FittingZoom(sk::Zoom::X2, QSize(1270, 918), chrome, 1.5), sk::Zoom::X1);
}

TEST(ZoomedConfinement, MarginsInsideTheClientScaleAndFrameMarginsStay) {
    // A window with a 1-pixel border and 43 pixels of title and menu bar.
    const QRect image1(101, 143, 632, 434);
    const QRect frame1 = image1.adjusted(-1, -43, 1, 1);
    EXPECT_EQ(sk::ZoomedConfinementArea(frame1, image1, 1.0), sk::ConfinementArea(frame1));

    const QRect image3(101, 143, 3 * 632, 3 * 434);
    const QRect frame3 = image3.adjusted(-1, -43, 1, 1);
    const QRect area = sk::ZoomedConfinementArea(frame3, image3, 3.0);
    EXPECT_EQ(area.left(), image3.left() + 3 * 3);
    EXPECT_EQ(area.top(), frame3.top() + 22);  // in the menu bar: unscaled
    EXPECT_EQ(area.right(), image3.right() - 3 * 3);
    EXPECT_EQ(area.bottom(), image3.bottom() - 3 * 33);
    EXPECT_EQ(sk::DevicePixelFactor(2, 1.5), 3);
    EXPECT_EQ(sk::DevicePixelFactor(1, 1.25), 1);
}
