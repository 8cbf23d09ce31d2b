// The page the face, hair and turf tabs share: the same six groups, named, captioned and placed
// by each tab's rows, and the steps of these tabs: the preview and the info labels of their one
// texture, the splice of the HD texture, and the packed save.
#pragma once

#include <array>
#include <functional>
#include <span>

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QWidget>

#include "frame.h"
#include "image_box.h"
#include "single_texture_steps.h"
#include "tab_page.h"
#include "workbench.h"

namespace texel {

enum class PageGroup { OpenFile, Preview, OpenTexture, HdDone, ExportTexture, FileInfo };

// A group's cell in the page's grid.
struct GroupPlace {
  PageGroup group;
  int row;
  int column;
  int rowSpan;
  int columnSpan;
};

enum class InfoValue { Width, Height, DdsType };

// One line of the file info group: its caption and the named label beside it.
struct InfoRow {
  InfoValue value;
  const char* caption;
  const char* name;
};

// A caption and the path box beside it; the "Open" press follows them.
struct PathRow {
  const char* caption;
  const char* pathBox;
};

struct PageDialogs {
  const char* open;
  const char* texture;
  const char* save;
  const char* exporting;
};

// One tab's page: every control name and caption, and the order its groups are made in.
struct SingleTexturePageRows {
  AssetKind kind;
  PageDialogs dialogs;
  PathRow file;
  PathRow texture;
  const char* preview;
  const char* hdOption;
  const char* hdOptionCaption;
  const char* exportCaption;
  FormatTrio formats;
  const char* infoCaption;
  std::array<InfoRow, 3> info;       // top to bottom
  std::array<GroupPlace, 6> groups;  // in the order they are made
};

// Face and hair: the preview down the left, the steps beside it.
inline constexpr std::array<GroupPlace, 6> kPreviewBesideSteps{{
    {PageGroup::OpenFile, 0, 0, 1, 2},
    {PageGroup::Preview, 1, 0, 4, 1},
    {PageGroup::OpenTexture, 1, 1, 1, 1},
    {PageGroup::HdDone, 2, 1, 1, 1},
    {PageGroup::ExportTexture, 3, 1, 1, 1},
    {PageGroup::FileInfo, 4, 1, 1, 1},
}};

// A tab's export: the dialog texts per format (PNG, JPG, DDS), whether PNG and JPG are
// converted before the dialog (else after a name was chosen), and what each save says.
struct ExportTexts {
  std::array<DialogText, 3> texts;
  bool convertBeforeDialog;
  std::array<SavedNotice, 3> notices;
};

// A size value of a standard texture and the HD value that replaces it.
struct SizePatch {
  int32_t standard;
  int32_t hd;
};

// The rebuild around the picked HD texture: the size values patched throughout the work file,
// then the splice; without "DDS " in the work file the row's message ends it.
struct SpliceBuildRow {
  const char* workFile;
  const char* newTexture;
  std::span<const SizePatch> patches;
  MessageRow noDds;
};

// Face and hair: both work files there, the option set, the splice, then the packed save.
struct PackedBuildRow {
  SpliceBuildRow splice;
  MessageRow filesMissing;
  DialogText save;
  const char* result;  // the packed file renamed, copied to the user's name
};

class SingleTextureTab : public TabPage {
 protected:
  SingleTextureTab(Workbench& bench, const SingleTexturePageRows& rows, TabPresses presses);

  // The texture cut from the work file `source` into `texture`; its bitmap in the preview.
  void ShowPreview(const char* source, const char* texture, const char* bitmap);
  // The last DXT type found in `scanned`, and the bitmap's size.
  void ShowTextureInfo(const char* scanned, FourCcStride stride, const char* bitmap);

  // The HD texture pick: its one dialog, then the path box and the copy in the row's order.
  void OnPickOneHdTexture(const DialogText& text, const char* target, bool pathBoxFirst);

  // Patches and splices; false when the row's message ended the build.
  bool BuildSpliced(const SpliceBuildRow& row);
  // Face and hair: the work file and the new texture there and the HD option set; otherwise
  // the row's message.
  bool ReadyToBuild(const PackedBuildRow& row);
  // Face and hair: the spliced work file packed and offered for saving as the row's result.
  void OfferPackedSave(const PackedBuildRow& row);

  // The export press on the DDS work file `texture`.
  void ExportTexture(const char* texture, const ExportTexts& texts);

  ui::CommonDialog m_textureDialog;
  ui::CommonDialog m_exportDialog;
  QLineEdit* m_texturePath = nullptr;
  QLabel* m_width = nullptr;
  QLabel* m_height = nullptr;
  QLabel* m_ddsType = nullptr;

 private:
  void BuildPage(const SingleTexturePageRows& rows, const TabPresses& presses);
};

}  // namespace texel
