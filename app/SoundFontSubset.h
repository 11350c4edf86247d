// A SoundFont 2 file cut down to some of its presets: each kept preset whole
// (every zone, generator and modulator byte for byte), the instruments its
// zones name, the samples theirs name (with their stereo partners) and those
// samples' data; everything else of the file is left out. A synthesizer that
// plays only the kept presets sounds the same from the subset as from the
// whole file.
#pragma once

#include "app/TunePresets.h"

#include <filesystem>
#include <set>
#include <string>

namespace sk {

// Writes to `target` the presets of `source` that `wanted` selects, as
// FluidSynth selects them: the exact bank and program, else for the drum
// channel the kit at bank 128 program 0, else the same program in bank 0,
// else bank 0 program 0 (a request with no preset at all is dropped). False,
// with the reason in `error`, when `source` is not a SoundFont 2 file this can
// cut (compressed or ROM samples among the kept ones, or records that point
// outside their lists) or `target` cannot be written.
bool WriteSoundFontSubset(const std::filesystem::path& source, const std::set<PresetRequest>& wanted,
                          const std::filesystem::path& target, std::string& error);

}  // namespace sk
