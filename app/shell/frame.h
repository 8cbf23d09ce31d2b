// The shapes every tab fills with its rows: a pick of an HD texture, the pack and the offer to
// save a rebuilt file, and the export of a texture (the single texture of a tab, or the slot
// chosen in a list). The page that holds a tab's controls is tab_page.h.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QString>

#include "handler_guard.h"
#include "tab_steps.h"
#include "workbench.h"

namespace texel {

// A push button's name and the handler it runs.
struct PressRow {
  const char* button;
  std::function<void()> run;
};

// One pick of a chain: dialog, then the path box and the copy over `target`, in the row's
// order.
struct PickStep {
  ui::CommonDialog* dialog;
  DialogText text;
  QLineEdit* pathBox;
  fs::path target;
  bool pathBoxFirst;
};
// The pick's dialog and copy; the chosen name, empty after a cancel. A chosen file that is not
// a DDS texture is refused and nothing is copied for it.
QString PickHdTexture(Workbench& bench, const PickStep& step);

// When the rebuilt work file is packed (its name + ".zlib").
enum class Packing {
  None,               // saved as it stands (turf)
  BeforeQuestion,     // the model tabs
  AfterChoosingName,  // face and hair: then renamed to the result's name
};

// Question (Yes/No) -> save dialog -> the result copied to the chosen name -> "Save
// Succesfull", with the pack where the row puts it.
struct SaveHdRow {
  MessageRow question;  // its first line; the second is "Do You Want Save ?"
  ui::CommonDialog* dialog;
  DialogText text;
  fs::path built;
  Packing packing;
  fs::path result;  // what is copied to the user's name
};
void OfferSaveHd(Workbench& bench, const SaveHdRow& row);

// Copies `result` over the user's `chosen` file: replaced whole or left as it was. A failure
// there says in words what failed and that the old file was kept.
void SaveCopy(Workbench& bench, const fs::path& result, const QString& chosen);

enum class Conversion { None, Png, Jpg };

// What an export says once the file is saved.
enum class SavedNotice {
  None,
  WithPath,  // "Save Succesfull" and the path, under the window caption
  Plain,     // "Save SuccessFull" alone, under the application's title
};

struct ExportFormatRow {
  QRadioButton* option;
  ui::CommonDialog* dialog;
  DialogText text;
  Conversion conversion;
  fs::path copied;  // the intermediate, or the DDS work file itself
  SavedNotice notice;
};
// The first selected option decides (the options are one group); none selected does nothing.
struct ExportRow {
  fs::path texture;  // the DDS work file the conversions read
  bool convertBeforeDialog;
  std::vector<ExportFormatRow> formats;
  std::optional<UserWords> origin;  // where the texture came from, for a failing conversion
};
void OnExportSingleTexture(Workbench& bench, const ExportRow& row);

// The model tabs' export: the list's selected text chooses the slot whose row is exported; no
// selection does nothing.
struct SlotExport {
  QString listText;
  ExportRow row;
};
void OnExportSlotTexture(Workbench& bench, const QListWidget* list,
                         std::span<const SlotExport> slotRows);

}  // namespace texel
