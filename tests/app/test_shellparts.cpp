// The shell's small parts: the single-instance marker, the end signals, the
// frame gate and clock, the cursor confinement, and the error box for
// escaped exceptions.
#include "app/ExitSignals.h"
#include "app/FrameClock.h"
#include "app/FrameGate.h"
#include "app/MessageBoxes.h"
#include "app/MouseLock.h"
#include "app/SingleInstance.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include <csignal>

#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string UniqueMarker(const char* what) {
    return std::string("SkarboltTest-") + what + "-" + std::to_string(::getpid());
}

// Records the error boxes instead of showing them.
class BoxRecorder {
public:
    BoxRecorder() {
        sk::SetMessageBoxHook([this](QWidget*, sk::BoxKind kind, const QString&, const QString& text) {
            if (kind == sk::BoxKind::Error) Errors.push_back(text);
        });
    }
    ~BoxRecorder() { sk::SetMessageBoxHook({}); }
    std::vector<QString> Errors;
};

class Thrower : public QObject {
public:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::User) throw std::runtime_error("the disk is full");
        return QObject::event(event);
    }
};

}  // namespace

TEST(SingleInstanceLock, OnlyOneHolderAtATimeAndTheMarkerDiesWithItsHolder) {
    using Outcome = sk::SingleInstanceLock::Outcome;
    const std::string name = UniqueMarker("lock");
    {
        sk::SingleInstanceLock first(name);
        ASSERT_EQ(first.Acquire(), Outcome::Held);
        EXPECT_EQ(first.Acquire(), Outcome::Held);  // asking again keeps it
        sk::SingleInstanceLock second(name);
        EXPECT_EQ(second.Acquire(), Outcome::TakenByAnotherCopy);
        EXPECT_FALSE(second.Held());
        sk::SingleInstanceLock other(UniqueMarker("other"));
        EXPECT_EQ(other.Acquire(), Outcome::Held);
    }
    sk::SingleInstanceLock later(name);
    EXPECT_EQ(later.Acquire(), Outcome::Held);
    ::unlink(sk::SingleInstanceLock::PathFor(name).c_str());
    ::unlink(sk::SingleInstanceLock::PathFor(UniqueMarker("other")).c_str());
}

TEST(SingleInstanceLock, AFolderWithoutWriteAccessOrAPlantedFileLetsTheGameStart) {
    using Outcome = sk::SingleInstanceLock::Outcome;
    const std::string name = UniqueMarker("planted");
    const std::string path = sk::SingleInstanceLock::PathFor(name);
    ASSERT_EQ(::symlink("/dev/null", path.c_str()), 0);
    sk::SingleInstanceLock planted(name);
    EXPECT_EQ(planted.Acquire(), Outcome::Unavailable);
    ::unlink(path.c_str());

    const QByteArray folder = qgetenv(sk::kLockFolderVariable);
    qputenv(sk::kLockFolderVariable, "/nonexistent-folder");
    sk::SingleInstanceLock nowhere(name);
    EXPECT_EQ(nowhere.Acquire(), Outcome::Unavailable);
    qputenv(sk::kLockFolderVariable, folder);
}

// The process itself waits for its event loop; a child forked from it without
// a new program (a message box's) still ends on the signal.
TEST(ExitSignals, ASignalReachesTheEventLoopAndAForkedChildEndsOnIt) {
    int requests = 0;
    {
        sk::ExitSignals endSignals;
        QObject::connect(&endSignals, &sk::ExitSignals::EndRequested, [&] { ++requests; });
        ASSERT_EQ(::raise(SIGTERM), 0);
        ASSERT_EQ(::raise(SIGHUP), 0);
        QTRY_VERIFY(requests >= 1);

        const pid_t child = ::fork();
        if (child == 0) {
            ::raise(SIGTERM);
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    }
    struct sigaction after {};
    ::sigaction(SIGTERM, nullptr, &after);
    EXPECT_EQ(after.sa_handler, SIG_DFL);
}

TEST(FrameGate, ReopensOnlyWhenTheLastHoldEnds) {
    int reopened = 0;
    sk::FrameGate::Instance().OnReopen([&] { ++reopened; });
    {
        sk::FrameHold outer;
        {
            sk::FrameHold inner;
            EXPECT_FALSE(sk::FrameGate::Instance().IsOpen());
        }
        EXPECT_FALSE(sk::FrameGate::Instance().IsOpen());
        EXPECT_EQ(reopened, 0);
    }
    EXPECT_TRUE(sk::FrameGate::Instance().IsOpen());
    EXPECT_EQ(reopened, 1);
    sk::FrameGate::Instance().Open();  // an unmatched open changes nothing
    EXPECT_TRUE(sk::FrameGate::Instance().IsOpen());
    EXPECT_EQ(reopened, 1);
    sk::FrameGate::Instance().OnReopen(nullptr);
}

TEST(FrameClock, StopsWhenAFrameAsksForNoneAndRunsAgainOnWake) {
    bool paused = false;
    int frames = 0;
    sk::FrameClock clock([&] { ++frames; return paused ? -1 : 0; }, [&] { return !paused; });
    clock.Start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return frames >= 3; }, 10000));
    paused = true;
    ASSERT_TRUE(QTest::qWaitFor([&] { return !clock.Armed(); }, 10000));
    const int stoppedAt = frames;
    clock.Wake();  // still paused: stays idle
    EXPECT_FALSE(clock.Armed());
    QCoreApplication::processEvents();
    EXPECT_EQ(frames, stoppedAt);
    paused = false;
    clock.Wake();
    EXPECT_TRUE(clock.Armed());
    ASSERT_TRUE(QTest::qWaitFor([&] { return frames > stoppedAt; }, 10000));
}

TEST(FrameClock, HeldFramesWaitAndNeverNest) {
    int frames = 0, nested = 0, depth = 0;
    sk::FrameClock* running = nullptr;
    sk::FrameClock clock(
        [&] {
            ++frames;
            ++depth;
            if (depth > 1) ++nested;
            if (frames == 2) {
                // Like the lap message: a nested event loop inside a frame.
                sk::FrameHold hold;
                QTest::qWait(50);
            }
            --depth;
            return 1;
        },
        [] { return true; });
    running = &clock;
    clock.Start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return frames >= 4; }, 10000));
    EXPECT_EQ(nested, 0);

    const int heldAt = [&] {
        sk::FrameHold hold;
        const int count = frames;
        QTest::qWait(30);
        EXPECT_EQ(frames, count);
        return count;
    }();
    ASSERT_TRUE(QTest::qWaitFor([&] { return frames > heldAt; }, 10000));
    EXPECT_TRUE(running->Started());
}

TEST(MouseLock, AreaIsTheOuterRectangleShrunkOnEachSide) {
    const QRect area = sk::ConfinementArea(QRect(100, 50, 640, 480));
    EXPECT_EQ(area.left(), 104);
    EXPECT_EQ(area.top(), 72);
    EXPECT_EQ(area.right() + 1, 100 + 640 - 4);
    EXPECT_EQ(area.bottom() + 1, 50 + 480 - 34);
}

TEST(MouseLock, SoftClampHoldsTheCursorOnlyWhileActiveAndConfining) {
    sk::MouseLock lock;
    if (lock.method() != sk::MouseLock::Method::SoftClamp) GTEST_SKIP() << "no soft clamp on this platform";
    QObject target;
    QEvent move(QEvent::MouseMove);
    const QRect area(100, 100, 200, 150);

    QCursor::setPos(10, 10);
    lock.Confine(area);
    EXPECT_EQ(QCursor::pos(), QPoint(100, 100));  // pulled inside at once

    QCursor::setPos(900, 20);
    QCoreApplication::sendEvent(&target, &move);
    EXPECT_EQ(QCursor::pos(), QPoint(299, 100));

    lock.SetWindowActive(false);
    QCursor::setPos(5, 5);
    QCoreApplication::sendEvent(&target, &move);
    EXPECT_EQ(QCursor::pos(), QPoint(5, 5));
    lock.SetWindowActive(true);  // back to the last rectangle
    EXPECT_EQ(QCursor::pos(), QPoint(100, 100));

    lock.Release();
    QCursor::setPos(5, 5);
    QCoreApplication::sendEvent(&target, &move);
    EXPECT_EQ(QCursor::pos(), QPoint(5, 5));
    EXPECT_FALSE(lock.Confining());
}

TEST(ErrorBox, AnExceptionThatEscapesAnEventIsShownAndTheLoopGoesOn) {
    BoxRecorder boxes;
    Thrower thrower;
    QEvent user(QEvent::User);
    QCoreApplication::sendEvent(&thrower, &user);
    ASSERT_EQ(boxes.Errors.size(), 1u);
    EXPECT_EQ(boxes.Errors[0], "the disk is full");

    bool ran = false;
    sk::Guarded([&] { ran = true; });
    sk::Guarded([] { throw std::runtime_error("cannot write \"Difficult\""); });
    EXPECT_TRUE(ran);
    ASSERT_EQ(boxes.Errors.size(), 2u);
    EXPECT_EQ(boxes.Errors[1], "cannot write \"Difficult\"");
}
