// The player's extra choices of the "操作と表示" dialog, beside the four
// stored settings: keyboard and pad control, zoom, the two volumes, the
// pause on focus loss and the language. Their defaults leave the game as it always was.
#pragma once

#include <string_view>

namespace sk {

// Zoom of the client area: 1x, 2x, 3x or fullscreen (the largest whole
// factor that fits the screen, with black bars).
enum class Zoom { X1 = 1, X2 = 2, X3 = 3, FullScreen = 4 };

// The language of the windows: by the player's preferred languages
// (Automatic), or the one chosen.
enum class Language { Automatic = 0, Japanese = 1, English = 2 };

struct ExtraSettings {
    bool KeyControl = true;       // "KeyControl"
    bool PadControl = true;       // "PadControl"
    Zoom ZoomMode = Zoom::X1;     // "Zoom": 1, 2, 3 or 4 (fullscreen)
    int MusicVolume = 100;        // "MusicVolume": percent 0..100
    int EffectVolume = 100;       // "EffectVolume": percent 0..100
    bool FocusPause = false;      // "FocusPause"
    Language Lang = Language::Automatic;  // "Language": 0, 1 or 2

    bool operator==(const ExtraSettings&) const = default;
};

// The stored text of each extra, read with its own range: a value that is
// missing, not a number, or out of range reads as the default.
bool ParseExtraFlag(std::string_view text, bool fallback);
Zoom ParseZoom(std::string_view text);
int ParseVolume(std::string_view text);
Language ParseLanguage(std::string_view text);

// A percentage as a linear gain with a perceived-even slope (square law):
// 100 -> 1, 50 -> 0.25, 0 -> 0.
float VolumeGain(int percent);

}  // namespace sk
