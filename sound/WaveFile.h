// The RIFF/WAVE reader: a bounded chunk walker, the wave-format record and
// the decoding of the sample data to float.
#pragma once

#include "sound/ByteSource.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace sonobox {

enum class WaveStatus {
    Ok,
    NotWave,      // no RIFF chunk of form "WAVE"
    NoFmt,        // no "fmt " chunk inside it
    FmtShort,     // the "fmt " chunk holds fewer bytes than it states
    NoData,       // no "data" chunk after the "fmt " chunk
};

// The longest format record read: the 40-byte extensible form. Bytes of a
// longer "fmt " chunk are skipped.
inline constexpr std::size_t kFmtRecordMax = 40;

struct WaveLayout {
    WaveStatus status = WaveStatus::NotWave;
    std::array<std::uint8_t, kFmtRecordMax> fmt{};
    std::size_t fmtSize = 0;          // bytes of `fmt` filled
    std::uint64_t dataOffset = 0;     // first byte of the sample data
    std::uint32_t dataStated = 0;     // the size the "data" chunk states
    std::uint64_t dataAvailable = 0;  // what its parent and the file really hold
};

// Walks the chunks: the first RIFF/WAVE at the top level, its "fmt " chunk,
// then the first "data" chunk after it. Chunks never reach past their parent
// or the end of the source; odd-sized chunks are followed by a pad byte.
WaveLayout LocateWave(ByteSource& source);

// The whole data chunk, or nothing when it holds fewer bytes than it states
// (nothing is allocated for bytes the source does not hold).
std::optional<std::vector<std::uint8_t>> ReadWaveData(ByteSource& source, const WaveLayout& layout);

enum class SampleKind { Unsigned8, Signed16, Signed24, Signed32, Float32, Float64 };

struct SampleFormat {
    SampleKind kind = SampleKind::Signed16;
    int channels = 0;
    std::uint32_t rate = 0;
    int blockAlign = 0;  // bytes per frame
};

inline constexpr int kMaxChannels = 8;
inline constexpr std::uint32_t kMinRate = 100;
inline constexpr std::uint32_t kMaxRate = 384000;

// Integer PCM of 8, 16, 24 or 32 bits and float of 32 or 64 bits, in the
// 16-, 18- and 40-byte (extensible) forms; anything else or nonsense fields
// give nothing.
std::optional<SampleFormat> DecodeFormat(std::span<const std::uint8_t> record);

// Whole frames of `data` as interleaved floats in -1..1; a trailing partial
// frame is dropped, values that are not finite become 0.
std::vector<float> DecodeSamples(const SampleFormat& format, std::span<const std::uint8_t> data);

}  // namespace sonobox
