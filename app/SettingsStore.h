// The settings in the per-user store (QSettings, native format, "SK98").
#pragma once

#include "game/Extras.h"
#include "game/GameState.h"
#include "game/Settings.h"

namespace sk {

// Reads "MidiOut", "WaveOut", "MouseLock" and "Difficult", each by its own
// store object. A value that is missing or not an integer reads as its
// default; a store that cannot be opened or read gives the defaults, and
// so does anything but a regular file in its place (never opened: a FIFO
// would wait for a writer). Also makes sure the (empty) store exists.
Settings LoadSettings();

// Writes "MidiOut" (MusicOnNext), "WaveOut" (SoundOn), "MouseLock" and
// "Difficult" in that order, each synced and checked on its own. A lock
// left by a writer that is gone is taken over at once; one a running
// writer keeps is waited on for a second at most. A FIFO, device or socket
// in the store's place is left alone (one line on stderr).
// Throws std::runtime_error at the first value that could not be written.
void SaveSettings(const GameState& s);

// The extras of the "操作と表示" dialog, under names of their own beside the
// four: "KeyControl", "PadControl", "Zoom", "FullScreenScaling",
// "MusicVolume", "EffectVolume", "FocusPause", "Language" and the keys
// ("KeyLeft", "KeyRight", "KeyUp", "KeyDown", "KeySingle", "KeyFan",
// "KeyContinue"). A value missing, not a number or out of range reads as its
// default. Saved when that dialog's OK is pressed; throws, and leaves a FIFO
// alone, like SaveSettings.
ExtraSettings LoadExtraSettings();
void SaveExtraSettings(const ExtraSettings& s);

}  // namespace sk
