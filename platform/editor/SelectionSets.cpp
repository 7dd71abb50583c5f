#include "SelectionSets.h"

#include <algorithm>

#include "AcDbDatabase.h"
#include "AcDbHostApplicationServices.h"
#include "AcDbObject.h"
#include "AcEditor.h"
#include "BoundaryOutlines.h"
#include "EntityPicker.h"
#include "HostSession.h"
#include "ReplyText.h"
#include "acutads.h"
#include "aced.h"

namespace {

// The second word of a selection set's name tells it from an entity name.
constexpr Adesk::LongPtr kSelectionMark = 0x55;

AcDbDatabase* working() { return acdbHostApplicationServices()->workingDatabase(); }

void nameOf(AcDbObjectId id, ads_name name) {
  name[0] = id.asOldId();
  name[1] = 0;
}

AcGePoint3d pointOf(const void* point) {
  const auto* p = static_cast<const ads_real*>(point);
  return p == nullptr ? AcGePoint3d() : AcGePoint3d(p[X], p[Y], p[Z]);
}

// The corners of a polygon mode: a list of point buffers.
std::vector<AcGePoint3d> pointsOf(const resbuf* list) {
  std::vector<AcGePoint3d> points;
  for (const resbuf* item = list; item != nullptr; item = item->rbnext)
    if (item->restype == RTPOINT || item->restype == RT3DPOINT) points.push_back(pointOf(item->resval.rpoint));
  return points;
}

// Asks until the answer selects something; RTCAN on Escape, RTNONE on Enter.
int askSelection(const ACHAR* prompt, std::vector<AcDbObjectId>& ids) {
  const EntityPicker picker(working());
  for (;;) {
    const auto answer = AcEditor::ask(prompt);
    if (answer.kind == AcEditor::Kind::Cancel) return RTCAN;
    if (answer.kind == AcEditor::Kind::Enter) return RTNONE;
    std::wstring why;
    ids = picker.select(answer.text, why);
    if (!ids.empty()) return RTNORM;
    AcEditor::complain(why);
  }
}

}  // namespace

SelectionSets& SelectionSets::instance() {
  static SelectionSets sets;
  return sets;
}

void SelectionSets::make(std::vector<AcDbObjectId> ids, ads_name name) {
  name[0] = m_next++;
  name[1] = kSelectionMark;
  m_sets[name[0]] = std::move(ids);
}

const std::vector<AcDbObjectId>* SelectionSets::find(const ads_name name) const {
  if (name[1] != kSelectionMark) return nullptr;
  const auto found = m_sets.find(name[0]);
  return found == m_sets.end() ? nullptr : &found->second;
}

std::vector<AcDbObjectId>* SelectionSets::find(const ads_name name) {
  return const_cast<std::vector<AcDbObjectId>*>(static_cast<const SelectionSets*>(this)->find(name));
}

void SelectionSets::highlight(AcDbObjectId id, bool on) {
  if (on)
    m_highlighted.insert(id);
  else
    m_highlighted.erase(id);
}

bool SelectionSets::isHighlighted(AcDbObjectId id) const { return m_highlighted.count(id) > 0; }

bool SelectionSets::free(const ads_name name) { return name[1] == kSelectionMark && m_sets.erase(name[0]) == 1; }

namespace {

// A point that picks nothing inside a region of linework (a room drawn
// as walls) picks the boundary made around it, so that a room can be
// taken before anyone traced its outline.
AcDbObjectId boundaryAt(const std::wstring& answer, AcGePoint3d& pickPoint) {
  ads_point point;
  if (!ReplyText::point(ReplyText::trim(answer), point) || working() == nullptr) return AcDbObjectId::kNull;
  BoundaryOutlines outlines(*working(), BoundaryOptions::current());
  const AcDbObjectId id = outlines.around({point[X], point[Y]});
  if (!id.isNull()) {
    acutPrintf(L"Nothing found at %g,%g: the boundary around it is made and taken.\n", point[X], point[Y]);
    pickPoint = AcGePoint3d(point[X], point[Y], point[Z]);
  }
  return id;
}

}  // namespace

int acedEntSel(const ACHAR* prompt, ads_name entity, ads_point pickPoint) {
  const EntityPicker picker(working());
  for (;;) {
    const auto answer = AcEditor::ask(prompt != nullptr ? prompt : L"\nSelect object: ");
    if (answer.kind == AcEditor::Kind::Cancel) return RTCAN;
    if (answer.kind == AcEditor::Kind::Enter) return RTERROR;
    std::wstring why;
    AcGePoint3d point;
    AcDbObjectId id = picker.pick(answer.text, point, why);
    if (id.isNull()) id = boundaryAt(answer.text, point);
    if (!id.isNull()) {
      nameOf(id, entity);
      if (pickPoint != nullptr) {
        pickPoint[X] = point.x;
        pickPoint[Y] = point.y;
        pickPoint[Z] = point.z;
      }
      return RTNORM;
    }
    AcEditor::complain(why);
  }
}

int acedSSGet(const ACHAR* mode, const void* pt1, const void* pt2, const resbuf* filter, ads_name selection) {
  const EntityPicker picker(working());
  std::wstring how = ReplyText::upper(mode != nullptr ? mode : L"");
  if (!how.empty() && how.front() == L'_') how.erase(0, 1);  // the language-neutral spelling
  std::vector<AcDbObjectId> ids;
  if (how.empty() || how == L":S") {
    const int status = askSelection(L"Select objects: ", ids);
    if (status != RTNORM) return status;
  } else if (how == L"X") {
    ids = picker.everything(nullptr);
  } else if (how == L"W" || how == L"C") {
    if (pt1 == nullptr || pt2 == nullptr) return RTERROR;
    ids = picker.window(pointOf(pt1), pointOf(pt2), how == L"C");
  } else if (how == L"WP" || how == L"CP") {
    ids = picker.polygon(pointsOf(static_cast<const resbuf*>(pt1)), how == L"CP");
  } else {
    return RTERROR;
  }
  EntityPicker::keepPassing(ids, filter);
  if (ids.empty()) return RTERROR;
  SelectionSets::instance().make(std::move(ids), selection);
  return RTNORM;
}

int acedSSLength(const ads_name selection, Adesk::Int32* length) {
  const auto* ids = SelectionSets::instance().find(selection);
  if (ids == nullptr || length == nullptr) return RTERROR;
  *length = static_cast<Adesk::Int32>(ids->size());
  return RTNORM;
}

int acedSSName(const ads_name selection, Adesk::Int32 index, ads_name entity) {
  const auto* ids = SelectionSets::instance().find(selection);
  if (ids == nullptr || index < 0 || static_cast<size_t>(index) >= ids->size()) return RTERROR;
  nameOf((*ids)[static_cast<size_t>(index)], entity);
  return RTNORM;
}

int acedSSFree(const ads_name selection) { return SelectionSets::instance().free(selection) ? RTNORM : RTERROR; }

int acedSSAdd(const ads_name entity, const ads_name selection, ads_name result) {
  auto& sets = SelectionSets::instance();
  std::vector<AcDbObjectId> ids;
  if (selection != nullptr) {
    const auto* existing = sets.find(selection);
    if (existing == nullptr) return RTERROR;
    ids = *existing;
  }
  if (entity != nullptr) ids.push_back(AcDbObjectId().setFromOldId(entity[0]));
  sets.make(std::move(ids), result);
  return RTNORM;
}

int acedRedraw(const ads_name entity, int mode) {
  AcDbObjectId id;
  if (mode != 3 && mode != 4) return RTNORM;  // the other modes redraw, which a console has no need of
  if (acdbGetObjectId(id, entity) != Acad::eOk) return RTERROR;
  SelectionSets::instance().highlight(id, mode == 3);
  return RTNORM;
}

Acad::ErrorStatus acdbGetObjectId(AcDbObjectId& id, const ads_name entity) {
  if (entity == nullptr || entity[1] == kSelectionMark) return Acad::eInvalidInput;
  id.setFromOldId(entity[0]);
  return id.isNull() ? Acad::eNullObjectId : Acad::eOk;
}

Acad::ErrorStatus acdbGetAdsName(ads_name& entity, AcDbObjectId id) {
  if (id.isNull()) return Acad::eNullObjectId;
  nameOf(id, entity);
  return Acad::eOk;
}

int acdbHandEnt(const ACHAR* handle, ads_name entity) {
  AcDbDatabase* database = working();
  AcDbObjectId id;
  const AcDbHandle value(handle);
  AcDbObject* object = nullptr;
  if (database == nullptr || value.isNull() || database->getAcDbObjectId(id, false, value) != Acad::eOk ||
      acdbOpenAcDbObject(object, id, AcDb::kForRead) != Acad::eOk)
    return RTERROR;
  object->close();
  nameOf(id, entity);
  return RTNORM;
}
