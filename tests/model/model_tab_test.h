// The fixture of the Ball, Boot, Glove and Boot 3D tab tests, on the shared tab harness.
#pragma once

#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>
#include <string>
#include <vector>

#include "game_files.h"
#include "tab_harness.h"

#include "model_files.h"

namespace testing_support {

// One model tab as its tests drive it.
struct ModelControls {
  texel::AssetKind kind;
  const char* open;
  const char* pick;
  const char* hdOption;
  const char* create;
  const char* exportSlot;
  const char* exportList;
  const char* formats[3];  // PNG, JPG, DDS
};

// The user's files are written by the test; every scripted answer must be used.
class ModelTabTest : public ::testing::Test {
 protected:
  explicit ModelTabTest(const ModelControls& tab) : m_tab(tab) {}
  void TearDown() override;

  std::filesystem::path Work(const char* name) const { return h.Work(m_tab.kind, name); }
  // `unpacked` packed as the user's game file `name`.
  void WriteGameFile(const std::string& name, const fixtures::Bytes& unpacked);
  // The HD textures as the user's "hd1.dds", "hd2.dds", ...
  void WriteHdTextures(const std::vector<fixtures::Bytes>& textures);
  void Open(const std::string& name);
  // Every pick of the chain answered with "hd1.dds", "hd2.dds", ... in turn.
  void PickAll();
  // The HD option selected, "Yes" to the question, the build saved as `name`.
  void CreateAndSave(const std::string& name);
  // The list row with `listText` selected, format 0..2 (PNG, JPG, DDS), saved as `name`.
  void ExportSlot(const QString& listText, int format, const std::string& name);
  // What an image box shows, and a bitmap in the work folder, in one pixel format.
  QImage Picture(const char* imageBox);
  QImage Bitmap(const char* name) const;
  // The only message shown is the guard's error box for `handler`, its reason naming `reason`.
  void ExpectOnlyGuardError(const std::string& doing, const std::vector<std::string>& reason);
  // The build's question with its first line, then the saved notice for the user's `name`.
  std::vector<Shown> AskedAndSaved(const QString& question, const std::string& name) const;
  std::vector<Shown> Messages() const { return testing_support::Messages(h.Script()); }
  std::vector<DialogShown> Dialogs() const { return testing_support::Dialogs(h.Script()); }

  TabHarness h;

 private:
  ModelControls m_tab;
  size_t m_hdCount = 0;
};

}  // namespace testing_support
