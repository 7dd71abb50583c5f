#include "MTextContents.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "AcCmColor.h"
#include "AcGeConstants.h"
#include "RenderStyle.h"
#include "SvgNumber.h"
#include "TextCodec.h"

namespace {

// Codes that run to a semicolon and change nothing drawn here: alignment
// and tracking.
bool isSetting(char code) { return std::string_view("AT").find(code) != std::string_view::npos; }

// A paragraph's alignment among its settings ("xi-3,l3,t4,qc"): 'l', 'c' or
// 'r'; justified and distributed lines are set from the left.  Unchanged
// when the settings give none.
char alignmentOf(std::string_view settings, char current) {
  for (size_t at = settings.find('q'); at != std::string_view::npos; at = settings.find('q', at + 1)) {
    if (at + 1 >= settings.size()) break;
    const char alignment = settings[at + 1];
    if (alignment == 'c' || alignment == 'r' || alignment == 'l') return alignment;
    if (alignment == 'j' || alignment == 'd') return 'l';
  }
  return current;
}

double number(std::string_view text) {
  const std::string value(text);
  char* end = nullptr;
  const double parsed = std::strtod(value.c_str(), &end);
  return end != value.c_str() && std::isfinite(parsed) ? parsed : NAN;
}

// A colour by palette index; by layer and by block are the text's own.
std::string paletteColour(std::string_view index) {
  const double value = number(index);
  if (!(value >= 1.0 && value <= 255.0)) return "";
  AcCmColor color;
  color.setColorIndex(static_cast<std::uint16_t>(value));
  return SvgNumber::colour(RenderStyle::shown(color));
}

// A true colour, written with red in the low byte.
std::string trueColour(std::string_view value) {
  const double parsed = number(value);
  if (!(parsed >= 0.0 && parsed <= 16777215.0)) return "";
  const auto bgr = static_cast<unsigned int>(parsed);
  return SvgNumber::colour(((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF));
}

// A font switch: "Arial|b1|i0|c0|p34" or a file name "romans.shx".
TextFont fontOf(std::string_view value) {
  size_t bar = value.find('|');
  TextFont font = TextFont::named(value.substr(0, bar));
  while (bar != std::string_view::npos) {
    const size_t next = value.find('|', bar + 1);
    const std::string_view flag = value.substr(bar + 1, next - bar - 1);
    if (flag.size() >= 2 && flag[0] == 'b') font.bold = flag[1] == '1';
    if (flag.size() >= 2 && flag[0] == 'i') font.italic = flag[1] == '1';
    bar = next;
  }
  return font;
}

}  // namespace

double MTextContents::scaled(std::string_view value, double current) {
  const bool relative = !value.empty() && (value.back() == 'x' || value.back() == 'X');
  const double parsed = number(relative ? value.substr(0, value.size() - 1) : value);
  if (!(parsed > 0.0)) return current;
  return relative ? current * parsed : parsed;
}

bool MTextContents::next(std::vector<Run>& paragraph, size_t most, std::uint64_t& leftOut) {
  if (m_done) return false;
  paragraph.clear();
  m_endsColumn = false;
  ShownCharacters shown(most, leftOut);
  m_paragraph = &paragraph;
  m_shown = &shown;
  bool ended = false;
  while (m_at < m_contents.size() && !ended) {
    const size_t code = std::min(m_contents.find_first_of("\\{}", m_at), m_contents.size());
    add(m_contents.substr(m_at, code - m_at));
    m_at = code;
    if (m_at == m_contents.size()) break;
    const char character = m_contents[m_at];
    if (character == '\\') {
      m_at = readCode(m_at, ended);
    } else {
      // A group's formatting ends with it.
      if (character == '{') {
        m_groups.push_back(m_format);
      } else if (!m_groups.empty()) {
        m_format = m_groups.back();
        m_groups.pop_back();
      }
      ++m_at;
    }
  }
  m_done = !ended;
  m_paragraph = nullptr;
  m_shown = nullptr;
  return true;
}

void MTextContents::add(std::string_view text) {
  text = m_shown->take(text);
  if (text.empty()) return;
  if (m_paragraph->empty() || m_paragraph->back().stack != 0 || m_paragraph->back().format != m_format)
    m_paragraph->push_back(Run{m_format, "", 0, ""});
  m_paragraph->back().text.append(text);
}

void MTextContents::addStack(std::string_view value) {
  const size_t split = value.find_first_of("/^#");
  Run run{m_format, std::string(m_shown->take(value.substr(0, split))), 0, ""};
  if (split != std::string_view::npos) {
    run.stack = value[split];
    // A space after the caret keeps it from being read as a control character.
    std::string_view below = value.substr(split + 1);
    if (run.stack == '^' && !below.empty() && below.front() == ' ') below.remove_prefix(1);
    run.below = m_shown->take(below);
  }
  if (!run.text.empty() || !run.below.empty()) m_paragraph->push_back(std::move(run));
}

std::string_view MTextContents::valueAt(size_t i, size_t& end) const {
  end = std::min(m_contents.find(';', i), m_contents.size());
  const std::string_view value = m_contents.substr(i, end - i);
  ++end;
  return value;
}

size_t MTextContents::readCode(size_t i, bool& ended) {
  if (i + 1 >= m_contents.size()) return i + 1;
  const char code = m_contents[i + 1];
  size_t end = i + 2;
  switch (code) {
    case 'P': ended = true; return end;
    case 'N':
      ended = end < m_contents.size();
      m_endsColumn = true;
      return end;
    case '~': add(" "); return end;
    case 'L': m_format.underline = true; return end;
    case 'l': m_format.underline = false; return end;
    case 'O': m_format.overline = true; return end;
    case 'o': m_format.overline = false; return end;
    case 'K': m_format.strike = true; return end;
    case 'k': m_format.strike = false; return end;
    case 'S': addStack(valueAt(end, end)); return end;
    case 'H': m_format.height = scaled(valueAt(end, end), m_format.height); return end;
    case 'W': m_format.widthFactor = scaled(valueAt(end, end), m_format.widthFactor); return end;
    case 'C': {
      const std::string_view index = valueAt(end, end);
      m_format.colour = paletteColour(index);
      return end;
    }
    case 'c': m_format.colour = trueColour(valueAt(end, end)); return end;
    case 'p': m_alignment = alignmentOf(valueAt(end, end), m_alignment); return end;
    case 'Q': {
      const double degrees = number(valueAt(end, end));
      if (std::isfinite(degrees)) m_format.oblique = degrees * kPi / 180.0;
      return end;
    }
    case 'f': case 'F': {
      const TextFont font = fontOf(valueAt(end, end));
      m_format.font.family = font.family;
      m_format.font.capitals = font.capitals;
      m_format.font.widths = font.widths;
      m_format.font.bold = font.bold;
      m_format.font.italic = font.italic;
      return end;
    }
    default: break;
  }
  if (isSetting(code)) {
    valueAt(end, end);
    return end;
  }
  // An escaped backslash or brace, or a code this does not know: its
  // character, whole when it is not ASCII.
  end = i + 1;
  nextCodePoint(m_contents, end);
  add(m_contents.substr(i + 1, end - i - 1));
  return end;
}
