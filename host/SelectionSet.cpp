#include "host/SelectionSet.h"

#include "aced.h"

CSelectionSet::CSelectionSet(const ACHAR* mode, const void* point1, const void* point2, const resbuf* filter)
    : m_made(acedSSGet(mode, point1, point2, filter, m_name) == RTNORM) {}

CSelectionSet::CSelectionSet(int (*select)(ads_name)) : m_made(select(m_name) == RTNORM) {}

CSelectionSet::~CSelectionSet() {
  if (m_made) acedSSFree(m_name);
}

Adesk::Int32 CSelectionSet::length() const {
  Adesk::Int32 length = 0;
  if (!m_made || acedSSLength(m_name, &length) != RTNORM) return 0;
  return length;
}

std::vector<AcDbObjectId> CSelectionSet::ids() const {
  const Adesk::Int32 count = length();
  std::vector<AcDbObjectId> members;
  members.reserve(static_cast<size_t>(count));
  for (Adesk::Int32 index = 0; index < count; ++index) {
    ads_name member;
    AcDbObjectId id;
    if (acedSSName(m_name, index, member) == RTNORM && acdbGetObjectId(id, member) == Acad::eOk) members.push_back(id);
  }
  return members;
}
