// The fixture of the Face, Hair and Turf tab tests, on the shared tab harness.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "game_files.h"
#include "tab_harness.h"

namespace testing_support {

// One tab as its tests drive it: the user's game file, and the controls they press.
struct TabControls {
  texel::AssetKind kind;
  const char* gameFile;  // in the user's folder, with "hd.dds" beside it
  fixtures::Bytes (*makeHdTexture)();
  const char* open;
  const char* pickTexture;
  const char* hdOption;
  const char* create;
  const char* exportTexture;
  const char* formats[3];  // PNG, JPG, DDS
};

// A tab's tests: the user's files are written first, and every scripted answer must be used.
class SingleTabTest : public ::testing::Test {
 protected:
  explicit SingleTabTest(const TabControls& tab) : m_tab(tab) {}
  void SetUp() override;
  void TearDown() override;
  // The game file as the user has it.
  virtual fixtures::Bytes GameFile() const = 0;

  const fixtures::Bytes& HdTexture() const;
  std::filesystem::path Work(const char* name) const { return h.Work(m_tab.kind, name); }
  void Open() { Open(m_tab.gameFile); }
  void Open(const std::string& name);
  void Pick();  // "hd.dds"
  // The HD option selected, "Yes" to the question, the build saved as `name`.
  void CreateAndSave(const std::string& name);
  // With the HD option: "No" to the question, then "Yes" and a cancelled save dialog.
  void DeclineThenCancelTheSave();
  // Each format selected in turn and exported as `stem` + ".png", ".jpg" and ".dds".
  void ExportEveryFormat(const std::string& stem);
  std::vector<Shown> Messages() const { return testing_support::Messages(h.Script()); }
  std::vector<DialogShown> Dialogs() const { return testing_support::Dialogs(h.Script()); }

  TabHarness h;

 private:
  TabControls m_tab;
};

}  // namespace testing_support
