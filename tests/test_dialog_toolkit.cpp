// Dialogs driven from the console the way scripts drive them: '@' lines,
// data exchange checks that keep the dialog open, modeless dialogs that
// outlive their command and delete themselves.
#include <gtest/gtest.h>

#include <sstream>

#include "CDataExchange.h"
#include "CDialog.h"
#include "DialogManager.h"
#include "HostSession.h"
#include "MessageBox.h"
#include "ResourceTable.h"
#include "aced.h"

namespace {

constexpr UINT kRoomDialog = 500;
constexpr UINT kSheet = 501;
constexpr UINT kPage = 502;
enum { kName = 10, kHeight = 11, kCount = 12, kMetric = 13, kImperial = 14, kKinds = 15, kRooms = 16, kTabs = 17,
       kApply = 18, kDone = 19 };

ResourceTable& resources() {
  static ResourceTable table = [] {
    ResourceTable made;
    made.addDialog({kRoomDialog,
                    L"Room",
                    {{kName, ControlKind::Edit, L""},
                     {kHeight, ControlKind::Edit, L""},
                     {kCount, ControlKind::Edit, L""},
                     {kMetric, ControlKind::Radio, L"m", true},
                     {kImperial, ControlKind::Radio, L"ft"},
                     {kKinds, ControlKind::ComboBox, L""},
                     {kRooms, ControlKind::ListCtrl, L""},
                     {kTabs, ControlKind::TabCtrl, L""},
                     {kApply, ControlKind::Button, L"Apply"},
                     {kDone, ControlKind::Button, L"Done"},
                     {IDOK, ControlKind::DefaultButton, L"OK"}},
                    {{0, L"&Help", {{900, L"&About", {}}}}}});
    // A sheet whose tab control holds a page; the page reuses the tab
    // control's id for a button, as real layouts do.
    made.addDialog({kSheet, L"Sheet", {{kTabs, ControlKind::TabCtrl, L""}, {IDOK, ControlKind::DefaultButton, L"OK"}}, {}});
    ControlTemplate sortedList{kRooms, ControlKind::ListBox, L""};
    sortedList.sorted = true;
    DialogTemplate page{kPage, L"", {{kName, ControlKind::Edit, L""}, {kTabs, ControlKind::Button, L"Clear"}, sortedList}, {}};
    page.child = true;
    made.addDialog(page);
    return made;
  }();
  return table;
}

class Page : public CDialog {
 public:
  Page() {
    onClicked(kTabs, [this] { ++cleared; });
    onChanged(kName, [this] { typed = GetDlgItemText(kName); });
  }
  int cleared = 0;
  std::wstring typed;
};

// The sheet's own tab control class, which shows and hides the page.
class PageTabs : public CTabCtrl {
 public:
  void OnLButtonDown(int tab) override {
    CTabCtrl::OnLButtonDown(tab);
    page.ShowWindow(GetCurSel() == 0 ? SW_SHOW : SW_HIDE);
  }
  Page page;
};

class Sheet : public CDialog {
 public:
  Sheet() : CDialog(kSheet) {}
  PageTabs tabs;

 protected:
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    tabs.SubclassDlgItem(kTabs, this);
    tabs.InsertItem(0, L"Names");
    tabs.InsertItem(1, L"Empty");
    tabs.page.Create(kPage, &tabs);
    auto* list = static_cast<CListBox*>(tabs.page.GetDlgItem(kRooms));
    for (const wchar_t* name : {L"office", L"Atrium", L"lobby"}) list->AddString(name);
    return TRUE;
  }
};

class RoomDialog : public CDialog {
 public:
  RoomDialog() : CDialog(kRoomDialog) {
    onClicked(kApply, [this] { applied += UpdateData(TRUE) ? 1 : 0; });
    onDoubleClicked(kRooms, [this] { opened = static_cast<CListCtrl*>(GetDlgItem(kRooms))->GetSelectionMark(); });
    onSelectionChanged(kTabs, [this] { tab = static_cast<CTabCtrl*>(GetDlgItem(kTabs))->GetCurSel(); });
    onMenu(900, [this] { ++about; });
    onClicked(kDone, [this] { DestroyWindow(); });
    onChanged(kName, [this] { typed += GetDlgItemText(kName) + L";"; });
  }

  std::wstring name = L"Office";
  double height = 2.7;
  int count = 4;
  int units = 0;
  int applied = 0, opened = -1, tab = 0, about = 0;
  std::wstring typed;
  bool* deleted = nullptr;

 protected:
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    auto* rooms = static_cast<CListCtrl*>(GetDlgItem(kRooms));
    rooms->InsertColumn(0, L"Name");
    rooms->InsertItem(0, L"Office 1");
    rooms->InsertItem(1, L"Office 2");
    auto* tabs = static_cast<CTabCtrl*>(GetDlgItem(kTabs));
    tabs->InsertItem(0, L"Spaces");
    tabs->InsertItem(1, L"Assets");
    static_cast<CComboBox*>(GetDlgItem(kKinds))->AddString(L"Room");
    UpdateData(FALSE);
    return TRUE;
  }
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Text(pDX, kName, name);
    DDX_Text(pDX, kHeight, height);
    DDV_MinMaxDouble(pDX, height, 0, 100);
    DDX_Text(pDX, kCount, count);
    DDV_MinMaxInt(pDX, count, 0, 9);
    DDX_Radio(pDX, kMetric, units);
  }
  void PostNcDestroy() override {
    if (deleted != nullptr) {
      *deleted = true;
      delete this;
    }
  }
};

int countPages(const std::string& text) {
  int count = 0;
  for (size_t at = text.find("page 502"); at != std::string::npos; at = text.find("page 502", at + 1)) ++count;
  return count;
}

class DialogToolkit : public ::testing::Test {
 protected:
  void SetUp() override {
    AfxSetResourceHandle(&resources());
    HostSession::instance().setOutput(&transcript);
  }
  void TearDown() override {
    HostSession::instance().setInput(nullptr);
    AfxSetResourceHandle(nullptr);
  }
  void answer(const std::string& lines) {
    input.str(lines);
    input.clear();
    HostSession::instance().setInput(&input);
  }

  std::istringstream input;
  std::ostringstream transcript;
};

TEST_F(DialogToolkit, ARangeCheckKeepsTheDialogOpenUntilTheValueIsRight) {
  answer("@set 12 10\n@click 1\n@set 12 7\n@set 11 3.5\n@check 14 1\n@click 1\n");
  RoomDialog dialog;
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_NE(transcript.str().find("Please enter an integer between 0 and 9."), std::string::npos) << transcript.str();
  EXPECT_EQ(dialog.count, 7);
  EXPECT_DOUBLE_EQ(dialog.height, 3.5);
  EXPECT_EQ(dialog.units, 1);
}

TEST_F(DialogToolkit, ListsTabsMenusAndTheListing) {
  answer("@show\n@dblclick 16 1\n@tab 17 1\n@menu 900\n@select 16 7\n@set 11 tall\n@click 18\n@escape\n");
  RoomDialog dialog;
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  const std::string shown = transcript.str();
  EXPECT_NE(shown.find("Dialog 500 \"Room\" (modal)"), std::string::npos) << shown;
  EXPECT_NE(shown.find("10 edit \"Office\""), std::string::npos) << shown;
  EXPECT_NE(shown.find("Office 2"), std::string::npos);
  EXPECT_NE(shown.find("Please enter a number."), std::string::npos);
  EXPECT_EQ(dialog.opened, 1);
  EXPECT_EQ(dialog.tab, 1);
  EXPECT_EQ(dialog.about, 1);
  EXPECT_EQ(dialog.applied, 0);
}

TEST_F(DialogToolkit, AModelessDialogTakesLinesAfterItsCommandAndMayDeleteItself) {
  bool deleted = false;
  auto* dialog = new RoomDialog;
  dialog->deleted = &deleted;
  ASSERT_TRUE(dialog->Create(kRoomDialog));
  EXPECT_EQ(DialogManager::instance().topmost(), dialog);
  EXPECT_TRUE(DialogManager::instance().dispatch(L"@set 10 Lab"));
  EXPECT_FALSE(DialogManager::instance().dispatch(L"@click 99"));
  EXPECT_FALSE(DialogManager::instance().dispatch(L"@wave"));
  DialogManager::instance().dispatch(L"@click 19");
  EXPECT_TRUE(deleted);
  EXPECT_EQ(DialogManager::instance().topmost(), nullptr);
  EXPECT_FALSE(DialogManager::instance().dispatch(L"@show"));
}

TEST_F(DialogToolkit, EditsReportChangesAndAWaitingPromptLeavesTheDialogItsLines) {
  bool deleted = false;
  auto* dialog = new RoomDialog;
  dialog->deleted = &deleted;
  ASSERT_TRUE(dialog->Create(kRoomDialog));
  answer("@set 10 Lab\n@set 11 3\n@5,5\n@set 10 Hall\n7,8\n");
  ads_point point;
  // "@5,5" is a relative point, not a dialog line: without a base point it
  // is no point at all and the prompt asks again.
  EXPECT_EQ(acedGetPoint(nullptr, L"Label point: ", point), RTNORM);
  EXPECT_DOUBLE_EQ(point[X], 7.0);
  EXPECT_EQ(dialog->typed, L"Lab;Hall;");
  EXPECT_NE(transcript.str().find("Invalid point."), std::string::npos) << transcript.str();
  DialogManager::instance().dispatch(L"@click 19");
  EXPECT_TRUE(deleted);
}

TEST_F(DialogToolkit, TheEndOfInputIsEscape) {
  answer("@set 10 Lab\n");
  RoomDialog dialog;
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.name, L"Office");
}

}  // namespace

TEST_F(DialogToolkit, PagesOfATabControlTakeTheLinesOfTheirDialog) {
  answer("@set 10 Lab\n@click 17\n@show\n@tab 17 1\n@set 10 Hall\n@show\n@tab 17 0\n@click 1\n");
  Sheet sheet;
  EXPECT_EQ(sheet.DoModal(), IDOK);
  const std::string shown = transcript.str();
  EXPECT_EQ(sheet.tabs.page.typed, L"Lab");
  EXPECT_EQ(sheet.tabs.page.cleared, 1);
  // The page is listed while shown, its list in alphabetical order.
  EXPECT_NE(shown.find("  page 502\n  10 edit \"Lab\"\n  17 button \"Clear\" focused\n  16 listbox selected none\n"
                       "    0 \"Atrium\"\n    1 \"lobby\"\n    2 \"office\"\n"),
            std::string::npos)
      << shown;
  EXPECT_NE(shown.find("The dialog has no control 10."), std::string::npos) << shown;
  EXPECT_EQ(countPages(shown), 1);
  EXPECT_FALSE(sheet.tabs.page.isOpen());
}
