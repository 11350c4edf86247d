/* sonobox: sound effects from WAV files and background music from standard
 * MIDI files, behind fourteen plain C functions.
 *
 * All state is process-wide: one audio device, eight effect slots, one
 * current piece of music. Call every function from one thread (the game's
 * user-interface thread); the library mixes on its own audio thread.
 * Results are 0 for success and 1 for failure. File names are zero-terminated
 * strings owned by the caller; a backslash counts as a path separator, so
 * "Wave\Bullet.wav" opens Wave/Bullet.wav.
 *
 * Reporting. Effect failures show a modal message window (title "sonobox")
 * when a display is available (DISPLAY or WAYLAND_DISPLAY set); the failing
 * call returns when it is closed. Without a display, when the window cannot
 * be shown, or with the environment variable SONOBOX_NO_DIALOGS=1, the text
 * goes to stderr as one line instead (tests and headless runs set it). Music
 * failures never show a window: each writes one line to stderr.
 *
 * Environment:
 *   SONOBOX_NO_DIALOGS=1  effect messages go to stderr, never to a window.
 *   SONOBOX_SOUNDFONT     the General MIDI SoundFont for the music. Without
 *                         it (or when it is missing) the first that exists
 *                         of /usr/share/sounds/sf2/default-GM.sf2,
 *                         /usr/share/sounds/sf3/default-GM.sf3 and
 *                         FluidSynth's synth.default-soundfont is used.
 *   SDL_AUDIODRIVER       as for any SDL program ("dummy" plays nothing,
 *                         "disk" writes the output to SDL_DISKAUDIOFILE); a
 *                         comma-separated list is tried in its order.
 *                         Unset, PulseAudio, PipeWire and ALSA are tried in
 *                         turn and the first that opens a device is used,
 *                         then SDL's own choice.
 *
 * Finding an output. Some sound stacks never answer while a device opens
 * (PipeWire without its session manager). So every driver but "dummy" and
 * "disk" is first tried by the program sonobox-probe, which the library
 * looks for in its own folder: a process of its own that opens a device and
 * says whether it could. All drivers together get 2 seconds; one that has
 * not answered by then is left out with one stderr line
 * ("no audio device opened within 2 s, left out: pipewire"), and the first
 * in order that did open is used. With none, DsStart fails as when no
 * device can be opened (and DmStart, right after, takes that answer without
 * searching again). Without sonobox-probe the drivers are opened in this
 * process unchecked, after one stderr line saying so.
 *
 * The library compiles as C and as C++.
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

/* ---- Effects: eight slots, 0 to 7 ------------------------------------ */

/* DsStart: opens the default audio device for the effects (asking for
 * 22050 Hz, stereo, 16 bits; the system may choose another rate or channel
 * count) and empties all eight slots. Calling it again first lets go of
 * the device it holds.
 *   window: the game's main window; unused, may be NULL.
 *   Result: 0, or 1 when no device can be opened: message
 *   "DirectSoundオブジェクトの生成に失敗しました." and the effects stay off. */
SONOBOX_API int DsStart(void *window);

/* DsMake: loads a RIFF/WAVE file into a slot, converting its samples once
 * to the device's format. Integer PCM of 8, 16, 24 or 32 bits and float of
 * 32 or 64 bits, 1 to 8 channels, in the plain, 18-byte or extensible form.
 * A slot sounds one copy of its effect at a time; loading stops what the
 * slot was playing.
 *   file: the file name, relative to the current directory or absolute.
 *   slot: 0 to 7; any other index loads into slot 7 after a message.
 *   Result: 0 when the slot holds the new effect, else 1. Failures, in the
 *   order they are checked:
 *   - DsStart has not succeeded (or the device was closed): 1, no message.
 *   - the file cannot be opened: "Wavファイルの読込みに失敗".
 *   - no RIFF chunk of form WAVE: "有効なWavファイルではありません";
 *   - no "fmt " chunk in it: "fmtチャンクに入れませんでした";
 *   - the "fmt " chunk reaches past its parent or the file:
 *     "fmtチャンクを読みこめませんでした";
 *   - no "data" chunk after the "fmt " chunk: "dataチャンクに入れませんでした".
 *     These four close the device: every slot is emptied and every later
 *     DsMake returns 1 until DsStart succeeds again.
 *   - slot outside 0 to 7: "セカンダリバッファの番号は0～7までです。
 *     強制的に7番にします。" (two lines), then the load goes on into slot 7.
 *   - the "data" chunk holds fewer bytes than it states:
 *     "dataチャンクを読み込めませんでした"; the slot keeps what it held.
 *   - a format it cannot play, nonsense fields (no channels, no rate, block
 *     size not channels x bytes per sample), no whole sample frame, or the
 *     conversion fails: "セカンダリ・バッファの作成に失敗しました"; the slot
 *     is left empty. */
SONOBOX_API int DsMake(const char *file, int slot);

/* DsPlay: starts a slot from a position, at full volume (a DsVolume before
 * it does not last), once or looping until DsStop, DsRelease or DsEnd. A
 * slot that is sounding restarts. Reads no file and allocates nothing.
 *   slot: 0 to 7; an empty slot or another index does nothing.
 *   percent: start position. In 0 to 100 it is (data bytes / 1000, rounded
 *   down, x 1000) x percent / 100 bytes into the sample data, rounded down
 *   to a whole sample frame; so an effect under 1000 bytes always starts at
 *   its beginning. Below 0, above 100, not a number, or a position at or
 *   past the end: from the beginning.
 *   loop: non-zero loops. */
SONOBOX_API void DsPlay(int slot, float percent, int loop);

/* DsStop: stops a slot; its position stays where it stopped.
 *   slot: 0 to 7; an empty slot or another index does nothing. */
SONOBOX_API void DsStop(int slot);

/* DsVolume: sets a slot's volume in hundredths of a decibel: 0 (or more) is
 * full volume, -2000 a tenth, -10000 (or less) silence. The next DsPlay
 * resets it to full.
 *   slot: 0 to 7; an empty slot or another index does nothing. */
SONOBOX_API void DsVolume(int slot, int volume);

/* DsRelease: stops a slot and frees its effect; the slot is then empty.
 *   slot: 0 to 7; an empty slot or another index does nothing. */
SONOBOX_API void DsRelease(int slot);

/* DsEnd: empties every slot and lets go of the device; the effects are then
 * back where they were before DsStart. Does nothing when not started. The
 * device itself stays open while the music still plays through it. */
SONOBOX_API void DsEnd(void);

/* ---- Music: one current piece --------------------------------------- */

/* DmStart: opens the music: one synthesizer with the General MIDI
 * SoundFont. When DsStart has succeeded, the music plays through the
 * effects' device (stderr line "YES"); otherwise through an audio output of
 * its own (stderr line "NO"), found as DsStart finds one, or none when
 * DsStart last found none. It also remembers the current directory for
 * DmMake. Calling it again first closes the music it opened.
 *   window: the game's main window; unused, may be NULL.
 *   Result: 0, or 1 with one stderr line and the music left closed (every
 *   other Dm function then does nothing; DmMake returns 1):
 *   - "DirectMusicPerformanceオブジェクトの作成に失敗": no synthesizer;
 *   - "DirectMusicPerformanceオブジェクトの初期化に失敗": no output of its
 *     own can be opened (after "NO");
 *   - "カレント・ディレクトリの取得に失敗": the current directory is unknown;
 *   - "デフォルト･ポートの選択に失敗": the SoundFont cannot be loaded. */
SONOBOX_API int DmStart(void *window);

/* DmMake: reads and checks a standard MIDI file and makes it the current
 * piece, replacing the previous one. What is playing goes on until DmPlay
 * or DmStop. The synthesizer later plays a copy the library writes itself
 * from the checked tracks (other chunks, text and other meta events left
 * out), never the file as found.
 *   file: the file name; a relative name is taken in the directory that was
 *   current at DmStart.
 *   Result: 0, or 1 when the file is missing, larger than 64 MiB or not a
 *   well-formed standard MIDI file (or a track runs beyond 2^31 - 1 of its
 *   ticks): stderr line
 *   "セグメント（MIDIファイル）のロードに失敗", and there is no current
 *   piece. */
SONOBOX_API int DmMake(const char *file);

/* DmPlay: plays the current piece from its start, replacing whatever played.
 *   repeats: taken as unsigned: 0 plays once, 2 three times, -1 (and any
 *   count of 2^31 - 1 or more) without end.
 *   Without a current piece, or when the piece has no length (its tracks
 *   end at their start), it does nothing. */
SONOBOX_API void DmPlay(int repeats);

/* DmLength: the current piece's length in music time (768 ticks to a
 * quarter note; files in SMPTE time count at 120 quarters a minute), from
 * the file itself, available right after DmMake. 0 without a current piece;
 * at most 2^31 - 1. */
SONOBOX_API int DmLength(void);

/* DmPos: the position of the last DmPlay in music time, which stays where
 * DmStop left it. 0 before any DmPlay, after DmEnd, or when the music is
 * not open. */
SONOBOX_API int DmPos(void);

/* DmStop: stops the music at once; no note hangs and no reverb rings on.
 * Does nothing when nothing plays. */
SONOBOX_API void DmStop(void);

/* DmEnd: stops the music and frees the current piece. Does nothing without
 * a current piece. The synthesizer stays open for a later DmMake. */
SONOBOX_API void DmEnd(void);

#ifdef __cplusplus
}
#endif

#endif /* SONOBOX_H */
