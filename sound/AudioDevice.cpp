#include "sound/AudioDevice.h"

namespace sonobox {
namespace {

AudioDevice* g_device = nullptr;

constexpr int kWantedRate = 22050;
constexpr int kWantedChannels = 2;
constexpr Uint16 kBufferFrames = 1024;

// Tried in turn when SDL_AUDIODRIVER chooses none: the first that opens a
// device wins. SDL's own order would give up on a PipeWire system without
// its PulseAudio server after ALSA fails.
constexpr const char* kDriverOrder[] = {"pulseaudio", "pipewire", "alsa"};

SDL_AudioDeviceID OpenDefaultDevice(const SDL_AudioSpec& wanted, SDL_AudioSpec& obtained) {
    return SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained,
                               SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE);
}

// With the audio subsystem up on SDL's own choice of driver.
SDL_AudioDeviceID OpenOnFirstWorkingDriver(const SDL_AudioSpec& wanted, SDL_AudioSpec& obtained) {
    const char* chosen = SDL_GetHint("SDL_AUDIODRIVER");
    if (chosen != nullptr && chosen[0] != '\0') return OpenDefaultDevice(wanted, obtained);
    for (const char* driver : kDriverOrder) {
        // SDL_AudioInit first shuts down the driver in use.
        if (SDL_AudioInit(driver) != 0) continue;
        if (const SDL_AudioDeviceID id = OpenDefaultDevice(wanted, obtained)) return id;
    }
    if (SDL_AudioInit(nullptr) != 0) return 0;
    return OpenDefaultDevice(wanted, obtained);
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
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return nullptr;
    SDL_AudioSpec wanted{};
    wanted.freq = kWantedRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = kWantedChannels;
    wanted.samples = kBufferFrames;
    wanted.callback = &AudioDevice::Callback;
    SDL_AudioSpec obtained{};
    // The callback finds the device through g_device, set before it unpauses.
    SDL_AudioDeviceID id = OpenOnFirstWorkingDriver(wanted, obtained);
    if (id == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return nullptr;
    }
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
