// What every tab's page is made of, whichever family it belongs to: the path rows with their
// "Open" press, the HD option group, the PNG/JPG/DDS export options, the guarded connection of
// every control's handler, and the steps every tab takes with them: open a game file, check the
// HD option, pick HD textures, export a texture, and clear the view when an open fails.
#pragma once

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include "frame.h"
#include "image_box.h"
#include "workbench.h"

namespace texel {

// The PNG, JPG and DDS options, in this order.
using FormatTrio = std::array<const char*, 3>;

// Every format's save reports "Save Succesfull" with the path.
inline constexpr std::array<SavedNotice, 3> kSavedWithPath = {
    SavedNotice::WithPath, SavedNotice::WithPath, SavedNotice::WithPath};

// The four presses of every tab: open the game file, pick the HD texture(s), create the HD
// file, export a texture.
struct TabPresses {
  PressRow open;
  PressRow pick;
  PressRow create;
  PressRow exportTexture;
};

class TabPage : public QWidget {
 protected:
  TabPage(Workbench& bench, AssetKind kind, const char* openDialog, const char* saveDialog);

  fs::path Work(const char* name) const { return m_bench.WorkFolder(m_kind) / name; }
  // The copy of a shipped data file in this tab's working folder holds bytes.
  void RequireProgramData(const char* name) const {
    texel::RequireProgramData(m_bench, m_kind, name);
  }

  // Controls -----------------------------------------------------------------------------------
  // A push button whose handler runs under the guard, in the tab's working folder.
  QPushButton* MakePress(QWidget* parent, const PressRow& press, const QString& caption);
  // Any other control's handler (a thumbnail or a list click), under the guard.
  template <typename Sender, typename Signal>
  void OnSignal(Sender* sender, Signal signal, std::function<void()> handler) {
    ConnectGuarded(m_bench, sender, signal, std::move(handler));
  }
  // A caption and the read-only path box it names, on `line` of the group's grid.
  QLineEdit* PlacePathRow(QGroupBox* group, int line, const char* caption, const char* pathBox);
  // A group holding one path row and its "Open" press.
  QGroupBox* MakePathGroup(const QString& groupCaption, const char* caption, const char* pathBox,
                           const PressRow& open, QLineEdit** box);
  // The "Hd Done" group: the create press and the HD option beside it.
  QGroupBox* MakeHdDoneGroup(const QString& groupCaption, const PressRow& create,
                             const QString& createCaption, const char* option,
                             const QString& optionCaption);
  // The export press and the PNG, JPG and DDS options behind it, on `line` of the group's grid.
  void PlaceExportLine(QGroupBox* group, int line, const PressRow& press, const QString& caption,
                       const FormatTrio& formats);
  // An image or a value label that an open fills, and that a failed open clears.
  void ShowsPicture(ui::ImageBox* box) { m_pictures.push_back(box); }
  void ShowsValue(QLabel* label) { m_values.push_back(label); }
  // The work files an open derives from the user's file.
  void DerivesFromOpen(std::vector<fs::path> files) { m_derived = std::move(files); }

  // Steps ----------------------------------------------------------------------------------------
  // Open dialog -> path box -> copy over the work copy -> unpack it (packed files). False when
  // the dialog was cancelled. Should the press fail from the copy on, the derived work goes and
  // the view is cleared, so nothing of an earlier file passes for the new one.
  bool OnOpenAssetBin(const DialogText& text, const char* workCopy, bool packed);
  // The HD option selected; otherwise `missing` is shown.
  bool OnCreateHdPress(const MessageRow& missing);
  // The picks in turn; a cancel ends the chain, and the picks before it stay done.
  void OnPickHdTextureSet(std::span<const PickStep> steps);
  // `work` was cut from the opened file: a failing export names that file and `texture`.
  void CutFromOpenedFile(const fs::path& work, const std::string& texture);
  // The export of the DDS work file `texture`: PNG and JPG copy the library's conversion beside
  // it, DDS the work file itself; per format its dialog, texts and notice.
  ExportRow ExportOf(const fs::path& texture, const std::array<ui::CommonDialog*, 3>& dialogs,
                     const std::array<DialogText, 3>& texts,
                     const std::array<SavedNotice, 3>& notices, bool convertBeforeDialog) const;
  void ClearView();

  Workbench& m_bench;
  ui::CommonDialog m_openDialog;
  ui::CommonDialog m_saveDialog;
  QLineEdit* m_filePath = nullptr;
  ui::ImageBox* m_preview = nullptr;
  QRadioButton* m_hdOption = nullptr;
  std::array<QRadioButton*, 3> m_formats{};

 private:
  // What an open has copied, while its press runs.
  struct Opened {
    QString chosen;
    fs::path workCopy;
  };
  void RunPress(const std::function<void()>& run);

  AssetKind m_kind;
  std::vector<ui::ImageBox*> m_pictures;
  std::vector<QLabel*> m_values;
  std::vector<fs::path> m_derived;
  std::optional<Opened> m_opened;
  std::map<fs::path, UserWords> m_origins;
};

}  // namespace texel
