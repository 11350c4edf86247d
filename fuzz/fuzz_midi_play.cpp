// Every piece the MIDI checker accepts is written out as the synthesizer
// will get it, must read back the same and be written the same again, and
// is then played by FluidSynth's player, looping without end, for a fixed
// number of render calls. A render call that never returns is what
// libFuzzer's -timeout reports; the player must also read the piece at the
// length the checker gave it.
#include "sound/MidiFile.h"
#include "sound/MidiWriter.h"
#include "sound/Synth.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <span>

namespace {

constexpr int kRenderCalls = 16;
constexpr int kFramesPerCall = 512;

sonobox::Synth& TheSynth() {
    // No SoundFont: the player and the synthesizer's voice handling run,
    // without the cost of sample playback.
    static sonobox::Synth* synth = [] {
        sonobox::QuietFluidSynth();
        return sonobox::Synth::Create(22050).release();
    }();
    return *synth;
}

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto piece = sonobox::ParseMidi(std::span<const std::uint8_t>(data, size));
    if (!piece) return 0;
    const std::vector<std::uint8_t> bytes = sonobox::WriteMidi(*piece);
    auto again = sonobox::ReadMidi(bytes);
    Check(again && again->tracks == piece->summary.tracks && again->division == piece->summary.division &&
          again->lengthTicks == piece->summary.lengthTicks);
    Check(sonobox::CanonicalMidi(bytes) == bytes);
    // The music half does not play a piece without length.
    if (piece->summary.lengthTicks == 0) return 0;

    sonobox::Synth& synth = TheSynth();
    synth.Play(bytes, -1);
    std::array<float, kFramesPerCall> left{}, right{};
    for (int i = 0; i < kRenderCalls; ++i) sonobox::Synth::Render(&synth, left.data(), right.data(), kFramesPerCall);
    Check(synth.TotalTicks() == static_cast<int>(piece->summary.lengthTicks));
    synth.DropPlayer();
    return 0;
}
