// Something drawn: an object owned by a block table record, with a layer,
// colour, linetype, lineweight and visibility.
#pragma once

#include <string>

#include "AcCmColor.h"
#include "AcCmTransparency.h"
#include "AcDbExtents.h"
#include "AcDbObject.h"
#include "AcGeMatrix3d.h"

namespace AcDb {
enum Visibility { kVisible = 0, kInvisible = 1 };
}

class AcDbEntity : public AcDbObject {
  ACRX_DECLARE_MEMBERS(AcDbEntity)

 public:
  AcDbEntity();
  ~AcDbEntity() override;

  // The block table record that holds the entity.
  AcDbObjectId blockId() const { return ownerId(); }

  std::wstring layer() const;
  AcDbObjectId layerId() const { return m_layer; }
  // By name, in the entity's database or, before it has one, the working
  // database: eKeyNotFound for an unknown layer.
  Acad::ErrorStatus setLayer(const ACHAR* layerName, bool doSubents = true);
  Acad::ErrorStatus setLayer(AcDbObjectId layerId, bool doSubents = true);

  AcCmColor color() const { return m_color; }
  Acad::ErrorStatus setColor(const AcCmColor& color, bool doSubents = true);
  std::uint16_t colorIndex() const { return m_color.colorIndex(); }
  Acad::ErrorStatus setColorIndex(std::uint16_t index, bool doSubents = true);

  // "ByLayer" when the entity names no linetype.
  std::wstring linetype() const;
  AcDbObjectId linetypeId() const { return m_linetype; }
  Acad::ErrorStatus setLinetype(const ACHAR* linetypeName, bool doSubents = true);
  Acad::ErrorStatus setLinetype(AcDbObjectId linetypeId, bool doSubents = true);
  double linetypeScale() const { return m_linetypeScale; }
  Acad::ErrorStatus setLinetypeScale(double scale, bool doSubents = true);

  AcDb::LineWeight lineWeight() const { return static_cast<AcDb::LineWeight>(m_lineWeight); }
  Acad::ErrorStatus setLineWeight(AcDb::LineWeight weight, bool doSubents = true);

  AcCmTransparency transparency() const { return AcCmTransparency::serializeIn(m_transparency); }

  AcDb::Visibility visibility() const { return m_invisible ? AcDb::kInvisible : AcDb::kVisible; }
  Acad::ErrorStatus setVisibility(AcDb::Visibility visibility, bool doSubents = true);

  // Layer, colour, linetype, linetype scale, lineweight and visibility.
  Acad::ErrorStatus setPropertiesFrom(const AcDbEntity* other, bool doSubents = true);
  // The current layer of the database (the working one when null), colour
  // and linetype by layer.
  void setDatabaseDefaults(AcDbDatabase* database = nullptr);

  // The box around the entity in world coordinates; eNotApplicable for an
  // entity the platform does not measure.
  virtual Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const;
  // eNotApplicable for an entity the platform does not model.
  virtual Acad::ErrorStatus transformBy(const AcGeMatrix3d& transform);

  // For the file's reader: the entities that follow one in a file and
  // belong to it (attributes, vertices, the SEQEND that ends them) are
  // taken as read.  Other entities have none.
  virtual void adoptFollower(AcDbObjectId follower, bool sequenceEnd);

 protected:
  ACDB_DECLARE_DXF_FIELDS

 private:
  friend class AcDbBlockTableRecord;

  AcDbObjectId m_layer;
  AcDbObjectId m_linetype;
  double m_linetypeScale = 1.0;
  AcCmColor m_color;
  std::int16_t m_lineWeight = AcDb::kLnWtByLayer;
  // As the file gives it (group 440), kept whatever it says.
  Adesk::UInt32 m_transparency = 0;
  bool m_invisible = false;
};

// acdbOpenAcDbObject for entities: eNotAnEntity for other objects.
Acad::ErrorStatus acdbOpenAcDbEntity(AcDbEntity*& entity, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErased = false);
