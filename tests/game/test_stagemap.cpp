#include "game/Game.h"
#include "game/Headless.h"
#include "game/StageFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace sk {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

Bytes MapFile(int cols, int rows, int unused, std::uint8_t (*code)(int row, int col)) {
    Bytes b{static_cast<std::uint8_t>(cols), static_cast<std::uint8_t>(rows), static_cast<std::uint8_t>(unused)};
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) b.push_back(code(r, c));
    return b;
}

std::uint8_t Diagonal(int row, int col) { return static_cast<std::uint8_t>((row * 7 + col) % 40); }

// Runs each test inside a fresh folder with a Data/ subfolder.
class StageFolder : public ::testing::Test {
protected:
    fs::path previous;
    fs::path folder;

    void SetUp() override {
        previous = fs::current_path();
        folder = fs::temp_directory_path() /
                 ("skarbolt-stage-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder / "Data");
        fs::current_path(folder);
    }
    void TearDown() override {
        fs::current_path(previous);
        fs::remove_all(folder);
    }
    static void Write(int stage, const Bytes& bytes) {
        std::ofstream(StageFileName(stage), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
};

class StageMapTest : public StageFolder {
protected:
    NullWindowPort port;
    Pictures pictures;
    Game game{port, pictures, SilentSound()};
};

TEST_F(StageMapTest, ReadsHeaderAndTilesRowByRow) {
    Bytes file = MapFile(25, 14, 0xEE, Diagonal);
    file.push_back(9);  // bytes after the last tile are not read
    file.push_back(9);
    Write(3, file);
    game.S.StageNo = 3;
    game.S.StageMap[14][0] = 77;

    ASSERT_TRUE(game.LoadStageMap());
    EXPECT_EQ(game.S.MapCols, 25);
    EXPECT_EQ(game.S.MapRows, 14);
    EXPECT_EQ(game.BackHai.Width, 25 * 32);
    EXPECT_EQ(game.BackHai.Height, 14 * 32);
    for (int r = 0; r < 14; ++r)
        for (int c = 0; c < 25; ++c) ASSERT_EQ(game.S.StageMap[r][c], Diagonal(r, c)) << r << "," << c;
    EXPECT_EQ(game.S.StageMap[0][25], 0);
    EXPECT_EQ(game.S.StageMap[14][0], 77);
}

TEST_F(StageMapTest, ThirdHeaderByteChangesNothing) {
    Write(1, MapFile(21, 13, 0, Diagonal));
    Write(2, MapFile(21, 13, 255, Diagonal));
    Game other{port, pictures, SilentSound()};
    game.S.StageNo = 1;
    other.S.StageNo = 2;
    ASSERT_TRUE(game.LoadStageMap());
    ASSERT_TRUE(other.LoadStageMap());
    EXPECT_EQ(game.S.StageMap, other.S.StageMap);
    EXPECT_EQ(game.S.MapCols, other.S.MapCols);
}

TEST_F(StageMapTest, FileEndingEarlyLeavesTheRemainingCells) {
    Bytes file = MapFile(30, 20, 0, [](int, int) -> std::uint8_t { return 5; });
    file.resize(3 + 30 + 7);  // one row and seven cells of the next
    Write(1, file);
    game.S.StageNo = 1;
    game.S.StageMap[1][7] = 3;
    game.S.StageMap[19][29] = 4;

    ASSERT_TRUE(game.LoadStageMap());
    EXPECT_EQ(game.S.MapCols, 30);
    EXPECT_EQ(game.S.MapRows, 20);
    EXPECT_EQ(game.S.StageMap[1][6], 5);
    EXPECT_EQ(game.S.StageMap[1][7], 3);
    EXPECT_EQ(game.S.StageMap[19][29], 4);
    EXPECT_EQ(game.BackHai.Width, 960);

    Write(2, Bytes{40, 13, 0});  // header only
    game.S.StageNo = 2;
    ASSERT_TRUE(game.LoadStageMap());
    EXPECT_EQ(game.S.MapCols, 40);
    EXPECT_EQ(game.S.StageMap[0][0], 5);
}

TEST_F(StageMapTest, LargestMapFillsTheWholeTable) {
    Write(4, MapFile(99, 99, 1, [](int r, int c) -> std::uint8_t { return static_cast<std::uint8_t>(r + c); }));
    game.S.StageNo = 4;
    ASSERT_TRUE(game.LoadStageMap());
    EXPECT_EQ(game.S.StageMap[98][98], 196);
    EXPECT_EQ(game.BackHai.Width, 3168);
    EXPECT_EQ(game.BackHai.Height, 3168);
}

TEST_F(StageMapTest, EachStageGetsABackgroundOfExactlyItsOwnSize) {
    Write(1, MapFile(60, 20, 0, Diagonal));
    Write(2, MapFile(21, 13, 0, Diagonal));
    game.S.StageNo = 1;
    ASSERT_TRUE(game.LoadStageMap());
    game.S.StageNo = 2;
    ASSERT_TRUE(game.LoadStageMap());
    EXPECT_EQ(game.BackHai.Width, 21 * 32);
    EXPECT_EQ(game.BackHai.Height, 13 * 32);
}

TEST_F(StageMapTest, UnusableFilesAreRefusedWithoutTouchingTheState) {
    Write(1, MapFile(22, 14, 0, Diagonal));
    game.S.StageNo = 1;
    ASSERT_TRUE(game.LoadStageMap());
    const auto map = game.S.StageMap;
    const int backWidth = game.BackHai.Width, backHeight = game.BackHai.Height;

    const std::vector<Bytes> refused = {
        {},                    // empty
        {20},                  // one header byte
        {20, 13},              // two header bytes
        {0, 13, 0, 1, 2, 3},   // no columns
        {20, 0, 0, 1, 2, 3},   // no rows
        {100, 13, 0, 1, 2},    // more than 99 columns
        {20, 255, 0, 1, 2},    // more than 99 rows
    };
    for (std::size_t n = 0; n < refused.size(); ++n) {
        Write(2, refused[n]);
        game.S.StageNo = 2;
        EXPECT_FALSE(game.LoadStageMap()) << "file " << n;
        EXPECT_EQ(game.S.MapCols, 22);
        EXPECT_EQ(game.S.MapRows, 14);
        EXPECT_EQ(game.S.StageMap, map);
        EXPECT_EQ(game.BackHai.Width, backWidth);
        EXPECT_EQ(game.BackHai.Height, backHeight);
    }

    game.S.StageNo = 5;  // no such file
    EXPECT_FALSE(game.LoadStageMap());
    fs::create_directory("Data/Stage6.dat");  // opens, cannot be read
    game.S.StageNo = 6;
    EXPECT_FALSE(game.LoadStageMap());
    ASSERT_EQ(::mkfifo("Data/Stage7.dat", 0600), 0);  // refused, not waited on
    game.S.StageNo = 7;
    EXPECT_FALSE(game.LoadStageMap());
    EXPECT_EQ(game.S.MapCols, 22);
}

// --- The background --------------------------------------------------------

std::uint32_t GroundPixel(int x, int y) { return 0xFF000000u | static_cast<std::uint32_t>(0x00010000 * (x % 32) + y % 32); }

class BackgroundTest : public ::testing::Test {
protected:
    NullWindowPort port;
    Pictures pictures;
    Game game{port, pictures, SilentSound()};

    void SetUp() override {
        pictures.AllBack.Resize(32, 32);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) pictures.AllBack.Row(y)[x] = GroundPixel(x, y);
        // Each tile: opaque left half in a colour of its own, transparent right half.
        pictures.Maps.Resize(256, 96, kWhite);
        pictures.MapMask.Resize(256, 96, kWhite);
        for (int y = 0; y < 96; ++y) {
            for (int x = 0; x < 256; ++x) {
                if (x % 32 >= 16) continue;
                pictures.Maps.Row(y)[x] = TileColour(1 + (y / 32) * 8 + x / 32);
                pictures.MapMask.Row(y)[x] = kBlack;
            }
        }
    }

    static std::uint32_t TileColour(int code) { return 0xFF800000u | static_cast<std::uint32_t>(code) << 8; }

    void Load(int cols, int rows) {
        game.S.MapCols = cols;
        game.S.MapRows = rows;
        game.BackHai.Resize(cols * 32, rows * 32);
    }
};

TEST_F(BackgroundTest, GroundCoversEveryPixel) {
    Load(23, 13);
    game.BuildBackground();
    for (int y = 0; y < game.BackHai.Height; ++y)
        for (int x = 0; x < game.BackHai.Width; ++x) ASSERT_EQ(game.BackHai.At(x, y), GroundPixel(x, y)) << x << "," << y;
}

TEST_F(BackgroundTest, TilesLandOnTheirCellsFromTheirSheetPlace) {
    Load(40, 13);
    const int codes[] = {1, 8, 9, 16, 17, 24};
    for (int n = 0; n < 6; ++n) game.S.StageMap[n + 2][n * 5 + 1] = codes[n];
    game.BuildBackground();
    for (int n = 0; n < 6; ++n) {
        const int x = (n * 5 + 1) * 32, y = (n + 2) * 32;
        EXPECT_EQ(game.BackHai.At(x, y), TileColour(codes[n])) << "code " << codes[n];
        EXPECT_EQ(game.BackHai.At(x + 15, y + 31), TileColour(codes[n]));
        EXPECT_EQ(game.BackHai.At(x + 16, y), GroundPixel(16, 0));  // ground shows through
        EXPECT_EQ(game.BackHai.At(x - 1, y), GroundPixel(31, 0));
    }
}

TEST_F(BackgroundTest, CodesWithoutATileShowTheGround) {
    Load(30, 13);
    const int codes[] = {0, 25, 28, 32, 33, 100, 255};
    for (int n = 0; n < 7; ++n) game.S.StageMap[1][n * 2] = codes[n];
    game.BuildBackground();
    for (int y = 0; y < game.BackHai.Height; ++y)
        for (int x = 0; x < game.BackHai.Width; ++x) ASSERT_EQ(game.BackHai.At(x, y), GroundPixel(x, y));
}

TEST_F(BackgroundTest, FourthSheetRowDrawsWhenTheSheetHasIt) {
    pictures.Maps.Resize(256, 128, 0xFFABCDEFu);
    pictures.MapMask.Resize(256, 128, kBlack);
    Load(21, 13);
    game.S.StageMap[0][0] = 26;
    game.BuildBackground();
    EXPECT_EQ(game.BackHai.At(0, 0), 0xFFABCDEFu);
    EXPECT_EQ(game.BackHai.At(32, 0), GroundPixel(0, 0));
}

TEST_F(BackgroundTest, MapsOfEverySizeAreFullyPainted) {
    for (auto [cols, rows] : {std::pair{1, 1}, {99, 1}, {1, 99}, {21, 13}}) {
        Load(cols, rows);
        game.S.StageMap[rows - 1][cols - 1] = 1;
        game.BuildBackground();
        ASSERT_EQ(game.BackHai.At(cols * 32 - 1, rows * 32 - 1), GroundPixel(31, 31));
        ASSERT_EQ(game.BackHai.At(cols * 32 - 32, rows * 32 - 32), TileColour(1));
        game.S.StageMap[rows - 1][cols - 1] = 0;
    }
}

// The whole stage painted into one picture as a stage start once did: the
// ground tiled from the corner, each tile through its mask.
Bitmap PaintedPicture(const Game& game, const Pictures& pictures) {
    Bitmap picture(game.S.MapCols * 32, game.S.MapRows * 32);
    for (int y = 0; y < picture.Height; y += 32)
        for (int x = 0; x < picture.Width; x += 32) Blit(picture, x, y, 32, 32, pictures.AllBack, 0, 0, RasterOp::SrcCopy);
    for (int r = 0; r < game.S.MapRows; ++r) {
        for (int c = 0; c < game.S.MapCols; ++c) {
            const int code = game.S.StageMap[r][c];
            if (code < 1 || code > 32) continue;
            const int sx = (code - 1) % 8 * 32, sy = (code - 1) / 8 * 32;
            Blit(picture, c * 32, r * 32, 32, 32, pictures.MapMask, sx, sy, RasterOp::SrcErase);
            Blit(picture, c * 32, r * 32, 32, 32, pictures.Maps, sx, sy, RasterOp::SrcInvert);
        }
    }
    return picture;
}

// Blocks copied from the cells give what copies from the painted picture
// give, pixel for pixel, wherever they lie: inside, across cell edges, half
// outside either side, and what they leave as it was.
TEST_F(BackgroundTest, CopiesFromTheCellsMatchCopiesFromThePaintedPicture) {
    const Pictures& shipped = LoadPictures();
    Game real{port, shipped, SilentSound()};
    std::mt19937 random(7);
    for (auto [cols, rows] : {std::pair{40, 13}, {21, 14}, {3, 2}, {99, 13}}) {
        real.S.MapCols = cols;
        real.S.MapRows = rows;
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c) real.S.StageMap[r][c] = static_cast<int>(random() % 40);
        real.BackHai.Resize(cols * 32, rows * 32);
        real.BuildBackground();
        const Bitmap picture = PaintedPicture(real, shipped);
        for (int n = 0; n < 200; ++n) {
            const int w = static_cast<int>(random() % 700), h = static_cast<int>(random() % 450);
            const int dx = static_cast<int>(random() % 800) - 100, dy = static_cast<int>(random() % 500) - 50;
            const int sx = static_cast<int>(random() % (cols * 32 + 200)) - 100;
            const int sy = static_cast<int>(random() % (rows * 32 + 100)) - 50;
            Bitmap fromCells(632, 404, 0xFF123456u), fromPicture(632, 404, 0xFF123456u);
            real.BackHai.CopyTo(fromCells, dx, dy, w, h, sx, sy);
            Blit(fromPicture, dx, dy, w, h, picture, sx, sy, RasterOp::SrcCopy);
            ASSERT_EQ(fromCells.Pixels, fromPicture.Pixels) << cols << "x" << rows << " block " << w << "x" << h
                                                            << " from " << sx << "," << sy << " to " << dx << "," << dy;
        }
    }
}

// The shipped stage files, once they are in the data folder.
TEST(ShippedStages, LoadWhenPresent) {
    NullWindowPort port;
    Pictures pictures;
    Game game{port, pictures, SilentSound()};
    int found = 0;
    for (int stage = 1; stage <= 7; ++stage) {
        if (!fs::exists(StageFileName(stage))) continue;
        ++found;
        game.S.StageNo = stage;
        ASSERT_TRUE(game.LoadStageMap()) << "stage " << stage;
        EXPECT_EQ(game.BackHai.Width, game.S.MapCols * 32);
        EXPECT_GE(game.S.MapRows, 13) << "stage " << stage << " does not cover the play field";
    }
    if (found == 0) GTEST_SKIP() << "no stage files in the data folder";
}

}  // namespace
}  // namespace sk
