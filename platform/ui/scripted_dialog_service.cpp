#include "scripted_dialog_service.h"

#include <cstdio>

namespace ui {

void ScriptedDialogService::ChooseFile(const QString& path) {
  m_script.push_back({Step::Kind::File, path});
}

void ScriptedDialogService::CancelFile() { m_script.push_back({Step::Kind::File, QString()}); }

void ScriptedDialogService::AnswerYes() { m_script.push_back({Step::Kind::Question, {}, kYes}); }

void ScriptedDialogService::AnswerNo() { m_script.push_back({Step::Kind::Question, {}, kNo}); }

void ScriptedDialogService::Forget() {
  m_dialogs.clear();
  m_messages.clear();
}

void ScriptedDialogService::Unexpected(const std::string& what) const {
  // gtest cannot print a foreign exception's text; say it here.
  std::fprintf(stderr, "Unscripted dialog: %s\n", what.c_str());
  throw UnscriptedDialog(what);
}

QString ScriptedDialogService::ShowFileDialog(DialogKind kind, const QString& dialogName,
                                              const QString& title, const QString& filter) {
  m_dialogs.push_back({kind, dialogName, title, filter});
  const std::string shown = (kind == DialogKind::Open ? "open dialog " : "save dialog ") +
                            dialogName.toStdString() + " \"" + title.toStdString() + "\"";
  if (m_script.empty() || m_script.front().kind != Step::Kind::File) Unexpected(shown);
  const QString path = m_script.front().path;
  m_script.pop_front();
  return path;
}

Answer ScriptedDialogService::ShowMessage(const QString& text, int style, const QString& title) {
  m_messages.push_back({text, style, title});
  if (style != kInformationYesNo) return kOk;
  if (m_script.empty() || m_script.front().kind != Step::Kind::Question) {
    Unexpected("question \"" + text.toStdString() + "\"");
  }
  const Answer answer = m_script.front().answer;
  m_script.pop_front();
  return answer;
}

}  // namespace ui
