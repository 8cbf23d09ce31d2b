// The executable's side of the library: one object of class CorvaneGorm created by its class
// identifier through the registry, its methods called with paths and values by reference.
// A failing call throws com::Error carrying the method's name and the library's description.
#pragma once

#include <cstdint>
#include <filesystem>

#include "com/ptr.h"
#include "corvane_gorm.h"

namespace texel {

namespace fs = std::filesystem;

class CorvaneClient {
 public:
  // A library that is not registered, or whose registered module cannot be loaded, fails with
  // an InstallationFault saying so and giving the command that registers the library of
  // `programFolder`.
  static CorvaneClient Create(const fs::path& programFolder);

  void CompressFile(const fs::path& source, const fs::path& destination);
  void UncompressFile(const fs::path& compressed, const fs::path& uncompressed);
  void Corvane_UnPack(const fs::path& path);
  void Corvane_Pack(const fs::path& path);
  void Corvane_Export_StartFile2Data(const fs::path& file, const fs::path& newFile,
                                     int32_t searchData);
  void Corvane_Export_Data2Data(const fs::path& file, int32_t startData, int32_t finishData,
                                const fs::path& newFile);
  void Corvane_Export_Data2FinishFile(const fs::path& file, int32_t searchData,
                                      const fs::path& newFile);
  void Corvane_Replace(const fs::path& file, int32_t searchData, int32_t replaceData);
  void Corvane_ReplaceFHTexture(const fs::path& file, const fs::path& replaceFile);
  void Corvane_DDS2BMP(const fs::path& dds);
  void Corvane_DDS2PNG(const fs::path& dds);
  void Corvane_DDS2JPG(const fs::path& dds);
  void Corvane_DDS2GIF(const fs::path& dds);

 private:
  explicit CorvaneClient(com::Ptr<_CorvaneGorm> object) : m_object(std::move(object)) {}

  // One call of a method: its arguments passed by reference, an empty result that nobody reads,
  // and a failing result thrown as com::Error naming `name`.
  template <typename... Params, typename... Args>
  void Call(const char* name, HRESULT (_CorvaneGorm::*method)(Params...), const Args&... args);

  com::Ptr<_CorvaneGorm> m_object;
};

}  // namespace texel
