#include "work_folder_fault.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>

#include "com/error.h"
#include "failure.h"
#include "file_system_object.h"
#include "program_data.h"

namespace texel {

namespace {

enum class Refusal { None, DiskFull, NotWritable, NotAFile };

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
  if (code == corvane::kNotAFile) return Refusal::NotAFile;
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
    if (!Inside(files->Path().string(), folder)) return Refusal::None;
    return files->Standing() != nullptr ? Refusal::NotAFile : OfErrno(files->Code().value());
  }
  if (!Inside(error.what(), folder)) return Refusal::None;
  if (const auto* com = dynamic_cast<const com::Error*>(&error)) return OfResult(com->Code());
  if (const auto* failure = dynamic_cast<const corvane::Failure*>(&error)) {
    return OfResult(failure->Code());
  }
  return Refusal::None;
}

// The errno (EACCES, EROFS, EPERM) that keeps this process from making files in `folder`; 0 when
// it may, or when it cannot tell.
int WriteRefusal(const fs::path& folder) {
  // Asked with the process's effective rights, as its writes will be.
  if (::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0) return 0;
  const int error = errno;
  return OfErrno(error) == Refusal::NotWritable ? error : 0;
}

// "Texel Forge's working folder "<appData>" cannot be written (...). Let Texel Forge write there
// and <then>."
std::string NotWritableWords(const fs::path& appData, const std::string& then) {
  return "Texel Forge's working folder \"" + appData.string() +
         "\" cannot be written (it is read-only, or Texel Forge may not write there). Let Texel "
         "Forge write there and " +
         then + ".";
}

}  // namespace

std::optional<UserFacingFailure> WorkFolderFault(const Workbench& bench,
                                                 const std::exception& error) {
  const fs::path appData = bench.ProgramFolder() / "AppData";
  const Refusal refusal = RefusalIn(error, bench.ProgramFolder());
  if (refusal == Refusal::None) return std::nullopt;
  const std::string folder = "Texel Forge's working folder \"" + appData.string() + "\"";
  switch (refusal) {
    case Refusal::DiskFull:
      return UserFacingFailure(folder +
                                   " has no room left: its disk is full. Free space on that disk "
                                   "and press again; your files are untouched.",
                               error.what());
    case Refusal::NotAFile:
      // The start lays the working folders out afresh, whatever stands in them.
      return UserFacingFailure(folder +
                                   " holds something that is not a file where a work file "
                                   "belongs. Close Texel Forge and start it again; your files "
                                   "are untouched.",
                               error.what());
    default:
      return UserFacingFailure(NotWritableWords(appData, "press again; your files are untouched"),
                               error.what());
  }
}

std::optional<InstallationFault> AppDataFault(const fs::path& appData) {
  std::error_code error;
  if (!fs::is_directory(appData, error)) {
    return InstallationFault(
        "Texel Forge's data folder \"" + appData.string() + "\" is missing. " + kInstallDataAgain,
        "Missing: " + appData.string());
  }
  if (const int refused = WriteRefusal(appData)) {
    return InstallationFault(NotWritableWords(appData, "start it again"),
                             appData.string() + ": " + std::strerror(refused));
  }
  return std::nullopt;
}

}  // namespace texel
