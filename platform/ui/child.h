// Widgets are owned by their parent (Qt deletes children with it); this is the one place that
// hands a new widget to its owner.
#pragma once

#include <memory>
#include <utility>

#include <QObject>

namespace ui {

template <typename W, typename... Args>
W* Child(QObject* parent, Args&&... args) {
  auto widget = std::make_unique<W>(std::forward<Args>(args)...);
  widget->setParent(parent);
  return widget.release();
}

}  // namespace ui
