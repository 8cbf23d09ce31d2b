#include "program_data.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <system_error>

#include "regular_file.h"

namespace texel {

namespace {

constexpr std::array<const char*, 3> kBallFiles = {"WE00.dll", "DATA1.dll", "DATA2.dll"};
constexpr std::array<const char*, 4> kBootFiles = {"WE00.1.dll", "WE00.2.dll", "WE00.3.dll",
                                                   "WE00.4.dll"};
constexpr std::array<const char*, 5> kGloveFiles = {"DATA1.dll", "DATA2.dll", "WE01.dll",
                                                    "WE02.dll", "WE03.dll"};
constexpr std::array<const char*, 8> kBoot3dFiles = {"DATA1.dll",  "DATA2.dll",  "WE00.1.dll",
                                                     "WE00.2.dll", "WE00.3.dll", "WE00.4.dll",
                                                     "WE00.5.dll", "WE00.6.dll"};

struct ShippedFolder {
  AssetKind kind;
  const char* cfgFolder;  // "" for cfg itself
  std::span<const char* const> files;
};

constexpr std::array<ShippedFolder, 4> kShipped = {{
    {AssetKind::Ball, "", kBallFiles},
    {AssetKind::Boot, "Boot", kBootFiles},
    {AssetKind::Glove, "Glove", kGloveFiles},
    {AssetKind::Boot3d, "Boot3d", kBoot3dFiles},
}};

std::string Damage(const fs::path& path, const std::string& lack) {
  return "\"" + path.string() + "\" " + lack;
}

}  // namespace

std::span<const char* const> ShippedFiles(AssetKind kind) {
  for (const ShippedFolder& folder : kShipped) {
    if (folder.kind == kind) return folder.files;
  }
  return {};
}

fs::path ShippedOriginal(const Workbench& bench, AssetKind kind, const std::string& name) {
  for (const ShippedFolder& folder : kShipped) {
    if (folder.kind == kind) return bench.TemplateFolder() / folder.cfgFolder / name;
  }
  return bench.TemplateFolder() / name;
}

std::string DataLack(const fs::path& file) {
  // Opened, not only looked at: a file the program may not read is as useless as a missing one.
  const files::OpenedFile opened = files::OpenRegularFile(file, O_RDONLY);
  if (opened.notAFile != nullptr) return std::string("is ") + opened.notAFile + ", not a file";
  if (opened.fd < 0) {
    if (opened.error == ENOENT || opened.error == ENOTDIR) return "is missing";
    return std::string("cannot be read (") + std::strerror(opened.error) + ")";
  }
  ::close(opened.fd);
  return opened.size == 0 ? "is empty" : std::string();
}

std::vector<std::string> DamagedShippedData(const Workbench& bench) {
  std::error_code error;
  const fs::path cfg = bench.TemplateFolder();
  if (!fs::is_directory(cfg, error)) return {Damage(cfg, "is missing")};
  std::vector<std::string> damaged;
  for (const ShippedFolder& folder : kShipped) {
    const fs::path place = cfg / folder.cfgFolder;
    if (!fs::is_directory(place, error)) {
      damaged.push_back(Damage(place, "is missing"));
      continue;
    }
    for (const char* name : folder.files) {
      if (const std::string lack = DataLack(place / name); !lack.empty()) {
        damaged.push_back(Damage(place / name, lack));
      }
    }
  }
  return damaged;
}

}  // namespace texel
