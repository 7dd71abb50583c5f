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

std::string DxfHeader::value(std::string_view name) const {
  const auto found = m_index.find(std::string(name));
  if (found == m_index.end()) return std::string();
  const Variable& variable = m_variables[found->second];
  std::string_view text;
  if (variable.replaced) {
    text = variable.value;
  } else {
    DxfTagReader reader(variable.tags);
    if (reader.atEnd()) return std::string();
    text = reader.peek().value;
  }
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return std::string(text);
}

void DxfHeader::set(std::string_view name, int code, std::string value) {
  add(name, std::string_view());
  Variable& variable = m_variables[m_index.at(std::string(name))];
  variable.code = code;
  variable.value = std::move(value);
  variable.replaced = true;
}

void DxfHeader::write(DxfOutFiler& out) const {
  for (const Variable& variable : m_variables) {
    out.tag(9, variable.name);
    if (variable.replaced) out.tag(variable.code, variable.value);
    else out.raw(variable.tags);
  }
}
