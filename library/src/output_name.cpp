#include "operations.h"

namespace corvane {

fs::path SuffixedOutputName(const fs::path& input, const char* suffix) {
  // Appended to the whole path: "Face.dds" gives "Face.dds.bmp", never "Face.bmp".
  return fs::path(input.native() + suffix);
}

}  // namespace corvane
