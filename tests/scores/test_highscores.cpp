#include "scores/HighScores.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <span>
#include <sys/stat.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <unistd.h>

namespace sk {
namespace {

namespace fs = std::filesystem;

HighScoreTable DefaultTable() {
    HighScoreTable t;
    ResetHighScores(t);
    return t;
}

HighScoreTable Parsed(std::string_view text) {
    HighScoreTable t = DefaultTable();  // whatever was there before does not matter
    ParseHighScores(t, text);
    return t;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteFile(const fs::path& path, std::string_view text) {
    std::ofstream(path, std::ios::binary).write(text.data(), static_cast<std::streamsize>(text.size()));
}

// --- The table in memory -------------------------------------------------

TEST(DefaultTable, HoldsTheBuiltInNamesAndPoints) {
    const HighScoreTable t = DefaultTable();
    EXPECT_EQ(t.HiName[0], "Vestro");
    EXPECT_EQ(t.HiScore[0], 8700);
    EXPECT_EQ(t.HiName[1], "Amrelle");
    EXPECT_EQ(t.HiScore[4], 4900);
    EXPECT_EQ(t.HiName[9], "Ro-Tan");
    EXPECT_EQ(t.HiScore[9], 1800);
    for (int i = 0; i + 1 < kRanks; ++i) EXPECT_GT(t.HiScore[i], t.HiScore[i + 1]);
}

TEST(RankFor, FollowsTheRankRuleAgainstTheDefaultTable) {
    const HighScoreTable t = DefaultTable();
    EXPECT_EQ(RankFor(t, 9000), 1);
    EXPECT_EQ(RankFor(t, 8700), 1);   // equal to rank 1: above it
    EXPECT_EQ(RankFor(t, 8699), 2);
    EXPECT_EQ(RankFor(t, 7500), 2);   // equal points rank directly above
    EXPECT_EQ(RankFor(t, 5000), 5);
    EXPECT_EQ(RankFor(t, 1800), 10);
    EXPECT_EQ(RankFor(t, 1799), 0);
    EXPECT_EQ(RankFor(t, 0), 0);
    EXPECT_EQ(RankFor(t, std::numeric_limits<std::int32_t>::min()), 0);
}

TEST(RankFor, TableOutOfOrderKeepsTheOrderOfTheTests) {
    HighScoreTable t;
    t.HiScore = {100, 500, 400, 300, 200, 0, 900, 800, 50, 10};
    EXPECT_EQ(RankFor(t, 150), 1);   // step 2 comes last and wins
    EXPECT_EQ(RankFor(t, 60), 9);    // 800 > 60 >= 50, the last test of step 1 that holds
    EXPECT_EQ(RankFor(t, 5), 6);     // below rank 10 and still a rank: 200 > 5 >= 0
    EXPECT_EQ(RankFor(t, -5), 0);
    t.HiScore.fill(0);
    EXPECT_EQ(RankFor(t, 0), 1);
}

TEST(InsertHighScore, MovesLowerRanksDownAndDropsTheLast) {
    HighScoreTable t = DefaultTable();
    InsertHighScore(t, 1, 7500, "Zed");
    EXPECT_EQ(t.HiName[1], "Zed");
    EXPECT_EQ(t.HiScore[1], 7500);
    EXPECT_EQ(t.HiName[2], "Amrelle");
    EXPECT_EQ(t.HiName[9], "Ilvanne");
    EXPECT_EQ(t.HiName[0], "Vestro");

    t = DefaultTable();
    InsertHighScore(t, 0, 9000, "Top");
    EXPECT_EQ(t.HiName[0], "Top");
    EXPECT_EQ(t.HiName[1], "Vestro");
    EXPECT_EQ(t.HiScore[9], 2100);

    t = DefaultTable();
    InsertHighScore(t, 9, 1800, "Last");
    EXPECT_EQ(t.HiName[9], "Last");
    EXPECT_EQ(t.HiName[8], "Ilvanne");
}

TEST(InsertHighScore, NamesAreMadeStorable) {
    HighScoreTable t = DefaultTable();
    InsertHighScore(t, 0, 1, "");
    EXPECT_EQ(t.HiName[0], "Somebody");
    InsertHighScore(t, 0, 2, " \t ");
    EXPECT_EQ(t.HiName[0], "Somebody");
    InsertHighScore(t, 0, 3, "Jo Ann\n");
    EXPECT_EQ(t.HiName[0], "JoAnn");
}

TEST(InsertHighScore, PositionOutsideTheTableChangesNothing) {
    HighScoreTable t = DefaultTable();
    InsertHighScore(t, -1, 5, "X");
    InsertHighScore(t, 10, 5, "X");
    EXPECT_EQ(t.HiName, DefaultTable().HiName);
    EXPECT_EQ(t.HiScore, DefaultTable().HiScore);
}

TEST(SanitizeName, DropsBlanksAndControlsAndKeepsWholeCharacters) {
    EXPECT_EQ(SanitizeName("A b\tc\r\n\v\f\x01\x7F" "d"), "Abcd");
    EXPECT_EQ(SanitizeName(std::string("a\0b", 3)), "ab");
    EXPECT_EQ(SanitizeName("ABCDEFGHIJKLMNOPQRSTUVWXYZ"), "ABCDEFGHIJKLMNOPQRS");  // 19 bytes
    // Ten double-byte characters: the tenth would not fit, and is not cut in half.
    const std::string ten = Utf8ToCp932("あいうえおかきくけこ");
    ASSERT_EQ(ten.size(), 20u);
    EXPECT_EQ(SanitizeName(ten), ten.substr(0, 18));
    EXPECT_EQ(SanitizeName("\x82\xA0"), "\x82\xA0");  // trail bytes below 0x80 are kept
    EXPECT_EQ(SanitizeName("\x83\x40"), "\x83\x40");
}

// --- CP932 ---------------------------------------------------------------

TEST(Cp932, ConvertsBothWays) {
    const std::string name = Utf8ToCp932("スター");
    EXPECT_EQ(name, "\x83\x58\x83\x5E\x81\x5B");
    EXPECT_EQ(Cp932ToUtf8(name), "スター");
    EXPECT_EQ(Cp932ToUtf8("Ro-Tan"), "Ro-Tan");
    EXPECT_EQ(Utf8ToCp932("ｶﾅ"), "\xB6\xC5");  // half-width katakana are single bytes
    EXPECT_EQ(Cp932ToUtf8(""), "");
}

TEST(Cp932, DropsWhatDoesNotConvert) {
    EXPECT_EQ(Utf8ToCp932("a😀b"), "ab");
    EXPECT_EQ(Utf8ToCp932("a\xFF" "b"), "ab");        // not UTF-8 at all
    EXPECT_EQ(Cp932ToUtf8("a\x82"), "a");             // lead byte at the end
    EXPECT_EQ(Cp932ToUtf8("a\xA0z"), "az");           // undefined single byte
}

// --- Reading the file ------------------------------------------------------

TEST(ParseHighScores, ReadsTenWellFormedLines) {
    std::string text;
    for (int i = 0; i < kRanks; ++i) text += "P" + std::to_string(i) + " " + std::to_string(1000 - i) + "\n";
    const HighScoreTable t = Parsed(text);
    EXPECT_EQ(t.HiName[0], "P0");
    EXPECT_EQ(t.HiScore[0], 1000);
    EXPECT_EQ(t.HiName[9], "P9");
    EXPECT_EQ(t.HiScore[9], 991);
}

TEST(ParseHighScores, SkipsWhiteSpaceAsTheScanDoes) {
    const HighScoreTable t = Parsed("\r\n  Al\t\t-5\r\n\n\nBo +7   Cy 0012\fDi");
    EXPECT_EQ(t.HiName[0], "Al");
    EXPECT_EQ(t.HiScore[0], -5);
    EXPECT_EQ(t.HiName[1], "Bo");
    EXPECT_EQ(t.HiScore[1], 7);
    EXPECT_EQ(t.HiName[2], "Cy");
    EXPECT_EQ(t.HiScore[2], 12);
    EXPECT_EQ(t.HiName[3], "Di");
    EXPECT_EQ(t.HiScore[3], 0);  // the file ended before the points
    EXPECT_EQ(t.HiName[4], "");
}

TEST(ParseHighScores, NameWithABlankShiftsTheFollowingScans) {
    // "Jo Ann 500": the name ends at the blank, "Ann" is no number; the next
    // scan starts at "Ann" and takes 500 as its points.
    const HighScoreTable t = Parsed("Jo Ann 500\nBea 400\n");
    EXPECT_EQ(t.HiName[0], "Jo");
    EXPECT_EQ(t.HiScore[0], 0);
    EXPECT_EQ(t.HiName[1], "Ann");
    EXPECT_EQ(t.HiScore[1], 500);
    EXPECT_EQ(t.HiName[2], "Bea");
    EXPECT_EQ(t.HiScore[2], 400);
}

TEST(ParseHighScores, SignWithoutDigitsIsConsumed) {
    const HighScoreTable t = Parsed("A -x 9\nB 8\n");
    EXPECT_EQ(t.HiName[0], "A");
    EXPECT_EQ(t.HiScore[0], 0);
    EXPECT_EQ(t.HiName[1], "x");
    EXPECT_EQ(t.HiScore[1], 9);
    EXPECT_EQ(t.HiName[2], "B");
}

TEST(ParseHighScores, LongNamesKeepNineteenBytesAndTheirPoints) {
    const HighScoreTable t = Parsed("ABCDEFGHIJKLMNOPQRSTUVWXYZ 4200\nNext 10\n");
    EXPECT_EQ(t.HiName[0], "ABCDEFGHIJKLMNOPQRS");
    EXPECT_EQ(t.HiScore[0], 4200);
    EXPECT_EQ(t.HiName[1], "Next");

    const std::string ten = Utf8ToCp932("あいうえおかきくけこ");
    const HighScoreTable k = Parsed(ten + " 7\n");
    EXPECT_EQ(k.HiName[0], ten.substr(0, 18));
    EXPECT_EQ(k.HiScore[0], 7);
}

TEST(ParseHighScores, NumbersBeyondThirtyTwoBitsAreClamped) {
    const HighScoreTable t = Parsed("A 2147483647\nB 2147483648\nC 99999999999999999999999\n"
                                    "D -2147483648\nE -2147483649\nF -99999999999999999999\n");
    EXPECT_EQ(t.HiScore[0], 2147483647);
    EXPECT_EQ(t.HiScore[1], 2147483647);
    EXPECT_EQ(t.HiScore[2], 2147483647);
    EXPECT_EQ(t.HiScore[3], std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(t.HiScore[4], std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(t.HiScore[5], std::numeric_limits<std::int32_t>::min());
}

TEST(ParseHighScores, EmptyOrBinaryInputGivesEmptyEntries) {
    const HighScoreTable empty = Parsed("");
    for (int i = 0; i < kRanks; ++i) {
        EXPECT_EQ(empty.HiName[i], "");
        EXPECT_EQ(empty.HiScore[i], 0);
    }
    const HighScoreTable nul = Parsed(std::string("ab\0cd 5\n", 8));
    EXPECT_EQ(nul.HiName[0], "ab");
    EXPECT_EQ(nul.HiScore[0], 5);
}

// --- The file ----------------------------------------------------------------

class ScoreFolder : public ::testing::Test {
protected:
    fs::path folder;
    fs::path file;

    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("skarbolt-scores-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        file = folder / "Hi-Score.dat";
    }
    void TearDown() override {
        fs::permissions(folder, fs::perms::owner_all);
        fs::remove_all(folder);
    }
    std::size_t EntriesInFolder() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
    }
};

TEST_F(ScoreFolder, MissingFileGivesTheDefaultTable) {
    HighScoreTable t;
    t.HiName[0] = "stale";
    LoadHighScores(t, file.c_str());
    EXPECT_EQ(t.HiName, DefaultTable().HiName);
    EXPECT_EQ(t.HiScore, DefaultTable().HiScore);
}

TEST_F(ScoreFolder, SavedDefaultTableHasTenPlainLines) {
    ASSERT_EQ(SaveHighScores(DefaultTable(), file.c_str()), SaveResult::Saved);
    const std::string text = ReadFile(file);
    EXPECT_EQ(text.substr(0, 12), "Vestro 8700\n");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 10);
    EXPECT_EQ(text.find('\r'), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 12), "Ro-Tan 1800\n");
    EXPECT_EQ(EntriesInFolder(), 1u);  // no temporary file left behind
}

TEST_F(ScoreFolder, SavedTableLoadsBackWhole) {
    HighScoreTable t = DefaultTable();
    InsertHighScore(t, 0, 2147483647, Utf8ToCp932("スター"));
    InsertHighScore(t, 3, -12, Utf8ToCp932("あいうえおかきく"));
    InsertHighScore(t, 9, 0, "a b c");
    ASSERT_EQ(SaveHighScores(t, file.c_str()), SaveResult::Saved);

    HighScoreTable back;
    LoadHighScores(back, file.c_str());
    EXPECT_EQ(back.HiName, t.HiName);
    EXPECT_EQ(back.HiScore, t.HiScore);
    EXPECT_EQ(Cp932ToUtf8(back.HiName[0]), "スター");
}

TEST_F(ScoreFolder, EntriesThatCannotBeWrittenAsTheyAreStillReadBack) {
    HighScoreTable t = DefaultTable();
    t.HiName[2] = "";         // what a short file leaves
    t.HiName[5] = "two words";
    ASSERT_EQ(SaveHighScores(t, file.c_str()), SaveResult::Saved);
    HighScoreTable back;
    LoadHighScores(back, file.c_str());
    EXPECT_EQ(back.HiName[2], "Somebody");
    EXPECT_EQ(back.HiName[5], "twowords");
    EXPECT_EQ(back.HiScore, t.HiScore);
    EXPECT_EQ(back.HiName[9], "Ro-Tan");
}

// An ordinary user: nobody where the tests run as root, else the user
// running them.
struct OrdinaryUser {
    uid_t Uid;
    gid_t Gid;
};

std::optional<OrdinaryUser> FindOrdinaryUser() {
    if (::geteuid() != 0) return OrdinaryUser{::geteuid(), ::getegid()};
    const passwd* nobody = ::getpwnam("nobody");
    if (!nobody) return std::nullopt;
    return OrdinaryUser{nobody->pw_uid, nobody->pw_gid};
}

// Saves the default table in a child process that runs as `user`.
int SaveAs(const OrdinaryUser& user, const fs::path& file) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(user.Gid) != 0 || ::setuid(user.Uid) != 0))
            ::_exit(100);
        ::_exit(static_cast<int>(SaveHighScores(DefaultTable(), file.c_str())));
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int Code(SaveResult result) { return static_cast<int>(result); }

// Root among the users: the file's mode decides, not whether it can be opened.
TEST_F(ScoreFolder, FileWithoutItsOwnersWriteBitIsReadAndLeftAloneWhoeverSaves) {
    WriteFile(file, "Ro 5\n");
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read);
    HighScoreTable t;
    LoadHighScores(t, file.c_str());
    EXPECT_EQ(t.HiName[0], "Ro");
    EXPECT_EQ(t.HiScore[0], 5);
    EXPECT_EQ(SaveHighScores(DefaultTable(), file.c_str()), SaveResult::ReadOnly);

    const auto user = FindOrdinaryUser();
    if (!user) GTEST_SKIP() << "no user nobody to save as";
    ASSERT_EQ(::chown(folder.c_str(), user->Uid, user->Gid), 0);
    ASSERT_EQ(::chown(file.c_str(), user->Uid, user->Gid), 0);
    EXPECT_EQ(SaveAs(*user, file), Code(SaveResult::ReadOnly));
    EXPECT_EQ(ReadFile(file), "Ro 5\n");
    EXPECT_EQ(EntriesInFolder(), 1u);
}

// A folder that takes no new file from the player, with the player's own
// file in it: the table is written over the old one and cut to its length.
TEST_F(ScoreFolder, WritableFileInAFolderThatRefusesNewFilesIsWrittenInPlace) {
    const auto user = FindOrdinaryUser();
    if (!user) GTEST_SKIP() << "no user nobody to save as";
    WriteFile(file, std::string(400, 'x') + " 1\n");
    const bool root = ::geteuid() == 0;
    fs::permissions(folder, root ? fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec
                                 : fs::perms::owner_read | fs::perms::owner_exec);
    if (root) {  // neither the folder nor the file is the player's: nothing changes
        EXPECT_EQ(SaveAs(*user, file), Code(SaveResult::Failed));
        EXPECT_EQ(ReadFile(file)[0], 'x');
        ASSERT_EQ(::chown(file.c_str(), user->Uid, user->Gid), 0);
    }
    struct stat before {};
    ASSERT_EQ(::stat(file.c_str(), &before), 0);
    EXPECT_EQ(SaveAs(*user, file), Code(SaveResult::Saved));
    struct stat after {};
    ASSERT_EQ(::stat(file.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    HighScoreTable back;
    LoadHighScores(back, file.c_str());
    EXPECT_EQ(back, DefaultTable());
    EXPECT_EQ(ReadFile(file).find('x'), std::string::npos);
    EXPECT_EQ(EntriesInFolder(), 1u);
}

TEST_F(ScoreFolder, MissingFolderFailsWithoutCreatingAnything) {
    const fs::path inside = folder / "no-such-folder" / "Hi-Score.dat";
    EXPECT_EQ(SaveHighScores(DefaultTable(), inside.c_str()), SaveResult::Failed);
    WriteFile(folder / "plain", "x");
    const fs::path underFile = folder / "plain" / "Hi-Score.dat";
    EXPECT_EQ(SaveHighScores(DefaultTable(), underFile.c_str()), SaveResult::Failed);
    EXPECT_EQ(EntriesInFolder(), 1u);
}

TEST_F(ScoreFolder, TargetThatCannotBeReplacedIsLeftAndNoTemporaryRemains) {
    fs::create_directories(file / "keep");
    EXPECT_EQ(SaveHighScores(DefaultTable(), file.c_str()), SaveResult::Failed);
    EXPECT_TRUE(fs::is_directory(file / "keep"));
    EXPECT_EQ(EntriesInFolder(), 1u);  // no temporary left

    HighScoreTable t;
    LoadHighScores(t, file.c_str());  // a folder in its place is no table
    EXPECT_EQ(t.HiScore, DefaultTable().HiScore);

    const fs::path fifo = folder / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    t.HiScore.fill(1);
    LoadHighScores(t, fifo.c_str());  // not waited on
    EXPECT_EQ(t.HiScore, DefaultTable().HiScore);
}

TEST_F(ScoreFolder, ReadingStopsAtTheBoundAsIfTheFileEndedThere) {
    HighScoreTable t;
    WriteFile(file, std::string(kMaxHighScoreBytes - 7, ' ') + "Ace 42\n");  // just fits
    LoadHighScores(t, file.c_str());
    EXPECT_EQ(t.HiName[0], "Ace");
    EXPECT_EQ(t.HiScore[0], 42);
    WriteFile(file, std::string(kMaxHighScoreBytes - 5, ' ') + "Ace 42\n");  // the last digit is beyond
    LoadHighScores(t, file.c_str());
    EXPECT_EQ(t.HiScore[0], 4);

    // A gigabyte of zeros (sparse) reads as one empty-named entry, at once.
    WriteFile(file, "");
    ASSERT_EQ(::truncate(file.c_str(), off_t{1} << 30), 0);
    LoadHighScores(t, file.c_str());
    EXPECT_EQ(t.HiScore, HighScoreTable{}.HiScore);
}

TEST_F(ScoreFolder, SaveRemovesNewFilesLeftByAKilledWriter) {
    const pid_t gone = ::fork();
    if (gone == 0) ::_exit(0);
    ASSERT_GT(gone, 0);
    ::waitpid(gone, nullptr, 0);
    const std::string base = file.filename().string() + ".tmp";
    const std::string stale[] = {base + std::to_string(gone) + "-17", base + std::to_string(::getpid()) + "-3"};
    const std::string kept[] = {base + "1-5" /* a live writer */, base + "x-1", base + std::to_string(gone),
                                "Other.dat.tmp" + std::to_string(gone) + "-1"};
    for (const auto& names : {std::span<const std::string>(stale), std::span<const std::string>(kept)})
        for (const std::string& name : names) WriteFile(folder / name, "Half 1\n");

    ASSERT_EQ(SaveHighScores(DefaultTable(), file.c_str()), SaveResult::Saved);
    for (const std::string& name : stale) EXPECT_FALSE(fs::exists(folder / name)) << name;
    for (const std::string& name : kept) EXPECT_TRUE(fs::exists(folder / name)) << name;
}

TEST_F(ScoreFolder, WriteFailureLeavesTheOldFile) {
    WriteFile(file, "Old 1\n");
    // Files may grow to 16 bytes only: the ten lines cannot be written.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 16;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const SaveResult result = SaveHighScores(DefaultTable(), file.c_str());
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, SIG_DFL);

    EXPECT_EQ(result, SaveResult::Failed);
    EXPECT_EQ(ReadFile(file), "Old 1\n");
    EXPECT_EQ(EntriesInFolder(), 1u);
}

}  // namespace
}  // namespace sk
