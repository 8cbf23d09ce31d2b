// How the library names what it writes from a file: the input's whole path with a suffix
// appended. The program finds the library's outputs by the same rule.
#pragma once

#include <filesystem>

namespace corvane {

// "Face.dds" and ".bmp" give "Face.dds.bmp", never "Face.bmp".
std::filesystem::path SuffixedOutputName(const std::filesystem::path& input, const char* suffix);

}  // namespace corvane
