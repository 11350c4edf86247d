// Every sound of the game by name: the three effects with their slots and
// files, the ten tunes with theirs, and the loads of start-up.
#pragma once

#include "game/SoundApi.h"

namespace sk {

// An effect; its value is the effect slot it is loaded into.
enum class Effect { Shot = 0, ShipHit = 1, EnemyBlast = 2 };
inline constexpr Effect kEffects[] = {Effect::Shot, Effect::ShipHit, Effect::EnemyBlast};

enum class Tune { Opening, Stage1, Stage2, Stage3, Stage4, Stage5, Stage6, Stage7, HighScore, GameOver };

const char* EffectFile(Effect effect);
const char* TuneFile(Tune tune);
// The tune of stage 1..7.
Tune StageTune(int stageNo);

// Start-up's loads: every effect into its slot, then the opening tune, which
// plays (repeating) when `music` is on.
void LoadSounds(const SoundApi& sound, bool music);

// An effect from its start, once.
void PlayEffect(const SoundApi& sound, Effect effect);

}  // namespace sk
