#include "tab_steps.h"

#include <limits>
#include <system_error>

#include "regular_file.h"

namespace texel {

fs::path ToPath(const QString& text) { return fs::path(text.toStdString()); }
QString ToText(const fs::path& path) { return QString::fromStdString(path.string()); }

QString ShowFileDialog(ui::CommonDialog& dialog, const DialogText& text, ui::DialogKind kind) {
  if (text.title != nullptr) dialog.DialogTitle = text.title;
  dialog.Filter = text.filter;
  if (kind == ui::DialogKind::Open) {
    dialog.ShowOpen();
  } else {
    dialog.ShowSave();
  }
  return dialog.FileName;
}

int32_t AsCount(int64_t length, const fs::path& file) {
  if (length < 0 || length > std::numeric_limits<int32_t>::max()) {
    throw StepFailure("The file \"" + file.string() + "\" is too large to work on.");
  }
  return static_cast<int32_t>(length);
}

void RequireRegularFile(const fs::path& file) {
  if (const char* what = files::NotAFileAt(file)) {
    throw StepFailure(files::NotAFileText(file, what) + "; nothing was taken from it.");
  }
}

bool IsNonEmptyFile(const fs::path& file) {
  std::error_code error;
  return fs::is_regular_file(file, error) && fs::file_size(file, error) > 0 && !error;
}

namespace {

// "missing", "empty", or nothing for a file that holds bytes.
const char* Lack(const fs::path& file) {
  std::error_code error;
  if (!fs::is_regular_file(file, error)) return "missing";
  if (fs::file_size(file, error) == 0 || error) return "empty";
  return nullptr;
}

}  // namespace

void RequireNonEmptyFile(const fs::path& file) {
  if (const char* lack = Lack(file)) {
    throw StepFailure("The file \"" + file.string() + "\" is " + lack + ".");
  }
}

void RequireProgramData(const fs::path& file) {
  if (const char* lack = Lack(file)) {
    throw ProgramDataFailure("Texel Forge's own data is damaged: its file \"" + file.string() +
                             "\" is " + lack +
                             ". Close Texel Forge and start it again to restore it.");
  }
}

void RequireWorkFolder(const Workbench& bench, AssetKind kind) {
  std::error_code error;
  const fs::path folder = bench.WorkFolder(kind);
  if (!fs::is_directory(folder, error)) {
    throw StepFailure("This tab's working folder \"" + folder.string() +
                      "\" is missing. Close Texel Forge and start it again to restore it.");
  }
}

}  // namespace texel
