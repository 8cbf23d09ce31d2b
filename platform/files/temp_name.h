// The one way this program names a file it writes before renaming it over its target.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace files {

// Twelve characters from the system's random source, fit for a file name: a name that holds
// them cannot be foreseen, so no one can plant anything at it beforehand.
std::string UnforeseeableTag();

// A hidden name beside `target` that holds an unforeseeable tag.
std::filesystem::path TempPathBeside(const std::filesystem::path& target);

// Tests foresee the next tags: while one lives, each tag made is the next of `tags`, then random
// ones again.
class ForeseenTags {
 public:
  explicit ForeseenTags(std::vector<std::string> tags);
  ~ForeseenTags();
  ForeseenTags(const ForeseenTags&) = delete;
  ForeseenTags& operator=(const ForeseenTags&) = delete;
};

}  // namespace files
