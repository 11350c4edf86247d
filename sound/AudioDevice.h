// The one SDL audio device of the process, shared by the effect half and the
// music half: it opens with the first hold and closes with the last.
#pragma once

#include "sound/DeviceFormat.h"
#include "sound/Mixer.h"

#include <SDL.h>

#include <memory>

namespace sonobox {

class AudioDevice {
public:
    // Takes a hold on the device, opening it (22050 Hz stereo 16-bit asked
    // for, rate and channel count as the system offers) if nobody holds it.
    // Null when it cannot be opened.
    static AudioDevice* Acquire();
    // The open device, or null.
    static AudioDevice* Current();
    // Gives a hold back; the last one closes the device.
    void Release();

    Mixer& mixer() { return *mixer_; }
    DeviceFormat format() const { return mixer_->format(); }
    SDL_AudioDeviceID id() const { return id_; }

    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

private:
    AudioDevice(SDL_AudioDeviceID id, DeviceFormat format);
    static void Callback(void* self, Uint8* stream, int bytes);

    SDL_AudioDeviceID id_;
    std::unique_ptr<Mixer> mixer_;
    int holds_ = 1;
};

// Keeps the audio callback out while it lives.
class DeviceLock {
public:
    explicit DeviceLock(AudioDevice& device) : id_(device.id()) { SDL_LockAudioDevice(id_); }
    ~DeviceLock() { SDL_UnlockAudioDevice(id_); }
    DeviceLock(const DeviceLock&) = delete;
    DeviceLock& operator=(const DeviceLock&) = delete;

private:
    SDL_AudioDeviceID id_;
};

}  // namespace sonobox
