#include "sound/Mixer.h"

#include "sound/Gains.h"

#include <algorithm>
#include <cmath>

namespace sonobox {
namespace {

std::int16_t Saturate(float value) {
    if (value >= 32767.0f) return 32767;
    if (value <= -32768.0f) return -32768;
    if (!(value == value)) return 0;
    return static_cast<std::int16_t>(std::lrint(value));
}

}  // namespace

Mixer::Mixer(DeviceFormat format)
    : format_(format),
      sum_(static_cast<std::size_t>(kPassFrames) * static_cast<std::size_t>(format.channels)),
      musicLeft_(kPassFrames),
      musicRight_(kPassFrames) {}

void Mixer::Mix(std::int16_t* out, int frames) {
    while (frames > 0) {
        const int pass = std::min(frames, kPassFrames);
        MixPass(out, pass);
        out += static_cast<std::ptrdiff_t>(pass) * format_.channels;
        frames -= pass;
    }
}

void Mixer::MixPass(std::int16_t* out, int frames) {
    const std::size_t count = static_cast<std::size_t>(frames) * static_cast<std::size_t>(format_.channels);
    summing_ = false;
    const float effects = EffectGain();
    for (Voice& voice : voices_) {
        if (!voice.playing) continue;
        StartSum(frames);
        AddVoice(voice, frames, effects);
    }
    if (RenderMusic(frames)) {
        StartSum(frames);
        AddMusic(frames);
    }
    if (!summing_) {
        std::fill_n(out, count, std::int16_t{0});
    } else {
        for (std::size_t i = 0; i < count; ++i) out[i] = Saturate(sum_[i]);
    }
    framesMixed_.fetch_add(static_cast<std::uint64_t>(frames), std::memory_order_relaxed);
}

void Mixer::StartSum(int frames) {
    if (summing_) return;
    std::fill_n(sum_.begin(), static_cast<std::size_t>(frames) * static_cast<std::size_t>(format_.channels), 0.0f);
    summing_ = true;
}

bool Mixer::RenderMusic(int frames) {
    return music_.render != nullptr && music_.render(music_.context, musicLeft_.data(), musicRight_.data(), frames);
}

void Mixer::AddVoice(Voice& voice, int frames, float effectGain) {
    const std::size_t channels = static_cast<std::size_t>(format_.channels);
    float* sum = sum_.data();
    std::uint64_t left = static_cast<std::uint64_t>(frames);
    while (left > 0 && voice.playing) {
        if (voice.position >= voice.frames) {
            if (voice.loop && voice.frames > 0) {
                voice.position = 0;
            } else {
                voice.playing = false;
                break;
            }
        }
        const std::uint64_t run = std::min(left, voice.frames - voice.position);
        const std::int16_t* from = voice.samples.data() + voice.position * channels;
        const std::size_t n = static_cast<std::size_t>(run) * channels;
        const float gain = voice.gain * effectGain;
        for (std::size_t i = 0; i < n; ++i) sum[i] += static_cast<float>(from[i]) * gain;
        sum += n;
        voice.position += run;
        left -= run;
    }
    if (voice.position >= voice.frames && !voice.loop) voice.playing = false;
}

void Mixer::AddMusic(int frames) {
    const std::size_t channels = static_cast<std::size_t>(format_.channels);
    for (int i = 0; i < frames; ++i) {
        float* frame = sum_.data() + static_cast<std::size_t>(i) * channels;
        const float left = musicLeft_[static_cast<std::size_t>(i)] * 32768.0f;
        const float right = musicRight_[static_cast<std::size_t>(i)] * 32768.0f;
        if (channels == 1) {
            frame[0] += 0.5f * (left + right);
        } else {
            frame[0] += left;
            frame[1] += right;
        }
    }
}

}  // namespace sonobox
