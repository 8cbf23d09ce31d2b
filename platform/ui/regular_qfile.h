// A Qt file on a path only when it is a regular file: a pipe or a device is refused at once,
// before anything could wait on it.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <memory>

#include <QFile>

#include "regular_file.h"

namespace ui {

// Opened for reading with `mode`; nullptr with `opened` saying why when it is no regular file or
// cannot be opened.
inline std::unique_ptr<QFile> OpenRegularQFile(const std::filesystem::path& path,
                                               QIODevice::OpenMode mode,
                                               files::OpenedFile& opened) {
  opened = files::OpenRegularFile(path, O_RDONLY);
  if (opened.fd < 0) return nullptr;
  auto file = std::make_unique<QFile>();
  if (!file->open(opened.fd, mode, QFileDevice::AutoCloseHandle)) {
    ::close(opened.fd);
    opened.error = EIO;
    return nullptr;
  }
  return file;
}

}  // namespace ui
