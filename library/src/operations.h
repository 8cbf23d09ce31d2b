// The library's work on whole files, free of the component boundary: each function throws
// corvane::Failure and leaves its output files as documented.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "output_name.h"

namespace corvane {

namespace fs = std::filesystem;

// Codec ------------------------------------------------------------------------------------
// Destination capacity handed to zlib: n * 0.01 + n + 12, rounded half to even.
uint64_t CompressCapacity(uint64_t n);
std::vector<uint8_t> CompressBytes(std::span<const uint8_t> data);
// Inflates one stream (trailing bytes allowed) into exactly expectedSize bytes; fails when the
// stream is corrupt, ends early or inflates to another length, or when expectedSize is more
// than the stream could ever produce.
std::vector<uint8_t> UncompressBytes(std::span<const uint8_t> stream, uint32_t expectedSize);

void CompressFile(const fs::path& source, const fs::path& destination);
void UncompressFile(const fs::path& compressed, const fs::path& uncompressed);
// First half of unpacking: the packed file from offset 12 on, plus 12 zero bytes, to temp.
void WriteUnpackTemp(const fs::path& packed, const fs::path& temp);
// Second half of packing: prefixes the sized stream in `zlibFile` with the container head.
void WrapPackedContainer(const fs::path& zlibFile);
// Packing reads its input whole first and fails on an empty or missing one.
void CheckPackInput(const fs::path& path);

// Cuts, replace, splice ---------------------------------------------------------------------
void ExportStartFile2Data(const fs::path& file, const fs::path& newFile, int32_t searchData);
void ExportData2Data(const fs::path& file, int32_t startData, int32_t finishData,
                     const fs::path& newFile);
void ExportData2FinishFile(const fs::path& file, int32_t searchData, const fs::path& newFile);
void Replace(const fs::path& file, int32_t searchData, int32_t replaceData);
void ReplaceFHTexture(const fs::path& file, const fs::path& replaceFile);

// Conversions --------------------------------------------------------------------------------
enum class ImageFormat { Bmp, Png, Jpg, Gif };
// Writes dds + ".bmp" / ".png" / ".jpg" / ".gif".
void ConvertDds(const fs::path& dds, ImageFormat format);

}  // namespace corvane
