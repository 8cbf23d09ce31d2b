#include "qt_dialog_service.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

#include "busy_cursor.h"

namespace ui {

QWidget* QtDialogService::Owner() const {
  if (m_owner) return m_owner;
  return QApplication::activeWindow();
}

QString QtDialogService::ShowFileDialog(DialogKind kind, const QString& dialogName,
                                        const QString& title, const QString& filter) {
  DialogCursor arrow;
  QFileDialog dialog(Owner(), title);
  dialog.setObjectName(dialogName);
  dialog.setNameFilters(ToNameFilters(filter));
  if (kind == DialogKind::Open) {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
  }
  if (dialog.exec() != QDialog::Accepted) return {};
  const QStringList chosen = dialog.selectedFiles();
  return chosen.isEmpty() ? QString() : chosen.first();
}

Answer QtDialogService::ShowMessage(const QString& text, int style, const QString& title) {
  DialogCursor arrow;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  switch (style) {
    case kErrorOk:
      icon = QMessageBox::Critical;
      break;
    case kWarningOk:
      icon = QMessageBox::Warning;
      break;
    case kInformationOk:
    case kInformationYesNo:
      icon = QMessageBox::Information;
      break;
    default:
      break;
  }
  const bool yesNo = style == kInformationYesNo;
  QString shown = text;
  shown.replace("\r\n", "\n");
  QMessageBox box(icon, title.isEmpty() ? QApplication::applicationName() : title, shown,
                  yesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok, Owner());
  box.setTextFormat(Qt::PlainText);
  const int pressed = box.exec();
  if (!yesNo) return kOk;
  return pressed == QMessageBox::Yes ? kYes : kNo;
}

}  // namespace ui
