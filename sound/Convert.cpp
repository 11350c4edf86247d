#include "sound/Convert.h"

#include <SDL.h>

#include <memory>
#include <new>

namespace sonobox {
namespace {

struct StreamDeleter {
    void operator()(SDL_AudioStream* stream) const { SDL_FreeAudioStream(stream); }
};
using Stream = std::unique_ptr<SDL_AudioStream, StreamDeleter>;

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
    if (bound > kMaxEffectBytes || samples.size_bytes() > static_cast<std::size_t>(INT32_MAX)) return std::nullopt;

    Stream stream(SDL_NewAudioStream(AUDIO_F32SYS, static_cast<Uint8>(source.channels), static_cast<int>(source.rate),
                                     AUDIO_S16SYS, static_cast<Uint8>(device.channels), device.rate));
    if (!stream) return std::nullopt;
    if (SDL_AudioStreamPut(stream.get(), samples.data(), static_cast<int>(samples.size_bytes())) != 0 ||
        SDL_AudioStreamFlush(stream.get()) != 0) {
        return std::nullopt;
    }
    try {
        const int available = SDL_AudioStreamAvailable(stream.get());
        const int frameBytes = device.channels * static_cast<int>(sizeof(std::int16_t));
        std::vector<std::int16_t> converted(static_cast<std::size_t>(available / frameBytes) * device.channels);
        if (converted.empty()) return std::nullopt;
        const int want = static_cast<int>(converted.size() * sizeof(std::int16_t));
        if (SDL_AudioStreamGet(stream.get(), converted.data(), want) != want) return std::nullopt;
        return converted;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

}  // namespace sonobox
