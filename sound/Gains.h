// The process-wide music and effect gains behind SonoboxSetGains.
#pragma once

namespace sonobox {

// 0..1; 1 until a host sets them.
float MusicGain();
float EffectGain();
void SetGains(float music, float effects);

// FluidSynth's synth gain for a music gain: its default 0.2 scaled.
inline float SynthGainFor(float musicGain) { return 0.2f * musicGain; }

}  // namespace sonobox
