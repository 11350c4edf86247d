// Writes a checked piece back out as a plain standard MIDI file: only the
// header and the tracks, every event with its own status byte, tempo
// changes and complete system exclusive messages as the only non-channel
// events, and each track closed by its end-of-track event. The synthesizer
// is handed these bytes, never the file as it was found.
#pragma once

#include "sound/MidiFile.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace sonobox {

// Format 0 for one track, else format 1; the piece's division.
std::vector<std::uint8_t> WriteMidi(const MidiPiece& piece);

// The bytes the synthesizer may play for a file, or nothing when the file
// is not one ReadMidi accepts.
std::optional<std::vector<std::uint8_t>> CanonicalMidi(std::span<const std::uint8_t> file);

}  // namespace sonobox
