#include "CommandLine.h"

#include "AcApDocManager.h"
#include "AcApDocument.h"
#include "AcEdCommandStack.h"
#include "AcRxObject.h"
#include "BoundaryCommand.h"
#include "CommandGroup.h"
#include "DialogManager.h"
#include "HostSession.h"
#include "PictureFile.h"
#include "ReplyText.h"
#include "TextCodec.h"
#include "UndoCommands.h"

namespace {

void say(const std::wstring& text) { HostSession::instance().print(text + L"\n"); }

// The first word and the rest of the line, trimmed.
std::pair<std::wstring, std::wstring> split(const std::wstring& line) {
  const size_t blank = line.find_first_of(L" \t");
  if (blank == std::wstring::npos) return {line, L""};
  return {line.substr(0, blank), ReplyText::trim(line.substr(blank + 1))};
}

}  // namespace

void CommandLine::run() {
  auto& session = HostSession::instance();
  while (!m_quit) {
    const auto line = session.readLine(L"Command: ");
    if (!line) break;
    const std::wstring trimmed = ReplyText::trim(*line);
    if (!trimmed.empty()) execute(trimmed);
  }
}

void CommandLine::execute(const std::wstring& line) {
  if (line.front() == L'@') {
    const CommandGroup group(line);
    DialogManager::instance().dispatch(line);
    return;
  }
  const auto [verb, argument] = split(line);
  if (UndoCommands::run(ReplyText::upper(verb), argument)) return;
  if (runHostCommand(ReplyText::upper(verb), argument)) return;
  if (!argument.empty()) {
    say(L"Unknown command \"" + line + L"\".  Press F1 for help.");
    return;
  }
  runModuleCommand(verb);
}

bool CommandLine::runHostCommand(const std::wstring& verb, const std::wstring& argument) {
  auto* documents = acDocManager;
  if (verb == L"QUIT") {
    m_quit = true;
  } else if (verb == L"OPEN") {
    AcApDocument* previous = documents->curDocument();
    if (argument.empty())
      say(L"open needs the path of a drawing.");
    else if (documents->appContextOpenDocument(argument.c_str()) != Acad::eOk)
      say(documents->lastErrorMessage());
    else
      UndoCommands::release(previous);
  } else if (verb == L"SAVEAS") {
    if (argument.empty())
      say(L"saveas needs the path to save to.");
    else
      save(argument);
  } else if (verb == L"BOUNDARY" && argument.empty()) {
    BoundaryCommand::run();
  } else if (verb == L"VIEWS") {
    showViewOperations();
  } else if (verb == L"RENDER") {
    render(argument);
  } else if (verb == L"SAVE") {
    AcApDocument* document = documents->curDocument();
    const std::wstring path = document != nullptr ? document->fileName() : L"";
    if (path.empty())
      say(L"The drawing has no file yet; use saveas PATH.");
    else
      save(L"");
  } else {
    return false;
  }
  return true;
}

void CommandLine::showViewOperations() {
  AcApDocument* document = acDocManager->curDocument();
  if (document == nullptr) {
    say(L"There is no drawing.");
    return;
  }
  if (document->viewOperations().empty()) say(L"No view operations.");
  for (const std::wstring& operation : document->viewOperations()) say(operation);
}

void CommandLine::render(const std::wstring& path) {
  AcApDocument* document = acDocManager->curDocument();
  if (path.empty()) {
    say(L"render needs the path of the picture (.svg, .png or .pdf).");
  } else if (document == nullptr || document->database() == nullptr) {
    say(L"There is no drawing.");
  } else {
    std::string error, leftOut;
    if (!PictureFile::write(*document->database(), wideToUtf8(path), PlotSettings(), error, leftOut))
      say(utf8ToWide(error));
    else if (!leftOut.empty())
      say(L"Not drawn: " + utf8ToWide(leftOut));
  }
}

bool CommandLine::save(const std::wstring& path) {
  auto* documents = acDocManager;
  AcApDocument* document = documents->curDocument();
  if (document == nullptr) {
    say(L"There is no drawing to save.");
    return false;
  }
  if (documents->saveDocument(document, path.c_str()) != Acad::eOk) {
    say(documents->lastErrorMessage());
    return false;
  }
  return true;
}

void CommandLine::runModuleCommand(const std::wstring& name) {
  const AcEdCommand* command = acedRegCmds->lookupCmd(name.c_str());
  if (command == nullptr) {
    say(L"Unknown command \"" + ReplyText::upper(name) + L"\".  Press F1 for help.");
    return;
  }
  // Modal commands run with the document locked for them; session commands
  // lock it themselves.
  AcApDocument* document = acDocManager->curDocument();
  const bool lockForIt = (command->flags & ACRX_CMD::kSession) == 0 && document != nullptr &&
                         acDocManager->lockDocument(document) == Acad::eOk;
  CommandGroup group(ReplyText::upper(command->globalName));
  try {
    command->function();
  } catch (...) {
    group.rollBack();
    say(L"The command " + ReplyText::upper(name) + L" failed.");
  }
  if (lockForIt) acDocManager->unlockDocument(document);
}
