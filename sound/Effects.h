// The effect half: eight slots of sound effects loaded from WAV files and
// played through the shared device.
#pragma once

#include "sound/AudioDevice.h"

#include <array>
#include <cstdint>
#include <vector>

namespace sonobox {

class Effects {
public:
    int Start();
    int Make(const char* file, int slot);
    void Play(int slot, float percent, int loop);
    void Stop(int slot);
    void Volume(int slot, int volume);
    void Release(int slot);
    void End();

    // For tests: what a slot holds and where it stands.
    struct SlotView {
        bool filled = false;
        std::uint32_t lengthThousands = 0;  // data bytes / 1000
        std::uint64_t frames = 0;           // in the device format
        std::uint64_t startFrame = 0;       // where the last play began
        std::uint64_t position = 0;
        float gain = 1.0f;
        bool loop = false;
        bool playing = false;
    };
    SlotView View(int slot) const;
    bool started() const { return device_ != nullptr; }
    // The last Start found no audio output.
    bool foundNoOutput() const { return foundNoOutput_; }
    AudioDevice* device() const { return device_; }

private:
    struct SlotInfo {
        std::uint32_t lengthThousands = 0;
        std::uint32_t dataBytes = 0;
        std::uint16_t blockAlign = 0;
        std::uint32_t rate = 0;
        std::uint64_t startFrame = 0;
    };

    bool Filled(int slot) const;
    // Puts converted samples into a slot; what the slot held is freed after
    // the device is unlocked.
    void Install(int slot, std::vector<std::int16_t> samples, const SlotInfo& info);
    void EmptySlot(int slot);
    void CloseDevice();
    std::uint64_t StartFrame(int slot, float percent) const;

    AudioDevice* device_ = nullptr;
    bool foundNoOutput_ = false;
    std::array<SlotInfo, kSlotCount> info_{};
};

// The process-wide effect half behind the exports.
Effects& TheEffects();

// A start position in percent as a byte offset: (thousands x 1000) x
// percent / 100 in extended precision, truncated; 0 outside 0..100 and for
// a percent that is not a number.
std::uint32_t PercentToByteOffset(std::uint32_t lengthThousands, float percent);

// A gain factor for a volume in hundredths of a decibel (0 full, -10000 and
// below silent, above 0 full).
float VolumeToGain(int volume);

}  // namespace sonobox
