#include "DxfBinaryText.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "DxfCodeTable.h"
#include "DxfError.h"
#include "DxfText.h"

namespace {

constexpr std::string_view kSentinel("AutoCAD Binary DXF\r\n\x1a\0", 22);

class BinaryTags {
 public:
  explicit BinaryTags(std::string_view data) : m_data(data), m_position(kSentinel.size()) {
    m_shortCodes = version() <= "AC1009";
  }
  bool atEnd() const { return m_position >= m_data.size(); }
  int code() {
    if (!m_shortCodes) return static_cast<std::int16_t>(number<std::uint16_t>());
    const auto code = number<std::uint8_t>();
    return code == 255 ? static_cast<std::int16_t>(number<std::uint16_t>()) : code;
  }
  // Little-endian, as every binary DXF is.
  template <class T>
  T number() {
    need(sizeof(T));
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, m_data.data() + m_position, sizeof(T));
    std::uint64_t bits = 0;
    for (size_t i = sizeof(T); i-- > 0;) bits = bits << 8 | bytes[i];
    m_position += sizeof(T);
    T value;
    if constexpr (sizeof(T) == 8) std::memcpy(&value, &bits, 8);
    else value = static_cast<T>(bits);
    return value;
  }
  std::string_view text() {
    const size_t end = m_data.find('\0', m_position);
    if (end == std::string_view::npos) fail("a text is not ended");
    const std::string_view value = m_data.substr(m_position, end - m_position);
    if (value.find_first_of("\r\n") != std::string_view::npos) fail("a text holds a line break");
    m_position = end + 1;
    return value;
  }
  std::string_view chunk() {
    const size_t length = number<std::uint8_t>();
    need(length);
    const std::string_view value = m_data.substr(m_position, length);
    m_position += length;
    return value;
  }
  [[noreturn]] void fail(const std::string& message) const {
    throw DxfError("byte " + std::to_string(m_start), message);
  }
  size_t markStart() { return m_start = m_position; }

 private:
  void need(size_t bytes) const {
    if (m_data.size() - m_position < bytes) fail("the file ends inside a value");
  }
  // R12 and older give group codes one byte; the version says which.
  std::string_view version() const {
    const size_t found = m_data.substr(0, 1024).find("$ACADVER");
    if (found == std::string_view::npos) return "AC1009";
    size_t start = found + 10;
    if (start < m_data.size() && m_data[start] != 'A') ++start;
    return m_data.substr(std::min(start, m_data.size()), 6);
  }

  std::string_view m_data;
  size_t m_position;
  size_t m_start = 0;
  bool m_shortCodes = false;
};

bool isBool(int code) { return code >= 290 && code <= 299; }

void appendHex(std::string& out, std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  for (const char byte : bytes) {
    out += kDigits[static_cast<unsigned char>(byte) >> 4];
    out += kDigits[static_cast<unsigned char>(byte) & 15];
  }
}

void appendValue(BinaryTags& tags, int code, std::string& out) {
  if (isBool(code)) {
    out += std::to_string(tags.number<std::uint8_t>());
    return;
  }
  switch (DxfCodeTable::kind(code)) {
    case DxfValueKind::Double:
    case DxfValueKind::Point: {
      const double value = tags.number<double>();
      if (!std::isfinite(value)) tags.fail("value of group code " + std::to_string(code) + " is not a number");
      out += DxfText::realText(value);
      return;
    }
    case DxfValueKind::Int16:
      out += std::to_string(static_cast<std::int16_t>(tags.number<std::uint16_t>()));
      return;
    case DxfValueKind::Int32:
      out += std::to_string(static_cast<std::int32_t>(tags.number<std::uint32_t>()));
      return;
    case DxfValueKind::Int64:
      out += std::to_string(static_cast<std::int64_t>(tags.number<std::uint64_t>()));
      return;
    case DxfValueKind::Binary:
      appendHex(out, tags.chunk());
      return;
    default:
      out += tags.text();
  }
}

}  // namespace

bool DxfBinaryText::isBinary(std::string_view data) { return data.substr(0, kSentinel.size()) == kSentinel; }

std::string DxfBinaryText::toAscii(std::string_view data, std::vector<std::uint32_t>& offsets) {
  const std::string_view lineEnd = "\n";
  offsets.clear();
  BinaryTags tags(data);
  std::string out;
  // Numbers take some twice their bytes as text.
  out.reserve(data.size() * 2);
  while (!tags.atEnd()) {
    offsets.push_back(static_cast<std::uint32_t>(tags.markStart()));
    const int code = tags.code();
    out += std::to_string(code);
    out += lineEnd;
    appendValue(tags, code, out);
    out += lineEnd;
  }
  return out;
}
