#include "app/SettingsStore.h"
#include "tests/app/SettingsSandbox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>

#include <gtest/gtest.h>

#include <stdexcept>

#include <sys/stat.h>

namespace {

void WriteRaw(const SettingsSandbox& sandbox, const QByteArray& contents) {
    QFile file(sandbox.StorePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(contents);
}

QString StoredText(const char* name) {
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("SK98"));
    return store.value(QString::fromLatin1(name)).toString();
}

TEST(SettingsStore, FirstStartGivesDefaultsAndCreatesTheEmptyStore) {
    SettingsSandbox sandbox;
    ASSERT_FALSE(QFile::exists(sandbox.StorePath()));

    const sk::Settings s = sk::LoadSettings();
    EXPECT_TRUE(s.MusicOn);
    EXPECT_TRUE(s.SoundOn);
    EXPECT_TRUE(s.MouseLock);
    EXPECT_EQ(s.Difficulty, 4);

    ASSERT_TRUE(QFile::exists(sandbox.StorePath()));
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("SK98"));
    EXPECT_TRUE(store.allKeys().isEmpty());
}

TEST(SettingsStore, RoundTripKeepsTheFourValuesAsText) {
    SettingsSandbox sandbox;
    sk::GameState state;
    state.MusicOn = true;  // only the choice for the next start is stored
    state.MusicOnNext = false;
    state.SoundOn = false;
    state.MouseLock = true;
    state.Difficulty = 9;
    sk::SaveSettings(state);

    EXPECT_EQ(StoredText("MidiOut"), QStringLiteral("0"));
    EXPECT_EQ(StoredText("WaveOut"), QStringLiteral("0"));
    EXPECT_EQ(StoredText("MouseLock"), QStringLiteral("1"));
    EXPECT_EQ(StoredText("Difficult"), QStringLiteral("9"));

    const sk::Settings s = sk::LoadSettings();
    EXPECT_FALSE(s.MusicOn);
    EXPECT_FALSE(s.SoundOn);
    EXPECT_TRUE(s.MouseLock);
    EXPECT_EQ(s.Difficulty, 9);

    state.MusicOnNext = true;
    state.SoundOn = true;
    state.MouseLock = false;
    state.Difficulty = 2;
    sk::SaveSettings(state);
    const sk::Settings again = sk::LoadSettings();
    EXPECT_TRUE(again.MusicOn);
    EXPECT_TRUE(again.SoundOn);
    EXPECT_FALSE(again.MouseLock);
    EXPECT_EQ(again.Difficulty, 2);
}

TEST(SettingsStore, DifficultyOutsideTheKnownCodesIsKept) {
    SettingsSandbox sandbox;
    WriteRaw(sandbox, "[General]\nDifficult=7\n");
    EXPECT_EQ(sk::LoadSettings().Difficulty, 7);

    sk::GameState state;
    state.Difficulty = 7;
    sk::SaveSettings(state);
    EXPECT_EQ(StoredText("Difficult"), QStringLiteral("7"));
}

TEST(SettingsStore, ValuesThatAreNotIntegersReadAsTheirDefaults) {
    SettingsSandbox sandbox;
    WriteRaw(sandbox, "[General]\nMidiOut=yes\nWaveOut=0x0\nMouseLock=0, 0\nDifficult=hard\n");
    const sk::Settings s = sk::LoadSettings();
    EXPECT_TRUE(s.MusicOn);
    EXPECT_TRUE(s.SoundOn);
    EXPECT_TRUE(s.MouseLock);
    EXPECT_EQ(s.Difficulty, 4);
}

TEST(SettingsStore, AnyNonZeroIntegerMeansOn) {
    SettingsSandbox sandbox;
    WriteRaw(sandbox, "[General]\nMidiOut=0\nWaveOut=-3\nMouseLock=2\nDifficult=-1\n");
    const sk::Settings s = sk::LoadSettings();
    EXPECT_FALSE(s.MusicOn);
    EXPECT_TRUE(s.SoundOn);
    EXPECT_TRUE(s.MouseLock);
    EXPECT_EQ(s.Difficulty, -1);
}

// A folder where the store file should be: it can be neither read nor written.
TEST(SettingsStore, AStoreThatCannotBeOpenedGivesTheDefaults) {
    SettingsSandbox sandbox;
    ASSERT_TRUE(QDir().mkpath(sandbox.StorePath()));
    const sk::Settings s = sk::LoadSettings();
    EXPECT_TRUE(s.MusicOn);
    EXPECT_TRUE(s.SoundOn);
    EXPECT_TRUE(s.MouseLock);
    EXPECT_EQ(s.Difficulty, 4);
}

TEST(SettingsStore, AFailedWriteThrowsNamingTheValue) {
    SettingsSandbox sandbox;
    ASSERT_TRUE(QDir().mkpath(sandbox.StorePath()));
    try {
        sk::SaveSettings(sk::GameState{});
        FAIL() << "SaveSettings reported success on a store it could not write";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("MidiOut"), std::string::npos) << e.what();
    }
}

// A FIFO where the store should be is never opened (it would wait for a
// writer): it reads as the defaults and is left alone by the quit.
TEST(SettingsStore, AFifoInPlaceOfTheStoreGivesTheDefaultsAndIsLeftAlone) {
    SettingsSandbox sandbox;
    const QByteArray path = QFile::encodeName(sandbox.StorePath());
    ASSERT_EQ(::mkfifo(path.constData(), 0600), 0);
    const sk::Settings s = sk::LoadSettings();
    EXPECT_TRUE(s.MusicOn);
    EXPECT_TRUE(s.SoundOn);
    EXPECT_TRUE(s.MouseLock);
    EXPECT_EQ(s.Difficulty, 4);
    EXPECT_NO_THROW(sk::SaveSettings(sk::GameState{}));
    EXPECT_EQ(sk::LoadExtraSettings().ZoomMode, sk::ExtraSettings{}.ZoomMode);
    EXPECT_NO_THROW(sk::SaveExtraSettings(sk::ExtraSettings{}));
    struct stat info {};
    ASSERT_EQ(::stat(path.constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

// A kill between making the lock file and writing it leaves it empty; its
// owner is gone, so the write takes it over at once. A lock whose owner is
// running (held here) makes the write fail after a short wait instead of
// waiting for it without end.
TEST(SettingsStore, ALockOfAWriterThatIsGoneIsTakenOverAndALiveOneIsNotWaitedOnForGood) {
    SettingsSandbox sandbox;
    const QString lockPath = sandbox.StorePath() + QStringLiteral(".lock");
    QFile stale(lockPath);
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();
    sk::GameState s;
    s.Difficulty = 7;
    sk::SaveSettings(s);
    EXPECT_EQ(StoredText("Difficult"), "7");
    EXPECT_FALSE(QFileInfo::exists(lockPath));

    QLockFile live(lockPath);
    ASSERT_TRUE(live.tryLock(0));
    EXPECT_THROW(sk::SaveSettings(s), std::runtime_error);
    EXPECT_TRUE(QFileInfo::exists(lockPath));
}

}  // namespace
