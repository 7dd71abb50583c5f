// The block hyperlinker: a modeless dialog in which the user picks any
// block reference of the document that was current when it opened, edits
// up to five links (address and description) and applies them to that
// block or to every reference of its block definition.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "AcDbObjectId.h"
#include "CDialog.h"

class CAcadDrawing;
class CBlockDWG;
class CHyperlinks;

class CHyperPres : public CDialog {
 public:
  static constexpr int kRows = 5;

  explicit CHyperPres(CWnd* parent = nullptr);
  ~CHyperPres() override;

  // Opens the dialog modelessly; it deletes itself when it closes.
  static void open();

  void setCurrentAcadBlock(AcDbObjectId id);
  void hyperlinkBlock(const CHyperlinks& hyperlinks);
  void hyperlinkAllBlocks(const CHyperlinks& hyperlinks);

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;
  void OnCancel() override;
  void PostNcDestroy() override;

 private:
  void bindHandlers();
  void selectBlock();
  void addressChanged(int row);
  void apply();
  // The rows as a list; a row without description takes its address.
  std::unique_ptr<CHyperlinks> readRows();
  // Writes the links into one block: a space is written back whole, any
  // other block only gets its links.
  void writeLinks(CBlockDWG& block, const CHyperlinks& hyperlinks);
  void enableApplying(bool enable);

  std::array<std::wstring, kRows> m_descriptions;
  std::array<std::wstring, kRows> m_addresses;
  int m_applyToAll = 0;
  std::wstring m_blockName;
  std::wstring m_blockHandle;
  std::unique_ptr<CAcadDrawing> m_drawing;
  std::unique_ptr<CBlockDWG> m_block;
  CWnd* m_parent;
};
