#include "output_name.h"

namespace corvane {

std::filesystem::path SuffixedOutputName(const std::filesystem::path& input, const char* suffix) {
  return std::filesystem::path(input.native() + suffix);
}

}  // namespace corvane
