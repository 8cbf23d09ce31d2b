// Every file dialog and message box of the program goes through one service: the Qt one shows
// real dialogs, the scripted one answers from a queue in tests.
#pragma once

#include <QString>
#include <QStringList>

namespace ui {

// Message box styles: icon and buttons.
enum MessageStyle : int {
  kPlainOk = 0,
  kErrorOk = 16,
  kWarningOk = 48,
  kInformationOk = 64,
  kInformationYesNo = 68,
};
// Buttons pressed.
enum Answer : int { kOk = 1, kYes = 6, kNo = 7 };

enum class DialogKind { Open, Save };

class DialogService {
 public:
  virtual ~DialogService() = default;
  // The full path chosen, or an empty string when the user cancelled.
  virtual QString ShowFileDialog(DialogKind kind, const QString& dialogName, const QString& title,
                                 const QString& filter) = 0;
  virtual Answer ShowMessage(const QString& text, int style, const QString& title) = 0;
};

// "Description (*.x)|*.x|Other|*.y" as Qt name filters.
QStringList ToNameFilters(const QString& filter);

}  // namespace ui
