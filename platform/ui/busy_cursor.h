// The wait cursor for as long as a press works, and the ordinary one while it waits for the
// user in a dialog.
#pragma once

#include <QApplication>
#include <QCursor>

namespace ui {

class CursorScope {
 public:
  explicit CursorScope(Qt::CursorShape shape) : m_set(QApplication::instance() != nullptr) {
    if (m_set) QApplication::setOverrideCursor(QCursor(shape));
  }
  ~CursorScope() {
    if (m_set) QApplication::restoreOverrideCursor();
  }
  CursorScope(const CursorScope&) = delete;
  CursorScope& operator=(const CursorScope&) = delete;

 private:
  bool m_set;
};

class BusyCursor : public CursorScope {
 public:
  BusyCursor() : CursorScope(Qt::WaitCursor) {}
};

// Inside a busy press, a dialog gets the arrow back.
class DialogCursor : public CursorScope {
 public:
  DialogCursor() : CursorScope(Qt::ArrowCursor) {}
};

}  // namespace ui
