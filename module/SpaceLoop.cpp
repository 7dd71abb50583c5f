#include "module/SpaceLoop.h"

#include "acutads.h"
#include "host/DrawingTransaction.h"

CSpaceLoop::CSpaceLoop() {
  ZELPH_TRY
    m_drawing.bindCurrentDocument();
    m_spaces.getZelphDWGBlocks_SS(m_drawing, false, L'f');
  ZELPH_CATCH(L"CSpaceLoop::CSpaceLoop")
}

CSpaceLoop::~CSpaceLoop() = default;

CBlockDWG& CSpaceLoop::getAt(int index) const {
  ZELPH_TRY
    return *static_cast<CBlockDWG*>(m_spaces.getAt(index));
  ZELPH_CATCH(L"CSpaceLoop::getAt")
}

bool CSpaceLoop::isLocked(const CBlockDWG& space) const {
  ZELPH_TRY
    const std::wstring layer = space.lockedLayer();
    if (layer.empty()) return false;
    acutPrintf(L"%s\n", space.lockedMessage(layer).c_str());
    return true;
  ZELPH_CATCH(L"CSpaceLoop::isLocked")
}

void CSpaceLoop::writeBack(CBlockDWG& space) {
  ZELPH_TRY
    CZelphExceptions errors;
    // A space is written whole or not at all: one that fails half-way (a
    // locked layer) is left as it was.
    CDrawingTransaction transaction;
    space.applyToDWG(m_drawing, errors);
    if (errors.count() == 0) transaction.commit();
    errors.displayMessageBoxes();
  ZELPH_CATCH(L"CSpaceLoop::writeBack")
}
