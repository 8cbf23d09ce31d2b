// "Boot Hd": a boot file is classified by its head up to the F0 FF FF FF that ends it, split
// into three textures and its model section, and rebuilt from template pieces around three
// 1024 x 512 textures, the model section carried whole behind them.
#include "byte_range.h"
#include "child.h"
#include "model_tabs.h"
#include "model_texture_page.h"

namespace texel {

namespace {

constexpr const char* kHdTexture = "texture-hd.dds";
constexpr const char* kHdBump = "bump-hd.dds";
constexpr const char* kHdHTexture = "htexture-hd.dds";

// A click on a thumbnail runs OnThumbnailClick with its row.
constexpr ThumbnailRow kThumbnails[] = {
    {"ImgBoot2", "Label5", "256 * 256"},  // OnImgBoot2Click
    {"ImgBoot3", "Label6", "256 * 128"},  // OnImgBoot3Click
    {"ImgBoot4", "Label7", "128 * 128"},  // OnImgBoot4Click
};

constexpr PickRow kPicks[] = {
    {"CD18", {"Open Boot Hd Texture", kPickFilters[0]}, "Texture :", "BootTexture", kHdTexture},
    {"CD19", {"Open Boot Hd Bump", kPickFilters[1]}, "Bump :", "BootBump", kHdBump},
    {"CD20",
     {"Open Boot Hd Highlight Texture", kPickFilters[2]},
     "H Texture :",
     "BootHTexture",
     kHdHTexture},
};

constexpr ExportSlotRow kExports[] = {
    {"Texture", "texture.dds", ExportSlotTexts("Save Boot Texture", kTextureFilters)},
    {"Bump", "bump.dds", ExportSlotTexts("Save Boot Bump", kBumpFilters)},
    {"H Texture", "htexture.dds", ExportSlotTexts("Save Boot H Texture", kHTextureFilters)},
};

// The highlight texture's count is the model section's position in TEMP, so the cut runs on
// through the model section.
constexpr SlotCut kCuts[] = {
    {"texture.dds", 1, CutCount::Fixed, 87536},
    {"bump.dds", 87553, CutCount::Fixed, 43856},
    {"htexture.dds", 131425, CutCount::UpToMarker, 0},
};

// The HD boot file: a head piece, the three HD textures with the separator piece between them
// (it stands twice), then the model section.
constexpr ImagePiece kPieces[] = {
    {"WE00.1.dll", PieceFrom::ProgramData, false}, {kHdTexture, PieceFrom::Work, false},
    {"WE00.2.dll", PieceFrom::ProgramData, false}, {kHdBump, PieceFrom::Work, false},
    {"WE00.2.dll", PieceFrom::ProgramData, false}, {kHdHTexture, PieceFrom::Work, false},
    {kModelSectionWork, PieceFrom::Work, false},
};

const ModelPageRows kBootPage{
    .kind = AssetKind::Boot,
    .groups = {"Open File", "Texture(s) Perview", "Open Texture", "Hd Done", "Export Texture(s)"},
    .fileCaption = "Boot Bin File :",
    .filePathBox = "BootBinPath",
    .openDialog = "CD17",
    .openText = {"Open Boot Bin File", "Gormla Boot Bin File (*.bin)|*.bin"},
    .workCopy = "Boot.bin",
    .unpacked = "Boot.bin.unzlib",
    .largeImage = "ImgBoot1",
    .thumbnails = kThumbnails,
    .previewList = nullptr,
    .picks = kPicks,
    .createCaption = "Create HD",
    .hdOption = "BootHDOption",
    .hdOptionCaption = "1024 * 512 Texture",
    .optionMissing = {"Select Hd Option Please !", ui::kErrorOk, nullptr},
    .saveDialog = "CD21",
    .saveText = {"Save Gormla Hd Boot", "Gormla Bin File(*.bin)|*.bin"},
    .builtQuestion = "Work's Finished Successfully",
    .built = "Boot-new.bin.unzlib",
    .pieces = kPieces,
    .exportList = "LSTBOOT",
    .formats = {"BootPNG", "BootJPG", "BootDDS"},
    .exportDialogs = kSharedExportDialogs,
    .notices = kSavedWithPath,
    .exports = kExports,
    .notOpened = {},
    .signature = {0, 0, corvane::kBootHeadEnd},
    .check = {"WE00.4.dll",
              "WE00.3.dll",
              {"The File That You Open Is Already HD", ui::kErrorOk, nullptr},
              {"Itsn't A Valid File For Texel Forge => Boot Hd Option", ui::kErrorOk, "Error..."}},
    .cuts = kCuts,
};

class BootTab : public ModelTexturePage {
 public:
  explicit BootTab(Workbench& bench)
      : ModelTexturePage(bench, kBootPage,
                         {{"cmdOpenBootBin", [this] { OnOpenBootBin(); }},
                          {"cmdOpenHdTextureBoot", [this] { OnOpenHdTextureBoot(); }},
                          {"cmdCreateHDBoot", [this] { OnCreateHDBoot(); }},
                          {"cmdExportBootTexture", [this] { OnExportBootTexture(); }}}) {}

 private:
  void OnOpenBootBin() {
    if (!OpenModelFile()) return;
    if (CheckBootBin()) SplitBootBin();
  }
  bool CheckBootBin();
  void SplitBootBin();
  void ShowBootPreviews() { ShowPreviews(); }
  void OnOpenHdTextureBoot() { OnPickHdTextureSet(); }
  void OnCreateHDBoot() {
    if (OnCreateHdPress()) BuildHdBoot();
  }
  void BuildHdBoot() {
    RequirePieces();
    BuildPackAndOfferSave();
  }
  void OnExportBootTexture() { ExportSlot(); }
};

bool BootTab::CheckBootBin() {
  // Without the mark that ends a boot head, the file is no boot file.
  if (!CutSignature()) {
    ShowSignatureVerdict({false, false});
    return false;
  }
  return IsStandardHdTestedFirst();
}

void BootTab::SplitBootBin() {
  CutTempWithLibrary();
  CutSlots();
  m_bench.LibExport().Corvane_Export_Data2FinishFile(Work(kTempWork), corvane::kModelSectionMagic,
                                                     Work(kModelSectionWork));
  MakePreviews();
  ShowBootPreviews();
}

}  // namespace

QWidget* CreateBootTab(Workbench& bench, QWidget* parent) {
  return ui::Child<BootTab>(parent, bench);
}

}  // namespace texel
