#include "app/SonoboxSound.h"

#include "sound/sonobox.h"

#include <dlfcn.h>

namespace sk {

namespace {

// A hook of the library by name. The library is loaded with the program,
// under its soname; NOLOAD never loads a second one.
template <typename Hook>
Hook FindHook(const char* name) {
    void* library = dlopen("libsonobox.so", RTLD_LAZY | RTLD_NOLOAD);
    if (library == nullptr) return nullptr;
    auto hook = reinterpret_cast<Hook>(dlsym(library, name));
    dlclose(library);  // the reference NOLOAD took; the library stays
    return hook;
}

}  // namespace

SoundApi SonoboxSound() {
    return SoundApi{&::DsStart,
                    &::DsMake,
                    &::DsPlay,
                    &::DsEnd,
                    &::DmStart,
                    &::DmMake,
                    &::DmPlay,
                    &::DmStop,
                    &::DmEnd,
                    FindHook<void (*)(float, float)>("SonoboxSetGains"),
                    FindHook<void (*)(const char*)>("SonoboxSetLanguage")};
}

}  // namespace sk
