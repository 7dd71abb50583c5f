#include "tools/PresBlockCreation.h"

#include <cstdint>

#include "AcApDocManager.h"
#include "AcDbPolyline.h"
#include "CDataExchange.h"
#include "MessageBox.h"
#include "acutads.h"
#include "host/AcadDrawing.h"
#include "host/AcadUtilities.h"
#include "resources/ModuleResources.h"
#include "resources/resource.h"
#include "spaces/BlockDWG.h"
#include "spaces/Blocks.h"
#include "spaces/SpacePick.h"
#include "support/OnExit.h"
#include "support/Utilities.h"
#include "support/ZelphExceptions.h"
#include "tools/PresAbout.h"
#include "tools/PresPreferences.h"
#include "tools/SpaceOutline.h"

namespace {

const std::wstring kRoomPrefix = L"ROOM-";
constexpr int kRoomLevel = 7;

// Where the trailing number of a name starts: digits and commas run back
// from the end; a "." or anything else ends the run.
size_t trailingNumberStart(const std::wstring& name) {
  size_t start = name.size();
  while (start > 0) {
    const std::wstring character(1, name[start - 1]);
    if (character == L"." || !CUtilities::isNumeric(character)) break;
    --start;
  }
  return start;
}

std::int64_t trailingNumber(const std::wstring& name) {
  return CUtilities::CStringToInt64(name.substr(trailingNumberStart(name)));
}

}  // namespace

CPresBlockCreation::CPresBlockCreation(CWnd* parent) : m_parent(parent) { bindHandlers(); }

CPresBlockCreation::~CPresBlockCreation() = default;

void CPresBlockCreation::open() {
  ZELPH_TRY
    auto dialog = std::make_unique<CPresBlockCreation>();
    if (dialog->Create(IDD_BLOCK_CREATION) == FALSE) return;
    dialog->ShowWindow(SW_SHOWNORMAL);
    dialog.release();  // it deletes itself when it closes
  ZELPH_CATCH(L"CPresBlockCreation::open")
}

void CPresBlockCreation::bindHandlers() {
  onClicked(IDC_START, [this] { startSession(); });
  onClicked(IDC_ADD_AREA, [this] { changeAreas(true); });
  onClicked(IDC_SUB_AREA, [this] { changeAreas(false); });
  for (const int id : {IDC_TEXT_SIZE, IDC_TEXT_SCALE, IDC_TEXT_ROTATION})
    onChanged(id, [this, id] { fieldChanged(id); });
  onMenu(ID_FILE_EXIT, [this] { OnClose(); });
  onMenu(ID_TOOLS_OPTIONS, [this] { showOptions(); });
  onMenu(ID_HELP_ABOUT, [] {
    const CModuleResources::Scope resources;
    CPresAbout about;
    about.DoModal();
  });
}

BOOL CPresBlockCreation::OnInitDialog() {
  CDialog::OnInitDialog();
  ZELPH_TRY
    m_preferences.loadPreferences();
    m_nextBlockIdentifier = 0;
    m_drawing = std::make_unique<CAcadDrawing>();
    m_drawing->bindCurrentDocument();
    calcNextBlockIdentifier();
    getNextBlockDetails();
    m_textSize = m_preferences.getTextSize();
    m_textScale = m_preferences.getTextScale();
    m_textRotation = m_preferences.getTextRotation();
    UpdateData(FALSE);
  ZELPH_COMMAND_CATCH(L"CPresBlockCreation::OnInitDialog")
  return TRUE;
}

void CPresBlockCreation::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_NEXT_SPACE_NAME, m_nextSpaceName);
  DDX_Text(pDX, IDC_TEXT_SIZE, m_textSize);
  DDX_Text(pDX, IDC_TEXT_SCALE, m_textScale);
  DDX_Text(pDX, IDC_TEXT_ROTATION, m_textRotation);
}

void CPresBlockCreation::OnCancel() {
  if (!m_sessionRunning) DestroyWindow();
}

void CPresBlockCreation::OnClose() { OnCancel(); }

void CPresBlockCreation::PostNcDestroy() {
  m_drawing.reset();
  m_parent = nullptr;
  delete this;
}

void CPresBlockCreation::enableSessionButtons(bool enable) {
  for (const int id : {static_cast<int>(IDCANCEL), IDC_START, IDC_ADD_AREA, IDC_SUB_AREA})
    if (CWnd* button = GetDlgItem(id)) button->EnableWindow(enable ? TRUE : FALSE);
}

void CPresBlockCreation::enableFields(bool enable) {
  for (const int id : {IDC_TEXT_SIZE, IDC_TEXT_SCALE, IDC_TEXT_ROTATION})
    if (CWnd* field = GetDlgItem(id)) field->EnableWindow(enable ? TRUE : FALSE);
}

void CPresBlockCreation::startSession() {
  ZELPH_TRY
    UpdateData(TRUE);
    enableSessionButtons(false);
    m_sessionRunning = true;
    acutPrintf(L"\nBlock Creation Session Started\n");
    // Whatever a pick runs into, the session ends unlocked and with its
    // buttons back.
    const OnExit restore([this] {
      m_sessionRunning = false;
      enableSessionButtons(true);
      enableFields(true);
    });
    if (m_drawing->lock() == Acad::eOk) {
      const OnExit unlock([this] { m_drawing->unlock(); });
      runPicks();
    }
    acutPrintf(L"\nBlock Creation Session Ended\n");
  ZELPH_COMMAND_CATCH(L"CPresBlockCreation::startSession")
}

void CPresBlockCreation::runPicks() {
  for (;;) {
    enableFields(true);
    AcDbObjectId polylineId;
    if (CAcadUtilities::selectObjectId(polylineId, L"\nPlease select a polyline:\n", L"AcDbPolyline") !=
        CAcadUtilities::kPicked)
      return;
    takeOutline(polylineId);
  }
}

void CPresBlockCreation::takeOutline(AcDbObjectId polylineId) {
  ZELPH_TRY
    if (!CSpaceOutline::isClosedOutline(polylineId, false)) return;
    UpdateData(TRUE);
    if (m_preferences.getTextSize() <= 0.0) {
      m_preferences.setTextSize(1.0);
      m_preferences.savePreferences();
      m_textSize = 1.0;
      UpdateData(FALSE);
    }
    enableFields(false);
    if (createBlock(polylineId, m_preferences.getUnits(), m_preferences.getTextSize(), m_preferences.getTextScale(),
                    m_preferences.getTextRotation(), m_preferences.getPrecision())) {
      advancePastCreatedSpace();
    } else {
      calcNextBlockIdentifier();
      getNextBlockDetails();
    }
    UpdateData(FALSE);
  ZELPH_CATCH(L"CPresBlockCreation::takeOutline")
}

bool CPresBlockCreation::createBlock(AcDbObjectId polylineId, int units, double textSize, double textScale,
                                     double textRotation, int precision) {
  ZELPH_TRY
    CSpaceOutline outline(polylineId, units, precision);
    if (!outline.prepare(*m_drawing)) return false;
    UpdateData(TRUE);
    CBlockDWGRoom room;
    outline.fillSpace(room, m_nextSpaceName, kRoomPrefix + CUtilities::IntToCString(m_nextBlockIdentifier),
                      textSize, textScale, textRotation, false);
    if (m_existingSpaceNames.count(m_nextSpaceName) > 0 &&
        MessageBoxW(nullptr,
                    L"Room Name already exists in the drawing.\n\nDo you want another space of the same name "
                    L"creating?",
                    L"Duplicate Space Name", MB_YESNO) != IDYES)
      return false;
    const Acad::ErrorStatus status = outline.createBlockReference(room, *m_drawing, textSize, textScale, textRotation);
    if (status == Acad::eOk)
      acutPrintf(L"Block Created Successfully\n");
    else if (status == Acad::eDuplicateRecordName)
      acutPrintf(L"Block Already Exists\n");
    else
      acutPrintf(L"Block Creation Failed\n");
    return status == Acad::eOk;
  ZELPH_CATCH(L"CPresBlockCreation::createBlock")
}

void CPresBlockCreation::advancePastCreatedSpace() {
  ZELPH_TRY
    // The space just made is the newest and so, on a tie, the highest; the
    // drawing need not be read again, which would make a long session
    // slower with every space.
    ++m_nextBlockIdentifier;
    m_existingSpaceNames.insert(m_nextSpaceName);
    if (m_highestSpaceName.empty() || trailingNumber(m_nextSpaceName) >= trailingNumber(m_highestSpaceName))
      m_highestSpaceName = m_nextSpaceName;
    m_nextSpaceName = calcNextBlockName(m_highestSpaceName, m_preferences.getIncrement());
  ZELPH_CATCH(L"CPresBlockCreation::advancePastCreatedSpace")
}

void CPresBlockCreation::calcNextBlockIdentifier() {
  ZELPH_TRY
    m_nextBlockIdentifier = m_drawing != nullptr ? CBlocks::nextRoomNumber(*m_drawing) : 1;
  ZELPH_CATCH(L"CPresBlockCreation::calcNextBlockIdentifier")
}

void CPresBlockCreation::getNextBlockDetails() {
  ZELPH_TRY
    m_highestSpaceName = getHighestExistingBlockName();
    const std::wstring highest = m_highestSpaceName.empty() ? L"Room " : m_highestSpaceName;
    m_nextSpaceName = calcNextBlockName(highest, m_preferences.getIncrement());
  ZELPH_CATCH(L"CPresBlockCreation::getNextBlockDetails")
}

std::wstring CPresBlockCreation::getHighestExistingBlockName() {
  ZELPH_TRY
    m_existingSpaceNames.clear();
    std::wstring result;
    if (m_drawing == nullptr || !m_drawing->isOpen()) return result;
    CBlocks spaces;
    spaces.getZelphDWGBlocks_SS(*m_drawing, false, L'f');
    std::int64_t highest = 0;
    for (int index = 0; index < spaces.getCount(); ++index) {
      const CBlock* space = spaces.getAt(index);
      if (space->getLevel() != kRoomLevel) continue;
      const std::wstring& name = space->getName();
      m_existingSpaceNames.insert(name);
      const std::int64_t number = trailingNumber(name);
      if (number >= highest) {
        highest = number;
        result = name;
      }
    }
    return result;
  ZELPH_CATCH(L"CPresBlockCreation::getHighestExistingBlockName")
}

std::wstring CPresBlockCreation::calcNextBlockName(const std::wstring& name, int increment) {
  ZELPH_TRY
    const size_t start = trailingNumberStart(name);
    const std::wstring digits = name.substr(start);
    const std::int64_t number = digits.empty() ? 1 : CUtilities::CStringToInt64(digits) + increment;
    std::wstring text = std::to_wstring(number);
    if (text.size() < digits.size()) text.insert(0, digits.size() - text.size(), L'0');
    return name.substr(0, start) + text;
  ZELPH_CATCH(L"CPresBlockCreation::calcNextBlockName")
}

void CPresBlockCreation::fieldChanged(int id) {
  ZELPH_TRY
    std::wstring text = GetDlgItemText(id);
    const std::wstring typed = text;
    CUtilities::makeNumeric(text);
    if (text != typed) SetDlgItemText(id, text);
    UpdateData(TRUE);
    const double value = CUtilities::CStringToDouble(text);
    if (id == IDC_TEXT_SIZE)
      m_preferences.setTextSize(value);
    else if (id == IDC_TEXT_SCALE)
      m_preferences.setTextScale(value);
    else
      m_preferences.setTextRotation(value);
    m_preferences.savePreferences();
  ZELPH_COMMAND_CATCH(L"CPresBlockCreation::fieldChanged")
}

void CPresBlockCreation::showOptions() {
  ZELPH_TRY
    const CModuleResources::Scope resources;
    CPresPreferences options;
    options.DoModal();
    CPreferences chosen;
    chosen.loadPreferences();
    m_preferences.setUnits(chosen.getUnits());
    m_preferences.setPrecision(chosen.getPrecision());
    m_preferences.setTextSize(chosen.getTextSize());
    m_preferences.setCsvOpener(chosen.getCsvOpener());
    m_preferences.setZoomBorder(chosen.getZoomBorder());
    m_textSize = chosen.getTextSize();
    m_textScale = chosen.getTextScale();
    m_textRotation = chosen.getTextRotation();
    acutPrintf(L"Units set to %s\n", m_preferences.getUnits() == 0 ? L"M\u00B2" : L"FT\u00B2");
    UpdateData(FALSE);
  ZELPH_COMMAND_CATCH(L"CPresBlockCreation::showOptions")
}

void CPresBlockCreation::changeAreas(bool add) {
  ZELPH_TRY
    CAcadDrawing drawing;
    drawing.bindCurrentDocument();
    ShowWindow(SW_MINIMIZE);
    const OnExit restore([this] { ShowWindow(SW_RESTORE); });
    CBlockDWG space;
    if (CSpacePick::userSelectZelphBlock(drawing.getDocument(), space) != 1) {
      acutPrintf(L"\nInvalid Space - Aborting...\n");
      return;
    }
    AcDbObjectIdArray ids;
    CAcadUtilities::selectObjectIds(ids, add ? L"Please Select Areas to Add"
                                             : L"Please Select Areas to Subtract (selected room/space blocks will be "
                                               L"ignored)");
    if (ids.empty()) {
      if (!add) acutPrintf(L"\nInvalid Areas to Subtract - Aborting...\n");
      return;
    }
    if (add)
      space.setHandlesToAdd(ids);
    else
      space.setHandlesToMinus(ids);
    space.setPrecision(m_preferences.getPrecision());
    space.setUnits(m_preferences.getUnits());
    space.recalculateArea(drawing.getDocument());
    space.recalculatePerimeter(drawing.getDocument());
    CZelphExceptions errors;
    space.applyToDWG(drawing, errors);
    errors.displayMessageBoxes();
  ZELPH_COMMAND_CATCH(add ? L"CPresBlockCreation::OnBnClickedCmdAdd" : L"CPresBlockCreation::OnCmdSubArea")
}
