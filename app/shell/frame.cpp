#include "frame.h"

#include <array>
#include <cerrno>
#include <system_error>

#include "binary_file.h"
#include "byte_range.h"
#include "output_name.h"
#include "work_folder_fault.h"

namespace texel {

namespace {

void Convert(Workbench& bench, Conversion conversion, const fs::path& texture) {
  switch (conversion) {
    case Conversion::Png:
      bench.LibImage().Corvane_DDS2PNG(texture);
      break;
    case Conversion::Jpg:
      bench.LibImage().Corvane_DDS2JPG(texture);
      break;
    case Conversion::None:
      break;
  }
}

// A failing conversion names the texture as the user knows it, not its work copy.
void ConvertTold(Workbench& bench, Conversion conversion, const ExportRow& row) {
  try {
    Convert(bench, conversion, row.texture);
  } catch (const std::exception& error) {
    if (!row.origin) throw;
    // The conversion's own output lies in the working folder: its fault is no texture's.
    if (std::optional<UserFacingFailure> workFolder = WorkFolderFault(bench, error)) {
      throw *std::move(workFolder);
    }
    throw InUsersWords(error, {*row.origin});
  }
}

void SaveSuccessful(Workbench& bench, const QString& chosen) {
  bench.Message(TwoLines("Save Succesfull", chosen), ui::kInformationOk, bench.Caption());
}

bool BeginsWithDdsMagic(const fs::path& file) {
  std::array<uint8_t, 4> head{};
  corvane::BinaryFile in(file, corvane::BinaryFile::Mode::ReadOnly);
  return in.Read(head.data(), head.size()) == head.size() &&
         corvane::ReadInt32LE(head.data()) == corvane::kDdsMagic;
}

// Why a file could not be written there, as a user would say it.
std::string WhyNotWritten(const FileSystemError& error) {
  switch (error.Code().value()) {
    case EROFS:
      return "the folder is read-only";
    case EACCES:
    case EPERM:
      return "there is no permission to write in that folder";
    case ENOSPC:
    case EDQUOT:
      return "the disk is full";
    case EISDIR:
      return "it is a folder";
    default:
      return error.Code() ? error.Code().message() : error.what();
  }
}

}  // namespace

QString PickHdTexture(Workbench& bench, const PickStep& step) {
  const QString chosen = ShowFileDialog(*step.dialog, step.text, ui::DialogKind::Open);
  if (chosen.isEmpty()) return chosen;
  RequireRegularFile(ToPath(chosen));
  // A file of another kind would be spliced into the game file as it is and break it.
  if (!BeginsWithDdsMagic(ToPath(chosen))) {
    throw StepFailure("\"" + chosen.toStdString() +
                      "\" is not a DDS texture (it does not begin with \"DDS \"); nothing "
                      "was taken from it.");
  }
  if (step.pathBoxFirst) step.pathBox->setText(chosen);
  bench.FileSystem().CopyFile(ToPath(chosen), step.target);
  if (!step.pathBoxFirst) step.pathBox->setText(chosen);
  return chosen;
}

void OfferSaveHd(Workbench& bench, const SaveHdRow& row) {
  const fs::path packed = corvane::SuffixedOutputName(row.built, ".zlib");
  if (row.packing == Packing::BeforeQuestion) bench.LibPack().Corvane_Pack(row.built);
  if (bench.Show(row.question, "Do You Want Save ?") != ui::kYes) return;
  const QString chosen = ShowFileDialog(*row.dialog, row.text, ui::DialogKind::Save);
  if (chosen.isEmpty()) return;
  if (row.packing == Packing::AfterChoosingName) {
    bench.LibPack().Corvane_Pack(row.built);
    bench.FileSystem().MoveFile(packed, row.result);
  }
  SaveCopy(bench, row.result, chosen);
  SaveSuccessful(bench, chosen);
}

void SaveCopy(Workbench& bench, const fs::path& result, const QString& chosen) {
  const fs::path target = ToPath(chosen);
  std::error_code ignored;
  const bool existed = fs::exists(target, ignored);
  try {
    // Through a temporary file beside the target, so an existing target is never deleted
    // ahead of it.
    bench.FileSystem().CopyFile(result, target);
  } catch (const FileSystemError& error) {
    if (error.Path() != target) throw;
    // A pipe or a device is told as the opens tell it; it is left exactly as it was.
    if (error.Standing() != nullptr) {
      throw UserFacingFailure("Could not save the file: \"" + target.string() + "\" is " +
                                  error.Standing() + ", not a file. Nothing was written.",
                              error.what());
    }
    throw UserFacingFailure(
        "Could not save the file \"" + target.string() + "\": " + WhyNotWritten(error) + ". " +
            (existed ? "The file that was there is kept as it was." : "Nothing was written."),
        error.what());
  }
}

void OnExportSingleTexture(Workbench& bench, const ExportRow& row) {
  const ExportFormatRow* format = nullptr;
  for (const ExportFormatRow& candidate : row.formats) {
    if (candidate.option != nullptr && candidate.option->isChecked()) {
      format = &candidate;
      break;
    }
  }
  if (format == nullptr) return;
  std::error_code missing;
  if (!fs::is_regular_file(row.texture, missing)) {
    throw UserFacingFailure("There is no texture to export yet: open a file on this tab first.",
                            "Missing: " + row.texture.string());
  }
  if (row.convertBeforeDialog) ConvertTold(bench, format->conversion, row);
  const QString chosen = ShowFileDialog(*format->dialog, format->text, ui::DialogKind::Save);
  if (chosen.isEmpty()) return;
  if (!row.convertBeforeDialog) ConvertTold(bench, format->conversion, row);
  SaveCopy(bench, format->copied, chosen);
  switch (format->notice) {
    case SavedNotice::WithPath:
      SaveSuccessful(bench, chosen);
      break;
    case SavedNotice::Plain:
      bench.Message("Save SuccessFull", ui::kInformationOk, kApplicationTitle);
      break;
    case SavedNotice::None:
      break;
  }
}

void OnExportSlotTexture(Workbench& bench, const QListWidget* list,
                         std::span<const SlotExport> slotRows) {
  const QListWidgetItem* item = list->currentItem();
  if (item == nullptr || !item->isSelected()) return;
  for (const SlotExport& slot : slotRows) {
    if (item->text() == slot.listText) {
      OnExportSingleTexture(bench, slot.row);
      return;
    }
  }
}

}  // namespace texel
