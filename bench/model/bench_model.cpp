// The open and Create HD presses of the Ball, Boot, Glove and Boot 3D tabs, driven headless
// through the real window, each against its floor measured in the same run:
// - open: read the user's packed file once, zlib-uncompress it, write the unpacked file once;
// - Create HD: read the pieces of the HD image once, zlib-compress the image once (default
//   level), write the packed file once.
// The ball also runs on its noisy fixtures, whose textures zlib barely shrinks, as real DXT
// data.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "bench_support.h"
#include "model_files.h"
#include "packed_container.h"
#include "tab_harness.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;
using fixtures::Bytes;
using texel::AssetKind;

// One model tab's controls, its user files and the work files its HD image is made of.
struct ModelTab {
  AssetKind kind;
  const char* openButton;
  const char* pickButton;
  const char* option;
  const char* createButton;
  const char* gameFile;
  std::vector<std::string> hdTextures;  // one per pick dialog, in dialog order
  // The work files the HD image is put together from, in order (a file may stand twice).
  std::vector<const char*> pieces;
  Bytes (*expected)();  // the unpacked HD image a correct build saves
};

Bytes NoisyHdBall() {
  const fixtures::HdTextures hd = fixtures::MakeNoisyBallHdTextures();
  return fixtures::HdBallImage(fixtures::MakeNoisyBall(), hd.texture, hd.bump, hd.htexture);
}

const ModelTab kBall{AssetKind::Ball,
                     "cmdOpenBallBin",
                     "cmdOpenBallTexture",
                     "BallHD",
                     "cmdBallHD",
                     "ball.bin",
                     {"ball-texture.dds", "ball-bump.dds", "ball-htexture.dds"},
                     {"Start", "KTMDL", "WE00.dll", "texture-hd.dds", "WE00.dll", "bump-hd.dds",
                      "WE00.dll", "htexture-hd.dds"},
                     fixtures::MakeHdBall};
const ModelTab kNoisyBall{
    AssetKind::Ball,
    "cmdOpenBallBin",
    "cmdOpenBallTexture",
    "BallHD",
    "cmdBallHD",
    "ball-noisy.bin",
    {"ball-texture-noisy.dds", "ball-bump-noisy.dds", "ball-htexture-noisy.dds"},
    kBall.pieces,
    NoisyHdBall};
const ModelTab kBoot{AssetKind::Boot,
                     "cmdOpenBootBin",
                     "cmdOpenHdTextureBoot",
                     "BootHDOption",
                     "cmdCreateHDBoot",
                     "boot.bin",
                     {"boot-texture.dds", "boot-bump.dds", "boot-htexture.dds"},
                     {"WE00.1.dll", "texture-hd.dds", "WE00.2.dll", "bump-hd.dds", "WE00.2.dll",
                      "htexture-hd.dds", "KTMDL"},
                     fixtures::MakeHdBoot};
const ModelTab kGlove{
    AssetKind::Glove,
    "cmdOpenGLoveBin",
    "OPEN_TEXTURE_GLOVE",
    "HD_OPTION_GLOVE",
    "CREATEHD_GLOVE",
    "glove.bin",
    {"glove-texture.dds", "glove-bump.dds", "glove-htexture.dds"},
    {"WE01.dll", "texture-new.dds", "WE02.dll", "bump-new.dds", "WE03.dll", "htexture-new.dds"},
    fixtures::MakeHdGlove};
const ModelTab kBoot3d{AssetKind::Boot3d,
                       "cmd_OpenBoot3dBin",
                       "cmd_OpenTexture_3dBoot",
                       "HDOPTION",
                       "cmd_CreateHD_Boot3d",
                       "boot3d.bin",
                       {"boot3d-1.dds", "boot3d-2.dds", "boot3d-3.dds", "boot3d-4.dds",
                        "boot3d-5.dds", "boot3d-6.dds"},
                       {"WE00.1.dll", "texture.dds", "WE00.2.dll", "bump.dds", "WE00.3.dll",
                        "htexture.dds", "WE00.4.dll", "othertexture1.dds", "WE00.5.dll",
                        "othertexture2.dds", "WE00.6.dll", "othertexture3.dds", "KTMDL"},
                       fixtures::MakeHdBoot3d};

// The window as the tests drive it, with the user's files written once.
class Session : public bench_support::Session {
 public:
  Session() {
    Write(kBall, fixtures::MakeBall().unpacked, fixtures::MakeBallHdTextures());
    Write(kNoisyBall, fixtures::MakeNoisyBall().unpacked, fixtures::MakeNoisyBallHdTextures());
    Write(kBoot, fixtures::MakeBoot().unpacked, fixtures::MakeBootHdTextures());
    Write(kGlove, fixtures::MakeGlove().unpacked, fixtures::MakeGloveHdTextures());
    fixtures::WriteFile(User(kBoot3d.gameFile), fixtures::Pack(fixtures::MakeBoot3d().unpacked));
    const fixtures::Boot3dSlots hdSlots = fixtures::MakeBoot3dHdTextures();
    for (size_t i = 0; i < hdSlots.size(); ++i) {
      fixtures::WriteFile(User(kBoot3d.hdTextures[i]), hdSlots[i]);
    }
  }

 private:
  void Write(const ModelTab& tab, const Bytes& unpacked, const fixtures::HdTextures& hd) {
    fixtures::WriteFile(User(tab.gameFile), fixtures::Pack(unpacked));
    const std::array<const Bytes*, 3> textures = {&hd.texture, &hd.bump, &hd.htexture};
    for (size_t i = 0; i < textures.size(); ++i) {
      fixtures::WriteFile(User(tab.hdTextures[i]), *textures[i]);
    }
  }
};

Session& TheSession() {
  static Session session;
  return session;
}

void Open(benchmark::State& state, const ModelTab& tab) {
  bench_support::PressOpen(state, TheSession(), tab.gameFile, tab.openButton);
}

// Read the user's file once, uncompress it, write the unpacked file once.
void OpenFloor(benchmark::State& state, const ModelTab& tab) {
  Session& s = TheSession();
  const fs::path in = s.User(tab.gameFile);
  const fs::path out = s.User("floor.out");
  for (auto _ : state) {
    bench_support::WriteNewFile(out, fixtures::Unpack(fixtures::ReadFile(in)));
  }
}

// Opened and picked once; every press builds the same HD file, packs it and saves it.
void CreateHd(benchmark::State& state, const ModelTab& tab) {
  Session& s = TheSession();
  bench_support::PressCreateHd(
      state, s,
      {tab.gameFile, tab.openButton, tab.hdTextures, tab.pickButton, tab.option, tab.createButton});
  if (fixtures::Unpack(fixtures::ReadFile(s.User("saved.bin"))) != tab.expected()) {
    state.SkipWithError("the saved file is not the expected HD file");
  }
}

// Read every piece of the HD image once (a piece standing twice is read once), compress the
// image once, write the packed file once. Runs right after its press, so it reads the work files
// that press read.
void CreateHdFloor(benchmark::State& state, const ModelTab& tab) {
  Session& s = TheSession();
  const fs::path out = s.User("floor.out");
  for (auto _ : state) {
    std::map<std::string, Bytes> read;
    Bytes image;
    for (const char* piece : tab.pieces) {
      auto found = read.find(piece);
      if (found == read.end()) {
        found = read.emplace(piece, fixtures::ReadFile(s.Work(tab.kind, piece))).first;
      }
      image.insert(image.end(), found->second.begin(), found->second.end());
    }
    bench_support::WriteNewFile(out, fixtures::Pack(image));
  }
}

#define TF_MODEL_BENCH(Name, tab)                                                       \
  void BM_##Name##Open(benchmark::State& state) { Open(state, tab); }                   \
  void BM_##Name##OpenFloor(benchmark::State& state) { OpenFloor(state, tab); }         \
  void BM_##Name##CreateHd(benchmark::State& state) { CreateHd(state, tab); }           \
  void BM_##Name##CreateHdFloor(benchmark::State& state) { CreateHdFloor(state, tab); } \
  BENCHMARK(BM_##Name##Open)->Unit(benchmark::kMillisecond);                            \
  BENCHMARK(BM_##Name##OpenFloor)->Unit(benchmark::kMillisecond);                       \
  BENCHMARK(BM_##Name##CreateHd)->Unit(benchmark::kMillisecond);                        \
  BENCHMARK(BM_##Name##CreateHdFloor)->Unit(benchmark::kMillisecond)

TF_MODEL_BENCH(Ball, kBall);
TF_MODEL_BENCH(BallNoisy, kNoisyBall);
TF_MODEL_BENCH(Boot, kBoot);
TF_MODEL_BENCH(Glove, kGlove);
TF_MODEL_BENCH(Boot3d, kBoot3d);

}  // namespace

int main(int argc, char** argv) {
  setenv("TF_PROGRAM_DIR", bench_support::BuiltProgramFolder().c_str(), 0);  // for the harness
  testing_support::EnsureApplication();
  const testing_support::TempFolder registryFolder;
  bench_support::RegisterLibrary(registryFolder / "com-registry");
  benchmark::Initialize(&argc, argv);
  bench_support::RatioReporter reporter(
      {bench_support::RatioReporter::Floor{"Floor", "floor (ms)"}});
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
