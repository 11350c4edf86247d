#include "sound/WaveFile.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace sonobox {
namespace {

struct ChunkHeader {
    char id[4];
    std::uint32_t size;
};

std::uint32_t Le32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint16_t Le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::optional<ChunkHeader> ReadHeader(ByteSource& source, std::uint64_t at, std::uint64_t end) {
    if (at > end || end - at < 8) return std::nullopt;
    std::uint8_t raw[8];
    if (source.ReadAt(at, raw, 8) != 8) return std::nullopt;
    ChunkHeader header{};
    std::memcpy(header.id, raw, 4);
    header.size = Le32(raw + 4);
    return header;
}

std::uint64_t NextChunk(std::uint64_t at, std::uint32_t size) {
    return at + 8 + size + (size & 1u);
}

struct Found {
    std::uint64_t body = 0;
    std::uint32_t stated = 0;
    std::uint64_t available = 0;
};

// The first chunk called `id` from `from` up to `end`.
std::optional<Found> FindChunk(ByteSource& source, const char* id, std::uint64_t from, std::uint64_t end) {
    for (std::uint64_t at = from;;) {
        auto header = ReadHeader(source, at, end);
        if (!header) return std::nullopt;
        if (std::memcmp(header->id, id, 4) == 0) {
            std::uint64_t body = at + 8;
            return Found{body, header->size, std::min<std::uint64_t>(header->size, end - body)};
        }
        at = NextChunk(at, header->size);
    }
}

struct Riff {
    std::uint64_t body;
    std::uint64_t end;
};

std::optional<Riff> FindWaveRiff(ByteSource& source) {
    const std::uint64_t fileEnd = source.Size();
    for (std::uint64_t at = 0;;) {
        auto header = ReadHeader(source, at, fileEnd);
        if (!header) return std::nullopt;
        std::uint8_t form[4];
        if (std::memcmp(header->id, "RIFF", 4) == 0 && header->size >= 4 &&
            source.ReadAt(at + 8, form, 4) == 4 && std::memcmp(form, "WAVE", 4) == 0) {
            return Riff{at + 12, std::min<std::uint64_t>(at + 8 + header->size, fileEnd)};
        }
        at = NextChunk(at, header->size);
    }
}

}  // namespace

WaveLayout LocateWave(ByteSource& source) {
    WaveLayout layout;
    auto riff = FindWaveRiff(source);
    if (!riff) {
        layout.status = WaveStatus::NotWave;
        return layout;
    }
    auto fmt = FindChunk(source, "fmt ", riff->body, riff->end);
    if (!fmt) {
        layout.status = WaveStatus::NoFmt;
        return layout;
    }
    if (fmt->available < fmt->stated) {
        layout.status = WaveStatus::FmtShort;
        return layout;
    }
    std::size_t want = std::min<std::size_t>(fmt->stated, kFmtRecordMax);
    if (source.ReadAt(fmt->body, layout.fmt.data(), want) != want) {
        layout.status = WaveStatus::FmtShort;
        return layout;
    }
    layout.fmtSize = want;
    auto data = FindChunk(source, "data", NextChunk(fmt->body - 8, fmt->stated), riff->end);
    if (!data) {
        layout.status = WaveStatus::NoData;
        return layout;
    }
    layout.dataOffset = data->body;
    layout.dataStated = data->stated;
    layout.dataAvailable = data->available;
    layout.status = WaveStatus::Ok;
    return layout;
}

std::optional<std::vector<std::uint8_t>> ReadWaveData(ByteSource& source, const WaveLayout& layout) {
    if (layout.status != WaveStatus::Ok || layout.dataAvailable < layout.dataStated) return std::nullopt;
    std::vector<std::uint8_t> bytes(layout.dataStated);
    if (source.ReadAt(layout.dataOffset, bytes.data(), bytes.size()) != bytes.size()) return std::nullopt;
    return bytes;
}

namespace {

constexpr std::uint16_t kTagPcm = 1;
constexpr std::uint16_t kTagFloat = 3;
constexpr std::uint16_t kTagExtensible = 0xFFFE;
// The fixed tail of the extensible form's sub-format identifier.
constexpr std::uint8_t kSubFormatTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                             0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

std::optional<std::uint16_t> EffectiveTag(std::span<const std::uint8_t> record) {
    std::uint16_t tag = Le16(record.data());
    if (tag != kTagExtensible) return tag;
    if (record.size() < 40 || Le16(record.data() + 16) < 22) return std::nullopt;
    if (std::memcmp(record.data() + 26, kSubFormatTail, sizeof kSubFormatTail) != 0) return std::nullopt;
    return Le16(record.data() + 24);
}

std::optional<SampleKind> KindOf(std::uint16_t tag, int bits) {
    if (tag == kTagPcm) {
        switch (bits) {
            case 8: return SampleKind::Unsigned8;
            case 16: return SampleKind::Signed16;
            case 24: return SampleKind::Signed24;
            case 32: return SampleKind::Signed32;
            default: return std::nullopt;
        }
    }
    if (tag == kTagFloat) {
        if (bits == 32) return SampleKind::Float32;
        if (bits == 64) return SampleKind::Float64;
    }
    return std::nullopt;
}

}  // namespace

std::optional<SampleFormat> DecodeFormat(std::span<const std::uint8_t> record) {
    if (record.size() < 16) return std::nullopt;
    auto tag = EffectiveTag(record);
    if (!tag) return std::nullopt;
    const int channels = Le16(record.data() + 2);
    const std::uint32_t rate = Le32(record.data() + 4);
    const int blockAlign = Le16(record.data() + 12);
    const int bits = Le16(record.data() + 14);
    auto kind = KindOf(*tag, bits);
    if (!kind || channels < 1 || channels > kMaxChannels) return std::nullopt;
    if (rate < kMinRate || rate > kMaxRate || blockAlign != channels * bits / 8) return std::nullopt;
    return SampleFormat{*kind, channels, rate, blockAlign};
}

namespace {

float SampleAt(SampleKind kind, const std::uint8_t* p) {
    switch (kind) {
        case SampleKind::Unsigned8:
            return (static_cast<int>(p[0]) - 128) / 128.0f;
        case SampleKind::Signed16:
            return static_cast<std::int16_t>(Le16(p)) / 32768.0f;
        case SampleKind::Signed24: {
            const std::uint32_t raw = static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                                      static_cast<std::uint32_t>(p[2]) << 16;
            const std::int32_t v = static_cast<std::int32_t>(raw << 8) >> 8;
            return static_cast<float>(v) / 8388608.0f;
        }
        case SampleKind::Signed32:
            return static_cast<float>(static_cast<std::int32_t>(Le32(p)) / 2147483648.0);
        case SampleKind::Float32: {
            float f;
            std::uint32_t u = Le32(p);
            std::memcpy(&f, &u, sizeof f);
            return std::isfinite(f) ? std::clamp(f, -1.0f, 1.0f) : 0.0f;
        }
        case SampleKind::Float64: {
            double d;
            std::uint64_t u = Le32(p) | static_cast<std::uint64_t>(Le32(p + 4)) << 32;
            std::memcpy(&d, &u, sizeof d);
            return std::isfinite(d) ? static_cast<float>(std::clamp(d, -1.0, 1.0)) : 0.0f;
        }
    }
    return 0.0f;
}

}  // namespace

std::vector<float> DecodeSamples(const SampleFormat& format, std::span<const std::uint8_t> data) {
    const std::size_t frames = data.size() / static_cast<std::size_t>(format.blockAlign);
    const std::size_t bytesPerSample = static_cast<std::size_t>(format.blockAlign / format.channels);
    std::vector<float> samples(frames * static_cast<std::size_t>(format.channels));
    const std::uint8_t* p = data.data();
    for (float& sample : samples) {
        sample = SampleAt(format.kind, p);
        p += bytesPerSample;
    }
    return samples;
}

}  // namespace sonobox
