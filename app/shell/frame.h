// The shapes every tab fills with its rows: open a game file, the create press that wants the
// HD option, the chain of HD texture picks, the offer to save a rebuilt file, and the export of
// a texture (the single texture of a tab, or the slot chosen in a list).
#pragma once

#include <filesystem>
#include <functional>
#include <span>
#include <vector>

#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QString>

#include "tab_steps.h"
#include "workbench.h"

namespace texel {

// What an open derives from the file in the tab's folder, and how the tab shows it: an open
// that fails part-way removes these files and clears the view, so nothing of the earlier file
// is left for a later build or export to take for the new one.
struct DerivedWork {
  std::vector<fs::path> files;
  std::function<void()> clearView;
};
// Runs `step` on the user's file `chosen`, copied to `workCopy`; on a failure removes the
// derived work, clears the view and passes the failure on, told with the user's file in place
// of the work files that stand for it.
void RunOpenStep(const DerivedWork& derived, const QString& chosen, const fs::path& workCopy,
                 const std::function<void()>& step);

// Open dialog -> path box -> copy over the work copy -> unpack it -> the tab's next step.
struct OpenAssetRow {
  ui::CommonDialog* dialog;
  DialogText text;
  QLineEdit* pathBox;
  fs::path workCopy;
  std::function<void()> nextStep;
  DerivedWork derived;
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

// One pick of a chain: dialog, then the path box and the copy over `target`, in the row's
// order.
struct PickStep {
  ui::CommonDialog* dialog;
  DialogText text;
  QLineEdit* pathBox;
  fs::path target;
  bool pathBoxFirst;
};
// The picks in turn; a cancel ends the chain, and the picks before it stay done. A chosen file
// that is not a DDS texture is refused (nothing copied for it) and ends the chain too.
void OnPickHdTextureSet(Workbench& bench, std::span<const PickStep> steps);

// Question (Yes/No) -> save dialog -> pack step (face, hair) -> copy the result -> "Save
// Succesfull". The copy replaces the target whole or leaves it untouched.
struct SaveHdRow {
  QString question;       // first line; the second is "Do You Want Save ?"
  QString questionTitle;  // Caption() or a literal
  ui::CommonDialog* dialog;
  DialogText text;
  std::function<void()> packStep;  // may be empty
  fs::path resultFile;
};
void OfferSaveHd(Workbench& bench, const SaveHdRow& row);

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

// A push button, the name of the handler it runs, and the handler: written together so that a
// name and its code cannot drift apart.
struct PressRow {
  const char* button;
  const char* handler;
  std::function<void()> run;
};

// What a press was, in the window's words: the tab, the button and its group, for example
// `Ball HD — "Open" (Open File)`.
QString ActionWords(const QWidget* control);

// Runs one handler with the wait cursor: any failure becomes an error box (error icon, the
// window caption) saying what the user was doing, then why in plain words, then the library
// call for a bug report where one failed; the program goes on.
void RunGuarded(Workbench& bench, const QString& doing, const std::function<void()>& body);

}  // namespace texel
