// The player's extra choices of the "操作と表示" dialog, beside the four
// stored settings: keyboard and pad control, the keys, zoom and full-screen
// scaling, the two volumes, the pause on focus loss and the language. Their
// defaults leave the game as it always was.
#pragma once

#include <array>
#include <string_view>

namespace sk {

// Zoom of the client area: 1x, 2x, 3x or fullscreen.
enum class Zoom { X1 = 1, X2 = 2, X3 = 3, FullScreen = 4 };

// How full screen scales: by the largest whole factor that fits (black bars
// around), or to fill the screen with the aspect kept (scaled up by the next
// whole factor, then down smoothly).
enum class FullScreenScaling { Whole = 1, Fit = 2 };

// What the rebindable keys do.
enum class KeyAction { Left, Right, Up, Down, Single, Fan, Continue };
inline constexpr int kKeyActions = 7;

// The keys by their place on the keyboard, as Linux input event codes, so
// that the same places serve QWERTY, AZERTY and QWERTZ keyboards. By default
// the places of W A S D, Z, X and Enter.
struct KeyBindings {
    std::array<int, kKeyActions> Codes = {30, 32, 17, 31, 44, 45, 28};

    int operator[](KeyAction action) const { return Codes[static_cast<int>(action)]; }
    int& operator[](KeyAction action) { return Codes[static_cast<int>(action)]; }
    bool operator==(const KeyBindings&) const = default;
};

// The stored names of the bindings ("KeyLeft", ...), in KeyAction order.
inline constexpr std::array<const char*, kKeyActions> kKeyBindingNames = {
    "KeyLeft", "KeyRight", "KeyUp", "KeyDown", "KeySingle", "KeyFan", "KeyContinue"};
// Input event codes run from 1 to KEY_MAX.
inline constexpr int kMaxKeyCode = 0x2ff;
// The language of the windows: by the player's preferred languages
// (Automatic), or the one chosen.
enum class Language { Automatic = 0, Japanese = 1, English = 2 };

struct ExtraSettings {
    bool KeyControl = true;       // "KeyControl"
    bool PadControl = true;       // "PadControl"
    Zoom ZoomMode = Zoom::X1;     // "Zoom": 1, 2, 3 or 4 (fullscreen)
    FullScreenScaling Scaling = FullScreenScaling::Whole;  // "FullScreenScaling": 1 or 2
    int MusicVolume = 100;        // "MusicVolume": percent 0..100
    int EffectVolume = 100;       // "EffectVolume": percent 0..100
    bool FocusPause = false;      // "FocusPause"
    KeyBindings Keys;             // kKeyBindingNames
    Language Lang = Language::Automatic;  // "Language": 0, 1 or 2

    bool operator==(const ExtraSettings&) const = default;
};

// The stored text of each extra, read with its own range: a value that is
// missing, not a number, or out of range reads as the default.
bool ParseExtraFlag(std::string_view text, bool fallback);
Zoom ParseZoom(std::string_view text);
FullScreenScaling ParseScaling(std::string_view text);
int ParseVolume(std::string_view text);
int ParseKeyCode(std::string_view text, int fallback);
Language ParseLanguage(std::string_view text);

// A percentage as a linear gain with a perceived-even slope (square law):
// 100 -> 1, 50 -> 0.25, 0 -> 0.
float VolumeGain(int percent);

}  // namespace sk
