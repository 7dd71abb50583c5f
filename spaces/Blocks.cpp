#include "spaces/Blocks.h"

#include <algorithm>
#include <cstdint>

#include "AcDbBlockReference.h"
#include "AcDbBlockTable.h"
#include "AcDbBlockTableRecord.h"
#include "AcDbDatabase.h"
#include "AcDbObjectPointer.h"
#include "CException.h"
#include "TextCodec.h"
#include "aced.h"
#include "host/AcadDrawing.h"
#include "host/AcadUtilities.h"
#include "host/SelectionSet.h"
#include "host/StatusBarProgress.h"
#include "spaces/Block.h"
#include "spaces/BlockDWG.h"
#include "spaces/MarkerBlockLegend.h"
#include "spaces/MarkerBlockPie.h"
#include "support/TextCase.h"
#include "support/Utilities.h"
#include "support/XMLUtilities.h"
#include "support/ZelphExceptions.h"

namespace {

const std::wstring kRoomPrefix = L"ROOM-";
const std::wstring kGrossAreaBlock = L"ROOM-GROSS_AREA";
const std::wstring kGrossAreaName = L"GROSS AREA";
const std::wstring kLegendMarker = CMarkerBlockLegend::kKind.blockName;

int selectBlocks(ads_name selection, const wchar_t* blockName) {
  const AcResBufPtr filter(blockName != nullptr ? acutBuildList(RTDXF0, L"INSERT", 2, blockName, 0)
                                               : acutBuildList(RTDXF0, L"INSERT", 0));
  return acedSSGet(L"X", nullptr, nullptr, filter.get(), selection);
}

std::wstring definitionName(const AcDbBlockReference& reference) {
  std::wstring name;
  const AcDbObjectPointer<AcDbBlockTableRecord> block(reference.blockTableRecord(), AcDb::kForRead);
  if (block) block->getName(name);
  return name;
}

}  // namespace

CBlocks::Entry& CBlocks::Entry::operator=(Entry&& other) noexcept {
  if (this != &other) {
    if (m_block != nullptr) m_destroy(m_block);
    m_block = other.m_block;
    m_destroy = other.m_destroy;
    other.m_block = nullptr;
  }
  return *this;
}

CBlocks::CBlocks() = default;

CBlocks::~CBlocks() { deleteObjects(); }

void CBlocks::append(Entry entry) {
  ZELPH_TRY
    if (!m_indexStale) m_byHandle.emplace(wideToUtf8(entry.get()->getHandle()), m_entries.size());
    m_entries.push_back(std::move(entry));
  ZELPH_CATCH(L"CBlocks::addBlock")
}

void CBlocks::reserveMore(size_t count) {
  m_entries.reserve(m_entries.size() + count);
  if (!m_indexStale) m_byHandle.reserve(m_byHandle.size() + count);
}

void CBlocks::checkIndex(int index) const {
  if (index < 0 || static_cast<size_t>(index) >= m_entries.size()) AfxThrowInvalidArgException();
}

CBlock* CBlocks::getAt(int index) const {
  ZELPH_TRY
    checkIndex(index);
    return m_entries[static_cast<size_t>(index)].get();
  ZELPH_CATCH(L"CBlocks::getAt")
}

void CBlocks::rebuildIndex() const {
  m_byHandle.clear();
  m_byHandle.reserve(m_entries.size());
  for (size_t position = 0; position < m_entries.size(); ++position)
    m_byHandle.emplace(wideToUtf8(m_entries[position].get()->getHandle()), position);  // the first entry keeps its place
  m_indexStale = false;
}

CBlock* CBlocks::getAt(const std::wstring& handle) const {
  ZELPH_TRY
    const int index = indexOf(handle);
    return index >= 0 ? m_entries[static_cast<size_t>(index)].get() : nullptr;
  ZELPH_CATCH(L"CBlocks::getAt")
}

int CBlocks::indexOf(const std::wstring& handle) const {
  ZELPH_TRY
    if (m_indexStale) rebuildIndex();
    const std::string key = wideToUtf8(handle);
    auto found = m_byHandle.find(key);
    // An entry's handle may have been changed since it was indexed.
    if (found != m_byHandle.end() && m_entries[found->second].get()->getHandle() != handle) {
      rebuildIndex();
      found = m_byHandle.find(key);
    }
    return found != m_byHandle.end() ? static_cast<int>(found->second) : -1;
  ZELPH_CATCH(L"CBlocks::indexOf")
}

void CBlocks::replace(int index, Entry entry) {
  ZELPH_TRY
    checkIndex(index);
    m_entries[static_cast<size_t>(index)] = std::move(entry);
    m_indexStale = true;
  ZELPH_CATCH(L"CBlocks::replaceAt")
}

int CBlocks::getCount() const { return static_cast<int>(m_entries.size()); }

void CBlocks::deleteObjects() {
  ZELPH_TRY
    m_entries.clear();
    m_byHandle.clear();
    m_indexStale = false;
  ZELPH_CATCH(L"CBlocks::deleteObjects")
}

void CBlocks::sortBlocksByHandle(bool ascending) {
  ZELPH_TRY
    std::vector<std::pair<std::int32_t, size_t>> keys;
    keys.reserve(m_entries.size());
    for (size_t position = 0; position < m_entries.size(); ++position)
      keys.emplace_back(CUtilities::_httoi(m_entries[position].get()->getHandle()), position);
    std::stable_sort(keys.begin(), keys.end(), [ascending](const auto& a, const auto& b) {
      return ascending ? a.first < b.first : a.first > b.first;
    });
    std::vector<Entry> sorted;
    sorted.reserve(m_entries.size());
    for (const auto& key : keys) sorted.push_back(std::move(m_entries[key.second]));
    m_entries = std::move(sorted);
    m_indexStale = true;
  ZELPH_CATCH(L"CBlocks::sortBlocksByHandle")
}

int CBlocks::nextRoomNumber(const CAcadDrawing& drawing) {
  ZELPH_TRY
    std::int32_t highest = 0;
    AcDbDatabase* database = drawing.isOpen() ? drawing.getDatabase() : nullptr;
    if (database == nullptr) return highest + 1;
    const AcDbObjectPointer<AcDbBlockTable> table(database->blockTableId(), AcDb::kForRead);
    if (!table) return highest + 1;
    for (const AcDbObjectId& id : table->recordIds()) {
      const AcDbObjectPointer<AcDbBlockTableRecord> block(id, AcDb::kForRead);
      if (!block) continue;
      std::wstring name;
      block->getName(name);
      if (CTextCase::upper(name.substr(0, kRoomPrefix.size())) == kRoomPrefix)
        highest = std::max(highest, CUtilities::CStringToLong(name.substr(kRoomPrefix.size())));
    }
    return highest + 1;
  ZELPH_CATCH(L"CBlocks::nextRoomNumber")
}

std::wstring CBlocks::readNameFromXData(const AcDbBlockReference* reference) {
  ZELPH_TRY
    AcResBufPtr record(reference->xData(L"ADE"));
    if (record == nullptr) record.reset(reference->xData(L"AECXDATA"));
    std::wstring name;
    for (const resbuf* item = record.get(); item != nullptr; item = item->rbnext) {
      if (item->restype != 1000 || item->resval.rstring == nullptr) continue;
      const std::wstring text = item->resval.rstring;
      if (text.compare(0, 5, L"NAME=") == 0) {
        name = CAcadUtilities::extractData(0x11, text);
        break;
      }
    }
    return name;
  ZELPH_CATCH(L"CBlocks::readNameFromXData")
}

int CBlocks::getAcadBlockSS(ads_name selection) {
  ZELPH_TRY
    return selectBlocks(selection, nullptr);
  ZELPH_CATCH(L"CBlocks::getAcadBlockSS")
}

int CBlocks::getZelphBlockSS(ads_name selection) {
  ZELPH_TRY
    return selectBlocks(selection, L"ROOM-*");
  ZELPH_CATCH(L"CBlocks::getZelphBlockSS")
}

int CBlocks::getLegendBlockSS(ads_name selection) {
  ZELPH_TRY
    return selectBlocks(selection, kLegendMarker.c_str());
  ZELPH_CATCH(L"CBlocks::getLegendBlockSS")
}

int CBlocks::getPieBlockSS(ads_name selection) {
  ZELPH_TRY
    return selectBlocks(selection, CMarkerBlockPie::kKind.blockName);
  ZELPH_CATCH(L"CBlocks::getPieBlockSS")
}

template <class Make>
void CBlocks::listSelection(CAcadDrawing& drawing, int (*select)(ads_name), Make makeBlock) {
  if (drawing.lock() != Acad::eOk) return;
  const auto finish = [&drawing] {
    drawing.zoomPrevious();
    drawing.unlock();
  };
  try {
    drawing.zoomExtents();
    const CSelectionSet selection(select);
    const std::vector<AcDbObjectId> ids = selection.ids();
    reserveMore(ids.size());
    CStatusBarProgress progress(L"Reading spaces", static_cast<int>(ids.size()));
    for (const AcDbObjectId& id : ids) {
      progress.step();
      const AcDbObjectPointer<AcDbBlockReference> reference(id, AcDb::kForRead);
      if (reference) makeBlock(reference.object(), definitionName(*reference.object()));
    }
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

void CBlocks::getAcadBlocks(CAcadDrawing& drawing) {
  ZELPH_TRY
    AcApDocument* document = drawing.getDocument();
    listSelection(drawing, &CBlocks::getAcadBlockSS, [this, document](AcDbBlockReference* reference, const std::wstring&) {
      addBlock(std::make_unique<CBlockDWG>(reference, document));
    });
  ZELPH_CATCH(L"CBlocks::getAcadBlocks")
}

void CBlocks::getZelphDWGBlocks_SS(CAcadDrawing& drawing, bool withOutline, wchar_t kind) {
  ZELPH_TRY
    AcApDocument* document = drawing.getDocument();
    listSelection(drawing, &CBlocks::getZelphBlockSS,
                  [this, document, withOutline, kind](AcDbBlockReference* reference, const std::wstring& blockName) {
                    if (blockName == kLegendMarker) return;
                    const bool grossArea = blockName == kGrossAreaBlock || readNameFromXData(reference) == kGrossAreaName;
                    if (kind == L'f' && grossArea)
                      addBlock(std::make_unique<CBlockDWGFloor>(reference, document));
                    else if (kind == L'f')
                      addBlock(std::make_unique<CBlockDWGRoom>(reference, document, withOutline));
                    else if (grossArea)
                      addBlock(std::make_unique<CBlockDWGSite>(reference, document));
                    else
                      addBlock(std::make_unique<CBlockDWGBuilding>(reference, document));
                  });
  ZELPH_CATCH(L"CBlocks::getZelphDWGBlocks_SS")
}

void CBlocks::getLegendBlock_SS(CAcadDrawing& drawing) {
  ZELPH_TRY
    listSelection(drawing, &CBlocks::getLegendBlockSS, [this](AcDbBlockReference* reference, const std::wstring& name) {
      if (name == CMarkerBlockLegend::kKind.blockName) addBlock(std::make_unique<CMarkerBlockLegend>(*reference));
    });
  ZELPH_CATCH(L"CBlocks::getLegendBlock_SS")
}

void CBlocks::getPieBlock_SS(CAcadDrawing& drawing) {
  ZELPH_TRY
    listSelection(drawing, &CBlocks::getPieBlockSS, [this](AcDbBlockReference* reference, const std::wstring& name) {
      if (name == CMarkerBlockPie::kKind.blockName) addBlock(std::make_unique<CMarkerBlockPie>(*reference));
    });
  ZELPH_CATCH(L"CBlocks::getPieBlock_SS")
}

void CBlocks::deSerialize(pugi::xml_node node, const CHatch* hatch) {
  ZELPH_TRY
    CXMLUtilities::readItems<CBlockDWG>(
        node, "zelphBlock", [this](std::unique_ptr<CBlockDWG> space) { addBlock(std::move(space)); }, hatch);
  ZELPH_CATCH(L"CBlocks::deSerialize")
}
