// "Hair HD": the face tab's work for a hair file, without a bump texture.
#include "byte_range.h"
#include "child.h"
#include "frame.h"
#include "single_tabs.h"
#include "single_texture_page.h"

namespace texel {

namespace {

// Size values of a standard hair file (512 x 512 DXT5 with ten levels, and 16 more) and the
// HD values that replace them, in this order.
constexpr SizePatch kHairSizePatches[] = {{349696, kHdSizeLarge}, {349680, kHdSizeSmall}};

constexpr const char* kWorkCopy = "Hair.bin";
constexpr const char* kUnpacked = "Hair.bin.unzlib";
constexpr const char* kHdResult = "Hair-HD.bin";
constexpr const char* kTexture = "Hair.dds";
constexpr const char* kPreview = "Hair.dds.bmp";
constexpr const char* kNewTexture = "Hair-New.dds";

// Dialogs and messages of the tab; its open and export filters have no blank before "(".
constexpr DialogText kOpenHairDialog{"Open Gormla Hair Bin", "Gormla Hair Bin File(*.bin)|*.bin"};
constexpr DialogText kHdTextureDialog{"Open Hd Texture", "HD Texture (*.dds)|*.dds"};
constexpr DialogText kSaveHdDialog{"Save Gormla Hd Hair", "Gormla Hair Bin File (*.bin)|*.bin"};
constexpr ExportTexts kExport{{{{"Save Png Hair Texture", "Png Texture(*.Png)|*.png"},
                                {"Save Jpg Hair Texture", "Jpg Texture(*.Jpg)|*.jpg"},
                                {"Save DDS Hair Texture", "DDS Texture(*.DDS)|*.DDS"}}},
                              false,  // converts after a name was chosen
                              {SavedNotice::WithPath, SavedNotice::WithPath, SavedNotice::None}};
constexpr MessageRow kFilesNotFound{"File's Not Found", ui::kInformationOk, nullptr};
constexpr PackedBuildRow kHairBuild{{kUnpacked, kNewTexture, kHairSizePatches, kFilesNotFound},
                                    kFilesNotFound,
                                    kSaveHdDialog,
                                    kHdResult};

constexpr SingleTexturePageRows kHairPage{
    .kind = AssetKind::Hair,
    .dialogs = {.open = "CD5", .texture = "CD6", .save = "CD7", .exporting = "CD8"},
    .file = {"Hair Bin File :", "HairBin"},
    .texture = {"HD Texture :", "HTexture"},
    .preview = "ImgHair",
    .hdOption = "HairHDOption",
    .hdOptionCaption = "1024 * 1024 Texture",
    .exportCaption = "Export Texture",
    .formats = {"HPNG", "HJPG", "HDDS"},
    .infoCaption = "Hair File Info",
    .info = {{{InfoValue::DdsType, "DDS Type : ", "HDDSType"},
              {InfoValue::Height, "Texture Height : ", "HTextureHeight"},
              {InfoValue::Width, "Texture Width : ", "HTextureWidth"}}},
    .groups = kPreviewBesideSteps,
};

class HairTab : public SingleTextureTab {
 public:
  explicit HairTab(Workbench& bench)
      : SingleTextureTab(bench, kHairPage,
                         {{"cmdHairOpen", [this] { OnHairOpen(); }},
                          {"cmdHairTextureOpen", [this] { OnHairTextureOpen(); }},
                          {"CreateHdHair", [this] { OnCreateHdHair(); }},
                          {"ExportHairtexture", [this] { OnExportHairtexture(); }}}) {
    DerivesFromOpen({Work(kUnpacked), Work(kTexture), Work(kPreview)});
  }

 private:
  void OnHairOpen();
  void CheckHairAlreadyHd();
  void ExtractHairPreview() { ShowPreview(kUnpacked, kTexture, kPreview); }
  void ShowHairTextureInfo() { ShowTextureInfo(kUnpacked, FourCcStride::EvenOffsets, kPreview); }
  void OnHairTextureOpen();
  void OnCreateHdHair();
  void OnExportHairtexture();
};

void HairTab::OnHairOpen() {
  if (!OnOpenAssetBin(kOpenHairDialog, kWorkCopy, true)) return;
  CheckHairAlreadyHd();
}

void HairTab::CheckHairAlreadyHd() {
  if (RefuseAlreadyHd(m_bench, Work(kUnpacked))) return;
  ExtractHairPreview();
  ShowHairTextureInfo();
}

void HairTab::OnHairTextureOpen() { OnPickOneHdTexture(kHdTextureDialog, kNewTexture, true); }

void HairTab::OnCreateHdHair() {
  if (!ReadyToBuild(kHairBuild)) return;
  if (!BuildSpliced(kHairBuild.splice)) return;
  OfferPackedSave(kHairBuild);
}

void HairTab::OnExportHairtexture() { ExportTexture(kTexture, kExport); }

}  // namespace

QWidget* CreateHairTab(Workbench& bench, QWidget* parent) {
  return ui::Child<HairTab>(parent, bench);
}

}  // namespace texel
