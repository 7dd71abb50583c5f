// Page "Space Data" of the space sheet: the space's name, attribute texts,
// area and perimeter, and the outlines added to and subtracted from it.
#pragma once

#include <string>

#include "CDialog.h"

class CAcadDrawing;
class CBlockDWG;
class CPresBlock;

class CTabData : public CDialog {
 public:
  CTabData();

  void initialiseData(CBlockDWG* space, CAcadDrawing* drawing, CWnd* parent, CPresBlock* sheet);
  // Reads the fields into the working copy.
  void applyChanges();
  // Gives highlighted outlines their space's colour back.
  void switchHighlightsOff();

 protected:
  void DoDataExchange(CDataExchange* pDX) override;

 private:
  void bindHandlers();
  void OnCmdAreaRecalc();
  void OnCmdPerimeterRecalc();
  void copyWithUnit(bool area);
  void pickAreas(bool add);
  void deleteAreas(bool add);
  void toggleHighlight(bool add);
  void highlight(bool add, bool on);
  // Recalculates area and perimeter and shows them.
  void showMeasurements();
  std::wstring formatted(double value) const;

  std::wstring m_name;
  std::wstring m_areaText;
  std::wstring m_auxText;
  std::wstring m_areaValue;
  std::wstring m_perimeterValue;
  std::wstring m_areaUnit;
  std::wstring m_lengthUnit;
  std::wstring m_handle;
  int m_assetCount = 0;
  int m_subtractedHighlight = 0;
  int m_addedHighlight = 0;
  CBlockDWG* m_space = nullptr;
  CAcadDrawing* m_drawing = nullptr;
  CWnd* m_parent = nullptr;
  CPresBlock* m_sheet = nullptr;
};
