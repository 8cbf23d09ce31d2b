// "Face HD": open a face file, refuse it when HD already, keep its bump texture, preview the
// face texture; rebuild around a 1024 x 1024 texture, pack and save; export the texture.
#include <QLineEdit>

#include "byte_range.h"
#include "child.h"
#include "face_bump.h"
#include "frame.h"
#include "single_tabs.h"
#include "single_texture_page.h"
#include "whole_file.h"

namespace texel {

namespace {

// Size values of a standard face and the HD values that replace them, in this order.
constexpr SizePatch kFaceSizePatches[] = {{87544, kHdSizeLarge}, {87528, kHdSizeSmall}};

// Work files in the face working folder.
constexpr const char* kWorkCopy = "Face.bin";
constexpr const char* kUnpacked = "Face.bin.unzlib";
constexpr const char* kHdResult = "Face-HD.bin";
constexpr const char* kBump = "Bump.dds";
constexpr const char* kTexture = "Face.dds";
constexpr const char* kPreview = "Face.dds.bmp";
constexpr const char* kNewTexture = "Face-New.dds";

// Dialogs and messages of the tab.
constexpr DialogText kOpenFaceDialog{"Open Gormla Face Bin", "Gormla Face Bin File (*.bin)|*.bin"};
constexpr DialogText kHdTextureDialog{"Open Hd Texture", "HD Texture (*.dds)|*.dds"};
constexpr DialogText kSaveHdDialog{"Save Gormla Hd Face", "Gormla Face Bin File (*.bin)|*.bin"};
constexpr ExportTexts kExport{{{{"Save Png Texture", "Png Texture (*.Png)|*.png"},
                                {"Save Jpg Texture", "Jpg Texture (*.Jpg)|*.Jpg"},
                                {"Save DDS Texture", "DDS Texture (*.DDS)|*.DDS"}}},
                              true,
                              kSavedWithPath};
constexpr PackedBuildRow kFaceBuild{
    {kUnpacked, kNewTexture, kFaceSizePatches, {"File's Not Found", ui::kInformationOk, nullptr}},
    {"Error In Proccess , File's Not Found", ui::kErrorOk, nullptr},
    kSaveHdDialog,
    kHdResult};

constexpr SingleTexturePageRows kFacePage{
    .kind = AssetKind::Face,
    .dialogs = {.open = "CD1", .texture = "CD2", .save = "CD3", .exporting = "CD4"},
    .file = {"Face Bin File :", "FacePath"},
    .texture = {"HD Texture :", "FHDT"},
    .preview = "ImgFace",
    .hdOption = "FaceHDOption",
    .hdOptionCaption = "1024 * 1024 Texture",
    .exportCaption = "Export Texture",
    .formats = {"FPNG", "FJPG", "FDDS"},
    .infoCaption = "Face File Info",
    .info = {{{InfoValue::Width, "Texture Width : ", "FaceTextureWidth"},
              {InfoValue::Height, "Texture Height : ", "FaceTextureHeight"},
              {InfoValue::DdsType, "DDS Type : ", "FaceDDSType"}}},
    .groups = kPreviewBesideSteps,
};

class FaceTab : public SingleTextureTab {
 public:
  explicit FaceTab(Workbench& bench)
      : SingleTextureTab(bench, kFacePage,
                         {{"cmdOpenFaceBin", [this] { OnOpenFaceBin(); }},
                          {"cmdOpenHDTexture", [this] { OnOpenHDTexture(); }},
                          {"FCreateHD", [this] { OnCreateHdFace(); }},
                          {"FExportTexture", [this] { OnExportFaceTexture(); }}}) {
    DerivesFromOpen({Work(kUnpacked), Work(kBump), Work(kTexture), Work(kPreview)});
    // The bump texture's position, carried from the open to the cut; not for the user.
    FB = ui::Child<QLineEdit>(this);
    FB->setObjectName("FB");
    FB->setReadOnly(true);
    FB->setVisible(false);
  }

 private:
  void OnOpenFaceBin();
  void CheckFaceAlreadyHd();
  void ExtractFacePreview() { ShowPreview(kUnpacked, kTexture, kPreview); }
  void ShowFaceTextureInfo() { ShowTextureInfo(kUnpacked, FourCcStride::EvenOffsets, kPreview); }
  void OnOpenHDTexture();
  void OnCreateHdFace();
  void RequireKeptBump();
  void OnExportFaceTexture();

  QLineEdit* FB = nullptr;
};

void FaceTab::OnOpenFaceBin() {
  if (!OnOpenAssetBin(kOpenFaceDialog, kWorkCopy, true)) return;
  CheckFaceAlreadyHd();
}

void FaceTab::CheckFaceAlreadyHd() {
  const fs::path unpacked = Work(kUnpacked);
  if (RefuseAlreadyHd(m_bench, unpacked)) return;

  FB->setText(ReadBumpOffset(unpacked));
  const int64_t position = FB->text().toLongLong();
  const std::vector<uint8_t> face = corvane::ReadWholeFile(unpacked);
  if (position < 1 || static_cast<uint64_t>(position) > face.size()) {
    throw StepFailure("The face file's bump texture offset (" + std::to_string(position - 1) +
                      ") lies outside the file (" + std::to_string(face.size()) + " bytes).");
  }
  corvane::WriteFileReplacing(Work(kBump), corvane::OldTarget::DroppedFirst,
                              {std::span(face).subspan(static_cast<size_t>(position - 1))});

  ExtractFacePreview();
  ShowFaceTextureInfo();
}

void FaceTab::OnOpenHDTexture() { OnPickOneHdTexture(kHdTextureDialog, kNewTexture, true); }

void FaceTab::OnCreateHdFace() {
  if (!ReadyToBuild(kFaceBuild)) return;
  RequireKeptBump();
  if (!BuildSpliced(kFaceBuild.splice)) return;
  AppendBumpToFace(m_bench.WorkFolder(AssetKind::Face));
  OfferPackedSave(kFaceBuild);
}

void FaceTab::RequireKeptBump() {
  // The bump texture is appended after the splice; without it the rebuild cannot finish, so
  // say so before any work file changes.
  if (!IsNonEmptyFile(Work(kBump))) {
    throw UserFacingFailure(
        "There is no bump texture to rebuild the face with: the face file opened last gave "
        "none (an HD face file keeps none). Open a standard face file first.",
        "Missing: " + Work(kBump).string());
  }
}

void FaceTab::OnExportFaceTexture() { ExportTexture(kTexture, kExport); }

}  // namespace

QWidget* CreateFaceTab(Workbench& bench, QWidget* parent) {
  return ui::Child<FaceTab>(parent, bench);
}

}  // namespace texel
