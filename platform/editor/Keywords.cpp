#include "Keywords.h"

#include <cwctype>
#include <sstream>

#include "ReplyText.h"

Keywords::Keywords(const std::wstring& list) {
  std::wistringstream words(list);
  std::wstring word;
  while (words >> word) {
    if (word.front() == L'_') break;  // the global names that follow are not typed here
    m_keywords.push_back(word);
  }
}

bool Keywords::empty() const { return m_keywords.empty(); }

std::optional<std::wstring> Keywords::match(const std::wstring& answer) const {
  const std::wstring trimmed = ReplyText::trim(answer);
  if (trimmed.empty()) return std::nullopt;
  for (const auto& keyword : m_keywords)
    if (abbreviates(trimmed, keyword)) return keyword;
  return std::nullopt;
}

bool Keywords::abbreviates(const std::wstring& answer, const std::wstring& keyword) {
  std::wstring capitals;
  size_t shortest = 0;
  for (size_t i = 0; i < keyword.size(); ++i) {
    if (std::iswupper(keyword[i])) {
      capitals += keyword[i];
      shortest = i + 1;
    }
  }
  const std::wstring typed = ReplyText::upper(answer);
  if (!capitals.empty() && typed == capitals) return true;
  if (shortest == 0) shortest = keyword.size();
  return typed.size() >= shortest && typed.size() <= keyword.size() &&
         ReplyText::upper(keyword.substr(0, typed.size())) == typed;
}
