// The eight-voice effect mixer with an optional music source, run by the
// audio callback. Callers change voices only while the device is locked.
#pragma once

#include "sound/DeviceFormat.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <vector>

namespace sonobox {

inline constexpr int kSlotCount = 8;

struct Voice {
    std::vector<std::int16_t> samples;  // interleaved, device format
    std::uint64_t frames = 0;
    std::uint64_t position = 0;         // next frame to sound
    float gain = 1.0f;
    bool loop = false;
    bool playing = false;
};

// Renders `frames` frames of stereo float music (-1..1) into `left` and
// `right`; false, with nothing written, when the music is silent throughout.
struct MusicSource {
    bool (*render)(void* context, float* left, float* right, int frames) = nullptr;
    void* context = nullptr;
};

class Mixer {
public:
    // Frames mixed per pass; longer requests are cut into passes.
    static constexpr int kPassFrames = 1024;

    explicit Mixer(DeviceFormat format);

    DeviceFormat format() const { return format_; }
    Voice& voice(int slot) { return voices_[static_cast<std::size_t>(slot)]; }
    const Voice& voice(int slot) const { return voices_[static_cast<std::size_t>(slot)]; }
    void SetMusic(MusicSource music) { music_ = music; }

    // Fills `out` (frames × channels samples) with the sum of the playing
    // voices (times the effect gain) and the music, saturated to 16 bits.
    // Allocates nothing; with nothing sounding it only writes silence.
    void Mix(std::int16_t* out, int frames);

    // Frames mixed since the mixer was made.
    std::uint64_t framesMixed() const { return framesMixed_.load(std::memory_order_relaxed); }

private:
    void MixPass(std::int16_t* out, int frames);
    void StartSum(int frames);
    void AddVoice(Voice& voice, int frames, float effectGain);
    bool RenderMusic(int frames);
    void AddMusic(int frames);

    DeviceFormat format_;
    std::array<Voice, kSlotCount> voices_;
    MusicSource music_;
    std::vector<float> sum_;
    bool summing_ = false;  // sum_ holds this pass's sum so far
    std::vector<float> musicLeft_;
    std::vector<float> musicRight_;
    std::atomic<std::uint64_t> framesMixed_{0};
};

}  // namespace sonobox
