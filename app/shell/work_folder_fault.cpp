#include "work_folder_fault.h"

#include <cerrno>
#include <string>

#include "com/error.h"
#include "failure.h"
#include "file_system_object.h"

namespace texel {

namespace {

enum class Refusal { None, DiskFull, NotWritable };

Refusal OfErrno(int error) {
  switch (error) {
    case ENOSPC:
    case EDQUOT:
      return Refusal::DiskFull;
    case EROFS:
    case EACCES:
    case EPERM:
      return Refusal::NotWritable;
    default:
      return Refusal::None;
  }
}

Refusal OfResult(int32_t code) {
  if (code == corvane::kDiskFull) return Refusal::DiskFull;
  if (code == corvane::kWriteProtected || code == corvane::kAccessDenied) {
    return Refusal::NotWritable;
  }
  return Refusal::None;
}

bool Inside(const std::string& text, const fs::path& folder) {
  return text.find(folder.string() + "/") != std::string::npos;
}

// What was refused, where the failure names a file inside `folder`: the working folders, or the
// program folder beside them where the library keeps its unpack file.
Refusal RefusalIn(const std::exception& error, const fs::path& folder) {
  if (const auto* files = dynamic_cast<const FileSystemError*>(&error)) {
    return Inside(files->Path().string(), folder) ? OfErrno(files->Code().value()) : Refusal::None;
  }
  if (!Inside(error.what(), folder)) return Refusal::None;
  if (const auto* com = dynamic_cast<const com::Error*>(&error)) return OfResult(com->Code());
  if (const auto* failure = dynamic_cast<const corvane::Failure*>(&error)) {
    return OfResult(failure->Code());
  }
  return Refusal::None;
}

}  // namespace

std::optional<UserFacingFailure> WorkFolderFault(const Workbench& bench,
                                                 const std::exception& error) {
  const fs::path appData = bench.ProgramFolder() / "AppData";
  const Refusal refusal = RefusalIn(error, bench.ProgramFolder());
  if (refusal == Refusal::None) return std::nullopt;
  const std::string folder = "Texel Forge's working folder \"" + appData.string() + "\"";
  const std::string reason =
      refusal == Refusal::DiskFull
          ? folder +
                " has no room left: its disk is full. Free space on that disk and press "
                "again; your files are untouched."
          : folder +
                " cannot be written (it is read-only, or Texel Forge may not write "
                "there). Let Texel Forge write there and press again; your files are "
                "untouched.";
  return UserFacingFailure(reason, error.what());
}

}  // namespace texel
