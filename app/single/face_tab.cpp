#include "child.h"
#include "tab_pages.h"

namespace texel {

QWidget* CreateFaceTab(Workbench& bench, QWidget* parent) { return ui::Child<QWidget>(parent); }

}  // namespace texel
