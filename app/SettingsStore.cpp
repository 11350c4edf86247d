#include "app/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <chrono>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>

#if !defined(Q_OS_WIN)
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace sk {
namespace {

// One opening of the store, for one value. On Windows the organisation
// form would add an "OrganizationDefaults" key below "Software\SK98", so
// the key is named in full there.
std::unique_ptr<QSettings> OpenStore() {
#if defined(Q_OS_WIN)
    return std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\Software\\SK98"), QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("SK98"));
#endif
}

#if !defined(Q_OS_WIN)
// How long a write waits for a lock whose owner is still running.
constexpr auto kLockPatience = std::chrono::milliseconds(1000);
constexpr auto kLockPoll = std::chrono::milliseconds(20);

// The store's file, found without opening it: a store object reads its file
// as it is made, and a FIFO there would wait for a writer for good. A store
// of another, never written name lies in the same folder.
QString StoreFile() {
    const QSettings neighbour(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral(".SK98-folder"));
    return QFileInfo(neighbour.fileName()).absolutePath() + QStringLiteral("/SK98.conf");
}

// A regular file or none at all; anything else in its place reads as the
// defaults.
bool StoreReadable() {
    struct stat info {};
    if (::stat(QFile::encodeName(StoreFile()).constData(), &info) != 0) return errno == ENOENT || errno == ENOTDIR;
    return S_ISREG(info.st_mode);
}

// A FIFO, device or socket in the store's place would keep a write waiting;
// it is left alone. (A folder there fails the write at once, and that is
// reported.)
bool StoreWouldWait() {
    struct stat info {};
    if (::stat(QFile::encodeName(StoreFile()).constData(), &info) != 0) return false;
    return !S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode);
}

// True (with a line on stderr) when a write must leave the store alone.
bool StoreLeftAlone() {
    if (!StoreWouldWait()) return false;
    std::fprintf(stderr, "settings not saved: %s is not a regular file\n", QFile::encodeName(StoreFile()).constData());
    return true;
}

// A store write waits without limit for "<store>.lock", and takes over a
// lock whose owner cannot be read from it only once it is 30 s old. The
// owner of a lock holds an flock on it while it runs: a lock nobody holds
// so is removed at once. False when a running owner keeps it longer than
// kLockPatience.
bool ClearStaleLock() {
    const QByteArray lock = QFile::encodeName(StoreFile() + QStringLiteral(".lock"));
    const auto giveUp = std::chrono::steady_clock::now() + kLockPatience;
    for (;;) {
        const int fd = ::open(lock.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
        if (fd < 0) return true;  // no lock, or one the store write will report on itself
        const bool ownerGone = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
        if (ownerGone) ::unlink(lock.constData());
        ::close(fd);
        if (ownerGone) return true;
        if (std::chrono::steady_clock::now() >= giveUp) return false;
        std::this_thread::sleep_for(kLockPoll);
    }
}
#else
// The registry has no file that could block a read or a write.
bool StoreReadable() { return true; }
bool StoreLeftAlone() { return false; }
#endif

// The stored text of a value; empty (no number) when missing or unreadable.
std::string ReadText(const char* name) {
    const auto store = OpenStore();
    if (store->status() != QSettings::NoError) return {};
    const QVariant value = store->value(QString::fromLatin1(name));
    if (!value.isValid() || !value.canConvert<QString>()) return {};
    return value.toString().toStdString();
}

int ReadValue(const char* name, int fallback) { return ParseSettingValue(ReadText(name), fallback); }

// A file-backed store that does not exist yet is created empty; a store
// that cannot be created is left alone (the defaults serve this run). The
// registry needs nothing: reading through a writable store opens its key
// with "create if missing".
void EnsureStoreExists() {
#if !defined(Q_OS_WIN)
    const auto store = OpenStore();
    const QFileInfo info(store->fileName());
    if (info.exists()) return;
    if (!QDir().mkpath(info.absolutePath())) return;
    QFile file(info.absoluteFilePath());
    if (file.open(QIODevice::WriteOnly)) file.close();
#endif
}

[[noreturn]] void WriteFailed(const char* name, const QString& file) {
    const QString text = QCoreApplication::translate("SettingsStore", "設定「%1」を保存できませんでした: %2");
    throw std::runtime_error(text.arg(QString::fromLatin1(name), QDir::toNativeSeparators(file)).toStdString());
}

void WriteValue(const char* name, int value) {
#if !defined(Q_OS_WIN)
    if (!ClearStaleLock()) WriteFailed(name, StoreFile() + QStringLiteral(".lock"));
#endif
    const auto store = OpenStore();
    store->setValue(QString::fromLatin1(name), QString::number(value));
    store->sync();
    if (store->status() != QSettings::NoError) WriteFailed(name, store->fileName());
}

}  // namespace

Settings LoadSettings() {
    const Settings defaults;
    if (!StoreReadable()) return defaults;
    Settings s;
    s.MusicOn = ReadValue("MidiOut", defaults.MusicOn ? 1 : 0) != 0;
    s.SoundOn = ReadValue("WaveOut", defaults.SoundOn ? 1 : 0) != 0;
    s.MouseLock = ReadValue("MouseLock", defaults.MouseLock ? 1 : 0) != 0;
    s.Difficulty = ReadValue("Difficult", defaults.Difficulty);
    EnsureStoreExists();
    return s;
}

void SaveSettings(const GameState& s) {
    if (StoreLeftAlone()) return;
    WriteValue("MidiOut", s.MusicOnNext ? 1 : 0);
    WriteValue("WaveOut", s.SoundOn ? 1 : 0);
    WriteValue("MouseLock", s.MouseLock ? 1 : 0);
    WriteValue("Difficult", s.Difficulty);
}

ExtraSettings LoadExtraSettings() {
    const ExtraSettings defaults;
    if (!StoreReadable()) return defaults;
    ExtraSettings s;
    s.KeyControl = ParseExtraFlag(ReadText("KeyControl"), defaults.KeyControl);
    s.PadControl = ParseExtraFlag(ReadText("PadControl"), defaults.PadControl);
    s.ZoomMode = ParseZoom(ReadText("Zoom"));
    s.Scaling = ParseScaling(ReadText("FullScreenScaling"));
    s.MusicVolume = ParseVolume(ReadText("MusicVolume"));
    s.EffectVolume = ParseVolume(ReadText("EffectVolume"));
    s.FocusPause = ParseExtraFlag(ReadText("FocusPause"), defaults.FocusPause);
    for (int i = 0; i < kKeyActions; ++i) {
        s.Keys.Codes[i] = ParseKeyCode(ReadText(kKeyBindingNames[i]), defaults.Keys.Codes[i]);
    }
    s.Lang = ParseLanguage(ReadText("Language"));
    return s;
}

void SaveExtraSettings(const ExtraSettings& s) {
    if (StoreLeftAlone()) return;
    WriteValue("KeyControl", s.KeyControl ? 1 : 0);
    WriteValue("PadControl", s.PadControl ? 1 : 0);
    WriteValue("Zoom", static_cast<int>(s.ZoomMode));
    WriteValue("FullScreenScaling", static_cast<int>(s.Scaling));
    WriteValue("MusicVolume", s.MusicVolume);
    WriteValue("EffectVolume", s.EffectVolume);
    WriteValue("FocusPause", s.FocusPause ? 1 : 0);
    for (int i = 0; i < kKeyActions; ++i) WriteValue(kKeyBindingNames[i], s.Keys.Codes[i]);
    WriteValue("Language", static_cast<int>(s.Lang));
}

}  // namespace sk
