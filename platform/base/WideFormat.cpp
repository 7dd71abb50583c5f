#include "WideFormat.h"

#include <cwchar>
#include <vector>

#include "TextCodec.h"

namespace {

constexpr size_t kLargestConversion = 1 << 22;

enum class Length { None, Char, Short, Long, LongLong, LongDouble, Size, Max, PtrDiff, Wide };

struct Conversion {
  std::wstring flags;
  int width = -1;
  int precision = -1;
  Length length = Length::None;
  wchar_t kind = 0;
};

class FormatReader {
 public:
  FormatReader(const wchar_t* format, va_list& args) : m_at(format), m_args(args) {}

  std::wstring run() {
    std::wstring out;
    while (*m_at != L'\0') {
      if (*m_at != L'%') {
        out += *m_at++;
        continue;
      }
      const wchar_t* start = m_at++;
      Conversion conversion;
      if (!readConversion(conversion)) {
        out.append(start, m_at);
        continue;
      }
      out += convert(conversion);
    }
    return out;
  }

 private:
  bool readConversion(Conversion& c) {
    while (*m_at != L'\0' && std::wcschr(L"-+ #0", *m_at) != nullptr) c.flags += *m_at++;
    c.width = readCount();
    if (c.width < -1) {  // a negative '*' width means left-justified
      c.flags += L'-';
      c.width = -c.width;
    }
    if (*m_at == L'.') {
      ++m_at;
      c.precision = readCount();
      if (c.precision == -1) c.precision = 0;
    }
    c.length = readLength();
    if (*m_at == L'\0') return false;
    c.kind = *m_at++;
    return true;
  }

  int readCount() {
    if (*m_at == L'*') {
      ++m_at;
      const int count = va_arg(m_args, int);
      return count == -1 ? -2 : count;
    }
    if (*m_at < L'0' || *m_at > L'9') return -1;
    int count = 0;
    while (*m_at >= L'0' && *m_at <= L'9') count = count * 10 + (*m_at++ - L'0');
    return count;
  }

  Length readLength() {
    if (std::wcsncmp(m_at, L"I64", 3) == 0) return skip(3, Length::LongLong);
    if (std::wcsncmp(m_at, L"I32", 3) == 0) return skip(3, Length::None);
    if (std::wcsncmp(m_at, L"hh", 2) == 0) return skip(2, Length::Char);
    if (std::wcsncmp(m_at, L"ll", 2) == 0) return skip(2, Length::LongLong);
    switch (*m_at) {
      case L'I': return skip(1, Length::PtrDiff);
      case L'h': return skip(1, Length::Short);
      case L'l': return skip(1, Length::Long);
      case L'w': return skip(1, Length::Wide);
      case L'L': return skip(1, Length::LongDouble);
      case L'z': return skip(1, Length::Size);
      case L'j': return skip(1, Length::Max);
      case L't': return skip(1, Length::PtrDiff);
      default: return Length::None;
    }
  }

  Length skip(int count, Length length) {
    m_at += count;
    return length;
  }

  std::wstring convert(const Conversion& c) {
    switch (c.kind) {
      case L'%': return L"%";
      case L'd': case L'i': return print(c, L"lld", signedArgument(c.length));
      case L'u': case L'o': case L'x': case L'X':
        return print(c, std::wstring(L"ll") + c.kind, unsignedArgument(c.length));
      case L'e': case L'E': case L'f': case L'F': case L'g': case L'G': case L'a': case L'A':
        if (c.length == Length::LongDouble) return print(c, std::wstring(L"L") + c.kind, va_arg(m_args, long double));
        return print(c, std::wstring(1, c.kind), va_arg(m_args, double));
      case L'c': case L'C': return print(c, L"lc", static_cast<wint_t>(character(c)));
      case L's': case L'S': {
        const std::wstring text = string(c);
        return print(c, L"ls", text.c_str());
      }
      case L'b': return print(c, L"d", va_arg(m_args, int) != 0 ? 1 : 0);
      case L'p': return print(c, L"p", va_arg(m_args, void*));
      case L'n': va_arg(m_args, int*); return {};
      default: return std::wstring(L"%") + c.kind;
    }
  }

  // %c is wide unless h or C makes it narrow.
  wchar_t character(const Conversion& c) {
    const int value = va_arg(m_args, int);
    const bool narrow = c.length == Length::Short || (c.kind == L'C' && c.length != Length::Long && c.length != Length::Wide);
    return narrow ? static_cast<wchar_t>(static_cast<unsigned char>(value)) : static_cast<wchar_t>(value);
  }

  // %s is wide unless h or S makes it narrow.
  std::wstring string(const Conversion& c) {
    const bool narrow = c.length == Length::Short || (c.kind == L'S' && c.length != Length::Long && c.length != Length::Wide);
    if (narrow) {
      const char* text = va_arg(m_args, const char*);
      return text != nullptr ? utf8ToWide(text) : L"(null)";
    }
    const wchar_t* text = va_arg(m_args, const wchar_t*);
    return text != nullptr ? text : L"(null)";
  }

  long long signedArgument(Length length) {
    switch (length) {
      case Length::Char: return static_cast<signed char>(va_arg(m_args, int));
      case Length::Short: return static_cast<short>(va_arg(m_args, int));
      case Length::Long: return va_arg(m_args, long);
      case Length::LongLong: return va_arg(m_args, long long);
      case Length::Size: case Length::PtrDiff: return va_arg(m_args, std::ptrdiff_t);
      case Length::Max: return va_arg(m_args, std::intmax_t);
      default: return va_arg(m_args, int);
    }
  }

  unsigned long long unsignedArgument(Length length) {
    switch (length) {
      case Length::Char: return static_cast<unsigned char>(va_arg(m_args, unsigned));
      case Length::Short: return static_cast<unsigned short>(va_arg(m_args, unsigned));
      case Length::Long: return va_arg(m_args, unsigned long);
      case Length::LongLong: return va_arg(m_args, unsigned long long);
      case Length::Size: case Length::PtrDiff: return va_arg(m_args, std::size_t);
      case Length::Max: return va_arg(m_args, std::uintmax_t);
      default: return va_arg(m_args, unsigned);
    }
  }

  template <typename Value>
  static std::wstring print(const Conversion& c, const std::wstring& conversion, Value value) {
    std::wstring spec = L"%" + c.flags;
    if (c.width >= 0) spec += std::to_wstring(c.width);
    if (c.precision >= 0) spec += L"." + std::to_wstring(c.precision);
    spec += conversion;
    // swprintf says -1 both for a short buffer and for a conversion it
    // cannot make, so the buffer grows only up to a bound.
    for (size_t size = 64; size <= kLargestConversion; size *= 4) {
      std::vector<wchar_t> buffer(size);
      const int written = std::swprintf(buffer.data(), buffer.size(), spec.c_str(), value);
      if (written >= 0 && static_cast<size_t>(written) < buffer.size()) return std::wstring(buffer.data(), written);
    }
    return {};
  }

  const wchar_t* m_at;
  va_list& m_args;
};

}  // namespace

std::wstring formatWideV(const ACHAR* format, va_list args) {
  if (format == nullptr) return {};
  va_list copy;
  va_copy(copy, args);
  std::wstring out = FormatReader(format, copy).run();
  va_end(copy);
  return out;
}

std::wstring formatWide(const ACHAR* format, ...) {
  va_list args;
  va_start(args, format);
  std::wstring out = formatWideV(format, args);
  va_end(args);
  return out;
}
