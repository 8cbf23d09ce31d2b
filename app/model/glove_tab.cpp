// "Glove HD": a glove file is classified by five bytes of its head and split into three
// textures; the HD file is three template pieces and the user's three 1024 x 1024 textures,
// nothing of the opened file.
#include "child.h"
#include "model_tabs.h"
#include "model_texture_page.h"

namespace texel {

namespace {

constexpr const char* kHdTexture = "texture-new.dds";
constexpr const char* kHdBump = "bump-new.dds";
constexpr const char* kHdHTexture = "htexture-new.dds";

// A click on a thumbnail runs OnThumbnailClick with its row.
constexpr ThumbnailRow kThumbnails[] = {
    {"imgGlove2", "Label8", "256 * 256"},   // OnImgGlove2Click
    {"imgGlove3", "Label9", "256 * 256"},   // OnImgGlove3Click
    {"imgGlove4", "Label10", "128 * 128"},  // OnImgGlove4Click
};

constexpr PickRow kPicks[] = {
    {"CD26", {"Open Glove Hd Texture", kPickFilters[0]}, "Texture :", "GloveTexture", kHdTexture},
    {"CD27", {"Open Glove Hd Bump", kPickFilters[1]}, "Bump :", "GloveBump", kHdBump},
    {"CD28",
     {"Open Glove Hd Highlight Texture", kPickFilters[2]},
     "H Texture :",
     "GloveHTexture",
     kHdHTexture},
};

constexpr ExportSlotRow kExports[] = {
    {"Texture", "texture.dds", ExportSlotTexts("Save Glove Texture", kTextureFilters)},
    {"Bump", "bump.dds", ExportSlotTexts("Save Glove Bump", kBumpFilters)},
    {"H Texture", "htexture.dds", ExportSlotTexts("Save Glove H Texture", kHTextureFilters)},
};

constexpr SlotCut kCuts[] = {
    {"texture.dds", 1, CutCount::Fixed, 43840},
    {"bump.dds", 43857, CutCount::Fixed, 87536},
    {"htexture.dds", 131409, CutCount::ToEnd, 0},
};

// The HD glove file: each HD texture behind its template piece; nothing of the opened file.
constexpr ImagePiece kPieces[] = {
    {"WE01.dll", PieceFrom::ProgramData, false}, {kHdTexture, PieceFrom::Work, false},
    {"WE02.dll", PieceFrom::ProgramData, false}, {kHdBump, PieceFrom::Work, false},
    {"WE03.dll", PieceFrom::ProgramData, false}, {kHdHTexture, PieceFrom::Work, false},
};

const ModelPageRows kGlovePage{
    .kind = AssetKind::Glove,
    .groups = {"Open File", "Texture Perview", "Open Texture's", "Hd Done", "Export Texture(s)"},
    .fileCaption = "Glove Bin File :",
    .filePathBox = "GloveBinPath",
    .openDialog = "CD25",
    .openText = {"Open Gormla Glove Bin", "Gormla Glove Bin File(*.bin)|*.bin"},
    .workCopy = "Glove.bin",
    .unpacked = "Glove.bin.unzlib",
    .largeImage = "imgGlove1",
    .thumbnails = kThumbnails,
    .previewList = nullptr,
    .picks = kPicks,
    .createCaption = "Create Hd",
    .hdOption = "HD_OPTION_GLOVE",
    .hdOptionCaption = "1024 * 1024 Texture",
    .optionMissing = {"Select Hd Option Please !", ui::kErrorOk, kApplicationTitle},
    .saveDialog = "CD29",
    .saveText = {"Save Gormla Glove Hd", "Gormla Hd bin Glove(*.bin)|*.bin"},
    .builtQuestion = "Works Finished Succesfully",
    .built = "glove-new.bin.unzlib",
    .pieces = kPieces,
    .exportList = "LSTGLOVE",
    .formats = {"GlovePNG", "GloveJPG", "GloveDDS"},
    .exportDialogs = {"CD30", "CD31", "CD32"},
    .notices = kSavedWithPath,
    .exports = kExports,
    .notOpened = {},
    .signature = {11, 5, 0},
    .check = {"DATA1.dll",
              "DATA2.dll",
              {"The File That You Open Is Already HD", ui::kErrorOk, nullptr},
              {"Itsn't A Valid File For Texel Forge => Glove Hd Option", ui::kErrorOk, "Error"}},
    .cuts = kCuts,
};

class GloveTab : public ModelTexturePage {
 public:
  explicit GloveTab(Workbench& bench)
      : ModelTexturePage(bench, kGlovePage,
                         {{"cmdOpenGLoveBin", [this] { OnOpenGloveBin(); }},
                          {"OPEN_TEXTURE_GLOVE", [this] { OnOpenTextureGlove(); }},
                          {"CREATEHD_GLOVE", [this] { OnCreateHdGlove(); }},
                          {"cmdExportGloveTexture", [this] { OnExportGloveTexture(); }}}) {}

 private:
  void OnOpenGloveBin() {
    if (!OpenModelFile()) return;
    CheckGloveBin();
  }
  // The standard test comes first: a standard file is split before any message.
  void CheckGloveBin() {
    CutSignature();
    const SignatureMatch match = MatchSignature();
    if (match.standard) SplitGloveBin();
    ShowSignatureVerdict(match);
  }
  void SplitGloveBin() {
    CutTempWithLibrary();
    CutSlots();
    MakePreviews();
    ShowPreviews();
  }
  void OnOpenTextureGlove() { OnPickHdTextureSet(); }
  void OnCreateHdGlove() {
    if (OnCreateHdPress()) BuildHdGlove();
  }
  void BuildHdGlove() {
    RequirePieces();
    BuildPackAndOfferSave();
  }
  void OnExportGloveTexture() { ExportSlot(); }
};

}  // namespace

QWidget* CreateGloveTab(Workbench& bench, QWidget* parent) {
  return ui::Child<GloveTab>(parent, bench);
}

}  // namespace texel
