#include "dialogs/template_catalog.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

namespace velmora {

QHash<QString, TemplateEntry> ReadTemplateCatalog(const QString& programFolder) {
  QHash<QString, TemplateEntry> entries;
  QFile file(QDir(programFolder).filePath(QStringLiteral("samples/catalog.txt")));
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return entries;
  QTextStream in(&file);
  in.setEncoding(QStringConverter::Utf8);
  while (!in.atEnd()) {
    const QString line = in.readLine().trimmed();
    if (line.isEmpty() || line.startsWith('#')) continue;
    const QStringList fields = line.split('|');
    if (fields.size() != 5) continue;
    entries.insert(fields[0].trimmed(), {fields[3].trimmed(), fields[4].trimmed()});
  }
  return entries;
}

}  // namespace velmora
