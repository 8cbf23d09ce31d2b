// "Truf HD": the turf file is plain, not packed; it is patched and spliced in place around a
// 4096 x 2048 texture and saved as it stands.
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "byte_range.h"
#include "frame.h"
#include "image_box.h"
#include "single_texture_steps.h"
#include "tab_pages.h"
#include "tab_widgets.h"

namespace texel {

namespace {

// Size values of a standard turf (2048 x 1024 DXT1 with twelve levels, and 16 and 56 more)
// and their HD values (4096 x 2048 with thirteen levels), replaced in this order.
struct SizePatch {
  int32_t standard;
  int32_t hd;
};
constexpr SizePatch kTurfSizePatches[] = {
    {1398304, 5592608},
    {1398264, 5592568},
    {1398248, 5592552},
};

// One spelling for each work file, however the build names it.
constexpr const char* kWorkCopy = "Truf.bin";
constexpr const char* kTexture = "Truf.dds";
constexpr const char* kPreview = "Truf.dds.bmp";
constexpr const char* kNewTexture = "Truf-new.dds";
constexpr const char* kPngExport = "Truf.dds.png";
constexpr const char* kJpgExport = "Truf.dds.jpg";

// Dialogs and messages of the tab.
constexpr DialogText kOpenTrufDialog{"Open Gormla Truf File", "Gormla Truf Bin File(*.bin)|*.bin"};
constexpr DialogText kHdTextureDialog{"Open Hd Truf Texture", "DDS Texture (*.DDS)|*.DDS"};
constexpr DialogText kSaveHdDialog{"Save Gormla Hd Truf", "Gormla Hd Ttuf(*.bin)|*.bin"};
constexpr DialogText kPngDialog{"Save Truf Texture", "Save Png Texture (*.Png)|*.png"};
constexpr DialogText kJpgDialog{"Save Truf Texture", "Save Jpg Texture (*.Jpg)|*.jpg"};
constexpr DialogText kDdsDialog{"Save Truf Texture", "Save DDS Texture (*.DDS)|*.DDS"};
constexpr const char* kOptionMissing = "Select hd Option Please !";             // error icon
constexpr const char* kNotFound = "File of Truf Bin Or File of DDS Not Found";  // no icon
constexpr const char* kBuilt = "Work's Finished Succesfull";
constexpr const char* kBuiltTitle = "Finish & Save Confirm...";

class TrufTab : public QWidget {
 public:
  explicit TrufTab(Workbench& bench)
      : m_bench(bench),
        CD33("CD33", bench.Dialogs()),
        CD34("CD34", bench.Dialogs()),
        CD35("CD35", bench.Dialogs()),
        CD36("CD36", bench.Dialogs()) {
    BuildControls();
  }

 private:
  fs::path Work(const char* name) const { return m_bench.WorkFolder(AssetKind::Truf) / name; }

  void BuildControls();
  void Connect(QPushButton* button, const char* handler, void (TrufTab::*step)()) {
    QObject::connect(button, &QPushButton::clicked, this, [this, handler, step] {
      RunGuarded(m_bench, handler, [&] { (this->*step)(); });
    });
  }

  void OnOpenTruf();
  void ShowTrufTextureInfo();
  void OnOpenTrufTexture();
  void OnCreateHdTruf();
  void BuildHdTruf();
  void OnExportTrufTexture();

  Workbench& m_bench;
  ui::CommonDialog CD33, CD34, CD35, CD36;
  QLineEdit* TurfPath = nullptr;
  QLineEdit* trufTexturePath = nullptr;
  ui::ImageBox* imgTruf = nullptr;
  QRadioButton* Truf_HD_Option = nullptr;
  QRadioButton* TPNG = nullptr;
  QRadioButton* TJPG = nullptr;
  QRadioButton* TDDS = nullptr;
  QLabel* Truf_DDS = nullptr;
  QLabel* TTH = nullptr;
  QLabel* TTW = nullptr;
};

void TrufTab::BuildControls() {
  auto* page = ui::Child<QGridLayout>(this);
  setLayout(page);

  QGroupBox* open = GroupWithGrid(this, "Open File");
  PlaceLabel(open, "Truf Bin File :", 0, 0);
  TurfPath = Place<QLineEdit>(open, "TurfPath", 0, 1);
  auto* cmdOpenTruf = Place<QPushButton>(open, "cmdOpenTruf", 0, 2, QString("Open"));
  page->addWidget(open, 0, 0, 1, 2);

  QGroupBox* texture = GroupWithGrid(this, "Open Texture");
  PlaceLabel(texture, "Truf Texture :", 0, 0);
  trufTexturePath = Place<QLineEdit>(texture, "trufTexturePath", 0, 1);
  auto* cmdOpenTrufTexture =
      Place<QPushButton>(texture, "cmdOpenTrufTexture", 0, 2, QString("Open"));
  page->addWidget(texture, 1, 0, 1, 2);

  QGroupBox* exporting = GroupWithGrid(this, "Export Texture");
  auto* cmdExportTrufTexture =
      Place<QPushButton>(exporting, "cmdExportTrufTexture", 0, 0, QString("Export"));
  TPNG = Place<QRadioButton>(exporting, "TPNG", 0, 1, QString("PNG"));
  TJPG = Place<QRadioButton>(exporting, "TJPG", 0, 2, QString("JPG"));
  TDDS = Place<QRadioButton>(exporting, "TDDS", 0, 3, QString("DDS"));
  page->addWidget(exporting, 2, 1);

  QGroupBox* preview = GroupWithGrid(this, "Texture Perview");
  imgTruf = PlacePreview(preview, "imgTruf");
  page->addWidget(preview, 2, 0, 3, 1);

  QGroupBox* done = GroupWithGrid(this, "Hd Done");
  auto* cmd_CreateHD_Truf =
      Place<QPushButton>(done, "cmd_CreateHD_Truf", 0, 0, QString("Create HD"));
  Truf_HD_Option =
      Place<QRadioButton>(done, "Truf_HD_Option", 0, 1, QString("4096 * 2048 Texture"));
  page->addWidget(done, 3, 1);

  QGroupBox* info = GroupWithGrid(this, "Truf  File Info");
  PlaceLabel(info, "DDS Type : ", 0, 0);
  Truf_DDS = Place<QLabel>(info, "Truf_DDS", 0, 1);
  PlaceLabel(info, "Height : ", 1, 0);
  TTH = Place<QLabel>(info, "TTH", 1, 1);
  PlaceLabel(info, "Width : ", 2, 0);
  TTW = Place<QLabel>(info, "TTW", 2, 1);
  page->addWidget(info, 4, 1);

  Connect(cmdOpenTruf, "OnOpenTruf", &TrufTab::OnOpenTruf);
  Connect(cmdOpenTrufTexture, "OnOpenTrufTexture", &TrufTab::OnOpenTrufTexture);
  Connect(cmd_CreateHD_Truf, "OnCreateHdTruf", &TrufTab::OnCreateHdTruf);
  Connect(cmdExportTrufTexture, "OnExportTrufTexture", &TrufTab::OnExportTrufTexture);
}

void TrufTab::OnOpenTruf() {
  CD33.DialogTitle = kOpenTrufDialog.title;
  CD33.Filter = kOpenTrufDialog.filter;
  CD33.ShowOpen();
  if (CD33.FileName.isEmpty()) return;
  TurfPath->setText(CD33.FileName);
  m_bench.FileSystem().CopyFile(ToPath(CD33.FileName), Work(kWorkCopy));
  m_bench.LibExport().Corvane_Export_Data2FinishFile(Work(kWorkCopy), corvane::kDdsMagic,
                                                     Work(kTexture));
  m_bench.LibImage().Corvane_DDS2BMP(Work(kTexture));
  imgTruf->LoadPicture(Work(kPreview));
  ShowTrufTextureInfo();
}

void TrufTab::ShowTrufTextureInfo() {
  if (auto type = ScanDxtType(Work(kWorkCopy), FourCcStride::EveryOffset)) {
    Truf_DDS->setText(*type);
  }
  const QSize size = PictureSize(Work(kPreview));
  TTW->setText(PixelCaption(size.width()));
  TTH->setText(PixelCaption(size.height()));
}

void TrufTab::OnOpenTrufTexture() {
  OnPickOneHdTexture(m_bench, PickTextureRow{&CD35, kHdTextureDialog.title, kHdTextureDialog.filter,
                                             trufTexturePath, Work(kNewTexture), false});
}

void TrufTab::OnCreateHdTruf() {
  OnCreateHdPress(m_bench, CreateHdRow{Truf_HD_Option, kOptionMissing, ui::kErrorOk,
                                       m_bench.Caption(), [this] { BuildHdTruf(); }});
}

void TrufTab::BuildHdTruf() {
  // Nothing opened or no texture picked: nothing to build, and no empty work file made.
  if (!IsNonEmptyFile(Work(kWorkCopy)) || !IsNonEmptyFile(Work(kNewTexture))) {
    m_bench.Message(kNotFound, ui::kPlainOk, kApplicationTitle);
    return;
  }
  for (const SizePatch& patch : kTurfSizePatches) {
    m_bench.LibReplace().Corvane_Replace(Work(kWorkCopy), patch.standard, patch.hd);
  }
  if (!DdsSplice(Work(kWorkCopy), Work(kNewTexture))) {
    m_bench.Message(kNotFound, ui::kPlainOk, kApplicationTitle);
    return;
  }
  OfferSaveHd(m_bench, SaveHdRow{kBuilt,
                                 kBuiltTitle,
                                 &CD36,
                                 kSaveHdDialog.title,
                                 kSaveHdDialog.filter,
                                 {},
                                 Work(kWorkCopy)});
}

void TrufTab::OnExportTrufTexture() {
  OnExportSingleTexture(
      m_bench,
      ExportRow{
          &CD34,
          Work(kTexture),
          true,
          {
              {TPNG, kPngDialog.title, kPngDialog.filter, Conversion::Png, Work(kPngExport), true},
              {TJPG, kJpgDialog.title, kJpgDialog.filter, Conversion::Jpg, Work(kJpgExport), true},
              {TDDS, kDdsDialog.title, kDdsDialog.filter, Conversion::None, Work(kTexture), true},
          }});
}

}  // namespace

QWidget* CreateTrufTab(Workbench& bench, QWidget* parent) {
  return ui::Child<TrufTab>(parent, bench);
}

}  // namespace texel
