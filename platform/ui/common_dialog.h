// A file dialog control: title and filter set by the caller, shown for opening or saving, the
// chosen name read afterwards (empty after a cancel).
#pragma once

#include <QString>

#include "dialog_service.h"

namespace ui {

class CommonDialog {
 public:
  CommonDialog(QString name, DialogService& service)
      : m_name(std::move(name)), m_service(service) {}

  QString DialogTitle;
  QString Filter;
  QString FileName;

  void ShowOpen() {
    FileName = m_service.ShowFileDialog(DialogKind::Open, m_name, DialogTitle, Filter);
  }
  void ShowSave() {
    FileName = m_service.ShowFileDialog(DialogKind::Save, m_name, DialogTitle, Filter);
  }
  const QString& Name() const { return m_name; }

 private:
  QString m_name;
  DialogService& m_service;
};

}  // namespace ui
