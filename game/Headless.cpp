#include "game/Headless.h"

namespace sk {

SoundApi SilentSound() {
    return SoundApi{
        .DsStart = [](void*) { return 0; },
        .DsMake = [](const char*, int) { return 0; },
        .DsPlay = [](int, float, int) {},
        .DsEnd = [] {},
        .DmStart = [](void*) { return 0; },
        .DmMake = [](const char*) { return 0; },
        .DmPlay = [](int) {},
        .DmStop = [] {},
        .DmEnd = [] {},
    };
}

}  // namespace sk
