// The program's seven tab pages, in the tab control's order: the shell shows whatever table it
// is given, so it depends on no tab.
#pragma once

#include "main_form.h"

namespace texel {

const TabFactories& TexelForgeTabs();

}  // namespace texel
