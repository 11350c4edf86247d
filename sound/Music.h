// The music half: one current piece from a standard MIDI file, played by the
// synthesizer on the shared device or on FluidSynth's own output.
#pragma once

#include "sound/MidiFile.h"
#include "sound/Synth.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

namespace sonobox {

class AudioDevice;

// A larger file is not taken for a piece of music.
inline constexpr std::uintmax_t kMaxPieceBytes = 64u << 20;

class Music {
public:
    int Start();
    int Make(const char* file);
    void Play(int repeats);
    int Length() const;
    int Pos();
    void Stop();
    void End();

    // The process-wide music gain onto the synthesizer, if there is one.
    void ApplyGain();

    // Lets go of everything, as before the first Start.
    void Shutdown();

    bool started() const { return synth_ != nullptr; }
    bool sharesDevice() const { return device_ != nullptr; }
    bool hasPiece() const { return piece_.has_value(); }
    // What the synthesizer is handed for the current piece.
    const std::vector<std::uint8_t>* pieceBytes() const { return piece_ ? &piece_->bytes : nullptr; }
    int lastLoops() const { return lastLoops_; }

private:
    struct Piece {
        std::vector<std::uint8_t> bytes;  // as WriteMidi made them
        MidiSummary summary;
    };

    bool OpenOutput(double& rate);

    std::unique_ptr<Synth> synth_;
    AudioDevice* device_ = nullptr;  // the shared device, when the music renders there
    bool ownAudioSubsystem_ = false;
    std::filesystem::path baseDir_;
    std::optional<Piece> piece_;
    int playingDivision_ = 0;
    int lastLoops_ = 0;
};

Music& TheMusic();

// The player's pass count for a repeat count taken as unsigned: one pass
// more than the repeats, -1 (no end) when that does not fit.
int PassesFor(int repeats);

}  // namespace sonobox
