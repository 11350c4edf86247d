// The sound-library calls the shell makes itself (start, effects, opening
// music, shutdown). Defaults to the library; tests put recorders in place.
#pragma once

namespace sk {

struct ShellSound {
    int (*DsStart)(void* window);
    int (*DsMake)(const char* file, int slot);
    void (*DsEnd)();
    int (*DmStart)(void* window);
    int (*DmMake)(const char* file);
    void (*DmPlay)(int repeats);
    void (*DmEnd)();
    // The music and effect gains (0..1); none: the volumes stay as they are.
    void (*SetGains)(float music, float effects) = nullptr;
};

ShellSound SonoboxShellSound();

}  // namespace sk
