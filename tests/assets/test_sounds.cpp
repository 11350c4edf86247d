// Checks the shipped sound effects and tunes with small readers of their own:
// the effects must load as plain PCM and sound at a sensible level, the tunes
// must parse cleanly and loop on a bar line with no note left hanging.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

struct FormatError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

Bytes ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw FormatError("cannot open " + path);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Bounds-checked reading of a byte range.
class Cursor {
public:
    Cursor(const Bytes& bytes, std::size_t begin, std::size_t end)
        : bytes_(bytes), pos_(begin), end_(end) {}

    std::size_t Pos() const { return pos_; }
    bool AtEnd() const { return pos_ >= end_; }
    std::size_t Left() const { return end_ - pos_; }

    void Need(std::size_t n, const char* what) const {
        if (Left() < n) throw FormatError(std::string("truncated ") + what);
    }
    std::uint8_t U8(const char* what) {
        Need(1, what);
        return bytes_[pos_++];
    }
    std::string Tag() {
        Need(4, "chunk tag");
        std::string tag(bytes_.begin() + static_cast<std::ptrdiff_t>(pos_),
                        bytes_.begin() + static_cast<std::ptrdiff_t>(pos_ + 4));
        pos_ += 4;
        return tag;
    }
    std::uint32_t U32le(const char* what) { return static_cast<std::uint32_t>(Little(4, what)); }
    std::uint16_t U16le(const char* what) { return static_cast<std::uint16_t>(Little(2, what)); }
    std::uint32_t U32be(const char* what) { return static_cast<std::uint32_t>(Big(4, what)); }
    std::uint16_t U16be(const char* what) { return static_cast<std::uint16_t>(Big(2, what)); }

    std::uint32_t VarLen() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const std::uint8_t b = U8("variable-length number");
            value = (value << 7) | (b & 0x7Fu);
            if ((b & 0x80u) == 0) return value;
        }
        throw FormatError("variable-length number longer than four bytes");
    }
    void Skip(std::size_t n, const char* what) {
        Need(n, what);
        pos_ += n;
    }

private:
    std::uint64_t Little(int n, const char* what) {
        Need(static_cast<std::size_t>(n), what);
        std::uint64_t v = 0;
        for (int i = n - 1; i >= 0; --i) v = (v << 8) | bytes_[pos_ + static_cast<std::size_t>(i)];
        pos_ += static_cast<std::size_t>(n);
        return v;
    }
    std::uint64_t Big(int n, const char* what) {
        Need(static_cast<std::size_t>(n), what);
        std::uint64_t v = 0;
        for (int i = 0; i < n; ++i) v = (v << 8) | bytes_[pos_++];
        return v;
    }

    const Bytes& bytes_;
    std::size_t pos_;
    std::size_t end_;
};

// ---- WAV -------------------------------------------------------------------

struct Wave {
    std::uint16_t format = 0;
    std::uint16_t channels = 0;
    std::uint32_t rate = 0;
    std::uint16_t bits = 0;
    std::uint32_t dataBytes = 0;
    std::vector<std::int16_t> samples;

    double Seconds() const { return rate ? static_cast<double>(samples.size()) / channels / rate : 0; }
    int Peak() const {
        int peak = 0;
        for (std::int16_t s : samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
        return peak;
    }
    double RmsDbfs() const {
        double sum = 0;
        for (std::int16_t s : samples) sum += static_cast<double>(s) * s;
        const double count = static_cast<double>(std::max<std::size_t>(1, samples.size()));
        return 20.0 * std::log10(std::sqrt(sum / count) / 32768.0);
    }
};

Wave ParseWave(const Bytes& bytes) {
    Cursor file(bytes, 0, bytes.size());
    if (file.Tag() != "RIFF") throw FormatError("not a RIFF file");
    const std::uint32_t riffSize = file.U32le("RIFF size");
    if (static_cast<std::uint64_t>(riffSize) + 8 != bytes.size())
        throw FormatError("RIFF size does not match the file size");
    if (file.Tag() != "WAVE") throw FormatError("RIFF form is not WAVE");

    Wave wave;
    bool haveFormat = false, haveData = false;
    while (!file.AtEnd()) {
        const std::string tag = file.Tag();
        const std::uint32_t size = file.U32le("chunk size");
        file.Need(size, "chunk body");
        Cursor chunk(bytes, file.Pos(), file.Pos() + size);
        if (tag == "fmt ") {
            wave.format = chunk.U16le("format tag");
            wave.channels = chunk.U16le("channel count");
            wave.rate = chunk.U32le("sample rate");
            chunk.U32le("byte rate");
            chunk.U16le("block align");
            wave.bits = chunk.U16le("bits per sample");
            haveFormat = true;
        } else if (tag == "data") {
            if (!haveFormat) throw FormatError("data chunk before fmt chunk");
            if (wave.bits != 16) throw FormatError("only 16-bit samples are read");
            if (size % 2 != 0) throw FormatError("data chunk holds half a sample");
            wave.dataBytes = size;
            while (!chunk.AtEnd())
                wave.samples.push_back(static_cast<std::int16_t>(chunk.U16le("sample")));
            haveData = true;
        }
        file.Skip(size + (size & 1u), "chunk body and pad byte");
    }
    if (!haveFormat) throw FormatError("no fmt chunk");
    if (!haveData) throw FormatError("no data chunk");
    return wave;
}

// ---- standard MIDI file ----------------------------------------------------------

struct Tune {
    std::uint16_t format = 0;
    std::uint16_t division = 0;
    std::vector<std::int64_t> trackEnds;
    std::vector<std::uint32_t> tempos;  // microseconds per quarter note
    int meterTop = 4;
    int meterBottom = 4;
    int keySharps = 0;
    bool keyMinor = false;
    bool haveKey = false;
    int notes = 0;
    int drumNotes = 0;
    std::set<int> velocities;  // of the notes outside the drum channel
    std::vector<std::string> faults;  // note pairing problems, each described

    std::int64_t BarTicks() const {
        return static_cast<std::int64_t>(division) * 4 * meterTop / meterBottom;
    }
    double Seconds() const {
        if (trackEnds.empty() || tempos.empty()) return 0;
        return static_cast<double>(trackEnds.front()) / division * tempos.front() / 1e6;
    }
};

int DataBytesOf(std::uint8_t status) {
    const int kind = status >> 4;
    return (kind == 0xC || kind == 0xD) ? 1 : 2;
}

void ReadMeta(Cursor& track, std::uint8_t type, std::int64_t tick, Tune& tune) {
    const std::uint32_t length = track.VarLen();
    track.Need(length, "meta event");
    Cursor data(track);
    track.Skip(length, "meta event");
    if (type == 0x51) {
        if (length != 3) throw FormatError("tempo event of the wrong size");
        if (tick != 0) throw FormatError("tempo change inside the tune");
        std::uint32_t us = 0;
        for (int i = 0; i < 3; ++i) us = (us << 8) | data.U8("tempo");
        tune.tempos.push_back(us);
    } else if (type == 0x58) {
        if (length != 4) throw FormatError("time signature of the wrong size");
        tune.meterTop = data.U8("meter");
        const int power = data.U8("meter");
        if (tune.meterTop == 0 || power > 6) throw FormatError("time signature out of range");
        tune.meterBottom = 1 << power;
    } else if (type == 0x59) {
        if (length != 2) throw FormatError("key signature of the wrong size");
        tune.keySharps = static_cast<std::int8_t>(data.U8("key"));
        tune.keyMinor = data.U8("key") != 0;
        tune.haveKey = true;
    }
}

// Walks one MTrk body; returns the tick of its end-of-track event.
std::int64_t ReadTrack(Cursor track, Tune& tune) {
    std::int64_t tick = 0;
    std::uint8_t running = 0;
    std::map<std::pair<int, int>, std::int64_t> sounding;  // (channel, key) -> start
    while (true) {
        tick += track.VarLen();
        std::uint8_t status = track.U8("event");
        if (status == 0xFF) {
            const std::uint8_t type = track.U8("meta type");
            if (type == 0x2F) {
                if (track.VarLen() != 0) throw FormatError("end-of-track with data");
                if (!track.AtEnd()) throw FormatError("bytes after end-of-track");
                for (const auto& [note, start] : sounding)
                    tune.faults.push_back("key " + std::to_string(note.second) + " on channel " +
                                          std::to_string(note.first + 1) + " from tick " +
                                          std::to_string(start) + " never ends");
                return tick;
            }
            ReadMeta(track, type, tick, tune);
            continue;
        }
        if (status == 0xF0 || status == 0xF7) {
            track.Skip(track.VarLen(), "system exclusive event");
            continue;
        }
        std::uint8_t first;
        if (status & 0x80u) {
            running = status;
            first = track.U8("event data");
        } else {
            if (running == 0) throw FormatError("running status without a status byte");
            first = status;
            status = running;
        }
        const std::uint8_t second = DataBytesOf(status) == 2 ? track.U8("event data") : 0;
        if ((first | second) & 0x80u) throw FormatError("data byte with the top bit set");

        const int channel = status & 0x0F;
        const int kind = status >> 4;
        const auto key = std::make_pair(channel, static_cast<int>(first));
        const bool noteOn = kind == 0x9 && second > 0;
        const bool noteOff = kind == 0x8 || (kind == 0x9 && second == 0);
        if (noteOn) {
            if (sounding.count(key))
                tune.faults.push_back("key " + std::to_string(first) + " struck again at tick " +
                                      std::to_string(tick) + " while still sounding");
            sounding[key] = tick;
            ++tune.notes;
            if (channel == 9) ++tune.drumNotes;
            else tune.velocities.insert(second);
        } else if (noteOff) {
            if (!sounding.erase(key))
                tune.faults.push_back("note-off without a note at tick " + std::to_string(tick));
        }
    }
}

Tune ParseTune(const Bytes& bytes) {
    Cursor file(bytes, 0, bytes.size());
    if (file.Tag() != "MThd") throw FormatError("no MThd header");
    if (file.U32be("header length") != 6) throw FormatError("header length is not 6");
    Tune tune;
    tune.format = file.U16be("format");
    const std::uint16_t trackCount = file.U16be("track count");
    tune.division = file.U16be("division");
    if (tune.division == 0 || (tune.division & 0x8000u))
        throw FormatError("division is not in ticks per quarter note");
    for (int i = 0; i < trackCount; ++i) {
        if (file.Tag() != "MTrk") throw FormatError("track " + std::to_string(i) + " is not MTrk");
        const std::uint32_t length = file.U32be("track length");
        file.Need(length, "track body");
        tune.trackEnds.push_back(ReadTrack(Cursor(bytes, file.Pos(), file.Pos() + length), tune));
        file.Skip(length, "track body");
    }
    if (!file.AtEnd()) throw FormatError("bytes after the last track");
    return tune;
}

// Runs a reader, turning its complaint into a test failure with the reason.
template <typename T, typename Reader>
::testing::AssertionResult Parsed(const std::string& path, Reader read, T& out) {
    try {
        out = read(ReadFile(path));
        return ::testing::AssertionSuccess();
    } catch (const FormatError& e) {
        return ::testing::AssertionFailure() << path << ": " << e.what();
    }
}

// ---- the effects ------------------------------------------------------------

struct EffectLimits {
    const char* path;
    double minSeconds;
    double maxSeconds;
};

void PrintTo(const EffectLimits& e, std::ostream* os) { *os << e.path; }

class Effect : public ::testing::TestWithParam<EffectLimits> {};

TEST_P(Effect, IsMono16BitPcmAt22050Hz) {
    Wave wave;
    ASSERT_TRUE(Parsed(GetParam().path, ParseWave, wave));
    EXPECT_EQ(wave.format, 1);
    EXPECT_EQ(wave.channels, 1);
    EXPECT_EQ(wave.bits, 16);
    EXPECT_EQ(wave.rate, 22050u);
    EXPECT_EQ(wave.dataBytes, wave.samples.size() * 2);
}

TEST_P(Effect, LastsAsLongAsItsPurposeNeeds) {
    Wave wave;
    ASSERT_TRUE(Parsed(GetParam().path, ParseWave, wave));
    EXPECT_GE(wave.Seconds(), GetParam().minSeconds);
    EXPECT_LE(wave.Seconds(), GetParam().maxSeconds);
}

TEST_P(Effect, PeaksAtMinusSixDbfsAndStaysLoud) {
    // Two effects over the music must not clip in the mixer; the tunes
    // render at about -29.5 dBFS RMS and an effect stays 4 dB or more above.
    Wave wave;
    ASSERT_TRUE(Parsed(GetParam().path, ParseWave, wave));
    EXPECT_LE(wave.Peak(), 32768.0 * std::pow(10.0, -6.0 / 20.0)) << "peaks above -6 dBFS";
    EXPECT_GE(wave.RmsDbfs(), -25.5) << "too quiet against the music";
}

TEST_P(Effect, StartsAndEndsWithoutAClick) {
    Wave wave;
    ASSERT_TRUE(Parsed(GetParam().path, ParseWave, wave));
    ASSERT_FALSE(wave.samples.empty());
    EXPECT_LT(std::abs(wave.samples.front()), 328);
    EXPECT_LT(std::abs(wave.samples.back()), 328);
}

INSTANTIATE_TEST_SUITE_P(Wave, Effect,
                         ::testing::Values(EffectLimits{"Wave/Bullet.wav", 0.03, 0.2},
                                           EffectLimits{"Wave/Explode.wav", 0.8, 1.3},
                                           EffectLimits{"Wave/CpuExp.wav", 0.35, 0.7}));

// ---- the tunes ----------------------------------------------------------------

const char* const kTunes[] = {
    "BGM/Opening.mid", "BGM/Stage1.mid", "BGM/Stage2.mid", "BGM/Stage3.mid",
    "BGM/Stage4.mid",  "BGM/Stage5.mid", "BGM/Stage6.mid", "BGM/Stage7.mid",
    "BGM/HighScore.mid", "BGM/GameOver.mid",
};

class Music : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override { ASSERT_TRUE(Parsed(GetParam(), ParseTune, tune)); }
    Tune tune;
};

TEST_P(Music, IsAFormatOneFileWithTempoAndMeter) {
    EXPECT_EQ(tune.format, 1);
    EXPECT_GE(tune.trackEnds.size(), 3u) << "a conductor track and at least melody and drums";
    ASSERT_EQ(tune.tempos.size(), 1u);
    EXPECT_GT(tune.tempos.front(), 0u);
    EXPECT_TRUE(tune.haveKey);
}

TEST_P(Music, HasDrumsOnChannelTen) {
    EXPECT_GT(tune.drumNotes, 0);
    EXPECT_GT(tune.notes, tune.drumNotes);
}

TEST_P(Music, HasAccentsAndPhraseDynamics) {
    EXPECT_GE(tune.velocities.size(), 4u) << "plays every note at three loudnesses or fewer";
}

TEST_P(Music, EveryNoteEndsBeforeTheLoopPoint) {
    for (const std::string& fault : tune.faults) ADD_FAILURE() << fault;
}

TEST_P(Music, LoopsOnABarLine) {
    ASSERT_FALSE(tune.trackEnds.empty());
    const std::int64_t end = tune.trackEnds.front();
    for (std::int64_t trackEnd : tune.trackEnds) EXPECT_EQ(trackEnd, end) << "tracks end apart";
    EXPECT_GT(end, 0);
    EXPECT_EQ(end % tune.BarTicks(), 0) << end << " ticks is not a whole number of bars";
}

INSTANTIATE_TEST_SUITE_P(BGM, Music, ::testing::ValuesIn(kTunes),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             std::string name = info.param + 4;
                             return name.substr(0, name.size() - 4);
                         });

TEST(StageMusic, LastsBetween45And90SecondsBeforeItRepeats) {
    for (int stage = 1; stage <= 7; ++stage) {
        const std::string path = "BGM/Stage" + std::to_string(stage) + ".mid";
        Tune tune;
        ASSERT_TRUE(Parsed(path, ParseTune, tune));
        EXPECT_GE(tune.Seconds(), 45.0) << path;
        EXPECT_LE(tune.Seconds(), 90.0) << path;
    }
}

TEST(StageMusic, EachStageHasItsOwnKeyAndTempo) {
    std::set<std::pair<int, bool>> keys;
    std::set<std::uint32_t> tempos;
    for (int stage = 1; stage <= 7; ++stage) {
        const std::string path = "BGM/Stage" + std::to_string(stage) + ".mid";
        Tune tune;
        ASSERT_TRUE(Parsed(path, ParseTune, tune));
        ASSERT_FALSE(tune.tempos.empty()) << path;
        EXPECT_TRUE(tempos.insert(tune.tempos.front()).second) << path << " repeats a tempo";
        EXPECT_TRUE(keys.insert({tune.keySharps, tune.keyMinor}).second) << path << " repeats a key";
    }
}

}  // namespace
