// The program's entry: one copy per user, six windows, the event loop.
//   skarbolt                        the game
//   skarbolt --play-replay FILE     the game, straight into watching FILE
//   skarbolt --verify-replay FILE   plays FILE without a window (see VerifyCommand.h)
#include "app/Application.h"
#include "app/AppWindows.h"
#include "app/DataFolder.h"
#include "app/ExitSignals.h"
#include "app/Fonts.h"
#include "app/Identity.h"
#include "app/MessageBoxes.h"
#include "app/SingleInstance.h"
#include "app/TuneSoundFont.h"
#include "app/VerifyCommand.h"

#include <QTimer>

#include <cstring>
#include <exception>
#include <filesystem>
#include <string>

namespace {

// The file after `option`, made absolute before the program changes folder.
std::string FileAfter(int argc, char** argv, const char* option) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], option) == 0) return std::filesystem::absolute(argv[i + 1]).string();
    }
    return {};
}

constexpr int kSubsetDelayMs = 2000;

}  // namespace

int main(int argc, char** argv) {
    // Before any lock, window or display: it only reads.
    if (const std::string file = FileAfter(argc, argv, "--verify-replay"); !file.empty()) {
        return sk::RunVerifyCommand(file, argv[0]);
    }
    const std::string watch = FileAfter(argc, argv, "--play-replay");

    // Held until the process ends; the kernel drops it even after a crash.
    // Where no lock can be made at all, the game starts rather than refuse.
    static sk::SingleInstanceLock instance;
    if (instance.Acquire() == sk::SingleInstanceLock::Outcome::TakenByAnotherCopy) return 1;

    // The sound library's SDL would otherwise swallow SIGINT and SIGTERM, and
    // the program could then only be stopped by SIGKILL.
    qputenv("SDL_NO_SIGNAL_HANDLERS", "1");
    // The sound server shows the game's name for its stream (unless the
    // player chose another).
    for (const char* hint : {"SDL_APP_NAME", "SDL_AUDIO_DEVICE_STREAM_NAME"}) {
        if (qEnvironmentVariableIsEmpty(hint)) qputenv(hint, "Skarbolt 98");
    }

    // The menus stay in the window, whose size and centring count with them;
    // a desktop's global menu bar is not even asked for (over D-Bus).
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    sk::Application app(argc, argv);
    try {
        QApplication::setApplicationName(QStringLiteral("Skarbolt 98"));
        sk::SetDesktopIdentity();
        // Before any window: the sound library takes the current folder as
        // the base of its relative names.
        sk::EnterDataFolder(QCoreApplication::applicationDirPath().toStdString());
        // Before the sound library starts; a missing subset is made well
        // after the title is on screen.
        sk::UseTuneSoundFont(kSubsetDelayMs);
        sk::InstallFontSubstitutions();
        AppWindows windows;
        windows.MainForm.setWindowIcon(sk::ProgramIcon());
        // From here to the end SIGTERM, SIGINT and SIGHUP wait for the event
        // loop, which ends the program as a close of its window does (and
        // saves what start-up read). Before, they end it at once: nothing
        // has been read that could be lost.
        sk::ExitSignals endSignals;
        QObject::connect(&endSignals, &sk::ExitSignals::EndRequested, &windows.MainForm, &QWidget::close);
        windows.MainForm.show();
        if (!watch.empty()) {
            QTimer::singleShot(0, &windows.MainForm,
                               [&windows, &watch] { windows.MainForm.WatchReplayFile(QString::fromStdString(watch)); });
        }
        return app.exec();
    } catch (const std::exception& e) {
        sk::ShowExceptionBox(QString::fromUtf8(e.what()));
    }
    return 0;
}
