/* sonobox: sound effects from WAV files and background music from standard
 * MIDI files, behind fourteen plain C functions.
 *
 * (The sound library's own work fills in the full manual of each export.)
 */
#ifndef SONOBOX_H
#define SONOBOX_H

#ifdef __cplusplus
extern "C" {
#endif

#if defined(_WIN32)
#define SONOBOX_API __declspec(dllexport)
#else
#define SONOBOX_API __attribute__((visibility("default")))
#endif

/* Effects: eight slots, 0 to 7. */
SONOBOX_API int DsStart(void *window);
SONOBOX_API int DsMake(const char *file, int slot);
SONOBOX_API void DsPlay(int slot, float percent, int loop);
SONOBOX_API void DsStop(int slot);
SONOBOX_API void DsVolume(int slot, int volume);
SONOBOX_API void DsRelease(int slot);
SONOBOX_API void DsEnd(void);

/* Music: one current piece. */
SONOBOX_API int DmStart(void *window);
SONOBOX_API int DmMake(const char *file);
SONOBOX_API void DmPlay(int repeats);
SONOBOX_API int DmLength(void);
SONOBOX_API int DmPos(void);
SONOBOX_API void DmStop(void);
SONOBOX_API void DmEnd(void);

#ifdef __cplusplus
}
#endif

#endif /* SONOBOX_H */
