#include "tab_pages.h"

namespace texel {

QWidget* CreateHairTab(Workbench& bench, QWidget* parent) { return new QWidget(parent); }

}  // namespace texel
