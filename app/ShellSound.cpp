#include "app/ShellSound.h"

#include "sound/sonobox.h"

namespace sk {

ShellSound SonoboxShellSound() { return {::DsStart, ::DsMake, ::DsEnd, ::DmStart, ::DmMake, ::DmPlay, ::DmEnd}; }

}  // namespace sk
