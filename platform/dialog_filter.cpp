#include "platform/dialog_filter.h"

#include <QStringList>

namespace velmora {

QString DialogFilter(const QString& pairs) {
  const QStringList parts = pairs.split('|');
  QStringList filters;
  for (qsizetype k = 0; k + 1 < parts.size(); k += 2) {
    QString name = parts[k];
    const qsizetype open = name.lastIndexOf('(');
    if (open > 0 && name.endsWith(')')) name.truncate(open);
    QStringList patterns = parts[k + 1].split(';', Qt::SkipEmptyParts);
    for (QString& pattern : patterns) {
      if (pattern == QLatin1String("*.*")) pattern = QStringLiteral("*");
    }
    filters << name.trimmed() + " (" + patterns.join(' ') + ")";
  }
  return filters.join(QStringLiteral(";;"));
}

}  // namespace velmora
