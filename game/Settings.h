// The four stored settings and the parsing of their stored text.
#pragma once

#include <string_view>

namespace sk {

struct Settings {
    bool MusicOn = true;    // "MidiOut"
    bool SoundOn = true;    // "WaveOut"
    bool MouseLock = true;  // "MouseLock"
    int Difficulty = 4;     // "Difficult"

    bool operator==(const Settings&) const = default;
};

// A stored value as an integer: the whole text must be a decimal integer
// (optional sign, surrounding blanks allowed) that fits 32 bits; anything
// else gives `fallback`.
int ParseSettingValue(std::string_view text, int fallback);

}  // namespace sk
