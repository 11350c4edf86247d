#include "sound/Gains.h"

#include "sound/Music.h"
#include "sound/sonobox_gains.h"

#include <atomic>

namespace sonobox {
namespace {

// Read by the audio thread at every mixing pass.
std::atomic<float> musicGain{1.0f};
std::atomic<float> effectGain{1.0f};

float ClampGain(float gain) {
    if (!(gain == gain)) return 1.0f;
    if (gain < 0.0f) return 0.0f;
    if (gain > 1.0f) return 1.0f;
    return gain;
}

}  // namespace

float MusicGain() { return musicGain.load(std::memory_order_relaxed); }
float EffectGain() { return effectGain.load(std::memory_order_relaxed); }

void SetGains(float music, float effects) {
    musicGain.store(ClampGain(music), std::memory_order_relaxed);
    effectGain.store(ClampGain(effects), std::memory_order_relaxed);
    TheMusic().ApplyGain();
}

}  // namespace sonobox

extern "C" SONOBOX_API void SonoboxSetGains(float music, float effects) {
    try {
        sonobox::SetGains(music, effects);
    } catch (...) {
    }
}
