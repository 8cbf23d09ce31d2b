// Feeds arbitrary bytes to unpacking, as a packed container and as a sized-zlib file: each
// either fails with a Failure and leaves no output, or gives a payload that packs back to itself.
#include <cstddef>
#include <cstdint>

#include "failure.h"
#include "fuzz_folder.h"
#include "operations.h"

namespace {

using namespace tffuzz;
namespace ops = corvane;

void CheckUnpack(const fs::path& packed) {
  const fs::path temp = Folder() / "temp.bin";
  const fs::path out = ops::SuffixedOutputName(packed, ".unzlib");
  fs::remove(out);
  bool unpacked = false;
  try {
    ops::WriteUnpackTemp(packed, temp);
    ops::UncompressFile(temp, out);
    unpacked = true;
  } catch (const ops::Failure& failure) {
    Require(failure.Code() < 0 && failure.what()[0] != '\0');
  }
  fs::remove(temp);
  Require(unpacked == fs::exists(out));
  if (!unpacked || fs::file_size(out) == 0) return;

  // What unpacked packs again and unpacks to the same bytes.
  const std::vector<uint8_t> payload = Read(out);
  const fs::path repacked = ops::SuffixedOutputName(out, ".zlib");
  ops::CheckPackInput(out);
  ops::CompressFile(out, repacked);
  ops::WrapPackedContainer(repacked);
  ops::WriteUnpackTemp(repacked, temp);
  ops::UncompressFile(temp, out);
  fs::remove(temp);
  Require(Read(out) == payload);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  const fs::path packed = EmptyFolder() / "Input.bin";
  Write(packed, bytes);
  CheckUnpack(packed);

  // The same bytes as a sized-zlib file: a 12-byte head in front makes them one.
  std::vector<uint8_t> headed(12, 0);
  headed.insert(headed.end(), bytes.begin(), bytes.end());
  Write(packed, headed);
  CheckUnpack(packed);
  return 0;
}
