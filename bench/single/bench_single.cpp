// Each press of the single-texture tabs (open, and Create HD through the save) against the
// floor of reading its inputs once and writing its output once, measured in the same run.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "game_files.h"
#include "packed_container.h"
#include "tab_harness.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;
using fixtures::Bytes;
using texel::AssetKind;

fs::path BuiltProgramFolder() {
  const char* env = std::getenv("TF_PROGRAM_DIR");
  return env != nullptr ? fs::path(env) : fs::path(TF_BENCH_PROGRAM_DIR);
}

// The window as the tests drive it, with the user's game files and HD textures written once.
class Session {
 public:
  Session() {
    fixtures::WriteFile(User("face.bin"), fixtures::Pack(fixtures::MakeFace().unpacked));
    fixtures::WriteFile(User("hair.bin"), fixtures::Pack(fixtures::MakeHair().bytes));
    fixtures::WriteFile(User("truf.bin"), fixtures::MakeTurf().bytes);
    fixtures::WriteFile(User("face-hd.dds"), fixtures::MakeHdFaceTexture());
    fixtures::WriteFile(User("hair-hd.dds"), fixtures::MakeHdHairTexture());
    fixtures::WriteFile(User("truf-hd.dds"), fixtures::MakeHdTurfTexture());
  }

  fs::path User(const std::string& name) const { return m_harness.User(name); }
  fs::path Work(AssetKind kind, const char* name) const { return m_harness.Work(kind, name); }

  void Choose(const std::string& userFile) {
    m_harness.Script().ChooseFile(m_harness.UserText(userFile));
  }
  void Yes() { m_harness.Script().AnswerYes(); }
  void Select(const char* radio) { m_harness.Select(radio); }
  // Presses a button; a press that ends in an unexpected message box is an error.
  bool Click(const char* button, size_t expectedMessages) {
    m_harness.Script().Forget();
    m_harness.Click(button);
    return m_harness.Script().Messages().size() == expectedMessages &&
           m_harness.Script().Pending() == 0;
  }

 private:
  testing_support::TabHarness m_harness;
};

Session& TheSession() {
  static Session session;
  return session;
}

// Reading every input once and writing the output once.
void Floor(benchmark::State& state, const std::vector<fs::path>& inputs, size_t outputBytes) {
  const fs::path out = TheSession().User("floor.out");
  const Bytes output(outputBytes, 0x5A);
  for (auto _ : state) {
    size_t total = 0;
    for (const fs::path& input : inputs) total += fixtures::ReadFile(input).size();
    fixtures::WriteFile(out, output);
    benchmark::DoNotOptimize(total);
  }
}

// The same, with the one zlib compression the packed container demands (face and hair).
void FloorWithPack(benchmark::State& state, const std::vector<fs::path>& inputs,
                   const fs::path& unpackedImage) {
  const fs::path out = TheSession().User("floor.out");
  const Bytes image = fixtures::ReadFile(unpackedImage);
  for (auto _ : state) {
    size_t total = 0;
    for (const fs::path& input : inputs) total += fixtures::ReadFile(input).size();
    fixtures::WriteFile(out, fixtures::Pack(image));
    benchmark::DoNotOptimize(total);
  }
}

struct TabPresses {
  AssetKind kind;
  const char* openButton;
  const char* pickButton;
  const char* createButton;
  const char* option;
  const char* gameFile;
  const char* hdTexture;
};
constexpr TabPresses kFace{AssetKind::Face, "cmdOpenFaceBin", "cmdOpenHDTexture", "FCreateHD",
                           "FaceHDOption",  "face.bin",       "face-hd.dds"};
constexpr TabPresses kHair{AssetKind::Hair, "cmdHairOpen", "cmdHairTextureOpen", "CreateHdHair",
                           "HairHDOption",  "hair.bin",    "hair-hd.dds"};
constexpr TabPresses kTruf{AssetKind::Truf,     "cmdOpenTruf",    "cmdOpenTrufTexture",
                           "cmd_CreateHD_Truf", "Truf_HD_Option", "truf.bin",
                           "truf-hd.dds"};

void Open(benchmark::State& state, const TabPresses& tab) {
  Session& s = TheSession();
  for (auto _ : state) {
    s.Choose(tab.gameFile);
    if (!s.Click(tab.openButton, 0)) state.SkipWithError("the open press did not finish");
  }
}

// Opened and picked once; every press rebuilds the same file and saves it.
void CreateHd(benchmark::State& state, const TabPresses& tab) {
  Session& s = TheSession();
  s.Choose(tab.gameFile);
  s.Click(tab.openButton, 0);
  s.Choose(tab.hdTexture);
  s.Click(tab.pickButton, 0);
  s.Select(tab.option);
  for (auto _ : state) {
    s.Yes();
    s.Choose("saved.bin");
    if (!s.Click(tab.createButton, 2)) state.SkipWithError("the create press did not finish");
  }
}

void BM_FaceOpen(benchmark::State& state) { Open(state, kFace); }
void BM_FaceOpenFloor(benchmark::State& state) {
  Floor(state, {TheSession().User("face.bin")}, fixtures::MakeFace().unpacked.size());
}
void BM_FaceCreateHd(benchmark::State& state) { CreateHd(state, kFace); }
void BM_FaceCreateHdFloor(benchmark::State& state) {
  Session& s = TheSession();
  Floor(state,
        {s.Work(AssetKind::Face, "Face.bin.unzlib"), s.Work(AssetKind::Face, "Face-New.dds"),
         s.Work(AssetKind::Face, "Bump.dds")},
        fs::file_size(s.User("saved.bin")));
}

void BM_FaceCreateHdFloorWithPack(benchmark::State& state) {
  Session& s = TheSession();
  FloorWithPack(state,
                {s.Work(AssetKind::Face, "Face-New.dds"), s.Work(AssetKind::Face, "Bump.dds")},
                s.Work(AssetKind::Face, "Face.bin.unzlib"));
}

void BM_HairOpen(benchmark::State& state) { Open(state, kHair); }
void BM_HairOpenFloor(benchmark::State& state) {
  Floor(state, {TheSession().User("hair.bin")}, fixtures::MakeHair().bytes.size());
}
void BM_HairCreateHd(benchmark::State& state) { CreateHd(state, kHair); }
void BM_HairCreateHdFloor(benchmark::State& state) {
  Session& s = TheSession();
  Floor(state,
        {s.Work(AssetKind::Hair, "Hair.bin.unzlib"), s.Work(AssetKind::Hair, "Hair-New.dds")},
        fs::file_size(s.User("saved.bin")));
}

void BM_HairCreateHdFloorWithPack(benchmark::State& state) {
  Session& s = TheSession();
  FloorWithPack(state, {s.Work(AssetKind::Hair, "Hair-New.dds")},
                s.Work(AssetKind::Hair, "Hair.bin.unzlib"));
}

void BM_TrufOpen(benchmark::State& state) { Open(state, kTruf); }
void BM_TrufOpenFloor(benchmark::State& state) {
  Floor(state, {TheSession().User("truf.bin")}, fs::file_size(TheSession().User("truf.bin")));
}
void BM_TrufCreateHd(benchmark::State& state) { CreateHd(state, kTruf); }
void BM_TrufCreateHdFloor(benchmark::State& state) {
  Session& s = TheSession();
  Floor(state, {s.Work(AssetKind::Truf, "Truf.bin"), s.Work(AssetKind::Truf, "Truf-new.dds")},
        fs::file_size(s.User("saved.bin")));
}

// Each floor runs right after its press, so it sees the files the press left.
BENCHMARK(BM_FaceOpen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FaceOpenFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FaceCreateHd)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FaceCreateHdFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FaceCreateHdFloorWithPack)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HairOpen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HairOpenFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HairCreateHd)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HairCreateHdFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HairCreateHdFloorWithPack)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TrufOpen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TrufOpenFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TrufCreateHd)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TrufCreateHdFloor)->Unit(benchmark::kMillisecond);

// The console table, then each press against its floor.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
        m_ms[run.benchmark_name()] = run.GetAdjustedRealTime();  // milliseconds
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  void Finalize() override {
    std::printf("\n%-18s %10s %11s %6s %17s %6s\n", "press", "time (ms)", "floor (ms)", "ratio",
                "floor+pack (ms)", "ratio");
    for (const auto& [name, ms] : m_ms) {
      const auto floor = m_ms.find(name + "Floor");
      if (floor == m_ms.end()) continue;
      std::printf("%-18s %10.2f %11.2f %6.1f", name.c_str(), ms, floor->second, ms / floor->second);
      const auto withPack = m_ms.find(name + "FloorWithPack");
      if (withPack != m_ms.end()) {
        std::printf(" %17.2f %6.1f", withPack->second, ms / withPack->second);
      }
      std::printf("\n");
    }
  }

 private:
  std::map<std::string, double> m_ms;
};

// The benchmark's own registry of the built library.
void RegisterLibrary(const fs::path& registry) {
  const std::string command = std::string("\"") + TF_BENCH_COMREG + "\" --registry \"" +
                              registry.string() + "\" \"" +
                              (BuiltProgramFolder() / "Corvane_Gorm.so").string() + "\" >/dev/null";
  if (std::system(command.c_str()) != 0) {
    std::fprintf(stderr, "Could not register the library: %s\n", command.c_str());
    std::exit(1);
  }
  setenv("TF_COM_REGISTRY", registry.c_str(), 1);
}

}  // namespace

int main(int argc, char** argv) {
  setenv("TF_PROGRAM_DIR", BuiltProgramFolder().c_str(), 0);  // for the harness
  testing_support::EnsureApplication();
  const testing_support::TempFolder registryFolder;
  RegisterLibrary(registryFolder / "com-registry");
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
