#include "reports/ReportValues.h"

#include <map>
#include <utility>

#include "TextCodec.h"
#include "support/Utilities.h"
#include "support/XMLUtilities.h"
#include "support/ZelphExceptions.h"

namespace {

enum class Form { kWhole, kReal, kColour, kHandle, kSpaceHandle };

// Elements whose text is not free and is used, by the element that holds
// them; identifiers, plot settings and asset positions nothing reads are
// taken as they come.
const std::map<std::pair<std::string, std::string>, Form>& formsByElement() {
  static const std::map<std::pair<std::string, std::string>, Form> forms = {
      {{"graphicReport", "grTotalChildAreas"}, Form::kReal},
      {{"graphicReport", "grPieXYOffset"}, Form::kReal},
      {{"category", "cHatchColour"}, Form::kColour},
      {{"category", "cHatchScale"}, Form::kWhole},
      {{"category", "cHatchAngle"}, Form::kWhole},
      {{"zelphBlock", "mbHandle"}, Form::kSpaceHandle},
      {{"zelphBlock", "mbArea"}, Form::kReal},
      {{"asset", "handle"}, Form::kHandle},
  };
  return forms;
}

// Length of the run of characters at pos that pass test.
template <typename Test>
size_t runLength(const std::wstring& text, size_t pos, Test test) {
  size_t end = pos;
  while (end < text.size() && test(text[end])) ++end;
  return end - pos;
}

bool isDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool isHexDigit(wchar_t c) { return isDigit(c) || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F'); }

size_t signLength(const std::wstring& text, size_t pos) {
  return pos < text.size() && (text[pos] == L'-' || text[pos] == L'+') ? 1 : 0;
}

// [-] digits [. zeros]: the whole numbers the module's conversions read
// (40.0 is 40); a fraction that is not zero would be lost, so is refused.
bool isWhole(const std::wstring& text) {
  const size_t sign = !text.empty() && text[0] == L'-' ? 1 : 0;
  const size_t digits = runLength(text, sign, isDigit);
  size_t end = sign + digits;
  if (end < text.size() && text[end] == L'.') end += 1 + runLength(text, end + 1, [](wchar_t c) { return c == L'0'; });
  return digits >= 1 && digits <= 10 && end == text.size();
}

// [sign] (digits [. digits] | . digits) [e [sign] 1-3 digits]
bool isReal(const std::wstring& text) {
  size_t pos = signLength(text, 0);
  const size_t integral = runLength(text, pos, isDigit);
  pos += integral;
  size_t fraction = 0;
  if (pos < text.size() && text[pos] == L'.') {
    fraction = runLength(text, pos + 1, isDigit);
    pos += 1 + fraction;
  }
  if (integral == 0 && fraction == 0) return false;
  if (pos < text.size() && (text[pos] == L'e' || text[pos] == L'E')) {
    pos += 1 + signLength(text, pos + 1);
    const size_t exponent = runLength(text, pos, isDigit);
    if (exponent < 1 || exponent > 3) return false;
    pos += exponent;
  }
  return pos == text.size();
}

bool isHexRun(const std::wstring& text, size_t from, size_t least, size_t most) {
  const size_t digits = runLength(text, from, isHexDigit);
  return digits >= least && digits <= most && from + digits == text.size();
}

// An empty number reads as 0, as an absent one would.
bool hasForm(const std::wstring& text, Form form) {
  switch (form) {
    case Form::kWhole: return text.empty() || isWhole(text);
    case Form::kReal: return text.empty() || isReal(text);
    case Form::kColour: return text.size() == 7 && isHexRun(text, 1, 6, 6);
    case Form::kHandle: return isHexRun(text, 0, 1, 16);
    case Form::kSpaceHandle: return text == L"*" || isHexRun(text, 0, 1, 16);
  }
  return false;
}

const wchar_t* formWanted(Form form) {
  switch (form) {
    case Form::kWhole: return L"a whole number";
    case Form::kReal: return L"a number";
    case Form::kColour: return L"a colour: # and six hexadecimal digits, such as #FF8000";
    case Form::kHandle: return L"a handle: hexadecimal digits";
    case Form::kSpaceHandle: return L"a handle: hexadecimal digits, or * for every space";
  }
  return L"";
}

// The next node after node in document order that still lies inside root.
pugi::xml_node nextInside(pugi::xml_node node, pugi::xml_node root) {
  if (node.first_child()) return node.first_child();
  for (; node && node != root; node = node.parent())
    if (node.next_sibling()) return node.next_sibling();
  return pugi::xml_node();
}

int hexPair(const std::wstring& text, size_t at) {
  return at < text.size() ? CUtilities::_httoi(text.substr(at, 2)) : 0;
}

}  // namespace

bool CReportValues::toBoolean(const std::wstring& text) {
  ZELPH_TRY
    return text == L"1" || text == L"true";
  ZELPH_CATCH(L"CReportValues::toBoolean")
}

AcCmColor CReportValues::toColour(const std::wstring& text) {
  ZELPH_TRY
    AcCmColor colour;
    colour.setRGB(static_cast<std::uint8_t>(hexPair(text, 1)), static_cast<std::uint8_t>(hexPair(text, 3)),
                  static_cast<std::uint8_t>(hexPair(text, 5)));
    return colour;
  ZELPH_CATCH(L"CReportValues::toColour")
}

std::vector<std::wstring> CReportValues::check(const CXMLUtilities& document) {
  ZELPH_TRY
    std::vector<std::wstring> problems;
    const pugi::xml_node root = document.documentElement();
    for (pugi::xml_node node = root; node; node = nextInside(node, root)) {
      if (node.type() != pugi::node_element) continue;
      const auto form = formsByElement().find({node.parent().name(), node.name()});
      if (form == formsByElement().end()) continue;
      const std::wstring text = CXMLUtilities::text(node);
      if (hasForm(text, form->second)) continue;
      problems.push_back(document.location(node) + L": " + utf8ToWide(node.name()) + L" \"" + text + L"\" is not " +
                         formWanted(form->second) + L".");
    }
    return problems;
  ZELPH_CATCH(L"CReportValues::check")
}
