// The HEADER section: variables in file order, each kept as the text it
// was read from until it is set.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

class DxfOutFiler;

class DxfHeader {
 public:
  // tags: the text of the variable's value tags, after its 9 tag.
  void add(std::string_view name, std::string_view tags);
  // The (trimmed) value of the variable's first tag; empty when missing.
  std::string value(std::string_view name) const;
  // The (trimmed) value of the variable's tag of that code; empty when missing.
  std::string value(std::string_view name, int code) const;
  void set(std::string_view name, int code, std::string value);
  // A variable of several tags (a point: codes 10, 20, 30).
  void set(std::string_view name, std::vector<std::pair<int, std::string>> tags);
  // Back to the text read, for a variable the file had.
  void revert(std::string_view name);
  void write(DxfOutFiler& out) const;

 private:
  struct Variable {
    std::string name;
    std::string_view tags;
    std::vector<std::pair<int, std::string>> replacement;
    bool replaced = false;
  };
  std::vector<Variable> m_variables;
  std::unordered_map<std::string, size_t> m_index;

  // The value of the first tag of the code, or of the first tag when code is negative.
  std::string find(std::string_view name, int code) const;
};
