#include "handler_guard.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <optional>

#include <QAbstractButton>
#include <QGroupBox>
#include <QMenu>
#include <QTabWidget>

#include "busy_cursor.h"
#include "com/error.h"
#include "work_folder_fault.h"

namespace texel {

namespace {

// A failure told as the user reads it: why, and what failed for a bug report.
struct Told {
  std::string reason;
  std::string detail;
};

Told Tell(const std::exception& error) {
  if (const auto* told = dynamic_cast<const UserFacingFailure*>(&error)) {
    return {told->what(), told->Detail()};
  }
  if (const auto* com = dynamic_cast<const com::Error*>(&error)) {
    // "Method: description"
    const std::string text = com->what();
    const size_t colon = text.find(": ");
    char code[16];
    std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(com->Code()));
    if (colon == std::string::npos) return {text, std::string("Result ") + code};
    return {text.substr(colon + 2), text.substr(0, colon) + " failed, result " + code};
  }
  return {error.what(), {}};
}

// Every `from` in `text` becomes `to`; with `wholeNames`, only where `from` is not the start of a
// longer name ("a.dds" in "a.dds.png" is another file and stays as it is).
void ReplaceAll(std::string& text, const std::string& from, const std::string& to,
                bool wholeNames = false) {
  if (from.empty()) return;
  const auto nameGoesOn = [&text](size_t end) {
    const auto at = [&text](size_t i) {
      return i < text.size() ? static_cast<unsigned char>(text[i]) : '\0';
    };
    // A dot ends a sentence, unless a suffix follows it.
    return std::isalnum(at(end)) || at(end) == '-' || at(end) == '_' || at(end) == '/' ||
           (at(end) == '.' && std::isalnum(at(end + 1)));
  };
  for (size_t at = text.find(from); at != std::string::npos;) {
    if (wholeNames && nameGoesOn(at + from.size())) {
      at = text.find(from, at + from.size());
      continue;
    }
    text.replace(at, from.size(), to);
    at = text.find(from, at + to.size());
  }
}

// The user's file in `quote`s, behind the texture it is where there is one.
std::string Said(const UserWords& words, const std::string& quote) {
  const std::string file = quote + words.userFile + quote;
  return words.texture.empty() ? file : words.texture + " of " + file;
}

QString TabCaptionOf(const QWidget* control) {
  for (const QWidget* w = control; w != nullptr; w = w->parentWidget()) {
    const QWidget* stack = w->parentWidget();
    const auto* tabs =
        stack != nullptr ? qobject_cast<const QTabWidget*>(stack->parentWidget()) : nullptr;
    if (tabs != nullptr) return tabs->tabText(tabs->indexOf(const_cast<QWidget*>(w)));
  }
  return {};
}

}  // namespace

UserFacingFailure InUsersWords(const std::exception& error, std::vector<UserWords> words) {
  Told told = Tell(error);
  // Longest first, so "Face.bin.unzlib" goes before "Face.bin".
  std::sort(words.begin(), words.end(), [](const UserWords& a, const UserWords& b) {
    return a.workFile.string().size() > b.workFile.string().size();
  });
  for (const UserWords& w : words) {
    const std::string work = w.workFile.string();
    for (const std::string quote : {"'", "\""}) {
      ReplaceAll(told.reason, quote + work + quote, Said(w, quote));
    }
    ReplaceAll(told.reason, work, w.texture.empty() ? w.userFile : Said(w, "'"), true);
  }
  if (!words.empty() && told.reason.find(words.front().userFile) == std::string::npos) {
    told.reason = "\"" + words.front().userFile + "\": " + told.reason;
  }
  return UserFacingFailure(told.reason, told.detail);
}

QString ActionWords(const QWidget* control) {
  QString words;
  const QString tab = TabCaptionOf(control);
  if (!tab.isEmpty()) words = tab + " \u2014 ";
  const auto* button = qobject_cast<const QAbstractButton*>(control);
  const QString name = button != nullptr ? button->text() : control->accessibleName();
  words += "\"" + name + "\"";
  for (const QWidget* w = control->parentWidget(); w != nullptr; w = w->parentWidget()) {
    if (const auto* group = qobject_cast<const QGroupBox*>(w)) {
      if (!group->title().isEmpty() && group->title() != name) {
        words += " (" + group->title() + ")";
      }
      break;
    }
  }
  return words;
}

QString ActionWords(const QAction* item) {
  const auto* menu = qobject_cast<const QMenu*>(item->parent());
  const QString where = menu != nullptr ? menu->title() + " \u2014 " : QString();
  return where + "\"" + item->text() + "\"";
}

void RunGuarded(Workbench& bench, const QString& doing, const std::function<void()>& body) {
  std::optional<Told> failed;
  bool wentOn = false;
  {
    const ui::BusyCursor busy;
    try {
      body();
    } catch (const std::exception& error) {
      const std::optional<UserFacingFailure> workFolder = WorkFolderFault(bench, error);
      failed = workFolder ? Tell(*workFolder) : Tell(error);
      wentOn = dynamic_cast<const WentOnPastIt*>(&error) != nullptr;
    }
  }
  if (!failed) return;
  // The work done before the failure stays as it is; the window goes on.
  QString text = QString::fromStdString(failed->reason);
  if (!wentOn) text = TwoLines(doing + " could not finish.", text);
  if (!failed->detail.empty()) text = TwoLines(text, QString::fromStdString(failed->detail));
  bench.Message(text, ui::kErrorOk, bench.Caption());
}

}  // namespace texel
