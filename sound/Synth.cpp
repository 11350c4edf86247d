#include "sound/Synth.h"

#include "sound/Gains.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cstdlib>
#include <system_error>

namespace sonobox {
namespace {

void DropLogLine(int, const char*, void*) {}

constexpr int kOwnOutputPeriod = 512;

constexpr const char* kDebianSf2 = "/usr/share/sounds/sf2/default-GM.sf2";
constexpr const char* kDebianSf3 = "/usr/share/sounds/sf3/default-GM.sf3";

std::optional<std::vector<std::filesystem::path>>& StandardOverride() {
    static std::optional<std::vector<std::filesystem::path>> places;
    return places;
}

void AddOnce(std::vector<std::filesystem::path>& list, const std::filesystem::path& place) {
    if (place.empty()) return;
    for (const auto& known : list) {
        if (known == place) return;
    }
    list.push_back(place);
}

}  // namespace

void QuietFluidSynth() {
    for (int level : {FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) {
        fluid_set_log_function(level, &DropLogLine, nullptr);
    }
}

std::unique_ptr<Synth> Synth::Create(double sampleRate) {
    std::unique_ptr<Synth> made(new Synth);
    made->settings_ = new_fluid_settings();
    if (made->settings_ == nullptr) return nullptr;
    fluid_settings_setnum(made->settings_, "synth.sample-rate", sampleRate);
    // The player advances with the rendered samples, whoever renders them.
    fluid_settings_setstr(made->settings_, "player.timing-source", "sample");
    // Load a SoundFont's samples when a piece first selects their instrument:
    // a full General MIDI font would otherwise take well over 100 MB.
    fluid_settings_setint(made->settings_, "synth.dynamic-sample-loading", 1);
    fluid_settings_setint(made->settings_, "synth.polyphony", kSynthVoices);
    made->synth_ = new_fluid_synth(made->settings_);
    if (made->synth_ == nullptr) return nullptr;
    made->SetGain(MusicGain());
    // Play turns them on; until then there is nothing for them to ring with.
    made->SetEffectsOn(false);
    return made;
}

void Synth::SetGain(float musicGain) { fluid_synth_set_gain(synth_, SynthGainFor(musicGain)); }

Synth::~Synth() {
    if (driver_ != nullptr) delete_fluid_audio_driver(driver_);
    {
        std::lock_guard<std::mutex> guard(lock_);
        DeletePlayerLocked();
    }
    if (synth_ != nullptr) delete_fluid_synth(synth_);
    if (settings_ != nullptr) delete_fluid_settings(settings_);
}

bool Synth::LoadSoundFont(const std::filesystem::path& file) {
    std::lock_guard<std::mutex> guard(lock_);
    return fluid_synth_sfload(synth_, file.string().c_str(), 1) != FLUID_FAILED;
}

bool Synth::LoadGeneralMidiSoundFont(std::string& tried) {
    std::vector<std::filesystem::path> places;
    if (const char* chosen = std::getenv("SONOBOX_SOUNDFONT")) AddOnce(places, chosen);
    if (StandardOverride()) {
        for (const auto& place : *StandardOverride()) AddOnce(places, place);
    } else {
        AddOnce(places, kDebianSf2);
        AddOnce(places, kDebianSf3);
        char* fluidDefault = nullptr;
        if (fluid_settings_dupstr(settings_, "synth.default-soundfont", &fluidDefault) == FLUID_OK && fluidDefault) {
            AddOnce(places, fluidDefault);
        }
        fluid_free(fluidDefault);
    }
    tried.clear();
    for (const auto& place : places) {
        std::error_code error;
        // FluidSynth would otherwise be asked to parse a missing file.
        if (std::filesystem::is_regular_file(place, error) && LoadSoundFont(place)) return true;
        tried += (tried.empty() ? "" : ", ") + place.string();
    }
    return false;
}

void OverrideStandardSoundFonts(std::optional<std::vector<std::filesystem::path>> places) {
    StandardOverride() = std::move(places);
}

bool Synth::StartOwnOutput() {
    // FluidSynth's driver renders on its own thread, outside our lock: the
    // player then keeps time on a thread of its own, which joining ends.
    fluid_settings_setstr(settings_, "player.timing-source", "system");
    fluid_settings_setstr(settings_, "audio.driver", "sdl2");
    fluid_settings_setint(settings_, "audio.period-size", kOwnOutputPeriod);
    driver_ = new_fluid_audio_driver(settings_, synth_);
    return driver_ != nullptr;
}

void Synth::Play(std::span<const std::uint8_t> piece, int loops) {
    std::lock_guard<std::mutex> guard(lock_);
    DeletePlayerLocked();
    player_ = new_fluid_player(synth_);
    if (player_ == nullptr) return;
    if (fluid_player_add_mem(player_, piece.data(), piece.size()) != FLUID_OK) {
        DeletePlayerLocked();
        return;
    }
    fluid_player_set_loop(player_, loops);
    SetEffectsOn(true);
    fluid_player_play(player_);
}

void Synth::Stop() {
    std::lock_guard<std::mutex> guard(lock_);
    if (player_ != nullptr) fluid_player_stop(player_);
    SilenceLocked();
}

void Synth::DropPlayer() {
    std::lock_guard<std::mutex> guard(lock_);
    DeletePlayerLocked();
}

int Synth::CurrentTick() {
    std::lock_guard<std::mutex> guard(lock_);
    return player_ != nullptr ? fluid_player_get_current_tick(player_) : -1;
}

int Synth::TotalTicks() {
    std::lock_guard<std::mutex> guard(lock_);
    return player_ != nullptr ? fluid_player_get_total_ticks(player_) : -1;
}

// With the lock held the audio thread is outside the synthesizer, so a
// player on the sample timer can go at once; one on the system timer is
// joined first.
void Synth::DeletePlayerLocked() {
    if (player_ == nullptr) return;
    fluid_player_stop(player_);
    fluid_player_join(player_);
    delete_fluid_player(player_);
    player_ = nullptr;
    SilenceLocked();
}

void Synth::SilenceLocked() {
    fluid_synth_all_notes_off(synth_, -1);
    fluid_synth_all_sounds_off(synth_, -1);
    // Reverb and chorus would ring on after the voices are gone.
    SetEffectsOn(false);
}

void Synth::SetEffectsOn(bool on) {
    effectsOn_ = on;
    fluid_synth_reverb_on(synth_, -1, on ? 1 : 0);
    fluid_synth_chorus_on(synth_, -1, on ? 1 : 0);
}

// No voice, no player going and reverb and chorus off (they are turned off
// with the last voice): every frame would be zero.
bool Synth::SilentLocked() const {
    if (effectsOn_ || fluid_synth_get_active_voice_count(synth_) > 0) return false;
    return player_ == nullptr || fluid_player_get_status(player_) != FLUID_PLAYER_PLAYING;
}

bool Synth::Render(void* self, float* left, float* right, int frames) {
    Synth& synth = *static_cast<Synth*>(self);
    // The audio thread never waits for a caller: while one changes the
    // player, this pass is silent.
    std::unique_lock<std::mutex> guard(synth.lock_, std::try_to_lock);
    if (!guard.owns_lock() || synth.SilentLocked()) return false;
    fluid_synth_write_float(synth.synth_, frames, left, 0, 1, right, 0, 1);
    return true;
}

}  // namespace sonobox
