#include "reports/ReportValues.h"

#include <map>
#include <regex>
#include <utility>

#include "TextCodec.h"
#include "reports/XMLUtilities.h"
#include "support/Utilities.h"
#include "support/ZelphExceptions.h"

namespace {

enum class Form { kWhole, kReal, kColour, kHandle, kSpaceHandle };

// Elements whose text is not free, by the element that holds them.
const std::map<std::pair<std::string, std::string>, Form>& formsByElement() {
  static const std::map<std::pair<std::string, std::string>, Form> forms = {
      {{"graphicReport", "grID"}, Form::kWhole},
      {{"graphicReport", "grPlotTypeID"}, Form::kWhole},
      {{"graphicReport", "grPlotAreaTypeID"}, Form::kWhole},
      {{"graphicReport", "grPlotMediaSizeID"}, Form::kWhole},
      {{"graphicReport", "grPlotScaleTypeID"}, Form::kWhole},
      {{"graphicReport", "grTotalChildAreas"}, Form::kReal},
      {{"graphicReport", "grPieXYOffset"}, Form::kReal},
      {{"category", "cID"}, Form::kWhole},
      {{"category", "cHatchColour"}, Form::kColour},
      {{"category", "cHatchScale"}, Form::kWhole},
      {{"category", "cHatchAngle"}, Form::kWhole},
      {{"zelphBlock", "mbHandle"}, Form::kSpaceHandle},
      {{"zelphBlock", "mbArea"}, Form::kReal},
      {{"asset", "locationID"}, Form::kWhole},
      {{"asset", "handle"}, Form::kHandle},
      {{"asset", "pointX"}, Form::kReal},
      {{"asset", "pointY"}, Form::kReal},
  };
  return forms;
}

// An empty number reads as 0, as an absent one would.
bool hasForm(const std::wstring& text, Form form) {
  static const std::wregex whole(L"[-+]?[0-9]{1,10}");
  static const std::wregex real(L"[-+]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][-+]?[0-9]{1,3})?");
  static const std::wregex colour(L".[0-9A-Fa-f]{6}");
  static const std::wregex handle(L"[0-9A-Fa-f]{1,16}");
  switch (form) {
    case Form::kWhole: return text.empty() || std::regex_match(text, whole);
    case Form::kReal: return text.empty() || std::regex_match(text, real);
    case Form::kColour: return std::regex_match(text, colour);
    case Form::kHandle: return std::regex_match(text, handle);
    case Form::kSpaceHandle: return text == L"*" || std::regex_match(text, handle);
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
