// What every tab uses of the main window: folders, the file-system object, the five library
// members (each created on first use), the dialog service and the message boxes.
#pragma once

#include <filesystem>
#include <map>
#include <memory>

#include <QString>

#include "common_dialog.h"
#include "corvane_client.h"
#include "dialog_service.h"
#include "file_system_object.h"

namespace texel {

namespace fs = std::filesystem;

enum class AssetKind { Face, Hair, Ball, Boot, Boot3d, Glove, Truf };

inline constexpr const char* kMainWindowCaption = "Texel Forge  [v 1.0] By Dremmwel";
inline constexpr const char* kApplicationTitle = "TexelForge";

// "first" and "second" on two lines, as the boxes show them.
inline QString TwoLines(const QString& first, const QString& second) {
  return first + "\r\n" + second;
}

// A message box as a tab's row gives it; a null title is the window caption, read when shown.
struct MessageRow {
  const char* text;
  int style;
  const char* title;
};

class Workbench {
 public:
  virtual ~Workbench() = default;

  virtual fs::path ProgramFolder() const = 0;
  // Program folder + "/AppData/" + the kind's folder name ("Face", "Hair", "Ball", "Boot",
  // "Boot3d", "Glove", "Truf").
  fs::path WorkFolder(AssetKind kind) const;
  fs::path TemplateFolder() const { return ProgramFolder() / "AppData" / "cfg"; }

  virtual FileSystemObject& FileSystem() = 0;
  virtual CorvaneClient& LibReplace() = 0;
  virtual CorvaneClient& LibImage() = 0;
  virtual CorvaneClient& LibExport() = 0;
  virtual CorvaneClient& LibPack() = 0;
  virtual CorvaneClient& LibUnpack() = 0;

  virtual ui::DialogService& Dialogs() = 0;
  // The window caption as it stands when a box is shown.
  virtual QString Caption() const = 0;
  // A message box; pass Caption() or kApplicationTitle (or a literal) as the title.
  ui::Answer Message(const QString& text, int style, const QString& title) {
    return Dialogs().ShowMessage(text, style, title);
  }
  // The row's box; a second line, where given, goes below the row's text.
  ui::Answer Show(const MessageRow& row, const QString& secondLine = {}) {
    const QString text = secondLine.isEmpty() ? QString(row.text) : TwoLines(row.text, secondLine);
    return Message(text, row.style, row.title != nullptr ? QString(row.title) : Caption());
  }

  // A dialog control that more than one tab shows (the ball and boot exports share theirs).
  ui::CommonDialog& SharedDialog(const QString& name) {
    std::unique_ptr<ui::CommonDialog>& dialog = m_sharedDialogs[name];
    if (!dialog) dialog = std::make_unique<ui::CommonDialog>(name, Dialogs());
    return *dialog;
  }

 private:
  std::map<QString, std::unique_ptr<ui::CommonDialog>> m_sharedDialogs;
};

}  // namespace texel
