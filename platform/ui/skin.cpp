#include "skin.h"

#include <QApplication>
#include <QFile>
#include <QString>

namespace ui {

bool ApplySkin(const std::filesystem::path& skinFile) {
  QFile file(QString::fromStdString(skinFile.string()));
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return false;
  const QString sheet = QString::fromUtf8(file.readAll());
  if (file.error() != QFileDevice::NoError || sheet.trimmed().isEmpty()) return false;
  qApp->setStyleSheet(sheet);
  return true;
}

}  // namespace ui
