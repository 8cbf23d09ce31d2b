// What every tab's own steps share: their one error type, dialog texts, path conversions and
// the checks made before a step reads a work file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>

#include <QString>

#include "common_dialog.h"
#include "workbench.h"

namespace texel {

namespace fs = std::filesystem;

// A failure of a tab's own step; the handler guard shows it.
class StepFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A file of the program's own data is missing or empty: nothing the user did, and nothing an
// open or a pick brings back.
class ProgramDataFailure : public StepFailure {
 public:
  using StepFailure::StepFailure;
};

// A file dialog's title and filter, as a tab's row gives them. A null title leaves the title
// the dialog already carries.
struct DialogText {
  const char* title;
  const char* filter;
};

// QString <-> path, UTF-8 on this platform.
fs::path ToPath(const QString& text);
QString ToText(const fs::path& path);

// Sets the dialog's title and filter, shows it, and gives the chosen name (empty: cancelled).
QString ShowFileDialog(ui::CommonDialog& dialog, const DialogText& text, ui::DialogKind kind);

// A file's length as the byte-range routines count it (at most 2^31 - 1); fails naming the file
// when it is longer.
int32_t AsCount(int64_t length, const fs::path& file);

// Fails at once, saying what stands there, when `file` is there but is no regular file (a pipe,
// a device, a socket, a folder); a missing file is left to the step that reads it.
void RequireRegularFile(const fs::path& file);

bool IsNonEmptyFile(const fs::path& file);
// Fails naming the file when it is missing or empty: a step reads only what is there.
void RequireNonEmptyFile(const fs::path& file);
// The same for the copy of a file the program ships (a reference or template file in `kind`'s
// working folder): a ProgramDataFailure that says to install the data again when the shipped
// original is damaged too, else to start the program again, which lays the folders afresh.
void RequireProgramData(const Workbench& bench, AssetKind kind, const std::string& name);

// Every press of a tab works in its folder; one removed while the program runs is made again
// only by the next start. A folder the start could not lay out is told by what stopped it: the
// data folder missing or not writable, or the lock file unusable.
void RequireWorkFolder(const Workbench& bench, AssetKind kind);

}  // namespace texel
