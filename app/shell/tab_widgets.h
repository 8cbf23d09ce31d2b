// Building blocks of the single-texture tab pages: group boxes with a grid, and named controls
// created inside them.
#pragma once

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QString>
#include <QWidget>

#include "child.h"
#include "image_box.h"

namespace texel {

// A group box with the caption and a grid layout, owned by `parent`.
inline QGroupBox* GroupWithGrid(QWidget* parent, const QString& caption) {
  auto* group = ui::Child<QGroupBox>(parent, caption);
  group->setLayout(ui::Child<QGridLayout>(group));
  return group;
}

inline QGridLayout* GridOf(QWidget* widget) { return static_cast<QGridLayout*>(widget->layout()); }

// A control of type W with its object name, placed at (row, column) of the group's grid.
template <typename W, typename... Args>
W* Place(QGroupBox* group, const char* name, int row, int column, Args&&... args) {
  auto* control = ui::Child<W>(group, std::forward<Args>(args)...);
  if (name != nullptr) control->setObjectName(name);
  GridOf(group)->addWidget(control, row, column);
  return control;
}

inline QLabel* PlaceLabel(QGroupBox* group, const QString& caption, int row, int column) {
  return Place<QLabel>(group, nullptr, row, column, caption);
}

// The texture preview: the whole picture scaled into the box.
inline ui::ImageBox* PlacePreview(QGroupBox* group, const char* name) {
  constexpr int kPreviewSide = 256;
  auto* box = Place<ui::ImageBox>(group, name, 0, 0);
  box->setMinimumSize(kPreviewSide, kPreviewSide);
  return box;
}

}  // namespace texel
