// The dialog service of the running program: Qt file dialogs and message boxes.
#pragma once

#include <QPointer>
#include <QWidget>

#include "dialog_service.h"

namespace ui {

class QtDialogService : public DialogService {
 public:
  // Dialogs and boxes are modal over `owner` when one is set.
  void SetOwner(QWidget* owner) { m_owner = owner; }

  QString ShowFileDialog(DialogKind kind, const QString& dialogName, const QString& title,
                         const QString& filter) override;
  Answer ShowMessage(const QString& text, int style, const QString& title) override;

 private:
  QWidget* Owner() const;
  QPointer<QWidget> m_owner;
};

}  // namespace ui
