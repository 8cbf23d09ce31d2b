#include "tab_pages.h"

namespace texel {

QWidget* CreateTrufTab(Workbench& bench, QWidget* parent) { return new QWidget(parent); }

}  // namespace texel
