// Widgets are owned by their parent (Qt deletes children with it); this is the one place that
// hands a new widget to its owner.
#pragma once

#include <memory>
#include <utility>

namespace ui {

template <typename W, typename Parent, typename... Args>
W* Child(Parent* parent, Args&&... args) {
  auto widget = std::make_unique<W>(std::forward<Args>(args)...);
  widget->setParent(parent);
  return widget.release();
}

}  // namespace ui
