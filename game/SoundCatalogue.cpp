#include "game/SoundCatalogue.h"

namespace sk {

const char* EffectFile(Effect effect) {
    switch (effect) {
        case Effect::Shot: return "Wave\\Bullet.wav";
        case Effect::ShipHit: return "Wave\\Explode.wav";
        case Effect::EnemyBlast: return "Wave\\CpuExp.wav";
    }
    return "";
}

const char* TuneFile(Tune tune) {
    static constexpr const char* kFiles[] = {
        "BGM\\Opening.mid", "BGM\\Stage1.mid", "BGM\\Stage2.mid", "BGM\\Stage3.mid",    "BGM\\Stage4.mid",
        "BGM\\Stage5.mid",  "BGM\\Stage6.mid", "BGM\\Stage7.mid", "BGM\\HighScore.mid", "BGM\\GameOver.mid",
    };
    return kFiles[static_cast<int>(tune)];
}

Tune StageTune(int stageNo) { return static_cast<Tune>(static_cast<int>(Tune::Stage1) + stageNo - 1); }

void LoadSounds(const SoundApi& sound, bool music) {
    for (const Effect effect : kEffects) sound.DsMake(EffectFile(effect), static_cast<int>(effect));
    sound.DmMake(TuneFile(Tune::Opening));
    if (music) sound.DmPlay(-1);
}

void PlayEffect(const SoundApi& sound, Effect effect) { sound.DsPlay(static_cast<int>(effect), 0.0f, 0); }

}  // namespace sk
