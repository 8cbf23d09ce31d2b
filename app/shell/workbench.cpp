#include "workbench.h"

namespace texel {

namespace {

const char* FolderName(AssetKind kind) {
  switch (kind) {
    case AssetKind::Face:
      return "Face";
    case AssetKind::Hair:
      return "Hair";
    case AssetKind::Ball:
      return "Ball";
    case AssetKind::Boot:
      return "Boot";
    case AssetKind::Boot3d:
      return "Boot3d";
    case AssetKind::Glove:
      return "Glove";
    case AssetKind::Truf:
      return "Truf";
  }
  return "";
}

}  // namespace

fs::path Workbench::WorkFolder(AssetKind kind) const {
  return ProgramFolder() / "AppData" / FolderName(kind);
}

}  // namespace texel
