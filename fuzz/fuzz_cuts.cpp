// Runs the cuts, the replace and the splice on fuzz data as a file, with the two markers taken
// from its first eight bytes, and checks each result against a plain in-memory model.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "byte_range.h"
#include "failure.h"
#include "fuzz_folder.h"
#include "operations.h"

namespace {

using namespace tffuzz;
namespace ops = corvane;
using Bytes = std::vector<uint8_t>;

int32_t Get32(const uint8_t* p) { return ops::ReadInt32LE(p); }

// 1-based position of the first match, or 0.
int32_t Find(const Bytes& file, int32_t value) {
  for (size_t i = 0; i + 4 <= file.size(); ++i)
    if (Get32(&file[i]) == value) return static_cast<int32_t>(i + 1);
  return 0;
}

Bytes Piece(const Bytes& file, int32_t position, int32_t count) {
  Bytes piece(static_cast<size_t>(count), 0);
  for (size_t i = 0; i < piece.size() && position - 1 + i < file.size(); ++i)
    piece[i] = file[position - 1 + i];
  return piece;
}

// Runs a cut; when the model says a marker is absent, the cut must fail and write nothing.
template <typename Cut>
void CheckCut(Cut cut, bool present, const Bytes& expected) {
  const fs::path out = Folder() / "Piece.dds";
  fs::remove(out);
  try {
    cut(out);
    Require(present);
    Require(Read(out) == expected);
  } catch (const ops::Failure&) {
    Require(!present);
    Require(!fs::exists(out));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 8) return 0;
  const int32_t a = Get32(data);
  const int32_t b = Get32(data + 4);
  const Bytes file(data + 8, data + size);
  const fs::path path = EmptyFolder() / "Work.bin";
  Write(path, file);

  const int32_t pa = Find(file, a);
  const int32_t pb = Find(file, b);
  const int32_t length = static_cast<int32_t>(file.size());
  CheckCut([&](const fs::path& out) { ops::ExportStartFile2Data(path, out, a); }, pa > 0,
           pa > 0 ? Piece(file, 1, pa) : Bytes{});
  CheckCut([&](const fs::path& out) { ops::ExportData2Data(path, a, b, out); }, pa > 0 && pb > 0,
           pa > 0 && pb > 0 ? Piece(file, pa, pb) : Bytes{});
  CheckCut([&](const fs::path& out) { ops::ExportData2FinishFile(path, b, out); }, pb > 0,
           pb > 0 ? Piece(file, pb, length) : Bytes{});

  {
    ops::BinaryFile open(path, ops::BinaryFile::Mode::ReadOnly);
    Require(ops::FindLong(open, 1, a) == pa);
  }

  Bytes replaced = file;
  for (size_t q = 0; q + 4 <= replaced.size();) {
    if (Get32(&replaced[q]) == a) {
      ops::WriteInt32LE(&replaced[q], b);
      q += 4;
    } else {
      ++q;
    }
  }
  ops::Replace(path, a, b);
  Require(Read(path) == replaced);

  // Splice the file's own first half behind its head.
  const fs::path texture = Folder() / "New.dds";
  const Bytes half(file.begin(), file.begin() + file.size() / 2);
  Write(texture, half);
  const int32_t dds = Find(replaced, ops::kDdsMagic);
  try {
    ops::ReplaceFHTexture(path, texture);
    Require(dds > 0 && !half.empty());
    Bytes spliced(replaced.begin(), replaced.begin() + (dds - 1));
    spliced.insert(spliced.end(), half.begin(), half.end());
    Require(Read(path) == spliced);
  } catch (const ops::Failure&) {
    Require(dds == 0 || half.empty());
    Require(Read(path) == replaced);
  }
  return 0;
}
