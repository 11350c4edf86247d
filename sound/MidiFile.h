// The standard MIDI file checker: header, tracks and the length of the piece.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace sonobox {

struct MidiSummary {
    int format = 0;            // 0, 1 or 2
    int tracks = 0;
    int division = 0;          // ticks per quarter note
    std::uint64_t lengthTicks = 0;  // the end of the longest track, in file ticks
};

// The synthesizer's player takes no more tracks than this.
inline constexpr int kMaxTracks = 128;

// The player counts ticks in a signed 32-bit integer.
inline constexpr std::uint64_t kMaxTrackTicks = 0x7FFFFFFF;

// One event the player acts on: a channel message, a tempo change or a
// complete system exclusive message. `data` points into the parsed bytes:
// the channel message's data bytes, the tempo's three bytes, or the system
// exclusive message after its length (ending with F7).
struct MidiEvent {
    std::uint64_t tick = 0;  // from the start of the track
    std::uint8_t status = 0; // 0x80..0xEF, 0xF0, or 0xFF for the tempo
    std::span<const std::uint8_t> data;
};

struct MidiTrack {
    std::vector<MidiEvent> events;
    std::uint64_t endTick = 0;  // the tick of its end-of-track event
};

// A checked file as the player needs it: what ReadMidi says of it and the
// events of its tracks (text and other meta events left out).
struct MidiPiece {
    MidiSummary summary;
    std::vector<MidiTrack> tracks;
};

// Nothing when the bytes are not a standard MIDI file the synthesizer's
// player reads as it stands: a 6-byte MThd header of format 0, 1 or 2 with
// 1 to 128 tracks and a division in ticks per quarter note (SMPTE time is
// refused), followed by as many complete MTrk chunks (other chunks
// skipped), each ending with its end-of-track event, whose events all
// parse. Meta and system exclusive events end running status; escaped
// system exclusive (F7) events are refused; tempo, SMPTE offset, time and
// key signatures have their fixed lengths, the tempo is not 0, and no
// track ends beyond kMaxTrackTicks.
std::optional<MidiSummary> ReadMidi(std::span<const std::uint8_t> bytes);

// ReadMidi with the events kept; they point into `bytes`.
std::optional<MidiPiece> ParseMidi(std::span<const std::uint8_t> bytes);

// Music time: 768 ticks to a quarter note, clamped to int32; 0 for a
// division that is not positive.
std::int32_t ToMusicTime(std::uint64_t ticks, int division);

}  // namespace sonobox
