// The preferences dialog: edits prefs.cfg.  OK and the close box save,
// Escape leaves the file as it was.
#pragma once

#include <string>

#include "CDialog.h"
#include "support/Preferences.h"

class CPresPreferences : public CDialog {
 public:
  CPresPreferences();

  // Fills the fields from the file before the dialog opens.
  INT_PTR DoModal() override;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;
  void OnClose() override;

 private:
  void loadFields();
  // False, with the dialog left open, when a field fails its check.
  bool save();

  CPreferences m_preferences;
  double m_textSize;
  int m_units;
  int m_precision;
  std::wstring m_csvOpener;
  double m_zoomBorder;
  double m_textScale;
  double m_textRotation;
};
