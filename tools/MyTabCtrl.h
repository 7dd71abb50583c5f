// The space sheet's tab control: it owns the two pages, "Space Data" and
// "Format", and shows the page of the tab the user pressed.
#pragma once

#include <memory>

#include "CWnd.h"

class CAcadDrawing;
class CBlockDWG;
class CPresBlock;
class CTabData;
class CTabFormat;

class CMyTabCtrl : public CTabCtrl {
 public:
  CMyTabCtrl();
  ~CMyTabCtrl() override;

  // Inserts the tabs and makes both pages as children of this control,
  // the first one shown.
  void createPages();
  // Fills both pages from the working copy.
  void fillPages(CBlockDWG* space, CAcadDrawing* drawing, CWnd* parent, CPresBlock* sheet);
  CTabData& data() const { return *m_data; }
  CTabFormat& format() const { return *m_format; }

  void OnLButtonDown(int tab) override;

 private:
  CDialog& page(int index) const;

  std::unique_ptr<CTabData> m_data;
  std::unique_ptr<CTabFormat> m_format;
  int m_shown = 0;
  static constexpr int kPageCount = 2;
};
