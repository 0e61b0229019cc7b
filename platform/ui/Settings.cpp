#include "Settings.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace ui {

QString settingsFilePath() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(folder).filePath(QStringLiteral("tallyvane/settings.ini"));
}

namespace {
// Application name and section form one group; QSettings escapes blanks and dots in names itself.
QString groupKey(const QString& appName, const QString& section, const QString& key) {
    return appName + '/' + section + '/' + key;
}
}  // namespace

QString GetSetting(const QString& appName, const QString& section, const QString& key, const QString& defaultValue) {
    QSettings settings(settingsFilePath(), QSettings::IniFormat);
    return settings.value(groupKey(appName, section, key), defaultValue).toString();
}

bool SaveSetting(const QString& appName, const QString& section, const QString& key, const QString& value) {
    QSettings settings(settingsFilePath(), QSettings::IniFormat);
    settings.setValue(groupKey(appName, section, key), value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

}  // namespace ui
