// Feeds arbitrary bytes to the standard MIDI file checker and the music-time
// conversion of what it finds.
#include "sound/MidiFile.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto summary = sonobox::ReadMidi(std::span<const std::uint8_t>(data, size));
    if (summary) (void)sonobox::ToMusicTime(summary->lengthTicks, summary->division);
    return 0;
}
