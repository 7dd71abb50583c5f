#include "reports/Category.h"

#include "reports/ReportValues.h"
#include "support/Utilities.h"
#include "support/XMLUtilities.h"
#include "support/ZelphExceptions.h"

CCategory::CCategory() = default;

CCategory::~CCategory() = default;

CHatch& CCategory::hatch() {
  if (m_hatch == nullptr) m_hatch = std::make_unique<CHatch>();
  return *m_hatch;
}

void CCategory::deSerialize(pugi::xml_node node) {
  ZELPH_TRY
    CXMLUtilities::readElement(node, "category", [this](pugi::xml_node child) {
      const auto is = [&child](const char* name) { return CXMLUtilities::isNamed(child, name); };
      const std::wstring text = CXMLUtilities::text(child);
      if (is("cID")) {
        m_id = CUtilities::CStringToLong(text);
      } else if (is("cTitle")) {
        m_title = text;
      } else if (is("cHatchPattern")) {
        hatch().setPattern(text);
      } else if (is("cHatchColour")) {
        hatch().setColour(CReportValues::toColour(text));
      } else if (is("cHatchScale")) {
        hatch().setScale(CUtilities::CStringToInt(text));
      } else if (is("cHatchAngle")) {
        hatch().setAngle(CUtilities::CStringToInt(text));
      } else if (is("cHatchLayer")) {
        hatch().setLayer(text);
      } else if (is("zelphBlocks")) {
        m_blocks = std::make_unique<CBlocks>();
        m_blocks->deSerialize(child, m_hatch.get());
      } else if (is("assets")) {
        m_assets = std::make_unique<CAssets>();
        m_assets->deSerialize(child, m_hatch.get());
      }
    });
  ZELPH_CATCH(L"CCategory::deSerialize")
}

bool CCategory::duplicates(const CCategory& other) const {
  ZELPH_TRY
    if (m_title != other.m_title) return false;
    if (m_hatch == nullptr || other.m_hatch == nullptr) return m_hatch == other.m_hatch;
    const CHatch& mine = *m_hatch;
    const CHatch& theirs = *other.m_hatch;
    return mine.getColour() == theirs.getColour() && mine.getPattern() == theirs.getPattern() &&
           mine.getAngle() == theirs.getAngle() && mine.getScale() == theirs.getScale();
  ZELPH_CATCH(L"CCategory::duplicates")
}
