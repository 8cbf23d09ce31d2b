#include "model_texture_page.h"

#include <QPushButton>

#include "accessibility.h"
#include "binary_file.h"
#include "byte_range.h"
#include "child.h"
#include "tab_widgets.h"
#include "whole_file.h"

namespace texel {

namespace {

constexpr int kLargePreviewSide = 256;
constexpr int kThumbnailSide = 96;
constexpr const char* kHeadWork = "Start";  // the ball's head, kept by its split

// The PNG, JPG and DDS options, in this order.
constexpr std::array<const char*, 3> kFormatCaptions = {"PNG", "JPG", "DDS"};
constexpr std::array<Conversion, 3> kFormatConversions = {Conversion::Png, Conversion::Jpg,
                                                          Conversion::None};
constexpr std::array<const char*, 3> kFormatSuffixes = {".png", ".jpg", ""};

fs::path Beside(const fs::path& file, const char* suffix) {
  return fs::path(file.string() + suffix);
}

}  // namespace

ModelTexturePage::ModelTexturePage(Workbench& bench, const ModelPageRows& rows,
                                   ModelPresses presses)
    : m_bench(bench),
      m_rows(rows),
      m_openDialog(rows.openDialog, bench.Dialogs()),
      m_saveDialog(rows.saveDialog, bench.Dialogs()) {
  m_pickDialogs.reserve(rows.picks.size());
  for (const PickRow& pick : rows.picks) m_pickDialogs.emplace_back(pick.dialog, bench.Dialogs());
  BuildPage(presses);
}

QPushButton* ModelTexturePage::Press(QWidget* parent, const PressRow& press,
                                     const QString& caption) {
  auto* button = ui::Child<QPushButton>(parent, caption);
  button->setObjectName(press.button);
  connect(button, &QPushButton::clicked, this, [this, button, run = press.run] {
    RunGuarded(m_bench, ActionWords(button), [&] {
      RequireWorkFolder(m_bench, m_rows.kind);
      run();
    });
  });
  return button;
}

void ModelTexturePage::BuildPage(const ModelPresses& presses) {
  auto* page = ui::Child<QGridLayout>(this);
  setLayout(page);

  QGroupBox* open = GroupWithGrid(this, m_rows.groups.openFile);
  QLabel* caption = PlaceLabel(open, m_rows.fileCaption, 0, 0);
  m_filePath = Place<QLineEdit>(open, m_rows.filePathBox, 0, 1);
  m_filePath->setReadOnly(true);
  ui::LabelFor(caption, m_filePath);
  GridOf(open)->addWidget(Press(open, presses.open, "Open"), 0, 2);
  page->addWidget(open, 0, 0, 1, 2);

  page->addWidget(BuildPreviewGroup(), 1, 0, 3, 1);
  page->addWidget(BuildPickGroup(presses), 1, 1);

  QGroupBox* hd = GroupWithGrid(this, m_rows.groups.hdDone);
  GridOf(hd)->addWidget(Press(hd, presses.create, m_rows.createCaption), 0, 0);
  m_hdOption = Place<QRadioButton>(hd, m_rows.hdOption, 0, 1, QString(m_rows.hdOptionCaption));
  page->addWidget(hd, 2, 1);

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
    return group;
  }
  const int rows = static_cast<int>(m_rows.thumbnails.size());
  m_preview = ui::Child<ui::ImageBox>(group);
  m_preview->setObjectName(m_rows.largeImage);
  m_preview->setMinimumSize(kLargePreviewSide, kLargePreviewSide);
  grid->addWidget(m_preview, 0, 0, rows, 1);
  for (int i = 0; i < rows; ++i) {
    const ThumbnailRow& row = m_rows.thumbnails[static_cast<size_t>(i)];
    auto* thumbnail = Place<ui::ImageBox>(group, row.image, i, 1);
    thumbnail->setFixedSize(kThumbnailSide, kThumbnailSide);
    thumbnail->setAccessibleName(QString(m_rows.exports[static_cast<size_t>(i)].listText) +
                                 " thumbnail");
    thumbnail->setCursor(Qt::PointingHandCursor);
    connect(thumbnail, &ui::ImageBox::clicked, this,
            [this, thumbnail, slot = static_cast<size_t>(i)] {
              RunGuarded(m_bench, ActionWords(thumbnail), [this, slot] { OnThumbnailClick(slot); });
            });
    m_thumbnails.push_back(thumbnail);
    QLabel* size = Place<QLabel>(group, row.sizeLabel, i, 2);
    // Room for any size from the start, so the page does not shift when it is filled.
    size->setMinimumWidth(size->fontMetrics().horizontalAdvance("0000 * 0000"));
    if (row.fixedCaption != nullptr) {
      size->setText(row.fixedCaption);
      size->setVisible(false);  // shown by the first split
    }
    m_sizeLabels.push_back(size);
  }
  return group;
}

QWidget* ModelTexturePage::BuildPickGroup(const ModelPresses& presses) {
  QGroupBox* group = GroupWithGrid(this, m_rows.groups.pick);
  int line = 0;
  for (const PickRow& pick : m_rows.picks) {
    QLabel* caption = PlaceLabel(group, pick.caption, line, 0);
    auto* box = Place<QLineEdit>(group, pick.pathBox, line, 1);
    box->setReadOnly(true);
    ui::LabelFor(caption, box);
    m_pickPaths.push_back(box);
    ++line;
  }
  GridOf(group)->addWidget(Press(group, presses.pick, "Open"), line, 1, Qt::AlignRight);
  return group;
}

QWidget* ModelTexturePage::BuildExportGroup(const ModelPresses& presses) {
  QGroupBox* group = GroupWithGrid(this, m_rows.groups.exporting);
  m_exportList = ui::Child<QListWidget>(group);
  m_exportList->setObjectName(m_rows.exportList);
  for (const ExportSlotRow& slot : m_rows.exports) m_exportList->addItem(slot.listText);
  m_exportList->setMaximumHeight(120);
  GridOf(group)->addWidget(m_exportList, 0, 0, 1, 4);
  GridOf(group)->addWidget(Press(group, presses.exportSlot, "Export"), 1, 0);
  for (size_t f = 0; f < m_formats.size(); ++f) {
    m_formats[f] = Place<QRadioButton>(group, m_rows.formats[f], 1, static_cast<int>(f) + 1,
                                       QString(kFormatCaptions[f]));
  }
  return group;
}

void ModelTexturePage::ClearView() {
  m_preview->SetPicture(QPixmap());
  for (ui::ImageBox* thumbnail : m_thumbnails) thumbnail->SetPicture(QPixmap());
  for (size_t i = 0; i < m_sizeLabels.size(); ++i) {
    if (m_rows.thumbnails[i].fixedCaption == nullptr) m_sizeLabels[i]->clear();
  }
}

void ModelTexturePage::OpenModelFile(const std::function<void()>& next) {
  DerivedWork derived;
  for (const char* file :
       {m_rows.unpacked, kSignatureWork, kTempWork, kModelSectionWork, kHeadWork}) {
    derived.files.push_back(Work(file));
  }
  for (const SlotCut& cut : m_rows.cuts) {
    derived.files.push_back(Work(cut.slotFile));
    derived.files.push_back(Beside(Work(cut.slotFile), ".bmp"));
  }
  derived.clearView = [this] { ClearView(); };
  OnOpenAssetBin(m_bench, OpenAssetRow{&m_openDialog, m_rows.openText, m_filePath,
                                       Work(m_rows.workCopy), next, std::move(derived)});
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

void ModelTexturePage::CheckSignature(const std::function<void()>& split) {
  const CheckRow& row = m_rows.check;
  // Reading never makes a file: a reference file that is not there is a broken installation.
  RequireNonEmptyFile(Work(row.standardFile));
  RequireNonEmptyFile(Work(row.hdFile));
  const auto signature = corvane::ReadWholeFile(Work(kSignatureWork));
  const bool standard = signature == corvane::ReadWholeFile(Work(row.standardFile));
  const bool hd = signature == corvane::ReadWholeFile(Work(row.hdFile));
  const auto show = [this](const MessageRow& message) {
    m_bench.Message(message.text, message.style,
                    message.title != nullptr ? QString(message.title) : m_bench.Caption());
  };
  if (row.order == TestOrder::HdFirst) {
    if (hd) {
      show(row.alreadyHd);
    } else if (standard) {
      split();
    } else {
      show(row.notValid);
    }
    return;
  }
  if (standard) split();
  if (hd) {
    show(row.alreadyHd);
  } else if (!standard) {
    show(row.notValid);
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
  corvane::CutBlockToFile(unpacked, position, static_cast<int32_t>(length), Work(kTempWork));
}

void ModelTexturePage::CutSlots() {
  const fs::path temp = Work(kTempWork);
  int64_t length = 0;
  int32_t model = 0;
  {
    corvane::BinaryFile file(temp, corvane::BinaryFile::Mode::ReadOnly);
    length = file.Length();
    model = corvane::FindLong(file, 1, kModelSectionMarker);
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
    corvane::CutBlockToFile(temp, cut.start, static_cast<int32_t>(count), Work(cut.slotFile));
  }
}

void ModelTexturePage::MakePreviews() {
  for (const SlotCut& cut : m_rows.cuts) m_bench.LibImage().Corvane_DDS2BMP(Work(cut.slotFile));
}

void ModelTexturePage::ShowPreviews() {
  const auto bitmap = [this](size_t slot) {
    return Beside(Work(m_rows.cuts[slot].slotFile), ".bmp");
  };
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

void ModelTexturePage::PickHdTextures() {
  std::vector<PickStep> steps;
  for (size_t i = 0; i < m_rows.picks.size(); ++i) {
    const PickRow& pick = m_rows.picks[i];
    steps.push_back({&m_pickDialogs[i], pick.text, m_pickPaths[i], Work(pick.target), true});
  }
  OnPickHdTextureSet(m_bench, steps);
}

void ModelTexturePage::CreateHd(const std::function<void()>& build) {
  const MessageRow& missing = m_rows.optionMissing;
  OnCreateHdPress(
      m_bench,
      CreateHdRow{m_hdOption, missing.text, missing.style,
                  missing.title != nullptr ? QString(missing.title) : m_bench.Caption(), build});
}

void ModelTexturePage::RequirePieces() const {
  for (const ImagePiece& piece : m_rows.pieces) {
    try {
      RequireNonEmptyFile(Work(piece.file));
    } catch (const StepFailure& failure) {
      throw StepFailure(std::string("Nothing was built: ") + failure.what() +
                        " Open a file on this tab and pick its HD textures first.");
    }
  }
}

void ModelTexturePage::BuildPackAndOfferSave() {
  RequirePieces();
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
  m_bench.LibPack().Corvane_Pack(built);
  OfferSaveHd(m_bench, SaveHdRow{m_rows.builtQuestion,
                                 m_bench.Caption(),
                                 &m_saveDialog,
                                 m_rows.saveText,
                                 {},
                                 Beside(built, ".zlib")});
}

void ModelTexturePage::ExportSlot() {
  const MessageRow& notOpened = m_rows.notOpened;
  if (notOpened.text != nullptr && m_filePath->text().isEmpty()) {
    m_bench.Message(notOpened.text, notOpened.style,
                    notOpened.title != nullptr ? QString(notOpened.title) : m_bench.Caption());
    return;
  }
  std::vector<SlotExport> slotRows;
  for (const ExportSlotRow& slot : m_rows.exports) {
    const fs::path dds = Work(slot.slotFile);
    ExportRow row{dds, true, {}};
    for (size_t f = 0; f < m_formats.size(); ++f) {
      row.formats.push_back({m_formats[f], &m_bench.SharedDialog(m_rows.exportDialogs[f]),
                             slot.texts[f], kFormatConversions[f], Beside(dds, kFormatSuffixes[f]),
                             m_rows.notices[f]});
    }
    slotRows.push_back({slot.listText, std::move(row)});
  }
  OnExportSlotTexture(m_bench, m_exportList, slotRows);
}

}  // namespace texel
