#include "sound/MidiWriter.h"

namespace sonobox {
namespace {

void PutBig(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutVlq(std::vector<std::uint8_t>& out, std::uint32_t value) {
    std::uint8_t groups[5];
    int count = 0;
    do {
        groups[count++] = static_cast<std::uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (count > 1) out.push_back(static_cast<std::uint8_t>(groups[--count] | 0x80));
    out.push_back(groups[0]);
}

void PutEvent(std::vector<std::uint8_t>& out, const MidiEvent& event) {
    out.push_back(event.status);
    if (event.status == 0xFF) {
        out.push_back(0x51);
        PutVlq(out, static_cast<std::uint32_t>(event.data.size()));
    } else if (event.status == 0xF0) {
        PutVlq(out, static_cast<std::uint32_t>(event.data.size()));
    }
    out.insert(out.end(), event.data.begin(), event.data.end());
}

// Ticks stay within 32 bits: the parser refuses longer tracks.
void PutTrack(std::vector<std::uint8_t>& out, const MidiTrack& track) {
    out.insert(out.end(), {'M', 'T', 'r', 'k', 0, 0, 0, 0});
    const std::size_t lengthAt = out.size() - 4;
    std::uint64_t tick = 0;
    for (const MidiEvent& event : track.events) {
        PutVlq(out, static_cast<std::uint32_t>(event.tick - tick));
        tick = event.tick;
        PutEvent(out, event);
    }
    PutVlq(out, static_cast<std::uint32_t>(track.endTick - tick));
    out.insert(out.end(), {0xFF, 0x2F, 0x00});
    const auto length = static_cast<std::uint32_t>(out.size() - lengthAt - 4);
    for (int i = 0; i < 4; ++i) out[lengthAt + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(length >> (24 - 8 * i));
}

}  // namespace

std::vector<std::uint8_t> WriteMidi(const MidiPiece& piece) {
    std::vector<std::uint8_t> out{'M', 'T', 'h', 'd'};
    PutBig(out, 6, 4);
    PutBig(out, piece.tracks.size() == 1 ? 0 : 1, 2);
    PutBig(out, static_cast<std::uint32_t>(piece.tracks.size()), 2);
    PutBig(out, static_cast<std::uint32_t>(piece.summary.division), 2);
    for (const MidiTrack& track : piece.tracks) PutTrack(out, track);
    return out;
}

std::optional<std::vector<std::uint8_t>> CanonicalMidi(std::span<const std::uint8_t> file) {
    auto piece = ParseMidi(file);
    if (!piece) return std::nullopt;
    return WriteMidi(*piece);
}

}  // namespace sonobox
