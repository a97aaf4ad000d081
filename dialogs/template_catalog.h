#pragma once

// The samples gallery's catalog (samples/catalog.txt beside the program):
// one line per shipped template, "file | menu name | frame height | title |
// description", "#" starting a comment line.

#include <QHash>
#include <QString>

namespace velmora {

struct TemplateEntry {
  QString title;
  QString description;
};

// The catalog's entries by template file name; an unreadable or missing
// catalog gives none, a malformed line is passed over.
QHash<QString, TemplateEntry> ReadTemplateCatalog(const QString& programFolder);

}  // namespace velmora
