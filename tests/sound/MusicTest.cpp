#include "SoundFixture.h"

#include "sound/AudioDevice.h"
#include "sound/Texts.h"

#include <algorithm>
#include <cstdlib>

using namespace soundtest;
namespace text = sonobox::text;

namespace {

sonobox::Music& TheMusic() { return sonobox::TheMusic(); }

class Music : public SoundFixture {
protected:
    void StartShared() {
        ASSERT_EQ(DsStart(nullptr), 0);
        EXPECT_EQ(StderrOf([] { EXPECT_EQ(DmStart(nullptr), 0); }), "YES\n");
    }
};

// Points SONOBOX_SOUNDFONT elsewhere while it lives.
class SoundFontOverride {
public:
    // `standard` stands for the system's places.
    SoundFontOverride(const std::string& path, std::vector<std::filesystem::path> standard) {
        setenv("SONOBOX_SOUNDFONT", path.c_str(), 1);
        sonobox::OverrideStandardSoundFonts(std::move(standard));
    }
    ~SoundFontOverride() {
        unsetenv("SONOBOX_SOUNDFONT");
        sonobox::OverrideStandardSoundFonts(std::nullopt);
    }
};

}  // namespace

TEST_F(Music, SharesTheEffectDevice) {
    StartShared();
    EXPECT_TRUE(TheMusic().sharesDevice());
}

TEST_F(Music, WithoutTheEffectHalfItOpensAnOutputOfItsOwn) {
    EXPECT_EQ(StderrOf([] { EXPECT_EQ(DmStart(nullptr), 0); }), "NO\n");
    EXPECT_TRUE(TheMusic().started());
    EXPECT_FALSE(TheMusic().sharesDevice());
    WriteFile("tune.mid", OneNoteMidi(480 * 8));
    ASSERT_EQ(DmMake("tune.mid"), 0);
    DmPlay(-1);
    DmStop();
    DmEnd();
    EXPECT_EQ(DmPos(), 0);
}

TEST_F(Music, WithoutASoundFontNothingPlays) {
    ASSERT_EQ(DsStart(nullptr), 0);
    const std::string none = (dir_ / "none.sf2").string();
    SoundFontOverride missing(none, {dir_ / "a.sf2", dir_ / "b.sf3"});
    const std::string tried = none + ", " + (dir_ / "a.sf2").string() + ", " + (dir_ / "b.sf3").string();
    EXPECT_EQ(StderrOf([] { EXPECT_EQ(DmStart(nullptr), 1); }),
              "YES\nno SoundFont found (tried " + tried + ")\n" + text::kSoundFont + "\n");
    WriteFile("tune.mid", OneNoteMidi(960));
    EXPECT_EQ(StderrOf([] {
                  EXPECT_EQ(DmMake("tune.mid"), 1);
                  DmPlay(-1);
                  EXPECT_EQ(DmLength(), 0);
                  EXPECT_EQ(DmPos(), 0);
                  DmStop();
                  DmEnd();
              }),
              "");
    // The effect half lost nothing.
    WriteFile("a.wav", SquareWave16(400));
    EXPECT_EQ(DsMake("a.wav", 0), 0);
}

TEST_F(Music, AMissingChoiceFallsBackToTheFirstStandardPlaceThatHoldsAFont) {
    const std::filesystem::path system = "/usr/share/sounds/sf2/default-GM.sf2";
    if (!std::filesystem::exists(system)) GTEST_SKIP() << "no General MIDI SoundFont installed";
    std::filesystem::create_directories(dir_ / "sf3");
    std::filesystem::create_symlink(std::filesystem::canonical(system), dir_ / "sf3/default-GM.sf3");
    SoundFontOverride only((dir_ / "none.sf2").string(), {dir_ / "sf2/default-GM.sf2", dir_ / "sf3/default-GM.sf3"});
    StartShared();
    WriteFile("tune.mid", OneNoteMidi(960));
    EXPECT_EQ(DmMake("tune.mid"), 0);
}

TEST_F(Music, LengthIsKnownRightAfterMakeAndPosIsZeroBeforePlay) {
    StartShared();
    WriteFile("BGM/Tune.mid", OneNoteMidi(1920));
    EXPECT_EQ(DmMake("BGM\\Tune.mid"), 0);
    EXPECT_EQ(DmLength(), 4 * 768);
    EXPECT_EQ(DmPos(), 0);
}

TEST_F(Music, NamesStayRelativeToTheDirectoryOfStart) {
    WriteFile("BGM/Tune.mid", OneNoteMidi(480));
    StartShared();
    const auto elsewhere = FreshDir("elsewhere");
    std::filesystem::current_path(elsewhere);
    EXPECT_EQ(DmMake("BGM\\Tune.mid"), 0);
    EXPECT_EQ(DmLength(), 768);
    std::filesystem::current_path(dir_);
    std::filesystem::remove_all(elsewhere);
}

TEST_F(Music, AFailedMakeLeavesNoPieceAndPlayDoesNothing) {
    StartShared();
    WriteFile("good.mid", OneNoteMidi(480));
    WriteFile("bad.mid", Bytes{'M', 'T', 'h', 'd', 0, 0});
    ASSERT_EQ(DmMake("good.mid"), 0);
    for (const char* name : {"BGM\\Stage3.mid", "bad.mid"}) {
        EXPECT_EQ(StderrOf([&] { EXPECT_EQ(DmMake(name), 1); }), std::string(text::kPieceLoad) + "\n");
        EXPECT_FALSE(TheMusic().hasPiece());
        EXPECT_EQ(DmLength(), 0);
        DmPlay(-1);
        EXPECT_EQ(DmPos(), 0);
        EXPECT_EQ(TheMusic().lastLoops(), 0);
    }
}

TEST_F(Music, PlayCountsAreRepeatsAfterTheFirstPass) {
    StartShared();
    WriteFile("tune.mid", OneNoteMidi(480));
    ASSERT_EQ(DmMake("tune.mid"), 0);
    DmPlay(0);
    EXPECT_EQ(TheMusic().lastLoops(), 1);
    DmPlay(2);
    EXPECT_EQ(TheMusic().lastLoops(), 3);
    DmPlay(-1);
    EXPECT_EQ(TheMusic().lastLoops(), -1);
}

TEST_F(Music, PositionAdvancesWhilePlayingAndHoldsAfterStop) {
    StartShared();
    WriteFile("long.mid", OneNoteMidi(480 * 64));
    ASSERT_EQ(DmMake("long.mid"), 0);
    DmPlay(0);
    WaitForFrames(static_cast<std::uint64_t>(sonobox::AudioDevice::Current()->format().rate) / 2);
    const int playing = DmPos();
    EXPECT_GT(playing, 0);
    EXPECT_LT(playing, DmLength());
    DmStop();
    const int stopped = DmPos();
    WaitForFrames(4096);
    EXPECT_EQ(DmPos(), stopped);
}

TEST_F(Music, APieceWithoutLengthPlaysNothingAndNeverHangs) {
    StartShared();
    WriteFile("empty.mid", Midi(0, 480, {{}}));
    ASSERT_EQ(DmMake("empty.mid"), 0);
    EXPECT_EQ(DmLength(), 0);
    DmPlay(-1);
    WaitForFrames(4096);
    EXPECT_EQ(DmPos(), 0);
}

// Before, the synthesizer's player could not read this file and retried
// without end inside one render call, holding the device: every later
// call below then waited for good.
TEST_F(Music, AnUnknownChunkNeverReachesThePlayerAndTheDeviceStaysFree) {
    StartShared();
    WriteFile("BGM/Stage1.mid", AlienChunkMidi());
    ASSERT_EQ(DmMake("BGM\\Stage1.mid"), 0);
    const std::vector<std::uint8_t>& handedOn = *TheMusic().pieceBytes();
    EXPECT_EQ(handedOn.size(), 43u - 8u);
    EXPECT_EQ(std::search(handedOn.begin(), handedOn.end(), std::begin("XXXX"), std::end("XXXX") - 1), handedOn.end());
    DmPlay(-1);
    WaitForFrames(static_cast<std::uint64_t>(sonobox::AudioDevice::Current()->format().rate) / 4);
    EXPECT_GT(DmPos(), 0);  // the player read it
    WriteFile("a.wav", SquareWave16(400));
    ASSERT_EQ(DsMake("a.wav", 0), 0);
    DsPlay(0, 0.0f, 0);
    DmStop();
    DmEnd();
}

TEST_F(Music, StopAndEndWithoutAPieceDoNothing) {
    StartShared();
    DmStop();
    DmEnd();
    EXPECT_EQ(DmPos(), 0);
    WriteFile("tune.mid", OneNoteMidi(480));
    ASSERT_EQ(DmMake("tune.mid"), 0);
    DmPlay(-1);
    DmEnd();
    EXPECT_FALSE(TheMusic().hasPiece());
    EXPECT_EQ(DmLength(), 0);
    EXPECT_EQ(DmPos(), 0);
    DmPlay(0);
    EXPECT_EQ(DmPos(), 0);
}

TEST_F(Music, EndingTheEffectsWhileMusicRendersKeepsTheDeviceForTheMusic) {
    StartShared();
    WriteFile("tune.mid", OneNoteMidi(480 * 64));
    ASSERT_EQ(DmMake("tune.mid"), 0);
    DmPlay(-1);
    DsEnd();
    ASSERT_NE(sonobox::AudioDevice::Current(), nullptr);
    WaitForFrames(4096);
    WriteFile("a.wav", SquareWave16(400));
    EXPECT_EQ(DsMake("a.wav", 0), 1);
    // Starting the effects again shares the same device.
    ASSERT_EQ(DsStart(nullptr), 0);
    EXPECT_EQ(DsMake("a.wav", 0), 0);
    DmStop();
}

TEST_F(Music, StartAgainStartsAfresh) {
    StartShared();
    WriteFile("tune.mid", OneNoteMidi(480));
    ASSERT_EQ(DmMake("tune.mid"), 0);
    EXPECT_EQ(StderrOf([] { EXPECT_EQ(DmStart(nullptr), 0); }), "YES\n");
    EXPECT_FALSE(TheMusic().hasPiece());
}

// The mixer skips the synthesizer while it can only give silence: before the
// first piece and once a stopped piece's voices are gone, but not while a
// piece plays.
TEST(Synth, RendersOnlyWhileSomethingCanSound) {
    sonobox::QuietFluidSynth();
    auto synth = sonobox::Synth::Create(22050);
    ASSERT_NE(synth, nullptr);
    std::string tried;
    ASSERT_TRUE(synth->LoadGeneralMidiSoundFont(tried)) << tried;
    std::vector<float> left(512), right(512);
    auto render = [&] { return sonobox::Synth::Render(synth.get(), left.data(), right.data(), 512); };
    EXPECT_FALSE(render());
    const Bytes piece = OneNoteMidi(480 * 16, 80);
    synth->Play(piece, 1);
    for (int i = 0; i < 8; ++i) ASSERT_TRUE(render()) << i;
    synth->Stop();
    bool fellSilent = false;
    for (int i = 0; i < 8 && !fellSilent; ++i) fellSilent = !render();
    EXPECT_TRUE(fellSilent);
}
