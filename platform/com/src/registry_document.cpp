#include "registry_document.h"

#include <algorithm>

namespace com::detail {

namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

}  // namespace

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return Lower(x) == Lower(y); });
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

bool IsValidValue(std::string_view text) {
  return text.find_first_of("\r\n") == std::string_view::npos;
}

bool IsValidName(std::string_view text) {
  return !text.empty() && IsValidValue(text) && text.find_first_of("[]=") == std::string_view::npos;
}

const std::string* RegistrySection::Value(std::string_view key) const {
  for (const auto& [k, v] : values) {
    if (EqualsIgnoringCase(k, key)) return &v;
  }
  return nullptr;
}

void RegistrySection::Set(std::string key, std::string value) {
  for (auto& [k, v] : values) {
    if (EqualsIgnoringCase(k, key)) {
      v = std::move(value);
      return;
    }
  }
  values.emplace_back(std::move(key), std::move(value));
}

RegistryDocument RegistryDocument::Parse(std::string_view text) {
  RegistryDocument doc;
  RegistrySection* current = nullptr;
  while (!text.empty()) {
    const auto end = text.find('\n');
    std::string_view raw = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    const std::string_view line = Trim(raw);
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    if (line.front() == '[' && line.back() == ']') {
      current = &doc.Reset(line.substr(1, line.size() - 2));
      continue;
    }
    // Values keep their blanks: a path may end in one.
    const auto eq = raw.find('=');
    if (current == nullptr || eq == std::string_view::npos) continue;
    current->Set(std::string(Trim(raw.substr(0, eq))), std::string(raw.substr(eq + 1)));
  }
  return doc;
}

std::string RegistryDocument::Serialize() const {
  std::string out;
  for (const RegistrySection& section : m_sections) {
    if (!out.empty()) out += '\n';
    out += '[' + section.name + "]\n";
    for (const auto& [k, v] : section.values) out += k + '=' + v + '\n';
  }
  return out;
}

const RegistrySection* RegistryDocument::Find(std::string_view name) const {
  for (const RegistrySection& section : m_sections) {
    if (EqualsIgnoringCase(section.name, name)) return &section;
  }
  return nullptr;
}

RegistrySection& RegistryDocument::Reset(std::string_view name) {
  for (RegistrySection& section : m_sections) {
    if (EqualsIgnoringCase(section.name, name)) {
      section.values.clear();
      return section;
    }
  }
  return m_sections.emplace_back(RegistrySection{std::string(name), {}});
}

size_t RegistryDocument::RemoveIf(const std::function<bool(const RegistrySection&)>& which) {
  return std::erase_if(m_sections, which);
}

}  // namespace com::detail
