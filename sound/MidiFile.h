// The standard MIDI file checker: header, tracks and the length of the piece.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace sonobox {

struct MidiSummary {
    int format = 0;            // 0, 1 or 2
    int tracks = 0;
    std::int16_t division = 0; // ticks per quarter note, or negative SMPTE frames
    std::uint64_t lengthTicks = 0;  // the end of the longest track, in file ticks
};

// Nothing when the bytes are not a well-formed standard MIDI file: an MThd
// header of format 0, 1 or 2 with at least one track and a non-zero
// division, followed by as many complete MTrk chunks (other chunks skipped)
// whose events all parse. A track may end without its end-of-track event.
std::optional<MidiSummary> ReadMidi(std::span<const std::uint8_t> bytes);

// Music time: 768 ticks to a quarter note. SMPTE files count at the
// default tempo of 120 quarter notes a minute. Clamped to int32.
std::int32_t ToMusicTime(std::uint64_t ticks, std::int16_t division);

}  // namespace sonobox
