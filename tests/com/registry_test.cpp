#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>

#include "com/guid.h"
#include "com_test_support.h"

namespace {

using comtest::ReadText;
using comtest::ScopedRegistry;

constexpr CLSID kClassA = {
    0x11111111, 0x2222, 0x3333, {0x44, 0x44, 0x55, 0x55, 0x55, 0x55, 0x55, 0x01}};
constexpr CLSID kClassB = {
    0x11111111, 0x2222, 0x3333, {0x44, 0x44, 0x55, 0x55, 0x55, 0x55, 0x55, 0x02}};
constexpr IID kInterfaceA = {0xAAAAAAAA, 0x0001, 0x0002, {0, 0, 0, 0, 0, 0, 0, 1}};
constexpr GUID kLibA = {0xBBBBBBBB, 0x0001, 0x0002, {0, 0, 0, 0, 0, 0, 0, 1}};

HRESULT Register(const CLSID& clsid, const char* module, const char* progId = "Lib.Thing") {
  return ComRegisterClass(&clsid, progId, module, &kInterfaceA, "_Thing", &kLibA, "8.0",
                          "Thing Library");
}

std::string LookUp(const CLSID& clsid, HRESULT* hr = nullptr) {
  char buffer[512] = {};
  const HRESULT result = ComLookupInprocServer(&clsid, buffer, sizeof buffer);
  if (hr != nullptr) *hr = result;
  return buffer;
}

TEST(Registry, RegisterLookUpUnregister) {
  ScopedRegistry registry;
  HRESULT hr = S_OK;
  LookUp(kClassA, &hr);
  EXPECT_EQ(hr, REGDB_E_CLASSNOTREG);
  const auto info = comtest::TakeErrorInfo();
  EXPECT_NE(info.description.find(com::GuidToString(kClassA)), std::string::npos);

  ASSERT_EQ(Register(kClassA, "/opt/a/Thing.so"), S_OK);
  EXPECT_EQ(LookUp(kClassA), "/opt/a/Thing.so");

  const std::string text = ReadText(registry.File());
  for (const char* expected :
       {"[CLSID\\{11111111-2222-3333-4444-555555555501}]", "InprocServer32=/opt/a/Thing.so",
        "ThreadingModel=Apartment", "ProgID=Lib.Thing", "[ProgID\\Lib.Thing]",
        "[TypeLib\\{BBBBBBBB-0001-0002-0000-000000000001}\\8.0]", "HelpString=Thing Library",
        "Name=Lib", "[Interface\\{AAAAAAAA-0001-0002-0000-000000000001}]", "Name=_Thing",
        "TypeLib={BBBBBBBB-0001-0002-0000-000000000001}"}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
  }

  ASSERT_EQ(ComUnregisterClass(&kClassA, &kInterfaceA, &kLibA), S_OK);
  LookUp(kClassA, &hr);
  EXPECT_EQ(hr, REGDB_E_CLASSNOTREG);
  EXPECT_EQ(ReadText(registry.File()).find("Thing"), std::string::npos);
}

TEST(Registry, RewriteKeepsOtherEntriesAndLeavesNoTemporaryFile) {
  ScopedRegistry registry;
  {
    std::ofstream out(registry.File());
    out << "[Foreign\\Key]\nValue= kept with its blank \n";
  }
  ASSERT_EQ(Register(kClassA, "/opt/a/A.so", "A.One"), S_OK);
  ASSERT_EQ(Register(kClassB, "/opt/b/B.so", "B.Two"), S_OK);
  ASSERT_EQ(Register(kClassA, "/opt/a2/A.so", "A.One"), S_OK);  // replaces, no duplicate
  ASSERT_EQ(ComUnregisterClass(&kClassA, nullptr, nullptr), S_OK);

  HRESULT hr = S_OK;
  LookUp(kClassA, &hr);
  EXPECT_EQ(hr, REGDB_E_CLASSNOTREG);
  EXPECT_EQ(LookUp(kClassB), "/opt/b/B.so");
  const std::string text = ReadText(registry.File());
  EXPECT_NE(text.find("Value= kept with its blank "), std::string::npos) << text;
  EXPECT_EQ(text.find("A.One"), std::string::npos) << text;
  EXPECT_NE(text.find("[ProgID\\B.Two]"), std::string::npos) << text;

  for (const auto& entry : std::filesystem::directory_iterator(registry.Folder())) {
    const std::string name = entry.path().filename().string();
    EXPECT_TRUE(name == "registry" || name == "registry.lock") << name;
  }
}

TEST(Registry, CreatesMissingFoldersAndRefusesBadInput) {
  comtest::TempFolder folder;
  const auto file = folder / "a/b/registry";
  ComSetRegistryPath(file.c_str());
  EXPECT_EQ(Register(kClassA, "relative/Thing.so"), E_INVALIDARG);
  EXPECT_EQ(Register(kClassA, "/opt/Thing\n[CLSID\\x].so"), E_INVALIDARG);
  EXPECT_EQ(Register(kClassA, "/opt/Thing.so", "Bad]Name"), E_INVALIDARG);
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_EQ(Register(kClassA, "/opt/Thing.so"), S_OK);
  EXPECT_TRUE(std::filesystem::exists(file));

  char tiny[4];
  EXPECT_EQ(ComLookupInprocServer(&kClassA, tiny, sizeof tiny), E_INVALIDARG);
  ComSetRegistryPath(nullptr);
}

TEST(Registry, LocationFollowsOverrideThenEnvironmentThenUserConfig) {
  comtest::TempFolder folder;
  const char* saved = std::getenv("TF_COM_REGISTRY");
  const std::string savedRegistry = saved != nullptr ? saved : "";
  const char* savedXdg = std::getenv("XDG_CONFIG_HOME");
  const std::string savedConfig = savedXdg != nullptr ? savedXdg : "";

  char path[1024];
  ComSetRegistryPath(nullptr);
  unsetenv("TF_COM_REGISTRY");
  setenv("XDG_CONFIG_HOME", folder.Path().c_str(), 1);
  ASSERT_EQ(ComGetRegistryPath(path, sizeof path), S_OK);
  EXPECT_EQ(std::string(path), (folder / "texelforge/com-registry").string());

  setenv("TF_COM_REGISTRY", (folder / "env-registry").c_str(), 1);
  ASSERT_EQ(ComGetRegistryPath(path, sizeof path), S_OK);
  EXPECT_EQ(std::string(path), (folder / "env-registry").string());

  ComSetRegistryPath((folder / "chosen").c_str());
  ASSERT_EQ(ComGetRegistryPath(path, sizeof path), S_OK);
  EXPECT_EQ(std::string(path), (folder / "chosen").string());
  ComSetRegistryPath(nullptr);

  if (saved != nullptr) {
    setenv("TF_COM_REGISTRY", savedRegistry.c_str(), 1);
  } else {
    unsetenv("TF_COM_REGISTRY");
  }
  if (savedXdg != nullptr) {
    setenv("XDG_CONFIG_HOME", savedConfig.c_str(), 1);
  } else {
    unsetenv("XDG_CONFIG_HOME");
  }
}

}  // namespace
