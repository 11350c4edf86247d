// skarbolt_driver: plays the game without a window from a script and prints
// one JSON line per frame.
//
//   skarbolt_driver [--data DIR] [--sound] [--quiet] [--replays DIR] SCRIPT
//
// Runs in the current folder (which must hold Data/), or in DIR. --sound
// uses the real sound library with whatever SDL driver the environment
// names; by default the game is silent. --quiet prints no frame lines.
// --replays writes each game the script plays as DIR/game-N.skr (N from 1;
// a game still running at the end is closed as the program's end closes it).
// Exit status: 0 done, 1 bad use or a file that could not be read or
// written, 2 an expectation of the script was not met.
#include "AutoPlay.h"
#include "DriverPort.h"
#include "FrameLog.h"
#include "PngWriter.h"
#include "Script.h"

#include "game/Game.h"
#include "game/Headless.h"
#include "sound/sonobox.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

struct Options {
    std::string DataDir;
    std::string ScriptPath;
    bool Sound = false;
    bool Quiet = false;
    std::string ReplayDir;
};

// The real library, for --sound; the driver sets no volumes.
sk::SoundApi SonoboxSound() {
    return sk::SoundApi{&DsStart, &DsMake, &DsPlay, &DsEnd, &DmStart, &DmMake, &DmPlay, &DmStop, &DmEnd};
}

bool ParseArguments(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--data" && i + 1 < argc) {
            options.DataDir = argv[++i];
        } else if (arg == "--sound") {
            options.Sound = true;
        } else if (arg == "--quiet") {
            options.Quiet = true;
        } else if (arg == "--replays" && i + 1 < argc) {
            options.ReplayDir = std::filesystem::absolute(argv[++i]).string();
        } else if (!arg.empty() && arg[0] != '-' && options.ScriptPath.empty()) {
            options.ScriptPath = arg;
        } else {
            return false;
        }
    }
    return !options.ScriptPath.empty();
}

bool ReadScript(const std::string& path, driver::Script& script) {
    std::ifstream in(path);
    if (!in) {
        std::fprintf(stderr, "cannot read the script %s\n", path.c_str());
        return false;
    }
    std::stringstream text;
    text << in.rdbuf();
    std::string error;
    if (!driver::ParseScript(text.str(), script, error)) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), error.c_str());
        return false;
    }
    return true;
}

// Shell behaviour: a shortcut acts only while its menu item is enabled.
void ApplyEvent(sk::Game& game, const std::vector<std::string>& w, int& pointerX, int& pointerY,
                bool& autoPlay) {
    const sk::ShellState& shell = game.S.Shell;
    if (w[0] == "key") {
        if (w[1] == "F1" && shell.StartBot.Enabled) game.StartBotClick();
        if (w[1] == "F2" && shell.ResetB.Enabled) game.ResetBClick();
        if (w[1] == "F3" && shell.StopB.Enabled) game.StopBClick();
    } else if (w[0] == "move") {
        pointerX = std::stoi(w[1]);
        pointerY = std::stoi(w[2]);
        game.MainScreenMouseMove(pointerX, pointerY);
    } else if (w[0] == "press") {
        game.MainScreenMouseDown(w[1] == "left" ? sk::MouseButton::Left : sk::MouseButton::Right, pointerX,
                                 pointerY);
    } else if (w[0] == "dblclick") {
        game.MainScreenDblClick();
    } else if (w[0] == "autoplay") {
        autoPlay = w[1] == "on";
    } else if (w[0] == "cheat") {
        game.SpecialBClick();
    }
}

void AutoPlayStep(sk::Game& game) {
    const driver::AutoPlayMove move = driver::DecideMove(game.S);
    if (move.Steer) game.MainScreenMouseMove(move.PointerX, move.PointerY);
    if (move.FireRight) {
        game.MainScreenMouseDown(sk::MouseButton::Right, move.PointerX, move.PointerY);
    } else if (move.FireLeft) {
        game.MainScreenMouseDown(sk::MouseButton::Left, move.PointerX, move.PointerY);
    }
}

bool WriteReplay(const std::string& path, const std::vector<std::uint8_t>& file) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    if (out.flush()) return true;
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return false;
}

void StartSound(const sk::SoundApi& sound, const driver::Script& script) {
    sound.DsStart(nullptr);
    sound.DmStart(nullptr);
    sk::LoadSounds(sound, script.Music);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseArguments(argc, argv, options)) {
        std::fprintf(stderr, "usage: skarbolt_driver [--data DIR] [--sound] [--quiet] [--replays DIR] SCRIPT\n");
        return 1;
    }
    driver::Script script;
    if (!ReadScript(options.ScriptPath, script)) return 1;
    // Picture files are named relative to where the driver was started.
    for (driver::Snapshot& shot : script.Snapshots) shot.File = std::filesystem::absolute(shot.File).string();
    if (!options.DataDir.empty()) {
        std::error_code error;
        std::filesystem::current_path(options.DataDir, error);
        if (error) {
            std::fprintf(stderr, "cannot change to %s\n", options.DataDir.c_str());
            return 1;
        }
    }

    sk::SoundApi sound = sk::SilentSound();
    if (options.Sound) {
        sound = SonoboxSound();
        StartSound(sound, script);
    }
    driver::DriverPort port;
    sk::Game game(port, sk::LoadPictures(), sound);
    sk::LoadHighScores(game.HighScores);
    game.S.Shell.DifficultyIndex = script.DifficultyItem;
    game.InitGame(sk::Settings{script.Music, script.Sound, script.MouseLock, script.Difficulty});
    game.ShowTitlePicture();
    if (script.Seed) game.S.Random.seed(*script.Seed);
    int replays = 0;
    bool filesOk = true;
    if (!options.ReplayDir.empty()) {
        game.RecordReplays([&](const std::vector<std::uint8_t>& file) {
            filesOk &= WriteReplay(options.ReplayDir + "/game-" + std::to_string(++replays) + ".skr", file);
        });
    }

    std::stable_sort(script.Events.begin(), script.Events.end(),
                     [](const driver::Event& a, const driver::Event& b) { return a.Frame < b.Frame; });
    auto nextEvent = script.Events.begin();
    int pointerX = 0, pointerY = 0;
    bool autoPlay = script.AutoPlay;
    int bestStage = 0, bestScore = 0;

    for (int frame = 0; frame < script.Frames; ++frame) {
        for (; nextEvent != script.Events.end() && nextEvent->Frame == frame; ++nextEvent) {
            ApplyEvent(game, nextEvent->Words, pointerX, pointerY, autoPlay);
        }
        if (autoPlay) AutoPlayStep(game);
        game.AppIdle();
        bestStage = std::max(bestStage, game.S.StageNo);
        bestScore = std::max(bestScore, game.S.Score);
        if (!options.Quiet) driver::PrintFrame(stdout, frame, game.S);
        for (const driver::Snapshot& shot : script.Snapshots) {
            if (shot.Frame != frame) continue;
            filesOk &= shot.OffScreen ? driver::WritePng(game.MainScr, shot.File)
                                      : driver::WritePng(game.Screen(), shot.File, game.S.Shell.MainScreenHeight);
        }
    }
    game.EndRecording();
    std::fprintf(stderr, "after %d frames: stage %d (highest %d), score %d (highest %d)\n", script.Frames,
                 game.S.StageNo, bestStage, game.S.Score, bestScore);
    if (options.Sound) {
        sound.DsEnd();
        sound.DmEnd();
    }

    bool met = true;
    if (script.ExpectStage && bestStage < *script.ExpectStage) {
        std::fprintf(stderr, "expected stage %d was not reached\n", *script.ExpectStage);
        met = false;
    }
    if (script.ExpectScore && bestScore < *script.ExpectScore) {
        std::fprintf(stderr, "expected score %d was not reached\n", *script.ExpectScore);
        met = false;
    }
    if (!filesOk) return 1;
    return met ? 0 : 2;
}
