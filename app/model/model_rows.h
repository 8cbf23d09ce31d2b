// The rows a model tab fills: its controls, its signature test, its cuts, the pieces of its HD
// image and its save and export texts. The page (model_texture_page.h) does the work with them.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>

#include "frame.h"
#include "tab_page.h"
#include "workbench.h"

namespace texel {

// The captions of the page's five groups.
struct GroupCaptions {
  const char* openFile;
  const char* preview;
  const char* pick;
  const char* hdDone;
  const char* exporting;
};

// A small preview of one slot, which a click shows large, and the size label beside it (a fixed
// caption shown after the first split, or, without one, the bitmap's measured
// "width * height").
struct ThumbnailRow {
  const char* image;
  const char* sizeLabel;
  const char* fixedCaption;
};

// One slot's HD pick: its dialog, the label and path box beside it, and the file it writes.
struct PickRow {
  const char* dialog;
  DialogText text;
  const char* caption;
  const char* pathBox;
  const char* target;
};

// One slot's export: its list text, the DDS work file, and the save dialog texts per format.
struct ExportSlotRow {
  const char* listText;
  const char* slotFile;
  std::array<DialogText, 3> texts;  // PNG, JPG, DDS
};

// The bytes a tab compares with its reference files: a fixed window of the unpacked file, or
// everything up to and including the first byte of a marker.
struct SignatureRow {
  int32_t offset;  // 0-based
  int32_t count;
  int32_t endMarker;  // non-zero: the window runs to this marker instead
};

// The reference files "CALC" is compared with, and what the tab says of a file that is not
// standard.
struct CheckRow {
  const char* standardFile;
  const char* hdFile;
  MessageRow alreadyHd;
  MessageRow notValid;
};

// How many bytes a slot cut takes from its start in TEMP.
enum class CutCount {
  Fixed,       // `count`
  ToEnd,       // the rest of TEMP
  UpToMarker,  // the 1-based position of TEMP's first "KTMD", as a count
};

struct SlotCut {
  const char* slotFile;
  int32_t start;  // 1-based in TEMP
  CutCount rule;
  int32_t count;
};

// Where a piece of an HD image comes from: the program's data (a template piece), or the work
// of an open or a pick.
enum class PieceFrom { ProgramData, Work };

// One piece of an HD image, whole or without its last byte.
struct ImagePiece {
  const char* file;
  PieceFrom from;
  bool dropLastByte;
};

// The whole page of one model tab.
struct ModelPageRows {
  AssetKind kind;
  GroupCaptions groups;
  // Open File
  const char* fileCaption;
  const char* filePathBox;
  const char* openDialog;
  DialogText openText;
  const char* workCopy;
  const char* unpacked;
  // Preview: thumbnails beside the large image, or a list choosing what it shows.
  const char* largeImage;
  std::span<const ThumbnailRow> thumbnails;
  const char* previewList;
  // Picks
  std::span<const PickRow> picks;
  // Hd Done
  const char* createCaption;
  const char* hdOption;
  const char* hdOptionCaption;
  MessageRow optionMissing;
  const char* saveDialog;
  DialogText saveText;
  const char* builtQuestion;
  const char* built;  // the HD image; packing writes it + ".zlib"
  std::span<const ImagePiece> pieces;
  // Export
  const char* exportList;
  FormatTrio formats;
  std::array<const char*, 3> exportDialogs;  // the save dialog per format
  std::array<SavedNotice, 3> notices;
  std::span<const ExportSlotRow> exports;
  MessageRow notOpened;  // a null text: the export does not ask for an opened file
  // The open's work
  SignatureRow signature;
  CheckRow check;
  std::span<const SlotCut> cuts;
};

// What the Ball, Boot and Glove tabs share: the pick filters of the three slots, the export
// filters of each slot per format, the export's save dialogs (the glove has its own) and its
// message.
inline constexpr std::array<const char*, 3> kPickFilters = {
    "DDS Texture(*.DDS)|*.dds", "DDS Bump(*.DDS)|*.dds", "DDS Highlight Texture(*.DDS)|*.dds"};

struct SlotFilters {
  const char* png;
  const char* jpg;
  const char* dds;
};
inline constexpr SlotFilters kTextureFilters{"Save Png Texture (*.Png)|*.png",
                                             "Save Jpg Texture (*.Jpg)|*.jpg",
                                             "Save DDS Texture (*.DDS)|*.DDS"};
inline constexpr SlotFilters kBumpFilters{
    "Save Png Bump (*.Png)|*.png", "Save Jpg Bump (*.Jpg)|*.jpg", "Save DDS Bump (*.DDS)|*.DDS"};
inline constexpr SlotFilters kHTextureFilters{"Save Png H Texture (*.Png)|*.png",
                                              "Save Jpg H Texture (*.Jpg)|*.jpg",
                                              "Save DDS H Texture (*.DDS)|*.DDS"};
// One title for the three formats of a slot.
constexpr std::array<DialogText, 3> ExportSlotTexts(const char* title, const SlotFilters& filters) {
  return {{{title, filters.png}, {title, filters.jpg}, {title, filters.dds}}};
}
inline constexpr std::array<const char*, 3> kSharedExportDialogs = {"CD12", "CD15", "CD16"};

// Work files every model tab writes in its folder.
inline constexpr const char* kSignatureWork = "CALC";
inline constexpr const char* kTempWork = "TEMP";
inline constexpr const char* kModelSectionWork = "KTMDL";

}  // namespace texel
