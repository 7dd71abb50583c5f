// The keywords of acedInitGet: "Yes No" or "Yes No _Yes No" (local names,
// then global ones).  The capitals of a keyword are its shortest form; any
// longer start of it is accepted too, in any case.
#pragma once

#include <optional>
#include <string>
#include <vector>

class Keywords {
 public:
  Keywords() = default;
  explicit Keywords(const std::wstring& list);

  bool empty() const;
  // The keyword the answer stands for.
  std::optional<std::wstring> match(const std::wstring& answer) const;

 private:
  static bool abbreviates(const std::wstring& answer, const std::wstring& keyword);
  std::vector<std::wstring> m_keywords;
};
