#include "sound/WaveFile.h"

#include "SoundFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

using namespace soundtest;
using sonobox::DecodeFormat;
using sonobox::DecodeSamples;
using sonobox::LocateWave;
using sonobox::MemorySource;
using sonobox::ReadWaveData;
using sonobox::SampleKind;
using sonobox::WaveStatus;

namespace {

sonobox::WaveLayout Locate(const Bytes& file) {
    MemorySource source(file);
    return LocateWave(source);
}

const Bytes kPcm16 = FmtRecord(1, 2, 22050, 16);

}  // namespace

TEST(WaveWalker, FindsFormatAndDataAndSkipsOtherChunksWithTheirPadBytes) {
    Bytes chunks = Chunk("LIST", {1, 2, 3});  // odd size: one pad byte follows
    Append(chunks, Chunk("fmt ", kPcm16));
    Append(chunks, Chunk("junk", {9}));
    Append(chunks, Chunk("data", {10, 11, 12, 13}));
    Bytes file = Riff("WAVE", chunks);

    auto layout = Locate(file);
    ASSERT_EQ(layout.status, WaveStatus::Ok);
    EXPECT_EQ(layout.fmtSize, 16u);
    EXPECT_EQ(layout.dataStated, 4u);
    EXPECT_EQ(file[layout.dataOffset], 10);

    MemorySource source(file);
    auto data = ReadWaveData(source, layout);
    ASSERT_TRUE(data);
    EXPECT_EQ(*data, (Bytes{10, 11, 12, 13}));
}

TEST(WaveWalker, TakesTheFirstWaveFormAfterOtherTopLevelChunks) {
    Bytes file = Chunk("JUNK", {1, 2, 3, 4, 5});
    Append(file, Riff("AVI ", Chunk("data", {1, 2})));
    Append(file, Wave(kPcm16, {1, 2, 3, 4}));
    EXPECT_EQ(Locate(file).status, WaveStatus::Ok);
}

TEST(WaveWalker, ReportsEachMissingPieceInOrder) {
    EXPECT_EQ(Locate({}).status, WaveStatus::NotWave);
    EXPECT_EQ(Locate(Riff("AVI ", Chunk("fmt ", kPcm16))).status, WaveStatus::NotWave);
    EXPECT_EQ(Locate(Bytes{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A'}).status, WaveStatus::NotWave);
    EXPECT_EQ(Locate(Riff("WAVE", Chunk("data", {1, 2}))).status, WaveStatus::NoFmt);
    EXPECT_EQ(Locate(Riff("WAVE", Chunk("fmt ", kPcm16))).status, WaveStatus::NoData);

    // The data chunk is looked for only after the format chunk.
    Bytes dataFirst = Chunk("data", {1, 2, 3, 4});
    Append(dataFirst, Chunk("fmt ", kPcm16));
    EXPECT_EQ(Locate(Riff("WAVE", dataFirst)).status, WaveStatus::NoData);
}

TEST(WaveWalker, AFormatChunkReachingPastTheFileIsShort) {
    Bytes file = Riff("WAVE", Chunk("fmt ", kPcm16, 18));
    EXPECT_EQ(Locate(file).status, WaveStatus::FmtShort);
}

TEST(WaveWalker, ChunksEndWithTheirParent) {
    // The RIFF chunk claims only the form type and half the format chunk.
    Bytes inner = Chunk("fmt ", kPcm16);
    Append(inner, Chunk("data", {1, 2, 3, 4}));
    Bytes file = Riff("WAVE", inner, 4 + 16);
    EXPECT_EQ(Locate(file).status, WaveStatus::FmtShort);

    Bytes noRoomForData = Riff("WAVE", inner, 4 + 8 + 16);
    EXPECT_EQ(Locate(noRoomForData).status, WaveStatus::NoData);
}

TEST(WaveWalker, LongerFormatChunksAreReadOnlyAsFarAsTheRecordGoes) {
    Bytes record = ExtensibleRecord(1, 2, 22050, 16);
    record.resize(70, 0xEE);
    auto layout = Locate(Wave(record, {1, 2, 3, 4}));
    ASSERT_EQ(layout.status, WaveStatus::Ok);
    EXPECT_EQ(layout.fmtSize, sonobox::kFmtRecordMax);
}

TEST(WaveWalker, HugeSizesNeitherWrapNorAllocate) {
    Bytes chunks = Chunk("fmt ", kPcm16);
    Append(chunks, Chunk("LIST", {}, 0xFFFFFFFF));
    Append(chunks, Chunk("data", {1, 2, 3, 4}));
    EXPECT_EQ(Locate(Riff("WAVE", chunks, 0xFFFFFFFF)).status, WaveStatus::NoData);

    Bytes big = Chunk("fmt ", kPcm16);
    Append(big, Chunk("data", {1, 2, 3, 4}, 0xFFFFFFF0));
    Bytes file = Riff("WAVE", big);
    auto layout = Locate(file);
    ASSERT_EQ(layout.status, WaveStatus::Ok);
    EXPECT_EQ(layout.dataStated, 0xFFFFFFF0u);
    EXPECT_EQ(layout.dataAvailable, 4u);
    MemorySource source(file);
    EXPECT_FALSE(ReadWaveData(source, layout));
}

TEST(WaveFormat, AcceptsPcmAndFloatInAllThreeForms) {
    struct Case {
        Bytes record;
        SampleKind kind;
        int channels;
    };
    Bytes eighteen = FmtRecord(1, 1, 11025, 8);
    PutLe16(eighteen, 0);
    const Case cases[] = {
        {FmtRecord(1, 1, 11025, 8), SampleKind::Unsigned8, 1},
        {eighteen, SampleKind::Unsigned8, 1},
        {FmtRecord(1, 2, 44100, 16), SampleKind::Signed16, 2},
        {FmtRecord(1, 2, 48000, 24), SampleKind::Signed24, 2},
        {FmtRecord(1, 6, 48000, 32), SampleKind::Signed32, 6},
        {FmtRecord(3, 2, 48000, 32), SampleKind::Float32, 2},
        {FmtRecord(3, 1, 8000, 64), SampleKind::Float64, 1},
        {ExtensibleRecord(1, 2, 44100, 24), SampleKind::Signed24, 2},
        {ExtensibleRecord(3, 2, 44100, 32), SampleKind::Float32, 2},
    };
    for (const Case& c : cases) {
        auto format = DecodeFormat(c.record);
        ASSERT_TRUE(format);
        EXPECT_EQ(format->kind, c.kind);
        EXPECT_EQ(format->channels, c.channels);
    }
}

TEST(WaveFormat, RefusesOtherFormatsAndNonsenseFields) {
    Bytes badGuid = ExtensibleRecord(1, 2, 44100, 16);
    badGuid.back() ^= 0xFF;
    Bytes shortExtensible = ExtensibleRecord(1, 2, 44100, 16);
    shortExtensible.resize(24);
    const Bytes refused[] = {
        FmtRecord(2, 2, 22050, 4),       // ADPCM
        FmtRecord(1, 0, 22050, 16),      // no channels
        FmtRecord(1, 9, 22050, 16),      // more than eight
        FmtRecord(1, 2, 0, 16),          // no rate
        FmtRecord(1, 2, 22050, 16, 3),   // block align is not channels x bytes
        FmtRecord(1, 2, 22050, 12),      // unsupported width
        FmtRecord(3, 2, 22050, 16),      // 16-bit float
        ExtensibleRecord(2, 2, 44100, 16),
        badGuid,
        shortExtensible,
        Bytes(10, 1),
    };
    for (const Bytes& record : refused) EXPECT_FALSE(DecodeFormat(record));
}

TEST(WaveSamples, DecodesEveryWidthToFloatAndDropsAPartialFrame) {
    auto u8 = DecodeSamples(*DecodeFormat(FmtRecord(1, 1, 8000, 8)), Bytes{0, 128, 255});
    EXPECT_EQ(u8, (std::vector<float>{-1.0f, 0.0f, 127.0f / 128.0f}));

    auto s16 = DecodeSamples(*DecodeFormat(FmtRecord(1, 2, 8000, 16)), Bytes{0x00, 0x80, 0xFF, 0x7F, 0x01});
    ASSERT_EQ(s16.size(), 2u);
    EXPECT_EQ(s16[0], -1.0f);
    EXPECT_NEAR(s16[1], 1.0f, 1e-4);

    auto s24 = DecodeSamples(*DecodeFormat(FmtRecord(1, 1, 8000, 24)), Bytes{0x00, 0x00, 0xC0, 0xFF, 0xFF, 0x3F});
    ASSERT_EQ(s24.size(), 2u);
    EXPECT_EQ(s24[0], -0.5f);
    EXPECT_NEAR(s24[1], 0.5f, 1e-6);

    Bytes floats;
    const float values[] = {0.25f, std::numeric_limits<float>::quiet_NaN(), 3.0f};
    for (float v : values) {
        std::uint32_t bits;
        std::memcpy(&bits, &v, 4);
        PutLe32(floats, bits);
    }
    auto f32 = DecodeSamples(*DecodeFormat(FmtRecord(3, 1, 8000, 32)), floats);
    EXPECT_EQ(f32, (std::vector<float>{0.25f, 0.0f, 1.0f}));
}
