#include "tools/TabFormat.h"

#include <memory>

#include "AcDbDatabase.h"
#include "CDataExchange.h"
#include "aced.h"
#include "host/AcadDrawing.h"
#include "host/AcadUtilities.h"
#include "resources/resource.h"
#include "spaces/BlockDWG.h"
#include "support/ZelphExceptions.h"
#include "tools/PresBlock.h"

CTabFormat::CTabFormat() {
  onClicked(IDC_FORMAT_MOVE, [this] { moveAttributes(); });
}

void CTabFormat::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_FORMAT_HEIGHT, m_height);
  DDX_Text(pDX, IDC_FORMAT_ROTATION, m_rotation);
  DDV_MinMaxDouble(pDX, m_rotation, 0.0, 360.0);
  DDX_Text(pDX, IDC_FORMAT_WIDTH_FACTOR, m_widthFactor);
}

void CTabFormat::initialiseData(CBlockDWG* space, CAcadDrawing* drawing, CWnd* parent, CPresBlock* sheet) {
  ZELPH_TRY
    m_space = space;
    m_drawing = drawing;
    m_parent = parent;
    m_sheet = sheet;
    if (space->getAttributes() == nullptr) space->setAttributes(std::make_unique<CAttributes>());
    const CAttributes& attributes = *space->getAttributes();
    m_height = attributes.getTextHeight();
    m_widthFactor = attributes.getWidthFactor();
    m_rotation = attributes.getRotation();
    UpdateData(FALSE);
  ZELPH_CATCH(L"CTabFormat::initialiseData")
}

bool CTabFormat::applyChanges() {
  ZELPH_TRY
    if (UpdateData(TRUE) == FALSE) return false;
    CAttributes& attributes = *m_space->getAttributes();
    attributes.setTextHeight(m_height);
    attributes.setWidthFactor(m_widthFactor);
    attributes.setRotation(m_rotation);
    return true;
  ZELPH_CATCH(L"CTabFormat::applyChanges")
}

void CTabFormat::moveAttributes() {
  ZELPH_TRY
    m_sheet->ShowWindow(SW_MINIMIZE);
    ads_point picked;
    if (acedGetPoint(nullptr, L"\nPlease select a position for the Attributes\n", picked) != RTNORM) {
      m_sheet->ShowWindow(SW_RESTORE);
      return;
    }
    m_sheet->ShowWindow(SW_RESTORE);
    if (m_drawing->lock() != Acad::eOk) return;
    try {
      const AcGePoint3d anchor = CAcadUtilities::convertUCSToWCS(AcGePoint3d(picked[X], picked[Y], picked[Z]));
      AcGeMatrix3d ucs;
      acdbUcsMatrix(ucs, m_drawing->getDatabase());
      m_space->updateAttributes(ucs, &anchor);
    } catch (...) {
      m_drawing->unlock();
      throw;
    }
    m_drawing->unlock();
  ZELPH_COMMAND_CATCH(L"CTabFormat::OnBnClickedCmdMoveAttributes")
}
