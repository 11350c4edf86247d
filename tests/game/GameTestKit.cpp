#include "GameTestKit.h"

#include <cstdlib>
#include <fstream>

namespace sk::test {

namespace {

// A sheet of frames, each a w x h picture in `colour` over a fully black
// (opaque) mask of the same size.
void FillFrame(Bitmap& sheet, int x, int y, int w, int h, std::uint32_t colour) {
    for (int row = 0; row < h; ++row) {
        for (int col = 0; col < w; ++col) {
            sheet.Row(y + row)[x + col] = colour;
            sheet.Row(y + h + row)[x + col] = kBlack;
        }
    }
}

Pictures MakePictures() {
    Pictures p;
    p.OpenLogo.Resize(632, 434);
    for (int y = 0; y < 434; ++y) {
        for (int x = 0; x < 632; ++x) p.OpenLogo.Row(y)[x] = LogoPixel(x, y);
    }
    p.StatusPicture.Resize(632, 30, 0xFF404040u);

    p.PlaneBmp.Resize(59, 60, kWhite);
    FillFrame(p.PlaneBmp, 0, 0, kShipOpaqueW, 30, kShipColour);

    p.EnemyBmp.Resize(120, 300, kWhite);
    for (int kind = 1; kind <= 10; ++kind) {
        const int column = kind <= 5 ? 0 : 1;
        const int row = kind <= 5 ? kind - 1 : kind - 6;
        FillFrame(p.EnemyBmp, column * 60, row * 60, 60, 30, EnemyColour(kind));
    }
    p.ExplodeBmp.Resize(275, 122, kWhite);
    for (int n = 1; n <= 5; ++n) FillFrame(p.ExplodeBmp, (n - 1) * 55, 0, 55, 61, BlastColour(n));

    p.Missile.Resize(16, 16);
    FillFrame(p.Missile, 0, 0, 16, 8, kShotColour);
    p.CpuMissile.Resize(16, 16);
    FillFrame(p.CpuMissile, 0, 0, 16, 8, kEnemyShotColour);
    p.GameOverGra.Resize(320, 120);
    FillFrame(p.GameOverGra, 0, 0, 320, 60, kGameOverColour);
    p.toTitle.Resize(155, 22);
    FillFrame(p.toTitle, 0, 0, 155, 11, kWhite);

    p.BossBmp.Resize(226, 60, kWhite);
    p.GraPattrn.Resize(32, 32);
    p.AllBack.Resize(32, 32, kGround);
    p.Maps.Resize(256, 96, 0xFF506070u);
    p.MapMask.Resize(256, 96, kBlack);
    return p;
}

void RecordDsPlay(int slot, float, int) { SoundLog().push_back("DsPlay " + std::to_string(slot)); }
int RecordDmMake(const char* file) {
    SoundLog().push_back(std::string("DmMake ") + file);
    return 0;
}
void RecordDmPlay(int repeats) { SoundLog().push_back("DmPlay " + std::to_string(repeats)); }
void RecordDmStop() { SoundLog().push_back("DmStop"); }

}  // namespace

const Pictures& TestPictures() {
    static const Pictures pictures = MakePictures();
    return pictures;
}

std::vector<std::string>& SoundLog() {
    static std::vector<std::string> log;
    return log;
}

SoundApi RecordingSound() {
    SoundApi sound = SilentSound();
    sound.DsPlay = &RecordDsPlay;
    sound.DmMake = &RecordDmMake;
    sound.DmPlay = &RecordDmPlay;
    sound.DmStop = &RecordDmStop;
    return sound;
}

int CountCalls(const std::string& call) {
    int count = 0;
    for (const std::string& entry : SoundLog()) count += entry == call ? 1 : 0;
    return count;
}

ScratchDir::ScratchDir() : previous_(std::filesystem::current_path()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "skarbolt-game-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no scratch folder");
    path_ = pattern;
    std::filesystem::create_directories(path_ / "Data");
    std::filesystem::current_path(path_);
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
    std::filesystem::remove_all(path_, ignored);
}

void WriteStage(int n, int cols, int rows, std::uint8_t code) {
    std::ofstream out("Data/Stage" + std::to_string(n) + ".dat", std::ios::binary | std::ios::trunc);
    out.put(static_cast<char>(cols));
    out.put(static_cast<char>(rows));
    out.put('\x7f');
    for (int i = 0; i < cols * rows; ++i) out.put(static_cast<char>(code));
}

void WriteAllStages(int cols, int rows) {
    for (int n = 1; n <= 7; ++n) WriteStage(n, cols, rows);
}

GameTest::GameTest() : g_(port_, TestPictures(), RecordingSound()) {}

void GameTest::SetUp() {
    WriteAllStages(40, 13);
    SoundLog().clear();
    ResetHighScores(g_.HighScores);
    g_.InitGame(Settings{});
    g_.ShowTitlePicture();
}

void GameTest::StartGame() { g_.StartBotClick(); }

int GameTest::Frames(int count) {
    int wait = 0;
    for (int i = 0; i < count; ++i) wait = g_.AppIdle();
    return wait;
}

void GameTest::PlaceEnemy(int k, int x, int y) {
    Actor& enemy = g_.S.Enemies[k];
    enemy.X = x;
    enemy.Y = y;
    enemy.Active = true;
    enemy.AppearAt = 0;
}

void GameTest::ClearField() {
    for (int k = 1; k <= 10; ++k) {
        g_.S.Enemies[k].Active = false;
        g_.S.EnemyShots[k].Active = false;
    }
}

}  // namespace sk::test
