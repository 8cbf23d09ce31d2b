// The fixtures must hold what the tests take for granted: sizes, markers, packing.
#include <gtest/gtest.h>

#include "dxt_texture.h"
#include "game_files.h"
#include "packed_container.h"

namespace {

using namespace fixtures;

TEST(Fixtures, TexturesHaveTheSizesTheTabsAskFor) {
  EXPECT_EQ(DdsFileSize({512, 512, Dxt::Dxt5, 10, 0}), kHairSizeSmall);
  EXPECT_EQ(DdsFileSize({2048, 1024, Dxt::Dxt1, 12, 0}), kTurfSizes[2]);
  EXPECT_EQ(MakeHdFaceTexture().size(), kHdSizeSmall);
  EXPECT_EQ(MakeHdTurfTexture().size(), kHdTurfSizes[2]);
}

TEST(Fixtures, PackingRoundTrips) {
  const FaceFile face = MakeFace();
  const Bytes packed = Pack(face.unpacked);
  EXPECT_EQ(Bytes(packed.begin() + 3, packed.begin() + 8), (Bytes{'W', 'E', 'S', 'Y', 'S'}));
  EXPECT_EQ(Unpack(packed), face.unpacked);
  Bytes broken = packed;
  broken.resize(broken.size() - 10);
  EXPECT_THROW(Unpack(broken), std::runtime_error);
}

}  // namespace
