// The Ball, Boot, Boot 3D and Glove pages; their controls come with the model tabs.
#include <QVBoxLayout>

#include "child.h"
#include "model_tabs.h"

namespace texel {

namespace {

QWidget* EmptyPage(QWidget* parent, const char* name) {
  auto* page = ui::Child<QWidget>(parent);
  page->setObjectName(name);
  page->setLayout(ui::Child<QVBoxLayout>(page));
  return page;
}

}  // namespace

QWidget* CreateBallTab(Workbench&, QWidget* parent) { return EmptyPage(parent, "BallPage"); }
QWidget* CreateBootTab(Workbench&, QWidget* parent) { return EmptyPage(parent, "BootPage"); }
QWidget* CreateBoot3dTab(Workbench&, QWidget* parent) { return EmptyPage(parent, "Boot3dPage"); }
QWidget* CreateGloveTab(Workbench&, QWidget* parent) { return EmptyPage(parent, "GlovePage"); }

}  // namespace texel
