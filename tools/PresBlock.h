// The space sheet ("RoomBlock"): edits a working copy of one space on two
// pages.  Only Apply and OK write the copy to the drawing; closing the
// sheet in any way shows the editor that opened it again.
#pragma once

#include <memory>

#include "CDialog.h"
#include "tools/MyTabCtrl.h"

class CAcadDrawing;
class CBlockDWG;
class CPresBlockEdit;

class CPresBlock : public CDialog {
 public:
  // drawing is the editor's session, which outlives the sheet.
  CPresBlock(std::unique_ptr<CBlockDWG> space, CAcadDrawing* drawing, CWnd* parent, CPresBlockEdit* editor);
  ~CPresBlock() override;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  void OnClose() override;
  void PostNcDestroy() override;

 private:
  // False, with the sheet left open, when a field fails its check.
  bool apply();
  void closeSheet();

  CMyTabCtrl m_tabs;
  std::unique_ptr<CBlockDWG> m_space;
  CAcadDrawing* m_drawing;
  CWnd* m_parent;
  CPresBlockEdit* m_editor;
};
