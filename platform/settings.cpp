#include "platform/settings.h"

namespace velmora {

std::unique_ptr<QSettings> OpenSettings() {
  return std::make_unique<QSettings>(QSettings::UserScope, QStringLiteral("Vorn"), QStringLiteral("Velmora"));
}

bool ReadBoolSetting(const QString& name, bool defaultValue, bool onError) {
  auto settings = OpenSettings();
  if (settings->status() != QSettings::NoError) return onError;
  const QString key = QString::fromLatin1(kSettingsGroup) + "/" + name;
  if (!settings->contains(key)) return defaultValue;
  const QVariant value = settings->value(key);
  const QString text = value.toString().trimmed().toLower();
  if (text == "true" || text == "1") return true;
  if (text == "false" || text == "0") return false;
  return onError;
}

void WriteBoolSetting(const QString& name, bool value) {
  WriteBoolSettingChecked(name, value);
}

bool WriteBoolSettingChecked(const QString& name, bool value) {
  auto settings = OpenSettings();
  settings->setValue(QString::fromLatin1(kSettingsGroup) + "/" + name, value);
  settings->sync();
  return settings->status() == QSettings::NoError && settings->isWritable();
}

}  // namespace velmora
