#include "tab_pages.h"

namespace texel {

QWidget* CreateFaceTab(Workbench& bench, QWidget* parent) { return new QWidget(parent); }

}  // namespace texel
