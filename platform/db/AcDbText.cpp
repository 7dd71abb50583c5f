#include "AcDbText.h"

#include <cmath>

#include "AcDbDatabase.h"
#include "AcDbSymbolTableRecord.h"
#include "AcGeConstants.h"
#include "DxfInFiler.h"
#include "DxfOutFiler.h"
#include "TextCodec.h"

ACRX_DEFINE_MEMBERS(AcDbText, AcDbEntity, L"TEXT")

namespace {
constexpr std::string_view kMarker = "AcDbText";
constexpr double kDegrees = 180.0 / kPi;
}  // namespace

AcDbText::AcDbText() = default;

AcDbText::AcDbText(const AcGePoint3d& position, const ACHAR* text, AcDbObjectId style, double height, double rotation)
    : m_text(wideToUtf8(text ? text : L"")), m_position(position), m_style(style), m_height(height), m_rotation(rotation) {}

std::wstring AcDbText::textString() const { return utf8ToWide(m_text); }

Acad::ErrorStatus AcDbText::setTextString(const ACHAR* text) {
  if (text == nullptr) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_text = wideToUtf8(text);
  return Acad::eOk;
}

#define TEXT_SETTER(NAME, TYPE, FIELD)             \
  Acad::ErrorStatus AcDbText::NAME(TYPE value) {   \
    if (!assertWriteEnabled()) return Acad::eNotOpenForWrite; \
    FIELD = value;                                 \
    return Acad::eOk;                              \
  }
TEXT_SETTER(setPosition, const AcGePoint3d&, m_position)
TEXT_SETTER(setWidthFactor, double, m_widthFactor)
TEXT_SETTER(setRotation, double, m_rotation)
TEXT_SETTER(setOblique, double, m_oblique)
TEXT_SETTER(setTextStyle, AcDbObjectId, m_style)
TEXT_SETTER(setHorizontalMode, AcDb::TextHorzMode, m_horizontal)
TEXT_SETTER(setVerticalMode, AcDb::TextVertMode, m_vertical)
TEXT_SETTER(setThickness, double, m_thickness)
#undef TEXT_SETTER

Acad::ErrorStatus AcDbText::setAlignmentPoint(const AcGePoint3d& point) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_alignment = point;
  m_hasAlignmentPoint = true;
  return Acad::eOk;
}

bool AcDbText::isDefaultAlignment() const { return m_horizontal == AcDb::kTextLeft && m_vertical == AcDb::kTextBase; }

Acad::ErrorStatus AcDbText::setHeight(double height) {
  if (height < 0.0) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_height = height;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbText::setNormal(const AcGeVector3d& normal) {
  if (normal.isZeroLength()) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_normal = normal.normal();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbText::getGeomExtents(AcDbExtents& extents) const {
  // Without font metrics: characters as wide as 0.6 of the height.
  const double width = m_height * m_widthFactor * 0.6 * static_cast<double>(utf8Length(m_text));
  const AcGeMatrix3d frame = AcGeMatrix3d::planeToWorld(m_normal) *
                             AcGeMatrix3d::rotation(m_rotation, AcGeVector3d::kZAxis);
  const AcGeVector3d along = frame * AcGeVector3d(width, 0.0, 0.0), up = frame * AcGeVector3d(0.0, m_height, 0.0);
  extents = AcDbExtents();
  for (const AcGeVector3d& corner : {AcGeVector3d(), along, up, along + up}) extents.addPoint(m_position + corner);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbText::transformBy(const AcGeMatrix3d& transform) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  const AcGeMatrix3d frame = AcGeMatrix3d::planeToWorld(m_normal) *
                             AcGeMatrix3d::rotation(m_rotation, AcGeVector3d::kZAxis);
  const AcGeVector3d direction = transform * (frame * AcGeVector3d::kXAxis);
  const AcGeVector3d up = transform * (frame * AcGeVector3d::kYAxis);
  const AcGeVector3d normal = direction.crossProduct(up);
  if (normal.isZeroLength()) return Acad::eNotApplicable;
  m_normal = normal.normal();
  const AcGeVector3d inPlane = AcGeMatrix3d::worldToPlane(m_normal) * direction;
  m_rotation = std::atan2(inPlane.y, inPlane.x);
  m_widthFactor *= direction.length() / up.length();
  m_height *= up.length();
  m_position.transformBy(transform);
  m_alignment.transformBy(transform);
  return Acad::eOk;
}

void AcDbText::dxfTextGroups(std::vector<DxfGroup>& groups) const {
  AcDbEntity::dxfGroups(groups);
  groups.push_back({kMarker, 0});
}

void AcDbText::dxfGroups(std::vector<DxfGroup>& groups) const {
  dxfTextGroups(groups);
  groups.push_back({kMarker, 1});
}

bool AcDbText::ownsTextField(int code) const {
  switch (code) {
    case 39: case 10: case 20: case 30: case 40: case 1: case 50: case 41: case 51: case 7: case 71: case 72:
    case 11: case 21: case 31: case 210: case 220: case 230:
      return true;
    default:
      return false;
  }
}

bool AcDbText::dxfOwns(const DxfGroup& group, int code) const {
  if (group.is(kMarker, 0)) return ownsTextField(code);
  if (group.is(kMarker, 1)) return code == 73;
  return AcDbEntity::dxfOwns(group, code);
}

void AcDbText::readTextField(DxfInFiler& in) {
  switch (in.code()) {
    case 39: m_thickness = in.real(); break;
    case 10: m_position.x = in.real(); break;
    case 20: m_position.y = in.real(); break;
    case 30: m_position.z = in.real(); break;
    case 11: m_alignment.x = in.real(); m_hasAlignmentPoint = true; break;
    case 21: m_alignment.y = in.real(); break;
    case 31: m_alignment.z = in.real(); break;
    case 40: m_height = in.real(); break;
    case 1:
      m_text.clear();
      in.appendText(m_text);
      break;
    case 50: m_rotation = in.real() / kDegrees; break;
    case 41: m_widthFactor = in.real(); break;
    case 51: m_oblique = in.real() / kDegrees; break;
    case 7: m_style = in.record(in.database().textStyleTableId()); break;
    case 71: m_generation = static_cast<Adesk::Int16>(in.integer()); break;
    case 72: m_horizontal = static_cast<AcDb::TextHorzMode>(in.integer()); break;
    case 73: case 74: m_vertical = static_cast<AcDb::TextVertMode>(in.integer()); break;
    case 210: m_normal.x = in.real(); break;
    case 220: m_normal.y = in.real(); break;
    case 230: m_normal.z = in.real(); break;
  }
}

void AcDbText::dxfInField(const DxfGroup& group, DxfInFiler& in) {
  if (group.is(kMarker, 0) || group.is(kMarker, 1)) return readTextField(in);
  AcDbEntity::dxfInField(group, in);
}

void AcDbText::dxfInDone(DxfInFiler&) {
  // The file gives both points in the text's own plane.
  const AcGeMatrix3d toWorld = AcGeMatrix3d::planeToWorld(m_normal);
  m_position = toWorld * m_position;
  m_alignment = toWorld * m_alignment;
}

void AcDbText::writeTextFields(DxfOutFiler& out) const {
  const AcGeMatrix3d toPlane = AcGeMatrix3d::worldToPlane(m_normal);
  if (m_thickness != 0.0) out.real(39, m_thickness);
  out.point(10, toPlane * m_position);
  out.real(40, m_height);
  out.utf8Text(1, m_text);
  if (m_rotation != 0.0) out.real(50, m_rotation * kDegrees);
  if (m_widthFactor != 1.0) out.real(41, m_widthFactor);
  if (m_oblique != 0.0) out.real(51, m_oblique * kDegrees);
  if (!m_style.isNull()) out.text(7, AcDbSymbolTableRecord::nameOf(m_style));
  if (m_generation != 0) out.integer(71, m_generation);
  if (m_horizontal != AcDb::kTextLeft) out.integer(72, m_horizontal);
  if (!isDefaultAlignment() || m_hasAlignmentPoint) out.point(11, toPlane * m_alignment);
  if (m_normal != AcGeVector3d::kZAxis) out.vector(210, m_normal);
}

void AcDbText::dxfOutFields(const DxfGroup& group, DxfOutFiler& out) const {
  if (group.is(kMarker, 0)) return writeTextFields(out);
  if (group.is(kMarker, 1)) {
    if (m_vertical != AcDb::kTextBase) out.integer(73, m_vertical);
    return;
  }
  AcDbEntity::dxfOutFields(group, out);
}
