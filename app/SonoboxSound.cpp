#include "app/SonoboxSound.h"

#include "sound/sonobox.h"

#include <dlfcn.h>

namespace sk {

namespace {

using GainHook = void (*)(float music, float effects);

// The library is loaded with the program, under its soname; NOLOAD never
// loads a second one.
GainHook FindGainHook() {
    void* library = dlopen("libsonobox.so", RTLD_LAZY | RTLD_NOLOAD);
    if (library == nullptr) return nullptr;
    auto hook = reinterpret_cast<GainHook>(dlsym(library, "SonoboxSetGains"));
    dlclose(library);  // the reference NOLOAD took; the library stays
    return hook;
}

}  // namespace

SoundApi SonoboxSound() {
    return SoundApi{&::DsStart, &::DsMake, &::DsPlay, &::DsEnd, &::DmStart, &::DmMake, &::DmPlay,
                    &::DmStop,  &::DmEnd,  FindGainHook()};
}

}  // namespace sk
