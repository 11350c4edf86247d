#include "app/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <memory>
#include <stdexcept>
#include <string>

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

void WriteValue(const char* name, int value) {
    const auto store = OpenStore();
    store->setValue(QString::fromLatin1(name), QString::number(value));
    store->sync();
    if (store->status() != QSettings::NoError) {
        throw std::runtime_error("設定「" + std::string(name) + "」を保存できませんでした: " +
                                 QDir::toNativeSeparators(store->fileName()).toStdString());
    }
}

}  // namespace

Settings LoadSettings() {
    const Settings defaults;
    Settings s;
    s.MusicOn = ReadValue("MidiOut", defaults.MusicOn ? 1 : 0) != 0;
    s.SoundOn = ReadValue("WaveOut", defaults.SoundOn ? 1 : 0) != 0;
    s.MouseLock = ReadValue("MouseLock", defaults.MouseLock ? 1 : 0) != 0;
    s.Difficulty = ReadValue("Difficult", defaults.Difficulty);
    EnsureStoreExists();
    return s;
}

void SaveSettings(const GameState& s) {
    WriteValue("MidiOut", s.MusicOnNext ? 1 : 0);
    WriteValue("WaveOut", s.SoundOn ? 1 : 0);
    WriteValue("MouseLock", s.MouseLock ? 1 : 0);
    WriteValue("Difficult", s.Difficulty);
}

ExtraSettings LoadExtraSettings() {
    const ExtraSettings defaults;
    ExtraSettings s;
    s.KeyControl = ParseExtraFlag(ReadText("KeyControl"), defaults.KeyControl);
    s.PadControl = ParseExtraFlag(ReadText("PadControl"), defaults.PadControl);
    s.ZoomMode = ParseZoom(ReadText("Zoom"));
    s.MusicVolume = ParseVolume(ReadText("MusicVolume"));
    s.EffectVolume = ParseVolume(ReadText("EffectVolume"));
    s.FocusPause = ParseExtraFlag(ReadText("FocusPause"), defaults.FocusPause);
    return s;
}

void SaveExtraSettings(const ExtraSettings& s) {
    WriteValue("KeyControl", s.KeyControl ? 1 : 0);
    WriteValue("PadControl", s.PadControl ? 1 : 0);
    WriteValue("Zoom", static_cast<int>(s.ZoomMode));
    WriteValue("MusicVolume", s.MusicVolume);
    WriteValue("EffectVolume", s.EffectVolume);
    WriteValue("FocusPause", s.FocusPause ? 1 : 0);
}

}  // namespace sk
