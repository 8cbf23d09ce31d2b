#include "model_texture_page.h"

#include <cstring>
#include <string>

#include "binary_file.h"
#include "byte_range.h"
#include "child.h"
#include "output_name.h"
#include "tab_widgets.h"
#include "whole_file.h"

namespace texel {

namespace {

constexpr int kLargePreviewSide = 256;
constexpr int kThumbnailSide = 96;
constexpr const char* kHeadWork = "Start";  // the ball's head, kept by its split

fs::path BitmapOf(const fs::path& slotFile) {
  return corvane::SuffixedOutputName(slotFile, ".bmp");
}

}  // namespace

ModelTexturePage::ModelTexturePage(Workbench& bench, const ModelPageRows& rows, TabPresses presses)
    : TabPage(bench, rows.kind, rows.openDialog, rows.saveDialog), m_rows(rows) {
  m_pickDialogs.reserve(rows.picks.size());
  for (const PickRow& pick : rows.picks) m_pickDialogs.emplace_back(pick.dialog, bench.Dialogs());
  BuildPage(presses);

  std::vector<fs::path> derived;
  for (const char* file :
       {rows.unpacked, kSignatureWork, kTempWork, kModelSectionWork, kHeadWork}) {
    derived.push_back(Work(file));
  }
  for (const SlotCut& cut : rows.cuts) {
    derived.push_back(Work(cut.slotFile));
    derived.push_back(BitmapOf(Work(cut.slotFile)));
  }
  DerivesFromOpen(std::move(derived));
}

void ModelTexturePage::BuildPage(const TabPresses& presses) {
  auto* page = ui::Child<QGridLayout>(this);
  setLayout(page);
  page->addWidget(MakePathGroup(m_rows.groups.openFile, m_rows.fileCaption, m_rows.filePathBox,
                                presses.open, &m_filePath),
                  0, 0, 1, 2);
  page->addWidget(BuildPreviewGroup(), 1, 0, 3, 1);
  page->addWidget(BuildPickGroup(presses), 1, 1);
  page->addWidget(MakeHdDoneGroup(m_rows.groups.hdDone, presses.create, m_rows.createCaption,
                                  m_rows.hdOption, m_rows.hdOptionCaption),
                  2, 1);
  page->addWidget(BuildExportGroup(presses), 3, 1);
  page->setRowStretch(3, 1);
}

QWidget* ModelTexturePage::BuildPreviewGroup() {
  QGroupBox* group = GroupWithGrid(this, m_rows.groups.preview);
  QGridLayout* grid = GridOf(group);
  if (m_rows.previewList != nullptr) {
    m_previewList = Place<QListWidget>(group, m_rows.previewList, 0, 0);
    for (const ExportSlotRow& slot : m_rows.exports) m_previewList->addItem(slot.listText);
    m_previewList->setFixedWidth(140);
    m_previewList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_preview = Place<ui::ImageBox>(group, m_rows.largeImage, 0, 1);
    m_preview->setMinimumSize(kLargePreviewSide, kLargePreviewSide);
    ShowsPicture(m_preview);
    return group;
  }
  const int rows = static_cast<int>(m_rows.thumbnails.size());
  m_preview = ui::Child<ui::ImageBox>(group);
  m_preview->setObjectName(m_rows.largeImage);
  m_preview->setMinimumSize(kLargePreviewSide, kLargePreviewSide);
  ShowsPicture(m_preview);
  grid->addWidget(m_preview, 0, 0, rows, 1);
  for (int i = 0; i < rows; ++i) {
    const size_t slot = static_cast<size_t>(i);
    const ThumbnailRow& row = m_rows.thumbnails[slot];
    auto* thumbnail = Place<ui::ImageBox>(group, row.image, i, 1);
    thumbnail->setFixedSize(kThumbnailSide, kThumbnailSide);
    thumbnail->setAccessibleName(QString(m_rows.exports[slot].listText) + " thumbnail");
    thumbnail->setCursor(Qt::PointingHandCursor);
    thumbnail->SetClickable(true);
    OnSignal(thumbnail, &ui::ImageBox::clicked, [this, slot] { OnThumbnailClick(slot); });
    ShowsPicture(thumbnail);
    m_thumbnails.push_back(thumbnail);
    QLabel* size = Place<QLabel>(group, row.sizeLabel, i, 2);
    // Room for any size from the start, so the page does not shift when it is filled.
    size->setMinimumWidth(size->fontMetrics().horizontalAdvance("0000 * 0000"));
    if (row.fixedCaption != nullptr) {
      size->setText(row.fixedCaption);
      size->setVisible(false);  // shown by the first split
    } else {
      ShowsValue(size);
    }
    m_sizeLabels.push_back(size);
  }
  return group;
}

QWidget* ModelTexturePage::BuildPickGroup(const TabPresses& presses) {
  QGroupBox* group = GroupWithGrid(this, m_rows.groups.pick);
  int line = 0;
  for (const PickRow& pick : m_rows.picks) {
    m_pickPaths.push_back(PlacePathRow(group, line, pick.caption, pick.pathBox));
    ++line;
  }
  GridOf(group)->addWidget(MakePress(group, presses.pick, "Open"), line, 1, Qt::AlignRight);
  return group;
}

QWidget* ModelTexturePage::BuildExportGroup(const TabPresses& presses) {
  QGroupBox* group = GroupWithGrid(this, m_rows.groups.exporting);
  m_exportList = ui::Child<QListWidget>(group);
  m_exportList->setObjectName(m_rows.exportList);
  for (const ExportSlotRow& slot : m_rows.exports) m_exportList->addItem(slot.listText);
  m_exportList->setMaximumHeight(120);
  GridOf(group)->addWidget(m_exportList, 0, 0, 1, 4);
  PlaceExportLine(group, 1, presses.exportTexture, "Export", m_rows.formats);
  return group;
}

bool ModelTexturePage::OpenModelFile() {
  return OnOpenAssetBin(m_rows.openText, m_rows.workCopy, true);
}

bool ModelTexturePage::CutSignature() {
  const SignatureRow& row = m_rows.signature;
  const fs::path unpacked = Work(m_rows.unpacked);
  if (row.endMarker == 0) {
    corvane::CutBlockToFile(unpacked, row.offset + 1, row.count, Work(kSignatureWork));
    return true;
  }
  {
    corvane::BinaryFile file(unpacked, corvane::BinaryFile::Mode::ReadOnly);
    if (corvane::FindLong(file, 1, row.endMarker) == 0) return false;
  }
  m_bench.LibExport().Corvane_Export_StartFile2Data(unpacked, Work(kSignatureWork), row.endMarker);
  return true;
}

SignatureMatch ModelTexturePage::MatchSignature() {
  const CheckRow& row = m_rows.check;
  // Reading never makes a file: a reference file that is not there is a broken installation.
  RequireProgramData(row.standardFile);
  RequireProgramData(row.hdFile);
  const auto signature = corvane::ReadWholeFile(Work(kSignatureWork));
  return {signature == corvane::ReadWholeFile(Work(row.standardFile)),
          signature == corvane::ReadWholeFile(Work(row.hdFile))};
}

bool ModelTexturePage::IsStandardHdTestedFirst() {
  const SignatureMatch match = MatchSignature();
  if (match.standard && !match.hd) return true;
  ShowSignatureVerdict(match);
  return false;
}

void ModelTexturePage::ShowSignatureVerdict(SignatureMatch match) {
  if (match.hd) {
    m_bench.Show(m_rows.check.alreadyHd);
  } else if (!match.standard) {
    m_bench.Show(m_rows.check.notValid);
  }
}

void ModelTexturePage::CutTempWithLibrary() {
  m_bench.LibExport().Corvane_Export_Data2FinishFile(Work(m_rows.unpacked), corvane::kDdsMagic,
                                                     Work(kTempWork));
}

void ModelTexturePage::CutTempWithByteRange() {
  const fs::path unpacked = Work(m_rows.unpacked);
  int32_t position = 0;
  int64_t length = 0;
  {
    corvane::BinaryFile file(unpacked, corvane::BinaryFile::Mode::ReadOnly);
    position = corvane::FindLong(file, 1, corvane::kDdsMagic);
    length = file.Length();
  }
  if (position == 0) {
    throw StepFailure("\"" + m_filePath->text().toStdString() + "\" holds no DDS texture.");
  }
  // As long as the unpacked file: the tail from the texture on, then zero bytes.
  corvane::CutBlockToFile(unpacked, position, AsCount(length, unpacked), Work(kTempWork));
}

void ModelTexturePage::CutSlots() {
  const fs::path temp = Work(kTempWork);
  int64_t length = 0;
  int32_t model = 0;
  {
    corvane::BinaryFile file(temp, corvane::BinaryFile::Mode::ReadOnly);
    length = file.Length();
    model = corvane::FindLong(file, 1, corvane::kModelSectionMagic);
  }
  const std::string user = m_filePath->text().toStdString();
  for (const SlotCut& cut : m_rows.cuts) {
    int64_t count = cut.count;
    if (cut.rule == CutCount::ToEnd) count = length - cut.start + 1;
    if (cut.rule == CutCount::UpToMarker) {
      if (model == 0) {
        throw StepFailure("\"" + user +
                          "\" has no model section (no \"KTMD\" behind its textures).");
      }
      count = model;
    }
    if (count <= 0 || (cut.rule != CutCount::UpToMarker && cut.start > length)) {
      throw StepFailure("\"" + user +
                        "\" is too short to hold the textures this tab cuts from it.");
    }
    corvane::CutBlockToFile(temp, cut.start, AsCount(count, temp), Work(cut.slotFile));
    CutFromOpenedFile(Work(cut.slotFile), SlotWords(cut.slotFile));
  }
}

std::string ModelTexturePage::SlotWords(const char* slotFile) const {
  for (const ExportSlotRow& slot : m_rows.exports) {
    if (std::strcmp(slot.slotFile, slotFile) == 0) {
      return std::string("the texture \"") + slot.listText + "\"";
    }
  }
  return "a texture";
}

void ModelTexturePage::MakePreviews() {
  for (const SlotCut& cut : m_rows.cuts) m_bench.LibImage().Corvane_DDS2BMP(Work(cut.slotFile));
}

void ModelTexturePage::ShowPreviews() {
  const auto bitmap = [this](size_t slot) { return BitmapOf(Work(m_rows.cuts[slot].slotFile)); };
  m_preview->LoadPicture(bitmap(0));
  for (size_t i = 0; i < m_thumbnails.size(); ++i) m_thumbnails[i]->LoadPicture(bitmap(i));
  for (size_t i = 0; i < m_sizeLabels.size(); ++i) {
    if (m_rows.thumbnails[i].fixedCaption != nullptr) {
      m_sizeLabels[i]->setVisible(true);
    } else {
      m_sizeLabels[i]->setText(QString("%1 * %2")
                                   .arg(m_thumbnails[i]->PictureWidth())
                                   .arg(m_thumbnails[i]->PictureHeight()));
    }
  }
}

void ModelTexturePage::OnThumbnailClick(size_t slot) {
  m_preview->SetPicture(m_thumbnails[slot]->Picture());
}

void ModelTexturePage::OnPickHdTextureSet() {
  std::vector<PickStep> steps;
  for (size_t i = 0; i < m_rows.picks.size(); ++i) {
    const PickRow& pick = m_rows.picks[i];
    steps.push_back({&m_pickDialogs[i], pick.text, m_pickPaths[i], Work(pick.target), true});
  }
  TabPage::OnPickHdTextureSet(steps);
}

void ModelTexturePage::RequirePieces() const {
  for (const ImagePiece& piece : m_rows.pieces) {
    try {
      if (piece.from == PieceFrom::ProgramData) {
        RequireProgramData(piece.file);
      } else {
        RequireNonEmptyFile(Work(piece.file));
      }
    } catch (const ProgramDataFailure& failure) {
      throw ProgramDataFailure(std::string("Nothing was built: ") + failure.what());
    } catch (const StepFailure& failure) {
      // The user's own steps are missing: say which ones, the file for a bug report.
      throw UserFacingFailure(
          "Nothing was built: open a file on this tab and pick its HD textures first.",
          failure.what());
    }
  }
}

void ModelTexturePage::BuildPackAndOfferSave() {
  std::vector<std::vector<uint8_t>> pieces;
  std::vector<std::span<const uint8_t>> parts;
  pieces.reserve(m_rows.pieces.size());
  for (const ImagePiece& piece : m_rows.pieces) {
    pieces.push_back(corvane::ReadWholeFile(Work(piece.file)));
    std::span<const uint8_t> part(pieces.back());
    parts.push_back(piece.dropLastByte ? part.first(part.size() - 1) : part);
  }
  const fs::path built = Work(m_rows.built);
  corvane::WriteFileReplacing(built, corvane::OldTarget::DroppedFirst, parts);
  OfferSaveHd(m_bench, {{m_rows.builtQuestion, ui::kInformationYesNo, nullptr},
                        &m_saveDialog,
                        m_rows.saveText,
                        built,
                        Packing::BeforeQuestion,
                        corvane::SuffixedOutputName(built, ".zlib")});
}

void ModelTexturePage::ExportSlot() {
  if (m_rows.notOpened.text != nullptr && m_filePath->text().isEmpty()) {
    m_bench.Show(m_rows.notOpened);
    return;
  }
  std::array<ui::CommonDialog*, 3> dialogs{};
  for (size_t f = 0; f < dialogs.size(); ++f) {
    dialogs[f] = &m_bench.SharedDialog(m_rows.exportDialogs[f]);
  }
  std::vector<SlotExport> slotRows;
  for (const ExportSlotRow& slot : m_rows.exports) {
    slotRows.push_back(
        {slot.listText, ExportOf(Work(slot.slotFile), dialogs, slot.texts, m_rows.notices, true)});
  }
  OnExportSlotTexture(m_bench, m_exportList, slotRows);
}

}  // namespace texel
