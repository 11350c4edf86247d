#include "sound/Music.h"

#include "sound/AudioDevice.h"
#include "sound/Effects.h"
#include "sound/FileName.h"
#include "sound/Gains.h"
#include "sound/MidiWriter.h"
#include "sound/OutputSearch.h"
#include "sound/Report.h"
#include "sound/Texts.h"

#include <SDL.h>

#include <cstdlib>
#include <fstream>
#include <limits>
#include <system_error>

namespace sonobox {
namespace {

constexpr double kOwnOutputRate = 44100.0;

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > kMaxPieceBytes) return std::nullopt;
    std::ifstream stream(path, std::ios::binary);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (!stream.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size))) return std::nullopt;
    return bytes;
}

}  // namespace

Music& TheMusic() {
    static Music* music = new Music;
    return *music;
}

int PassesFor(int repeats) {
    const std::uint64_t passes = std::uint64_t{static_cast<std::uint32_t>(repeats)} + 1;
    return passes > static_cast<std::uint64_t>(std::numeric_limits<int>::max()) ? -1 : static_cast<int>(passes);
}

bool Music::OpenOutput(double& rate) {
    Effects& effects = TheEffects();
    if (effects.started()) {
        device_ = AudioDevice::Acquire();
        rate = device_->format().rate;
        return true;
    }
    rate = kOwnOutputRate;
    return false;
}

int Music::Start() {
    Shutdown();
    QuietFluidSynth();
    double rate = kOwnOutputRate;
    const bool shared = OpenOutput(rate);
    synth_ = Synth::Create(rate);
    if (!synth_) {
        Diagnostic(text::kSynthCreate);
        Shutdown();
        return 1;
    }
    bool ready = shared;
    // When the effects' search found no output, there is none to find.
    if (!shared && !TheEffects().foundNoOutput()) {
        ready = OpenAudioOutput([this] { return synth_->StartOwnOutput(); });
        ownAudioSubsystem_ = ready;
    }
    Diagnostic(shared ? text::kSharedDevice : text::kOwnDevice);
    if (!ready) {
        Diagnostic(text::kSynthInit);
        Shutdown();
        return 1;
    }
    std::error_code error;
    baseDir_ = std::filesystem::current_path(error);
    if (error) {
        Diagnostic(text::kWorkingDir);
        Shutdown();
        return 1;
    }
    std::string tried;
    if (!synth_->LoadGeneralMidiSoundFont(tried)) {
        Diagnostic(("no SoundFont found (tried " + tried + ")").c_str());
        Diagnostic(text::kSoundFont);
        Shutdown();
        return 1;
    }
    if (device_ != nullptr) {
        DeviceLock lock(*device_);
        device_->mixer().SetMusic(MusicSource{&Synth::Render, synth_.get()});
    }
    return 0;
}

void Music::ApplyGain() {
    if (synth_) synth_->SetGain(MusicGain());
}

void Music::Shutdown() {
    piece_.reset();
    if (device_ != nullptr) {
        {
            DeviceLock lock(*device_);
            device_->mixer().SetMusic(MusicSource{});
        }
        device_->Release();
        device_ = nullptr;
    }
    synth_.reset();
    if (ownAudioSubsystem_) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        ownAudioSubsystem_ = false;
    }
    baseDir_.clear();
    playingDivision_ = 0;
    lastLoops_ = 0;
}

int Music::Make(const char* file) {
    if (!started()) return 1;
    piece_.reset();
    auto bytes = ReadWholeFile(ResolveFileName(baseDir_, file));
    auto parsed = bytes ? ParseMidi(*bytes) : std::nullopt;
    if (!parsed) {
        Diagnostic(text::kPieceLoad);
        return 1;
    }
    // The synthesizer gets the piece as written here, never the file itself.
    piece_ = Piece{WriteMidi(*parsed), parsed->summary};
    return 0;
}

void Music::Play(int repeats) {
    // A piece that ends where it starts would restart without end inside
    // one render call.
    if (!started() || !piece_ || piece_->summary.lengthTicks == 0) return;
    lastLoops_ = PassesFor(repeats);
    playingDivision_ = piece_->summary.division;
    synth_->Play(piece_->bytes, lastLoops_);
}

int Music::Length() const {
    return piece_ ? ToMusicTime(piece_->summary.lengthTicks, piece_->summary.division) : 0;
}

int Music::Pos() {
    if (!started()) return 0;
    const int tick = synth_->CurrentTick();
    return tick > 0 ? ToMusicTime(static_cast<std::uint64_t>(tick), playingDivision_) : 0;
}

void Music::Stop() {
    if (started()) synth_->Stop();
}

void Music::End() {
    if (!piece_) return;
    synth_->DropPlayer();
    piece_.reset();
}

}  // namespace sonobox
