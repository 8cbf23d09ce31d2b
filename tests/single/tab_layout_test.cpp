// Each single-texture tab shows its groups under their own captions, blanks included.
#include <QGroupBox>
#include <QStringList>
#include <QTabWidget>

#include <gtest/gtest.h>

#include "tab_harness.h"

namespace {

QStringList GroupCaptions(QWidget* page) {
  QStringList captions;
  for (QGroupBox* group : page->findChildren<QGroupBox*>()) {
    if (group->objectName() != "GroupBox30") captions << group->title();
  }
  captions.sort();
  return captions;
}

TEST(SingleTabLayout, GroupsCarryTheirCaptions) {
  testing_support::TabHarness h;
  QTabWidget* tabs = h.Form().TabControl1;
  const struct {
    int index;
    QStringList groups;
  } expected[] = {
      {0,
       {"Export Texture", "Face File Info", "Hd Done", "Open File", "Open Texture",
        "Texture Perview"}},
      {1,
       {"Export Texture", "Hair File Info", "Hd Done", "Open File", "Open Texture",
        "Texture Perview"}},
      {6,
       {"Export Texture", "Hd Done", "Open File", "Open Texture", "Texture Perview",
        "Truf  File Info"}},
  };
  for (const auto& tab : expected) {
    QStringList groups = tab.groups;
    groups.sort();
    EXPECT_EQ(GroupCaptions(tabs->widget(tab.index)), groups) << "tab " << tab.index;
  }
}

}  // namespace
