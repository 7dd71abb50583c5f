#include "AcDbViewport.h"

#include <algorithm>

#include "AcDbLayerTableRecord.h"
#include "AcDbStub.h"
#include "AcGeConstants.h"
#include "DxfInFiler.h"
#include "DxfOutFiler.h"

ACRX_DEFINE_MEMBERS(AcDbViewport, AcDbEntity, L"VIEWPORT")

namespace {

constexpr std::string_view kMarker = "AcDbViewport";

// The group code of each setting before the frozen layers, in file order.
constexpr int kCodes[] = {10, 20, 30, 40, 41, 68, 69, 12, 22, 13, 23, 14, 24, 15, 25, 16,
                          26, 36, 17, 27, 37, 42, 43, 44, 45, 50, 51, 72};
constexpr int kClipCode = 340;
constexpr int kFlagsCode = 90;
constexpr long long kOffFlag = 0x20000;
constexpr long long kNonRectClipFlag = 0x10000;

int fieldOf(int code) {
  const auto found = std::find(std::begin(kCodes), std::end(kCodes), code);
  return found == std::end(kCodes) ? -1 : static_cast<int>(found - std::begin(kCodes));
}

// Group codes 60 to 79 hold whole numbers.
bool isInteger(int code) { return code >= 60 && code < 80; }

}  // namespace

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

AcGePoint3d AcDbViewport::centerPoint() const {
  return AcGePoint3d(field(Field::CenterX), field(Field::CenterY), field(Field::CenterZ));
}

bool AcDbViewport::isOn() const { return field(Field::Status) != 0.0 && (m_flags & kOffFlag) == 0; }

AcGePoint2d AcDbViewport::viewCenter() const { return AcGePoint2d(field(Field::ViewCenterX), field(Field::ViewCenterY)); }

AcGePoint3d AcDbViewport::viewTarget() const {
  return AcGePoint3d(field(Field::TargetX), field(Field::TargetY), field(Field::TargetZ));
}

double AcDbViewport::twistAngle() const { return field(Field::Twist) * kPi / 180.0; }

bool AcDbViewport::isNonRectClipOn() const { return (m_flags & kNonRectClipFlag) != 0 && !m_clip.isNull(); }

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
  if (!group.is(kMarker)) return AcDbEntity::dxfOwns(group, code);
  return code == 331 || code == kClipCode || code == kFlagsCode || fieldOf(code) >= 0;
}

void AcDbViewport::dxfInField(const DxfGroup& group, DxfInFiler& in) {
  if (!group.is(kMarker)) {
    AcDbEntity::dxfInField(group, in);
    return;
  }
  if (in.code() == kClipCode) {
    m_clip = in.objectId();
  } else if (in.code() == kFlagsCode) {
    m_flags = in.integer();
    m_flagsGiven = true;
  } else if (in.code() == 331) {
    const AcDbObjectId layer = in.objectId();
    if (!layer.isNull() && m_frozenSet.insert(layer).second) m_frozen.push_back(layer);
  } else {
    const int index = fieldOf(in.code());
    m_fields[index] = isInteger(in.code()) ? static_cast<double>(in.integer()) : in.real();
    m_given |= 1u << index;
  }
}

void AcDbViewport::dxfOutFields(const DxfGroup& group, DxfOutFiler& out) const {
  if (!group.is(kMarker)) {
    AcDbEntity::dxfOutFields(group, out);
    return;
  }
  for (size_t index = 0; index < kFields; ++index) {
    if ((m_given & (1u << index)) == 0) continue;
    if (isInteger(kCodes[index])) out.integer(kCodes[index], static_cast<long long>(m_fields[index]));
    else out.real(kCodes[index], m_fields[index]);
  }
  for (const AcDbObjectId& layer : m_frozen) out.objectId(331, layer);
  if (!m_clip.isNull()) out.objectId(kClipCode, m_clip);
  if (m_flagsGiven) out.integer(kFlagsCode, m_flags);
}
