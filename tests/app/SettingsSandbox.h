// Points the per-user settings store at a fresh folder for one test and back
// at the test run's private configuration folder afterwards.
#pragma once

#include <QSettings>
#include <QString>
#include <QTemporaryDir>

class SettingsSandbox {
public:
    SettingsSandbox() { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.path()); }
    ~SettingsSandbox() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, qEnvironmentVariable("XDG_CONFIG_HOME"));
    }
    SettingsSandbox(const SettingsSandbox&) = delete;
    SettingsSandbox& operator=(const SettingsSandbox&) = delete;

    QString StorePath() const { return dir_.filePath(QStringLiteral("SK98.conf")); }

private:
    QTemporaryDir dir_;
};
