#include "AcDbSymbolTableRecord.h"

#include "AcDbStub.h"
#include "AcDbSymbolTable.h"
#include "DxfInFiler.h"
#include "DxfOutFiler.h"
#include "DxfText.h"

ACRX_DEFINE_MEMBERS(AcDbSymbolTableRecord, AcDbObject, L"")

AcDbSymbolTableRecord::AcDbSymbolTableRecord() = default;

AcDbSymbolTableRecord::~AcDbSymbolTableRecord() = default;

Acad::ErrorStatus AcDbSymbolTableRecord::getName(std::wstring& name) const {
  name = m_name;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::getName(const ACHAR*& name) const {
  name = m_name.c_str();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::setName(const ACHAR* name) {
  if (name == nullptr || *name == 0) return Acad::eInvalidInput;
  auto* table = residentObject<AcDbSymbolTable>(ownerId());
  if (table != nullptr) {
    AcDbObjectId existing;
    if (table->getAt(name, existing) == Acad::eOk && existing != objectId()) return Acad::eDuplicateRecordName;
  }
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  const std::wstring oldName = m_name;
  m_name = name;
  if (table != nullptr) table->renamed(this, oldName);
  return Acad::eOk;
}

bool AcDbSymbolTableRecord::isDependent() const { return m_name.find(L'|') != std::wstring::npos; }

std::wstring AcDbSymbolTableRecord::nameOf(AcDbObjectId record) {
  const auto* found = residentObject<AcDbSymbolTableRecord>(record);
  return found ? found->m_name : std::wstring();
}

std::string_view AcDbSymbolTableRecord::recordMarker() const { return "AcDbSymbolTableRecord"; }

bool AcDbSymbolTableRecord::setFlag(Adesk::Int16 bit, bool on) {
  if (!assertWriteEnabled()) return false;
  m_flags = static_cast<Adesk::Int16>(on ? (m_flags | bit) : (m_flags & ~bit));
  return true;
}

void AcDbSymbolTableRecord::dxfGroups(std::vector<DxfGroup>& groups) const {
  groups.push_back({"AcDbSymbolTableRecord", 0});
  groups.push_back({recordMarker(), 0});
}

bool AcDbSymbolTableRecord::dxfOwns(const DxfGroup& group, int code) const {
  return group.is(recordMarker()) && (code == 2 || code == 70);
}

bool AcDbSymbolTableRecord::dxfOwnsOnce(const DxfGroup& group, int code) const {
  return group.is(recordMarker()) && (code == 2 || code == 70);
}

void AcDbSymbolTableRecord::dxfInField(const DxfGroup&, DxfInFiler& in) {
  if (in.code() == 2) m_name = in.text();
  if (in.code() == 70) m_flags = static_cast<Adesk::Int16>(in.integer());
}

void AcDbSymbolTableRecord::dxfInDone(DxfInFiler&) {
  if (!m_name.empty()) return;
  // A record whose subclass marker is damaged still names itself in its
  // first group 2; without it the record could not be found by name and
  // the saved drawing would not read back.
  for (const DxfTag& tag : dxfTags())
    if (tag.code == 2) {
      m_name = DxfText::decode(tag.value);
      return;
    }
}

void AcDbSymbolTableRecord::dxfOutFields(const DxfGroup& group, DxfOutFiler& out) const {
  if (!group.is(recordMarker())) return;
  out.text(2, m_name);
  if (dxfOwns(group, 70)) out.integer(70, m_flags);
}
