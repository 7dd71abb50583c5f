// The host program's argument parser and its console over arbitrary text.
// The first line is split into arguments; the rest is a script, run once
// at the Command: prompt (with a dialog open for the '@' lines) and once
// as answers to every kind of question the editor asks.  Host commands
// that touch files are left out of the script, so an input never reads or
// writes outside the drawing in memory.
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "AcApDocManager.h"
#include "AcDbBlockTableRecord.h"
#include "AcDbCircle.h"
#include "AcDbDatabase.h"
#include "AcDbHostApplicationServices.h"
#include "AcDbLine.h"
#include "CDataExchange.h"
#include "CDialog.h"
#include "DialogManager.h"
#include "FuzzTarget.h"
#include "HostSession.h"
#include "MessageBox.h"
#include "ReplyText.h"
#include "ResourceTable.h"
#include "TextCodec.h"
#include "aced.h"
#include "app/CommandLine.h"
#include "app/HostOptions.h"

namespace {

constexpr UINT kDialog = 700;
enum { kName = 10, kHeight = 11, kKinds = 12, kRooms = 13, kTabs = 14, kMetric = 15, kImperial = 16, kShown = 17 };

const ResourceTable& resources() {
  static const ResourceTable table = [] {
    ResourceTable made;
    made.addDialog({kDialog,
                    L"Fuzz",
                    {{kName, ControlKind::Edit, L""},
                     {kHeight, ControlKind::Edit, L""},
                     {kKinds, ControlKind::ComboBox, L""},
                     {kRooms, ControlKind::ListCtrl, L""},
                     {kTabs, ControlKind::TabCtrl, L""},
                     {kMetric, ControlKind::Radio, L"m", true},
                     {kImperial, ControlKind::Radio, L"ft"},
                     {kShown, ControlKind::CheckBox, L"Shown"},
                     {IDOK, ControlKind::DefaultButton, L"OK"}},
                    {{0, L"&Help", {{900, L"&About", {}}}}}});
    return made;
  }();
  return table;
}

class FuzzDialog : public CDialog {
 public:
  FuzzDialog() : CDialog(kDialog) {}

 protected:
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    auto* rooms = static_cast<CListCtrl*>(GetDlgItem(kRooms));
    rooms->InsertColumn(0, L"Name");
    rooms->InsertItem(0, L"Office 1");
    static_cast<CTabCtrl*>(GetDlgItem(kTabs))->InsertItem(0, L"Spaces");
    static_cast<CComboBox*>(GetDlgItem(kKinds))->AddString(L"Room");
    UpdateData(FALSE);
    return TRUE;
  }
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Text(pDX, kName, m_name);
    DDX_Text(pDX, kHeight, m_height);
    DDV_MinMaxDouble(pDX, m_height, 0, 100);
    DDX_Radio(pDX, kMetric, m_units);
  }
  void PostNcDestroy() override { delete this; }

 private:
  std::wstring m_name = L"Office";
  double m_height = 2.7;
  int m_units = 0;
};

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) result.push_back(line);
  return result;
}

void parseArguments(const std::string& line) {
  std::vector<std::string> words{"spatiary"};
  std::istringstream in(line);
  for (std::string word; in >> word;) words.push_back(word);
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  std::string error;
  (void)HostOptions::parse(static_cast<int>(words.size()), argv.data(), error);
}

bool touchesFiles(const std::string& line) {
  std::istringstream in(line);
  std::string verb;
  in >> verb;
  const std::wstring upper = ReplyText::upper(utf8ToWide(verb));
  return upper == L"OPEN" || upper == L"SAVE" || upper == L"SAVEAS" || upper == L"RENDER";
}

void addEntities() {
  AcDbDatabase* database = acdbHostApplicationServices()->workingDatabase();
  AcDbBlockTableRecord* model = nullptr;
  if (acdbOpenObject(model, database->modelSpaceId(), AcDb::kForWrite) != Acad::eOk) std::abort();
  auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 10, 0));
  model->appendAcDbEntity(line);
  line->close();
  auto* circle = new AcDbCircle(AcGePoint3d(20, 0, 0), AcGeVector3d::kZAxis, 5);
  model->appendAcDbEntity(circle);
  circle->close();
  model->close();
}

void runCommandLine(const std::string& script) {
  std::istringstream in(script);
  HostSession::instance().setInput(&in);
  AfxSetResourceHandle(&resources());
  (new FuzzDialog)->Create(kDialog);
  CommandLine().run();
  DialogManager::instance().destroyAll();
  HostSession::instance().setInput(nullptr);
}

// Every question in turn until the answers run out.
void answerQuestions(const std::string& script) {
  std::istringstream in(script);
  auto& session = HostSession::instance();
  session.setInput(&in);
  ACHAR text[133];
  ads_real real;
  int integer;
  ads_point point;
  const ads_point base = {1, 1, 0};
  ads_name name;
  for (int question = 0; !session.atEndOfInput() && question < 10000; ++question) {
    switch (question % 8) {
      case 0: acedGetString(1, L"Name: ", text); break;
      case 1: acedGetReal(L"Height: ", &real); break;
      case 2: acedGetInt(L"Count: ", &integer); break;
      case 3: acedGetPoint(base, L"Point: ", point); break;
      case 4:
        acedInitGet(0, L"Yes No _Yes No");
        acedGetKword(L"Sure? ", text);
        break;
      case 5: acedEntSel(L"Select object: ", name, point); break;
      case 6:
        if (acedSSGet(nullptr, nullptr, nullptr, nullptr, name) == RTNORM) acedSSFree(name);
        break;
      default: acedGetString(0, L"Word: ", text); break;
    }
  }
  session.setInput(nullptr);
}

}  // namespace

SPATIARY_FUZZ_TARGET(command_line) {
  static std::ostringstream* const discarded = new std::ostringstream;
  const std::vector<std::string> all = lines(std::string(reinterpret_cast<const char*>(data), size));
  if (all.empty()) return 0;
  parseArguments(all.front());
  std::string script;
  for (size_t i = 1; i < all.size(); ++i)
    if (!touchesFiles(all[i])) script += all[i] + "\n";
  discarded->str("");
  HostSession::instance().setOutput(discarded);
  if (acDocManager->newDocument() == nullptr) std::abort();
  addEntities();
  runCommandLine(script);
  answerQuestions(script);
  acDocManager->closeAll();
  return 0;
}
