// The host's wild-card patterns, as selection filters and acutWcMatch read
// them: # a digit, @ a letter, . neither, * any run, ? any character,
// [abc] and [a-z] one of them, [~abc] none of them, ` takes the next
// character as it is, a leading ~ negates, and commas separate
// alternatives.  Case is ignored, as names in a drawing ignore it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class WildcardPattern {
 public:
  explicit WildcardPattern(const std::wstring& pattern);
  bool matches(std::wstring_view text) const;

 private:
  struct Token {
    enum Kind { Literal, Digit, Letter, Other, Any, Run, Set } kind = Literal;
    std::wstring members;  // Set: single characters, and ranges as three characters a-z
    bool negated = false;
    wchar_t literal = 0;
    bool accepts(wchar_t c) const;
  };
  struct Alternative {
    bool negated = false;
    std::vector<Token> tokens;
    bool matches(std::wstring_view text) const;
  };
  static Alternative parse(const std::wstring& text);

  std::vector<Alternative> m_alternatives;
};
