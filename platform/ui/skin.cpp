#include "skin.h"

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QFile>
#include <QString>

#include "regular_file.h"

namespace ui {

bool ApplySkin(const std::filesystem::path& skinFile) {
  // Anything but a regular file is no skin: a pipe would keep the window from ever appearing.
  const files::OpenedFile opened = files::OpenRegularFile(skinFile, O_RDONLY);
  if (opened.fd < 0) return false;
  QFile file;
  if (!file.open(opened.fd, QIODevice::ReadOnly | QIODevice::Text, QFileDevice::AutoCloseHandle)) {
    ::close(opened.fd);
    return false;
  }
  const QString sheet = QString::fromUtf8(file.readAll());
  if (file.error() != QFileDevice::NoError || sheet.trimmed().isEmpty()) return false;
  qApp->setStyleSheet(sheet);
  return true;
}

}  // namespace ui
