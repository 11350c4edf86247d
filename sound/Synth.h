// One FluidSynth synthesizer with one MIDI file player, rendered either by
// the mixer of the shared device or through FluidSynth's own output. Every
// change of the player and every render by the mixer hold one lock, so the
// audio thread never sees a player half made or half deleted.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

struct _fluid_hashtable_t;
struct _fluid_synth_t;
struct _fluid_player_t;
struct _fluid_audio_driver_t;

namespace sonobox {

// The voices the synthesizer sounds at once. Dense General MIDI pieces with
// long releases reach about 140 (measured with the Debian SoundFont);
// FluidSynth's default of 256 would keep about 1 MB of voices and voice
// events that never sound.
inline constexpr int kSynthVoices = 160;

class Synth {
public:
    // Null when FluidSynth cannot make a synthesizer at that rate.
    static std::unique_ptr<Synth> Create(double sampleRate);
    ~Synth();
    Synth(const Synth&) = delete;
    Synth& operator=(const Synth&) = delete;

    bool LoadSoundFont(const std::filesystem::path& file);
    // The music gain (0..1) as FluidSynth's synth gain.
    void SetGain(float musicGain);
    // Loads the first General MIDI SoundFont that exists and loads, in this
    // order: $SONOBOX_SOUNDFONT, the Debian defaults (sf2, then sf3), then
    // FluidSynth's own default setting. With none, `tried` names them all.
    bool LoadGeneralMidiSoundFont(std::string& tried);
    // Opens FluidSynth's own output (through SDL). False when it cannot.
    bool StartOwnOutput();

    // Replaces the player with a new one playing `piece` (a checked standard
    // MIDI file); `loops` is the number of passes, -1 for no end.
    void Play(std::span<const std::uint8_t> piece, int loops);
    // Stops the player where it stands and silences every voice at once.
    void Stop();
    // Stops and deletes the player.
    void DropPlayer();
    // The player's position in the file's ticks; -1 without a player.
    int CurrentTick();
    // The length of the piece as the player read it (known once it has
    // rendered); -1 without a player.
    int TotalTicks();

    // Renders stereo float frames for the shared device's mixer; false,
    // without rendering, while the synthesizer can only give silence.
    static bool Render(void* synth, float* left, float* right, int frames);

private:
    Synth() = default;
    void DeletePlayerLocked();
    void SilenceLocked();
    void SetEffectsOn(bool on);
    bool SilentLocked() const;

    std::mutex lock_;
    _fluid_hashtable_t* settings_ = nullptr;
    _fluid_synth_t* synth_ = nullptr;
    _fluid_player_t* player_ = nullptr;
    _fluid_audio_driver_t* driver_ = nullptr;
    bool effectsOn_ = true;
};

// The SoundFonts looked for after $SONOBOX_SOUNDFONT; tests replace them
// (nullopt restores the standard places).
void OverrideStandardSoundFonts(std::optional<std::vector<std::filesystem::path>> places);

// FluidSynth's own log lines stay out of stderr: the library writes its own.
void QuietFluidSynth();

}  // namespace sonobox
