#include "game/Raster.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

namespace sk {
namespace {

Bitmap Numbered(int w, int h, std::uint32_t base) {
    Bitmap b(w, h);
    for (int i = 0; i < w * h; ++i) b.Pixels[static_cast<std::size_t>(i)] = (base + static_cast<std::uint32_t>(i) * 2654435761u) | kOpaque;
    return b;
}

std::uint32_t Combine(std::uint32_t dst, std::uint32_t src, RasterOp op) {
    switch (op) {
    case RasterOp::SrcCopy: return src;
    case RasterOp::SrcErase: return (src & ~dst) | kOpaque;
    case RasterOp::SrcInvert: return (dst ^ src) | kOpaque;
    }
    return dst;
}

// The block copy pixel by pixel, reading from a snapshot of the source.
void ReferenceBlit(Bitmap& dst, int dx, int dy, int w, int h, const Bitmap& srcIn, int sx, int sy, RasterOp op) {
    const Bitmap src = srcIn;
    for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) {
            const int tx = dx + i, ty = dy + j, fx = sx + i, fy = sy + j;
            if (tx < 0 || ty < 0 || tx >= dst.Width || ty >= dst.Height) continue;
            if (fx < 0 || fy < 0 || fx >= src.Width || fy >= src.Height) continue;
            dst.Row(ty)[tx] = Combine(dst.At(tx, ty), src.At(fx, fy), op);
        }
    }
}

constexpr RasterOp kOps[] = {RasterOp::SrcCopy, RasterOp::SrcErase, RasterOp::SrcInvert};

TEST(Bitmap, ShrinkingAndRegrowingKeepsTheStorage) {
    Bitmap b(64, 64);
    const std::uint32_t* storage = b.Pixels.data();
    b.Resize(10, 3);
    b.Resize(64, 64, kWhite);
    EXPECT_EQ(b.Pixels.data(), storage);
    EXPECT_EQ(b.At(63, 63), kWhite);
}

TEST(Blit, EachOpCombinesAsDefinedAndEveryResultStaysOpaque) {
    Bitmap src(1, 1, 0xFFF0F0F0u);
    Bitmap dst(1, 1, 0xFFFF00FFu);
    Blit(dst, 0, 0, 1, 1, src, 0, 0, RasterOp::SrcErase);
    EXPECT_EQ(dst.At(0, 0), 0xFF00F000u);  // src AND NOT dst
    Blit(dst, 0, 0, 1, 1, src, 0, 0, RasterOp::SrcInvert);
    EXPECT_EQ(dst.At(0, 0), 0xFFF000F0u);  // dst XOR src
    Blit(dst, 0, 0, 1, 1, src, 0, 0, RasterOp::SrcCopy);
    EXPECT_EQ(dst.At(0, 0), 0xFFF0F0F0u);
    // Equal pixels would cancel the top byte of both ops; within one bitmap too.
    Bitmap same(8, 1, kWhite);
    Blit(same, 0, 0, 8, 1, same, 0, 0, RasterOp::SrcInvert);
    EXPECT_EQ(same.At(7, 0), kBlack);
    Blit(same, 1, 0, 7, 1, same, 0, 0, RasterOp::SrcErase);
    EXPECT_EQ(same.At(7, 0), kBlack);
}

TEST(Blit, ZeroOrNegativeSizeDrawsNothing) {
    const Bitmap src(4, 4, kWhite);
    for (RasterOp op : kOps) {
        for (auto [w, h] : {std::pair{0, 4}, {4, 0}, {-1, 4}, {4, -3}, {-5, -5}}) {
            Bitmap dst = Numbered(4, 4, 1);
            const Bitmap before = dst;
            Blit(dst, 0, 0, w, h, src, 0, 0, op);
            EXPECT_EQ(dst.Pixels, before.Pixels) << w << "x" << h;
        }
    }
}

TEST(Blit, EmptyBitmapsAreHarmless) {
    Bitmap empty;
    Bitmap other(4, 4, kWhite);
    Blit(empty, 0, 0, 4, 4, other, 0, 0, RasterOp::SrcCopy);
    Blit(other, 0, 0, 4, 4, empty, 0, 0, RasterOp::SrcInvert);
    EXPECT_EQ(other.At(0, 0), kWhite);
}

TEST(Blit, MatchesPixelReferenceForRandomBlocks) {
    std::mt19937 rng(1234);
    std::uniform_int_distribution<int> size(0, 40), pos(-50, 50);
    for (int n = 0; n < 3000; ++n) {
        const RasterOp op = kOps[n % 3];
        const Bitmap src = Numbered(size(rng), size(rng), static_cast<std::uint32_t>(n));
        Bitmap dst = Numbered(size(rng), size(rng), static_cast<std::uint32_t>(n * 7));
        Bitmap expected = dst;
        const int dx = pos(rng), dy = pos(rng), sx = pos(rng), sy = pos(rng);
        const int w = pos(rng), h = pos(rng);
        ReferenceBlit(expected, dx, dy, w, h, src, sx, sy, op);
        Blit(dst, dx, dy, w, h, src, sx, sy, op);
        ASSERT_EQ(dst.Pixels, expected.Pixels)
            << "op " << static_cast<int>(op) << " block " << w << "x" << h << " from (" << sx << "," << sy
            << ") to (" << dx << "," << dy << ")";
    }
}

TEST(Blit, OverlappingBlocksWithinOneBitmapReadTheOldPixels) {
    // Every direction of overlap, including moves along one row.
    for (RasterOp op : kOps) {
        for (int ox = -3; ox <= 3; ++ox) {
            for (int oy = -3; oy <= 3; ++oy) {
                Bitmap b = Numbered(12, 10, static_cast<std::uint32_t>(ox * 31 + oy));
                Bitmap expected = b;
                ReferenceBlit(expected, 2 + ox, 2 + oy, 8, 6, b, 2, 2, op);
                Blit(b, 2 + ox, 2 + oy, 8, 6, b, 2, 2, op);
                ASSERT_EQ(b.Pixels, expected.Pixels) << "offset " << ox << "," << oy;
            }
        }
    }
}

TEST(Blit, FrameCopyTallerThanItsSourceLeavesTheStatusRows) {
    // 632 x 438 from the 404-row frame onto the 434-row play area.
    Bitmap mainScr(632, 404, 0xFF112233u);
    Bitmap screen(632, 434, 0xFFABCDEFu);
    Blit(screen, 0, 0, 632, 438, mainScr, 0, 0, RasterOp::SrcCopy);
    EXPECT_EQ(screen.At(0, 0), 0xFF112233u);
    EXPECT_EQ(screen.At(631, 403), 0xFF112233u);
    EXPECT_EQ(screen.At(0, 404), 0xFFABCDEFu);
    EXPECT_EQ(screen.At(631, 433), 0xFFABCDEFu);
}

TEST(Blit, TitleBandReadingColumnsPastThePictureLeavesThem) {
    // A band copy of columns c..635 from a 632-wide picture: 632..635 have no source.
    Bitmap logo = Numbered(632, 20, 5);
    Bitmap screen(632, 20, 0xFF777777u);
    const int c = 100;
    Blit(screen, 0, 0, 636 - c, 20, logo, c, 0, RasterOp::SrcCopy);
    EXPECT_EQ(screen.At(531, 0), logo.At(631, 0));
    EXPECT_EQ(screen.At(532, 0), 0xFF777777u);
    EXPECT_EQ(screen.At(535, 19), 0xFF777777u);
    EXPECT_EQ(screen.At(536, 19), 0xFF777777u);
}

TEST(Blit, ShortBackgroundLeavesRowsBelowIt) {
    // A 13-row map (416 rows) read 434 rows deep.
    Bitmap back(640, 416, 0xFF010101u);
    Bitmap target(640, 434, 0xFFFEFEFEu);
    Blit(target, 0, 0, 640, 434, back, 0, 0, RasterOp::SrcCopy);
    EXPECT_EQ(target.At(10, 415), 0xFF010101u);
    EXPECT_EQ(target.At(10, 416), 0xFFFEFEFEu);
    EXPECT_EQ(target.At(639, 433), 0xFFFEFEFEu);
}

TEST(Blit, SheetRowBeyondTheSheetDrawsNothing) {
    // Tile codes 25..32 read y 96..127 of a 96-row sheet.
    const Bitmap sheet(256, 96, kBlack);
    Bitmap back = Numbered(64, 64, 3);
    const Bitmap before = back;
    Blit(back, 0, 0, 32, 32, sheet, 0, 96, RasterOp::SrcErase);
    Blit(back, 0, 0, 32, 32, sheet, 0, 96, RasterOp::SrcInvert);
    EXPECT_EQ(back.Pixels, before.Pixels);
}

TEST(Blit, ExtremeCoordinatesDoNotOverflow) {
    const Bitmap src(4, 4, kWhite);
    Bitmap dst(4, 4, kBlack);
    Blit(dst, INT32_MAX - 1, 0, INT32_MAX, 4, src, 0, 0, RasterOp::SrcCopy);
    Blit(dst, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, src, 0, 0, RasterOp::SrcCopy);
    Blit(dst, 0, 0, INT32_MAX, INT32_MAX, src, INT32_MIN, INT32_MAX, RasterOp::SrcCopy);
    for (std::uint32_t p : dst.Pixels) EXPECT_EQ(p, kBlack);
    Blit(dst, -2, -2, INT32_MAX, INT32_MAX, src, 0, 0, RasterOp::SrcCopy);
    EXPECT_EQ(dst.At(1, 1), kWhite);
    EXPECT_EQ(dst.At(2, 2), kBlack);
}

}  // namespace
}  // namespace sk
