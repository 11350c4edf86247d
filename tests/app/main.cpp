// Runs the widget tests on the offscreen platform, in a private copy of the
// data folder and with a private settings folder, so that nothing the tests
// write reaches the source tree or the user's own settings, and in the
// original Japanese whatever the machine's languages.
#include "AppTestEnv.h"
#include "app/Application.h"
#include "app/Fonts.h"
#include "app/Language.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <system_error>

#include <unistd.h>

namespace fs = std::filesystem;

namespace apptest {
namespace {
fs::path runDir, configDir;
}

const fs::path& RunDir() { return runDir; }
const fs::path& ConfigDir() { return configDir; }
fs::path SettingsFile() { return configDir / "SK98.conf"; }

}  // namespace apptest

namespace {

fs::path MakeTempDir(const char* prefix) {
    std::string pattern = (fs::temp_directory_path() / (std::string(prefix) + "XXXXXX")).string();
    if (!::mkdtemp(pattern.data())) return {};
    return pattern;
}

}  // namespace

int main(int argc, char** argv) {
    // Asked by the language tests: the language "自動" gives in this
    // process's environment.
    if (argc > 1 && std::string(argv[1]) == "--automatic-language") {
        QCoreApplication probe(argc, argv);
        std::puts(sk::LanguageCode(sk::ResolveLanguage(sk::Language::Automatic)));
        return 0;
    }
    const fs::path gamedata = fs::current_path();
    const fs::path root = MakeTempDir("skarbolt-app-tests-");
    if (root.empty()) return 2;
    apptest::runDir = root / "run";
    apptest::configDir = root / "config";
    fs::create_directories(apptest::configDir);
    std::error_code error;
    fs::copy(gamedata, apptest::runDir, fs::copy_options::recursive, error);
    fs::create_directories(apptest::runDir / "Data");
    fs::current_path(apptest::runDir);

    ::setenv("XDG_CONFIG_HOME", apptest::configDir.c_str(), 1);
    // Two screens side by side: a large one first, which takes every zoom,
    // and a small one beside it, which takes 1x alone.
    const std::string platform = std::getenv("QT_QPA_PLATFORM") ? std::getenv("QT_QPA_PLATFORM") : "offscreen";
    if (platform == "offscreen") {
        const fs::path screens = root / "screens.json";
        std::ofstream(screens) << R"({"screens": [
            {"name": "Large", "x": 0, "y": 0, "width": 2048, "height": 1536},
            {"name": "Small", "x": 2048, "y": 0, "width": 1024, "height": 768}]})";
        ::setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + screens.string()).c_str(), 1);
    }
    ::setenv("SDL_AUDIODRIVER", "dummy", 0);
    ::setenv("SONOBOX_NO_DIALOGS", "1", 1);
    ::setenv("SKARBOLT_LOCK_DIR", root.c_str(), 0);
    ::setenv("XDG_RUNTIME_DIR", root.c_str(), 0);
    // The windows speak the original Japanese whatever the machine's
    // languages (the language tests set their own).
    ::unsetenv("LANGUAGE");
    ::setenv("LC_ALL", "C.UTF-8", 1);

    sk::Application app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    sk::InstallFontSubstitutions();
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    fs::remove_all(root, error);
    return result;
}
