#include "binary_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <string>

#include "failure.h"
#include "regular_file.h"
#include "write_fault.h"

namespace corvane {

namespace {

// A file read from, or edited in place, must be a regular file: a pipe or a device would make
// the read wait or never end.
std::FILE* OpenStream(const std::filesystem::path& path, BinaryFile::Mode mode) {
  const bool reads = mode == BinaryFile::Mode::ReadOnly;
  files::OpenedFile opened;
  std::FILE* stream = files::OpenRegularStream(path, reads ? O_RDONLY : O_RDWR | O_CREAT,
                                               reads ? "rb" : "r+b", opened);
  if (opened.notAFile != nullptr) {
    throw Failure(kNotAFile, files::NotAFileText(path, opened.notAFile));
  }
  if (stream == nullptr) errno = opened.error;
  return stream;
}

}  // namespace

BinaryFile::BinaryFile(const std::filesystem::path& path, Mode mode) : m_path(path) {
  errno = 0;
  m_file = OpenStream(path, mode);
  if (m_file == nullptr) FailWithErrno(errno, "Cannot open", path);
}

BinaryFile::BinaryFile(const files::NewFile& fresh) : m_path(fresh.Path()) {
  m_file = fresh.OpenStream("w+b");
  if (m_file == nullptr) FailWithErrno(errno, "Cannot open", m_path);
}

std::FILE* BinaryFile::Stream() const {
  if (m_file == nullptr) throw Failure(kUnspecifiedFailure, "File is closed: " + m_path.string());
  return m_file;
}

BinaryFile::~BinaryFile() {
  if (m_file != nullptr) std::fclose(m_file);
}

int64_t BinaryFile::Length() const {
  Stream();
  if (m_last == LastAccess::Write && std::fflush(m_file) != 0)
    FailWithErrno(errno, "Cannot write", m_path);
  struct stat info {};
  if (::fstat(::fileno(m_file), &info) != 0) FailWithErrno(errno, "Cannot measure", m_path);
  return static_cast<int64_t>(info.st_size);
}

int64_t BinaryFile::Position() const {
  Stream();
  off_t offset = ::ftello(m_file);
  if (offset < 0) FailWithErrno(errno, "Cannot tell the position in", m_path);
  return static_cast<int64_t>(offset) + 1;
}

void BinaryFile::Seek(int64_t position) {
  Stream();
  if (position <= 0)
    throw Failure(kInvalidArgument, "Bad file position " + std::to_string(position) + " in '" +
                                        m_path.string() + "'");
  if (::fseeko(m_file, static_cast<off_t>(position - 1), SEEK_SET) != 0)
    FailWithErrno(errno, "Cannot seek in", m_path);
  m_last = LastAccess::None;
}

void BinaryFile::SwitchTo(LastAccess access) {
  if (m_last != LastAccess::None && m_last != access && ::fseeko(m_file, 0, SEEK_CUR) != 0)
    FailWithErrno(errno, "Cannot seek in", m_path);
  m_last = access;
}

size_t BinaryFile::Read(void* buffer, size_t size) {
  Stream();
  SwitchTo(LastAccess::Read);
  size_t got = std::fread(buffer, 1, size, m_file);
  if (got < size && std::ferror(m_file)) {
    int error = errno;
    std::clearerr(m_file);
    FailWithErrno(error, "Cannot read", m_path);
  }
  std::clearerr(m_file);  // end of file is not sticky: a later write may grow the file
  return got;
}

void BinaryFile::Write(const void* buffer, size_t size) {
  Stream();
  SwitchTo(LastAccess::Write);
  if (!files::MayWrite(size)) FailWithErrno(ENOSPC, "Cannot write", m_path);
  if (size > 0 && std::fwrite(buffer, 1, size, m_file) != size) {
    int error = errno;
    std::clearerr(m_file);
    FailWithErrno(error, "Cannot write", m_path);
  }
}

void BinaryFile::Close() {
  if (m_file == nullptr) return;
  std::FILE* file = m_file;
  m_file = nullptr;
  if (std::fclose(file) != 0) FailWithErrno(errno, "Cannot write", m_path);
}

}  // namespace corvane
