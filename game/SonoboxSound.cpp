// The game's sound calls bound to the sonobox exports.
#include "game/SoundApi.h"

#include "sound/sonobox.h"

namespace sk {

SoundApi SonoboxSound() { return SoundApi{&::DsPlay, &::DmMake, &::DmPlay, &::DmStop}; }

}  // namespace sk
