#include "AcDbBlockReference.h"

#include <cmath>

#include "AcDbAttribute.h"
#include "AcDbBlockTableRecord.h"
#include "AcDbDatabase.h"
#include "AcDbSequenceEnd.h"
#include "AcDbStub.h"
#include "AcGeConstants.h"
#include "BlockExtents.h"
#include "DxfInFiler.h"
#include "DxfOutFiler.h"
#include "TextCodec.h"

ACRX_DEFINE_MEMBERS(AcDbBlockReference, AcDbEntity, L"INSERT")

namespace {

constexpr std::string_view kMarker = "AcDbBlockReference";
constexpr double kDegrees = 180.0 / kPi;

}  // namespace

AcDbBlockReference::AcDbBlockReference() = default;

AcDbBlockReference::AcDbBlockReference(const AcGePoint3d& position, AcDbObjectId blockTableRecord)
    : m_block(blockTableRecord), m_position(position) {}

AcDbBlockReference::~AcDbBlockReference() = default;

Acad::ErrorStatus AcDbBlockReference::setBlockTableRecord(AcDbObjectId block) {
  if (residentObject<AcDbBlockTableRecord>(block) == nullptr) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_block = block;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockReference::setPosition(const AcGePoint3d& position) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_position = position;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockReference::setScaleFactors(const AcGeScale3d& scale) {
  if (scale.sx == 0.0 || scale.sy == 0.0 || scale.sz == 0.0) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_scale = scale;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockReference::setRotation(double angle) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_rotation = angle;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockReference::setNormal(const AcGeVector3d& normal) {
  if (normal.isZeroLength()) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_normal = normal.normal();
  return Acad::eOk;
}

AcGeMatrix3d AcDbBlockReference::blockTransform() const {
  const auto* block = residentObject<AcDbBlockTableRecord>(m_block);
  const AcGePoint3d origin = block ? block->origin() : AcGePoint3d::kOrigin;
  return AcGeMatrix3d::translation(m_position.asVector()) * AcGeMatrix3d::planeToWorld(m_normal) *
         AcGeMatrix3d::rotation(m_rotation, AcGeVector3d::kZAxis) * AcGeMatrix3d::scaling(m_scale) *
         AcGeMatrix3d::translation(-origin.asVector());
}

Acad::ErrorStatus AcDbBlockReference::setBlockTransform(const AcGeMatrix3d& transform) {
  const AcGeVector3d x = transform * AcGeVector3d::kXAxis, y = transform * AcGeVector3d::kYAxis,
                     z = transform * AcGeVector3d::kZAxis;
  if (x.isZeroLength() || y.isZeroLength() || z.isZeroLength()) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  // A reflection shows as a negative x scale, the host's convention.
  const double handedness = x.crossProduct(y).dotProduct(z) < 0.0 ? -1.0 : 1.0;
  m_normal = x.crossProduct(y).normal() * handedness;
  const AcGeVector3d inPlane = AcGeMatrix3d::worldToPlane(m_normal) * (x * handedness);
  m_rotation = std::atan2(inPlane.y, inPlane.x);
  m_scale.set(x.length() * handedness, y.length(), z.length());
  const auto* block = residentObject<AcDbBlockTableRecord>(m_block);
  m_position = transform * (block ? block->origin() : AcGePoint3d::kOrigin);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockReference::appendAttribute(AcDbAttribute* attribute) {
  AcDbObjectId ignored;
  return appendAttribute(ignored, attribute);
}

Acad::ErrorStatus AcDbBlockReference::appendAttribute(AcDbObjectId& attributeId, AcDbAttribute* attribute) {
  if (attribute == nullptr) return Acad::eNullObjectPointer;
  AcDbDatabase* db = database();
  if (db == nullptr) return Acad::eNotInDatabase;
  if (attribute->database() != nullptr) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  // The first attribute brings the SEQEND that closes the list.
  if (!db->hasHandlesFor(m_sequenceEnd.isNull() ? 2 : 1)) return Acad::eNullHandle;
  if (attribute->layerId().isNull()) attribute->setPropertiesFrom(this);
  const Acad::ErrorStatus status = db->addAcDbObject(attributeId, attribute);
  if (status != Acad::eOk) return status;
  attribute->setOwnerId(objectId());
  m_attributes.push_back(attributeId);
  if (m_sequenceEnd.isNull()) {
    auto end = std::make_unique<AcDbSequenceEnd>();
    end->setPropertiesFrom(this);
    db->addAcDbObject(m_sequenceEnd, end.get());
    end->setOwnerId(objectId());
    end.release()->close();
  }
  return Acad::eOk;
}

std::unique_ptr<AcDbObjectIterator> AcDbBlockReference::attributeIterator() const {
  return std::make_unique<AcDbObjectIterator>(m_attributes);
}

Acad::ErrorStatus AcDbBlockReference::getGeomExtents(AcDbExtents& extents) const {
  extents = AcDbExtents();
  if (const auto* block = residentObject<AcDbBlockTableRecord>(m_block)) {
    const AcGeMatrix3d transform = blockTransform();
    for (const AcDbObjectId& id : block->entityIds()) {
      AcDbExtents part;
      if (!BlockExtents::ofEntity(id, part)) continue;
      part.transformBy(transform);
      extents.addExt(part);
    }
  }
  addAttributeExtents(extents);
  return Acad::eOk;
}

void AcDbBlockReference::getNestedExtents(AcDbExtents& extents) const {
  extents = AcDbExtents();
  AcDbDatabase* db = database();
  if (db != nullptr && db->blockExtents().of(m_block, extents))
    extents.transformBy(blockTransform());
  else
    extents = AcDbExtents();
  addAttributeExtents(extents);
}

void AcDbBlockReference::addAttributeExtents(AcDbExtents& extents) const {
  for (const AcDbObjectId& id : m_attributes) {
    const auto* attribute = residentObject<AcDbAttribute>(id);
    AcDbExtents part;
    if (attribute != nullptr && !attribute->isErased() && attribute->getGeomExtents(part) == Acad::eOk)
      extents.addExt(part);
  }
  if (!extents.isValid()) extents.addPoint(m_position);
}

Acad::ErrorStatus AcDbBlockReference::transformBy(const AcGeMatrix3d& transform) {
  const Acad::ErrorStatus status = setBlockTransform(transform * blockTransform());
  if (status != Acad::eOk) return status;
  for (const AcDbObjectId& id : m_attributes) {
    AcDbAttribute* attribute = nullptr;
    if (acdbOpenObject(attribute, id, AcDb::kForWrite) != Acad::eOk) continue;
    attribute->transformBy(transform);
    attribute->close();
  }
  return Acad::eOk;
}

void AcDbBlockReference::adoptFollower(AcDbObjectId follower, bool sequenceEnd) {
  if (sequenceEnd) m_sequenceEnd = follower;
  else m_attributes.push_back(follower);
}

void AcDbBlockReference::dxfGroups(std::vector<DxfGroup>& groups) const {
  AcDbEntity::dxfGroups(groups);
  groups.push_back({kMarker, 0});
}

bool AcDbBlockReference::dxfOwns(const DxfGroup& group, int code) const {
  if (!group.is(kMarker)) return AcDbEntity::dxfOwns(group, code);
  switch (code) {
    case 66: case 2: case 10: case 20: case 30: case 41: case 42: case 43: case 50: case 210: case 220: case 230:
      return true;
    default:
      return false;
  }
}

void AcDbBlockReference::dxfInField(const DxfGroup& group, DxfInFiler& in) {
  if (!group.is(kMarker)) return AcDbEntity::dxfInField(group, in);
  switch (in.code()) {
    case 2:
      m_block = in.record(in.database().blockTableId());
      if (m_block.isNull()) in.fail("block '" + std::string(in.raw()) + "' is not defined");
      break;
    case 10: m_position.x = in.real(); break;
    case 20: m_position.y = in.real(); break;
    case 30: m_position.z = in.real(); break;
    case 41: m_scale.sx = in.real(); break;
    case 42: m_scale.sy = in.real(); break;
    case 43: m_scale.sz = in.real(); break;
    case 50: m_rotation = in.real() / kDegrees; break;
    case 210: m_normal.x = in.real(); break;
    case 220: m_normal.y = in.real(); break;
    case 230: m_normal.z = in.real(); break;
  }
}

void AcDbBlockReference::dxfInDone(DxfInFiler& in) {
  // Without its block (a damaged or missing subclass marker hides the name)
  // the reference would be saved naming none, and the file would not read back.
  if (m_block.isNull()) in.fail(wideToUtf8(isA()->dxfName()) + " names no block");
  // The file gives the insertion point in the reference's own plane.
  m_position = AcGeMatrix3d::planeToWorld(m_normal) * m_position;
}

void AcDbBlockReference::dxfOutFields(const DxfGroup& group, DxfOutFiler& out) const {
  if (!group.is(kMarker)) return AcDbEntity::dxfOutFields(group, out);
  if (!m_attributes.empty()) out.integer(66, 1);
  out.text(2, AcDbSymbolTableRecord::nameOf(m_block));
  out.point(10, AcGeMatrix3d::worldToPlane(m_normal) * m_position);
  if (m_scale.sx != 1.0) out.real(41, m_scale.sx);
  if (m_scale.sy != 1.0) out.real(42, m_scale.sy);
  if (m_scale.sz != 1.0) out.real(43, m_scale.sz);
  if (m_rotation != 0.0) out.real(50, m_rotation * kDegrees);
  if (m_normal != AcGeVector3d::kZAxis) out.vector(210, m_normal);
}
