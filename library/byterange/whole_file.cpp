#include "whole_file.h"

#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>

#include "binary_file.h"
#include "byte_range.h"
#include "failure.h"
#include "regular_file.h"
#include "replaced_file.h"

namespace corvane {

namespace fs = std::filesystem;

std::vector<uint8_t> ReadWholeFile(const fs::path& path) {
  BinaryFile file(path, BinaryFile::Mode::ReadOnly);
  const int64_t length = file.Length();
  std::vector<uint8_t> bytes(static_cast<size_t>(length));
  size_t got = 0;
  while (got < bytes.size()) {
    size_t n = file.Read(bytes.data() + got, bytes.size() - got);
    if (n == 0) break;
    got += n;
  }
  if (got != bytes.size())
    throw Failure(kUnspecifiedFailure, "Cannot read all of '" + path.string() + "'");
  return bytes;
}

namespace {

// A folder, a pipe, a socket or a device at `target` is never replaced: the rename would make a
// plain file of it. `named` is the path as the caller gave it.
void RefuseToReplace(const fs::path& target, const fs::path& named) {
  const char* standing = files::NotAFileAt(target);
  if (standing == nullptr) return;
  if (standing == files::kFolder) {
    throw Failure(kAccessDenied, "Cannot write '" + target.string() + "': it is a folder");
  }
  throw Failure(kNotAFile, files::NotAFileText(named, standing) + "; nothing was written");
}

// The target, refused before anything is made beside it.
fs::path Replaceable(const fs::path& target, const fs::path& named) {
  RefuseToReplace(target, named);
  return target;
}

}  // namespace

ReplacingFile::ReplacingFile(fs::path target, OldTarget old)
    : m_named(std::move(target)),
      m_target(Replaceable(files::FileBehindLinks(m_named), m_named)),
      m_fresh(m_target),
      m_old(old) {
  if (m_fresh.Error() != 0) FailWithErrno(m_fresh.Error(), "Cannot open", m_target);
}

ReplacingFile::~ReplacingFile() = default;

void ReplacingFile::Commit() {
  // Asked again: a pipe or a device may have taken the target's name while the file was written.
  RefuseToReplace(m_target, m_named);
  // The file replaced keeps who may read and write it.
  int error = m_fresh.TakeModeOf(m_target);
  if (error == 0) error = m_fresh.RenameOnto(m_target, m_old == OldTarget::DroppedFirst);
  if (error != 0) FailWithErrno(error, "Cannot write", m_target);
}

void WriteFileReplacing(const fs::path& target, OldTarget old,
                        std::span<const std::span<const uint8_t>> parts) {
  ReplacingFile out(target, old);
  try {
    BinaryFile file(out.Fresh());
    for (std::span<const uint8_t> part : parts) file.Write(part.data(), part.size());
    file.Close();
  } catch (const Failure& failure) {
    // The user knows the file by its own name, not by the hidden one it is written under.
    std::string description = failure.what();
    const std::string temp = out.TempPath().string();
    if (const size_t at = description.find(temp); at != std::string::npos)
      description.replace(at, temp.size(), out.Target().string());
    throw Failure(failure.Code(), description);
  }
  out.Commit();
}

void WriteFileReplacing(const fs::path& target, OldTarget old,
                        std::initializer_list<std::span<const uint8_t>> parts) {
  WriteFileReplacing(target, old,
                     std::span<const std::span<const uint8_t>>(parts.begin(), parts.size()));
}

void CutBlockToFile(const fs::path& source, int32_t position, int32_t count,
                    const fs::path& target) {
  std::vector<uint8_t> block;
  {
    BinaryFile in(source, BinaryFile::Mode::ReadOnly);
    block = ReadBlock(in, position, count);
  }
  WriteFileReplacing(target, OldTarget::DroppedFirst, {block});
}

bool SameBytes(const fs::path& a, const fs::path& b) {
  return ReadWholeFile(a) == ReadWholeFile(b);
}

void ConcatenateFiles(std::span<const fs::path> parts, const fs::path& target) {
  std::vector<std::vector<uint8_t>> pieces;
  pieces.reserve(parts.size());
  for (const fs::path& part : parts) pieces.push_back(ReadWholeFile(part));
  std::vector<std::span<const uint8_t>> spans(pieces.begin(), pieces.end());
  WriteFileReplacing(target, OldTarget::DroppedFirst, spans);
}

}  // namespace corvane
