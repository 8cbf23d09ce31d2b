#include "dialog_service.h"

namespace ui {

QStringList ToNameFilters(const QString& filter) {
  QStringList filters;
  if (filter.isEmpty()) return filters;
  const QStringList pieces = filter.split('|');
  for (qsizetype i = 0; i < pieces.size(); i += 2) {
    const QString description = pieces[i].trimmed();
    if (i + 1 >= pieces.size()) {
      filters << description;
      break;
    }
    const QString pattern = pieces[i + 1].trimmed();
    // Most descriptions already carry their pattern ("DDS Texture (*.DDS)"); Qt reads the
    // pattern from the last parentheses, so those stay as they are.
    if (description.contains("(" + pattern + ")", Qt::CaseInsensitive)) {
      filters << description;
    } else {
      filters << description + " (" + pattern + ")";
    }
  }
  return filters;
}

}  // namespace ui
