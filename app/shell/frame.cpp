#include "frame.h"

#include <array>
#include <exception>
#include <fstream>
#include <system_error>

namespace texel {

namespace {

constexpr std::array<char, 4> kDdsMagic = {'D', 'D', 'S', ' '};

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

void SaveSuccessful(Workbench& bench, const QString& chosen) {
  bench.Message(TwoLines("Save Succesfull", chosen), ui::kInformationOk, bench.Caption());
}

bool BeginsWithDdsMagic(const fs::path& file) {
  std::array<char, 4> head{};
  std::ifstream in(file, std::ios::binary);
  return in.read(head.data(), head.size()) && head == kDdsMagic;
}

}  // namespace

void RunOpenStep(const DerivedWork& derived, const std::function<void()>& step) {
  try {
    step();
  } catch (...) {
    for (const fs::path& file : derived.files) {
      std::error_code ignored;
      fs::remove(file, ignored);
    }
    if (derived.clearView) derived.clearView();
    throw;
  }
}

void OnOpenAssetBin(Workbench& bench, const OpenAssetRow& row) {
  const QString chosen = ShowFileDialog(*row.dialog, row.text, ui::DialogKind::Open);
  if (chosen.isEmpty()) return;
  row.pathBox->setText(chosen);
  bench.FileSystem().CopyFile(ToPath(chosen), row.workCopy);
  RunOpenStep(row.derived, [&] {
    bench.LibUnpack().Corvane_UnPack(row.workCopy);
    if (row.nextStep) row.nextStep();
  });
}

void OnCreateHdPress(Workbench& bench, const CreateHdRow& row) {
  if (row.option->isChecked()) {
    row.build();
    return;
  }
  bench.Message(row.message, row.style, row.title);
}

void OnPickHdTextureSet(Workbench& bench, std::span<const PickStep> steps) {
  for (const PickStep& step : steps) {
    const QString chosen = ShowFileDialog(*step.dialog, step.text, ui::DialogKind::Open);
    if (chosen.isEmpty()) return;
    // A file of another kind would be spliced into the game file as it is and break it.
    if (!BeginsWithDdsMagic(ToPath(chosen))) {
      throw StepFailure("\"" + chosen.toStdString() +
                        "\" is not a DDS texture (it does not begin with \"DDS \"); nothing "
                        "was taken from it.");
    }
    if (step.pathBoxFirst) step.pathBox->setText(chosen);
    bench.FileSystem().CopyFile(ToPath(chosen), step.target);
    if (!step.pathBoxFirst) step.pathBox->setText(chosen);
  }
}

void OfferSaveHd(Workbench& bench, const SaveHdRow& row) {
  const ui::Answer answer = bench.Message(TwoLines(row.question, "Do You Want Save ?"),
                                          ui::kInformationYesNo, row.questionTitle);
  if (answer != ui::kYes) return;
  const QString chosen = ShowFileDialog(*row.dialog, row.text, ui::DialogKind::Save);
  if (chosen.isEmpty()) return;
  if (row.packStep) row.packStep();
  // The copy goes through a temporary file beside the target, so an existing target is never
  // deleted ahead of it: a failing copy leaves the user's file as it was.
  bench.FileSystem().CopyFile(row.resultFile, ToPath(chosen));
  SaveSuccessful(bench, chosen);
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
  if (row.convertBeforeDialog) Convert(bench, format->conversion, row.texture);
  const QString chosen = ShowFileDialog(*format->dialog, format->text, ui::DialogKind::Save);
  if (chosen.isEmpty()) return;
  if (!row.convertBeforeDialog) Convert(bench, format->conversion, row.texture);
  bench.FileSystem().CopyFile(format->copied, ToPath(chosen));
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

void RunGuarded(Workbench& bench, const char* handler, const std::function<void()>& body) {
  try {
    body();
  } catch (const std::exception& error) {
    // The work done before the failure stays as it is; the window goes on.
    bench.Message(TwoLines(QString::fromLatin1(handler) + " could not finish:",
                           QString::fromStdString(error.what())),
                  ui::kErrorOk, bench.Caption());
  }
}

}  // namespace texel
