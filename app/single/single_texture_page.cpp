#include "single_texture_page.h"

#include <QPushButton>

#include "byte_range.h"
#include "tab_widgets.h"

namespace texel {

namespace {

QPushButton* PlacePress(QWidget* tab, Workbench& bench, AssetKind kind, QGroupBox* group,
                        const PressRow& press, int column, const QString& caption) {
  auto* button = Place<QPushButton>(group, press.button, 0, column, caption);
  QObject::connect(button, &QPushButton::clicked, tab, [&bench, kind, button, step = press.run] {
    RunGuarded(bench, ActionWords(button), [&] {
      RequireWorkFolder(bench, kind);
      step();
    });
  });
  return button;
}

QLineEdit* PlacePathRow(QWidget* tab, Workbench& bench, AssetKind kind, QGroupBox* group,
                        const PathRow& row, const PressRow& open) {
  PlaceLabel(group, row.caption, 0, 0);
  auto* box = Place<QLineEdit>(group, row.pathBox, 0, 1);
  PlacePress(tab, bench, kind, group, open, 2, "Open");
  return box;
}

}  // namespace

SingleTextureTab::SingleTextureTab(Workbench& bench, const SingleTexturePageRows& rows,
                                   PagePresses presses)
    : m_bench(bench),
      m_openDialog(rows.dialogs.open, bench.Dialogs()),
      m_textureDialog(rows.dialogs.texture, bench.Dialogs()),
      m_saveDialog(rows.dialogs.save, bench.Dialogs()),
      m_exportDialog(rows.dialogs.exporting, bench.Dialogs()),
      m_kind(rows.kind) {
  BuildPage(rows, presses);
}

void SingleTextureTab::BuildPage(const SingleTexturePageRows& rows, const PagePresses& presses) {
  auto* page = ui::Child<QGridLayout>(this);
  setLayout(page);

  for (const GroupPlace& place : rows.groups) {
    QGroupBox* group = nullptr;
    switch (place.group) {
      case PageGroup::OpenFile:
        group = GroupWithGrid(this, "Open File");
        m_filePath = PlacePathRow(this, m_bench, m_kind, group, rows.file, presses.open);
        break;
      case PageGroup::Preview:
        group = GroupWithGrid(this, "Texture Perview");
        m_preview = PlacePreview(group, rows.preview);
        break;
      case PageGroup::OpenTexture:
        group = GroupWithGrid(this, "Open Texture");
        m_texturePath =
            PlacePathRow(this, m_bench, m_kind, group, rows.texture, presses.pickTexture);
        break;
      case PageGroup::HdDone:
        group = GroupWithGrid(this, "Hd Done");
        PlacePress(this, m_bench, m_kind, group, presses.create, 0, "Create HD");
        m_hdOption = Place<QRadioButton>(group, rows.hdOption, 0, 1, QString(rows.hdOptionCaption));
        break;
      case PageGroup::ExportTexture:
        group = GroupWithGrid(this, "Export Texture");
        PlacePress(this, m_bench, m_kind, group, presses.exportTexture, 0, rows.exportCaption);
        m_png = Place<QRadioButton>(group, rows.formats[0], 0, 1, QString("PNG"));
        m_jpg = Place<QRadioButton>(group, rows.formats[1], 0, 2, QString("JPG"));
        m_dds = Place<QRadioButton>(group, rows.formats[2], 0, 3, QString("DDS"));
        break;
      case PageGroup::FileInfo: {
        group = GroupWithGrid(this, rows.infoCaption);
        int line = 0;
        for (const InfoRow& info : rows.info) {
          PlaceLabel(group, info.caption, line, 0);
          QLabel* value = Place<QLabel>(group, info.name, line, 1);
          ++line;
          switch (info.value) {
            case InfoValue::Width:
              m_width = value;
              break;
            case InfoValue::Height:
              m_height = value;
              break;
            case InfoValue::DdsType:
              m_ddsType = value;
              break;
          }
        }
        break;
      }
    }
    page->addWidget(group, place.row, place.column, place.rowSpan, place.columnSpan);
  }
}

void SingleTextureTab::ShowPreview(const char* source, const char* texture, const char* bitmap) {
  m_bench.LibExport().Corvane_Export_Data2FinishFile(Work(source), corvane::kDdsMagic,
                                                     Work(texture));
  m_bench.LibImage().Corvane_DDS2BMP(Work(texture));
  m_preview->LoadPicture(Work(bitmap));
}

void SingleTextureTab::ShowTextureInfo(const char* scanned, FourCcStride stride,
                                       const char* bitmap) {
  if (auto type = ScanDxtType(Work(scanned), stride)) m_ddsType->setText(*type);
  const QSize size = PictureSize(Work(bitmap));
  m_height->setText(PixelCaption(size.height()));
  m_width->setText(PixelCaption(size.width()));
}

void SingleTextureTab::PickHdTexture(const DialogText& text, const char* target,
                                     bool pathBoxFirst) {
  const PickStep step{&m_textureDialog, text, m_texturePath, Work(target), pathBoxFirst};
  OnPickHdTextureSet(m_bench, std::span(&step, 1));
}

bool SingleTextureTab::BuildSpliced(const SpliceBuildRow& row) {
  for (const SizePatch& patch : row.patches) {
    m_bench.LibReplace().Corvane_Replace(Work(row.workFile), patch.standard, patch.hd);
  }
  if (DdsSplice(Work(row.workFile), Work(row.newTexture))) return true;
  m_bench.Message(row.noDdsMessage, row.noDdsStyle,
                  row.noDdsTitle != nullptr ? QString(row.noDdsTitle) : m_bench.Caption());
  return false;
}

void SingleTextureTab::CreatePackedHd(const PackedBuildRow& row,
                                      const std::function<void()>& beforeBuild,
                                      const std::function<void()>& afterSplice) {
  const SpliceBuildRow& splice = row.splice;
  FileSystemObject& files = m_bench.FileSystem();
  if (!files.FileExists(Work(splice.workFile)) || !files.FileExists(Work(splice.newTexture))) {
    m_bench.Message(row.filesMissing, row.filesMissingStyle, m_bench.Caption());
    return;
  }
  if (!m_hdOption->isChecked()) {
    m_bench.Message("Select Hd Option Please !", ui::kWarningOk, m_bench.Caption());
    return;
  }
  if (beforeBuild) beforeBuild();
  if (!BuildSpliced(splice)) return;
  if (afterSplice) afterSplice();
  OfferSaveHd(m_bench,
              SaveHdRow{"Works Finished Succesfully", m_bench.Caption(), &m_saveDialog, row.save,
                        [this, &row] {
                          m_bench.LibPack().Corvane_Pack(Work(row.splice.workFile));
                          m_bench.FileSystem().MoveFile(Work(row.packed), Work(row.result));
                        },
                        Work(row.result)});
}

DerivedWork SingleTextureTab::Derived(std::initializer_list<const char*> files) {
  DerivedWork derived;
  for (const char* file : files) derived.files.push_back(Work(file));
  derived.clearView = [this] {
    m_preview->SetPicture(QPixmap());
    for (QLabel* label : {m_width, m_height, m_ddsType}) label->clear();
  };
  return derived;
}

void SingleTextureTab::ExportTexture(const char* texture, const ExportTexts& texts) {
  const fs::path dds = Work(texture);
  const auto beside = [&dds](const char* suffix) { return fs::path(dds.string() + suffix); };
  ui::CommonDialog* dialog = &m_exportDialog;
  OnExportSingleTexture(
      m_bench,
      ExportRow{
          dds,
          texts.convertBeforeDialog,
          {
              {m_png, dialog, texts.png, Conversion::Png, beside(".png"), SavedNotice::WithPath},
              {m_jpg, dialog, texts.jpg, Conversion::Jpg, beside(".jpg"), SavedNotice::WithPath},
              {m_dds, dialog, texts.dds, Conversion::None, dds, texts.ddsNotice},
          }});
}

}  // namespace texel
