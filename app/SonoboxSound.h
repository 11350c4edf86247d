// The program's sound table bound to the sonobox library it was linked with.
#pragma once

#include "game/SoundApi.h"

namespace sk {

// The nine exports the program imports by name, and the gain hook where the
// loaded library has one (looked up at run time: it is not one of the
// fourteen exports, and a library without it still loads and plays, at
// fixed volume).
SoundApi SonoboxSound();

}  // namespace sk
