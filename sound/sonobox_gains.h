/* sonobox master gains: one separate call beside the fourteen exports of
 * sonobox.h, for a host that lets its player set the music and effect
 * volumes. It is not one of the fourteen and a host that never calls it
 * hears the library exactly as before.
 *
 * SonoboxSetGains(music, effects)
 *   music    linear factor on everything the synthesizer plays (FluidSynth's
 *            synth gain, on top of its default of 0.2);
 *   effects  linear factor on all eight effect slots together, applied in
 *            the mixer on top of each slot's DsVolume.
 *   Each is clamped to 0..1; a value that is not a number counts as 1.
 *   Takes effect within one mixing buffer, and holds across DsEnd/DsStart
 *   and DmEnd/DmStart for the rest of the process. Call it from the thread
 *   that makes the other calls. No result; it cannot fail.
 */
#ifndef SONOBOX_GAINS_H
#define SONOBOX_GAINS_H

#include "sound/sonobox.h"

#ifdef __cplusplus
extern "C" {
#endif

SONOBOX_API void SonoboxSetGains(float music, float effects);

#ifdef __cplusplus
}
#endif

#endif
