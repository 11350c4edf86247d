// The shipped pictures and stage files: sizes, the picture/mask convention
// of every frame, how the art sits in the frames the rules read, and stage
// files the game can read. Runs in gamedata/.
#include "game/Pictures.h"
#include "game/StageFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace sk {
namespace {

struct Rect {
    int X, Y, W, H;
};

Bitmap Decoded(const char* name) {
    Bitmap out;
    EXPECT_TRUE(DecodePng(EmbeddedPicture(name), out)) << name << " is not embedded or not a readable PNG";
    return out;
}

// Checks one frame whose mask lies in `mask` at `maskAt`: the mask is only
// black or white, the picture is white exactly where the mask is, and the
// frame shows something. Reports at most one failure per frame.
void ExpectMaskedFrame(const Bitmap& picture, Rect frame, const Bitmap& mask, Rect maskAt, const std::string& what) {
    int opaque = 0;
    for (int y = 0; y < frame.H; ++y) {
        for (int x = 0; x < frame.W; ++x) {
            const std::uint32_t m = mask.At(maskAt.X + x, maskAt.Y + y);
            const std::uint32_t p = picture.At(frame.X + x, frame.Y + y);
            const std::string where = what + " at " + std::to_string(x) + "," + std::to_string(y);
            if (m != kBlack && m != kWhite) {
                ADD_FAILURE() << where << ": mask pixel is neither black nor white";
                return;
            }
            if (m == kWhite && p != kWhite) {
                ADD_FAILURE() << where << ": transparent pixel is not white in the picture";
                return;
            }
            if (m == kBlack && p == kWhite) {
                ADD_FAILURE() << where << ": opaque pixel is pure white and would vanish";
                return;
            }
            opaque += m == kBlack;
        }
    }
    EXPECT_GT(opaque, 0) << what << " is empty";
}

// A sheet whose every frame has its mask directly below the picture.
void ExpectStackedFrame(const Bitmap& sheet, Rect frame, const std::string& what) {
    ExpectMaskedFrame(sheet, frame, sheet, {frame.X, frame.Y + frame.H, frame.W, frame.H}, what);
}

std::vector<std::uint32_t> MaskOf(const Bitmap& sheet, Rect frame) {
    std::vector<std::uint32_t> out;
    for (int y = 0; y < frame.H; ++y) {
        for (int x = 0; x < frame.W; ++x) out.push_back(sheet.At(frame.X + x, frame.Y + frame.H + y));
    }
    return out;
}

bool AllOf(const Bitmap& b, Rect r, std::uint32_t colour) {
    for (int y = r.Y; y < r.Y + r.H; ++y) {
        for (int x = r.X; x < r.X + r.W; ++x) {
            if (b.At(x, y) != colour) return false;
        }
    }
    return true;
}

TEST(Pictures, EveryPictureIsEmbeddedWithItsSize) {
    const struct {
        const char* Name;
        int W, H;
    } expected[] = {
        {"OpenLogo", 632, 434}, {"StatusPicture", 632, 30}, {"PlaneBmp", 59, 60},  {"EnemyBmp", 120, 300},
        {"ExplodeBmp", 275, 122}, {"Missile", 16, 16},       {"CpuMissile", 16, 16}, {"GameOverGra", 320, 120},
        {"toTitle", 155, 22},    {"BossBmp", 226, 60},       {"GraPattrn", 32, 32}, {"AllBack", 32, 32},
        {"Maps", 256, 96},       {"MapMask", 256, 96},       {"Icon", 32, 32},      {"AboutIcon", 32, 32},
    };
    for (const auto& e : expected) {
        const Bitmap b = Decoded(e.Name);
        EXPECT_EQ(b.Width, e.W) << e.Name;
        EXPECT_EQ(b.Height, e.H) << e.Name;
    }
}

TEST(Pictures, LoadedSheetsAreTheEmbeddedOnes) {
    const Pictures& p = LoadPictures();
    EXPECT_EQ(p.EnemyBmp.Pixels, Decoded("EnemyBmp").Pixels);
    EXPECT_EQ(p.Maps.Pixels, Decoded("Maps").Pixels);
    EXPECT_EQ(p.MapMask.Pixels, Decoded("MapMask").Pixels);
    EXPECT_EQ(p.toTitle.Pixels, Decoded("toTitle").Pixels);
}

TEST(Pictures, SpriteFramesKeepTheMaskConvention) {
    const Pictures& p = LoadPictures();
    ExpectStackedFrame(p.PlaneBmp, {0, 0, 59, 30}, "PlaneBmp");
    ExpectStackedFrame(p.Missile, {0, 0, 16, 8}, "Missile");
    ExpectStackedFrame(p.CpuMissile, {0, 0, 16, 8}, "CpuMissile");
    ExpectStackedFrame(p.GameOverGra, {0, 0, 320, 60}, "GameOverGra");
    for (int column = 1; column <= 2; ++column) {
        for (int row = 1; row <= 5; ++row) {
            const int kind = (column - 1) * 5 + row;
            ExpectStackedFrame(p.EnemyBmp, {(column - 1) * 60, (row - 1) * 60, 60, 30},
                               "EnemyBmp kind " + std::to_string(kind));
        }
    }
    for (int n = 1; n <= 5; ++n) {
        ExpectStackedFrame(p.ExplodeBmp, {(n - 1) * 55, 0, 55, 61}, "ExplodeBmp frame " + std::to_string(n));
    }
    for (int n = 0; n < 2; ++n) ExpectStackedFrame(p.BossBmp, {n * 113, 0, 113, 30}, "BossBmp frame");
}

TEST(Pictures, TilesKeepTheMaskConvention) {
    const Pictures& p = LoadPictures();
    for (int code = 1; code <= 24; ++code) {
        const Rect tile{(code - 1) % 8 * 32, (code - 1) / 8 * 32, 32, 32};
        ExpectMaskedFrame(p.Maps, tile, p.MapMask, tile, "tile " + std::to_string(code));
    }
}

TEST(Pictures, TenEnemyKindsHaveTenShapes) {
    const Bitmap& sheet = LoadPictures().EnemyBmp;
    std::set<std::vector<std::uint32_t>> shapes;
    for (int column = 0; column < 2; ++column) {
        for (int row = 0; row < 5; ++row) shapes.insert(MaskOf(sheet, {column * 60, row * 60, 60, 30}));
    }
    EXPECT_EQ(shapes.size(), 10u);
}

// The opaque pixels of a frame's mask (the mask lies below the picture).
std::vector<std::pair<int, int>> OpaqueOf(const Bitmap& sheet, Rect frame) {
    std::vector<std::pair<int, int>> out;
    for (int y = 0; y < frame.H; ++y) {
        for (int x = 0; x < frame.W; ++x) {
            if (sheet.At(frame.X + x, frame.Y + frame.H + y) == kBlack) out.emplace_back(x, y);
        }
    }
    return out;
}

// The ram rule compares whole cells: an aircraft that reaches every side of
// its cell and fills most of it makes a ram look like a touch.
void ExpectFillsItsCell(const Bitmap& sheet, Rect frame, const std::string& what) {
    const auto opaque = OpaqueOf(sheet, frame);
    int left = frame.W, right = -1, top = frame.H, bottom = -1;
    for (const auto& [x, y] : opaque) {
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
    }
    EXPECT_EQ(left, 0) << what;
    EXPECT_EQ(right, frame.W - 1) << what;
    EXPECT_EQ(top, 0) << what;
    EXPECT_EQ(bottom, frame.H - 1) << what;
    EXPECT_GE(opaque.size() * 2, static_cast<std::size_t>(frame.W * frame.H)) << what << " fills less than half";
}

TEST(Pictures, AircraftFillTheCellsTheRamRuleCompares) {
    const Pictures& p = LoadPictures();
    ExpectFillsItsCell(p.PlaneBmp, {0, 0, 59, 30}, "PlaneBmp");
    for (int kind = 1; kind <= 10; ++kind) {
        ExpectFillsItsCell(p.EnemyBmp, {(kind - 1) / 5 * 60, (kind - 1) % 5 * 60, 60, 30},
                           "EnemyBmp kind " + std::to_string(kind));
    }
}

TEST(Pictures, ExplosionsAreCentredWhereTheAircraftWas) {
    // Frames are drawn at the aircraft's top-left corner; (29, 15) is the
    // middle of its cell.
    const Bitmap& sheet = LoadPictures().ExplodeBmp;
    for (int n = 1; n <= 5; ++n) {
        const auto opaque = OpaqueOf(sheet, {(n - 1) * 55, 0, 55, 61});
        ASSERT_FALSE(opaque.empty());
        double sumX = 0, sumY = 0;
        for (const auto& [x, y] : opaque) sumX += x, sumY += y;
        const double cx = sumX / static_cast<double>(opaque.size());
        const double cy = sumY / static_cast<double>(opaque.size());
        EXPECT_LE(std::hypot(cx - 29, cy - 15), 5.0) << "frame " << n << " centred at " << cx << "," << cy;
    }
}

int Brightest(std::uint32_t c) {
    return static_cast<int>(std::max({(c >> 16) & 0xFFu, (c >> 8) & 0xFFu, c & 0xFFu}));
}

TEST(Pictures, GameOverWordIsBrightGreenWithADarkRim) {
    // Letters brighter than any grass tile inside a dark rim, so the word
    // reads over the green stages too.
    const Bitmap& word = LoadPictures().GameOverGra;
    auto transparent = [&](int x, int y) {
        return x < 0 || y < 0 || x >= 320 || y >= 60 || word.At(x, y + 60) == kWhite;
    };
    int inner = 0, green = 0;
    for (const auto& [x, y] : OpaqueOf(word, {0, 0, 320, 60})) {
        const std::uint32_t c = word.At(x, y);
        if (transparent(x - 1, y) || transparent(x + 1, y) || transparent(x, y - 1) || transparent(x, y + 1)) {
            EXPECT_LT(Brightest(c), 0x50) << "light rim pixel at " << x << "," << y;
            continue;
        }
        const unsigned r = (c >> 16) & 0xFFu, g = (c >> 8) & 0xFFu, b = c & 0xFFu;
        if (Brightest(c) < 0x50) continue;  // the rim's inner rings
        ++inner;
        EXPECT_GE(g, 0xC0u) << "dull letter pixel at " << x << "," << y;
        green += g > r + 0x20 && g > b + 0x20;
    }
    EXPECT_GT(green * 2, inner) << "the word is not mostly green";
}

TEST(Pictures, TilesCoverTheirWholeSquare) {
    // No black ground shows through a tile (turrets stand on plating).
    const Bitmap& mask = LoadPictures().MapMask;
    EXPECT_TRUE(AllOf(mask, {0, 0, 256, 96}, kBlack));
}

TEST(Pictures, RestartCaptionShowsWhiteLettersOnly) {
    // The picture half is all white, so every opaque mask pixel draws white.
    const Bitmap& t = LoadPictures().toTitle;
    EXPECT_TRUE(AllOf(t, {0, 0, 155, 11}, kWhite));
    int letters = 0;
    for (int y = 11; y < 22; ++y) {
        for (int x = 0; x < 155; ++x) {
            const std::uint32_t m = t.At(x, y);
            ASSERT_TRUE(m == kBlack || m == kWhite) << x << "," << y;
            letters += m == kBlack;
        }
    }
    EXPECT_GT(letters, 100);
}

TEST(Pictures, PlainBlackPictures) {
    const Pictures& p = LoadPictures();
    EXPECT_TRUE(AllOf(p.AllBack, {0, 0, 32, 32}, kBlack));
    EXPECT_TRUE(AllOf(p.GraPattrn, {0, 0, 32, 32}, kBlack));
}

TEST(Pictures, TitleStarBandsWrapWithoutASeam) {
    // The moving bands repeat every 636 pixels: their outer columns are
    // black so the join between two copies is invisible.
    const Bitmap& logo = LoadPictures().OpenLogo;
    const Rect bands[] = {{0, 0, 0, 40}, {0, 40, 0, 59}, {0, 255, 0, 100}, {0, 355, 0, 79}};
    for (const Rect& band : bands) {
        EXPECT_TRUE(AllOf(logo, {0, band.Y, 4, band.H}, kBlack)) << "left edge of band at row " << band.Y;
        EXPECT_TRUE(AllOf(logo, {628, band.Y, 4, band.H}, kBlack)) << "right edge of band at row " << band.Y;
    }
}

TEST(Pictures, StatusBarIsDarkUnderTheWhiteNumbers) {
    // Stage and score labels are white text over a black copy; the boxes
    // under them must be dark for both to read.
    const Bitmap& bar = LoadPictures().StatusPicture;
    const Rect underLabels[] = {{92, 411 - 404, 20, 20}, {551, 412 - 404, 65, 19}};
    for (const Rect& r : underLabels) {
        for (int y = r.Y; y < r.Y + r.H; ++y) {
            for (int x = r.X; x < r.X + r.W; ++x) {
                const std::uint32_t c = bar.At(x, y);
                const int brightness = static_cast<int>(((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF));
                ASSERT_LT(brightness, 3 * 0x60) << "status bar at " << x << "," << y;
            }
        }
    }
}

TEST(Pictures, ProgramIconUsesTheSixteenStandardColours) {
    const std::set<std::uint32_t> standard = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                              0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                              0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    const Bitmap icon = Decoded("Icon");
    for (std::uint32_t c : icon.Pixels) ASSERT_TRUE(standard.count(c & 0xFFFFFFu)) << std::hex << c;
}

std::vector<std::uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(StageFiles, SevenPlayableMaps) {
    for (int stage = 1; stage <= 7; ++stage) {
        SCOPED_TRACE("stage " + std::to_string(stage));
        const std::vector<std::uint8_t> data = ReadFile(StageFileName(stage));
        ASSERT_GE(data.size(), kStageHeaderBytes) << "missing or empty";
        const int cols = data[0];
        const int rows = data[1];
        EXPECT_EQ(rows, 13);
        EXPECT_GE(cols, 20);
        EXPECT_LE(cols, 99);
        EXPECT_EQ(data.size(), kStageHeaderBytes + static_cast<std::size_t>(cols) * rows);
        EXPECT_TRUE(std::all_of(data.begin() + kStageHeaderBytes, data.end(), [](std::uint8_t c) { return c <= 24; }))
            << "tile codes outside 0..24";

        std::int32_t readCols = 0, readRows = 0;
        static StageMapCells cells;
        EXPECT_EQ(ReadStageMap(data, readCols, readRows, cells), StageMapStatus::Ok);
        EXPECT_EQ(readCols, cols);
        EXPECT_EQ(cells[rows - 1][cols - 1], data.back());
    }
}

bool IsWater(std::uint32_t c) {
    const int r = static_cast<int>((c >> 16) & 0xFF), g = static_cast<int>((c >> 8) & 0xFF);
    const int b = static_cast<int>(c & 0xFF);
    return b > r + 0x40 && b > g + 0x20;
}

// How many pixels along the seam of two touching tiles have water on one
// side and not on the other. `across` is true for left|right neighbours.
int SeamBreaks(const Bitmap& tiles, int codeA, int codeB, bool across) {
    const int ax = (codeA - 1) % 8 * 32, ay = (codeA - 1) / 8 * 32;
    const int bx = (codeB - 1) % 8 * 32, by = (codeB - 1) / 8 * 32;
    int breaks = 0;
    for (int t = 0; t < 32; ++t) {
        const std::uint32_t a = across ? tiles.At(ax + 31, ay + t) : tiles.At(ax + t, ay + 31);
        const std::uint32_t b = across ? tiles.At(bx, by + t) : tiles.At(bx + t, by);
        breaks += IsWater(a) != IsWater(b);
    }
    return breaks;
}

TEST(StageFiles, CoastlinesJoinAcrossTiles) {
    // Sea meets sea and land meets land wherever two tiles touch; a few
    // pixels of beach or foam may differ.
    const Bitmap& tiles = LoadPictures().Maps;
    for (int stage = 1; stage <= 7; ++stage) {
        const std::vector<std::uint8_t> data = ReadFile(StageFileName(stage));
        ASSERT_GE(data.size(), kStageHeaderBytes);
        const int cols = data[0];
        const int rows = data[1];
        ASSERT_EQ(data.size(), kStageHeaderBytes + static_cast<std::size_t>(cols) * rows);
        auto code = [&](int r, int c) { return static_cast<int>(data[kStageHeaderBytes + r * cols + c]); };
        auto drawn = [](int c) { return c >= 1 && c <= 24; };
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < cols; ++c) {
                const int here = code(r, c);
                if (!drawn(here)) continue;
                if (c + 1 < cols && drawn(code(r, c + 1))) {
                    EXPECT_LE(SeamBreaks(tiles, here, code(r, c + 1), true), 4)
                        << "stage " << stage << " row " << r << " columns " << c << "-" << c + 1;
                }
                if (r + 1 < rows && drawn(code(r + 1, c))) {
                    EXPECT_LE(SeamBreaks(tiles, here, code(r + 1, c), false), 4)
                        << "stage " << stage << " rows " << r << "-" << r + 1 << " column " << c;
                }
            }
        }
    }
}

}  // namespace
}  // namespace sk
