#include "tools/PresBlockEdit.h"

#include "AcDbObjectPointer.h"
#include "CDataExchange.h"
#include "acutads.h"
#include "host/AcadDrawing.h"
#include "host/AcadUtilities.h"
#include "resources/ModuleResources.h"
#include "resources/resource.h"
#include "spaces/BlockDWG.h"
#include "spaces/Blocks.h"
#include "spaces/ZelphAttribute.h"
#include "support/Preferences.h"
#include "support/Utilities.h"
#include "support/ZelphExceptions.h"
#include "tools/PresAbout.h"
#include "tools/PresBlock.h"
#include "tools/PresPreferences.h"

namespace {

const std::wstring kRoomPrefix = L"ROOM-";
constexpr int kRoomLevel = 7;
constexpr int kListRooms = 0;
// Keeps the handle out of the visible width of the list: it is the text
// after the entry's last blank.
constexpr size_t kHandleGap = 200;

std::wstring handleOfEntry(const std::wstring& entry) {
  const size_t blank = entry.find_last_of(L' ');
  return blank == std::wstring::npos ? entry : entry.substr(blank + 1);
}

std::wstring nameOf(const CBlockDWG& space) {
  const CAttribute* name = space.getAttributes() != nullptr ? space.getAttributes()->getAtAttribute(CZelphAttribute::kName)
                                                             : nullptr;
  return name != nullptr ? name->getValue() : std::wstring();
}

}  // namespace

CPresBlockEdit::CPresBlockEdit(CWnd* parent) : m_parent(parent) { bindHandlers(); }

CPresBlockEdit::~CPresBlockEdit() = default;

void CPresBlockEdit::open() {
  ZELPH_TRY
    auto editor = std::make_unique<CPresBlockEdit>();
    if (editor->Create(IDD_BLOCK_EDIT) == FALSE) {
      acutPrintf(L"unable to create the edit dialog box\n");
      return;
    }
    editor->ShowWindow(SW_SHOWNORMAL);
    editor.release();  // it deletes itself when it closes
  ZELPH_CATCH(L"CPresBlockEdit::open")
}

void CPresBlockEdit::bindHandlers() {
  onClicked(IDC_EDIT_SELECT, [this] { OnCmdSelect(); });
  onDoubleClicked(IDC_EDIT_LIST, [this] { openSelected(); });
  onSelectionChanged(IDC_EDIT_KIND, [this] {
    ZELPH_TRY
      refresh();
    ZELPH_COMMAND_CATCH(L"CPresBlockEdit::OnCbnSelchangeCmbBlockType")
  });
  onClicked(IDC_EDIT_CLOSE, [this] { OnClose(); });
  onMenu(ID_FILE_EXIT, [this] { OnClose(); });
  onMenu(ID_TOOLS_OPTIONS, [this] { showOptions(); });
  onMenu(ID_HELP_ABOUT, [] {
    const CModuleResources::Scope resources;
    CPresAbout about;
    about.DoModal();
  });
}

BOOL CPresBlockEdit::OnInitDialog() {
  CDialog::OnInitDialog();
  ZELPH_TRY
    m_preferences = std::make_unique<CPreferences>();
    m_preferences->loadPreferences();
    m_drawing = std::make_unique<CAcadDrawing>();
    m_drawing->bindCurrentDocument();
    SetWindowText(L"Zelph Block Editor");
    m_drawingName = m_drawing->getName();
    auto* kind = static_cast<CComboBox*>(GetDlgItem(IDC_EDIT_KIND));
    kind->AddString(L"Rooms/Spaces");
    kind->AddString(L"Gross Area");
    kind->SetCurSel(kListRooms);
    UpdateData(FALSE);
    refresh();
  ZELPH_COMMAND_CATCH(L"CPresBlockEdit::OnInitDialog")
  return TRUE;
}

void CPresBlockEdit::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_EDIT_DRAWING_NAME, m_drawingName);
}

void CPresBlockEdit::refresh() {
  ZELPH_TRY
    auto* list = static_cast<CListBox*>(GetDlgItem(IDC_EDIT_LIST));
    list->ResetContent();
    m_blocks = std::make_unique<CBlocks>();
    m_blocks->getZelphDWGBlocks_SS(*m_drawing, false, L'f');
    const bool rooms = static_cast<CComboBox*>(GetDlgItem(IDC_EDIT_KIND))->GetCurSel() == kListRooms;
    int added = 0;
    for (int index = 0; index < m_blocks->getCount(); ++index) {
      const auto* space = static_cast<const CBlockDWG*>(m_blocks->getAt(index));
      if (space->getBlockName().compare(0, kRoomPrefix.size(), kRoomPrefix) != 0) continue;
      if ((space->getLevel() == kRoomLevel) != rooms) continue;
      list->AddString(nameOf(*space) + std::wstring(kHandleGap, L' ') + space->getHandle());
      ++added;
    }
    SetDlgItemText(IDC_EDIT_COUNT, CUtilities::IntToCString(added) + L" item(s) found.");
  ZELPH_CATCH(L"CPresBlockEdit::refresh")
}

void CPresBlockEdit::OnCmdSelect() {
  ZELPH_TRY
    ShowWindow(SW_MINIMIZE);
    AcDbObjectId id;
    if (CAcadUtilities::selectObjectId(id, L"\nPlease select a space\n", L"AcDbBlockReference") !=
        CAcadUtilities::kPicked) {
      ShowWindow(SW_RESTORE);
      return;
    }
    ACHAR handle[17];
    {
      const AcDbObjectPointer<AcDbObject> object(id, AcDb::kForRead);
      ZELPH_CHECK_STATUS(object.openStatus(), L"CPresBlockEdit::OnCmdSelect",
                         m_drawing->getFolder() + m_drawing->getName());
      object->handle().getIntoAsciiBuffer(handle);
    }
    try {
      showBlock(handle);
    } catch (CEXZelph* failure) {
      std::unique_ptr<CEXZelph> record(failure);
      if (dynamic_cast<CEXInvalidHandle*>(failure) == nullptr) throw record.release();
      ShowWindow(SW_RESTORE);
      acutPrintf(L"The specified AcDbBlockReference cannot be found in the list of Zelph blocks.  The selected "
                 L"object may not be a Zelph block.");
    }
  ZELPH_COMMAND_CATCH(L"CPresBlockEdit::OnCmdSelect")
}

void CPresBlockEdit::openSelected() {
  ZELPH_TRY
    const auto* list = static_cast<CListBox*>(GetDlgItem(IDC_EDIT_LIST));
    std::wstring entry;
    list->GetText(list->GetCurSel(), entry);
    showBlock(handleOfEntry(entry));
  ZELPH_COMMAND_CATCH(L"CPresBlockEdit::OnLbnDblclkLstBlocks")
}

void CPresBlockEdit::showBlock(const std::wstring& handle) {
  ZELPH_TRY
    const CBlock* found = m_blocks->getAt(handle);
    if (found == nullptr) throw new CEXInvalidHandle(ZELPH_BANNER, ZELPH_SOURCE, L"CPresBlockEdit::showBlock", handle);
    auto copy = std::make_unique<CBlockDWG>();
    static_cast<const CBlockDWG*>(found)->copyInto(copy.get());
    // A space measured in other units is converted, not merely relabelled.
    const CBlockDWG::LinkedLabels linked = copy->linkedLabels();
    if (copy->getUnits() < 0)
      copy->setUnits(m_preferences->getUnits());
    else
      copy->convertUnits(m_preferences->getUnits());
    copy->setPrecision(m_preferences->getPrecision());
    copy->relabel(linked);
    auto sheet = std::make_unique<CPresBlock>(std::move(copy), m_drawing.get(), m_parent, this);
    const CModuleResources::Scope resources;
    if (sheet->Create(IDD_SPACE_SHEET) == FALSE) return;
    sheet->ShowWindow(SW_SHOW);
    m_sheet = sheet.release();  // it deletes itself when it closes
    ShowWindow(SW_HIDE);
  ZELPH_CATCH(L"CPresBlockEdit::showBlock")
}

void CPresBlockEdit::sheetClosed() {
  ZELPH_TRY
    refresh();
    ShowWindow(SW_SHOW);
  ZELPH_CATCH(L"CPresBlockEdit::sheetClosed")
}

void CPresBlockEdit::forgetSheet(const CPresBlock* sheet) {
  if (m_sheet == sheet) m_sheet = nullptr;
}

void CPresBlockEdit::showOptions() {
  ZELPH_TRY
    {
      const CModuleResources::Scope resources;
      CPresPreferences options;
      options.DoModal();
    }
    // What the dialog stored is what the spaces are converted to.
    m_preferences->loadPreferences();
    refresh();
    CZelphExceptions errors;
    for (int index = 0; index < m_blocks->getCount(); ++index) {
      auto* space = static_cast<CBlockDWG*>(m_blocks->getAt(index));
      if (space->getUnits() == m_preferences->getUnits()) continue;
      // The labels that showed the stored values show them in the new units.
      const CBlockDWG::LinkedLabels linked = space->linkedLabels();
      space->convertUnits(m_preferences->getUnits());
      space->relabel(linked);
      space->applyToDWG(*m_drawing, errors);
    }
    if (errors.count() > 0) errors.displayMessageBoxes();
    m_drawing->regenDrawing();
  ZELPH_COMMAND_CATCH(L"CPresBlockEdit::OnToolsOptions")
}

void CPresBlockEdit::OnCancel() {
  ZELPH_TRY
    // The editor changes no preference (Options saves its own), so it writes
    // none back: that would undo what mprefs or the creator saved meanwhile.
    m_preferences.reset();
    m_drawing.reset();
    m_blocks.reset();
    DestroyWindow();
  ZELPH_COMMAND_CATCH(L"CPresBlockEdit::OnBnClickedCancel")
}

void CPresBlockEdit::OnClose() { OnCancel(); }

void CPresBlockEdit::PostNcDestroy() {
  if (m_sheet != nullptr) m_sheet->DestroyWindow();
  delete this;
}
