#include "frame.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <exception>
#include <fstream>
#include <optional>
#include <system_error>

#include <QAbstractButton>
#include <QGroupBox>
#include <QTabWidget>

#include "busy_cursor.h"
#include "com/error.h"

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

// A failure told as the user reads it: why, and what failed for a bug report.
struct Told {
  std::string reason;
  std::string detail;
};

// A failure on the user's chosen file, told in its name.
class UserFileFailure : public std::runtime_error {
 public:
  UserFileFailure(const std::string& reason, std::string detail)
      : std::runtime_error(reason), m_detail(std::move(detail)) {}
  const std::string& Detail() const { return m_detail; }

 private:
  std::string m_detail;
};

Told Tell(const std::exception& error) {
  if (const auto* failure = dynamic_cast<const UserFileFailure*>(&error)) {
    return {failure->what(), failure->Detail()};
  }
  if (const auto* com = dynamic_cast<const com::Error*>(&error)) {
    // "Method: description"
    const std::string text = com->what();
    const size_t colon = text.find(": ");
    char code[16];
    std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(com->Code()));
    if (colon == std::string::npos) return {text, std::string("Result ") + code};
    return {text.substr(colon + 2), text.substr(0, colon) + " failed, result " + code};
  }
  return {error.what(), {}};
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  if (from.empty()) return;
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

// The work files stand for the user's file; the reason names that one.
UserFileFailure OnUsersFile(const std::exception& error, const QString& chosen,
                            std::vector<fs::path> workFiles) {
  Told told = Tell(error);
  const std::string user = chosen.toStdString();
  // Longest first, so "Face.bin.unzlib" goes before "Face.bin".
  std::sort(workFiles.begin(), workFiles.end(), [](const fs::path& a, const fs::path& b) {
    return a.string().size() > b.string().size();
  });
  for (const fs::path& file : workFiles) ReplaceAll(told.reason, file.string(), user);
  if (told.reason.find(user) == std::string::npos) {
    told.reason = "\"" + user + "\": " + told.reason;
  }
  return UserFileFailure(told.reason, told.detail);
}

QString TabCaptionOf(const QWidget* control) {
  for (const QWidget* w = control; w != nullptr; w = w->parentWidget()) {
    const QWidget* stack = w->parentWidget();
    const auto* tabs =
        stack != nullptr ? qobject_cast<const QTabWidget*>(stack->parentWidget()) : nullptr;
    if (tabs != nullptr) return tabs->tabText(tabs->indexOf(const_cast<QWidget*>(w)));
  }
  return {};
}

}  // namespace

void RunOpenStep(const DerivedWork& derived, const QString& chosen, const fs::path& workCopy,
                 const std::function<void()>& step) {
  try {
    step();
  } catch (const std::exception& error) {
    for (const fs::path& file : derived.files) {
      std::error_code ignored;
      fs::remove(file, ignored);
    }
    if (derived.clearView) derived.clearView();
    std::vector<fs::path> workFiles = derived.files;
    workFiles.push_back(workCopy);
    throw OnUsersFile(error, chosen, std::move(workFiles));
  }
}

void OnOpenAssetBin(Workbench& bench, const OpenAssetRow& row) {
  const QString chosen = ShowFileDialog(*row.dialog, row.text, ui::DialogKind::Open);
  if (chosen.isEmpty()) return;
  row.pathBox->setText(chosen);
  bench.FileSystem().CopyFile(ToPath(chosen), row.workCopy);
  RunOpenStep(row.derived, chosen, row.workCopy, [&] {
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
  std::error_code missing;
  if (!fs::is_regular_file(row.texture, missing)) {
    throw StepFailure("There is no texture to export yet (\"" + row.texture.string() +
                      "\" is missing): open a file on this tab first.");
  }
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

QString ActionWords(const QWidget* control) {
  QString words;
  const QString tab = TabCaptionOf(control);
  if (!tab.isEmpty()) words = tab + " \u2014 ";
  const auto* button = qobject_cast<const QAbstractButton*>(control);
  const QString name = button != nullptr ? button->text() : control->accessibleName();
  words += "\"" + name + "\"";
  for (const QWidget* w = control->parentWidget(); w != nullptr; w = w->parentWidget()) {
    if (const auto* group = qobject_cast<const QGroupBox*>(w)) {
      if (!group->title().isEmpty() && group->title() != name) {
        words += " (" + group->title() + ")";
      }
      break;
    }
  }
  return words;
}

void RunGuarded(Workbench& bench, const QString& doing, const std::function<void()>& body) {
  std::optional<Told> failed;
  {
    const ui::BusyCursor busy;
    try {
      body();
    } catch (const std::exception& error) {
      failed = Tell(error);
    }
  }
  if (!failed) return;
  // The work done before the failure stays as it is; the window goes on.
  QString text = TwoLines(doing + " could not finish.", QString::fromStdString(failed->reason));
  if (!failed->detail.empty()) text = TwoLines(text, QString::fromStdString(failed->detail));
  bench.Message(text, ui::kErrorOk, bench.Caption());
}

}  // namespace texel
