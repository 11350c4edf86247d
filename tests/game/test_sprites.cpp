#include "game/Game.h"
#include "game/Headless.h"
#include "game/MaskedSprite.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

namespace sk {
namespace {

Bitmap Noise(int w, int h, std::uint32_t seed) {
    std::mt19937 rng(seed);
    Bitmap b(w, h);
    for (std::uint32_t& p : b.Pixels) p = rng() | kOpaque;
    return b;
}

// Picture in the upper half (white outside a filled rectangle), mask in the
// lower half (black inside it).
Bitmap SolidFrame(int w, int h, std::uint32_t colour) {
    Bitmap b(w, 2 * h, kWhite);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            b.Row(y)[x] = colour;
            b.Row(y + h)[x] = kBlack;
        }
    }
    return b;
}

// What one masked draw gives, pixel by pixel.
Bitmap ReferenceDraw(const Bitmap& scr, const Bitmap& sheet, int x, int y, int w, int h, int sx, int sy) {
    Bitmap out = scr;
    auto inSheet = [&](int px, int py) { return px >= 0 && py >= 0 && px < sheet.Width && py < sheet.Height; };
    for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) {
            const int tx = x + i, ty = y + j;
            if (tx < 0 || ty < 0 || tx >= scr.Width || ty >= scr.Height) continue;
            std::uint32_t work = scr.At(tx, ty);
            if (inSheet(sx + i, sy + h + j)) work = sheet.At(sx + i, sy + h + j) & ~work;
            if (inSheet(sx + i, sy + j)) work ^= sheet.At(sx + i, sy + j);
            out.Row(ty)[tx] = work;
        }
    }
    return out;
}

class DrawSpriteTest : public ::testing::Test {
protected:
    NullWindowPort port;
    Pictures pictures;
    Game game{port, pictures, SilentSound()};

    void SetUp() override { game.MainScr = Noise(kFieldWidth, kFieldHeight, 42); }
};

TEST_F(DrawSpriteTest, MatchesThePixelFormulaForRandomSheetsAndPlaces) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> px(-80, 660), py(-80, 430), frame(1, 3);
    const Bitmap sheet = Noise(120, 300, 9);
    for (int n = 0; n < 400; ++n) {
        const int x = px(rng), y = py(rng);
        const std::uint8_t layout = static_cast<std::uint8_t>(n % 2);
        const int a = layout == 1 ? frame(rng) : frame(rng) * 25 - 30;  // some strips start left of the sheet
        const int b = frame(rng);
        const int w = 60, h = 30;
        const int sx = layout == 1 ? (a - 1) * w : a;
        const int sy = layout == 1 ? (b - 1) * 2 * h : 0;
        const Bitmap expected = ReferenceDraw(game.MainScr, sheet, x, y, w, h, sx, sy);
        game.DrawSprite(sheet, x, y, w, h, a, b, layout);
        ASSERT_EQ(game.MainScr.Pixels, expected.Pixels) << "draw " << n << " at " << x << "," << y;
    }
}

TEST_F(DrawSpriteTest, WhiteIsTransparentAndBlackMaskShowsThePicture) {
    Bitmap sheet = SolidFrame(4, 2, 0xFFFF0000u);
    sheet.Row(0)[0] = kWhite;  // transparent pixel: white picture over white mask
    sheet.Row(2)[0] = kWhite;
    const Bitmap before = game.MainScr;
    game.DrawSprite(sheet, 10, 20, 4, 2, 0, 0, 0);
    EXPECT_EQ(game.MainScr.At(10, 20), before.At(10, 20));
    EXPECT_EQ(game.MainScr.At(11, 20), 0xFFFF0000u);
    EXPECT_EQ(game.MainScr.At(13, 21), 0xFFFF0000u);
    EXPECT_EQ(game.MainScr.At(14, 21), before.At(14, 21));
}

TEST_F(DrawSpriteTest, SpritesEntirelyOffTheFieldChangeNothing) {
    const Bitmap sheet = SolidFrame(60, 30, 0xFF00FF00u);
    const Bitmap before = game.MainScr;
    game.DrawSprite(sheet, -60, 100, 60, 30, 0, 0, 0);
    game.DrawSprite(sheet, 100, 404, 60, 30, 0, 0, 0);
    game.DrawSprite(sheet, 632, 100, 60, 30, 0, 0, 0);
    game.DrawSprite(sheet, 100, -30, 60, 30, 0, 0, 0);
    EXPECT_EQ(game.MainScr.Pixels, before.Pixels);

    game.DrawSprite(sheet, -59, 403, 60, 30, 0, 0, 0);  // one pixel shows
    EXPECT_EQ(game.MainScr.At(0, 403), 0xFF00FF00u);
    EXPECT_EQ(game.MainScr.At(1, 403), before.At(1, 403));
    EXPECT_EQ(game.MainScr.At(0, 402), before.At(0, 402));
}

TEST_F(DrawSpriteTest, GridLayoutFindsColumnTwoRowFive) {
    Bitmap sheet(120, 300, kWhite);
    const std::uint32_t colour = 0xFF123456u;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 60; ++x) {
            sheet.Row(240 + y)[60 + x] = colour;  // picture at (60, 240)
            sheet.Row(270 + y)[60 + x] = kBlack;  // mask at (60, 270)
        }
    }
    game.DrawSprite(sheet, 200, 100, 60, 30, 2, 5, 1);
    EXPECT_EQ(game.MainScr.At(200, 100), colour);
    EXPECT_EQ(game.MainScr.At(259, 129), colour);

    // Any other cell of the grid is fully transparent here.
    const Bitmap before = game.MainScr;
    game.DrawSprite(sheet, 300, 100, 60, 30, 1, 5, 1);
    game.DrawSprite(sheet, 300, 100, 60, 30, 2, 4, 1);
    EXPECT_EQ(game.MainScr.Pixels, before.Pixels);
}

TEST_F(DrawSpriteTest, AllWhitePictureDrawsItsMaskAsWhiteText) {
    // As the restart caption: picture half white, letters black in the mask.
    Bitmap sheet(155, 22, kWhite);
    sheet.Row(11 + 5)[7] = kBlack;
    const Bitmap before = game.MainScr;
    game.DrawSprite(sheet, 251, 250, 155, 11, 0, 0, 0);
    EXPECT_EQ(game.MainScr.At(258, 255), kWhite);
    EXPECT_EQ(game.MainScr.At(257, 255), before.At(257, 255));
    EXPECT_EQ(game.MainScr.At(259, 255), before.At(259, 255));
}

TEST_F(DrawSpriteTest, LaterSpriteCoversWhereItsMaskIsBlack) {
    const Bitmap red = SolidFrame(20, 10, 0xFFFF0000u);
    Bitmap blue = SolidFrame(20, 10, 0xFF0000FFu);
    for (int y = 0; y < 10; ++y) {  // right half of the blue sprite is transparent
        for (int x = 10; x < 20; ++x) {
            blue.Row(y)[x] = kWhite;
            blue.Row(10 + y)[x] = kWhite;
        }
    }
    game.DrawSprite(red, 100, 100, 20, 10, 0, 0, 0);
    game.DrawSprite(blue, 95, 100, 20, 10, 0, 0, 0);
    EXPECT_EQ(game.MainScr.At(100, 105), 0xFF0000FFu);  // blue covers red
    EXPECT_EQ(game.MainScr.At(104, 105), 0xFF0000FFu);
    EXPECT_EQ(game.MainScr.At(105, 105), 0xFFFF0000u);  // red shows through
    EXPECT_EQ(game.MainScr.At(119, 109), 0xFFFF0000u);
}

TEST(DrawMaskedSprite, ReusesTheWorkBitmapOnceItHasGrown) {
    Bitmap target(100, 100, kBlack);
    Bitmap work;
    const Bitmap big = SolidFrame(60, 30, kWhite);
    DrawMaskedSprite(target, work, big, 0, 0, 60, 30, 0, 0);
    const std::uint32_t* storage = work.Pixels.data();
    for (int n = 0; n < 50; ++n) {
        DrawMaskedSprite(target, work, big, n - 20, n, 16 + n % 40, 8 + n % 20, 0, 0);
        ASSERT_EQ(work.Pixels.data(), storage);
    }
}

TEST(DrawMaskedSprite, ZeroSizedOrHugeFramesAreSafe) {
    Bitmap target(10, 10, 0xFF010203u);
    Bitmap work;
    const Bitmap sheet(4, 4, kBlack);
    DrawMaskedSprite(target, work, sheet, 0, 0, 0, 5, 0, 0);
    DrawMaskedSprite(target, work, sheet, 0, 0, -3, -3, 0, 0);
    EXPECT_EQ(target.At(0, 0), 0xFF010203u);
    // A frame far bigger than the target only needs the target's size of work.
    DrawMaskedSprite(target, work, sheet, -1000000, -1000000, 2000000, 2000000, 0, 0);
    EXPECT_LE(work.Pixels.size(), 100u);
}

}  // namespace
}  // namespace sk
