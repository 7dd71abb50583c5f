#include "AcDbHatch.h"

#include <algorithm>
#include <cmath>

#include "AcDbCircle.h"
#include "AcDbDatabase.h"
#include "AcDbHostApplicationServices.h"
#include "AcDbPolyline.h"
#include "AcDbStub.h"
#include "AcGeConstants.h"
#include "DxfInFiler.h"
#include "DxfOutFiler.h"
#include "HatchPatterns.h"

ACRX_DEFINE_MEMBERS(AcDbHatch, AcDbEntity, L"HATCH")

namespace {

constexpr std::string_view kMarker = "AcDbHatch";

// More pattern lines across the boundary than this is too dense to draw:
// the limit CAD programs ship for a hatch's line count (HPMAXLINES).
constexpr double kMaxPatternLines = 1000000.0;

double radians(double degrees) { return degrees * kPi / 180.0; }
double degrees(double radians) { return radians * 180.0 / kPi; }

// The codes after the boundary paths: a path runs up to one of them or to
// the next path.
bool endsPath(int code) {
  switch (code) {
    case 92: case 75: case 76: case 52: case 41: case 77: case 78: case 47: case 98:
      return true;
    default:
      return code >= 450 && code <= 470;
  }
}

// The number of lines k * spacing (k whole) within [low, high].
double linesWithin(double low, double high, double spacing) {
  return std::max(0.0, std::floor(high / spacing) - std::ceil(low / spacing) + 1.0);
}

}  // namespace

AcDbHatch::AcDbHatch() = default;

double AcDbHatch::patternAngle() const { return radians(m_angle); }

Acad::ErrorStatus AcDbHatch::setPatternAngle(double angle) {
  if (!std::isfinite(angle)) return Acad::eInvalidInput;
  if (!edit()) return Acad::eNotOpenForWrite;
  m_angle = degrees(angle);
  makePatternLines();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::setPatternScale(double scale) {
  if (!(scale > 0.0) || !std::isfinite(scale)) return Acad::eInvalidInput;
  if (!edit()) return Acad::eNotOpenForWrite;
  m_scale = scale;
  makePatternLines();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::setPatternDouble(bool isDouble) {
  if (!edit()) return Acad::eNotOpenForWrite;
  m_double = isDouble;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::setPattern(HatchPatternType type, const ACHAR* name) {
  const HatchPattern* pattern = name ? HatchPatterns::find(name) : nullptr;
  if (type != kPreDefined || pattern == nullptr) return Acad::eInvalidInput;
  if (!edit()) return Acad::eNotOpenForWrite;
  m_patternType = type;
  m_patternName = pattern->name;
  m_solid = pattern->lines.empty();
  makePatternLines();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::setAssociative(bool isAssociative) {
  if (!edit()) return Acad::eNotOpenForWrite;
  m_associative = isAssociative;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::setHatchStyle(HatchStyle style) {
  if (style < kNormal || style > kIgnore) return Acad::eInvalidInput;
  if (!edit()) return Acad::eNotOpenForWrite;
  m_style = style;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::setNormal(const AcGeVector3d& normal) {
  if (normal.isZeroLength()) return Acad::eInvalidInput;
  if (!edit()) return Acad::eNotOpenForWrite;
  m_normal = normal.normal();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::setElevation(double elevation) {
  if (!edit()) return Acad::eNotOpenForWrite;
  m_elevation.z = elevation;
  return Acad::eOk;
}

AcGePoint2d AcDbHatch::inPlane(const AcGePoint3d& world) const {
  const AcGePoint3d point = AcGeMatrix3d::worldToPlane(m_normal) * world;
  return AcGePoint2d(point.x, point.y);
}

Acad::ErrorStatus AcDbHatch::polylineLoop(const AcDbPolyline& outline, Adesk::Int32 loopType, HatchLoop& loop) const {
  if (!outline.isClosed() || outline.numVerts() < 2) return Acad::eInvalidInput;
  // Seen from the other side, every arc turns the other way.
  const double turn = outline.normal().dotProduct(m_normal) < 0.0 ? -1.0 : 1.0;
  AcGePoint2dArray vertices;
  AcGeDoubleArray bulges;
  for (unsigned int i = 0; i < outline.numVerts(); ++i) {
    AcGePoint3d point;
    double bulge = 0.0;
    outline.getPointAt(i, point);
    outline.getBulgeAt(i, bulge);
    vertices.push_back(inPlane(point));
    bulges.push_back(bulge * turn);
  }
  loop = HatchLoop::polyline(loopType, vertices, bulges);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::loopFrom(AcDbObjectId id, Adesk::Int32 loopType, HatchLoop& loop) const {
  if (const AcDbEntity* boundary = residentObject<AcDbEntity>(id); boundary != nullptr && boundary->isErased())
    return Acad::eWasErased;
  if (const AcDbPolyline* outline = residentObject<AcDbPolyline>(id)) return polylineLoop(*outline, loopType, loop);
  if (const AcDbCircle* circle = residentObject<AcDbCircle>(id)) {
    loop = HatchLoop::edges(loopType, {HatchEdge::arc(inPlane(circle->center()), circle->radius(), 0.0, 2.0 * kPi)});
    return Acad::eOk;
  }
  return Acad::eInvalidInput;
}

Acad::ErrorStatus AcDbHatch::appendLoop(Adesk::Int32 loopType, const AcDbObjectIdArray& ids) {
  // One closed boundary object makes one loop.
  if (ids.size() != 1) return Acad::eInvalidInput;
  HatchLoop loop;
  const Acad::ErrorStatus status = loopFrom(ids.front(), loopType, loop);
  if (status != Acad::eOk) return status;
  if (m_associative) loop.setSources(ids);
  return appendLoop(std::move(loop));
}

Acad::ErrorStatus AcDbHatch::appendLoop(Adesk::Int32 loopType, const AcDbPolyline& boundary) {
  HatchLoop loop;
  const Acad::ErrorStatus status = polylineLoop(boundary, loopType, loop);
  return status == Acad::eOk ? appendLoop(std::move(loop)) : status;
}

Acad::ErrorStatus AcDbHatch::appendLoop(Adesk::Int32 loopType, const AcGePoint2dArray& vertices,
                                        const AcGeDoubleArray& bulges) {
  if (vertices.size() < 2 || (!bulges.empty() && bulges.size() != vertices.size())) return Acad::eInvalidInput;
  return appendLoop(HatchLoop::polyline(loopType, vertices, bulges));
}

Acad::ErrorStatus AcDbHatch::appendLoop(Adesk::Int32 loopType, const std::vector<HatchEdge>& edges) {
  if (edges.empty()) return Acad::eInvalidInput;
  return appendLoop(HatchLoop::edges(loopType, edges));
}

Acad::ErrorStatus AcDbHatch::appendLoop(HatchLoop loop) {
  if (!edit()) return Acad::eNotOpenForWrite;
  m_loops.push_back(std::move(loop));
  return Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::removeLoopAt(int index) {
  if (index < 0 || index >= numLoops()) return Acad::eInvalidInput;
  if (!edit()) return Acad::eNotOpenForWrite;
  m_loops.erase(m_loops.begin() + index);
  return Acad::eOk;
}

Adesk::Int32 AcDbHatch::loopTypeAt(int index) const {
  return index >= 0 && index < numLoops() ? m_loops[index].type() : 0;
}

Acad::ErrorStatus AcDbHatch::getLoopAt(int index, Adesk::Int32& loopType, AcGePoint2dArray& vertices,
                                       AcGeDoubleArray& bulges) const {
  if (index < 0 || index >= numLoops() || !m_loops[index].isPolyline()) return Acad::eInvalidInput;
  loopType = m_loops[index].type();
  vertices = m_loops[index].vertices();
  bulges = m_loops[index].bulges();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::getLoopAt(int index, Adesk::Int32& loopType, std::vector<HatchEdge>& edges) const {
  if (index < 0 || index >= numLoops() || m_loops[index].isPolyline()) return Acad::eInvalidInput;
  loopType = m_loops[index].type();
  edges = m_loops[index].edgeList();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::getPatternDefinitionAt(int index, double& angle, double& baseX, double& baseY,
                                                    double& offsetX, double& offsetY, AcGeDoubleArray& dashes) const {
  if (index < 0 || index >= numPatternDefinitions()) return Acad::eInvalidInput;
  const PatternLine& line = m_lines[index];
  angle = radians(line.angle);
  baseX = line.baseX;
  baseY = line.baseY;
  offsetX = line.offsetX;
  offsetY = line.offsetY;
  dashes = line.dashes;
  return Acad::eOk;
}

AcGePoint2d AcDbHatch::getSeedPointAt(int index) const {
  return index >= 0 && index < numSeedPoints() ? m_seeds[index] : AcGePoint2d();
}

Acad::ErrorStatus AcDbHatch::appendSeedPoint(const AcGePoint2d& point) {
  if (!edit()) return Acad::eNotOpenForWrite;
  m_seeds.push_back(point);
  return Acad::eOk;
}

void AcDbHatch::makePatternLines() {
  const HatchPattern* pattern = m_patternType == kPreDefined ? HatchPatterns::find(m_patternName) : nullptr;
  if (pattern == nullptr) return;
  m_lines.clear();
  // Metric drawings take the ISO set, the inch definitions in millimetres,
  // as CAD programs do: a pattern at a given scale looks alike in both.
  const AcDbDatabase* drawing = database() != nullptr ? database() : acdbHostApplicationServices()->workingDatabase();
  const double scale = drawing != nullptr && drawing->measurement() == AcDb::kMetric ? 25.4 * m_scale : m_scale;
  const double turn = radians(m_angle);
  for (const HatchPatternLine& family : pattern->lines) {
    PatternLine line;
    line.angle = std::fmod(family.angle + m_angle, 360.0);
    const double along = radians(family.angle) + turn;
    line.baseX = scale * (family.baseX * std::cos(turn) - family.baseY * std::sin(turn));
    line.baseY = scale * (family.baseX * std::sin(turn) + family.baseY * std::cos(turn));
    line.offsetX = scale * (family.along * std::cos(along) - family.across * std::sin(along));
    line.offsetY = scale * (family.along * std::sin(along) + family.across * std::cos(along));
    for (double dash : family.dashes) line.dashes.push_back(dash * scale);
    m_lines.push_back(std::move(line));
  }
}

AcDbExtents AcDbHatch::loopExtents() const {
  AcDbExtents extents;
  for (const HatchLoop& loop : m_loops) loop.addTo(extents);
  return extents;
}

Acad::ErrorStatus AcDbHatch::evaluateHatch(bool) {
  if (m_associative) {
    for (HatchLoop& loop : m_loops) {
      HatchLoop fresh;
      if (loop.sources().size() != 1 || loopFrom(loop.sources().front(), loop.type(), fresh) != Acad::eOk) continue;
      fresh.setSources(loop.sources());
      loop = std::move(fresh);
    }
  }
  const AcDbExtents box = loopExtents();
  if (!box.isValid()) return Acad::eInvalidInput;
  if (m_solid) return Acad::eOk;
  if (m_lines.empty()) return Acad::eInvalidInput;
  double lines = 0.0;
  for (const PatternLine& line : m_lines) {
    // Each family's lines lie at whole multiples of its spacing across
    // the line direction, counted from its base point.
    const double nx = -std::sin(radians(line.angle)), ny = std::cos(radians(line.angle));
    const double spacing = std::fabs(line.offsetX * nx + line.offsetY * ny);
    const double base = line.baseX * nx + line.baseY * ny;
    const AcGePoint3d& low = box.minPoint();
    const AcGePoint3d& high = box.maxPoint();
    const double corners[] = {low.x * nx + low.y * ny, high.x * nx + low.y * ny, low.x * nx + high.y * ny,
                              high.x * nx + high.y * ny};
    const double from = *std::min_element(std::begin(corners), std::end(corners)) - base;
    const double to = *std::max_element(std::begin(corners), std::end(corners)) - base;
    if (spacing <= 1e-12 * std::max({1.0, std::fabs(from), std::fabs(to)})) return Acad::eHatchTooDense;
    lines += linesWithin(from, to, spacing);
    if (lines > kMaxPatternLines) return Acad::eHatchTooDense;
  }
  // Not one line crosses the boundary: the pattern is coarser than the area.
  return lines == 0.0 ? Acad::eHatchNotDenseEnough : Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::getGeomExtents(AcDbExtents& extents) const {
  AcDbExtents box = loopExtents();
  if (!box.isValid()) return Acad::eNotApplicable;
  box.set(AcGePoint3d(box.minPoint().x, box.minPoint().y, m_elevation.z),
          AcGePoint3d(box.maxPoint().x, box.maxPoint().y, m_elevation.z));
  box.transformBy(AcGeMatrix3d::planeToWorld(m_normal));
  extents = box;
  return Acad::eOk;
}

void AcDbHatch::dxfGroups(std::vector<DxfGroup>& groups) const {
  AcDbEntity::dxfGroups(groups);
  groups.push_back({kMarker, 0});
}

// The group's tags depend on each other (counts, paths, pattern lines), so
// the hatch takes them all and reads them once they are complete.
bool AcDbHatch::dxfOwns(const DxfGroup& group, int code) const {
  return group.is(kMarker) || AcDbEntity::dxfOwns(group, code);
}

void AcDbHatch::dxfInField(const DxfGroup& group, DxfInFiler& in) {
  if (!group.is(kMarker)) return AcDbEntity::dxfInField(group, in);
  m_reading.push_back(DxfTag{in.code(), in.raw(), in.line()});
}

bool AcDbHatch::edit() {
  if (!assertWriteEnabled()) return false;
  m_groupLength = 0;
  return true;
}

void AcDbHatch::dxfInDone(DxfInFiler& in) {
  readGroup(in);
  keepGroupText();
  std::vector<DxfTag>().swap(m_reading);
}

void AcDbHatch::keepGroupText() {
  const std::string_view text = dxfText();
  if (m_reading.empty() || text.empty()) return;
  // From the code line of the first tag to the line end of the last.
  const size_t value = static_cast<size_t>(m_reading.front().value.data() - text.data());
  const size_t codeEnd = text.rfind('\n', value - 1);
  const size_t begin = codeEnd == 0 || codeEnd == std::string_view::npos ? 0 : text.rfind('\n', codeEnd - 1) + 1;
  size_t end = static_cast<size_t>(m_reading.back().value.data() + m_reading.back().value.size() - text.data());
  end = std::min(text.find('\n', end), text.size() - 1) + 1;
  m_groupOffset = static_cast<Adesk::UInt32>(begin);
  m_groupLength = static_cast<Adesk::UInt32>(end - begin);
}

void AcDbHatch::readGroup(DxfInFiler& in) {
  Slot last = kAtStart;
  for (size_t i = 0; i < m_reading.size();) {
    const DxfTag& tag = m_reading[i];
    in.setTag(tag);
    Slot slot = kSlotCount;
    size_t next = i + 1;
    switch (tag.code) {
      case 91: slot = kAtPaths; next = readPaths(next, in); break;
      case 78: slot = kAtLines; next = readPatternLines(next, in); break;
      case 98: slot = kAtSeeds; next = readSeeds(next, in); break;
      default: slot = readField(in, last);
    }
    if (slot == kSlotCount) {
      m_carried.push_back({last, {tag.code, std::string(tag.value)}});
    } else {
      last = slot;
      m_slotsRead |= 1u << slot;
    }
    i = next;
  }
  if (m_normal.isZeroLength()) m_normal = AcGeVector3d::kZAxis;
  if (!(m_scale > 0.0)) m_scale = 1.0;
}

AcDbHatch::Slot AcDbHatch::readField(DxfInFiler& in, Slot last) {
  // Seed points use 10 and 20 too, after their count.
  const bool head = last < kAtPaths;
  switch (in.code()) {
    case 10: if (!head) break; m_elevation.x = in.real(); return kAtElevation;
    case 20: if (!head) break; m_elevation.y = in.real(); return kAtElevation;
    case 30: if (!head) break; m_elevation.z = in.real(); return kAtElevation;
    case 210: m_normal.x = in.real(); return kAtNormal;
    case 220: m_normal.y = in.real(); return kAtNormal;
    case 230: m_normal.z = in.real(); return kAtNormal;
    case 2: m_patternName = in.text(); return kAtName;
    case 70: m_solid = in.flag(); return kAtSolid;
    case 71: m_associative = in.flag(); return kAtAssociative;
    case 75: m_style = static_cast<HatchStyle>(std::clamp<long long>(in.integer(), kNormal, kIgnore)); return kAtStyle;
    case 76:
      m_patternType = static_cast<HatchPatternType>(std::clamp<long long>(in.integer(), kUserDefined, kCustomDefined));
      return kAtType;
    case 52: m_angle = in.real(); return kAtAngle;
    case 41: m_scale = in.real(); return kAtScale;
    case 77: m_double = in.flag(); return kAtDouble;
    case 47: m_pixelSize = in.real(); return kAtPixelSize;
  }
  return kSlotCount;
}

size_t AcDbHatch::readPaths(size_t i, DxfInFiler& in) {
  while (i < m_reading.size() && m_reading[i].code == 92) {
    size_t end = i + 1;
    while (end < m_reading.size() && !endsPath(m_reading[end].code)) ++end;
    m_loops.push_back(HatchLoop::read(&m_reading[i], m_reading.data() + end, in));
    i = end;
  }
  return i;
}

size_t AcDbHatch::readPatternLines(size_t i, DxfInFiler& in) {
  for (; i < m_reading.size(); ++i) {
    const int code = m_reading[i].code;
    in.setTag(m_reading[i]);
    if (code == 53) {
      m_lines.emplace_back();
      m_lines.back().angle = in.real();
      continue;
    }
    if (m_lines.empty()) break;
    PatternLine& line = m_lines.back();
    if (code == 43) line.baseX = in.real();
    else if (code == 44) line.baseY = in.real();
    else if (code == 45) line.offsetX = in.real();
    else if (code == 46) line.offsetY = in.real();
    else if (code == 49) line.dashes.push_back(in.real());
    else if (code != 79) break;
  }
  return i;
}

size_t AcDbHatch::readSeeds(size_t i, DxfInFiler& in) {
  for (; i < m_reading.size(); ++i) {
    in.setTag(m_reading[i]);
    if (m_reading[i].code == 10) m_seeds.emplace_back(in.real(), 0.0);
    else if (m_reading[i].code == 20 && !m_seeds.empty()) m_seeds.back().y = in.real();
    else break;
  }
  return i;
}

void AcDbHatch::writeSlot(Slot slot, DxfOutFiler& out) const {
  const bool read = (m_slotsRead & (1u << slot)) != 0;
  switch (slot) {
    case kAtElevation: out.point(10, m_elevation); break;
    case kAtNormal: out.vector(210, m_normal); break;
    case kAtName: out.text(2, m_patternName); break;
    case kAtSolid: out.integer(70, m_solid ? 1 : 0); break;
    case kAtAssociative: out.integer(71, m_associative ? 1 : 0); break;
    case kAtPaths:
      out.integer(91, numLoops());
      for (const HatchLoop& loop : m_loops) loop.write(out);
      break;
    case kAtStyle: out.integer(75, m_style); break;
    case kAtType: out.integer(76, m_patternType); break;
    case kAtAngle: if (!m_solid || read) out.real(52, m_angle); break;
    case kAtScale: if (!m_solid || read) out.real(41, m_scale); break;
    case kAtDouble: if (!m_solid || read) out.integer(77, m_double ? 1 : 0); break;
    case kAtLines:
      if (m_solid && !read) break;
      out.integer(78, numPatternDefinitions());
      for (const PatternLine& line : m_lines) {
        out.real(53, line.angle);
        out.real(43, line.baseX);
        out.real(44, line.baseY);
        out.real(45, line.offsetX);
        out.real(46, line.offsetY);
        out.integer(79, static_cast<long long>(line.dashes.size()));
        for (double dash : line.dashes) out.real(49, dash);
      }
      break;
    case kAtPixelSize: if (read) out.real(47, m_pixelSize); break;
    case kAtSeeds:
      out.integer(98, numSeedPoints());
      for (const AcGePoint2d& seed : m_seeds) out.point2d(10, seed.x, seed.y);
      break;
    case kAtStart: case kSlotCount: break;
  }
}

void AcDbHatch::dxfOutFields(const DxfGroup& group, DxfOutFiler& out) const {
  if (!group.is(kMarker)) return AcDbEntity::dxfOutFields(group, out);
  if (m_groupLength != 0) return out.raw(dxfText().substr(m_groupOffset, m_groupLength));
  for (int slot = kAtStart; slot < kSlotCount; ++slot) {
    writeSlot(static_cast<Slot>(slot), out);
    for (const CarriedTag& carried : m_carried)
      if (carried.after == slot) out.tag(carried.tag.code, carried.tag.value);
  }
}
