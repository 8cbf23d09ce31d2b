// "Face HD": open a face file, refuse it when HD already, keep its bump texture, preview the
// face texture; rebuild around a 1024 x 1024 texture, pack and save; export the texture.
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "byte_range.h"
#include "face_bump.h"
#include "frame.h"
#include "image_box.h"
#include "single_texture_steps.h"
#include "tab_pages.h"
#include "tab_widgets.h"

namespace texel {

namespace {

// Size values of a standard face and the HD values that replace them, in this order.
constexpr int32_t kFaceSizeLarge = 87544;
constexpr int32_t kFaceSizeSmall = 87528;

// Work files in the face working folder.
constexpr const char* kWorkCopy = "Face.bin";
constexpr const char* kUnpacked = "Face.bin.unzlib";
constexpr const char* kPacked = "Face.bin.unzlib.zlib";
constexpr const char* kHdResult = "Face-HD.bin";
constexpr const char* kBump = "Bump.dds";
constexpr const char* kTexture = "Face.dds";
constexpr const char* kPreview = "Face.dds.bmp";
constexpr const char* kNewTexture = "Face-New.dds";
constexpr const char* kPngExport = "Face.dds.png";
constexpr const char* kJpgExport = "Face.dds.jpg";

// Dialogs and messages of the tab.
constexpr DialogText kOpenFaceDialog{"Open Gormla Face Bin", "Gormla Face Bin File (*.bin)|*.bin"};
constexpr DialogText kHdTextureDialog{"Open Hd Texture", "HD Texture (*.dds)|*.dds"};
constexpr DialogText kSaveHdDialog{"Save Gormla Hd Face", "Gormla Face Bin File (*.bin)|*.bin"};
constexpr DialogText kPngDialog{"Save Png Texture", "Png Texture (*.Png)|*.png"};
constexpr DialogText kJpgDialog{"Save Jpg Texture", "Jpg Texture (*.Jpg)|*.Jpg"};
constexpr DialogText kDdsDialog{"Save DDS Texture", "DDS Texture (*.DDS)|*.DDS"};
constexpr const char* kFilesMissing = "Error In Proccess , File's Not Found";  // error icon
constexpr const char* kOptionMissing = "Select Hd Option Please !";            // warning icon
constexpr const char* kTextureMissing = "File's Not Found";                    // information icon
constexpr const char* kBuilt = "Works Finished Succesfully";

class FaceTab : public QWidget {
 public:
  explicit FaceTab(Workbench& bench)
      : m_bench(bench),
        CD1("CD1", bench.Dialogs()),
        CD2("CD2", bench.Dialogs()),
        CD3("CD3", bench.Dialogs()),
        CD4("CD4", bench.Dialogs()) {
    BuildControls();
  }

 private:
  fs::path Work(const char* name) const { return m_bench.WorkFolder(AssetKind::Face) / name; }

  void BuildControls();
  void Connect(QPushButton* button, const char* handler, void (FaceTab::*step)()) {
    QObject::connect(button, &QPushButton::clicked, this, [this, handler, step] {
      RunGuarded(m_bench, handler, [&] { (this->*step)(); });
    });
  }

  void OnOpenFaceBin();
  void CheckFaceAlreadyHd();
  void ExtractFacePreview();
  void ShowFaceTextureInfo();
  void OnOpenHDTexture();
  void OnCreateHdFace();
  void OnExportFaceTexture();

  Workbench& m_bench;
  ui::CommonDialog CD1, CD2, CD3, CD4;
  QLineEdit* FacePath = nullptr;
  QLineEdit* FHDT = nullptr;
  QLineEdit* FB = nullptr;
  ui::ImageBox* ImgFace = nullptr;
  QRadioButton* FaceHDOption = nullptr;
  QRadioButton* FPNG = nullptr;
  QRadioButton* FJPG = nullptr;
  QRadioButton* FDDS = nullptr;
  QLabel* FaceTextureWidth = nullptr;
  QLabel* FaceTextureHeight = nullptr;
  QLabel* FaceDDSType = nullptr;
};

void FaceTab::BuildControls() {
  auto* page = ui::Child<QGridLayout>(this);
  setLayout(page);

  QGroupBox* open = GroupWithGrid(this, "Open File");
  PlaceLabel(open, "Face Bin File :", 0, 0);
  FacePath = Place<QLineEdit>(open, "FacePath", 0, 1);
  auto* cmdOpenFaceBin = Place<QPushButton>(open, "cmdOpenFaceBin", 0, 2, QString("Open"));
  page->addWidget(open, 0, 0, 1, 2);

  QGroupBox* preview = GroupWithGrid(this, "Texture Perview");
  ImgFace = PlacePreview(preview, "ImgFace");
  page->addWidget(preview, 1, 0, 4, 1);

  QGroupBox* texture = GroupWithGrid(this, "Open Texture");
  PlaceLabel(texture, "HD Texture :", 0, 0);
  FHDT = Place<QLineEdit>(texture, "FHDT", 0, 1);
  auto* cmdOpenHDTexture = Place<QPushButton>(texture, "cmdOpenHDTexture", 0, 2, QString("Open"));
  page->addWidget(texture, 1, 1);

  QGroupBox* done = GroupWithGrid(this, "Hd Done");
  auto* FCreateHD = Place<QPushButton>(done, "FCreateHD", 0, 0, QString("Create HD"));
  FaceHDOption = Place<QRadioButton>(done, "FaceHDOption", 0, 1, QString("1024 * 1024 Texture"));
  page->addWidget(done, 2, 1);

  QGroupBox* exporting = GroupWithGrid(this, "Export Texture");
  auto* FExportTexture =
      Place<QPushButton>(exporting, "FExportTexture", 0, 0, QString("Export Texture"));
  FPNG = Place<QRadioButton>(exporting, "FPNG", 0, 1, QString("PNG"));
  FJPG = Place<QRadioButton>(exporting, "FJPG", 0, 2, QString("JPG"));
  FDDS = Place<QRadioButton>(exporting, "FDDS", 0, 3, QString("DDS"));
  page->addWidget(exporting, 3, 1);

  QGroupBox* info = GroupWithGrid(this, "Face File Info");
  PlaceLabel(info, "Texture Width : ", 0, 0);
  FaceTextureWidth = Place<QLabel>(info, "FaceTextureWidth", 0, 1);
  PlaceLabel(info, "Texture Height : ", 1, 0);
  FaceTextureHeight = Place<QLabel>(info, "FaceTextureHeight", 1, 1);
  PlaceLabel(info, "DDS Type : ", 2, 0);
  FaceDDSType = Place<QLabel>(info, "FaceDDSType", 2, 1);
  page->addWidget(info, 4, 1);

  // The bump texture's position, carried from the open to the cut; not for the user.
  FB = ui::Child<QLineEdit>(this);
  FB->setObjectName("FB");
  FB->setReadOnly(true);
  FB->setVisible(false);

  Connect(cmdOpenFaceBin, "OnOpenFaceBin", &FaceTab::OnOpenFaceBin);
  Connect(cmdOpenHDTexture, "OnOpenHDTexture", &FaceTab::OnOpenHDTexture);
  Connect(FCreateHD, "OnCreateHdFace", &FaceTab::OnCreateHdFace);
  Connect(FExportTexture, "OnExportFaceTexture", &FaceTab::OnExportFaceTexture);
}

void FaceTab::OnOpenFaceBin() {
  OnOpenAssetBin(m_bench,
                 OpenAssetRow{&CD1, kOpenFaceDialog.title, kOpenFaceDialog.filter, FacePath,
                              Work(kWorkCopy), [this] { CheckFaceAlreadyHd(); }});
}

void FaceTab::CheckFaceAlreadyHd() {
  const fs::path unpacked = Work(kUnpacked);
  if (RefuseAlreadyHd(m_bench, unpacked)) return;

  FB->setText(ReadBumpOffset(unpacked));
  const int64_t position = FB->text().toLongLong();
  const std::vector<uint8_t> face = ReadWholeFile(unpacked);
  if (position < 1 || static_cast<uint64_t>(position) > face.size()) {
    throw StepFailure("The face file's bump texture offset (" + std::to_string(position - 1) +
                      ") lies outside the file (" + std::to_string(face.size()) + " bytes).");
  }
  WriteWholeFile(Work(kBump), std::vector<uint8_t>(face.begin() + (position - 1), face.end()));

  ExtractFacePreview();
  ShowFaceTextureInfo();
}

void FaceTab::ExtractFacePreview() {
  m_bench.LibExport().Corvane_Export_Data2FinishFile(Work(kUnpacked), corvane::kDdsMagic,
                                                     Work(kTexture));
  m_bench.LibImage().Corvane_DDS2BMP(Work(kTexture));
  ImgFace->LoadPicture(Work(kPreview));
}

void FaceTab::ShowFaceTextureInfo() {
  if (auto type = ScanDxtType(Work(kUnpacked), FourCcStride::EvenOffsets)) {
    FaceDDSType->setText(*type);
  }
  const QSize size = PictureSize(Work(kPreview));
  FaceTextureHeight->setText(PixelCaption(size.height()));
  FaceTextureWidth->setText(PixelCaption(size.width()));
}

void FaceTab::OnOpenHDTexture() {
  OnPickOneHdTexture(m_bench, PickTextureRow{&CD2, kHdTextureDialog.title, kHdTextureDialog.filter,
                                             FHDT, Work(kNewTexture), true});
}

void FaceTab::OnCreateHdFace() {
  FileSystemObject& files = m_bench.FileSystem();
  const bool haveFace = files.FileExists(Work(kUnpacked));
  const bool haveTexture = files.FileExists(Work(kNewTexture));
  if (!haveFace || !haveTexture) {
    m_bench.Message(kFilesMissing, ui::kErrorOk, m_bench.Caption());
    return;
  }
  if (!FaceHDOption->isChecked()) {
    m_bench.Message(kOptionMissing, ui::kWarningOk, m_bench.Caption());
    return;
  }
  // The bump texture is appended after the splice; without it the rebuild cannot finish, so
  // say so before any work file changes.
  if (!IsNonEmptyFile(Work(kBump))) {
    throw StepFailure(
        "No bump texture was kept from the face file (\"Bump.dds\"); open a "
        "standard face file first.");
  }
  m_bench.LibReplace().Corvane_Replace(Work(kUnpacked), kFaceSizeLarge, kHdSizeLarge);
  m_bench.LibReplace().Corvane_Replace(Work(kUnpacked), kFaceSizeSmall, kHdSizeSmall);
  if (!DdsSplice(Work(kUnpacked), Work(kNewTexture))) {
    m_bench.Message(kTextureMissing, ui::kInformationOk, m_bench.Caption());
    return;
  }
  AppendBumpToFace(m_bench.WorkFolder(AssetKind::Face));

  OfferSaveHd(m_bench,
              SaveHdRow{kBuilt, m_bench.Caption(), &CD3, kSaveHdDialog.title, kSaveHdDialog.filter,
                        [this] {
                          m_bench.LibPack().Corvane_Pack(Work(kUnpacked));
                          m_bench.FileSystem().MoveFile(Work(kPacked), Work(kHdResult));
                        },
                        Work(kHdResult)});
}

void FaceTab::OnExportFaceTexture() {
  OnExportSingleTexture(
      m_bench,
      ExportRow{
          &CD4,
          Work(kTexture),
          true,
          {
              {FPNG, kPngDialog.title, kPngDialog.filter, Conversion::Png, Work(kPngExport), true},
              {FJPG, kJpgDialog.title, kJpgDialog.filter, Conversion::Jpg, Work(kJpgExport), true},
              {FDDS, kDdsDialog.title, kDdsDialog.filter, Conversion::None, Work(kTexture), true},
          }});
}

}  // namespace

QWidget* CreateFaceTab(Workbench& bench, QWidget* parent) {
  return ui::Child<FaceTab>(parent, bench);
}

}  // namespace texel
