// The model tabs' pages, for the program's table of tabs.
#pragma once

#include <QWidget>

#include "workbench.h"

namespace texel {

QWidget* CreateBallTab(Workbench& bench, QWidget* parent);
QWidget* CreateBootTab(Workbench& bench, QWidget* parent);
QWidget* CreateBoot3dTab(Workbench& bench, QWidget* parent);
QWidget* CreateGloveTab(Workbench& bench, QWidget* parent);

}  // namespace texel
