// A block reference (INSERT): a block definition placed at a position with
// scale factors, a rotation about its normal, and its own attributes.
#pragma once

#include <memory>
#include <vector>

#include "AcDbEntity.h"
#include "AcDbObjectIterator.h"
#include "AcGeScale3d.h"

class AcDbAttribute;

class AcDbBlockReference : public AcDbEntity {
  ACRX_DECLARE_MEMBERS(AcDbBlockReference)

 public:
  AcDbBlockReference();
  AcDbBlockReference(const AcGePoint3d& position, AcDbObjectId blockTableRecord);
  ~AcDbBlockReference() override;

  AcDbObjectId blockTableRecord() const { return m_block; }
  Acad::ErrorStatus setBlockTableRecord(AcDbObjectId block);
  AcGePoint3d position() const { return m_position; }
  Acad::ErrorStatus setPosition(const AcGePoint3d& position);
  AcGeScale3d scaleFactors() const { return m_scale; }
  Acad::ErrorStatus setScaleFactors(const AcGeScale3d& scale);
  // Radians about the normal.
  double rotation() const { return m_rotation; }
  Acad::ErrorStatus setRotation(double angle);
  AcGeVector3d normal() const { return m_normal; }
  Acad::ErrorStatus setNormal(const AcGeVector3d& normal);

  // Block definition coordinates to world: origin of the definition to the
  // position, scaled, rotated, in the plane of the normal.
  AcGeMatrix3d blockTransform() const;
  Acad::ErrorStatus setBlockTransform(const AcGeMatrix3d& transform);

  // The reference must be in a database; it takes ownership of the
  // attribute, which is left open for write for the caller to close.
  Acad::ErrorStatus appendAttribute(AcDbAttribute* attribute);
  Acad::ErrorStatus appendAttribute(AcDbObjectId& attributeId, AcDbAttribute* attribute);
  std::unique_ptr<AcDbObjectIterator> attributeIterator() const;
  const AcDbObjectIdArray& attributeIds() const { return m_attributes; }
  // The SEQEND that closes the attribute list in a file.
  AcDbObjectId sequenceEnd() const { return m_sequenceEnd; }

  // The definition's geometry as placed, attributes included.
  Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
  // The same for a reference inside a definition: the box of its
  // definition's kept extents, as placed.
  void getNestedExtents(AcDbExtents& extents) const;
  Acad::ErrorStatus transformBy(const AcGeMatrix3d& transform) override;
  void adoptFollower(AcDbObjectId follower, bool sequenceEnd) override;

 protected:
  ACDB_DECLARE_DXF_FIELDS
  void dxfInDone(DxfInFiler& in) override;

 private:
  // Adds the attributes' extents; the position when there is nothing else.
  void addAttributeExtents(AcDbExtents& extents) const;

  AcDbObjectId m_block;
  AcGePoint3d m_position;  // world coordinates
  AcGeScale3d m_scale;
  AcGeVector3d m_normal = AcGeVector3d::kZAxis;
  double m_rotation = 0.0;
  AcDbObjectIdArray m_attributes;
  AcDbObjectId m_sequenceEnd;
};
