// The sound-library calls the program makes, as one table of plain function
// pointers. The core only plays effects and changes the music; the shell and
// the driver also start, load and end the library. They bind the table to
// sonobox themselves; tests put recorders in its place, and a run without
// sound uses the silent table of Headless.h.
#pragma once

namespace sk {

struct SoundApi {
    int (*DsStart)(void* window);
    int (*DsMake)(const char* file, int slot);
    void (*DsPlay)(int slot, float percent, int loop);
    void (*DsEnd)();
    int (*DmStart)(void* window);
    int (*DmMake)(const char* file);
    void (*DmPlay)(int repeats);
    void (*DmStop)();
    void (*DmEnd)();
    // The music and effect gains (0..1); null where the library has no such
    // hook, and the volumes stay as they are.
    void (*SetGains)(float music, float effects) = nullptr;
    // The language of the library's own messages ("ja" or "en"); null where
    // the library has no such hook, and it keeps its original texts.
    void (*SetLanguage)(const char* language) = nullptr;
};

}  // namespace sk
