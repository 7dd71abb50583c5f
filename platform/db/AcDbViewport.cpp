#include "AcDbViewport.h"

#include <algorithm>

#include "AcDbLayerTableRecord.h"
#include "AcDbStub.h"
#include "DxfInFiler.h"
#include "DxfOutFiler.h"

ACRX_DEFINE_MEMBERS(AcDbViewport, AcDbEntity, L"VIEWPORT")

namespace {
constexpr std::string_view kMarker = "AcDbViewport";
}

AcDbViewport::AcDbViewport() = default;

AcDbViewport::~AcDbViewport() = default;

Acad::ErrorStatus AcDbViewport::freezeLayersInViewport(const AcDbObjectIdArray& layers) {
  for (const AcDbObjectId& layer : layers)
    if (residentObject<AcDbLayerTableRecord>(layer) == nullptr) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  for (const AcDbObjectId& layer : layers)
    if (m_frozenSet.insert(layer).second) m_frozen.push_back(layer);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbViewport::thawLayersInViewport(const AcDbObjectIdArray& layers) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  bool thawed = false;
  for (const AcDbObjectId& layer : layers) thawed = m_frozenSet.erase(layer) != 0 || thawed;
  if (thawed)
    m_frozen.erase(std::remove_if(m_frozen.begin(), m_frozen.end(),
                                  [this](const AcDbObjectId& layer) { return m_frozenSet.count(layer) == 0; }),
                   m_frozen.end());
  return Acad::eOk;
}

Acad::ErrorStatus AcDbViewport::thawAllLayersInViewport() {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_frozen.clear();
  m_frozenSet.clear();
  return Acad::eOk;
}

bool AcDbViewport::isLayerFrozenInViewport(AcDbObjectId layer) const { return m_frozenSet.count(layer) != 0; }

Acad::ErrorStatus AcDbViewport::getFrozenLayerList(AcDbObjectIdArray& layers) const {
  layers = m_frozen;
  return Acad::eOk;
}

void AcDbViewport::dxfGroups(std::vector<DxfGroup>& groups) const {
  AcDbEntity::dxfGroups(groups);
  groups.push_back({kMarker, 0});
}

bool AcDbViewport::dxfOwns(const DxfGroup& group, int code) const {
  return AcDbEntity::dxfOwns(group, code) || (group.is(kMarker) && code == 331);
}

void AcDbViewport::dxfInField(const DxfGroup& group, DxfInFiler& in) {
  if (!group.is(kMarker)) {
    AcDbEntity::dxfInField(group, in);
    return;
  }
  const AcDbObjectId layer = in.objectId();
  if (!layer.isNull() && m_frozenSet.insert(layer).second) m_frozen.push_back(layer);
}

void AcDbViewport::dxfOutFields(const DxfGroup& group, DxfOutFiler& out) const {
  if (!group.is(kMarker)) {
    AcDbEntity::dxfOutFields(group, out);
    return;
  }
  for (const AcDbObjectId& layer : m_frozen) out.objectId(331, layer);
}
