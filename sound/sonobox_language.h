/* sonobox message language: one separate call beside the fourteen exports
 * of sonobox.h, for a host that lets its player choose the language. It is
 * not one of the fourteen and a host that never calls it gets the library's
 * original Japanese texts exactly as before.
 *
 * SonoboxSetLanguage(language)
 *   language  "en" (or any "en-..." / "en_..."): the effect messages and
 *             music diagnostics in English from now on; anything else,
 *             null included: in the original Japanese. "YES" and "NO" are
 *             the same in both.
 *   Holds for the rest of the process (across DsEnd/DsStart). Call it from
 *   the thread that makes the other calls, best before DsStart so that
 *   the first message is already in the chosen language; it reads no
 *   environment and changes none. No result; it cannot fail.
 */
#ifndef SONOBOX_LANGUAGE_H
#define SONOBOX_LANGUAGE_H

#include "sound/sonobox.h"

#ifdef __cplusplus
extern "C" {
#endif

SONOBOX_API void SonoboxSetLanguage(const char* language);

#ifdef __cplusplus
}
#endif

#endif
