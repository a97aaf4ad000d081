#pragma once

// Per-user settings: organisation "Vorn", application "Velmora", in groups
// "1.0/Settings" and "1.0/Web Browsers". On Windows QSettings keeps them in
// the current user's registry key Software\Vorn\Velmora\1.0.

#include <QSettings>
#include <QString>
#include <memory>

namespace velmora {

inline constexpr const char* kSettingsGroup = "1.0/Settings";
inline constexpr const char* kWebBrowsersGroup = "1.0/Web Browsers";

// The program's settings store. Tests point QSettings at a temporary folder
// (QStandardPaths::setTestModeEnabled or QSettings::setPath) before calling.
std::unique_ptr<QSettings> OpenSettings();

// Reads a boolean under "1.0/Settings": the default when the value is
// missing; `onError` when it cannot be read or is not a boolean.
bool ReadBoolSetting(const QString& name, bool defaultValue, bool onError);
// Writes a boolean under "1.0/Settings"; failures are swallowed.
void WriteBoolSetting(const QString& name, bool value);
// The same, telling whether the value reached the store.
bool WriteBoolSettingChecked(const QString& name, bool value);

}  // namespace velmora
