// The page every model tab shows (open file, previews, HD picks, build, export), laid out from
// the tab's rows, and the steps of the model tabs: cut the signature and compare it, cut TEMP
// and the slots, the previews, and the HD image built from its pieces.
#pragma once

#include <string>
#include <vector>

#include <QLabel>
#include <QListWidget>
#include <QWidget>

#include "image_box.h"
#include "model_rows.h"
#include "tab_page.h"

namespace texel {

// Which reference files the signature in "CALC" equals.
struct SignatureMatch {
  bool standard;
  bool hd;
};

class ModelTexturePage : public TabPage {
 protected:
  ModelTexturePage(Workbench& bench, const ModelPageRows& rows, TabPresses presses);

  // The open press's dialog, copy and unpack; false when the dialog was cancelled.
  bool OpenModelFile();
  // Writes the signature window into "CALC"; false when the file has no end marker for it.
  bool CutSignature();
  SignatureMatch MatchSignature();
  // Ball and boot test for HD first: true for a standard file, else the row's message is shown.
  bool IsStandardHdTestedFirst();
  // The row's message for a file that is HD already or not valid; nothing for a standard one.
  void ShowSignatureVerdict(SignatureMatch match);
  // "TEMP": the unpacked file from its first "DDS " on, then as many zero bytes as stood before.
  void CutTempWithLibrary();
  void CutTempWithByteRange();
  void CutSlots();
  // A bitmap of every slot file, in slot order.
  void MakePreviews();
  // The large image and the thumbnails from the bitmaps; the size labels.
  void ShowPreviews();
  void OnThumbnailClick(size_t slot);

  void OnPickHdTextureSet();
  bool OnCreateHdPress() { return TabPage::OnCreateHdPress(m_rows.optionMissing); }
  // Fails naming the first piece that is missing or empty, before anything is written.
  void RequirePieces() const;
  // The row's pieces back to back as the HD image, packed, and offered for saving; the build
  // has checked them with RequirePieces.
  void BuildPackAndOfferSave();
  void ExportSlot();

  const ModelPageRows& m_rows;
  QListWidget* m_previewList = nullptr;
  std::vector<ui::ImageBox*> m_thumbnails;
  std::vector<QLabel*> m_sizeLabels;

 private:
  void BuildPage(const TabPresses& presses);
  QWidget* BuildPreviewGroup();
  QWidget* BuildPickGroup(const TabPresses& presses);
  QWidget* BuildExportGroup(const TabPresses& presses);
  // A slot file as the user knows it: the list's name for it.
  std::string SlotWords(const char* slotFile) const;

  std::vector<ui::CommonDialog> m_pickDialogs;
  std::vector<QLineEdit*> m_pickPaths;
  QListWidget* m_exportList = nullptr;
};

}  // namespace texel
