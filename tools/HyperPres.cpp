#include "tools/HyperPres.h"

#include "AcDbBlockReference.h"
#include "AcDbObjectPointer.h"
#include "CDataExchange.h"
#include "MessageBox.h"
#include "acutads.h"
#include "host/AcadDrawing.h"
#include "host/AcadDrawingLock.h"
#include "host/AcadUtilities.h"
#include "resources/resource.h"
#include "spaces/BlockDWG.h"
#include "spaces/Blocks.h"
#include "spaces/Hyperlinks.h"
#include "support/OnExit.h"
#include "support/Utilities.h"
#include "support/ZelphExceptions.h"

namespace {

constexpr int kAddressIds[CHyperPres::kRows] = {IDC_LINK_ADDRESS_1, IDC_LINK_ADDRESS_2, IDC_LINK_ADDRESS_3,
                                                IDC_LINK_ADDRESS_4, IDC_LINK_ADDRESS_5};
constexpr int kDescriptionIds[CHyperPres::kRows] = {IDC_LINK_DESCRIPTION_1, IDC_LINK_DESCRIPTION_2,
                                                    IDC_LINK_DESCRIPTION_3, IDC_LINK_DESCRIPTION_4,
                                                    IDC_LINK_DESCRIPTION_5};
const std::wstring kNotSelected = L"Block not Selected";
const std::wstring kSpacePrefix = L"ROOM-";

}  // namespace

CHyperPres::CHyperPres(CWnd* parent) : m_blockName(kNotSelected), m_blockHandle(kNotSelected), m_parent(parent) {
  bindHandlers();
}

CHyperPres::~CHyperPres() = default;

void CHyperPres::open() {
  ZELPH_TRY
    auto dialog = std::make_unique<CHyperPres>();
    if (dialog->Create(IDD_HYPERLINK) == FALSE) return;
    dialog->ShowWindow(SW_SHOWNORMAL);
    dialog.release();  // it deletes itself when it closes
  ZELPH_CATCH(L"CHyperPres::open")
}

void CHyperPres::bindHandlers() {
  onClicked(IDC_LINK_SELECT, [this] { selectBlock(); });
  onClicked(IDC_LINK_APPLY, [this] { apply(); });
  onClicked(IDC_LINK_CANCEL, [this] { OnCancel(); });
  for (int row = 0; row < kRows; ++row) onChanged(kAddressIds[row], [this, row] { addressChanged(row); });
}

BOOL CHyperPres::OnInitDialog() {
  CDialog::OnInitDialog();
  ZELPH_TRY
    m_drawing = std::make_unique<CAcadDrawing>();
    m_drawing->bindCurrentDocument();
    acutPrintf(L"Please select a block to hyperlink\n");
    enableApplying(false);
  ZELPH_COMMAND_CATCH(L"CHyperPres::OnInitDialog")
  return TRUE;
}

void CHyperPres::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  for (int row = 0; row < kRows; ++row) {
    DDX_Text(pDX, kDescriptionIds[row], m_descriptions[static_cast<size_t>(row)]);
    DDX_Text(pDX, kAddressIds[row], m_addresses[static_cast<size_t>(row)]);
  }
  DDX_Check(pDX, IDC_LINK_ALL, m_applyToAll);
  DDX_Text(pDX, IDC_LINK_BLOCK_NAME, m_blockName);
  DDX_Text(pDX, IDC_LINK_BLOCK_HANDLE, m_blockHandle);
}

void CHyperPres::enableApplying(bool enable) {
  for (const int id : {static_cast<int>(IDOK), static_cast<int>(IDC_LINK_APPLY)})
    if (CWnd* button = GetDlgItem(id)) button->EnableWindow(enable ? TRUE : FALSE);
}

void CHyperPres::selectBlock() {
  ZELPH_TRY
    UpdateData(TRUE);
    ShowWindow(SW_MINIMIZE);
    const OnExit restore([this] { ShowWindow(SW_RESTORE); });
    AcDbObjectId id;
    if (!CAcadUtilities::selectObjectId(id, L"\nSelect a Block: ")) {
      acutPrintf(L"A new block has not been selected\n");
      return;
    }
    acutPrintf(L" \n \n");
    if (id.objectClass() == nullptr || std::wstring(id.objectClass()->name()) != L"AcDbBlockReference") return;
    setCurrentAcadBlock(id);
    enableApplying(true);
    acutPrintf(L"Block Selected\n");
  ZELPH_COMMAND_CATCH(L"CHyperPres::OnBnClickedCmdSelectBlock")
}

void CHyperPres::setCurrentAcadBlock(AcDbObjectId id) {
  ZELPH_TRY
    {
      const CAcadDrawingLock lock(*m_drawing);
      AcDbObjectPointer<AcDbBlockReference> reference(id, AcDb::kForRead);
      if (reference) m_block = std::make_unique<CBlockDWG>(reference.object(), m_drawing->getDocument());
    }
    m_descriptions.fill(L"");
    m_addresses.fill(L"");
    m_applyToAll = 0;
    if (m_block == nullptr) return;
    m_blockName = m_block->getBlockName();
    m_blockHandle = m_block->getHandle();
    const CHyperlinks* links = m_block->getHyperlinks();
    for (int row = 0; links != nullptr && row < kRows && row < links->getCount(); ++row) {
      m_addresses[static_cast<size_t>(row)] = links->getAt(row)->getAddress();
      m_descriptions[static_cast<size_t>(row)] = links->getAt(row)->getDescription();
    }
    UpdateData(FALSE);
  ZELPH_CATCH(L"CHyperPres::setCurrentAcadBlock")
}

void CHyperPres::addressChanged(int row) {
  ZELPH_TRY
    // Every change of an address comes here, so the row still holds the
    // address as it was before this one.
    const std::wstring previous = m_addresses[static_cast<size_t>(row)];
    UpdateData(TRUE);
    std::wstring& description = m_descriptions[static_cast<size_t>(row)];
    const std::wstring& address = m_addresses[static_cast<size_t>(row)];
    // The description follows the address while it is a copy of it, until
    // the user writes one of their own.
    if (description.empty() || description == previous || address.empty()) description = address;
    UpdateData(FALSE);
  ZELPH_COMMAND_CATCH(L"CHyperPres::OnEnChangeTxtHyperlink")
}

std::unique_ptr<CHyperlinks> CHyperPres::readRows() {
  UpdateData(TRUE);
  auto links = std::make_unique<CHyperlinks>();
  for (size_t row = 0; row < kRows; ++row) {
    if (m_addresses[row].empty()) continue;
    if (m_descriptions[row].empty()) m_descriptions[row] = m_addresses[row];
    links->add(std::make_unique<CHyperlink>(m_addresses[row], m_descriptions[row]));
  }
  UpdateData(FALSE);
  return links;
}

void CHyperPres::apply() {
  ZELPH_TRY
    if (m_block == nullptr) return;
    const std::unique_ptr<CHyperlinks> links = readRows();
    const AcDbObjectId chosen = m_block->getObjectId();
    try {
      if (m_applyToAll != 0)
        hyperlinkAllBlocks(*links);
      else
        hyperlinkBlock(*links);
      // The dialog shows what the drawing now holds.
      setCurrentAcadBlock(chosen);
    } catch (CEXZelph*) {
      acutPrintf(L"Unable to hyperlink block(s).\n");
      throw;
    }
  ZELPH_COMMAND_CATCH(L"CHyperPres::OnBnClickedCmdApply")
}

void CHyperPres::writeLinks(CBlockDWG& block, const CHyperlinks& hyperlinks) {
  auto copy = std::make_unique<CHyperlinks>();
  hyperlinks.copyTo(*copy);
  block.setHyperlinks(std::move(copy));
  CZelphExceptions errors;
  if (block.getBlockName().compare(0, kSpacePrefix.size(), kSpacePrefix) == 0) {
    block.applyToDWG(*m_drawing, errors);
  } else {
    // Furniture and the like have no space values to write back.
    const CAcadDrawingLock lock(*m_drawing);
    AcDbObjectPointer<AcDbBlockReference> reference(block.getObjectId(), AcDb::kForWrite);
    if (reference)
      block.hyperlinkBlock(reference.object());
    else
      errors.add(std::make_unique<CEXUnhandled>(ZELPH_BANNER, ZELPH_SOURCE, L"CHyperPres::writeLinks",
                                                reference.openStatus(), __LINE__,
                                                m_drawing->getFolder() + m_drawing->getName(), nullptr));
  }
  if (errors.count() > 0) errors.displayMessageBoxes();
}

void CHyperPres::hyperlinkBlock(const CHyperlinks& hyperlinks) {
  ZELPH_TRY
    writeLinks(*m_block, hyperlinks);
    acutPrintf(L"1 block affected.\n");
  ZELPH_CATCH(L"CHyperPres::hyperlinkBlock")
}

void CHyperPres::hyperlinkAllBlocks(const CHyperlinks& hyperlinks) {
  ZELPH_TRY
    CBlocks blocks;
    blocks.getAcadBlocks(*m_drawing);
    std::int32_t count = 0;
    for (int index = 0; index < blocks.getCount(); ++index) {
      auto& block = *static_cast<CBlockDWG*>(blocks.getAt(index));
      if (block.getBlockName() != m_block->getBlockName()) continue;
      writeLinks(block, hyperlinks);
      ++count;
    }
    acutPrintf(L"%s block(s) affected.\n", CUtilities::LongToCString(count).c_str());
  ZELPH_CATCH(L"CHyperPres::hyperlinkAllBlocks")
}

void CHyperPres::OnOK() {
  apply();
  DestroyWindow();
}

void CHyperPres::OnCancel() { DestroyWindow(); }

void CHyperPres::PostNcDestroy() {
  m_block.reset();
  m_drawing.reset();
  m_parent = nullptr;
  delete this;
}
