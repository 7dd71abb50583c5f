#include "TextFont.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "AcDbTextStyleTableRecord.h"
#include "TextCodec.h"
#include "resbuf.h"

namespace {

// Flags of the style's ACAD extended data (group 1071) for a TrueType font.
constexpr long kBoldFlag = 0x1000000;
constexpr long kItalicFlag = 0x2000000;

struct Family {
  const char* const* names;  // parts of a lower-case family or file name
  const char* family;
  double capitals;
  double widths;
};

// DejaVu Sans's advances of the printable ASCII characters, in 2048ths of
// an em: pictures are laid out without the fonts, so these estimate widths.
constexpr short kAdvances[95] = {
    651,  823,  945,  1716, 1303, 1946, 1597, 563,  799,  799,  1024, 1716, 651,  739,  651,  690,
    1303, 1303, 1303, 1303, 1303, 1303, 1303, 1303, 1303, 1303, 690,  690,  1716, 1716, 1716, 1087,
    2048, 1401, 1405, 1430, 1577, 1294, 1178, 1587, 1540, 604,  604,  1343, 1141, 1767, 1532, 1612,
    1235, 1612, 1423, 1300, 1251, 1499, 1401, 2025, 1403, 1251, 1403, 799,  690,  799,  1716, 1024,
    1024, 1255, 1300, 1126, 1300, 1260, 721,  1300, 1298, 569,  569,  1186, 569,  1995, 1298, 1253,
    1300, 1300, 842,  1067, 803,  1298, 1212, 1675, 1212, 1212, 1075, 1303, 690,  1303, 1716};
constexpr double kFixedPitch = 0.602;

constexpr const char* kArial[] = {"arial", "helvetica", "arimo", "liberation sans", "swiss", nullptr};
constexpr const char* kTimes[] = {"times", "tinos", "liberation serif", nullptr};
constexpr const char* kCourier[] = {"cour", "cousine", "liberation mono", nullptr};
constexpr const char* kMono[] = {"mono", "consola", "lucida console", "monotxt", nullptr};
constexpr const char* kSerif[] = {"serif", "georgia", "garamond", "cambria", "bookman", "palatino", "century",
                                  "roman", nullptr};

// First match wins: "liberation sans" before the serifs' "roman" and the like.
constexpr Family kFamilies[] = {
    {kArial, "'Liberation Sans', Arimo, 'DejaVu Sans', sans-serif", 0.716, 0.87},
    {kTimes, "'Liberation Serif', Tinos, 'DejaVu Serif', serif", 0.662, 0.8},
    {kCourier, "'Liberation Mono', Cousine, 'DejaVu Sans Mono', monospace", 0.571, 0.0},
    {kMono, "'DejaVu Sans Mono', monospace", 0.729, 0.0},
    {kSerif, "'DejaVu Serif', serif", 0.729, 1.02},
};

bool mentions(const std::string& name, const char* const* parts) {
  for (; *parts != nullptr; ++parts)
    if (name.find(*parts) != std::string::npos) return true;
  return false;
}

bool endsWith(const std::string& text, std::string_view tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

TextFont TextFont::named(std::string_view name) {
  std::string lower(name);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  lower = lower.substr(lower.find_last_of("/\\") == std::string::npos ? 0 : lower.find_last_of("/\\") + 1);
  TextFont font;
  // The CAD program's stroke fonts (txt, simplex, romans ...) draw thin
  // sans letters, whatever their names say.
  if (endsWith(lower, ".shx") || lower == "txt") return font;
  std::string stem = lower.substr(0, lower.rfind('.'));
  // Windows names the styles of a family's files by suffix: arialbd, ariali, arialbi.
  if (lower.find('.') != std::string::npos) {
    font.bold = endsWith(stem, "bd") || endsWith(stem, "bi") || endsWith(stem, "b");
    font.italic = endsWith(stem, "i");
  }
  for (const Family& family : kFamilies) {
    if (!mentions(stem, family.names)) continue;
    font.family = family.family;
    font.capitals = family.capitals;
    font.widths = family.widths;
    break;
  }
  return font;
}

TextFont TextFont::of(const AcDbTextStyleTableRecord& style) {
  std::wstring name = style.fileName();
  long flags = 0;
  const AcResBufPtr data(style.xData(L"ACAD"));
  for (const resbuf* item = data.get(); item != nullptr; item = item->rbnext) {
    if (item->restype == 1000 && item->resval.rstring != nullptr && *item->resval.rstring != 0)
      name = item->resval.rstring;
    else if (item->restype == 1071)
      flags = item->resval.rlong;
  }
  TextFont font = named(wideToUtf8(name));
  font.bold = font.bold || (flags & kBoldFlag) != 0;
  font.italic = font.italic || (flags & kItalicFlag) != 0;
  if (style.xScale() > 0.0 && std::isfinite(style.xScale())) font.widthFactor = style.xScale();
  if (std::isfinite(style.obliquingAngle())) font.oblique = style.obliquingAngle();
  return font;
}

double TextFont::advance(char32_t character) const {
  if (widths == 0.0) return kFixedPitch;
  // East Asian characters are square; others as wide as a digit.
  const double ems = character >= 32 && character < 127 ? kAdvances[character - 32] / 2048.0
                     : character >= 0x2E80                ? 1.0
                                                          : 1303 / 2048.0;
  return ems * widths;
}
