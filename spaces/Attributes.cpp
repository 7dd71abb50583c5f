#include "spaces/Attributes.h"

#include <cmath>

#include "AcDbAttribute.h"
#include "AcDbBlockReference.h"
#include "AcDbObjectPointer.h"
#include "AcGeConstants.h"
#include "spaces/ZelphAttribute.h"
#include "support/TextCase.h"
#include "support/ZelphExceptions.h"

CAttributes::~CAttributes() = default;

bool CAttributes::add(std::unique_ptr<CAttribute> attribute, bool force) {
  ZELPH_TRY
    if (!attribute) return false;
    if (!force && getAtAttribute(attribute->getTag()) != nullptr) return false;
    m_items.push_back(std::move(attribute));
    return true;
  ZELPH_CATCH(L"CAttributes::add")
}

CAttribute* CAttributes::getAtAttribute(int kind) const {
  ZELPH_TRY
    for (const auto& item : m_items)
      if (item->getKind() == kind) return item.get();
    return nullptr;
  ZELPH_CATCH(L"CAttributes::getAtAttribute")
}

CAttribute* CAttributes::getAtAttribute(const std::wstring& tag) const {
  ZELPH_TRY
    for (const auto& item : m_items)
      if (item->getTag() == tag) return item.get();
    return nullptr;
  ZELPH_CATCH(L"CAttributes::getAtAttribute")
}

void CAttributes::deleteObjects() {
  ZELPH_TRY
    m_items.clear();
  ZELPH_CATCH(L"CAttributes::deleteObjects")
}

void CAttributes::copySettingsTo(CAttributes& target) const {
  target.m_textHeight = m_textHeight;
  target.m_rotation = m_rotation;
  target.m_widthFactor = m_widthFactor;
}

void CAttributes::copyAttributesTo(CAttributes& target) const {
  ZELPH_TRY
    copySettingsTo(target);
    for (const auto& item : m_items) target.add(item->CAttribute::clone(), false);
  ZELPH_CATCH(L"CAttributes::copyAttributesTo")
}

void CAttributes::copyZelphAttributesTo(CAttributes& target) const {
  ZELPH_TRY
    copySettingsTo(target);
    for (const auto& item : m_items) target.add(item->clone(), false);
  ZELPH_CATCH(L"CAttributes::copyZelphAttributesTo")
}

CAttribute* CAttributes::getAt(int index) const {
  if (index < 0 || index >= getCount()) return nullptr;
  return m_items[static_cast<std::size_t>(index)].get();
}

// ---- Reading and laying out a space block's attributes ----

namespace {

// NAME and AUX stand this many text heights from AREA.
constexpr double kLineSpacing = 1.5;

int kindOfTag(const std::wstring& tag) {
  for (const int kind : {CZelphAttribute::kName, CZelphAttribute::kArea, CZelphAttribute::kAux})
    if (CTextCase::upper(tag) == CZelphAttribute::tagOfKind(kind)) return kind;
  return -1;
}

// The text's rotation, in radians, as it would be after the transform:
// the angle of its direction in the plane it would then lie in.
double rotationIn(const AcDbText& text, const AcGeMatrix3d& transform) {
  const AcGeMatrix3d frame =
      AcGeMatrix3d::planeToWorld(text.normal()) * AcGeMatrix3d::rotation(text.rotation(), AcGeVector3d::kZAxis);
  const AcGeVector3d direction = transform * (frame * AcGeVector3d::kXAxis);
  const AcGeVector3d normal = direction.crossProduct(transform * (frame * AcGeVector3d::kYAxis));
  if (normal.isZeroLength()) return text.rotation();
  const AcGeVector3d inPlane = AcGeMatrix3d::worldToPlane(normal.normal()) * direction;
  return std::atan2(inPlane.y, inPlane.x);
}

// Each attribute of the reference opened in turn.  Reading opens for read:
// a read leaves the drawing as it was, on locked layers too.
template <class Visit>
void forEachAttribute(AcDbBlockReference* reference, Visit visit, AcDb::OpenMode mode = AcDb::kForWrite) {
  for (auto it = reference->attributeIterator(); !it->done(); it->step()) {
    const AcDbObjectPointer<AcDbAttribute> attribute(it->objectId(), mode);
    if (attribute) visit(*attribute.object());
  }
}

}  // namespace

void CAttributes::extractSpaceBlockAttributeValues(AcDbBlockReference* reference, const AcGeMatrix3d& ucs) {
  ZELPH_TRY
    deleteObjects();
    bool first = true;
    forEachAttribute(
        reference,
        [&](AcDbAttribute& attribute) {
          if (first) {
            first = false;
            m_textHeight = attribute.height();
            m_widthFactor = attribute.widthFactor();
            m_rotation = rotationIn(attribute, ucs.inverse()) * 180.0 / kPi;
          }
          const int kind = kindOfTag(attribute.tag());
          if (kind < 0) return;
          if (kind == CZelphAttribute::kArea) m_anchor = attribute.position();
          add(std::make_unique<CZelphAttribute>(kind, attribute.textString(), attribute.layer()), false);
        },
        AcDb::kForRead);
  ZELPH_CATCH(L"CAttributes::extractSpaceBlockAttributeValues")
}

void CAttributes::extractAttributeValues(AcDbBlockReference* reference) {
  ZELPH_TRY
    deleteObjects();
    if (reference == nullptr) return;
    forEachAttribute(
        reference,
        [this](AcDbAttribute& attribute) {
          add(std::make_unique<CAttribute>(attribute.tag(), attribute.textString(), attribute.layer()), false);
        },
        AcDb::kForRead);
  ZELPH_CATCH(L"CAttributes::extractAttributeValues")
}

void CAttributes::applyToDWG(AcDbBlockReference* reference, const AcGeMatrix3d& ucs, const AcGePoint3d* anchor) {
  ZELPH_TRY
    if (reference == nullptr) return;
    AcGePoint3d at = anchor != nullptr ? *anchor : AcGePoint3d();
    if (anchor == nullptr)
      forEachAttribute(reference, [&at](AcDbAttribute& attribute) {
        if (CTextCase::upper(attribute.tag()) == L"AREA") at = attribute.position();
      });
    forEachAttribute(reference, [&](AcDbAttribute& attribute) {
      attribute.setHeight(m_textHeight);
      attribute.setWidthFactor(m_widthFactor);
      attribute.transformBy(ucs.inverse());
      attribute.setRotation(m_rotation / 180.0 * kPi);
      attribute.transformBy(ucs);
      const double r = attribute.rotation();
      const double dx = m_textHeight * std::sin(r) * kLineSpacing;
      const double dy = m_textHeight * std::cos(r) * kLineSpacing;
      const int kind = kindOfTag(attribute.tag());
      const CAttribute* item = kind >= 0 ? getAtAttribute(kind) : nullptr;
      if (item == nullptr) return;
      const double side = kind == CZelphAttribute::kName ? 1.0 : kind == CZelphAttribute::kAux ? -1.0 : 0.0;
      attribute.setTextString(item->getValue().c_str());
      attribute.setPosition(AcGePoint3d(at.x - side * dx, at.y + side * dy, at.z));
    });
  ZELPH_CATCH(L"CAttributes::applyToDWG")
}

void CAttributes::applyToDWG(AcDbObjectId referenceId, const AcGeMatrix3d& ucs, const AcGePoint3d* anchor) {
  ZELPH_TRY
    const AcDbObjectPointer<AcDbBlockReference> reference(referenceId, AcDb::kForWrite);
    if (reference) applyToDWG(reference.object(), ucs, anchor);
  ZELPH_CATCH(L"CAttributes::applyToDWG")
}

void CAttributes::applyToDWG(AcDbBlockReference* reference) {
  ZELPH_TRY
    if (reference == nullptr) return;
    forEachAttribute(reference, [this](AcDbAttribute& attribute) {
      const CAttribute* item = getAtAttribute(attribute.tag());
      if (item == nullptr) return;
      if (!item->getLayer().empty()) attribute.setLayer(item->getLayer().c_str());
      attribute.setTextString(item->getValue().c_str());
    });
  ZELPH_CATCH(L"CAttributes::applyToDWG")
}
