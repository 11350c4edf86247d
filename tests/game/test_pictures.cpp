#include "game/Pictures.h"

#include <gtest/gtest.h>

#include <png.h>

#include <cstdint>
#include <vector>

namespace sk {
namespace {

// Encodes `pixels` (RGBA bytes) as a PNG file in memory.
std::vector<std::uint8_t> EncodePng(int w, int h, const std::vector<std::uint8_t>& rgba) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(w);
    image.height = static_cast<png_uint_32>(h);
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr)) return {};
    std::vector<std::uint8_t> out(size);
    if (!png_image_write_to_memory(&image, out.data(), &size, 0, rgba.data(), 0, nullptr)) return {};
    out.resize(size);
    return out;
}

TEST(DecodePng, GivesRgbPixelsRowByRow) {
    const std::vector<std::uint8_t> rgba = {
        0x12, 0x34, 0x56, 0xFF, 0xFF, 0x00, 0x00, 0xFF,  // row 0
        0x00, 0x00, 0x00, 0xFF, 0x01, 0x02, 0x03, 0xFF,  // row 1
        0xAA, 0xBB, 0xCC, 0xFF, 0x00, 0x00, 0x00, 0x00,  // row 2: last pixel transparent
    };
    const auto png = EncodePng(2, 3, rgba);
    ASSERT_FALSE(png.empty());
    Bitmap b;
    ASSERT_TRUE(DecodePng(png, b));
    EXPECT_EQ(b.Width, 2);
    EXPECT_EQ(b.Height, 3);
    EXPECT_EQ(b.At(0, 0), 0xFF123456u);
    EXPECT_EQ(b.At(1, 0), 0xFFFF0000u);
    EXPECT_EQ(b.At(0, 1), kBlack);
    EXPECT_EQ(b.At(1, 1), 0xFF010203u);
    EXPECT_EQ(b.At(0, 2), 0xFFAABBCCu);
    EXPECT_EQ(b.At(1, 2), kWhite);  // transparent reads as white, the sheets' "nothing"
}

TEST(DecodePng, RefusesWhatIsNotAPngAndLeavesTheBitmap) {
    Bitmap b(3, 3, 0xFFABCDEFu);
    const std::vector<std::uint8_t> junk = {'n', 'o', 't', ' ', 'p', 'n', 'g'};
    EXPECT_FALSE(DecodePng({}, b));
    EXPECT_FALSE(DecodePng(junk, b));
    auto png = EncodePng(1, 1, {1, 2, 3, 255});
    png.resize(png.size() / 2);  // cut off
    EXPECT_FALSE(DecodePng(png, b));
    EXPECT_EQ(b.Width, 3);
    EXPECT_EQ(b.At(2, 2), 0xFFABCDEFu);
}

TEST(Pictures, EveryPictureHasItsSize) {
    // Whether embedded or missing (then white), each picture has the size the game reads it at.
    const Pictures& p = LoadPictures();
    EXPECT_EQ(&p, &LoadPictures());
    const struct {
        const Bitmap& bitmap;
        int w, h;
    } expected[] = {
        {p.OpenLogo, 632, 434}, {p.StatusPicture, 632, 30}, {p.PlaneBmp, 59, 60},  {p.EnemyBmp, 120, 300},
        {p.ExplodeBmp, 275, 122}, {p.Missile, 16, 16},       {p.CpuMissile, 16, 16}, {p.GameOverGra, 320, 120},
        {p.toTitle, 155, 22},     {p.BossBmp, 226, 60},      {p.GraPattrn, 32, 32},  {p.AllBack, 32, 32},
        {p.Maps, 256, 96},        {p.MapMask, 256, 96},
    };
    for (const auto& e : expected) {
        EXPECT_EQ(e.bitmap.Width, e.w);
        EXPECT_EQ(e.bitmap.Height, e.h);
        EXPECT_EQ(e.bitmap.Pixels.size(), static_cast<std::size_t>(e.w * e.h));
    }
}

}  // namespace
}  // namespace sk
