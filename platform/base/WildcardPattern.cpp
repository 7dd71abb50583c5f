#include "WildcardPattern.h"

#include <cwctype>

namespace {

wchar_t folded(wchar_t c) { return static_cast<wchar_t>(std::towupper(c)); }

// The alternatives of a pattern: commas split it unless escaped or inside brackets.
std::vector<std::wstring> split(const std::wstring& pattern) {
  std::vector<std::wstring> parts(1);
  bool inSet = false;
  for (size_t i = 0; i < pattern.size(); ++i) {
    const wchar_t c = pattern[i];
    if (c == L'`' && i + 1 < pattern.size()) {
      parts.back() += c;
      parts.back() += pattern[++i];
      continue;
    }
    if (c == L'[') inSet = true;
    if (c == L']') inSet = false;
    if (c == L',' && !inSet)
      parts.emplace_back();
    else
      parts.back() += c;
  }
  return parts;
}

}  // namespace

WildcardPattern::WildcardPattern(const std::wstring& pattern) {
  for (const auto& part : split(pattern)) m_alternatives.push_back(parse(part));
}

bool WildcardPattern::matches(std::wstring_view text) const {
  for (const auto& alternative : m_alternatives)
    if (alternative.matches(text)) return true;
  return false;
}

WildcardPattern::Alternative WildcardPattern::parse(const std::wstring& text) {
  Alternative alternative;
  size_t i = 0;
  if (!text.empty() && text[0] == L'~') {
    alternative.negated = true;
    i = 1;
  }
  for (; i < text.size(); ++i) {
    Token token;
    switch (text[i]) {
      case L'#': token.kind = Token::Digit; break;
      case L'@': token.kind = Token::Letter; break;
      case L'.': token.kind = Token::Other; break;
      case L'?': token.kind = Token::Any; break;
      case L'*': token.kind = Token::Run; break;
      case L'`': token.literal = i + 1 < text.size() ? text[++i] : L'`'; break;
      case L'[': {
        const size_t close = text.find(L']', i + 1);
        if (close == std::wstring::npos) {
          token.literal = L'[';
          break;
        }
        token.kind = Token::Set;
        std::wstring inside = text.substr(i + 1, close - i - 1);
        if (!inside.empty() && inside[0] == L'~') {
          token.negated = true;
          inside.erase(0, 1);
        }
        token.members = inside;
        i = close;
        break;
      }
      default: token.literal = text[i]; break;
    }
    alternative.tokens.push_back(token);
  }
  return alternative;
}

bool WildcardPattern::Token::accepts(wchar_t c) const {
  switch (kind) {
    case Literal: return folded(c) == folded(literal);
    case Digit: return std::iswdigit(c) != 0;
    case Letter: return std::iswalpha(c) != 0;
    case Other: return std::iswalnum(c) == 0;
    case Any:
    case Run: return true;
    case Set: {
      bool found = false;
      for (size_t i = 0; i < members.size() && !found; ++i) {
        if (i + 2 < members.size() && members[i + 1] == L'-') {
          found = folded(c) >= folded(members[i]) && folded(c) <= folded(members[i + 2]);
          i += 2;
        } else {
          found = folded(c) == folded(members[i]);
        }
      }
      return found != negated;
    }
  }
  return false;
}

// Dynamic programming over text positions, so runs never backtrack.
bool WildcardPattern::Alternative::matches(std::wstring_view text) const {
  // Reused: a selection filter tests every entity of a drawing.
  thread_local std::vector<char> reachable, next;
  reachable.assign(text.size() + 1, 0);
  reachable[0] = 1;
  for (const Token& token : tokens) {
    next.assign(text.size() + 1, 0);
    for (size_t at = 0; at <= text.size(); ++at) {
      if (reachable[at] == 0) continue;
      if (token.kind == Token::Run) {
        for (size_t end = at; end <= text.size(); ++end) next[end] = 1;
        break;
      }
      if (at < text.size() && token.accepts(text[at])) next[at + 1] = 1;
    }
    reachable.swap(next);
  }
  return (reachable[text.size()] != 0) != negated;
}
