// "Boot 3d HD": six textures and the model section, cut with the window's own byte-range
// routines; one large preview chosen from a list; the picks write over the cut slot files, and
// the HD file is six template pieces around those files and the model section.
#include <system_error>

#include "binary_file.h"
#include "byte_range.h"
#include "child.h"
#include "model_tabs.h"
#include "model_texture_page.h"
#include "output_name.h"
#include "whole_file.h"

namespace texel {

namespace {

constexpr const char* kUnpacked = "Boot3d.bin.unzlib";
// The sixth slot starts here in TEMP; its count is the model section's position.
constexpr int32_t kOther3Start = 525185;

constexpr PickRow kPicks[] = {
    {"CD38",
     {"Open HD Texture", "DDS Texture (*.DDS)|*.dds"},
     "Texture :",
     "txt_texture3dboot",
     "texture.dds"},
    {"CD39", {"Open HD Bump", "DDS Bump (*.DDS) |*.dds"}, "Bump :", "txt_bump3dboot", "bump.dds"},
    {"CD40",
     {"Open HD Highlight Texture", "DDS Highlight Texture (*.DDS) |*.dds"},
     "H Texture :",
     "txt_htexture3dboot",
     "htexture.dds"},
    {"CD41",
     {"Open OtherTexture1", "DDS OtherTexture1 (*.DDS) |*.dds"},
     "OT1 :",
     "txt_ot13dboot",
     "othertexture1.dds"},
    {"CD42",
     {"Open OtherTexture2", "DDS OtherTexture2 (*.DDS) |*.dds"},
     "OT2 :",
     "txt_ot23dboot",
     "othertexture2.dds"},
    {"CD43",
     {"Open OtherTexture3", "DDS OtherTexture3 (*.DDS) |*.dds"},
     "OT3 :",
     "txt_ot33dboot",
     "othertexture3.dds"},
};

// One export row per slot, all with the same texts.
constexpr std::array<DialogText, 3> kExportTexts = {{{"Save Png", "Png (*.png)|*.png"},
                                                     {"Save Jpg", "Jpg (*.jpg)|*.jpg"},
                                                     {"Save Dds", "Dds (*.dds)|*.dds"}}};
constexpr ExportSlotRow kExports[] = {
    {"Texture", "texture.dds", kExportTexts},
    {"Bump", "bump.dds", kExportTexts},
    {"H Texture", "htexture.dds", kExportTexts},
    {"Other Texture1", "othertexture1.dds", kExportTexts},
    {"Other Texture2", "othertexture2.dds", kExportTexts},
    {"Other Texture3", "othertexture3.dds", kExportTexts},
};

// 16 bytes stand between two slots; the sixth runs up to the model section and on through it.
constexpr SlotCut kCuts[] = {
    {"texture.dds", 1, CutCount::Fixed, 174928},
    {"bump.dds", 174945, CutCount::Fixed, 174928},
    {"htexture.dds", 349889, CutCount::Fixed, 87536},
    {"othertexture1.dds", 437441, CutCount::Fixed, 43856},
    {"othertexture2.dds", 481313, CutCount::Fixed, 43856},
    {"othertexture3.dds", kOther3Start, CutCount::UpToMarker, 0},
};

// The HD 3D boot file: each slot file (picked over the cut one) behind its template piece, then
// the model section; nothing patched.
constexpr ImagePiece kPieces[] = {
    {"WE00.1.dll", PieceFrom::ProgramData, false}, {"texture.dds", PieceFrom::Work, false},
    {"WE00.2.dll", PieceFrom::ProgramData, false}, {"bump.dds", PieceFrom::Work, false},
    {"WE00.3.dll", PieceFrom::ProgramData, false}, {"htexture.dds", PieceFrom::Work, false},
    {"WE00.4.dll", PieceFrom::ProgramData, false}, {"othertexture1.dds", PieceFrom::Work, false},
    {"WE00.5.dll", PieceFrom::ProgramData, false}, {"othertexture2.dds", PieceFrom::Work, false},
    {"WE00.6.dll", PieceFrom::ProgramData, false}, {"othertexture3.dds", PieceFrom::Work, false},
    {kModelSectionWork, PieceFrom::Work, false},
};

const ModelPageRows kBoot3dPage{
    .kind = AssetKind::Boot3d,
    .groups = {"Open File", "Texture(s) Perview", "Open Texture", "Hd Done", "Export Texture(s)"},
    .fileCaption = "Boot Bin File :",
    .filePathBox = "txt_3dbootBin",
    .openDialog = "CD37",
    .openText = {"Open Boot 3d Bin File", "Gormla Boot 3d Bin File (*.bin)|*.bin"},
    .workCopy = "Boot3d.bin",
    .unpacked = kUnpacked,
    .largeImage = "IMG_TEXTRUE_3dBoot_SHOW",
    .thumbnails = {},
    .previewList = "List2",
    .picks = kPicks,
    .createCaption = "Create HD",
    .hdOption = "HDOPTION",
    .hdOptionCaption = "1024 * 512  || 512 * 256 ||  256 * 128 ",
    .optionMissing = {"Select Hd Option Please.", ui::kErrorOk, "Error..."},
    .saveDialog = "CD44",
    .saveText = {"Save Gormla Hd Boot", "Gormla Bin File(*.bin)|*.bin"},
    .builtQuestion = "Work's Finished Successfully",
    .built = kUnpacked,
    .pieces = kPieces,
    .exportList = "DATA_3D_EXPORT",
    .formats = {"PNG_3D", "JPG_3D", "DDS_3D"},
    .exportDialogs = {"CD45", "CD46", "CD47"},
    .notices = {SavedNotice::Plain, SavedNotice::Plain, SavedNotice::None},
    .exports = kExports,
    .notOpened = {"Please Open File First.", ui::kErrorOk, nullptr},
    .signature = {11, 5, 0},
    .check = {"DATA1.dll",
              "DATA2.dll",
              {"The File That You Opened Is Already HD", ui::kPlainOk, kApplicationTitle},
              {"Itsn't A Valid File For Texel Forge => Boot 3d Hd Option", ui::kErrorOk, "Error"}},
    .cuts = kCuts,
};

class Boot3dTab : public ModelTexturePage {
 public:
  explicit Boot3dTab(Workbench& bench)
      : ModelTexturePage(bench, kBoot3dPage,
                         {{"cmd_OpenBoot3dBin", [this] { OnOpenBoot3dBin(); }},
                          {"cmd_OpenTexture_3dBoot", [this] { OnOpenTexture3dBoot(); }},
                          {"cmd_CreateHD_Boot3d", [this] { OnCreateHDBoot3d(); }},
                          {"cmd_ExportTexture3d", [this] { OnExportTexture3d(); }}}) {
    OnSignal(m_previewList, &QListWidget::itemClicked, [this] { OnList2Click(); });
  }

 private:
  void OnOpenBoot3dBin() {
    if (!OpenModelFile()) return;  // a cancelled dialog changes nothing
    CutBoot3dSignature();
    CheckBoot3dBin();
    // Whatever the check decided, the first texture is shown.
    m_previewList->setCurrentRow(0);
    OnList2Click();
  }
  void CutBoot3dSignature() { CutSignature(); }
  // The standard test comes first: a standard file is split before any message.
  void CheckBoot3dBin() {
    const SignatureMatch match = MatchSignature();
    if (match.standard) SplitAndPreviewBoot3d();
    ShowSignatureVerdict(match);
  }
  void SplitAndPreviewBoot3d() {
    SplitBoot3dBin();
    MakeBoot3dPreviews();
  }
  void SplitBoot3dBin() {
    CutTempWithByteRange();
    CutSlots();  // the sixth slot runs up to the model section and on through it
    ExtractBoot3dModel();
  }
  void ExtractBoot3dModel();
  void MakeBoot3dPreviews() { MakePreviews(); }
  void OnList2Click();
  void OnOpenTexture3dBoot() { OnPickHdTextureSet(); }
  void OnCreateHDBoot3d() {
    if (OnCreateHdPress()) BuildHdBoot3d();
  }
  void BuildHdBoot3d();
  void OnExportTexture3d() { ExportSlot(); }
};

void Boot3dTab::ExtractBoot3dModel() {
  const fs::path temp = Work(kTempWork);
  int32_t model = 0;
  int64_t length = 0;
  {
    corvane::BinaryFile file(temp, corvane::BinaryFile::Mode::ReadOnly);
    model = corvane::FindLong(file, 1, corvane::kModelSectionMagic);
    length = file.Length();
  }
  // As long as TEMP: the model section to its end, then zero bytes. CutSlots has checked that
  // the marker is there.
  corvane::CutBlockToFile(temp, model, AsCount(length, temp), Work(kModelSectionWork));
}

void Boot3dTab::OnList2Click() {
  const int index = m_previewList->currentRow();
  if (index < 0 || index >= static_cast<int>(std::size(kCuts))) return;
  const fs::path bitmap = corvane::SuffixedOutputName(Work(kCuts[index].slotFile), ".bmp");
  // Nothing split yet since the start: the image shows nothing rather than an error.
  std::error_code ignored;
  if (!fs::is_regular_file(bitmap, ignored)) {
    m_preview->SetPicture(QPixmap());
    return;
  }
  m_preview->LoadPicture(bitmap);
}

void Boot3dTab::BuildHdBoot3d() {
  // Every piece is checked before the old work files go, so a build that cannot run deletes
  // nothing.
  RequirePieces();
  for (const char* old : {kUnpacked, kSignatureWork, kTempWork}) {
    if (m_bench.FileSystem().FileExists(Work(old))) m_bench.FileSystem().DeleteFile(Work(old));
  }
  BuildPackAndOfferSave();
}

}  // namespace

QWidget* CreateBoot3dTab(Workbench& bench, QWidget* parent) {
  return ui::Child<Boot3dTab>(parent, bench);
}

}  // namespace texel
