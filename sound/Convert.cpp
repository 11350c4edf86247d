#include "sound/Convert.h"

#include <SDL.h>

#include <cstring>
#include <limits>
#include <new>

namespace sonobox {
namespace {

// An upper bound of the frames the conversion yields.
std::uint64_t ConvertedFrames(std::uint64_t frames, std::uint32_t fromRate, int toRate) {
    return frames * static_cast<std::uint64_t>(toRate) / fromRate + 2;
}

}  // namespace

std::optional<std::vector<std::int16_t>> ToDeviceFormat(const SampleFormat& source, std::span<const float> samples,
                                                        DeviceFormat device) {
    const std::uint64_t frames = samples.size() / static_cast<std::size_t>(source.channels);
    if (frames == 0 || device.channels < 1 || device.rate < 1) return std::nullopt;
    const std::uint64_t bound = ConvertedFrames(frames, source.rate, device.rate) * device.channels * sizeof(std::int16_t);
    if (bound > kMaxEffectBytes) return std::nullopt;

    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, AUDIO_F32SYS, static_cast<Uint8>(source.channels), static_cast<int>(source.rate),
                          AUDIO_S16SYS, static_cast<Uint8>(device.channels), device.rate) < 0) {
        return std::nullopt;
    }
    const std::uint64_t inputBytes = frames * static_cast<std::uint64_t>(source.channels) * sizeof(float);
    const std::uint64_t workBytes = inputBytes * static_cast<std::uint64_t>(cvt.len_mult);
    if (workBytes > static_cast<std::uint64_t>(std::numeric_limits<int>::max())) return std::nullopt;
    try {
        std::vector<std::uint8_t> work(static_cast<std::size_t>(workBytes));
        std::memcpy(work.data(), samples.data(), static_cast<std::size_t>(inputBytes));
        cvt.buf = work.data();
        cvt.len = static_cast<int>(inputBytes);
        if (SDL_ConvertAudio(&cvt) != 0) return std::nullopt;
        const std::size_t frameSamples = static_cast<std::size_t>(device.channels);
        const std::size_t count = static_cast<std::size_t>(cvt.len_cvt) / sizeof(std::int16_t) / frameSamples * frameSamples;
        if (count == 0) return std::nullopt;
        std::vector<std::int16_t> converted(count);
        std::memcpy(converted.data(), work.data(), count * sizeof(std::int16_t));
        return converted;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

}  // namespace sonobox
