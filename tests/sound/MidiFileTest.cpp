#include "sound/MidiFile.h"
#include "sound/MidiWriter.h"
#include "sound/Music.h"

#include "SoundFiles.h"

#include <gtest/gtest.h>

#include <climits>

using namespace soundtest;
using sonobox::ReadMidi;
using sonobox::ToMusicTime;

namespace {
constexpr std::size_t kTooManyTracks = sonobox::kMaxTracks + 1;
}  // namespace

TEST(MidiReader, SummarisesAOneTrackFile) {
    auto summary = ReadMidi(OneNoteMidi(1920));
    ASSERT_TRUE(summary);
    EXPECT_EQ(summary->format, 0);
    EXPECT_EQ(summary->tracks, 1);
    EXPECT_EQ(summary->division, 480);
    EXPECT_EQ(summary->lengthTicks, 1920u);
}

TEST(MidiReader, TakesTheLongestTrackAndParsesEveryEventKind) {
    Bytes first{0x00, 0x90, 60, 100, 0x83, 0x60, 60, 0};  // running status
    Bytes second{0x00, 0xF0, 0x03, 0x7E, 0x7F, 0xF7,      // system exclusive
                 0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, // tempo
                 0x00, 0xC1, 5,                            // one data byte
                 0x00, 0xE1, 0x00, 0x40,                   // two data bytes
                 0x8F, 0x00, 0xB1, 7, 90};                 // at 1920
    Bytes file = Midi(1, 96, {first, second});
    // An unknown chunk between the header and the tracks is skipped.
    Bytes withAlien(file.begin(), file.begin() + 14);
    AppendText(withAlien, "XFIH");
    PutBe32(withAlien, 3);
    Append(withAlien, {1, 2, 3});
    withAlien.insert(withAlien.end(), file.begin() + 14, file.end());

    for (const Bytes& bytes : {file, withAlien}) {
        auto summary = ReadMidi(bytes);
        ASSERT_TRUE(summary);
        EXPECT_EQ(summary->tracks, 2);
        EXPECT_EQ(summary->lengthTicks, 1920u);
    }
}

TEST(MidiReader, RefusesWhatIsNotAStandardMidiFile) {
    Bytes good = OneNoteMidi(480);
    auto patched = [&](std::size_t at, std::uint8_t value) {
        Bytes copy = good;
        copy[at] = value;
        return copy;
    };
    Bytes truncated(good.begin(), good.end() - 3);
    Bytes missingTrack = good;
    missingTrack[11] = 2;  // claims two tracks, holds one
    Bytes noStatus = Midi(0, 480, {{0x00, 60, 100}});
    Bytes dataTooHigh = Midi(0, 480, {{0x00, 0x90, 0x80, 100}});
    Bytes badVlq = Midi(0, 480, {{0xFF, 0xFF, 0xFF, 0xFF, 0x00}});
    Bytes undefinedStatus = Midi(0, 480, {{0x00, 0xF4}});

    const Bytes refused[] = {
        {},
        Bytes{'R', 'I', 'F', 'F', 0, 0, 0, 0},
        patched(9, 3),    // format 3
        patched(11, 0),   // no tracks
        Midi(0, 0, {{}}), // division 0
        truncated,
        missingTrack,
        noStatus,
        dataTooHigh,
        badVlq,
        undefinedStatus,
    };
    for (const Bytes& bytes : refused) EXPECT_FALSE(ReadMidi(bytes));
}

TEST(MidiReader, RefusesWhatThePlayerCouldNotReadAsItStands) {
    Bytes noEnd = OneNoteMidi(480);
    noEnd.resize(noEnd.size() - 4);
    noEnd[21] -= 4;  // the track length, now without its end event
    Bytes longHeader = OneNoteMidi(480);
    longHeader[7] = 8;
    longHeader.insert(longHeader.begin() + 14, {0, 0});
    std::vector<Bytes> manyTracks(kTooManyTracks, Bytes{});

    const Bytes refused[] = {
        noEnd,
        longHeader,
        Midi(0, 0xE728, {{0x00, 0x90, 60, 100}}),                      // SMPTE time
        Midi(0, 480, {{0x00, 0xFF, 0x51, 0x02, 0x07, 0xA1}}),          // tempo of two bytes
        Midi(0, 480, {{0x00, 0xFF, 0x51, 0x03, 0x00, 0x00, 0x00}}),    // tempo 0
        Midi(0, 480, {{0x00, 0x90, 60, 100, 0x00, 0xFF, 0x01, 0x00, 0x00, 62, 100}}),  // running status after meta
        Midi(0, 480, {{0x00, 0x90, 60, 100, 0x00, 0xF0, 0x01, 0xF7, 0x00, 62, 100}}),  // and after sysex
        Midi(0, 480, {{0x00, 0xFF, 0x2F, 0x01, 0x00}}),                // end of track with data
        Midi(0, 480, {{0x00, 0xF7, 0x02, 0xF3, 0x01}}),                // escaped system exclusive
        Midi(1, 480, manyTracks),
    };
    for (const Bytes& bytes : refused) EXPECT_FALSE(ReadMidi(bytes));

    EXPECT_TRUE(ReadMidi(Midi(1, 480, std::vector<Bytes>(sonobox::kMaxTracks, Bytes{}))));
}

TEST(MusicTime, CountsSevenHundredSixtyEightToAQuarterIn64Bits) {
    EXPECT_EQ(ToMusicTime(960, 480), 1536);
    EXPECT_EQ(ToMusicTime(1, 96), 8);
    EXPECT_EQ(ToMusicTime(0, 480), 0);
    EXPECT_EQ(ToMusicTime(std::uint64_t{10'000'000}, 480), 16'000'000);  // product above 2^32
    EXPECT_EQ(ToMusicTime(std::uint64_t{1} << 40, 96), INT_MAX);
    EXPECT_EQ(ToMusicTime(1000, 0), 0);
}

TEST(MusicRepeats, CountIsUnsignedAndEndlessWhenItOverflows) {
    EXPECT_EQ(sonobox::PassesFor(0), 1);
    EXPECT_EQ(sonobox::PassesFor(2), 3);
    EXPECT_EQ(sonobox::PassesFor(INT_MAX - 1), INT_MAX);
    EXPECT_EQ(sonobox::PassesFor(INT_MAX), -1);
    EXPECT_EQ(sonobox::PassesFor(-1), -1);
    EXPECT_EQ(sonobox::PassesFor(-2), -1);
}

namespace {

// A track chunk (MIDI chunks have no pad byte).
Bytes Track(const Bytes& body) {
    Bytes chunk;
    AppendText(chunk, "MTrk");
    PutBe32(chunk, static_cast<std::uint32_t>(body.size()));
    Append(chunk, body);
    return chunk;
}

}  // namespace

TEST(MidiWriter, HandsOnOnlyHeaderTracksAndTheEventsThePlayerActsOn) {
    const Bytes alien = AlienChunkMidi();
    ASSERT_EQ(alien.size(), 43u);
    Bytes expected{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x03, 0x00};
    Append(expected, Track({0x00, 0x90, 60, 100, 0x8F, 0x00, 0x80, 60, 0, 0x00, 0xFF, 0x2F, 0x00}));
    EXPECT_EQ(sonobox::CanonicalMidi(alien), expected);

    // Running status spelled out, text and time signature dropped with their
    // time kept, an incomplete system exclusive message dropped, a complete
    // one and the tempo kept; format 2 played as format 1.
    const Bytes first{0x00, 0xFF, 0x03, 0x02, 'h', 'i',        // track name
                      0x10, 0x90, 60, 100, 0x10, 62, 100,      // running status
                      0x20, 0xFF, 0x58, 0x04, 4, 2, 24, 8,     // time signature
                      0x30, 0xF0, 0x02, 0x7E, 0x01};           // no closing F7
    const Bytes second{0x00, 0xF0, 0x03, 0x7E, 0x7F, 0xF7, 0x05, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20};
    Bytes wanted{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 2, 0, 96};
    Append(wanted, Track({0x10, 0x90, 60, 100, 0x10, 0x90, 62, 100, 0x50, 0xFF, 0x2F, 0x00}));
    Append(wanted, Track({0x00, 0xF0, 0x03, 0x7E, 0x7F, 0xF7, 0x05, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,
                                  0x00, 0xFF, 0x2F, 0x00}));
    const Bytes written = *sonobox::CanonicalMidi(Midi(2, 96, {first, second}));
    EXPECT_EQ(written, wanted);
    EXPECT_EQ(sonobox::CanonicalMidi(written), written);
}

TEST(MidiWriter, RefusesTracksLongerThanThePlayerCounts) {
    // Eight of the longest deltas make 2^31 - 8 ticks.
    auto track = [](std::uint32_t last) {
        Bytes events;
        for (int i = 0; i < 8; ++i) Append(events, {0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0x01, 0x00});
        Append(events, Vlq(last));
        Append(events, {0xFF, 0x01, 0x00});
        return Midi(0, 96, {events});
    };
    EXPECT_EQ(ReadMidi(track(7))->lengthTicks, 0x7FFFFFFFu);
    EXPECT_FALSE(ReadMidi(track(8)));
}
