#include "skin.h"

#include <QApplication>
#include <QString>

#include "regular_qfile.h"

namespace ui {

bool ApplySkin(const std::filesystem::path& skinFile) {
  // Anything but a regular file is no skin: a pipe would keep the window from ever appearing.
  files::OpenedFile opened;
  const auto file = OpenRegularQFile(skinFile, QIODevice::ReadOnly | QIODevice::Text, opened);
  if (!file) return false;
  const QString sheet = QString::fromUtf8(file->readAll());
  if (file->error() != QFileDevice::NoError || sheet.trimmed().isEmpty()) return false;
  qApp->setStyleSheet(sheet);
  return true;
}

}  // namespace ui
