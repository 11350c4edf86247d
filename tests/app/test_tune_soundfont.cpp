// The SoundFont made for the tunes alone: which presets a tune sounds, the
// subset sounding exactly as the whole SoundFont with the synthesizer set up
// as the sound library sets it up, and when the subset is made again.
#include "app/SoundFontSubset.h"
#include "app/TunePresets.h"
#include "app/TuneSoundFont.h"
#include "sound/Synth.h"

#include <fluidsynth.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;
using sk::PresetRequest;

namespace {

constexpr const char* kSoundFont = "/usr/share/sounds/sf2/default-GM.sf2";

// A format-0 MIDI file of one track; `events` are delta-timed channel
// messages written as they stand.
std::vector<unsigned char> Midi(std::vector<unsigned char> events) {
    for (unsigned char end : {0x00, 0xFF, 0x2F, 0x00}) events.push_back(end);
    std::vector<unsigned char> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96, 'M', 'T', 'r', 'k'};
    const auto size = static_cast<std::uint32_t>(events.size());
    for (int shift : {24, 16, 8, 0}) file.push_back(static_cast<unsigned char>(size >> shift));
    file.insert(file.end(), events.begin(), events.end());
    return file;
}

struct Rendering {
    std::uint64_t Hash = 14695981039346656037u;  // FNV-1a over the samples' bytes
    std::size_t Frames = 0;
    int PeakVoices = 0;
    int Presets = 0;
};

// One pass of `tune` and two seconds after it, as the sound library's
// synthesizer plays it.
Rendering Render(const fs::path& soundFont, const fs::path& tune) {
    Rendering out;
    fluid_settings_t* settings = new_fluid_settings();
    fluid_settings_setnum(settings, "synth.sample-rate", 22050);
    fluid_settings_setstr(settings, "player.timing-source", "sample");
    fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
    fluid_synth_t* synth = new_fluid_synth(settings);
    const int id = fluid_synth_sfload(synth, soundFont.c_str(), 1);
    fluid_sfont_t* font = fluid_synth_get_sfont_by_id(synth, id);
    fluid_sfont_iteration_start(font);
    while (fluid_sfont_iteration_next(font) != nullptr) ++out.Presets;
    fluid_player_t* player = new_fluid_player(synth);
    fluid_player_add(player, tune.c_str());
    fluid_player_play(player);
    float left[64], right[64];
    for (int tail = 0; tail < 22050 * 2 / 64;) {
        if (fluid_player_get_status(player) != FLUID_PLAYER_PLAYING) ++tail;
        fluid_synth_write_float(synth, 64, left, 0, 1, right, 0, 1);
        out.PeakVoices = std::max(out.PeakVoices, fluid_synth_get_active_voice_count(synth));
        for (const float* channel : {left, right}) {
            unsigned char bytes[sizeof left];
            std::memcpy(bytes, channel, sizeof bytes);
            for (unsigned char byte : bytes) out.Hash = (out.Hash ^ byte) * 1099511628211u;
        }
        out.Frames += 64;
    }
    delete_fluid_player(player);
    delete_fluid_synth(synth);
    delete_fluid_settings(settings);
    return out;
}

class TuneSoundFontTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("skarbolt-tunefont-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
};

}  // namespace

TEST(TunePresets, EachNoteCountsTheChoiceItSoundsWith) {
    const auto sounded = sk::PresetsSounded(Midi({
        0x00, 0x90, 60, 100,          // channel 1 sounds before any choice: program 0
        0x10, 0xC0, 33,               // then bass
        0x10, 0x90, 62, 100,          //
        0x00, 0xB1, 0, 8,             // channel 2: bank 8 (GS: controller 0 alone)
        0x00, 0xB1, 32, 5,            //   controller 32 is ignored
        0x00, 0xC1, 5,                //
        0x10, 0x91, 64, 90,           //
        0x00, 0xC2, 7,                // channel 3 chooses but never sounds
        0x00, 0x92, 65, 0,            //   (velocity 0 is a note off)
        0x00, 0xB9, 0, 3,             // the drum channel ignores bank select
        0x00, 0xC9, 25,               //
        0x10, 0x99, 36, 100,          //
        0x00, 0x80, 60, 0,            //
        0x00, 62, 0,                  // running status
    }));
    ASSERT_TRUE(sounded.has_value());
    const std::set<PresetRequest> expected = {{0, 0, false}, {0, 33, false}, {8, 5, false}, {128, 25, true}};
    EXPECT_EQ(*sounded, expected);
}

TEST(TunePresets, ANoteAtTheTickOfAChangeCountsUnderBothAndSysExIsRefused) {
    const auto sameTick = sk::PresetsSounded(Midi({0x00, 0x90, 60, 100, 0x00, 0xC0, 40}));
    ASSERT_TRUE(sameTick.has_value());
    EXPECT_EQ(*sameTick, (std::set<PresetRequest>{{0, 0, false}, {0, 40, false}}));

    EXPECT_FALSE(sk::PresetsSounded(Midi({0x00, 0xF0, 0x03, 0x7E, 0x09, 0xF7, 0x00, 0x90, 60, 100})));
    EXPECT_FALSE(sk::PresetsSounded(Midi({0x00, 0x90, 60})));  // cut short
    EXPECT_FALSE(sk::PresetsSounded(Midi({0x00, 60, 100})));   // data without a status
    std::vector<unsigned char> notMidi = Midi({});
    notMidi[0] = 'X';
    EXPECT_FALSE(sk::PresetsSounded(notMidi));
}

TEST_F(TuneSoundFontTest, TheSubsetSoundsEveryTuneExactlyAsTheWholeSoundFont) {
    if (!fs::exists(kSoundFont)) GTEST_SKIP() << "no General MIDI SoundFont installed";
    const auto presets = sk::PresetsSoundedBy(sk::CatalogueTunes());
    ASSERT_TRUE(presets.has_value());
    const fs::path subset = dir_ / "tunes.sf2";
    std::string error;
    ASSERT_TRUE(sk::WriteSoundFontSubset(kSoundFont, *presets, subset, error)) << error;
    EXPECT_LT(fs::file_size(subset), fs::file_size(fs::canonical(kSoundFont)) * 3 / 4);

    for (const fs::path& tune : sk::CatalogueTunes()) {
        const Rendering whole = Render(kSoundFont, tune), cut = Render(subset, tune);
        EXPECT_LE(cut.Presets, static_cast<int>(presets->size())) << tune;
        EXPECT_LT(cut.Presets, whole.Presets / 2) << tune;
        EXPECT_EQ(cut.Frames, whole.Frames) << tune;
        EXPECT_EQ(cut.Hash, whole.Hash) << tune;
        // The library's synthesizer has a voice for every one the tune needs.
        EXPECT_LT(whole.PeakVoices, sonobox::kSynthVoices) << tune;
    }
}

TEST_F(TuneSoundFontTest, ASoundFontThatIsNoneIsRefused) {
    std::ofstream(dir_ / "no.sf2") << "RIFF....WAVEfmt ";
    std::string error;
    EXPECT_FALSE(sk::WriteSoundFontSubset(dir_ / "no.sf2", {{0, 0, false}}, dir_ / "out.sf2", error));
    EXPECT_FALSE(error.empty());
}

TEST_F(TuneSoundFontTest, TheSubsetIsMadeAgainWhenATuneChanges) {
    if (!fs::exists(kSoundFont)) GTEST_SKIP() << "no General MIDI SoundFont installed";
    std::vector<fs::path> tunes;
    for (const fs::path& tune : sk::CatalogueTunes()) {
        tunes.push_back(dir_ / tune.filename());
        fs::copy_file(tune, tunes.back());
    }
    const sk::TuneSoundFont plan(kSoundFont, tunes, dir_ / "cache");
    EXPECT_FALSE(plan.Current());
    std::string error;
    ASSERT_TRUE(plan.Build(error)) << error;
    EXPECT_TRUE(plan.Current());
    EXPECT_TRUE(fs::exists(plan.Subset()));
    fs::last_write_time(tunes[3], fs::last_write_time(tunes[3]) + std::chrono::seconds(5));
    EXPECT_FALSE(plan.Current());
    ASSERT_TRUE(plan.Build(error)) << error;
    EXPECT_TRUE(plan.Current());
    fs::remove(tunes[0]);
    EXPECT_FALSE(plan.Current());
    EXPECT_FALSE(plan.Build(error));
}

TEST(TuneSoundFont, ASoundFontThePlayerNamesIsKept) {
    setenv("SONOBOX_SOUNDFONT", "/somewhere/mine.sf2", 1);
    EXPECT_FALSE(sk::TuneSoundFont::ForThisProcess().Wanted());
    unsetenv("SONOBOX_SOUNDFONT");
}
