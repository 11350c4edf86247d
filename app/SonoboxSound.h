// The program's sound table bound to the sonobox library it was linked with.
#pragma once

#include "game/SoundApi.h"

namespace sk {

// The nine exports the program imports by name, and the gain and language
// hooks where the loaded library has them (looked up at run time: they are
// not among the fourteen exports, and a library without them still loads
// and plays, at fixed volume and with its original texts).
SoundApi SonoboxSound();

}  // namespace sk
