// Which SoundFont presets a set of standard MIDI files asks the synthesizer
// for, read the way FluidSynth plays them: channel 10 is the drum channel
// (bank 128), bank select is GS style (controller 0 sets the bank, 32 is
// ignored, the drum channel ignores both), and every channel starts, and
// starts again with every pass of a piece, on program 0 of its bank.
#pragma once

#include <compare>
#include <filesystem>
#include <optional>
#include <set>
#include <span>
#include <vector>

namespace sk {

struct PresetRequest {
    int Bank = 0;
    int Program = 0;
    bool Drum = false;  // asked for on the drum channel (it falls back differently)
    auto operator<=>(const PresetRequest&) const = default;
};

// The presets that sound a note in `midi` (a whole standard MIDI file). None
// when the file cannot be read this way, or when it holds system-exclusive
// messages (which may switch a channel to drums or reset the synthesizer).
std::optional<std::set<PresetRequest>> PresetsSounded(std::span<const unsigned char> midi);

// The same over files; none when any one of them cannot be read so.
std::optional<std::set<PresetRequest>> PresetsSoundedBy(const std::vector<std::filesystem::path>& files);

}  // namespace sk
