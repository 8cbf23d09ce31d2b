// The model fixtures must agree with the cfg data the program ships, which the tabs compare
// files against, and cut the pieces at the lengths the tabs write.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "model_files.h"

namespace {

using namespace fixtures;

std::filesystem::path CfgFolder() {
  const char* programDir = std::getenv("TF_PROGRAM_DIR");
  return programDir ? std::filesystem::path(programDir) / "AppData" / "cfg"
                    : std::filesystem::path();
}

Bytes Shipped(const std::string& name) { return ReadFile(CfgFolder() / name); }

Bytes Window(const Bytes& bytes, size_t offset, size_t length) {
  return Bytes(bytes.begin() + offset, bytes.begin() + offset + length);
}

class ModelFixtures : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(std::getenv("TF_PROGRAM_DIR"), nullptr);
    if (!std::filesystem::is_directory(CfgFolder())) {
      GTEST_SKIP() << "no AppData/cfg beside the program (built without the app)";
    }
  }

  // The window of the standard, the HD and the invalid file against the two reference files.
  void ExpectSignatures(size_t offset, size_t length, const Bytes& standard, const Bytes& hd,
                        const Bytes& invalid, const std::string& standardName,
                        const std::string& hdName) {
    EXPECT_EQ(Window(standard, offset, length), Shipped(standardName));
    EXPECT_EQ(Window(hd, offset, length), Shipped(hdName));
    EXPECT_NE(Window(invalid, offset, length), Shipped(standardName));
    EXPECT_NE(Window(invalid, offset, length), Shipped(hdName));
  }
};

TEST_F(ModelFixtures, CfgBytesAreTheShippedOnes) {
  for (const std::string& name : CfgFileNames()) EXPECT_EQ(CfgFile(name), Shipped(name)) << name;
}

TEST_F(ModelFixtures, Ball) {
  const BallFile ball = MakeBall();
  ExpectSignatures(23, 5, ball.unpacked, MakeHdBall(), MakeInvalidBall(), "DATA1.dll", "DATA2.dll");
  EXPECT_EQ(ball.texture.size(), 174912u);
  EXPECT_EQ(ball.bump.size(), 349680u);
  EXPECT_EQ(ball.htexture.size(), ball.unpacked.size() - 524624);
  EXPECT_EQ(ball.start.size(), 65u);
}

TEST_F(ModelFixtures, Boot) {
  const BootFile boot = MakeBoot();
  ExpectSignatures(0, 13, boot.unpacked, MakeHdBoot(), MakeInvalidBoot(), "Boot/WE00.4.dll",
                   "Boot/WE00.3.dll");
  EXPECT_EQ(boot.calc, Shipped("Boot/WE00.4.dll"));
  EXPECT_EQ(boot.texture.size(), 87536u);
  EXPECT_EQ(boot.bump.size(), 43856u);
  EXPECT_EQ(boot.htexture.size(), 153425u);
  EXPECT_EQ(boot.ktmdl.size(), boot.unpacked.size());
}

TEST_F(ModelFixtures, Glove) {
  const GloveFile glove = MakeGlove();
  ExpectSignatures(11, 5, glove.unpacked, MakeHdGlove(), MakeInvalidGlove(), "Glove/DATA1.dll",
                   "Glove/DATA2.dll");
  EXPECT_EQ(glove.texture.size(), 43840u);
  EXPECT_EQ(glove.bump.size(), 87536u);
  EXPECT_EQ(glove.htexture.size(), glove.unpacked.size() - 131408);
  EXPECT_LE(MakeShortGlove().size(), 131408u);
}

TEST_F(ModelFixtures, Boot3d) {
  const Boot3dFile boot3d = MakeBoot3d();
  ExpectSignatures(11, 5, boot3d.unpacked, MakeHdBoot3d(), MakeInvalidBoot3d(), "Boot3d/DATA1.dll",
                   "Boot3d/DATA2.dll");
  const size_t sizes[kBoot3dSlots] = {174928, 174928, 87536, 43856, 43856, 569041};
  for (size_t i = 0; i < kBoot3dSlots; ++i) EXPECT_EQ(boot3d.slots[i].size(), sizes[i]) << i;
  EXPECT_EQ(boot3d.ktmdl.size(), boot3d.unpacked.size());
}

}  // namespace
