// The class registry's text: sections "[name]" holding "key=value" lines, in file order.
// Section names and keys compare without regard to case, as registry keys do.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace com::detail {

struct RegistrySection {
  std::string name;
  std::vector<std::pair<std::string, std::string>> values;

  const std::string* Value(std::string_view key) const;
  void Set(std::string key, std::string value);
};

class RegistryDocument {
 public:
  // Lines that are neither a section nor a key=value pair inside one are dropped.
  static RegistryDocument Parse(std::string_view text);
  std::string Serialize() const;

  const RegistrySection* Find(std::string_view name) const;
  // The section emptied, or appended when absent.
  RegistrySection& Reset(std::string_view name);
  // Removes every section the predicate accepts; returns how many went.
  size_t RemoveIf(const std::function<bool(const RegistrySection&)>& which);
  const std::vector<RegistrySection>& Sections() const { return m_sections; }

 private:
  std::vector<RegistrySection> m_sections;
};

bool EqualsIgnoringCase(std::string_view a, std::string_view b);
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);
// Names and values are single lines; section names hold no brackets and keys no "=".
bool IsValidName(std::string_view text);
bool IsValidValue(std::string_view text);

}  // namespace com::detail
