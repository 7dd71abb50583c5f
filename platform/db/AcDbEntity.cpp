#include "AcDbEntity.h"

#include "AcDbDatabase.h"
#include "AcDbHostApplicationServices.h"
#include "AcDbLayerTable.h"
#include "AcDbLinetypeTable.h"
#include "AcDbStub.h"
#include "DxfInFiler.h"
#include "DxfOutFiler.h"

ACRX_DEFINE_MEMBERS(AcDbEntity, AcDbObject, L"")

namespace {

constexpr std::string_view kMarker = "AcDbEntity";

std::wstring recordName(AcDbObjectId id) {
  const auto* record = residentObject<AcDbSymbolTableRecord>(id);
  return record ? record->name() : std::wstring();
}

AcDbObjectId findRecord(AcDbObjectId table, const ACHAR* name) {
  auto* symbols = residentObject<AcDbSymbolTable>(table);
  AcDbObjectId id;
  if (symbols != nullptr && name != nullptr) symbols->getAt(name, id);
  return id;
}

}  // namespace

AcDbEntity::AcDbEntity() = default;

AcDbEntity::~AcDbEntity() = default;

std::wstring AcDbEntity::layer() const {
  const std::wstring name = recordName(m_layer);
  return name.empty() ? L"0" : name;
}

Acad::ErrorStatus AcDbEntity::setLayer(const ACHAR* layerName, bool doSubents) {
  AcDbDatabase* db = database() ? database() : acdbHostApplicationServices()->workingDatabase();
  if (db == nullptr) return Acad::eNoDocument;
  const AcDbObjectId id = findRecord(db->layerTableId(), layerName);
  return id.isNull() ? Acad::eKeyNotFound : setLayer(id, doSubents);
}

Acad::ErrorStatus AcDbEntity::setLayer(AcDbObjectId layerId, bool) {
  if (residentObject<AcDbLayerTableRecord>(layerId) == nullptr)
    return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_layer = layerId;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setColor(const AcCmColor& color, bool) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_color = color;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setColorIndex(std::uint16_t index, bool) {
  AcCmColor color;
  if (color.setColorIndex(index) != Acad::eOk) return Acad::eInvalidInput;
  return setColor(color);
}

std::wstring AcDbEntity::linetype() const {
  const std::wstring name = recordName(m_linetype);
  return name.empty() ? L"ByLayer" : name;
}

Acad::ErrorStatus AcDbEntity::setLinetype(const ACHAR* linetypeName, bool doSubents) {
  AcDbDatabase* db = database() ? database() : acdbHostApplicationServices()->workingDatabase();
  if (db == nullptr) return Acad::eNoDocument;
  const AcDbObjectId id = findRecord(db->linetypeTableId(), linetypeName);
  return id.isNull() ? Acad::eKeyNotFound : setLinetype(id, doSubents);
}

Acad::ErrorStatus AcDbEntity::setLinetype(AcDbObjectId linetypeId, bool) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_linetype = linetypeId;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setLinetypeScale(double scale, bool) {
  if (scale <= 0.0) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_linetypeScale = scale;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setLineWeight(AcDb::LineWeight weight, bool) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_lineWeight = static_cast<std::int16_t>(weight);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setVisibility(AcDb::Visibility visibility, bool) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_invisible = visibility == AcDb::kInvisible;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setPropertiesFrom(const AcDbEntity* other, bool) {
  if (other == nullptr) return Acad::eNullEntityPointer;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_layer = other->m_layer;
  m_linetype = other->m_linetype;
  m_linetypeScale = other->m_linetypeScale;
  m_color = other->m_color;
  m_lineWeight = other->m_lineWeight;
  m_invisible = other->m_invisible;
  return Acad::eOk;
}

void AcDbEntity::setDatabaseDefaults(AcDbDatabase* database) {
  AcDbDatabase* db = database ? database : this->database() ? this->database()
                                                            : acdbHostApplicationServices()->workingDatabase();
  if (db == nullptr || !assertWriteEnabled()) return;
  m_layer = db->clayer();
  m_color.setByLayer();
  m_linetypeScale = db->celtscale();
}

Acad::ErrorStatus AcDbEntity::getGeomExtents(AcDbExtents&) const { return Acad::eNotApplicable; }

Acad::ErrorStatus AcDbEntity::transformBy(const AcGeMatrix3d&) { return Acad::eNotApplicable; }

void AcDbEntity::adoptFollower(AcDbObjectId, bool) {}

void AcDbEntity::dxfGroups(std::vector<DxfGroup>& groups) const { groups.push_back({kMarker, 0}); }

bool AcDbEntity::dxfOwns(const DxfGroup& group, int code) const {
  if (!group.is(kMarker)) return false;
  switch (code) {
    case 8: case 6: case 62: case 420: case 370: case 60: case 48: case 440:
      return true;
    default:
      return false;
  }
}

void AcDbEntity::dxfInField(const DxfGroup&, DxfInFiler& in) {
  switch (in.code()) {
    case 8:
      m_layer = in.layer();
      break;
    case 6:
      m_linetype = in.record(in.database().linetypeTableId());
      if (m_linetype == in.database().byLayerLinetype()) m_linetype.setNull();
      break;
    case 62: {
      const long long index = in.integer();
      const auto palette = static_cast<std::uint16_t>(index < 0 ? -index : index);
      if (m_color.isByColor()) m_color.setTrueColor(m_color.rgb(), palette);
      else m_color.setColorIndex(palette > 256 ? 256 : palette);
      break;
    }
    case 420:
      m_color.setTrueColor(static_cast<Adesk::UInt32>(in.integer()), m_color.colorIndex() % 256);
      break;
    case 370:
      m_lineWeight = static_cast<std::int16_t>(in.integer());
      break;
    case 60:
      m_invisible = in.flag();
      break;
    case 48:
      m_linetypeScale = in.real();
      break;
    case 440:
      m_transparency = static_cast<Adesk::UInt32>(in.integer());
      break;
  }
}

void AcDbEntity::dxfOutFields(const DxfGroup&, DxfOutFiler& out) const {
  out.text(8, layer());
  if (!m_linetype.isNull()) out.text(6, linetype());
  if (!m_color.isByLayer()) out.integer(62, m_color.colorIndex());
  if (m_color.isByColor()) out.integer(420, m_color.rgb());
  if (m_lineWeight != AcDb::kLnWtByLayer) out.integer(370, m_lineWeight);
  if (m_linetypeScale != 1.0) out.real(48, m_linetypeScale);
  if (m_invisible) out.integer(60, 1);
  if (m_transparency != 0) out.integer(440, static_cast<std::int32_t>(m_transparency));
}

Acad::ErrorStatus acdbOpenAcDbEntity(AcDbEntity*& entity, AcDbObjectId id, AcDb::OpenMode mode, bool openErased) {
  entity = nullptr;
  AcDbObject* object = nullptr;
  const Acad::ErrorStatus status = acdbOpenAcDbObject(object, id, mode, openErased);
  if (status != Acad::eOk) return status;
  entity = AcDbEntity::cast(object);
  if (entity == nullptr) {
    object->close();
    return Acad::eNotAnEntity;
  }
  return Acad::eOk;
}
