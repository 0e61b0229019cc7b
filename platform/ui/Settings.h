#pragma once
// Per-user settings addressed by application name, section and key, each value a text: one INI file in the
// user's configuration folder ($XDG_CONFIG_HOME or ~/.config, "tallyvane/settings.ini"). The file's place is
// worked out on every call, so a changed HOME (as each test has) is honoured at once.

#include <QString>

namespace ui {

QString settingsFilePath();
QString GetSetting(const QString& appName, const QString& section, const QString& key,
                   const QString& defaultValue = {});
// Returns false when the settings file could not be written.
bool SaveSetting(const QString& appName, const QString& section, const QString& key, const QString& value);

}  // namespace ui
