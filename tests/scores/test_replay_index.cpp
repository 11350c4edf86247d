// The replays kept for the table's entries follow it: shifted by an insert,
// dropped with an entry or a reset, tied back to the table when loaded.
#include "scores/ReplayIndex.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace sk {
namespace {

namespace fs = std::filesystem;

class ReplayIndexTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("replay-index-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        ResetHighScores(table_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    // The name entry's OK: the table and the index take the same insert.
    void Enter(int k, std::int32_t points, const std::string& name, std::uint8_t mark) {
        InsertHighScore(table_, k, points, name);
        index_.Insert(k, {mark, mark});
    }
    std::vector<std::string> KeptFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_)) {
            const std::string name = entry.path().filename().string();
            if (name.rfind("kept-", 0) == 0) names.push_back(name);
        }
        return names;
    }
    std::uint8_t MarkOf(const ReplayIndex& index, int rank) const {
        std::vector<std::uint8_t> bytes;
        return LoadKeptReplay(index, rank, bytes, folder_.string()) && !bytes.empty() ? bytes[0] : 0;
    }

    fs::path folder_;
    HighScoreTable table_;
    ReplayIndex index_;
};

TEST_F(ReplayIndexTest, ReplaysFollowTheirEntriesThroughInsertsSavesAndLoads) {
    Enter(1, 8000, "Ann", 1);  // rank 2
    ASSERT_TRUE(SaveReplayIndex(index_, table_, folder_.string()));
    Enter(0, 9000, "Bob", 2);  // rank 1: Ann moves to rank 3
    ASSERT_TRUE(SaveReplayIndex(index_, table_, folder_.string()));
    EXPECT_EQ(KeptFiles().size(), 2u);

    ReplayIndex loaded;
    LoadReplayIndex(loaded, table_, folder_.string());
    EXPECT_EQ(MarkOf(loaded, 1), 2);
    EXPECT_EQ(MarkOf(loaded, 3), 1);
    EXPECT_FALSE(loaded.Slots[1].Present());

    // Ann drops out after ten better games; her file goes with the save.
    for (int i = 0; i < 8; ++i) Enter(0, 10000 + i, "Cy", 0);
    EXPECT_EQ(table_.HiName[8], "Bob");
    ASSERT_TRUE(SaveReplayIndex(index_, table_, folder_.string()));
    EXPECT_EQ(KeptFiles().size(), 9u);  // Bob's and the eight empty-marked ones

    index_.Clear();
    ResetHighScores(table_);
    ASSERT_TRUE(SaveReplayIndex(index_, table_, folder_.string()));
    EXPECT_TRUE(KeptFiles().empty());
}

TEST_F(ReplayIndexTest, AnIndexOlderThanTheTableStillFindsEntriesByPointsAndName) {
    Enter(4, 5000, "Dee", 7);
    ASSERT_TRUE(SaveReplayIndex(index_, table_, folder_.string()));
    // The table was saved once more (an entry above Dee) but the index not.
    InsertHighScore(table_, 0, 9999, "Eve");
    ReplayIndex loaded;
    LoadReplayIndex(loaded, table_, folder_.string());
    EXPECT_EQ(MarkOf(loaded, 6), 7);
    EXPECT_FALSE(loaded.Slots[4].Present());
}

TEST_F(ReplayIndexTest, NothingIsWrittenWhereNothingIsKept) {
    ASSERT_TRUE(SaveReplayIndex(index_, table_, folder_.string()));
    EXPECT_FALSE(fs::exists(folder_));
}

}  // namespace
}  // namespace sk
