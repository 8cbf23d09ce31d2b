// The shapes every tab fills with its rows: open a game file, the create press that wants the
// HD option, the offer to save a rebuilt file, and the export of a single texture.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include <QLineEdit>
#include <QRadioButton>
#include <QString>

#include "workbench.h"

namespace texel {

// Open dialog -> path box -> copy over the work copy -> unpack it -> the tab's next step.
struct OpenAssetRow {
  ui::CommonDialog* dialog;
  QString title;
  QString filter;
  QLineEdit* pathBox;
  fs::path workCopy;
  std::function<void()> nextStep;
};
void OnOpenAssetBin(Workbench& bench, const OpenAssetRow& row);

// The HD option selected: build; otherwise the row's message.
struct CreateHdRow {
  QRadioButton* option;
  QString message;
  int style;
  QString title;
  std::function<void()> build;
};
void OnCreateHdPress(Workbench& bench, const CreateHdRow& row);

// Question (Yes/No) -> save dialog -> pack step (face, hair) -> copy the result -> "Save
// Succesfull". The copy replaces the target whole or leaves it untouched.
struct SaveHdRow {
  QString question;       // first line; the second is "Do You Want Save ?"
  QString questionTitle;  // Caption() or a literal
  ui::CommonDialog* dialog;
  QString title;
  QString filter;
  std::function<void()> packStep;  // may be empty
  fs::path resultFile;
};
void OfferSaveHd(Workbench& bench, const SaveHdRow& row);

enum class Conversion { None, Png, Jpg };

struct ExportFormatRow {
  QRadioButton* option;
  QString title;
  QString filter;
  Conversion conversion;
  fs::path copied;   // the intermediate, or the DDS work file itself
  bool showMessage;  // "Save Succesfull" and the path
};
// The first selected option decides; none selected does nothing.
struct ExportRow {
  ui::CommonDialog* dialog;
  fs::path texture;  // the DDS work file the conversions read
  bool convertBeforeDialog;
  std::vector<ExportFormatRow> formats;
};
void OnExportSingleTexture(Workbench& bench, const ExportRow& row);

// Runs one handler: any failure becomes an error box (error icon, the window caption) saying
// which handler failed and why, and the program goes on.
void RunGuarded(Workbench& bench, const char* handler, const std::function<void()>& body);

}  // namespace texel
