// comreg [-u] [--registry FILE] MODULE.so: registers (or with -u unregisters) an in-process
// server module by calling its own DllRegisterServer / DllUnregisterServer.
#include <dlfcn.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "com/bstr.h"
#include "com/error.h"
#include "com/runtime.h"

namespace {

constexpr const char* kUsage = "usage: comreg [-u] [--registry FILE] MODULE.so\n";

struct Options {
  bool unregister = false;
  std::string registry;
  std::string module;
};

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "-u" || arg == "--unregister") {
      options.unregister = true;
    } else if (arg == "--registry" && i + 1 < argc) {
      options.registry = argv[++i];
    } else if (arg.starts_with("-") || !options.module.empty()) {
      return false;
    } else {
      options.module = arg;
    }
  }
  return !options.module.empty();
}

std::string CurrentRegistry() {
  char buffer[4096];
  return ComGetRegistryPath(buffer, sizeof buffer) == S_OK ? buffer : "the class registry";
}

// The failure's own description when the module left one.
std::string Explain(HRESULT hr) {
  HRESULT number = 0;
  BSTR raw = nullptr;
  const bool haveInfo = ComGetErrorInfo(&number, &raw) == S_OK;
  const com::Bstr description = com::Bstr::Attach(raw);
  if (haveInfo && !description.View().empty()) return description.Utf8();
  return com::DescribeResult(hr);
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  if (!options.registry.empty()) ComSetRegistryPath(options.registry.c_str());

  // dlopen searches the library path for a bare name; the module the user named is meant.
  std::error_code ec;
  const std::filesystem::path module = std::filesystem::absolute(options.module, ec);
  void* handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    std::fprintf(stderr, "comreg: cannot load %s: %s\n", module.c_str(), dlerror());
    return 1;
  }
  const char* entry = options.unregister ? "DllUnregisterServer" : "DllRegisterServer";
  auto call = reinterpret_cast<DllRegisterServerFn>(dlsym(handle, entry));
  if (call == nullptr) {
    std::fprintf(stderr, "comreg: %s does not export %s\n", module.c_str(), entry);
    return 1;
  }
  const HRESULT hr = call();
  if (FAILED(hr)) {
    std::fprintf(stderr, "comreg: %s of %s failed: %s\n", entry, module.c_str(),
                 Explain(hr).c_str());
    return 1;
  }
  std::printf("comreg: %s %s in %s\n", options.unregister ? "unregistered" : "registered",
              module.c_str(), CurrentRegistry().c_str());
  return 0;
}
