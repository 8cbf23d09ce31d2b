#include "frame.h"

#include <exception>

namespace texel {

namespace {

fs::path ToPath(const QString& name) { return fs::path(name.toStdString()); }

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

}  // namespace

void OnOpenAssetBin(Workbench& bench, const OpenAssetRow& row) {
  row.dialog->DialogTitle = row.title;
  row.dialog->Filter = row.filter;
  row.dialog->ShowOpen();
  const QString chosen = row.dialog->FileName;
  if (chosen.isEmpty()) return;
  row.pathBox->setText(chosen);
  bench.FileSystem().CopyFile(ToPath(chosen), row.workCopy);
  bench.LibUnpack().Corvane_UnPack(row.workCopy);
  if (row.nextStep) row.nextStep();
}

void OnCreateHdPress(Workbench& bench, const CreateHdRow& row) {
  if (row.option->isChecked()) {
    row.build();
    return;
  }
  bench.Message(row.message, row.style, row.title);
}

void OfferSaveHd(Workbench& bench, const SaveHdRow& row) {
  const ui::Answer answer = bench.Message(TwoLines(row.question, "Do You Want Save ?"),
                                          ui::kInformationYesNo, row.questionTitle);
  if (answer != ui::kYes) return;
  row.dialog->DialogTitle = row.title;
  row.dialog->Filter = row.filter;
  row.dialog->ShowSave();
  const QString chosen = row.dialog->FileName;
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
  row.dialog->DialogTitle = format->title;
  row.dialog->Filter = format->filter;
  row.dialog->ShowSave();
  const QString chosen = row.dialog->FileName;
  if (chosen.isEmpty()) return;
  if (!row.convertBeforeDialog) Convert(bench, format->conversion, row.texture);
  bench.FileSystem().CopyFile(format->copied, ToPath(chosen));
  if (format->showMessage) SaveSuccessful(bench, chosen);
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
