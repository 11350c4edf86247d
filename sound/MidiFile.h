// The standard MIDI file checker: header, tracks and the length of the piece.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace sonobox {

struct MidiSummary {
    int format = 0;            // 0, 1 or 2
    int tracks = 0;
    int division = 0;          // ticks per quarter note
    std::uint64_t lengthTicks = 0;  // the end of the longest track, in file ticks
};

// The synthesizer's player takes no more tracks than this.
inline constexpr int kMaxTracks = 128;

// Nothing when the bytes are not a standard MIDI file the synthesizer's
// player reads as it stands: a 6-byte MThd header of format 0, 1 or 2 with
// 1 to 128 tracks and a division in ticks per quarter note (SMPTE time is
// refused), followed by as many complete MTrk chunks (other chunks
// skipped), each ending with its end-of-track event, whose events all
// parse. Meta and system exclusive events end running status; escaped
// system exclusive (F7) events are refused; tempo, SMPTE offset, time and
// key signatures have their fixed lengths, and the tempo is not 0.
std::optional<MidiSummary> ReadMidi(std::span<const std::uint8_t> bytes);

// Music time: 768 ticks to a quarter note, clamped to int32; 0 for a
// division that is not positive.
std::int32_t ToMusicTime(std::uint64_t ticks, int division);

}  // namespace sonobox
