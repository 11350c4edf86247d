#include "SoundFixture.h"

#include "sound/AudioDevice.h"
#include "sound/Texts.h"

#include <cmath>
#include <limits>

using namespace soundtest;
namespace text = sonobox::text;

namespace {

sonobox::Effects::SlotView View(int slot) { return sonobox::TheEffects().View(slot); }

std::string Line(const char* message) {
    std::string line(message);
    for (char& c : line) {
        if (c == '\n') c = ' ';
    }
    return line + "\n";
}

class Effects : public SoundFixture {
protected:
    void SetUp() override {
        SoundFixture::SetUp();
        ASSERT_EQ(DsStart(nullptr), 0);
        format_ = sonobox::AudioDevice::Current()->format();
    }

    // A 16-bit stereo 22050 Hz file under the current directory.
    std::string Square(const std::string& name, std::uint32_t dataBytes) {
        WriteFile(name, SquareWave16(dataBytes));
        return name;
    }

    // Device frame of a byte offset into a 16-bit stereo 22050 Hz effect.
    std::uint64_t FrameOfByte(std::uint64_t byte) const {
        return byte / 4 * static_cast<std::uint64_t>(format_.rate) / 22050;
    }

    sonobox::DeviceFormat format_;
};

}  // namespace

TEST_F(Effects, MakeBeforeStartOrAfterEndFailsSilently) {
    Square("a.wav", 400);
    DsEnd();
    EXPECT_EQ(StderrOf([] { EXPECT_EQ(DsMake("a.wav", 0), 1); }), "");
    EXPECT_FALSE(View(0).filled);
    DsEnd();  // twice is harmless
}

TEST_F(Effects, LoadsABackslashNameRelativeToTheCurrentDirectory) {
    WriteFile(dir_ / "Wave" / "Bullet.wav", SquareWave16(4000));
    EXPECT_EQ(StderrOf([] { EXPECT_EQ(DsMake("Wave\\Bullet.wav", 0), 0); }), "");
    auto slot = View(0);
    EXPECT_TRUE(slot.filled);
    EXPECT_EQ(slot.lengthThousands, 4u);
    EXPECT_EQ(slot.frames, FrameOfByte(4000));
}

TEST_F(Effects, AMissingFileIsReportedAndTheDeviceStaysOpen) {
    EXPECT_EQ(StderrOf([] { EXPECT_EQ(DsMake("Wave\\None.wav", 0), 1); }), Line(text::kWaveOpen));
    EXPECT_TRUE(sonobox::TheEffects().started());
    // With slot 9 the open failure comes first and alone.
    EXPECT_EQ(StderrOf([] { EXPECT_EQ(DsMake("None.wav", 9), 1); }), Line(text::kWaveOpen));
    // A directory is no file.
    std::filesystem::create_directories("Wave/Dir.wav");
    EXPECT_EQ(StderrOf([] { EXPECT_EQ(DsMake("Wave\\Dir.wav", 0), 1); }), Line(text::kWaveOpen));
    EXPECT_EQ(DsMake(Square("ok.wav", 400).c_str(), 0), 0);
}

TEST_F(Effects, BrokenStructureIsReportedAndClosesTheDevice) {
    const Bytes pcm = FmtRecord(1, 2, 22050, 16);
    Bytes onlyFmt = Riff("WAVE", Chunk("fmt ", pcm));
    const struct {
        Bytes file;
        const char* message;
    } cases[] = {
        {Riff("AVI ", {}), text::kNotWave},
        {Riff("WAVE", Chunk("data", {1, 2, 3, 4})), text::kNoFmt},
        {Riff("WAVE", Chunk("fmt ", pcm, 40)), text::kFmtShort},
        {onlyFmt, text::kNoData},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        ASSERT_EQ(DsStart(nullptr), 0);
        ASSERT_EQ(DsMake(Square("keep.wav", 400).c_str(), 4), 0);
        WriteFile("broken.wav", c.file);
        EXPECT_EQ(StderrOf([] { EXPECT_EQ(DsMake("broken.wav", 1), 1); }), Line(c.message));
        EXPECT_FALSE(sonobox::TheEffects().started());
        EXPECT_FALSE(View(4).filled);
        EXPECT_EQ(StderrOf([] { EXPECT_EQ(DsMake("keep.wav", 0), 1); }), "");
    }
}

TEST_F(Effects, ASlotOutsideTheRangeLoadsIntoSlotSeven) {
    Square("a.wav", 2500);
    EXPECT_EQ(StderrOf([] { EXPECT_EQ(DsMake("a.wav", 9), 0); }), Line(text::kSlotRange));
    EXPECT_TRUE(View(7).filled);
    EXPECT_EQ(StderrOf([] { EXPECT_EQ(DsMake("a.wav", -1), 0); }), Line(text::kSlotRange));
    EXPECT_EQ(View(7).lengthThousands, 2u);
}

TEST_F(Effects, ShortDataKeepsTheSlotsOldBufferAndLength) {
    ASSERT_EQ(DsMake(Square("old.wav", 2500).c_str(), 3), 0);
    const auto before = View(3);

    Bytes file = SquareWave16(40000);
    file.resize(3000);  // states 40000 data bytes, holds fewer
    WriteFile("short.wav", file);
    EXPECT_EQ(StderrOf([] { EXPECT_EQ(DsMake("short.wav", 3), 1); }), Line(text::kDataShort));

    const auto after = View(3);
    EXPECT_TRUE(after.filled);
    EXPECT_EQ(after.lengthThousands, 2u);
    EXPECT_EQ(after.frames, before.frames);
    EXPECT_TRUE(sonobox::TheEffects().started());

    // Out of range, the range message comes before the data failure.
    EXPECT_EQ(StderrOf([] { EXPECT_EQ(DsMake("short.wav", 8), 1); }),
              Line(text::kSlotRange) + Line(text::kDataShort));
}

TEST_F(Effects, UnplayableFormatsEmptyTheSlotButKeepTheDevice) {
    const Bytes refused[] = {
        Wave(FmtRecord(2, 2, 22050, 4), Bytes(400, 0)),        // ADPCM
        Wave(FmtRecord(1, 0, 22050, 16), Bytes(400, 0)),       // no channels
        Wave(FmtRecord(1, 2, 0, 16), Bytes(400, 0)),           // no rate
        Wave(FmtRecord(1, 2, 22050, 16, 2), Bytes(400, 0)),    // wrong block align
        Wave(FmtRecord(1, 2, 22050, 16), Bytes(3, 0)),         // no whole frame
        Wave(FmtRecord(1, 2, 22050, 16), {}),                  // no samples at all
    };
    for (const Bytes& file : refused) {
        ASSERT_EQ(DsMake(Square("good.wav", 400).c_str(), 2), 0);
        WriteFile("odd.wav", file);
        EXPECT_EQ(StderrOf([] { EXPECT_EQ(DsMake("odd.wav", 2), 1); }), Line(text::kBufferCreate));
        EXPECT_FALSE(View(2).filled);
        EXPECT_TRUE(sonobox::TheEffects().started());
    }
}

TEST_F(Effects, OtherSampleFormatsAreConvertedOnceToTheDevice) {
    Bytes mono8(11025, 200);  // one second of 8-bit mono at 11025 Hz
    WriteFile("mono8.wav", Wave(FmtRecord(1, 1, 11025, 8), mono8));
    ASSERT_EQ(DsMake("mono8.wav", 0), 0);
    EXPECT_NEAR(static_cast<double>(View(0).frames), format_.rate, format_.rate * 0.01);

    Bytes float32;
    for (int i = 0; i < 4800; ++i) PutLe32(float32, 0x3F000000);  // 0.5
    WriteFile("float.wav", Wave(ExtensibleRecord(3, 2, 48000, 32), float32));
    ASSERT_EQ(DsMake("float.wav", 1), 0);
    EXPECT_NEAR(static_cast<double>(View(1).frames), format_.rate * 0.05, format_.rate * 0.001);
}

TEST_F(Effects, PlayStartsAtTheComputedOffset) {
    ASSERT_EQ(DsMake(Square("a.wav", 2500).c_str(), 0), 0);
    EXPECT_EQ(View(0).lengthThousands, 2u);
    const struct {
        float percent;
        std::uint64_t byte;
    } cases[] = {
        {50.0f, 1000},
        {100.0f, 2000},
        {0.0f, 0},
        {-1.0f, 0},
        {100.5f, 0},
        {std::numeric_limits<float>::quiet_NaN(), 0},
        {std::numeric_limits<float>::infinity(), 0},
    };
    for (const auto& c : cases) {
        DsPlay(0, c.percent, 0);
        EXPECT_EQ(View(0).startFrame, FrameOfByte(c.byte)) << c.percent;
    }
}

TEST_F(Effects, OffsetsAlignToWholeFramesAndStartOverAtTheEnd) {
    ASSERT_EQ(DsMake(Square("small.wav", 999).c_str(), 0), 0);
    DsPlay(0, 100.0f, 0);
    EXPECT_EQ(View(0).startFrame, 0u);

    ASSERT_EQ(DsMake(Square("three.wav", 3000).c_str(), 1), 0);
    DsPlay(1, 33.3f, 0);  // byte 999 lies inside frame 249
    EXPECT_EQ(View(1).startFrame, FrameOfByte(996));

    ASSERT_EQ(DsMake(Square("one.wav", 1000).c_str(), 2), 0);
    DsPlay(2, 100.0f, 0);  // byte 1000 is the end
    EXPECT_EQ(View(2).startFrame, 0u);
}

TEST_F(Effects, VolumeIsInHundredthsOfADecibelAndPlayResetsIt) {
    ASSERT_EQ(DsMake(Square("a.wav", 4000).c_str(), 0), 0);
    DsVolume(0, -2000);
    EXPECT_NEAR(View(0).gain, 0.1f, 1e-6);
    DsVolume(0, -600);
    EXPECT_NEAR(View(0).gain, 0.501187f, 1e-5);
    DsVolume(0, -10000);
    EXPECT_EQ(View(0).gain, 0.0f);
    DsVolume(0, -20000);
    EXPECT_EQ(View(0).gain, 0.0f);
    DsVolume(0, 300);
    EXPECT_EQ(View(0).gain, 1.0f);
    DsVolume(0, -2000);
    DsPlay(0, 0.0f, 0);
    EXPECT_EQ(View(0).gain, 1.0f);
}

TEST_F(Effects, ALoopingSlotSoundsUntilStopped) {
    ASSERT_EQ(DsMake(Square("a.wav", 400).c_str(), 5), 0);
    DsPlay(5, 0.0f, 1);
    WaitForFrames(View(5).frames * 4);
    EXPECT_TRUE(View(5).playing);
    DsStop(5);
    const auto stopped = View(5);
    EXPECT_FALSE(stopped.playing);
    WaitForFrames(1024);
    EXPECT_EQ(View(5).position, stopped.position);  // stays where it stopped
}

TEST_F(Effects, AOneShotEndsByItselfAndARestartIsOneVoice) {
    ASSERT_EQ(DsMake(Square("a.wav", 400).c_str(), 0), 0);
    DsPlay(0, 0.0f, 0);
    WaitForFrames(View(0).frames + 2048);
    EXPECT_FALSE(View(0).playing);
    DsPlay(0, 50.0f, 0);
    DsPlay(0, 0.0f, 0);
    EXPECT_EQ(View(0).startFrame, 0u);
}

TEST_F(Effects, ReleaseEmptiesOneSlotAndEndEmptiesAll) {
    for (int slot = 0; slot < 8; ++slot) ASSERT_EQ(DsMake(Square("a.wav", 400).c_str(), slot), 0);
    DsPlay(1, 0.0f, 1);
    DsRelease(1);
    EXPECT_FALSE(View(1).filled);
    DsPlay(1, 0.0f, 1);  // an empty slot does nothing
    DsStop(1);
    DsVolume(1, -100);
    EXPECT_FALSE(View(1).filled);
    EXPECT_TRUE(View(2).filled);

    DsEnd();
    for (int slot = 0; slot < 8; ++slot) EXPECT_FALSE(View(slot).filled);
}

TEST_F(Effects, SlotCallsOutsideTheRangeDoNothing) {
    ASSERT_EQ(DsMake(Square("a.wav", 400).c_str(), 7), 0);
    for (int slot : {-1, 8, 1000, std::numeric_limits<int>::min()}) {
        DsPlay(slot, 0.0f, 1);
        DsStop(slot);
        DsVolume(slot, -500);
        DsRelease(slot);
    }
    EXPECT_TRUE(View(7).filled);
    EXPECT_FALSE(View(7).playing);
}

TEST_F(Effects, ASecondMakeReplacesTheSlot) {
    ASSERT_EQ(DsMake(Square("a.wav", 400).c_str(), 0), 0);
    DsPlay(0, 0.0f, 1);
    ASSERT_EQ(DsMake(Square("b.wav", 8000).c_str(), 0), 0);
    EXPECT_EQ(View(0).lengthThousands, 8u);
    EXPECT_EQ(View(0).frames, FrameOfByte(8000));
    EXPECT_FALSE(View(0).playing);
}

TEST_F(Effects, StartAgainEmptiesTheSlots) {
    ASSERT_EQ(DsMake(Square("a.wav", 400).c_str(), 0), 0);
    ASSERT_EQ(DsStart(nullptr), 0);
    EXPECT_FALSE(View(0).filled);
    EXPECT_EQ(DsMake("a.wav", 0), 0);
}
