// The content of each tab page, built by the tab's own folder; the shell adds the note group
// and the version label around it.
#pragma once

#include <QWidget>

#include "workbench.h"

namespace texel {

QWidget* CreateFaceTab(Workbench& bench, QWidget* parent);
QWidget* CreateHairTab(Workbench& bench, QWidget* parent);
QWidget* CreateBallTab(Workbench& bench, QWidget* parent);
QWidget* CreateBootTab(Workbench& bench, QWidget* parent);
QWidget* CreateBoot3dTab(Workbench& bench, QWidget* parent);
QWidget* CreateGloveTab(Workbench& bench, QWidget* parent);
QWidget* CreateTrufTab(Workbench& bench, QWidget* parent);

}  // namespace texel
