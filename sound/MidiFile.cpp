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
    std::size_t At() const { return at_; }
    std::span<const std::uint8_t> Since(std::size_t from) const { return bytes_.subspan(from, at_ - from); }
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

// A system exclusive message the player can pass on whole: data bytes
// closed by F7.
bool IsCompleteSysEx(std::span<const std::uint8_t> body) {
    if (body.empty() || body.back() != 0xF7) return false;
    return std::all_of(body.begin(), body.end() - 1, [](std::uint8_t b) { return b < 0x80; });
}

// Walks one track's events; what the player acts on goes to `events` when
// given. Meta and system exclusive events end running status. The escaped
// form of system exclusive (F7) is not one the player reads.
class TrackParser {
public:
    TrackParser(std::span<const std::uint8_t> bytes, std::vector<MidiEvent>* events)
        : track_(bytes), events_(events) {}

    // The tick of the track's end event, or nothing when an event is broken,
    // the end event is missing or the track runs too long.
    std::optional<std::uint64_t> Run() {
        while (!ended_) {
            auto delta = track_.Vlq();
            if (!delta) return std::nullopt;
            tick_ += *delta;
            if (tick_ > kMaxTrackTicks || !Event()) return std::nullopt;
        }
        return tick_;
    }

private:
    bool Event() {
        const std::size_t start = track_.At();
        auto first = track_.Byte();
        if (!first) return false;
        const std::uint8_t status = *first;
        if (status == 0xFF) return Meta();
        if (status == 0xF0) return SysEx();
        if (status >= 0xF0) return false;
        std::size_t dataFrom = track_.At();
        int dataLeft = 0;
        if (status < 0x80) {
            if (running_ == 0) return false;
            dataFrom = start;
            dataLeft = DataBytesOf(running_) - 1;
        } else {
            running_ = status;
            dataLeft = DataBytesOf(status);
        }
        for (int i = 0; i < dataLeft; ++i) {
            auto data = track_.Byte();
            if (!data || *data >= 0x80) return false;
        }
        Keep(running_, track_.Since(dataFrom));
        return true;
    }

    bool Meta() {
        running_ = 0;
        auto type = track_.Byte();
        auto length = track_.Vlq();
        if (!type || !length || !MetaLengthFits(*type, *length)) return false;
        const std::size_t from = track_.At();
        if (!track_.Skip(*length)) return false;
        if (*type == 0x51) {
            const auto tempo = track_.Since(from);
            if ((tempo[0] | tempo[1] | tempo[2]) == 0) return false;
            Keep(0xFF, tempo);
        }
        ended_ = *type == 0x2F;
        return true;
    }

    bool SysEx() {
        running_ = 0;
        auto length = track_.Vlq();
        const std::size_t from = track_.At();
        if (!length || !track_.Skip(*length)) return false;
        if (IsCompleteSysEx(track_.Since(from))) Keep(0xF0, track_.Since(from));
        return true;
    }

    void Keep(std::uint8_t status, std::span<const std::uint8_t> data) {
        if (events_ != nullptr) events_->push_back(MidiEvent{tick_, status, data});
    }

    Reader track_;
    std::vector<MidiEvent>* events_;
    std::uint64_t tick_ = 0;
    std::uint8_t running_ = 0;
    bool ended_ = false;
};

std::optional<MidiPiece> Parse(std::span<const std::uint8_t> bytes, bool keepEvents) {
    Reader file(bytes);
    if (!file.Tag("MThd")) return std::nullopt;
    auto headerLength = file.Big(4);
    auto format = file.Big(2);
    auto tracks = file.Big(2);
    auto division = file.Big(2);
    if (!headerLength || *headerLength != 6 || !format || !tracks || !division) return std::nullopt;
    MidiPiece piece;
    MidiSummary& summary = piece.summary;
    summary.format = static_cast<int>(*format);
    summary.tracks = static_cast<int>(*tracks);
    summary.division = static_cast<int>(*division);
    if (summary.format > 2 || summary.tracks == 0 || summary.tracks > kMaxTracks) return std::nullopt;
    if (summary.division == 0 || summary.division > 0x7FFF) return std::nullopt;

    while (static_cast<int>(piece.tracks.size()) < summary.tracks) {
        const bool isTrack = file.Tag("MTrk");
        if (!isTrack && !file.Skip(4)) return std::nullopt;
        auto length = file.Big(4);
        if (!length || file.Left() < *length) return std::nullopt;
        if (!isTrack) {
            file.Skip(*length);
            continue;
        }
        MidiTrack& track = piece.tracks.emplace_back();
        auto ticks = TrackParser(file.Take(*length), keepEvents ? &track.events : nullptr).Run();
        if (!ticks) return std::nullopt;
        track.endTick = *ticks;
        summary.lengthTicks = std::max(summary.lengthTicks, *ticks);
    }
    return piece;
}

}  // namespace

std::optional<MidiSummary> ReadMidi(std::span<const std::uint8_t> bytes) {
    auto piece = Parse(bytes, false);
    if (!piece) return std::nullopt;
    return piece->summary;
}

std::optional<MidiPiece> ParseMidi(std::span<const std::uint8_t> bytes) { return Parse(bytes, true); }

std::int32_t ToMusicTime(std::uint64_t ticks, int division) {
    if (division <= 0) return 0;
    constexpr std::uint64_t kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());
    // Clamped first so the product stays within 64 bits.
    ticks = std::min<std::uint64_t>(ticks, std::uint64_t{1} << 48);
    return static_cast<std::int32_t>(std::min(ticks * kMusicTicksPerQuarter / static_cast<std::uint64_t>(division), kMax));
}

}  // namespace sonobox
