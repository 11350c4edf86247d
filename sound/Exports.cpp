// The fourteen exports: thin doors into the two halves. No exception leaves
// the library.
#include "sound/sonobox.h"

#include "sound/Effects.h"
#include "sound/Music.h"

using sonobox::TheEffects;
using sonobox::TheMusic;

namespace {

template <typename Call>
int Guarded(Call call, int onException = 1) noexcept {
    try {
        return call();
    } catch (...) {
        return onException;
    }
}

template <typename Call>
void GuardedVoid(Call call) noexcept {
    try {
        call();
    } catch (...) {
    }
}

}  // namespace

extern "C" {

SONOBOX_API int DsStart(void*) { return Guarded([] { return TheEffects().Start(); }); }
SONOBOX_API int DsMake(const char* file, int slot) {
    return Guarded([=] { return TheEffects().Make(file, slot); });
}
SONOBOX_API void DsPlay(int slot, float percent, int loop) {
    GuardedVoid([=] { TheEffects().Play(slot, percent, loop); });
}
SONOBOX_API void DsStop(int slot) { GuardedVoid([=] { TheEffects().Stop(slot); }); }
SONOBOX_API void DsVolume(int slot, int volume) { GuardedVoid([=] { TheEffects().Volume(slot, volume); }); }
SONOBOX_API void DsRelease(int slot) { GuardedVoid([=] { TheEffects().Release(slot); }); }
SONOBOX_API void DsEnd(void) { GuardedVoid([] { TheEffects().End(); }); }

SONOBOX_API int DmStart(void*) { return Guarded([] { return TheMusic().Start(); }); }
SONOBOX_API int DmMake(const char* file) { return Guarded([=] { return TheMusic().Make(file); }); }
SONOBOX_API void DmPlay(int repeats) { GuardedVoid([=] { TheMusic().Play(repeats); }); }
SONOBOX_API int DmLength(void) { return Guarded([] { return TheMusic().Length(); }, 0); }
SONOBOX_API int DmPos(void) { return Guarded([] { return TheMusic().Pos(); }, 0); }
SONOBOX_API void DmStop(void) { GuardedVoid([] { TheMusic().Stop(); }); }
SONOBOX_API void DmEnd(void) { GuardedVoid([] { TheMusic().End(); }); }

}  // extern "C"
