#include "app/TunePresets.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <system_error>

namespace sk {
namespace {

constexpr int kDrumChannel = 9;
constexpr int kDrumBank = 128;
constexpr std::uintmax_t kLargestTune = 64u << 20;

// A channel message that picks or sounds a preset.
struct Event {
    std::uint64_t Tick = 0;
    int Channel = 0;
    enum Kind { Bank, Program, Note } What = Note;
    int Value = 0;
};

class Reader {
public:
    explicit Reader(std::span<const unsigned char> bytes) : bytes_(bytes) {}
    bool Ok() const { return ok_; }
    std::size_t Left() const { return ok_ ? bytes_.size() - at_ : 0; }
    unsigned Byte() {
        if (Left() < 1) return Fail();
        return bytes_[at_++];
    }
    unsigned Peek() const { return Left() >= 1 ? bytes_[at_] : 0u; }
    std::uint32_t Big(int count) {
        std::uint32_t value = 0;
        for (int i = 0; i < count; ++i) value = value << 8 | Byte();
        return value;
    }
    std::uint32_t Variable() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const unsigned byte = Byte();
            value = value << 7 | (byte & 0x7F);
            if ((byte & 0x80) == 0) return value;
        }
        return Fail();
    }
    void Skip(std::size_t count) {
        if (Left() < count) Fail();
        else at_ += count;
    }
    Reader Part(std::size_t count) {
        if (Left() < count) return Reader({}, false);
        Reader part(bytes_.subspan(at_, count));
        at_ += count;
        return part;
    }
    unsigned Fail() {
        ok_ = false;
        return 0;
    }

private:
    Reader(std::span<const unsigned char> bytes, bool ok) : bytes_(bytes), ok_(ok) {}
    std::span<const unsigned char> bytes_;
    std::size_t at_ = 0;
    bool ok_ = true;
};

// Appends the track's preset events; false for a track that cannot be read
// or holds a system-exclusive message.
bool ReadTrack(Reader track, std::vector<Event>& events) {
    std::uint64_t tick = 0;
    unsigned running = 0;
    while (track.Ok() && track.Left() > 0) {
        tick += track.Variable();
        unsigned status = track.Peek();
        if (status == 0xFF) {
            track.Skip(2);
            track.Skip(track.Variable());
            continue;
        }
        if (status == 0xF0 || status == 0xF7) return false;
        if (status >= 0x80) {
            running = track.Byte();
        } else if (running == 0) {
            return false;
        }
        const unsigned kind = running & 0xF0;
        const int channel = static_cast<int>(running & 0x0F);
        if (kind == 0xF0) return false;
        const unsigned first = track.Byte();
        const unsigned second = (kind == 0xC0 || kind == 0xD0) ? 0 : track.Byte();
        if (kind == 0x90 && second > 0) events.push_back({tick, channel, Event::Note, 0});
        if (kind == 0xC0) events.push_back({tick, channel, Event::Program, static_cast<int>(first)});
        if (kind == 0xB0 && first == 0) events.push_back({tick, channel, Event::Bank, static_cast<int>(second)});
    }
    return track.Ok();
}

struct ChannelState {
    int Bank = 0;
    int Program = 0;
};

PresetRequest RequestOf(int channel, int bank, int program) {
    const bool drum = channel == kDrumChannel;
    return {drum ? kDrumBank : bank, program, drum};
}

// Plays the events through per-channel state. Messages of one tick may come
// from different tracks in either order, so a note at a tick with a change
// counts under the choice before and after it.
std::set<PresetRequest> Sounded(std::vector<Event> events) {
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) { return a.Tick < b.Tick; });
    std::array<ChannelState, 16> state{};
    std::set<PresetRequest> sounded;
    for (auto group = events.begin(); group != events.end();) {
        const auto end = std::find_if(group, events.end(), [&](const Event& e) { return e.Tick != group->Tick; });
        const std::array<ChannelState, 16> before = state;
        std::array<bool, 16> notes{};
        for (auto e = group; e != end; ++e) {
            if (e->What == Event::Note) notes[e->Channel] = true;
            if (e->What == Event::Program) state[e->Channel].Program = e->Value;
            if (e->What == Event::Bank && e->Channel != kDrumChannel) state[e->Channel].Bank = e->Value;
        }
        for (int channel = 0; channel < 16; ++channel) {
            if (!notes[channel]) continue;
            for (int bank : {before[channel].Bank, state[channel].Bank}) {
                for (int program : {before[channel].Program, state[channel].Program}) {
                    sounded.insert(RequestOf(channel, bank, program));
                }
            }
        }
        group = end;
    }
    return sounded;
}

}  // namespace

std::optional<std::set<PresetRequest>> PresetsSounded(std::span<const unsigned char> midi) {
    Reader file(midi);
    if (file.Big(4) != 0x4D546864) return std::nullopt;  // "MThd"
    Reader header = file.Part(file.Big(4));
    header.Skip(2);
    const std::uint32_t tracks = header.Big(2);
    if (!header.Ok()) return std::nullopt;
    std::vector<Event> events;
    for (std::uint32_t found = 0; found < tracks && file.Ok() && file.Left() > 0;) {
        const std::uint32_t id = file.Big(4);
        Reader chunk = file.Part(file.Big(4));
        if (!file.Ok()) return std::nullopt;
        if (id != 0x4D54726B) continue;  // not "MTrk": skipped, as players do
        if (!ReadTrack(chunk, events)) return std::nullopt;
        ++found;
    }
    if (!file.Ok()) return std::nullopt;
    return Sounded(std::move(events));
}

std::optional<std::set<PresetRequest>> PresetsSoundedBy(const std::vector<std::filesystem::path>& files) {
    std::set<PresetRequest> all;
    for (const auto& file : files) {
        std::error_code error;
        const std::uintmax_t size = std::filesystem::file_size(file, error);
        if (error || size > kLargestTune) return std::nullopt;
        std::ifstream in(file, std::ios::binary);
        std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (!in.good() && !in.eof()) return std::nullopt;
        const auto sounded = PresetsSounded(bytes);
        if (!sounded) return std::nullopt;
        all.insert(sounded->begin(), sounded->end());
    }
    return all;
}

}  // namespace sk
