#include "sound/Mixer.h"

#include <gtest/gtest.h>

#include <vector>

using sonobox::DeviceFormat;
using sonobox::Mixer;
using sonobox::Voice;

namespace {

void Load(Voice& voice, std::vector<std::int16_t> samples, int channels) {
    voice.frames = samples.size() / static_cast<std::size_t>(channels);
    voice.samples = std::move(samples);
    voice.position = 0;
    voice.playing = true;
}

std::vector<std::int16_t> MixFrames(Mixer& mixer, int frames) {
    std::vector<std::int16_t> out(static_cast<std::size_t>(frames * mixer.format().channels), 1234);
    mixer.Mix(out.data(), frames);
    return out;
}

}  // namespace

TEST(Mixer, SumsVoicesWithTheirGainAndSaturates) {
    Mixer mixer(DeviceFormat{22050, 1});
    Load(mixer.voice(0), {1000, 30000, -30000, 100}, 1);
    Load(mixer.voice(5), {500, 30000, -30000, -100}, 1);
    mixer.voice(5).gain = 0.5f;
    EXPECT_EQ(MixFrames(mixer, 4), (std::vector<std::int16_t>{1250, 32767, -32768, 50}));
}

TEST(Mixer, AVoiceThatEndsFallsSilentAndStops) {
    Mixer mixer(DeviceFormat{22050, 2});
    Load(mixer.voice(3), {1, 2, 3, 4}, 2);
    EXPECT_EQ(MixFrames(mixer, 3), (std::vector<std::int16_t>{1, 2, 3, 4, 0, 0}));
    EXPECT_FALSE(mixer.voice(3).playing);
    EXPECT_EQ(MixFrames(mixer, 1), (std::vector<std::int16_t>{0, 0}));
}

TEST(Mixer, ALoopingVoiceWrapsAcrossPasses) {
    Mixer mixer(DeviceFormat{22050, 1});
    Load(mixer.voice(7), {1, 2, 3}, 1);
    mixer.voice(7).loop = true;
    mixer.voice(7).position = 2;
    const int frames = Mixer::kPassFrames * 2 + 5;
    auto out = MixFrames(mixer, frames);
    for (int i = 0; i < frames; ++i) ASSERT_EQ(out[static_cast<std::size_t>(i)], (i + 2) % 3 + 1) << i;
    EXPECT_TRUE(mixer.voice(7).playing);
    EXPECT_EQ(mixer.framesMixed(), static_cast<std::uint64_t>(frames));
}

TEST(Mixer, AddsMusicToBothSidesOrAveragesItForOneChannel) {
    auto constantMusic = [](void*, float* left, float* right, int frames) {
        for (int i = 0; i < frames; ++i) {
            left[i] = 0.5f;
            right[i] = -0.25f;
        }
        return true;
    };
    Mixer stereo(DeviceFormat{44100, 2});
    stereo.SetMusic({constantMusic, nullptr});
    EXPECT_EQ(MixFrames(stereo, 2), (std::vector<std::int16_t>{16384, -8192, 16384, -8192}));

    Mixer mono(DeviceFormat{44100, 1});
    mono.SetMusic({constantMusic, nullptr});
    EXPECT_EQ(MixFrames(mono, 2), (std::vector<std::int16_t>{4096, 4096}));

    Mixer surround(DeviceFormat{44100, 6});
    surround.SetMusic({constantMusic, nullptr});
    EXPECT_EQ(MixFrames(surround, 1), (std::vector<std::int16_t>{16384, -8192, 0, 0, 0, 0}));
}

TEST(Mixer, SilentMusicAddsNothingAndSilenceStillCountsFrames) {
    auto silentMusic = [](void*, float* left, float* right, int frames) {
        for (int i = 0; i < frames; ++i) left[i] = right[i] = 1.0f;  // must not be mixed in
        return false;
    };
    Mixer mixer(DeviceFormat{22050, 2});
    mixer.SetMusic({silentMusic, nullptr});
    EXPECT_EQ(MixFrames(mixer, 2), (std::vector<std::int16_t>{0, 0, 0, 0}));
    Load(mixer.voice(1), {7, -7}, 2);
    EXPECT_EQ(MixFrames(mixer, 2), (std::vector<std::int16_t>{7, -7, 0, 0}));
    EXPECT_EQ(mixer.framesMixed(), 4u);
}
