#include "sound/AudioDevice.h"

#include "sound/OutputSearch.h"

namespace sonobox {
namespace {

AudioDevice* g_device = nullptr;

constexpr int kWantedRate = 22050;
constexpr int kWantedChannels = 2;
constexpr Uint16 kBufferFrames = 1024;

SDL_AudioDeviceID OpenDefaultDevice(const SDL_AudioSpec& wanted, SDL_AudioSpec& obtained) {
    return SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained,
                               SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE);
}

}  // namespace

AudioDevice::AudioDevice(SDL_AudioDeviceID id, DeviceFormat format)
    : id_(id), mixer_(std::make_unique<Mixer>(format)) {}

AudioDevice* AudioDevice::Current() { return g_device; }

AudioDevice* AudioDevice::Acquire() {
    if (g_device != nullptr) {
        ++g_device->holds_;
        return g_device;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = kWantedRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = kWantedChannels;
    wanted.samples = kBufferFrames;
    wanted.callback = &AudioDevice::Callback;
    SDL_AudioSpec obtained{};
    // The callback finds the device through g_device, set before it unpauses.
    SDL_AudioDeviceID id = 0;
    if (!OpenAudioOutput([&] { return (id = OpenDefaultDevice(wanted, obtained)) != 0; })) return nullptr;
    g_device = new AudioDevice(id, DeviceFormat{obtained.freq, obtained.channels});
    SDL_PauseAudioDevice(id, 0);
    return g_device;
}

void AudioDevice::Release() {
    if (--holds_ > 0) return;
    SDL_CloseAudioDevice(id_);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    g_device = nullptr;
    delete this;
}

void AudioDevice::Callback(void*, Uint8* stream, int bytes) {
    AudioDevice* device = g_device;
    if (device == nullptr) {
        SDL_memset(stream, 0, static_cast<std::size_t>(bytes));
        return;
    }
    const int frameBytes = device->format().channels * static_cast<int>(sizeof(std::int16_t));
    device->mixer().Mix(reinterpret_cast<std::int16_t*>(stream), bytes / frameBytes);
}

}  // namespace sonobox
