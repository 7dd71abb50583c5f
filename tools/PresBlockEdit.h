// The space editor: a modeless dialog listing the room spaces or the
// gross-area block of the document that was current when it opened.  A
// space chosen from the list or picked in the drawing opens in a space
// sheet, which hides the editor until it closes.
#pragma once

#include <memory>
#include <string>

#include "CDialog.h"

class CAcadDrawing;
class CBlocks;
class CPreferences;
class CPresBlock;

class CPresBlockEdit : public CDialog {
 public:
  explicit CPresBlockEdit(CWnd* parent = nullptr);
  ~CPresBlockEdit() override;

  // Opens the editor modelessly; it deletes itself when it closes.
  static void open();

  // Lists the spaces of the kind the combo box shows again.
  void refresh();
  // The sheet has closed: the list is refreshed and the editor shown.
  void sheetClosed();
  void forgetSheet(const CPresBlock* sheet);

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnCancel() override;
  void OnClose() override;
  void PostNcDestroy() override;

 private:
  void bindHandlers();
  void OnCmdSelect();
  void openSelected();
  void showBlock(const std::wstring& handle);
  void showOptions();

  std::wstring m_drawingName;
  std::unique_ptr<CPreferences> m_preferences;
  std::unique_ptr<CAcadDrawing> m_drawing;
  std::unique_ptr<CBlocks> m_blocks;
  CWnd* m_parent;
  CPresBlock* m_sheet = nullptr;
};
