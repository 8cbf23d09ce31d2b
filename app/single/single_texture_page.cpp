#include "single_texture_page.h"

#include "byte_range.h"
#include "tab_widgets.h"

namespace texel {

SingleTextureTab::SingleTextureTab(Workbench& bench, const SingleTexturePageRows& rows,
                                   TabPresses presses)
    : TabPage(bench, rows.kind, rows.dialogs.open, rows.dialogs.save),
      m_textureDialog(rows.dialogs.texture, bench.Dialogs()),
      m_exportDialog(rows.dialogs.exporting, bench.Dialogs()) {
  BuildPage(rows, presses);
}

void SingleTextureTab::BuildPage(const SingleTexturePageRows& rows, const TabPresses& presses) {
  auto* page = ui::Child<QGridLayout>(this);
  setLayout(page);

  for (const GroupPlace& place : rows.groups) {
    QGroupBox* group = nullptr;
    switch (place.group) {
      case PageGroup::OpenFile:
        group = MakePathGroup("Open File", rows.file.caption, rows.file.pathBox, presses.open,
                              &m_filePath);
        break;
      case PageGroup::Preview:
        group = GroupWithGrid(this, "Texture Perview");
        m_preview = PlacePreview(group, rows.preview);
        ShowsPicture(m_preview);
        break;
      case PageGroup::OpenTexture:
        group = MakePathGroup("Open Texture", rows.texture.caption, rows.texture.pathBox,
                              presses.pick, &m_texturePath);
        break;
      case PageGroup::HdDone:
        group = MakeHdDoneGroup("Hd Done", presses.create, "Create HD", rows.hdOption,
                                rows.hdOptionCaption);
        break;
      case PageGroup::ExportTexture:
        group = GroupWithGrid(this, "Export Texture");
        PlaceExportLine(group, 0, presses.exportTexture, rows.exportCaption, rows.formats);
        break;
      case PageGroup::FileInfo: {
        group = GroupWithGrid(this, rows.infoCaption);
        int line = 0;
        for (const InfoRow& info : rows.info) {
          PlaceLabel(group, info.caption, line, 0);
          QLabel* value = Place<QLabel>(group, info.name, line, 1);
          ShowsValue(value);
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
  CutFromOpenedFile(Work(texture), "the texture");
  m_bench.LibImage().Corvane_DDS2BMP(Work(texture));
  m_preview->LoadPicture(Work(bitmap));
}

void SingleTextureTab::ShowTextureInfo(const char* scanned, FourCcStride stride,
                                       const char* bitmap) {
  if (auto type = ScanDxtType(Work(scanned), stride)) m_ddsType->setText(*type);
  const QSize size = ui::BitmapPixelSize(Work(bitmap));
  m_height->setText(PixelCaption(size.height()));
  m_width->setText(PixelCaption(size.width()));
}

void SingleTextureTab::OnPickOneHdTexture(const DialogText& text, const char* target,
                                          bool pathBoxFirst) {
  const PickStep step{&m_textureDialog, text, m_texturePath, Work(target), pathBoxFirst};
  OnPickHdTextureSet(std::span(&step, 1));
}

bool SingleTextureTab::BuildSpliced(const SpliceBuildRow& row) {
  for (const SizePatch& patch : row.patches) {
    m_bench.LibReplace().Corvane_Replace(Work(row.workFile), patch.standard, patch.hd);
  }
  if (DdsSplice(Work(row.workFile), Work(row.newTexture))) return true;
  m_bench.Show(row.noDds);
  return false;
}

bool SingleTextureTab::ReadyToBuild(const PackedBuildRow& row) {
  FileSystemObject& files = m_bench.FileSystem();
  if (!files.FileExists(Work(row.splice.workFile)) ||
      !files.FileExists(Work(row.splice.newTexture))) {
    m_bench.Show(row.filesMissing);
    return false;
  }
  return OnCreateHdPress({"Select Hd Option Please !", ui::kWarningOk, nullptr});
}

void SingleTextureTab::OfferPackedSave(const PackedBuildRow& row) {
  OfferSaveHd(m_bench, {{"Works Finished Succesfully", ui::kInformationYesNo, nullptr},
                        &m_saveDialog,
                        row.save,
                        Work(row.splice.workFile),
                        Packing::AfterChoosingName,
                        Work(row.result)});
}

void SingleTextureTab::ExportTexture(const char* texture, const ExportTexts& texts) {
  ui::CommonDialog* dialog = &m_exportDialog;
  OnExportSingleTexture(m_bench, ExportOf(Work(texture), {dialog, dialog, dialog}, texts.texts,
                                          texts.notices, texts.convertBeforeDialog));
}

}  // namespace texel
