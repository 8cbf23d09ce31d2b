// The registration tool, run as the build and the user run it.
#include <sys/wait.h>

#include <array>
#include <cstdio>

#include <gtest/gtest.h>
#include "com_test_support.h"

namespace {

struct ToolRun {
  int status = -1;
  std::string output;
};

ToolRun Comreg(const std::string& arguments) {
  const std::string command =
      (comtest::ProgramDir() / "comreg").string() + " " + arguments + " 2>&1";
  ToolRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  std::array<char, 256> chunk{};
  while (fgets(chunk.data(), chunk.size(), pipe) != nullptr) run.output += chunk.data();
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

TEST(Comreg, RegistersAndUnregistersIntoTheChosenFile) {
  comtest::TempFolder folder;
  const auto registry = folder / "nested/registry";
  const std::string module = comtest::LibraryModule().string();

  const ToolRun added = Comreg("--registry " + registry.string() + " " + module);
  EXPECT_EQ(added.status, 0) << added.output;
  EXPECT_NE(added.output.find("registered"), std::string::npos) << added.output;
  EXPECT_NE(added.output.find(registry.string()), std::string::npos) << added.output;
  EXPECT_NE(comtest::ReadText(registry).find("InprocServer32=/"), std::string::npos);

  const ToolRun removed = Comreg("-u --registry " + registry.string() + " " + module);
  EXPECT_EQ(removed.status, 0) << removed.output;
  EXPECT_NE(removed.output.find("unregistered"), std::string::npos) << removed.output;
  EXPECT_EQ(comtest::ReadText(registry).find("Corvane"), std::string::npos);
}

TEST(Comreg, FailsClearlyOnABadModuleOrUsage) {
  comtest::TempFolder folder;
  const ToolRun missing =
      Comreg("--registry " + (folder / "r").string() + " /nonexistent/Thing.so");
  EXPECT_NE(missing.status, 0);
  EXPECT_NE(missing.output.find("cannot load /nonexistent/Thing.so"), std::string::npos)
      << missing.output;

  const ToolRun noServer = Comreg("--registry " + (folder / "r").string() + " " +
                                  (comtest::ProgramDir() / "libtfcom.so").string());
  EXPECT_NE(noServer.status, 0);
  EXPECT_NE(noServer.output.find("does not export DllRegisterServer"), std::string::npos)
      << noServer.output;

  const ToolRun usage = Comreg("");
  EXPECT_NE(usage.status, 0);
  EXPECT_NE(usage.output.find("usage: comreg"), std::string::npos) << usage.output;
  EXPECT_FALSE(std::filesystem::exists(folder / "r"));
}

}  // namespace
