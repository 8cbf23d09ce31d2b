// The page every model tab shows (open file, previews, HD picks, build, export), built from the
// tab's rows, and the steps every model tab takes with them: cut the signature, classify, cut
// TEMP and the slots, previews, build the HD image from its pieces, pack and offer to save.
#pragma once

#include <functional>
#include <vector>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include "image_box.h"
#include "model_rows.h"

namespace texel {

class ModelTexturePage : public QWidget {
 protected:
  ModelTexturePage(Workbench& bench, const ModelPageRows& rows, ModelPresses presses);

  fs::path Work(const char* name) const { return m_bench.WorkFolder(m_rows.kind) / name; }

  // The open press: dialog, copy, unpack, then `next`; a failure part-way leaves none of the
  // earlier file's work.
  void OpenModelFile(const std::function<void()>& next);
  // Writes the signature window into "CALC"; false when the file has no end marker for it.
  bool CutSignature();
  // Compares "CALC" with the reference files in the row's order: runs `split` for a standard
  // file and shows the row's message otherwise.
  void CheckSignature(const std::function<void()>& split);
  // "TEMP": the unpacked file from its first "DDS " on, then as many zero bytes as stood before.
  void CutTempWithLibrary();
  void CutTempWithByteRange();
  void CutSlots();
  // A bitmap of every slot file, in slot order.
  void MakePreviews();
  // The large image and the thumbnails from the bitmaps; the size labels.
  void ShowPreviews();
  void OnThumbnailClick(size_t slot);

  void PickHdTextures();
  void CreateHd(const std::function<void()>& build);
  // Fails naming the first piece that is missing or empty, before anything is written.
  void RequirePieces() const;
  // The row's pieces back to back as the HD image, packed, and offered for saving.
  void BuildPackAndOfferSave();
  void ExportSlot();

  Workbench& m_bench;
  const ModelPageRows& m_rows;
  QLineEdit* m_filePath = nullptr;
  ui::ImageBox* m_preview = nullptr;
  QListWidget* m_previewList = nullptr;
  std::vector<ui::ImageBox*> m_thumbnails;
  std::vector<QLabel*> m_sizeLabels;

 private:
  void BuildPage(const ModelPresses& presses);
  QWidget* BuildPreviewGroup();
  QWidget* BuildPickGroup(const ModelPresses& presses);
  QWidget* BuildExportGroup(const ModelPresses& presses);
  QPushButton* Press(QWidget* parent, const PressRow& press, const QString& caption);
  void ClearView();

  ui::CommonDialog m_openDialog;
  ui::CommonDialog m_saveDialog;
  std::vector<ui::CommonDialog> m_pickDialogs;
  std::vector<QLineEdit*> m_pickPaths;
  QRadioButton* m_hdOption = nullptr;
  QListWidget* m_exportList = nullptr;
  std::array<QRadioButton*, 3> m_formats{};
};

}  // namespace texel
