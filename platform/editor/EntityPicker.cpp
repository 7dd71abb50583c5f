#include "EntityPicker.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>
#include <string_view>

#include "AcDbBlockReference.h"
#include "AcDbBlockTableRecord.h"
#include "AcDbDatabase.h"
#include "AcDbEntity.h"
#include "AcDbPolyline.h"
#include "ModelSpaceIndex.h"
#include "ReplyText.h"
#include "WildcardPattern.h"

namespace {

using Box = ModelSpaceIndex::Box;

// A closed outline's points, arcs split finely enough to test containment.
std::vector<AcGePoint2d> outlinePoints(const AcDbPolyline& polyline) {
  std::vector<AcGePoint2d> points;
  const unsigned int count = polyline.numVerts();
  for (unsigned int i = 0; i < count; ++i) {
    AcGePoint2d start, end;
    double bulge = 0.0;
    polyline.getPointAt(i, start);
    polyline.getPointAt((i + 1) % count, end);
    polyline.getBulgeAt(i, bulge);
    points.push_back(start);
    if (bulge == 0.0) continue;
    const double sweep = 4.0 * std::atan(bulge);
    const double chordX = end.x - start.x, chordY = end.y - start.y;
    const double chord = std::hypot(chordX, chordY);
    if (chord == 0.0) continue;
    const double radius = chord / (2.0 * std::sin(std::fabs(sweep) / 2.0));
    const double toCentre = radius * std::cos(std::fabs(sweep) / 2.0) * (bulge > 0 ? 1.0 : -1.0);
    const double cx = (start.x + end.x) / 2.0 - chordY / chord * toCentre;
    const double cy = (start.y + end.y) / 2.0 + chordX / chord * toCentre;
    const double from = std::atan2(start.y - cy, start.x - cx);
    constexpr int kSteps = 32;
    for (int step = 1; step < kSteps; ++step) {
      const double angle = from + sweep * step / kSteps;
      points.emplace_back(cx + radius * std::cos(angle), cy + radius * std::sin(angle));
    }
  }
  return points;
}

bool inside(const std::vector<AcGePoint2d>& polygon, double x, double y) {
  bool in = false;
  for (size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
    const auto& a = polygon[i];
    const auto& b = polygon[j];
    if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) in = !in;
  }
  return in;
}

bool segmentsCross(const AcGePoint2d& a, const AcGePoint2d& b, const AcGePoint2d& c, const AcGePoint2d& d) {
  const auto side = [](const AcGePoint2d& p, const AcGePoint2d& q, const AcGePoint2d& r) {
    const double cross = (q.x - p.x) * (r.y - p.y) - (q.y - p.y) * (r.x - p.x);
    return (cross > 0) - (cross < 0);
  };
  return side(a, b, c) * side(a, b, d) <= 0 && side(c, d, a) * side(c, d, b) <= 0;
}

std::vector<AcGePoint2d> cornersOf(const Box& box) {
  return {{box.minX, box.minY}, {box.maxX, box.minY}, {box.maxX, box.maxY}, {box.minX, box.maxY}};
}

// Some edge of the box crosses some edge of the polygon.
bool edgesCross(const std::vector<AcGePoint2d>& polygon, const Box& box) {
  const auto corners = cornersOf(box);
  for (size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++)
    for (size_t k = 0, l = 3; k < 4; l = k++)
      if (segmentsCross(polygon[j], polygon[i], corners[l], corners[k])) return true;
  return false;
}

bool boxHolds(const Box& box, const AcGePoint2d& point) {
  return point.x >= box.minX && point.x <= box.maxX && point.y >= box.minY && point.y <= box.maxY;
}

bool polylineContains(const AcDbPolyline& polyline, const AcGePoint3d& point, double& area) {
  if (!polyline.isClosed() || polyline.numVerts() < 3 || !inside(outlinePoints(polyline), point.x, point.y))
    return false;
  polyline.getArea(area);
  return true;
}

// A block reference is found by the smallest closed outline its definition
// draws around the point, as a room drawn as a block is; the area is that
// outline's own.
bool referenceContains(const AcDbBlockReference& reference, const AcGePoint3d& point, double& area) {
  AcDbBlockTableRecord* block = nullptr;
  if (acdbOpenObject(block, reference.blockTableRecord(), AcDb::kForRead) != Acad::eOk) return false;
  const AcDbObjectIdArray entities = block->entityIds();
  block->close();
  const AcGePoint3d local = AcGePoint3d(point).transformBy(reference.blockTransform().inverse());
  bool contains = false;
  for (const AcDbObjectId& id : entities) {
    AcDbPolyline* polyline = nullptr;
    if (acdbOpenObject(polyline, id, AcDb::kForRead) != Acad::eOk) continue;
    double outlineArea = 0.0;
    if (polylineContains(*polyline, local, outlineArea) && (!contains || outlineArea < area)) {
      area = outlineArea;
      contains = true;
    }
    polyline->close();
  }
  return contains;
}

// The area of a closed outline containing the point, or nothing.
bool containingArea(AcDbObjectId id, const AcGePoint3d& point, double& area) {
  AcDbEntity* entity = nullptr;
  if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk) return false;
  bool contains = false;
  if (const auto* polyline = AcDbPolyline::cast(entity))
    contains = polylineContains(*polyline, point, area);
  else if (const auto* reference = AcDbBlockReference::cast(entity))
    contains = referenceContains(*reference, point, area);
  entity->close();
  return contains;
}

// The name stays the record's own, valid as long as the drawing is.
std::wstring_view blockNameOf(AcDbEntity* entity) {
  auto* reference = AcDbBlockReference::cast(entity);
  if (reference == nullptr) return {};
  AcDbBlockTableRecord* block = nullptr;
  if (acdbOpenObject(block, reference->blockTableRecord(), AcDb::kForRead) != Acad::eOk) return {};
  const ACHAR* name = nullptr;
  block->getName(name);
  block->close();
  return name != nullptr ? std::wstring_view(name) : std::wstring_view();
}

// A filter's text groups, each pattern read once for the whole selection.
struct FilterTest {
  short group;
  WildcardPattern pattern;
};

std::vector<FilterTest> testsOf(const resbuf* filter) {
  std::vector<FilterTest> tests;
  for (const resbuf* item = filter; item != nullptr; item = item->rbnext) {
    const bool textGroup = item->restype == RTDXF0 || item->restype == 0 || item->restype == 2 || item->restype == 8;
    if (textGroup && item->resval.rstring != nullptr)
      tests.push_back({item->restype, WildcardPattern(item->resval.rstring)});
  }
  return tests;
}

bool passes(AcDbObjectId id, const std::vector<FilterTest>& tests) {
  AcDbEntity* entity = nullptr;
  if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk) return false;
  bool ok = true;
  for (auto test = tests.begin(); test != tests.end() && ok; ++test) {
    if (test->group == RTDXF0 || test->group == 0)
      ok = test->pattern.matches(entity->isA()->dxfName());
    else if (test->group == 2)
      ok = test->pattern.matches(blockNameOf(entity));
    else
      ok = test->pattern.matches(entity->layer());
  }
  entity->close();
  return ok;
}

std::vector<std::wstring> words(const std::wstring& text) {
  std::wstringstream stream(text);
  std::vector<std::wstring> found;
  std::wstring word;
  while (stream >> word) found.push_back(word);
  return found;
}

}  // namespace

EntityPicker::EntityPicker(AcDbDatabase* database) : m_database(database) {}

std::vector<const ModelSpaceIndex::Entry*> EntityPicker::near(const ModelSpaceIndex::Box& box) const {
  if (m_database == nullptr) return {};
  return m_database->modelSpaceIndex().touching(box);
}

std::vector<AcDbObjectId> EntityPicker::modelSpace() const {
  AcDbBlockTableRecord* space = nullptr;
  if (m_database == nullptr || acdbOpenObject(space, m_database->modelSpaceId(), AcDb::kForRead) != Acad::eOk)
    return {};
  const AcDbObjectIdArray entities = space->entityIds();
  space->close();
  return entities;
}

std::vector<AcDbObjectId> EntityPicker::pickable() const {
  std::vector<AcDbObjectId> ids;
  for (const AcDbObjectId& id : modelSpace()) {
    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk) continue;
    if (ModelSpaceIndex::isShown(entity)) ids.push_back(id);
    entity->close();
  }
  return ids;
}

AcDbObjectId EntityPicker::byHandle(const std::wstring& handleText, std::wstring& why) const {
  AcDbObjectId id;
  const AcDbHandle handle(handleText.c_str());
  AcDbEntity* entity = nullptr;
  if (handle.isNull() || m_database->getAcDbObjectId(id, false, handle) != Acad::eOk ||
      acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk) {
    why = L"No entity has the handle " + handleText + L".";
    return AcDbObjectId::kNull;
  }
  // As on screen, only what model space draws itself can be picked, not the
  // entities of a block definition.
  const bool inModelSpace = entity->ownerId() == m_database->modelSpaceId();
  entity->close();
  if (!inModelSpace) {
    why = L"The entity " + handleText + L" is part of a block and cannot be picked.";
    return AcDbObjectId::kNull;
  }
  return id;
}

AcDbObjectId EntityPicker::pickAt(const AcGePoint3d& point) const {
  AcDbObjectId topmost, smallest;
  double smallestArea = std::numeric_limits<double>::max();
  const Box spot{point.x - 1e-6, point.y - 1e-6, point.x + 1e-6, point.y + 1e-6};
  for (const ModelSpaceIndex::Entry* entry : near(spot)) {
    const AcDbObjectId id = entry->id;
    const Box& box = entry->box;
    const double margin = 1e-6 * std::max(1.0, std::max(box.maxX - box.minX, box.maxY - box.minY));
    if (point.x < box.minX - margin || point.x > box.maxX + margin || point.y < box.minY - margin ||
        point.y > box.maxY + margin)
      continue;
    topmost = id;
    double area = 0.0;
    if (containingArea(id, point, area) && area < smallestArea) {
      smallestArea = area;
      smallest = id;
    }
  }
  return smallest.isNull() ? topmost : smallest;
}

AcDbObjectId EntityPicker::pick(const std::wstring& answer, AcGePoint3d& pickPoint, std::wstring& why) const {
  const std::wstring text = ReplyText::trim(answer);
  if (!text.empty() && text.front() == L'#') return byHandle(text.substr(1), why);
  ads_point point;
  if (!ReplyText::point(text, point)) {
    why = L"Pick an entity with #HANDLE or a point x,y.";
    return AcDbObjectId::kNull;
  }
  pickPoint = AcGePoint3d(point[X], point[Y], point[Z]);
  const AcDbObjectId id = pickAt(pickPoint);
  if (id.isNull()) why = L"Nothing found at " + text + L".";
  return id;
}

std::vector<AcDbObjectId> EntityPicker::window(const AcGePoint3d& a, const AcGePoint3d& b, bool crossing) const {
  const Box window{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
  std::vector<AcDbObjectId> found;
  for (const ModelSpaceIndex::Entry* entry : near(window)) {
    const Box& box = entry->box;
    const bool within = box.minX >= window.minX && box.maxX <= window.maxX && box.minY >= window.minY &&
                        box.maxY <= window.maxY;
    const bool touching = box.minX <= window.maxX && box.maxX >= window.minX && box.minY <= window.maxY &&
                          box.maxY >= window.minY;
    if (crossing ? touching : within) found.push_back(entry->id);
  }
  return found;
}

std::vector<AcDbObjectId> EntityPicker::polygon(const std::vector<AcGePoint3d>& corners, bool crossing) const {
  std::vector<AcGePoint2d> outline;
  for (const auto& corner : corners) outline.emplace_back(corner.x, corner.y);
  std::vector<AcDbObjectId> found;
  if (outline.size() < 3) return found;
  Box bounds{outline.front().x, outline.front().y, outline.front().x, outline.front().y};
  for (const auto& corner : outline) {
    bounds.minX = std::min(bounds.minX, corner.x);
    bounds.minY = std::min(bounds.minY, corner.y);
    bounds.maxX = std::max(bounds.maxX, corner.x);
    bounds.maxY = std::max(bounds.maxY, corner.y);
  }
  for (const ModelSpaceIndex::Entry* entry : near(bounds)) {
    const Box& box = entry->box;
    const auto boxCorners = cornersOf(box);
    const bool allInside = std::all_of(boxCorners.begin(), boxCorners.end(),
                                       [&outline](const AcGePoint2d& c) { return inside(outline, c.x, c.y); });
    const bool crosses = edgesCross(outline, box);
    const bool touching = allInside || crosses || boxHolds(box, outline.front()) ||
                          inside(outline, boxCorners.front().x, boxCorners.front().y);
    if (crossing ? touching : allInside && !crosses) found.push_back(entry->id);
  }
  return found;
}

std::vector<AcDbObjectId> EntityPicker::filtered(const resbuf* filter) const {
  std::vector<AcDbObjectId> found = pickable();
  keepPassing(found, filter);
  return found;
}

std::vector<AcDbObjectId> EntityPicker::everything(const resbuf* filter) const {
  std::vector<AcDbObjectId> found = modelSpace();
  keepPassing(found, filter);
  return found;
}

void EntityPicker::keepPassing(std::vector<AcDbObjectId>& ids, const resbuf* filter) {
  if (filter == nullptr) return;
  const std::vector<FilterTest> tests = testsOf(filter);
  ids.erase(std::remove_if(ids.begin(), ids.end(), [&tests](const AcDbObjectId& id) { return !passes(id, tests); }),
            ids.end());
}

std::vector<AcDbObjectId> EntityPicker::select(const std::wstring& answer, std::wstring& why) const {
  const auto parts = words(answer);
  if (parts.size() == 1 && ReplyText::equalsIgnoringCase(parts[0], L"all")) return pickable();
  if (parts.size() == 3 && (ReplyText::equalsIgnoringCase(parts[0], L"w") || ReplyText::equalsIgnoringCase(parts[0], L"c"))) {
    ads_point a, b;
    if (!ReplyText::point(parts[1], a) || !ReplyText::point(parts[2], b)) {
      why = L"A window is w x1,y1 x2,y2 and a crossing c x1,y1 x2,y2.";
      return {};
    }
    return window(AcGePoint3d(a[X], a[Y], a[Z]), AcGePoint3d(b[X], b[Y], b[Z]),
                  ReplyText::equalsIgnoringCase(parts[0], L"c"));
  }
  std::vector<AcDbObjectId> found;
  for (const auto& part : parts) {
    AcGePoint3d point;
    const AcDbObjectId id = pick(part, point, why);
    if (id.isNull()) return {};
    if (std::find(found.begin(), found.end(), id) == found.end()) found.push_back(id);
  }
  if (found.empty()) why = L"Nothing selected.";
  return found;
}
