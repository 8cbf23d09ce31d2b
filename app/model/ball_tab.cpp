// "Ball HD": a ball file is classified by five bytes of its head, split into its head, model
// section and three textures, and rebuilt around three 1024 x 1024 textures with the head's two
// offset fields pointing at the new bump and highlight textures.
#include <array>
#include <limits>

#include "binary_file.h"
#include "byte_range.h"
#include "child.h"
#include "model_tabs.h"
#include "model_texture_page.h"
#include "whole_file.h"

namespace texel {

namespace {

// The ball head's size values, both rewritten to the HD size as soon as the file is split.
constexpr int32_t kBallTextureSize = 174920;
constexpr int32_t kBallBumpSize = 349696;
constexpr int32_t kBallHdSize = 1048720;

// Fields of the head the HD build points at the pieces in front of the HD bump and highlight
// texture (1-based positions).
constexpr int32_t kBumpIdPosition = 33;
constexpr int32_t kHTextureIdPosition = 45;
// What stands between the model section and the HD texture's piece, and in front of it.
constexpr int32_t kChunkHeadSize = 16;
constexpr int32_t kHdTextureHeadRoom = 64;

constexpr const char* kWorkCopy = "Ball.bin";
constexpr const char* kUnpacked = "Ball.bin.unzlib";
constexpr const char* kModelSectionFirst = "KTMDL1";
constexpr const char* kHead = "Start";
constexpr const char* kChunk = "WE00.dll";
constexpr const char* kBumpId = "bump-id";
constexpr const char* kHTextureId = "htexture-id";
constexpr const char* kHdTexture = "texture-hd.dds";
constexpr const char* kHdBump = "bump-hd.dds";
constexpr const char* kHdHTexture = "htexture-hd.dds";

// A click on a thumbnail runs OnThumbnailClick with its row.
constexpr ThumbnailRow kThumbnails[] = {
    {"BT", "BTS", nullptr},    // OnBTClick
    {"BB", "BBS", nullptr},    // OnBBClick
    {"BHT", "BHTS", nullptr},  // OnBHTClick
};

constexpr PickRow kPicks[] = {
    {"CD10", {"Open Ball Hd Texture", kPickFilters[0]}, "Texture :", "BallTexture", kHdTexture},
    {"CD13", {"Open Ball Hd Bump", kPickFilters[1]}, "Bump :", "BallBump", kHdBump},
    {"CD14",
     {"Open Ball Hd Highlight Texture", kPickFilters[2]},
     "H Texture :",
     "BallHTexture",
     kHdHTexture},
};

constexpr ExportSlotRow kExports[] = {
    {"Texture", "texture.dds", ExportSlotTexts("Save Ball Texture", kTextureFilters)},
    {"Bump", "bump.dds", ExportSlotTexts("Save Ball Bump", kBumpFilters)},
    {"H Texture", "htexture.dds", ExportSlotTexts("Save Ball H Texture", kHTextureFilters)},
};

constexpr SlotCut kCuts[] = {
    {"texture.dds", 1, CutCount::Fixed, 174912},
    {"bump.dds", 174929, CutCount::Fixed, 349680},
    {"htexture.dds", 524625, CutCount::ToEnd, 0},
};

// The HD ball file: the head and the model section each without their last byte, then each HD
// texture behind a chunk piece.
constexpr ImagePiece kPieces[] = {
    {kHead, PieceFrom::Work, true},          {kModelSectionWork, PieceFrom::Work, true},
    {kChunk, PieceFrom::ProgramData, false}, {kHdTexture, PieceFrom::Work, false},
    {kChunk, PieceFrom::ProgramData, false}, {kHdBump, PieceFrom::Work, false},
    {kChunk, PieceFrom::ProgramData, false}, {kHdHTexture, PieceFrom::Work, false},
};

const ModelPageRows kBallPage{
    .kind = AssetKind::Ball,
    .groups = {"Open File", "Texture(s) Perview", "Open Texture", "Hd Done", "Export Texture(s)"},
    .fileCaption = "Ball Bin File :",
    .filePathBox = "BallBinPath",
    .openDialog = "CD9",
    .openText = {"Open Gormla Ball Bin File", "Gormla Ball Bin File(*.bin)|*.bin"},
    .workCopy = kWorkCopy,
    .unpacked = kUnpacked,
    .largeImage = "ImgBall",
    .thumbnails = kThumbnails,
    .previewList = nullptr,
    .picks = kPicks,
    .createCaption = "Create HD",
    .hdOption = "BallHD",
    .hdOptionCaption = "1024 * 1024 Texture",
    .optionMissing = {"Select Hd Option Please !", ui::kWarningOk, nullptr},
    .saveDialog = "CD11",
    .saveText = {"Save Gormla Hd Ball", "Gormla Bin File(*.bin)|*.bin"},
    .builtQuestion = "Work's Finished Successfully",
    .built = "ball-new.unzlib",
    .pieces = kPieces,
    .exportList = "BDATA_TS",
    .formats = {"BPNG", "BJPG", "BDDS"},
    .exportDialogs = kSharedExportDialogs,
    .notices = kSavedWithPath,
    .exports = kExports,
    .notOpened = {},
    .signature = {23, 5, 0},
    .check = {"DATA1.dll",
              "DATA2.dll",
              {"The File That You Open Is Already HD", ui::kErrorOk, nullptr},
              {"Itsn't A Valid File For Texel Forge => Ball Hd Option", ui::kErrorOk, "Error..."}},
    .cuts = kCuts,
};

class BallTab : public ModelTexturePage {
 public:
  explicit BallTab(Workbench& bench)
      : ModelTexturePage(bench, kBallPage,
                         {{"cmdOpenBallBin", [this] { OnOpenBallBin(); }},
                          {"cmdOpenBallTexture", [this] { OnOpenBallTexture(); }},
                          {"cmdBallHD", [this] { OnCreateHdBall(); }},
                          {"cmdExportBTexture", [this] { OnExportBallTexture(); }}}) {}

 private:
  void OnOpenBallBin() {
    if (!OpenModelFile()) return;
    CutBallSignature();
    if (CheckBallBin()) SplitBallBin();
  }
  void CutBallSignature() { CutSignature(); }
  bool CheckBallBin() { return IsStandardHdTestedFirst(); }
  void SplitBallBin();
  void OnOpenBallTexture() { OnPickHdTextureSet(); }
  void OnCreateHdBall() {
    if (OnCreateHdPress()) BuildHdBall();
  }
  void BuildHdBall();
  void ComputeBallIds();
  void WriteBallIdsToStart();
  void OnExportBallTexture() { ExportSlot(); }
};

void BallTab::SplitBallBin() {
  CutTempWithLibrary();
  // The model section: from the first "KTMD" through the first byte of the first "WE00". The
  // library's count is the absolute position of "WE00", so the first cut runs past it.
  CorvaneClient& cuts = m_bench.LibExport();
  cuts.Corvane_Export_Data2Data(Work(kUnpacked), corvane::kModelSectionMagic, corvane::kChunkMagic,
                                Work(kModelSectionFirst));
  cuts.Corvane_Export_StartFile2Data(Work(kModelSectionFirst), Work(kModelSectionWork),
                                     corvane::kChunkMagic);
  m_bench.FileSystem().DeleteFile(Work(kModelSectionFirst));
  // The head and the "K" behind it, its sizes made HD at once.
  cuts.Corvane_Export_StartFile2Data(Work(kUnpacked), Work(kHead), corvane::kModelSectionMagic);
  m_bench.LibReplace().Corvane_Replace(Work(kHead), kBallTextureSize, kBallHdSize);
  m_bench.LibReplace().Corvane_Replace(Work(kHead), kBallBumpSize, kBallHdSize);
  CutSlots();
  MakePreviews();
  ShowPreviews();
}

void BallTab::BuildHdBall() {
  RequirePieces();
  ComputeBallIds();
  WriteBallIdsToStart();
  BuildPackAndOfferSave();
}

void BallTab::ComputeBallIds() {
  const auto length = [this](const char* file) {
    return static_cast<int64_t>(fs::file_size(Work(file)));
  };
  const int64_t modelSection = length(kModelSectionWork) - 1;
  const int64_t bumpId = modelSection + kChunkHeadSize + length(kHdTexture) + kHdTextureHeadRoom;
  // The piece in front of the HD highlight texture lies behind the HD bump.
  const int64_t hTextureId = bumpId + length(kHdBump) + kChunkHeadSize;
  for (const auto& [file, value] :
       {std::pair{kBumpId, bumpId}, std::pair{kHTextureId, hTextureId}}) {
    std::array<uint8_t, 4> field{};
    if (value > std::numeric_limits<int32_t>::max()) {
      throw StepFailure("The HD textures are too large for the ball file's offset fields.");
    }
    corvane::WriteInt32LE(field.data(), static_cast<int32_t>(value));
    corvane::WriteFileReplacing(Work(file), corvane::OldTarget::DroppedFirst, {field});
  }
}

void BallTab::WriteBallIdsToStart() {
  const std::vector<uint8_t> bumpId = corvane::ReadWholeFile(Work(kBumpId));
  const std::vector<uint8_t> hTextureId = corvane::ReadWholeFile(Work(kHTextureId));
  corvane::BinaryFile head(Work(kHead), corvane::BinaryFile::Mode::ReadWrite);
  corvane::WriteBlock(head, kBumpIdPosition, bumpId);
  corvane::WriteBlock(head, kHTextureIdPosition, hTextureId);
  head.Close();
}

}  // namespace

QWidget* CreateBallTab(Workbench& bench, QWidget* parent) {
  return ui::Child<BallTab>(parent, bench);
}

}  // namespace texel
