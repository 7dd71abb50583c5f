#include "UndoCommands.h"

#include <cwchar>

#include "AcApDocManager.h"
#include "AcApDocument.h"
#include "AcDbDatabase.h"
#include "HostSession.h"
#include "ReplyText.h"
#include "SystemVariables.h"
#include "UndoHistory.h"

namespace {

void say(const std::wstring& text) { HostSession::instance().print(text + L"\n"); }
void fail(const std::wstring& text) { HostSession::instance().fail(text); }

UndoHistory* currentHistory() {
  AcApDocument* document = acDocManager->curDocument();
  AcDbDatabase* database = document != nullptr ? document->database() : nullptr;
  return database != nullptr ? &database->undoHistory() : nullptr;
}

// A whole number from 1 to 32767; 0 for anything else.
int count(const std::wstring& text) {
  if (text.empty() || text.size() > 5 || text.find_first_not_of(L"0123456789") != std::wstring::npos) return 0;
  const long value = std::wcstol(text.c_str(), nullptr, 10);
  return value <= 32767 ? static_cast<int>(value) : 0;
}

}  // namespace

bool UndoCommands::run(const std::wstring& verb, const std::wstring& argument) {
  if (verb == L"U" && argument.empty()) undo(L"1");
  else if (verb == L"UNDO" && ReplyText::upper(argument).rfind(L"LIMIT", 0) == 0) limit(ReplyText::trim(argument.substr(5)));
  else if (verb == L"UNDO") undo(argument.empty() ? L"1" : argument);
  else if (verb == L"REDO" && argument.empty()) redo();
  else return false;
  return true;
}

void UndoCommands::release(AcApDocument* document) {
  if (acDocManager->isOpen(document) && document->database() != nullptr) document->database()->undoHistory().clear();
}

void UndoCommands::undo(const std::wstring& argument) {
  const int groups = count(argument);
  if (groups == 0) {
    fail(L"undo needs a number of commands from 1 to 32767, or limit N.");
    return;
  }
  UndoHistory* history = currentHistory();
  if (history == nullptr) {
    fail(L"There is no drawing.");
    return;
  }
  std::wstring name;
  for (int i = 0; i < groups; ++i) {
    if (!history->undo(name)) {
      say(L"Everything has been undone.");
      return;
    }
    say(L"Undone: " + name);
  }
}

void UndoCommands::redo() {
  UndoHistory* history = currentHistory();
  std::wstring name;
  if (history == nullptr || !history->redo(name)) say(L"Nothing to redo.");
  else say(L"Redone: " + name);
}

void UndoCommands::limit(const std::wstring& argument) {
  const int groups = count(argument);
  resbuf value;
  value.restype = RTSHORT;
  value.resval.rint = static_cast<short>(groups);
  if (!argument.empty() && (groups == 0 || SystemVariables::instance().set(L"UNDOLIMIT", &value) != RTNORM)) {
    fail(L"undo limit needs a number of commands from 1 to 32767.");
    return;
  }
  SystemVariables::instance().get(L"UNDOLIMIT", &value);
  if (UndoHistory* history = currentHistory()) history->setLimit(static_cast<size_t>(value.resval.rint));
  say(L"Undo keeps the last " + std::to_wstring(value.resval.rint) + L" commands.");
}
