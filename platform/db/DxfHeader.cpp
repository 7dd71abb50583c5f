#include "DxfHeader.h"

#include <utility>

#include "DxfOutFiler.h"
#include "DxfTagReader.h"

void DxfHeader::add(std::string_view name, std::string_view tags) {
  const auto found = m_index.find(std::string(name));
  if (found != m_index.end()) {
    m_variables[found->second].tags = tags;
    return;
  }
  m_index.emplace(std::string(name), m_variables.size());
  Variable variable;
  variable.name = std::string(name);
  variable.tags = tags;
  m_variables.push_back(std::move(variable));
}

namespace {

std::string trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return std::string(text);
}

}  // namespace

std::string DxfHeader::find(std::string_view name, int code) const {
  const auto found = m_index.find(std::string(name));
  if (found == m_index.end()) return std::string();
  const Variable& variable = m_variables[found->second];
  if (variable.replaced) {
    for (const auto& [tagCode, value] : variable.replacement)
      if (code < 0 || tagCode == code) return trimmed(value);
    return std::string();
  }
  for (DxfTagReader reader(variable.tags); !reader.atEnd();) {
    const DxfTag tag = reader.next();
    if (code < 0 || tag.code == code) return trimmed(tag.value);
  }
  return std::string();
}

std::string DxfHeader::value(std::string_view name) const { return find(name, -1); }

std::string DxfHeader::value(std::string_view name, int code) const { return find(name, code); }

void DxfHeader::set(std::string_view name, int code, std::string value) { set(name, {{code, std::move(value)}}); }

void DxfHeader::set(std::string_view name, std::vector<std::pair<int, std::string>> tags) {
  if (m_index.count(std::string(name)) == 0) add(name, std::string_view());
  Variable& variable = m_variables[m_index.at(std::string(name))];
  variable.replacement = std::move(tags);
  variable.replaced = true;
}

void DxfHeader::revert(std::string_view name) {
  const auto found = m_index.find(std::string(name));
  if (found == m_index.end() || m_variables[found->second].tags.empty()) return;
  m_variables[found->second].replaced = false;
  m_variables[found->second].replacement.clear();
}

void DxfHeader::write(DxfOutFiler& out) const {
  for (const Variable& variable : m_variables) {
    out.tag(9, variable.name);
    if (!variable.replaced) {
      out.raw(variable.tags);
      continue;
    }
    for (const auto& [code, value] : variable.replacement) out.tag(code, value);
  }
}
