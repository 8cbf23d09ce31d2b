#include "tabs.h"

#include "model_tabs.h"
#include "single_tabs.h"

namespace texel {

const TabFactories& TexelForgeTabs() {
  static constexpr TabFactories kTabs = {CreateFaceTab, CreateHairTab,   CreateBallTab,
                                         CreateBootTab, CreateBoot3dTab, CreateGloveTab,
                                         CreateTrufTab};
  return kTabs;
}

}  // namespace texel
