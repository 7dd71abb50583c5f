#include "tools/PresBlock.h"

#include "host/AcadDrawing.h"
#include "resources/resource.h"
#include "spaces/BlockDWG.h"
#include "support/ZelphExceptions.h"
#include "tools/PresBlockEdit.h"
#include "tools/TabData.h"
#include "tools/TabFormat.h"

CPresBlock::CPresBlock(std::unique_ptr<CBlockDWG> space, CAcadDrawing* drawing, CWnd* parent, CPresBlockEdit* editor)
    : m_space(std::move(space)), m_drawing(drawing), m_parent(parent), m_editor(editor) {
  onClicked(IDC_SHEET_APPLY, [this] {
    ZELPH_TRY
      apply();
    ZELPH_COMMAND_CATCH(L"CPresBlock::OnBnClickedApply")
  });
  onClicked(IDC_SHEET_CANCEL, [this] { closeSheet(); });
  onClicked(IDC_SHEET_RESET, [this] {
    ZELPH_TRY
      m_tabs.fillPages(m_space.get(), m_drawing, m_parent, this);
    ZELPH_COMMAND_CATCH(L"CPresBlock::OnBnClickedReset")
  });
}

CPresBlock::~CPresBlock() = default;

BOOL CPresBlock::OnInitDialog() {
  CDialog::OnInitDialog();
  ZELPH_TRY
    m_tabs.SubclassDlgItem(IDC_SHEET_TABS, this);
    m_tabs.createPages();
    m_tabs.fillPages(m_space.get(), m_drawing, m_parent, this);
  ZELPH_COMMAND_CATCH(L"CPresBlock::OnInitDialog")
  return TRUE;
}

bool CPresBlock::apply() {
  ZELPH_TRY
    if (!m_tabs.format().applyChanges()) return false;
    m_tabs.data().applyChanges();
    CZelphExceptions errors;
    m_space->applyToDWG(*m_drawing, errors);
    if (errors.count() > 0) errors.displayMessageBoxes();
    m_drawing->regenDrawing();
    m_editor->refresh();
    return true;
  ZELPH_CATCH(L"CPresBlock::apply")
}

void CPresBlock::OnOK() {
  ZELPH_TRY
    if (apply()) closeSheet();
  ZELPH_COMMAND_CATCH(L"CPresBlock::OnOK")
}

void CPresBlock::OnCancel() { closeSheet(); }

// From the window frame too: the working copy is discarded.
void CPresBlock::OnClose() { closeSheet(); }

void CPresBlock::closeSheet() {
  ZELPH_TRY
    m_tabs.data().switchHighlightsOff();
    DestroyWindow();
    if (m_editor != nullptr) m_editor->sheetClosed();
  ZELPH_COMMAND_CATCH(L"CPresBlock::OnBnClickedCancel")
}

void CPresBlock::PostNcDestroy() {
  if (m_editor != nullptr) m_editor->forgetSheet(this);
  delete this;
}
