#include "tab_steps.h"

#include <limits>
#include <optional>
#include <system_error>

#include "handler_guard.h"
#include "instance_lock.h"
#include "program_data.h"
#include "regular_file.h"
#include "work_folder_fault.h"

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

bool IsNonEmptyFile(const fs::path& file) { return DataLack(file).empty(); }

void RequireNonEmptyFile(const fs::path& file) {
  if (const std::string lack = DataLack(file); !lack.empty()) {
    throw StepFailure("The file \"" + file.string() + "\" " + lack + ".");
  }
}

void RequireProgramData(const Workbench& bench, AssetKind kind, const std::string& name) {
  const fs::path copy = bench.WorkFolder(kind) / name;
  const std::string lack = DataLack(copy);
  if (lack.empty()) return;
  // A start copies the original again: that mends only a copy damaged while the program ran.
  const fs::path original = ShippedOriginal(bench, kind, name);
  if (const std::string damaged = DataLack(original); !damaged.empty()) {
    throw ProgramDataFailure("Texel Forge's own data is damaged: its file \"" + original.string() +
                             "\" " + damaged + ". " + kInstallDataAgain);
  }
  throw ProgramDataFailure("Texel Forge's own data is damaged: its file \"" + copy.string() +
                           "\" " + lack + ". Close Texel Forge and start it again to restore it.");
}

void RequireWorkFolder(const Workbench& bench, AssetKind kind) {
  std::error_code error;
  const fs::path folder = bench.WorkFolder(kind);
  if (fs::is_directory(folder, error)) return;
  const fs::path appData = bench.ProgramFolder() / "AppData";
  if (std::optional<InstallationFault> fault = AppDataFault(appData)) throw *std::move(fault);
  InstanceLock::Probe(appData);
  throw StepFailure("This tab's working folder \"" + folder.string() +
                    "\" is missing. Close Texel Forge and start it again to restore it.");
}

}  // namespace texel
