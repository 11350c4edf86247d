// Running as an installed program: the folder it plays from, the per-user
// folder's links, a lost high-score save, opaque pixels and the window icon.
#include "AppTestEnv.h"
#include "ShellFixture.h"
#include "app/DataFolder.h"
#include "app/Identity.h"

#include <QGuiApplication>
#include <QImage>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;
using apptest::ShellTest;

namespace {

void WriteText(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text;
}

std::string ReadText(const fs::path& file) {
    std::ifstream in(file);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class DataFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("skarbolt-datafolder-" + std::to_string(::getpid()));
        fs::remove_all(root_);
        installed_ = root_ / "prefix/share/games/skarbolt98";
        for (const char* name : {"Data/Stage1.dat", "Data/Stage2.dat", "Wave/Bullet.wav", "BGM/Opening.mid"}) {
            WriteText(installed_ / name, name);
        }
        WriteText(installed_ / "Data/Hi-Score.dat", "shipped table");
        fs::create_directories(root_ / "elsewhere");
    }
    void TearDown() override { fs::remove_all(root_); }

    fs::path root_, installed_;
};

}  // namespace

TEST_F(DataFolderTest, AFolderWithTheStageFilesIsPlayedAsItIs) {
    const sk::DataFolderPlan plan = sk::PlanDataFolder(installed_, root_ / "none", root_ / "user");
    EXPECT_EQ(plan.Folder, installed_);
    EXPECT_TRUE(plan.Notes.empty());
    EXPECT_FALSE(fs::exists(root_ / "user"));
}

TEST_F(DataFolderTest, ElsewhereThePerUserFolderLinksTheInstalledDataAndKeepsTheScores) {
    const fs::path user = root_ / "user";
    WriteText(user / "Data/Hi-Score.dat", "my table");
    WriteText(user / "Data/Stage2.dat", "a copy from an older version");
    fs::create_symlink(root_ / "gone.mid", user / "BGM-old.mid");

    for (int start = 0; start < 2; ++start) {  // the second start finds everything in place
        const sk::DataFolderPlan plan = sk::PlanDataFolder(root_ / "elsewhere", installed_, user);
        EXPECT_EQ(plan.Folder, user);
        EXPECT_TRUE(plan.Notes.empty()) << plan.Notes[0];
    }
    for (const char* name : {"Data/Stage1.dat", "Data/Stage2.dat", "Wave/Bullet.wav", "BGM/Opening.mid"}) {
        EXPECT_TRUE(fs::is_symlink(user / name)) << name;
        EXPECT_EQ(ReadText(user / name), name);
    }
    EXPECT_EQ(ReadText(user / "Data/Hi-Score.dat"), "my table");
    EXPECT_FALSE(fs::is_symlink(user / "BGM-old.mid"));

    // A file the next version no longer ships leaves no dead link behind.
    fs::remove(installed_ / "BGM/Opening.mid");
    sk::PlanDataFolder(root_ / "elsewhere", installed_, user);
    EXPECT_FALSE(fs::is_symlink(user / "BGM/Opening.mid"));
}

TEST_F(DataFolderTest, WithoutAUsableUserFolderOrAnyDataTheGameStillStarts) {
    WriteText(root_ / "blocked", "a file where the folder should be");
    sk::DataFolderPlan plan = sk::PlanDataFolder(root_ / "elsewhere", installed_, root_ / "blocked");
    EXPECT_EQ(plan.Folder, installed_);
    ASSERT_EQ(plan.Notes.size(), 1u);
    EXPECT_NE(plan.Notes[0].find("high scores will not be kept"), std::string::npos);

    plan = sk::PlanDataFolder(root_ / "elsewhere", root_ / "none", root_ / "user");
    EXPECT_EQ(plan.Folder, root_ / "elsewhere");
    EXPECT_EQ(plan.Notes.size(), 1u);
}

TEST_F(ShellTest, AHighScoreTableThatCannotBeSavedIsReportedAndTheQuitGoesOn) {
    const fs::path table = apptest::RunDir() / "Data" / "Hi-Score.dat";
    fs::create_directories(table);  // a folder in the file's place: the new file cannot replace it
    Start();
    Press(Qt::Key_F9);
    fs::remove(table);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_TRUE(boxes_[0].Text.contains(QString::fromStdString(table.string()))) << boxes_[0].Text.toStdString();
    EXPECT_EQ(exitCodes_, std::vector<int>{0});
}

TEST_F(ShellTest, EveryShownPixelIsOpaqueAndTheWindowCarriesTheDesktopIdentity) {
    sk::SetDesktopIdentity();
    Start();
    Press(Qt::Key_F1);
    QTest::qWait(200);  // a few frames of play: ship, shots, background
    // Drawn as a Wayland compositor gets it: into a backing store with alpha,
    // where the play area's pixels are copied with their top byte.
    QImage shown(Main().size(), QImage::Format_ARGB32_Premultiplied);
    shown.fill(Qt::transparent);
    Main().render(&shown);
    int transparent = 0;
    for (int y = 0; y < shown.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(shown.constScanLine(y));
        for (int x = 0; x < shown.width(); ++x) transparent += qAlpha(row[x]) != 255;
    }
    EXPECT_EQ(transparent, 0);
    EXPECT_EQ(QGuiApplication::desktopFileName(), QString::fromLatin1(sk::kDesktopId));
    EXPECT_FALSE(QGuiApplication::windowIcon().isNull());
    // Every size is drawn: square, with clear corners and an opaque middle.
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QImage icon(QStringLiteral(":/icons/%1.png").arg(size));
        ASSERT_EQ(icon.size(), QSize(size, size));
        EXPECT_TRUE(icon.hasAlphaChannel());
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255);
    }
}
