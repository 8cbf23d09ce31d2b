// Each press of the single-texture tabs (open, and Create HD through the save) against the
// floor of reading its inputs once and writing its output once, measured in the same run; for
// the packed face and hair the floor holds the one zlib step the container demands (the open's
// uncompress, the save's compress). Every press runs on the synthetic fixtures and on a noisy set,
// whose textures zlib barely shrinks, as real DXT data: the noisy HD textures of tests/fixtures,
// and game files whose textures are swapped here for noise blocks of the same size (MakeNoisyDds).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench_support.h"
#include "dxt_texture.h"
#include "game_files.h"
#include "packed_container.h"
#include "tab_harness.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;
using fixtures::Bytes;
using texel::AssetKind;

// `file` with the DDS texture at `at` replaced by noise blocks of the same size and header.
Bytes WithNoisyTexture(Bytes file, size_t at, uint32_t width, uint32_t height, fixtures::Dxt format,
                       uint32_t levels, uint32_t seed) {
  const Bytes noisy = fixtures::MakeNoisyDds({width, height, format, levels, seed});
  if (at + noisy.size() > file.size() ||
      !std::equal(noisy.begin(), noisy.begin() + fixtures::kDdsHeaderSize, file.begin() + at)) {
    throw std::logic_error("the noisy texture does not fit where the fixture's texture stands");
  }
  std::copy(noisy.begin(), noisy.end(), file.begin() + at);
  return file;
}

Bytes NoisyFace() {
  const fixtures::FaceFile face = fixtures::MakeFace();
  const Bytes withTexture =
      WithNoisyTexture(face.unpacked, face.headSize, 256, 256, fixtures::Dxt::Dxt5, 9, 1);
  return WithNoisyTexture(withTexture, face.bumpOffset, 128, 128, fixtures::Dxt::Dxt5, 8, 2);
}
Bytes NoisyHair() {
  const fixtures::SingleTextureFile hair = fixtures::MakeHair();
  return WithNoisyTexture(hair.bytes, hair.headSize, 512, 512, fixtures::Dxt::Dxt5, 10, 3);
}
Bytes NoisyTurf() {
  const fixtures::SingleTextureFile turf = fixtures::MakeTurf();
  return WithNoisyTexture(turf.bytes, turf.headSize, 2048, 1024, fixtures::Dxt::Dxt1, 12, 4);
}

// The window as the tests drive it, with the user's game files and HD textures written once.
class Session : public bench_support::Session {
 public:
  Session() {
    const fixtures::FaceFile face = fixtures::MakeFace();
    fixtures::WriteFile(User("face.bin"), fixtures::Pack(face.unpacked));
    fixtures::WriteFile(User("hair.bin"), fixtures::Pack(fixtures::MakeHair().bytes));
    fixtures::WriteFile(User("truf.bin"), fixtures::MakeTurf().bytes);
    fixtures::WriteFile(User("face-hd.dds"), fixtures::MakeHdFaceTexture());
    fixtures::WriteFile(User("hair-hd.dds"), fixtures::MakeHdHairTexture());
    fixtures::WriteFile(User("truf-hd.dds"), fixtures::MakeHdTurfTexture());
    fixtures::WriteFile(User("face-noisy.bin"), fixtures::Pack(NoisyFace()));
    fixtures::WriteFile(User("hair-noisy.bin"), fixtures::Pack(NoisyHair()));
    fixtures::WriteFile(User("truf-noisy.bin"), NoisyTurf());
    fixtures::WriteFile(User("face-hd-noisy.dds"), fixtures::MakeNoisyHdFaceTexture());
    fixtures::WriteFile(User("hair-hd-noisy.dds"), fixtures::MakeNoisyHdHairTexture());
    fixtures::WriteFile(User("truf-hd-noisy.dds"), fixtures::MakeNoisyHdTurfTexture());
  }
};

Session& TheSession() {
  static Session session;
  return session;
}

// One tab's controls and files. `inputs` are the work files its build reads; `image`, for a
// packed game file, the unpacked HD image its save compresses.
struct SingleTab {
  std::string name;
  AssetKind kind;
  const char* openButton;
  const char* pickButton;
  const char* createButton;
  const char* option;
  std::string gameFile;
  std::string hdTexture;
  std::vector<const char*> inputs;
  const char* image;
};

const std::vector<SingleTab>& Tabs() {
  static const std::vector<SingleTab> tabs = [] {
    const SingleTab face{"Face",
                         AssetKind::Face,
                         "cmdOpenFaceBin",
                         "cmdOpenHDTexture",
                         "FCreateHD",
                         "FaceHDOption",
                         "face.bin",
                         "face-hd.dds",
                         {"Face.bin.unzlib", "Face-New.dds", "Bump.dds"},
                         "Face.bin.unzlib"};
    const SingleTab hair{"Hair",
                         AssetKind::Hair,
                         "cmdHairOpen",
                         "cmdHairTextureOpen",
                         "CreateHdHair",
                         "HairHDOption",
                         "hair.bin",
                         "hair-hd.dds",
                         {"Hair.bin.unzlib", "Hair-New.dds"},
                         "Hair.bin.unzlib"};
    const SingleTab truf{"Truf",
                         AssetKind::Truf,
                         "cmdOpenTruf",
                         "cmdOpenTrufTexture",
                         "cmd_CreateHD_Truf",
                         "Truf_HD_Option",
                         "truf.bin",
                         "truf-hd.dds",
                         {"Truf.bin", "Truf-new.dds"},
                         nullptr};
    std::vector<SingleTab> all{face, hair, truf};
    // The same presses on the noisy files.
    for (const SingleTab& tab : {face, hair, truf}) {
      SingleTab noisy = tab;
      noisy.name += "Noisy";
      noisy.gameFile.insert(noisy.gameFile.size() - 4, "-noisy");
      noisy.hdTexture.insert(noisy.hdTexture.size() - 4, "-noisy");
      all.push_back(noisy);
    }
    return all;
  }();
  return tabs;
}

void Open(benchmark::State& state, const SingleTab& tab) {
  bench_support::PressOpen(state, TheSession(), tab.gameFile, tab.openButton);
}

// Read the user's file once, uncompress it if it is packed, write the work file once.
void OpenFloor(benchmark::State& state, const SingleTab& tab) {
  Session& s = TheSession();
  const fs::path in = s.User(tab.gameFile);
  const fs::path out = s.User("floor.out");
  for (auto _ : state) {
    const Bytes bytes = fixtures::ReadFile(in);
    bench_support::WriteNewFile(out, tab.image != nullptr ? fixtures::Unpack(bytes) : bytes);
  }
}

// Opened and picked once; every press rebuilds the same file and saves it.
void CreateHd(benchmark::State& state, const SingleTab& tab) {
  bench_support::PressCreateHd(state, TheSession(),
                               {tab.gameFile,
                                tab.openButton,
                                {tab.hdTexture},
                                tab.pickButton,
                                tab.option,
                                tab.createButton});
}

// Read every input once and write the saved file once; a packed game file's floor also
// compresses the HD image once (zlib's default level), as its container demands. Runs right
// after its press, so it reads the work files that press left.
void CreateHdFloor(benchmark::State& state, const SingleTab& tab) {
  Session& s = TheSession();
  const fs::path out = s.User("floor.out");
  const Bytes saved(fs::file_size(s.User("saved.bin")), 0x5A);
  for (auto _ : state) {
    Bytes image;
    for (const char* input : tab.inputs) {
      Bytes bytes = fixtures::ReadFile(s.Work(tab.kind, input));
      if (tab.image != nullptr && std::string(input) == tab.image) image = std::move(bytes);
    }
    bench_support::WriteNewFile(out, tab.image != nullptr ? fixtures::Pack(image) : saved);
  }
}

// Each floor runs right after its press, so it sees the files the press left.
void RegisterBenchmarks() {
  const auto add = [](const SingleTab& tab, const char* what,
                      void (*run)(benchmark::State&, const SingleTab&)) {
    benchmark::RegisterBenchmark(("BM_" + tab.name + what).c_str(), [run, &tab](
                                                                        benchmark::State& state) {
      run(state, tab);
    })->Unit(benchmark::kMillisecond);
  };
  for (const SingleTab& tab : Tabs()) {
    add(tab, "Open", Open);
    add(tab, "OpenFloor", OpenFloor);
    add(tab, "CreateHd", CreateHd);
    add(tab, "CreateHdFloor", CreateHdFloor);
  }
}

}  // namespace

int main(int argc, char** argv) {
  setenv("TF_PROGRAM_DIR", bench_support::BuiltProgramFolder().c_str(), 0);  // for the harness
  testing_support::EnsureApplication();
  const testing_support::TempFolder registryFolder;
  bench_support::RegisterLibrary(registryFolder / "com-registry");
  RegisterBenchmarks();
  benchmark::Initialize(&argc, argv);
  bench_support::RatioReporter reporter(
      {bench_support::RatioReporter::Floor{"Floor", "floor (ms)"}});
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
