#include "tab_page.h"

#include <system_error>

#include "accessibility.h"
#include "child.h"
#include "output_name.h"
#include "tab_widgets.h"
#include "work_folder_fault.h"

namespace texel {

namespace {

constexpr std::array<const char*, 3> kFormatCaptions = {"PNG", "JPG", "DDS"};
constexpr std::array<Conversion, 3> kFormatConversions = {Conversion::Png, Conversion::Jpg,
                                                          Conversion::None};
// What each format copies to the user's name: the conversion beside the texture, or itself.
constexpr std::array<const char*, 3> kFormatSuffixes = {".png", ".jpg", nullptr};

}  // namespace

TabPage::TabPage(Workbench& bench, AssetKind kind, const char* openDialog, const char* saveDialog)
    : m_bench(bench),
      m_openDialog(openDialog, bench.Dialogs()),
      m_saveDialog(saveDialog, bench.Dialogs()),
      m_kind(kind) {}

QPushButton* TabPage::MakePress(QWidget* parent, const PressRow& press, const QString& caption) {
  auto* button = ui::Child<QPushButton>(parent, caption);
  button->setObjectName(press.button);
  OnSignal(button, &QPushButton::clicked, [this, run = press.run] { RunPress(run); });
  return button;
}

void TabPage::RunPress(const std::function<void()>& run) {
  RequireWorkFolder(m_bench, m_kind);
  m_opened.reset();
  try {
    run();
  } catch (const std::exception& error) {
    // A folder removed while the press ran (behind a question, say) is the reason, whatever
    // step then failed on it.
    RequireWorkFolder(m_bench, m_kind);
    if (!m_opened) throw;
    // Nothing the refused file left may pass for an opened file: not its copy, not what was
    // derived from it, not the view.
    const std::string user = m_opened->chosen.toStdString();
    std::vector<UserWords> words = {{m_opened->workCopy, user, {}}};
    std::error_code ignored;
    fs::remove(m_opened->workCopy, ignored);
    for (const fs::path& file : m_derived) {
      const auto cut = m_origins.find(file);
      const bool fromThisFile = cut != m_origins.end() && cut->second.userFile == user;
      words.push_back({file, user, fromThisFile ? cut->second.texture : std::string()});
      fs::remove(file, ignored);
      if (cut != m_origins.end()) m_origins.erase(cut);
    }
    ClearView();
    // Neither the program's own folder nor its data is any fault of the user's file.
    if (std::optional<UserFacingFailure> workFolder = WorkFolderFault(m_bench, error)) {
      throw *std::move(workFolder);
    }
    if (dynamic_cast<const ProgramDataFailure*>(&error) != nullptr ||
        dynamic_cast<const InstallationFault*>(&error) != nullptr) {
      throw;
    }
    throw InUsersWords(error, std::move(words));
  }
}

QLineEdit* TabPage::PlacePathRow(QGroupBox* group, int line, const char* caption,
                                 const char* pathBox) {
  QLabel* label = PlaceLabel(group, caption, line, 0);
  auto* box = Place<QLineEdit>(group, pathBox, line, 1);
  box->setReadOnly(true);
  ui::LabelFor(label, box);
  return box;
}

QGroupBox* TabPage::MakePathGroup(const QString& groupCaption, const char* caption,
                                  const char* pathBox, const PressRow& open, QLineEdit** box) {
  QGroupBox* group = GroupWithGrid(this, groupCaption);
  *box = PlacePathRow(group, 0, caption, pathBox);
  GridOf(group)->addWidget(MakePress(group, open, "Open"), 0, 2);
  return group;
}

QGroupBox* TabPage::MakeHdDoneGroup(const QString& groupCaption, const PressRow& create,
                                    const QString& createCaption, const char* option,
                                    const QString& optionCaption) {
  QGroupBox* group = GroupWithGrid(this, groupCaption);
  GridOf(group)->addWidget(MakePress(group, create, createCaption), 0, 0);
  m_hdOption = Place<QRadioButton>(group, option, 0, 1, optionCaption);
  return group;
}

void TabPage::PlaceExportLine(QGroupBox* group, int line, const PressRow& press,
                              const QString& caption, const FormatTrio& formats) {
  GridOf(group)->addWidget(MakePress(group, press, caption), line, 0);
  for (size_t f = 0; f < m_formats.size(); ++f) {
    m_formats[f] = Place<QRadioButton>(group, formats[f], line, static_cast<int>(f) + 1,
                                       QString(kFormatCaptions[f]));
  }
}

bool TabPage::OnOpenAssetBin(const DialogText& text, const char* workCopy, bool packed) {
  const QString chosen = ShowFileDialog(m_openDialog, text, ui::DialogKind::Open);
  if (chosen.isEmpty()) return false;
  // A pipe or a device is refused before anything changes: the file opened before stays open.
  RequireRegularFile(ToPath(chosen));
  m_filePath->setText(chosen);
  m_opened = Opened{chosen, Work(workCopy)};
  m_bench.FileSystem().CopyFile(ToPath(chosen), Work(workCopy));
  if (packed) m_bench.LibUnpack().Corvane_UnPack(Work(workCopy));
  return true;
}

bool TabPage::OnCreateHdPress(const MessageRow& missing) {
  if (m_hdOption->isChecked()) return true;
  m_bench.Show(missing);
  return false;
}

void TabPage::OnPickHdTextureSet(std::span<const PickStep> steps) {
  for (const PickStep& step : steps) {
    const QString chosen = PickHdTexture(m_bench, step);
    if (chosen.isEmpty()) return;
    m_origins[step.target] = {step.target, chosen.toStdString(), {}};
  }
}

void TabPage::CutFromOpenedFile(const fs::path& work, const std::string& texture) {
  m_origins[work] = {work, m_filePath->text().toStdString(), texture};
}

ExportRow TabPage::ExportOf(const fs::path& texture,
                            const std::array<ui::CommonDialog*, 3>& dialogs,
                            const std::array<DialogText, 3>& texts,
                            const std::array<SavedNotice, 3>& notices,
                            bool convertBeforeDialog) const {
  ExportRow row{texture, convertBeforeDialog, {}, std::nullopt};
  for (size_t f = 0; f < m_formats.size(); ++f) {
    const char* suffix = kFormatSuffixes[f];
    row.formats.push_back(
        {m_formats[f], dialogs[f], texts[f], kFormatConversions[f],
         suffix != nullptr ? corvane::SuffixedOutputName(texture, suffix) : texture, notices[f]});
  }
  if (const auto origin = m_origins.find(texture); origin != m_origins.end()) {
    row.origin = origin->second;
  }
  return row;
}

void TabPage::ClearView() {
  for (ui::ImageBox* box : m_pictures) box->SetPicture(QPixmap());
  for (QLabel* label : m_values) label->clear();
}

}  // namespace texel
