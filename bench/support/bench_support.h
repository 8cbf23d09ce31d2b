// What the window benchmarks share: the built program folder, the benchmark's own registry of
// the built library, the window session the presses run in, a fresh-file write for the floors,
// and the reporter that sets each press against its floors. Header-only.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <system_error>
#include <vector>

#include "tab_harness.h"

namespace bench_support {

namespace fs = std::filesystem;

inline fs::path BuiltProgramFolder() {
  const char* env = std::getenv("TF_PROGRAM_DIR");
  return env != nullptr ? fs::path(env) : fs::path(TF_BENCH_PROGRAM_DIR);
}

// Registers the built library in a registry file of the benchmark's own and points
// TF_COM_REGISTRY at it.
inline void RegisterLibrary(const fs::path& registry) {
  const std::string command = std::string("\"") + TF_BENCH_COMREG + "\" --registry \"" +
                              registry.string() + "\" \"" +
                              (BuiltProgramFolder() / "Corvane_Gorm.so").string() + "\" >/dev/null";
  if (std::system(command.c_str()) != 0) {
    std::fprintf(stderr, "Could not register the library: %s\n", command.c_str());
    std::exit(1);
  }
  setenv("TF_COM_REGISTRY", registry.c_str(), 1);
}

// The window with the user's files beside it; a bench's session writes its files first.
class Session {
 public:
  fs::path User(const std::string& name) const { return m_harness.User(name); }
  fs::path Work(texel::AssetKind kind, const char* name) const {
    return m_harness.Work(kind, name);
  }
  void Choose(const std::string& userFile) {
    m_harness.Script().ChooseFile(m_harness.UserText(userFile));
  }
  void Yes() { m_harness.Script().AnswerYes(); }
  void Select(const char* radio) { m_harness.Select(radio); }
  // Presses a button; a press that shows other than the expected number of message boxes, or
  // leaves scripted answers unused, is an error.
  bool Click(const char* button, size_t expectedMessages) {
    m_harness.Script().Forget();
    m_harness.Click(button);
    return m_harness.Script().Messages().size() == expectedMessages &&
           m_harness.Script().Pending() == 0;
  }

 private:
  testing_support::TabHarness m_harness;
};

// Every iteration opens `gameFile` with the tab's open button; it must show no message.
inline void PressOpen(benchmark::State& state, Session& session, const std::string& gameFile,
                      const char* openButton) {
  for (auto _ : state) {
    session.Choose(gameFile);
    if (!session.Click(openButton, 0)) state.SkipWithError("the open press did not finish");
  }
}

// A tab's presses for one Create HD benchmark: opened and picked once, then every iteration
// answers Yes, saves as "saved.bin" and must show the question and the success message only.
struct CreateHdPresses {
  std::string gameFile;
  const char* openButton;
  std::vector<std::string> picks;  // one per pick dialog, in dialog order
  const char* pickButton;
  const char* option;
  const char* createButton;
};

inline void PressCreateHd(benchmark::State& state, Session& session, const CreateHdPresses& tab) {
  session.Choose(tab.gameFile);
  if (!session.Click(tab.openButton, 0)) state.SkipWithError("the open press did not finish");
  for (const std::string& texture : tab.picks) session.Choose(texture);
  if (!session.Click(tab.pickButton, 0)) state.SkipWithError("the pick press did not finish");
  session.Select(tab.option);
  for (auto _ : state) {
    session.Yes();
    session.Choose("saved.bin");
    if (!session.Click(tab.createButton, 2)) {
      state.SkipWithError("the create press did not finish");
    }
  }
}

// Writes a new file: an old one is removed first, so that no floor pays for ext4 flushing a file
// that was truncated.
inline void WriteNewFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
  std::error_code ignored;
  fs::remove(path, ignored);
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) std::abort();
  std::fclose(f);
}

// The console table, then one line per press: its time, each floor registered under the press's
// name followed by a floor suffix, and the ratio of the press to it. bench/run_three.sh reads
// these lines.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  // A floor benchmark's name suffix and its column caption.
  struct Floor {
    std::string suffix;
    std::string caption;
  };
  explicit RatioReporter(std::vector<Floor> floors) : m_floors(std::move(floors)) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
        m_ms[run.benchmark_name()] = run.GetAdjustedRealTime();  // milliseconds
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }

  void Finalize() override {
    std::printf("\n%-26s %10s", "press", "time (ms)");
    for (const auto& floor : m_floors) std::printf(" %16s %6s", floor.caption.c_str(), "ratio");
    std::printf("\n");
    for (const auto& [name, ms] : m_ms) {
      bool hasFloor = false;
      for (const auto& floor : m_floors) hasFloor |= m_ms.count(name + floor.suffix) != 0;
      if (!hasFloor) continue;
      std::printf("%-26s %10.2f", name.c_str(), ms);
      for (const auto& floor : m_floors) {
        const auto found = m_ms.find(name + floor.suffix);
        if (found == m_ms.end()) {
          std::printf(" %16s %6s", "-", "-");
        } else {
          std::printf(" %16.2f %6.2f", found->second, ms / found->second);
        }
      }
      std::printf("\n");
    }
  }

 private:
  std::vector<Floor> m_floors;
  std::map<std::string, double> m_ms;
};

}  // namespace bench_support
