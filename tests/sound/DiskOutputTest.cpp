// Runs with SDL's disk driver: what the device plays lands in the file named
// by SDL_DISKAUDIOFILE. Each case runs in a process of its own.
#include "SoundFixture.h"

#include "sound/AudioDevice.h"
#include "sound/sonobox_gains.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>

using namespace soundtest;

namespace {

class DiskOutput : public SoundFixture {
protected:
    void SetUp() override {
        const char* file = std::getenv("SDL_DISKAUDIOFILE");
        ASSERT_NE(file, nullptr) << "run with SDL_AUDIODRIVER=disk and SDL_DISKAUDIOFILE";
        output_ = file;
        SoundFixture::SetUp();
        ASSERT_EQ(DsStart(nullptr), 0);
        format_ = sonobox::AudioDevice::Current()->format();
    }

    // Mixes another second so everything before it has reached the file.
    std::vector<std::int16_t> Played() {
        WaitForFrames(static_cast<std::uint64_t>(format_.rate));
        std::ifstream in(output_, std::ios::binary);
        std::vector<char> raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::vector<std::int16_t> samples(raw.size() / 2);
        std::memcpy(samples.data(), raw.data(), samples.size() * 2);
        return samples;
    }

    struct Span {
        std::size_t first = 0;  // first sounding frame
        std::size_t last = 0;   // one past the last sounding frame
        std::size_t count = 0;  // sounding frames
    };
    Span Sounding(const std::vector<std::int16_t>& samples) const {
        Span frames;
        const std::size_t channels = static_cast<std::size_t>(format_.channels);
        bool seen = false;
        for (std::size_t f = 0; f < samples.size() / channels; ++f) {
            const bool sounds = std::any_of(samples.begin() + static_cast<std::ptrdiff_t>(f * channels),
                                            samples.begin() + static_cast<std::ptrdiff_t>((f + 1) * channels),
                                            [](std::int16_t s) { return s != 0; });
            if (!sounds) continue;
            if (!seen) frames.first = f;
            seen = true;
            frames.last = f + 1;
            ++frames.count;
        }
        return frames;
    }

    int Peak(const std::vector<std::int16_t>& samples, std::size_t fromFrame, std::size_t toFrame) const {
        int peak = 0;
        const std::size_t channels = static_cast<std::size_t>(format_.channels);
        for (std::size_t i = fromFrame * channels; i < toFrame * channels && i < samples.size(); ++i) {
            peak = std::max(peak, std::abs(static_cast<int>(samples[i])));
        }
        return peak;
    }

    std::uint64_t SlotFrames(int slot) { return sonobox::TheEffects().View(slot).frames; }

    std::string output_;
    sonobox::DeviceFormat format_;
};

}  // namespace

TEST_F(DiskOutput, AnEffectSoundsForItsLength) {
    WriteFile("a.wav", SquareWave16(8820));  // 0.1 s
    ASSERT_EQ(DsMake("a.wav", 0), 0);
    DsPlay(0, 0.0f, 0);
    const auto played = Sounding(Played());
    EXPECT_EQ(played.count, SlotFrames(0));
    EXPECT_EQ(played.last - played.first, SlotFrames(0));
}

TEST_F(DiskOutput, ALoopingSlotSoundsUntilStopped) {
    WriteFile("a.wav", SquareWave16(4000));
    ASSERT_EQ(DsMake("a.wav", 0), 0);
    DsPlay(0, 0.0f, 1);
    WaitForFrames(SlotFrames(0) * 5);
    DsStop(0);
    const std::uint64_t stopFrame = sonobox::AudioDevice::Current()->mixer().framesMixed();
    const auto samples = Played();
    const auto played = Sounding(samples);
    EXPECT_GE(played.count, SlotFrames(0) * 4);
    EXPECT_EQ(played.count, played.last - played.first);  // no gap at the seams
    // Silent from the first buffer after the stop, though the file goes on.
    EXPECT_LE(played.last, stopFrame + 2048);
    EXPECT_GT(samples.size() / static_cast<std::size_t>(format_.channels), stopFrame + 4096);
}

TEST_F(DiskOutput, MinusTwentyDecibelsIsATenthOfFullVolume) {
    WriteFile("a.wav", SquareWave16(4000, 8000));
    ASSERT_EQ(DsMake("a.wav", 0), 0);
    DsPlay(0, 0.0f, 1);
    WaitForFrames(SlotFrames(0) * 3);
    DsVolume(0, -2000);
    WaitForFrames(SlotFrames(0) * 3);
    DsStop(0);
    const auto samples = Played();
    const auto played = Sounding(samples);
    ASSERT_GT(played.count, SlotFrames(0) * 4);
    EXPECT_EQ(Peak(samples, played.first, played.first + SlotFrames(0)), 8000);
    EXPECT_NEAR(Peak(samples, played.last - SlotFrames(0), played.last), 800, 2);
}

TEST_F(DiskOutput, MusicSoundsAfterPlayAndFallsSilentAtStop) {
    ASSERT_EQ(DmStart(nullptr), 0);
    WriteFile("tune.mid", OneNoteMidi(480 * 64, 80));  // a long square lead
    ASSERT_EQ(DmMake("tune.mid"), 0);
    const std::uint64_t startFrame = sonobox::AudioDevice::Current()->mixer().framesMixed();
    DmPlay(0);
    WaitForFrames(static_cast<std::uint64_t>(format_.rate));
    DmStop();
    const std::uint64_t stopFrame = sonobox::AudioDevice::Current()->mixer().framesMixed();
    const auto samples = Played();
    const auto played = Sounding(samples);
    ASSERT_GT(played.count, static_cast<std::size_t>(format_.rate) / 2);
    EXPECT_GE(played.first, startFrame);
    // Silent from the first buffer after the stop: nothing hangs or rings on.
    EXPECT_LE(played.last, stopFrame + 2048);
    EXPECT_GT(samples.size() / static_cast<std::size_t>(format_.channels), stopFrame + 4096);
}

// The host's volumes: music off leaves the effects, which sound at their gain.
TEST_F(DiskOutput, GainsSilenceTheMusicAndScaleTheEffects) {
    ASSERT_EQ(DmStart(nullptr), 0);
    WriteFile("tune.mid", OneNoteMidi(480 * 64, 80));
    ASSERT_EQ(DmMake("tune.mid"), 0);
    WriteFile("a.wav", SquareWave16(4000, 8000));
    ASSERT_EQ(DsMake("a.wav", 0), 0);
    SonoboxSetGains(0.0f, 0.25f);
    DmPlay(0);
    DsPlay(0, 0.0f, 1);
    WaitForFrames(SlotFrames(0) * 4);
    DsStop(0);
    DmStop();
    const auto samples = Played();
    const auto played = Sounding(samples);
    ASSERT_GT(played.count, SlotFrames(0) * 3);
    EXPECT_EQ(Peak(samples, 0, samples.size()), 2000);
    SonoboxSetGains(1.0f, 1.0f);
}
