#include "sound/MidiFile.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace sonobox {
namespace {

constexpr std::uint64_t kMusicTicksPerQuarter = 768;

class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    bool AtEnd() const { return at_ >= bytes_.size(); }
    std::size_t Left() const { return bytes_.size() - at_; }

    std::optional<std::uint8_t> Byte() {
        if (AtEnd()) return std::nullopt;
        return bytes_[at_++];
    }
    std::optional<std::uint32_t> Big(int count) {
        if (Left() < static_cast<std::size_t>(count)) return std::nullopt;
        std::uint32_t value = 0;
        for (int i = 0; i < count; ++i) value = value << 8 | bytes_[at_++];
        return value;
    }
    // A variable-length quantity of at most four bytes.
    std::optional<std::uint32_t> Vlq() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            auto byte = Byte();
            if (!byte) return std::nullopt;
            value = value << 7 | (*byte & 0x7Fu);
            if ((*byte & 0x80u) == 0) return value;
        }
        return std::nullopt;
    }
    bool Skip(std::uint64_t count) {
        if (Left() < count) return false;
        at_ += static_cast<std::size_t>(count);
        return true;
    }
    bool Tag(const char* tag) {
        if (Left() < 4 || std::memcmp(bytes_.data() + at_, tag, 4) != 0) return false;
        at_ += 4;
        return true;
    }
    std::span<const std::uint8_t> Take(std::size_t count) {
        auto part = bytes_.subspan(at_, count);
        at_ += count;
        return part;
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

int DataBytesOf(std::uint8_t status) {
    const std::uint8_t kind = status & 0xF0;
    return (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
}

// Lengths the synthesizer insists on for the meta events it interprets.
bool MetaLengthFits(std::uint8_t type, std::uint32_t length) {
    switch (type) {
        case 0x2F: return length == 0;  // end of track
        case 0x51: return length == 3;  // tempo
        case 0x54: return length == 5;  // SMPTE offset
        case 0x58: return length == 4;  // time signature
        case 0x59: return length == 2;  // key signature
        default: return true;
    }
}

// Meta and system exclusive events end running status. The escaped form of
// system exclusive (F7) is not one the player reads.
bool SkipEvent(Reader& track, std::uint8_t& running, bool& ended) {
    auto first = track.Byte();
    if (!first) return false;
    std::uint8_t status = *first;
    int dataLeft = 0;
    if (status < 0x80) {
        if (running == 0) return false;
        dataLeft = DataBytesOf(running) - 1;
    } else if (status == 0xFF) {
        running = 0;
        auto type = track.Byte();
        auto length = track.Vlq();
        if (!type || !length || !MetaLengthFits(*type, *length)) return false;
        if (*type == 0x51) {
            auto tempo = track.Big(3);
            return tempo && *tempo != 0;
        }
        ended = *type == 0x2F;
        return track.Skip(*length);
    } else if (status == 0xF0) {
        running = 0;
        auto length = track.Vlq();
        return length && track.Skip(*length);
    } else if (status >= 0xF0) {
        return false;
    } else {
        running = status;
        dataLeft = DataBytesOf(status);
    }
    for (int i = 0; i < dataLeft; ++i) {
        auto data = track.Byte();
        if (!data || *data >= 0x80) return false;
    }
    return true;
}

// The tick of the track's end event, or nothing when an event is broken or
// the end event is missing.
std::optional<std::uint64_t> TrackLength(std::span<const std::uint8_t> bytes) {
    Reader track(bytes);
    std::uint64_t ticks = 0;
    std::uint8_t running = 0;
    for (bool ended = false; !ended;) {
        auto delta = track.Vlq();
        if (!delta) return std::nullopt;
        ticks += *delta;
        if (!SkipEvent(track, running, ended)) return std::nullopt;
    }
    return ticks;
}

}  // namespace

std::optional<MidiSummary> ReadMidi(std::span<const std::uint8_t> bytes) {
    Reader file(bytes);
    if (!file.Tag("MThd")) return std::nullopt;
    auto headerLength = file.Big(4);
    auto format = file.Big(2);
    auto tracks = file.Big(2);
    auto division = file.Big(2);
    if (!headerLength || *headerLength != 6 || !format || !tracks || !division) return std::nullopt;
    MidiSummary summary;
    summary.format = static_cast<int>(*format);
    summary.tracks = static_cast<int>(*tracks);
    summary.division = static_cast<int>(*division);
    if (summary.format > 2 || summary.tracks == 0 || summary.tracks > kMaxTracks) return std::nullopt;
    if (summary.division == 0 || summary.division > 0x7FFF) return std::nullopt;

    for (int found = 0; found < summary.tracks;) {
        const bool isTrack = file.Tag("MTrk");
        if (!isTrack && !file.Skip(4)) return std::nullopt;
        auto length = file.Big(4);
        if (!length || file.Left() < *length) return std::nullopt;
        if (!isTrack) {
            file.Skip(*length);
            continue;
        }
        auto ticks = TrackLength(file.Take(*length));
        if (!ticks) return std::nullopt;
        summary.lengthTicks = std::max(summary.lengthTicks, *ticks);
        ++found;
    }
    return summary;
}

std::int32_t ToMusicTime(std::uint64_t ticks, int division) {
    if (division <= 0) return 0;
    constexpr std::uint64_t kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());
    // Clamped first so the product stays within 64 bits.
    ticks = std::min<std::uint64_t>(ticks, std::uint64_t{1} << 48);
    return static_cast<std::int32_t>(std::min(ticks * kMusicTicksPerQuarter / static_cast<std::uint64_t>(division), kMax));
}

}  // namespace sonobox
