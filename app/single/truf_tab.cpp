// "Truf HD": the turf file is plain, not packed; it is patched and spliced in place around a
// 4096 x 2048 texture and saved as it stands.
#include "byte_range.h"
#include "child.h"
#include "frame.h"
#include "single_tabs.h"
#include "single_texture_page.h"

namespace texel {

namespace {

// Size values of a standard turf (2048 x 1024 DXT1 with twelve levels, and 16 and 56 more)
// and their HD values (4096 x 2048 with thirteen levels), replaced in this order.
constexpr SizePatch kTrufSizePatches[] = {
    {1398304, 5592608},
    {1398264, 5592568},
    {1398248, 5592552},
};

// One spelling for each work file, however the build names it.
constexpr const char* kWorkCopy = "Truf.bin";
constexpr const char* kTexture = "Truf.dds";
constexpr const char* kPreview = "Truf.dds.bmp";
constexpr const char* kNewTexture = "Truf-new.dds";

// Dialogs and messages of the tab.
constexpr DialogText kOpenTrufDialog{"Open Gormla Truf File", "Gormla Truf Bin File(*.bin)|*.bin"};
constexpr DialogText kHdTextureDialog{"Open Hd Truf Texture", "DDS Texture (*.DDS)|*.DDS"};
constexpr DialogText kSaveHdDialog{"Save Gormla Hd Truf", "Gormla Hd Ttuf(*.bin)|*.bin"};
constexpr ExportTexts kExport{{{{"Save Truf Texture", "Save Png Texture (*.Png)|*.png"},
                                {"Save Truf Texture", "Save Jpg Texture (*.Jpg)|*.jpg"},
                                {"Save Truf Texture", "Save DDS Texture (*.DDS)|*.DDS"}}},
                              true,
                              kSavedWithPath};
constexpr MessageRow kOptionMissing{"Select hd Option Please !", ui::kErrorOk, nullptr};
constexpr MessageRow kNotFound{"File of Truf Bin Or File of DDS Not Found", ui::kPlainOk,
                               kApplicationTitle};
constexpr MessageRow kBuilt{"Work's Finished Succesfull", ui::kInformationYesNo,
                            "Finish & Save Confirm..."};

constexpr SingleTexturePageRows kTrufPage{
    .kind = AssetKind::Truf,
    .dialogs = {.open = "CD33", .texture = "CD35", .save = "CD36", .exporting = "CD34"},
    .file = {"Truf Bin File :", "TurfPath"},
    .texture = {"Truf Texture :", "trufTexturePath"},
    .preview = "imgTruf",
    .hdOption = "Truf_HD_Option",
    .hdOptionCaption = "4096 * 2048 Texture",
    .exportCaption = "Export",
    .formats = {"TPNG", "TJPG", "TDDS"},
    .infoCaption = "Truf  File Info",
    .info = {{{InfoValue::DdsType, "DDS Type : ", "Truf_DDS"},
              {InfoValue::Height, "Height : ", "TTH"},
              {InfoValue::Width, "Width : ", "TTW"}}},
    .groups = {{{PageGroup::OpenFile, 0, 0, 1, 2},
                {PageGroup::OpenTexture, 1, 0, 1, 2},
                {PageGroup::ExportTexture, 2, 1, 1, 1},
                {PageGroup::Preview, 2, 0, 3, 1},
                {PageGroup::HdDone, 3, 1, 1, 1},
                {PageGroup::FileInfo, 4, 1, 1, 1}}},
};

class TrufTab : public SingleTextureTab {
 public:
  explicit TrufTab(Workbench& bench)
      : SingleTextureTab(bench, kTrufPage,
                         {{"cmdOpenTruf", [this] { OnOpenTruf(); }},
                          {"cmdOpenTrufTexture", [this] { OnOpenTrufTexture(); }},
                          {"cmd_CreateHD_Truf", [this] { OnCreateHdTruf(); }},
                          {"cmdExportTrufTexture", [this] { OnExportTrufTexture(); }}}) {
    DerivesFromOpen({Work(kTexture), Work(kPreview)});
  }

 private:
  void OnOpenTruf();
  void ShowTrufTextureInfo() { ShowTextureInfo(kWorkCopy, FourCcStride::EveryOffset, kPreview); }
  void OnOpenTrufTexture();
  void OnCreateHdTruf();
  void BuildHdTruf();
  void OnExportTrufTexture();
};

void TrufTab::OnOpenTruf() {
  if (!OnOpenAssetBin(kOpenTrufDialog, kWorkCopy, false)) return;
  ShowPreview(kWorkCopy, kTexture, kPreview);
  ShowTrufTextureInfo();
}

void TrufTab::OnOpenTrufTexture() { OnPickOneHdTexture(kHdTextureDialog, kNewTexture, false); }

void TrufTab::OnCreateHdTruf() {
  if (!OnCreateHdPress(kOptionMissing)) return;
  BuildHdTruf();
}

void TrufTab::BuildHdTruf() {
  // Nothing opened or no texture picked: nothing to build, and no empty work file made.
  if (!IsNonEmptyFile(Work(kWorkCopy)) || !IsNonEmptyFile(Work(kNewTexture))) {
    m_bench.Show(kNotFound);
    return;
  }
  if (!BuildSpliced({kWorkCopy, kNewTexture, kTrufSizePatches, kNotFound})) return;
  OfferSaveHd(m_bench, {kBuilt, &m_saveDialog, kSaveHdDialog, Work(kWorkCopy), Packing::None,
                        Work(kWorkCopy)});
}

void TrufTab::OnExportTrufTexture() { ExportTexture(kTexture, kExport); }

}  // namespace

QWidget* CreateTrufTab(Workbench& bench, QWidget* parent) {
  return ui::Child<TrufTab>(parent, bench);
}

}  // namespace texel
