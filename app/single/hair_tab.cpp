// "Hair HD": the face tab's work for a hair file, without a bump texture.
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

// Size values of a standard hair file (512 x 512 DXT5 with ten levels, and 16 more) and the
// HD values that replace them, in this order.
constexpr int32_t kHairSizeLarge = 349696;
constexpr int32_t kHairSizeSmall = 349680;

constexpr const char* kWorkCopy = "Hair.bin";
constexpr const char* kUnpacked = "Hair.bin.unzlib";
constexpr const char* kPacked = "Hair.bin.unzlib.zlib";
constexpr const char* kHdResult = "Hair-HD.bin";
constexpr const char* kTexture = "Hair.dds";
constexpr const char* kPreview = "Hair.dds.bmp";
constexpr const char* kNewTexture = "Hair-New.dds";
constexpr const char* kPngExport = "Hair.dds.png";
constexpr const char* kJpgExport = "Hair.dds.jpg";

// Dialogs and messages of the tab; its open and export filters have no blank before "(".
constexpr DialogText kOpenHairDialog{"Open Gormla Hair Bin", "Gormla Hair Bin File(*.bin)|*.bin"};
constexpr DialogText kHdTextureDialog{"Open Hd Texture", "HD Texture (*.dds)|*.dds"};
constexpr DialogText kSaveHdDialog{"Save Gormla Hd Hair", "Gormla Hair Bin File (*.bin)|*.bin"};
constexpr DialogText kPngDialog{"Save Png Hair Texture", "Png Texture(*.Png)|*.png"};
constexpr DialogText kJpgDialog{"Save Jpg Hair Texture", "Jpg Texture(*.Jpg)|*.jpg"};
constexpr DialogText kDdsDialog{"Save DDS Hair Texture", "DDS Texture(*.DDS)|*.DDS"};
constexpr const char* kFilesMissing = "File's Not Found";            // information icon
constexpr const char* kOptionMissing = "Select Hd Option Please !";  // warning icon
constexpr const char* kTextureMissing = "File's Not Found";          // information icon
constexpr const char* kBuilt = "Works Finished Succesfully";

class HairTab : public QWidget {
 public:
  explicit HairTab(Workbench& bench)
      : m_bench(bench),
        CD5("CD5", bench.Dialogs()),
        CD6("CD6", bench.Dialogs()),
        CD7("CD7", bench.Dialogs()),
        CD8("CD8", bench.Dialogs()) {
    BuildControls();
  }

 private:
  fs::path Work(const char* name) const { return m_bench.WorkFolder(AssetKind::Hair) / name; }

  void BuildControls();
  void Connect(QPushButton* button, const char* handler, void (HairTab::*step)()) {
    QObject::connect(button, &QPushButton::clicked, this, [this, handler, step] {
      RunGuarded(m_bench, handler, [&] { (this->*step)(); });
    });
  }

  void OnHairOpen();
  void CheckHairAlreadyHd();
  void ExtractHairPreview();
  void ShowHairTextureInfo();
  void OnHairTextureOpen();
  void OnCreateHdHair();
  void OnExportHairtexture();

  Workbench& m_bench;
  ui::CommonDialog CD5, CD6, CD7, CD8;
  QLineEdit* HairBin = nullptr;
  QLineEdit* HTexture = nullptr;
  ui::ImageBox* ImgHair = nullptr;
  QRadioButton* HairHDOption = nullptr;
  QRadioButton* HPNG = nullptr;
  QRadioButton* HJPG = nullptr;
  QRadioButton* HDDS = nullptr;
  QLabel* HDDSType = nullptr;
  QLabel* HTextureHeight = nullptr;
  QLabel* HTextureWidth = nullptr;
};

void HairTab::BuildControls() {
  auto* page = ui::Child<QGridLayout>(this);
  setLayout(page);

  QGroupBox* open = GroupWithGrid(this, "Open File");
  PlaceLabel(open, "Hair Bin File :", 0, 0);
  HairBin = Place<QLineEdit>(open, "HairBin", 0, 1);
  auto* cmdHairOpen = Place<QPushButton>(open, "cmdHairOpen", 0, 2, QString("Open"));
  page->addWidget(open, 0, 0, 1, 2);

  QGroupBox* preview = GroupWithGrid(this, "Texture Perview");
  ImgHair = PlacePreview(preview, "ImgHair");
  page->addWidget(preview, 1, 0, 4, 1);

  QGroupBox* texture = GroupWithGrid(this, "Open Texture");
  PlaceLabel(texture, "HD Texture :", 0, 0);
  HTexture = Place<QLineEdit>(texture, "HTexture", 0, 1);
  auto* cmdHairTextureOpen =
      Place<QPushButton>(texture, "cmdHairTextureOpen", 0, 2, QString("Open"));
  page->addWidget(texture, 1, 1);

  QGroupBox* done = GroupWithGrid(this, "Hd Done");
  auto* CreateHdHair = Place<QPushButton>(done, "CreateHdHair", 0, 0, QString("Create HD"));
  HairHDOption = Place<QRadioButton>(done, "HairHDOption", 0, 1, QString("1024 * 1024 Texture"));
  page->addWidget(done, 2, 1);

  QGroupBox* exporting = GroupWithGrid(this, "Export Texture");
  auto* ExportHairtexture =
      Place<QPushButton>(exporting, "ExportHairtexture", 0, 0, QString("Export Texture"));
  HPNG = Place<QRadioButton>(exporting, "HPNG", 0, 1, QString("PNG"));
  HJPG = Place<QRadioButton>(exporting, "HJPG", 0, 2, QString("JPG"));
  HDDS = Place<QRadioButton>(exporting, "HDDS", 0, 3, QString("DDS"));
  page->addWidget(exporting, 3, 1);

  QGroupBox* info = GroupWithGrid(this, "Hair File Info");
  PlaceLabel(info, "DDS Type : ", 0, 0);
  HDDSType = Place<QLabel>(info, "HDDSType", 0, 1);
  PlaceLabel(info, "Texture Height : ", 1, 0);
  HTextureHeight = Place<QLabel>(info, "HTextureHeight", 1, 1);
  PlaceLabel(info, "Texture Width : ", 2, 0);
  HTextureWidth = Place<QLabel>(info, "HTextureWidth", 2, 1);
  page->addWidget(info, 4, 1);

  Connect(cmdHairOpen, "OnHairOpen", &HairTab::OnHairOpen);
  Connect(cmdHairTextureOpen, "OnHairTextureOpen", &HairTab::OnHairTextureOpen);
  Connect(CreateHdHair, "OnCreateHdHair", &HairTab::OnCreateHdHair);
  Connect(ExportHairtexture, "OnExportHairtexture", &HairTab::OnExportHairtexture);
}

void HairTab::OnHairOpen() {
  OnOpenAssetBin(m_bench, OpenAssetRow{&CD5, kOpenHairDialog.title, kOpenHairDialog.filter, HairBin,
                                       Work(kWorkCopy), [this] { CheckHairAlreadyHd(); }});
}

void HairTab::CheckHairAlreadyHd() {
  if (RefuseAlreadyHd(m_bench, Work(kUnpacked))) return;
  ExtractHairPreview();
  ShowHairTextureInfo();
}

void HairTab::ExtractHairPreview() {
  m_bench.LibExport().Corvane_Export_Data2FinishFile(Work(kUnpacked), corvane::kDdsMagic,
                                                     Work(kTexture));
  m_bench.LibImage().Corvane_DDS2BMP(Work(kTexture));
  ImgHair->LoadPicture(Work(kPreview));
}

void HairTab::ShowHairTextureInfo() {
  if (auto type = ScanDxtType(Work(kUnpacked), FourCcStride::EvenOffsets)) {
    HDDSType->setText(*type);
  }
  const QSize size = PictureSize(Work(kPreview));
  HTextureHeight->setText(PixelCaption(size.height()));
  HTextureWidth->setText(PixelCaption(size.width()));
}

void HairTab::OnHairTextureOpen() {
  OnPickOneHdTexture(m_bench, PickTextureRow{&CD6, kHdTextureDialog.title, kHdTextureDialog.filter,
                                             HTexture, Work(kNewTexture), true});
}

void HairTab::OnCreateHdHair() {
  FileSystemObject& files = m_bench.FileSystem();
  if (!files.FileExists(Work(kUnpacked)) || !files.FileExists(Work(kNewTexture))) {
    m_bench.Message(kFilesMissing, ui::kInformationOk, m_bench.Caption());
    return;
  }
  if (!HairHDOption->isChecked()) {
    m_bench.Message(kOptionMissing, ui::kWarningOk, m_bench.Caption());
    return;
  }
  m_bench.LibReplace().Corvane_Replace(Work(kUnpacked), kHairSizeLarge, kHdSizeLarge);
  m_bench.LibReplace().Corvane_Replace(Work(kUnpacked), kHairSizeSmall, kHdSizeSmall);
  if (!DdsSplice(Work(kUnpacked), Work(kNewTexture))) {
    m_bench.Message(kTextureMissing, ui::kInformationOk, m_bench.Caption());
    return;
  }

  OfferSaveHd(m_bench,
              SaveHdRow{kBuilt, m_bench.Caption(), &CD7, kSaveHdDialog.title, kSaveHdDialog.filter,
                        [this] {
                          m_bench.LibPack().Corvane_Pack(Work(kUnpacked));
                          m_bench.FileSystem().MoveFile(Work(kPacked), Work(kHdResult));
                        },
                        Work(kHdResult)});
}

void HairTab::OnExportHairtexture() {
  OnExportSingleTexture(
      m_bench,
      ExportRow{
          &CD8,
          Work(kTexture),
          false,
          {
              {HPNG, kPngDialog.title, kPngDialog.filter, Conversion::Png, Work(kPngExport), true},
              {HJPG, kJpgDialog.title, kJpgDialog.filter, Conversion::Jpg, Work(kJpgExport), true},
              {HDDS, kDdsDialog.title, kDdsDialog.filter, Conversion::None, Work(kTexture), false},
          }});
}

}  // namespace

QWidget* CreateHairTab(Workbench& bench, QWidget* parent) {
  return ui::Child<HairTab>(parent, bench);
}

}  // namespace texel
