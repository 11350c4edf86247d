// The search for an audio output that opens. A sound stack can block for
// ever while a device opens (PipeWire without its session manager does, in
// SDL's PipeWire driver), so every driver that talks to a server or to
// hardware is first tried by the probe program, a process of its own that
// is killed at the deadline; only a driver that opened a device there is
// then brought up in this process.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>

namespace sonobox {

// For the whole search, every driver tried together.
inline constexpr std::chrono::milliseconds kSearchDeadline{2000};
// A driver that has not answered by then gets company: the next one is
// probed beside it, so that one that hangs leaves time for the rest.
inline constexpr std::chrono::milliseconds kNextProbeAfter{250};

// Brings SDL's audio subsystem up on the first driver for which `open`
// (which opens a device on the driver now current) succeeds, and keeps it up
// with one hold (given back with SDL_QuitSubSystem(SDL_INIT_AUDIO)). False,
// with nothing held, when no driver opens.
//
// The drivers: SDL_AUDIODRIVER's, in its order (it may list several,
// separated by commas); unset, pulseaudio, pipewire, alsa, then SDL's own
// choice. "dummy" and "disk" cannot block and are taken as they are. The
// others are probed, all within kSearchDeadline: the first in order whose
// probe opened a device is taken once every one before it has failed or run
// out of time; each that runs out of time is named on stderr. Without the
// probe program every driver is tried here in turn, without a deadline (one
// stderr line says so, once).
//
// When SDL's audio is up already (the other half plays through an output of
// its own), `open` runs on the driver in use, without a search.
bool OpenAudioOutput(const std::function<bool()>& open);

// Tests: the probe program to start (nullopt: the one beside the library).
void OverrideProbeProgram(std::optional<std::filesystem::path> program);

}  // namespace sonobox
