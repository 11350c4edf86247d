// The sonobox calls the game makes, as a table of function pointers that
// defaults to the library's exports; tests put recorders in their place.
#pragma once

namespace sk {

struct SoundApi {
    void (*DsPlay)(int slot, float percent, int loop);
    int (*DmMake)(const char* file);
    void (*DmPlay)(int repeats);
    void (*DmStop)();
};

// The real library.
SoundApi SonoboxSound();

}  // namespace sk
