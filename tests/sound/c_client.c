/* A plain C program that uses the library through its header alone. */
#include "sound/sonobox.h"
#include "sound/sonobox_gains.h"

#include <stdio.h>

static int failures = 0;

static void Expect(int condition, const char *what) {
    if (!condition) {
        fprintf(stderr, "c_client: %s\n", what);
        ++failures;
    }
}

int main(void) {
    Expect(DsMake("Wave\\None.wav", 0) == 1, "DsMake before DsStart fails");
    Expect(DsStart(NULL) == 0, "DsStart opens the dummy device");
    Expect(DsMake("Wave\\None.wav", 0) == 1, "a missing file fails");
    DsPlay(0, 0.0f, 0);
    DsPlay(9, 50.0f, 1);
    DsVolume(0, -2000);
    SonoboxSetGains(0.5f, 2.0f);
    SonoboxSetGains(1.0f, 1.0f);
    DsStop(0);
    DsRelease(0);

    DmPlay(-1);
    Expect(DmLength() == 0, "no piece has no length");
    Expect(DmPos() == 0, "no play has position 0");
    DmStop();
    DmEnd();
    Expect(DmMake("BGM\\None.mid") == 1, "DmMake without a piece fails");

    DsEnd();
    DsEnd();
    return failures == 0 ? 0 : 1;
}
