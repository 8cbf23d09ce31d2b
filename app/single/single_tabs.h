// The single-texture tabs' pages, for the program's table of tabs.
#pragma once

#include <QWidget>

#include "workbench.h"

namespace texel {

QWidget* CreateFaceTab(Workbench& bench, QWidget* parent);
QWidget* CreateHairTab(Workbench& bench, QWidget* parent);
QWidget* CreateTrufTab(Workbench& bench, QWidget* parent);

}  // namespace texel
