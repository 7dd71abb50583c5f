// Page "Format" of the space sheet: the label height, width factor and
// rotation of the space's attributes, and moving them to a picked point.
#pragma once

#include "CDialog.h"

class CAcadDrawing;
class CBlockDWG;
class CPresBlock;

class CTabFormat : public CDialog {
 public:
  CTabFormat();

  void initialiseData(CBlockDWG* space, CAcadDrawing* drawing, CWnd* parent, CPresBlock* sheet);
  // Reads the fields into the working copy's attribute list; false, after
  // the framework's message, when a field is out of range.
  bool applyChanges();

 protected:
  void DoDataExchange(CDataExchange* pDX) override;

 private:
  void moveAttributes();

  double m_height = 0.0;
  double m_rotation = 0.0;
  double m_widthFactor = 0.0;
  CBlockDWG* m_space = nullptr;
  CAcadDrawing* m_drawing = nullptr;
  CWnd* m_parent = nullptr;
  CPresBlock* m_sheet = nullptr;
};
