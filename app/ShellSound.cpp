#include "app/ShellSound.h"

#include "sound/sonobox.h"
#include "sound/sonobox_gains.h"

namespace sk {

ShellSound SonoboxShellSound() {
    return {::DsStart, ::DsMake, ::DsEnd, ::DmStart, ::DmMake, ::DmPlay, ::DmEnd, ::SonoboxSetGains};
}

}  // namespace sk
