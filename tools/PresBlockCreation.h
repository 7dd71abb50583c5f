// The space creator: a modeless dialog that turns picked closed polylines
// into numbered, named, measured spaces of the document that was current
// when it opened.  It proposes the next space name and block number after
// every space and keeps the label settings in the preferences.
#pragma once

#include <memory>
#include <string>
#include <unordered_set>

#include "AcDbObjectId.h"
#include "CDialog.h"
#include "support/Preferences.h"

class CAcadDrawing;

class CPresBlockCreation : public CDialog {
 public:
  explicit CPresBlockCreation(CWnd* parent = nullptr);
  ~CPresBlockCreation() override;

  // Opens the dialog modelessly; it deletes itself when it closes.
  static void open();

  // The next space name after the given one: its trailing number plus the
  // increment, zero-padded to the old width; "1" appended when it has none.
  static std::wstring calcNextBlockName(const std::wstring& name, int increment);

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnCancel() override;
  void OnClose() override;
  void PostNcDestroy() override;

 private:
  void bindHandlers();
  void startSession();
  void runPicks();
  void takeOutline(AcDbObjectId polylineId);
  // True when the space was made.
  bool createBlock(AcDbObjectId polylineId, int units, double textSize, double textScale, double textRotation,
                   int precision);
  void advancePastCreatedSpace();
  void calcNextBlockIdentifier();
  void getNextBlockDetails();
  std::wstring getHighestExistingBlockName();
  void fieldChanged(int id);
  void changeAreas(bool add);
  void showOptions();
  void enableSessionButtons(bool enable);
  void enableFields(bool enable);

  std::wstring m_nextSpaceName;
  std::wstring m_highestSpaceName;
  double m_textSize = 0.0;
  double m_textScale = 0.0;
  double m_textRotation = 0.0;
  std::unique_ptr<CAcadDrawing> m_drawing;
  CWnd* m_parent;
  int m_nextBlockIdentifier = 0;
  std::unordered_set<std::wstring> m_existingSpaceNames;
  CPreferences m_preferences;
  // Closing waits while a session runs: its buttons are disabled then.
  bool m_sessionRunning = false;
};
