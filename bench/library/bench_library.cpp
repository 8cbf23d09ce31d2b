// Library speed, each operation against a raw floor measured in the same run: the byte-range
// scans against memchr/memcpy over the same bytes in memory, packing and unpacking against bare
// zlib plus one file read and one write, DDS to PNG against bare image-library load and save.
#include <FreeImage.h>
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "byte_range.h"
#include "operations.h"

namespace {

namespace fs = std::filesystem;
namespace ops = corvane;
using Bytes = std::vector<uint8_t>;

constexpr size_t kScanFileSize = 8u << 20;
constexpr size_t kPayloadSize = 6u << 20;
constexpr uint32_t kTextureWidth = 2048;
constexpr uint32_t kTextureHeight = 1024;
constexpr int32_t kSearched = ops::kDdsMagic;
constexpr int32_t kReplacement = ops::kModelSectionMagic;

// Writes a new file: an old one is removed first, so that no floor pays for ext4 flushing a file
// that was truncated or replaced.
void WriteFile(const fs::path& path, const Bytes& bytes) {
  std::error_code ignored;
  fs::remove(path, ignored);
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) std::abort();
  std::fclose(f);
}

Bytes ReadFile(const fs::path& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) std::abort();
  Bytes bytes(fs::file_size(path));
  if (std::fread(bytes.data(), 1, bytes.size(), f) != bytes.size()) std::abort();
  std::fclose(f);
  return bytes;
}

void Put32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

// DXT-like data: smooth endpoints and noisy indices, so that it compresses as textures do.
Bytes TextureBlocks(size_t blocks, size_t blockSize, unsigned seed) {
  std::mt19937 random(seed);
  Bytes bytes(blocks * blockSize);
  for (size_t i = 0; i < blocks; ++i) {
    uint8_t* block = bytes.data() + i * blockSize;
    uint8_t* colour = block;
    if (blockSize == 16) {
      std::memset(block, 0xFF, 2);
      std::memset(block + 2, 0, 6);
      colour = block + 8;
    }
    const uint16_t c0 = static_cast<uint16_t>(0x8000 + (i / 64) % 0x4000);
    const uint16_t c1 = static_cast<uint16_t>(c0 - 0x0841);
    colour[0] = static_cast<uint8_t>(c0);
    colour[1] = static_cast<uint8_t>(c0 >> 8);
    colour[2] = static_cast<uint8_t>(c1);
    colour[3] = static_cast<uint8_t>(c1 >> 8);
    Put32(colour + 4, static_cast<uint32_t>(random()));
  }
  return bytes;
}

struct Fixture {
  fs::path folder;
  Bytes scan;  // random bytes with the marker at a few places, the first near the end
  fs::path scanFile, replaceFile;
  Bytes payload;
  fs::path payloadFile, packedFile;
  fs::path ddsFile;
};

Fixture& Data() {
  static Fixture data = [] {
    Fixture d;
    std::string pattern = "/tmp/tf-bench-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    d.folder = pattern;

    std::mt19937 random(11);
    d.scan.resize(kScanFileSize);
    for (auto& b : d.scan) b = static_cast<uint8_t>(random());
    for (size_t i = 0; i + 3 < d.scan.size(); ++i)  // no stray marker before the planted ones
      if (ops::ReadInt32LE(&d.scan[i]) == kSearched) d.scan[i] = 0;
    for (size_t at : {kScanFileSize - 4096, kScanFileSize - 2048, kScanFileSize - 7})
      Put32(&d.scan[at], static_cast<uint32_t>(kSearched));
    d.scanFile = d.folder / "scan.bin";
    d.replaceFile = d.folder / "replace.bin";
    WriteFile(d.scanFile, d.scan);

    d.payload = TextureBlocks(kPayloadSize / 16, 16, 5);
    d.payloadFile = d.folder / "Face.bin.unzlib";
    WriteFile(d.payloadFile, d.payload);
    d.packedFile = d.folder / "Face.bin";
    ops::CompressFile(d.payloadFile, d.packedFile);
    ops::WrapPackedContainer(d.packedFile);

    Bytes dds(128, 0);
    Put32(&dds[0], 0x20534444);
    Put32(&dds[4], 124);
    Put32(&dds[8], 0x1007);
    Put32(&dds[12], kTextureHeight);
    Put32(&dds[16], kTextureWidth);
    Put32(&dds[76], 32);
    Put32(&dds[80], 0x4);
    std::memcpy(&dds[84], "DXT1", 4);
    Bytes blocks = TextureBlocks(kTextureWidth / 4 * (kTextureHeight / 4), 8, 6);
    dds.insert(dds.end(), blocks.begin(), blocks.end());
    d.ddsFile = d.folder / "Face.dds";
    WriteFile(d.ddsFile, dds);
    return d;
  }();
  return data;
}

// The scan every byte-range floor shares: memchr for the first byte, compare the rest.
size_t MemchrScan(const uint8_t* data, size_t size, int32_t value) {
  uint8_t pattern[4];
  ops::WriteInt32LE(pattern, value);
  size_t hits = 0;
  const uint8_t* cursor = data;
  const uint8_t* last = data + size - 4;
  while (cursor <= last) {
    const void* at = std::memchr(cursor, pattern[0], static_cast<size_t>(last - cursor) + 1);
    if (at == nullptr) break;
    const uint8_t* p = static_cast<const uint8_t*>(at);
    if (std::memcmp(p, pattern, 4) == 0) ++hits;
    cursor = p + 1;
  }
  return hits;
}

void FindLong(benchmark::State& state) {
  Fixture& d = Data();
  for (auto _ : state) {
    ops::BinaryFile file(d.scanFile, ops::BinaryFile::Mode::ReadOnly);
    benchmark::DoNotOptimize(ops::FindLong(file, 1, kSearched));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kScanFileSize));
}

void FindLongFloor(benchmark::State& state) {
  Fixture& d = Data();
  for (auto _ : state)
    benchmark::DoNotOptimize(MemchrScan(d.scan.data(), d.scan.size(), kSearched));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kScanFileSize));
}

void Replace(benchmark::State& state) {
  Fixture& d = Data();
  for (auto _ : state) {
    state.PauseTiming();
    WriteFile(d.replaceFile, d.scan);
    state.ResumeTiming();
    ops::Replace(d.replaceFile, kSearched, kReplacement);
  }
}

void ReplaceFloor(benchmark::State& state) {
  Fixture& d = Data();
  Bytes copy(d.scan.size());
  for (auto _ : state) {
    std::memcpy(copy.data(), d.scan.data(), copy.size());
    benchmark::DoNotOptimize(MemchrScan(copy.data(), copy.size(), kSearched));
    benchmark::ClobberMemory();
  }
}

void Pack(benchmark::State& state) {
  Fixture& d = Data();
  const fs::path out = ops::SuffixedOutputName(d.payloadFile, ".zlib");
  for (auto _ : state) {
    ops::CheckPackInput(d.payloadFile);
    ops::CompressFile(d.payloadFile, out);
    ops::WrapPackedContainer(out);
  }
}

void PackFloor(benchmark::State& state) {
  Fixture& d = Data();
  const fs::path out = d.folder / "floor.zlib";
  for (auto _ : state) {
    Bytes payload = ReadFile(d.payloadFile);
    Bytes stream(compressBound(payload.size()));
    uLongf length = stream.size();
    if (compress(stream.data(), &length, payload.data(), payload.size()) != Z_OK) std::abort();
    stream.resize(length);
    WriteFile(out, stream);
  }
}

void Unpack(benchmark::State& state) {
  Fixture& d = Data();
  const fs::path temp = d.folder / "temp.bin";
  const fs::path out = ops::SuffixedOutputName(d.packedFile, ".unzlib");
  for (auto _ : state) {
    ops::WriteUnpackTemp(d.packedFile, temp);
    ops::UncompressFile(temp, out);
    fs::remove(temp);
  }
}

void UnpackFloor(benchmark::State& state) {
  Fixture& d = Data();
  const fs::path out = d.folder / "floor.unzlib";
  for (auto _ : state) {
    Bytes packed = ReadFile(d.packedFile);
    Bytes payload(kPayloadSize);
    uLongf length = payload.size();
    if (uncompress(payload.data(), &length, packed.data() + 16, packed.size() - 16) != Z_OK)
      std::abort();
    WriteFile(out, payload);
  }
}

void DdsToPng(benchmark::State& state) {
  Fixture& d = Data();
  for (auto _ : state) ops::ConvertDds(d.ddsFile, ops::ImageFormat::Png);
}

void DdsToPngFloor(benchmark::State& state) {
  Fixture& d = Data();
  const fs::path out = d.folder / "floor.png";
  for (auto _ : state) {
    std::error_code ignored;
    fs::remove(out, ignored);
    FIBITMAP* image = FreeImage_Load(FIF_DDS, d.ddsFile.c_str(), 0);
    if (image == nullptr || !FreeImage_Save(FIF_PNG, image, out.c_str(), 0)) std::abort();
    FreeImage_Unload(image);
  }
}

BENCHMARK(FindLong)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(FindLongFloor)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Replace)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ReplaceFloor)->Unit(benchmark::kMillisecond)->UseRealTime();
// The slow pairs run longer, so that a few iterations do not decide their ratio.
BENCHMARK(Pack)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(PackFloor)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(Unpack)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1);
BENCHMARK(UnpackFloor)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1);
BENCHMARK(DdsToPng)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(DdsToPngFloor)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

// Keeps each benchmark's real time per iteration so that the ratios come from this very run.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration && !run.error_occurred)
        m_times[run.run_name.function_name] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  // Time of name over time of its floor; 0 when either did not run.
  double Ratio(const std::string& name) const {
    auto op = m_times.find(name), floor = m_times.find(name + "Floor");
    if (op == m_times.end() || floor == m_times.end() || floor->second <= 0) return 0;
    return op->second / floor->second;
  }

 private:
  std::map<std::string, double> m_times;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  auto print = [](const char* what, double value) {
    if (value > 0) std::printf("ratio %s: %.2f\n", what, value);
  };
  const double find = reporter.Ratio("FindLong");
  print("FindLong speed / memchr speed (target >= 0.25)", find > 0 ? 1 / find : 0);
  print("Replace time / memcpy+memchr time", reporter.Ratio("Replace"));
  print("pack time / zlib compress + read + write (target <= 1.15)", reporter.Ratio("Pack"));
  print("unpack time / zlib uncompress + read + write (target <= 1.15)", reporter.Ratio("Unpack"));
  print("DDS to PNG time / FreeImage load + save (target <= 1.15)", reporter.Ratio("DdsToPng"));

  std::error_code ignored;
  fs::remove_all(Data().folder, ignored);
  return 0;
}
