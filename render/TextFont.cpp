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
};

constexpr const char* kArial[] = {"arial", "helvetica", "arimo", "liberation sans", "swiss", nullptr};
constexpr const char* kTimes[] = {"times", "tinos", "liberation serif", nullptr};
constexpr const char* kCourier[] = {"cour", "cousine", "liberation mono", nullptr};
constexpr const char* kMono[] = {"mono", "consola", "lucida console", "monotxt", nullptr};
constexpr const char* kSerif[] = {"serif", "georgia", "garamond", "cambria", "bookman", "palatino", "century",
                                  "roman", nullptr};

// First match wins: "liberation sans" before the serifs' "roman" and the like.
constexpr Family kFamilies[] = {
    {kArial, "'Liberation Sans', Arimo, 'DejaVu Sans', sans-serif", 0.716},
    {kTimes, "'Liberation Serif', Tinos, 'DejaVu Serif', serif", 0.662},
    {kCourier, "'Liberation Mono', Cousine, 'DejaVu Sans Mono', monospace", 0.571},
    {kMono, "'DejaVu Sans Mono', monospace", 0.729},
    {kSerif, "'DejaVu Serif', serif", 0.729},
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
