// The dialog service of the tests: answers come from a script, every dialog and box shown is
// recorded. A dialog or question the script did not expect throws UnscriptedDialog at once, so
// a test fails instead of waiting for a click that never comes.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "dialog_service.h"

namespace ui {

// Deliberately not a std::exception: the handler guard lets it through.
class UnscriptedDialog {
 public:
  explicit UnscriptedDialog(std::string what) : m_what(std::move(what)) {}
  const std::string& What() const { return m_what; }

 private:
  std::string m_what;
};

struct ShownDialog {
  DialogKind kind;
  QString name;
  QString title;
  QString filter;
};

struct ShownMessage {
  QString text;
  int style;
  QString title;
};

class ScriptedDialogService : public DialogService {
 public:
  // The next file dialog returns `path`.
  void ChooseFile(const QString& path);
  // The next file dialog is cancelled.
  void CancelFile();
  // The next Yes/No question gets this answer.
  void AnswerYes();
  void AnswerNo();

  QString ShowFileDialog(DialogKind kind, const QString& dialogName, const QString& title,
                         const QString& filter) override;
  Answer ShowMessage(const QString& text, int style, const QString& title) override;

  const std::vector<ShownDialog>& Dialogs() const { return m_dialogs; }
  const std::vector<ShownMessage>& Messages() const { return m_messages; }
  // Answers scripted but not used yet.
  size_t Pending() const { return m_script.size(); }
  void Forget();

 private:
  struct Step {
    enum class Kind { File, Question } kind;
    QString path;  // File: empty is a cancel
    Answer answer = kOk;
  };
  [[noreturn]] void Unexpected(const std::string& what) const;

  std::deque<Step> m_script;
  std::vector<ShownDialog> m_dialogs;
  std::vector<ShownMessage> m_messages;
};

}  // namespace ui
