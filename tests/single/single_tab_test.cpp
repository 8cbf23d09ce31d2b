#include "single_tab_test.h"

#include <map>

namespace testing_support {

void SingleTabTest::SetUp() {
  fixtures::WriteFile(h.User(m_tab.gameFile), GameFile());
  fixtures::WriteFile(h.User("hd.dds"), HdTexture());
}

void SingleTabTest::TearDown() { EXPECT_EQ(h.Script().Pending(), 0u) << "unused scripted answers"; }

// Made once per run: the large textures take a while.
const fixtures::Bytes& SingleTabTest::HdTexture() const {
  static std::map<fixtures::Bytes (*)(), fixtures::Bytes> made;
  auto found = made.find(m_tab.makeHdTexture);
  if (found == made.end()) found = made.emplace(m_tab.makeHdTexture, m_tab.makeHdTexture()).first;
  return found->second;
}

void SingleTabTest::Open(const std::string& name) {
  h.Script().ChooseFile(h.UserText(name));
  h.Click(m_tab.open);
}

void SingleTabTest::Pick() {
  h.Script().ChooseFile(h.UserText("hd.dds"));
  h.Click(m_tab.pickTexture);
}

void SingleTabTest::CreateAndSave(const std::string& name) {
  h.Select(m_tab.hdOption);
  h.Script().AnswerYes();
  h.Script().ChooseFile(h.UserText(name));
  h.Click(m_tab.create);
}

void SingleTabTest::DeclineThenCancelTheSave() {
  h.Select(m_tab.hdOption);
  h.Script().AnswerNo();
  h.Click(m_tab.create);
  h.Script().AnswerYes();
  h.Script().CancelFile();
  h.Click(m_tab.create);
}

void SingleTabTest::ExportEveryFormat(const std::string& stem) {
  const char* extensions[] = {".png", ".jpg", ".dds"};
  for (int i = 0; i < 3; ++i) {
    h.Select(m_tab.formats[i]);
    h.Script().ChooseFile(h.UserText(stem + extensions[i]));
    h.Click(m_tab.exportTexture);
  }
}

}  // namespace testing_support
