// The extras' costs per frame: showing the client area at 1x against the
// zoomed present at 2x and 3x (render at 1x, one scaled copy), full screen
// at 1280 x 800 by whole factors (1x with bars) and fitted (2x, then down
// smoothly to 1165 x 800), and reading a connected game pad (SDL's virtual
// joystick) against the title frame; and a whole shown title frame at 1x in
// the main window's client (on X11 through shared memory: run under Xvfb
// with QT_QPA_PLATFORM=xcb).
// Runs on Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include "app/ClientView.h"
#include "app/Gamepad.h"
#include "app/PlayArea.h"
#include "app/ZoomView.h"
#include "game/Game.h"
#include "game/Headless.h"

#include <QApplication>
#include <QImage>
#include <QMainWindow>

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

struct Shell {
    sk::NullWindowPort port;
    sk::Game game{port, sk::LoadPictures(), sk::SilentSound()};
    QWidget host;
    QWidget* client = new QWidget(&host);
    PlayArea* area = new PlayArea(game, client);
    sk::ZoomView* view = new sk::ZoomView(client, &host);

    Shell() {
        game.InitGame(sk::Settings{});
        game.ShowTitlePicture();
        client->setFixedSize(sk::kFieldWidth, sk::kClientHeight);
        area->setGeometry(0, 0, sk::kFieldWidth, sk::kClientHeight);
        host.show();
    }
};

// Left to the process's end: its widgets must not outlive the application.
Shell& TheShell() {
    static Shell* shell = new Shell;
    return *shell;
}

void BM_Present1x(benchmark::State& state) {
    Shell& shell = TheShell();
    QImage target(sk::kFieldWidth, sk::kClientHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        shell.client->render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_Present1x);

void BM_PresentZoomed(benchmark::State& state) {
    Shell& shell = TheShell();
    const int factor = static_cast<int>(state.range(0));
    shell.view->SetFactor(factor, sk::ZoomFill::Factor);
    shell.host.resize(sk::kFieldWidth * factor, sk::kClientHeight * factor);
    shell.view->resize(shell.host.size());
    shell.client->move(-sk::kFieldWidth - 1, 0);  // out of sight, as the window keeps it
    QImage target(shell.view->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        shell.view->render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_PresentZoomed)->Arg(2)->Arg(3);

// A whole frame on a 1280 x 800 screen; Arg 0: whole factors, 1: fitted.
void BM_PresentFullScreen1280x800(benchmark::State& state) {
    Shell& shell = TheShell();
    shell.view->SetFactor(1, state.range(0) != 0 ? sk::ZoomFill::Fit : sk::ZoomFill::Whole);
    shell.host.resize(1280, 800);
    shell.view->resize(shell.host.size());
    shell.client->move(-sk::kFieldWidth - 1, 0);
    QImage target(shell.view->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        shell.view->render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
    state.counters["scale"] = shell.view->Scale();
}
BENCHMARK(BM_PresentFullScreen1280x800)->Arg(0)->Arg(1);

void BM_TitleFrame(benchmark::State& state) {
    Shell& shell = TheShell();
    for (auto _ : state) benchmark::DoNotOptimize(shell.game.AppIdle());
}
BENCHMARK(BM_TitleFrame);

// A title frame as the main window shows it: the frame, its changed rows
// put on the screen, the status bar mirrored, the events that follow.
void BM_ShownTitleFrame1x(benchmark::State& state) {
    static sk::NullWindowPort port;
    static sk::Game game{port, sk::LoadPictures(), sk::SilentSound()};
    static QMainWindow* window = new QMainWindow;
    static sk::ClientView* view = new sk::ClientView(window, game);
    game.InitGame(sk::Settings{});
    game.ShowTitlePicture();
    view->SetClientSize(QSize(sk::kFieldWidth, sk::kClientHeight));
    window->show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        game.AppIdle();
        view->Present(game.ChangedRows());
        view->Mirror(game.S.Shell);
        QCoreApplication::processEvents();
    }
    state.counters["direct"] = view->MainScreen()->PresentsDirectly() ? 1 : 0;
}
BENCHMARK(BM_ShownTitleFrame1x);

void BM_PadPoll(benchmark::State& state) {
    static sk::Gamepad pad("");
    const bool connected = state.range(0) != 0;
    int index = -1;
    if (connected) {
        index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                          SDL_CONTROLLER_BUTTON_MAX, 0);
    }
    for (auto _ : state) benchmark::DoNotOptimize(pad.Poll());
    state.counters["connected"] = pad.Poll().Connected ? 1 : 0;
    if (index >= 0) SDL_JoystickDetachVirtual(index);
}
BENCHMARK(BM_PadPoll)->Arg(0)->Arg(1);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
