#include "CommandLine.h"

#include <cstdio>
#include <filesystem>
#include <sstream>

#include "AcApDocManager.h"
#include "AcApDocument.h"
#include "AcDbDatabase.h"
#include "AcEdCommandStack.h"
#include "AcRxObject.h"
#include "BoundaryCommand.h"
#include "CommandGroup.h"
#include "ConvertPolyCommand.h"
#include "DialogManager.h"
#include "HostSession.h"
#include "MessageBox.h"
#include "PictureFile.h"
#include "ReplyText.h"
#include "TextCodec.h"
#include "UndoCommands.h"

namespace {

void say(const std::wstring& text) { HostSession::instance().print(text + L"\n"); }

void fail(const std::wstring& text) { HostSession::instance().fail(text); }

std::wstring sizeText(const std::wstring& path) {
  std::error_code error;
  const auto bytes = std::filesystem::file_size(std::filesystem::path(path), error);
  if (error) return L"size unknown";
  if (bytes < 1024) return std::to_wstring(bytes) + L" bytes";
  wchar_t text[32];
  if (bytes < 1024 * 1024)
    std::swprintf(text, 32, L"%.1f KB", static_cast<double>(bytes) / 1024);
  else
    std::swprintf(text, 32, L"%.1f MB", static_cast<double>(bytes) / (1024 * 1024));
  return text;
}

std::wstring unquoted(const std::wstring& text) {
  if (text.empty() || text.front() != L'"') return text;
  const size_t end = text.back() == L'"' && text.size() > 1 ? text.size() - 1 : text.size();
  return text.substr(1, end - 1);
}

// A host command's arguments split at blanks; a word in double quotes
// keeps its blanks (render "my plan.pdf" --layout "Sheet 1").
std::vector<std::string> words(const std::wstring& text) {
  std::vector<std::string> found;
  std::wstring word;
  bool quoted = false, inWord = false;
  for (const wchar_t c : text) {
    if (c == L'"') {
      quoted = !quoted;
      inWord = true;
    } else if (!quoted && (c == L' ' || c == L'\t')) {
      if (inWord) found.push_back(wideToUtf8(word));
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) found.push_back(wideToUtf8(word));
  return found;
}

}  // namespace

const std::vector<CommandLine::HostCommand>& CommandLine::hostCommands() {
  static const std::vector<HostCommand> commands = {
      {L"help", L"help", L"list the host's commands and the module's"},
      {L"open", L"open PATH", L"open a drawing (DXF)"},
      {L"save", L"save", L"save the drawing to its file"},
      {L"saveas", L"saveas PATH", L"save the drawing to another file, which it then carries"},
      {L"render", L"render PATH [OPTIONS]", L"draw model space into a picture (.svg, .png or .pdf); plot options below"},
      {L"boundary", L"boundary", L"make the closed outline around a point inside walls"},
      {L"convertpoly", L"convertpoly", L"convert polylines between light and old-style (heavy)"},
      {L"u", L"u", L"undo the last command"},
      {L"undo", L"undo N", L"undo the last N commands; undo limit N keeps the last N"},
      {L"redo", L"redo", L"redo the last undo"},
      {L"views", L"views", L"list the zooms and regenerations asked of the drawing"},
      {L"quit", L"quit", L"leave the host"},
  };
  return commands;
}

std::pair<std::wstring, std::wstring> CommandLine::split(const std::wstring& line) {
  const size_t blank = line.find_first_of(L" \t");
  if (blank == std::wstring::npos) return {line, L""};
  return {line.substr(0, blank), ReplyText::trim(line.substr(blank + 1))};
}

void CommandLine::run() {
  auto& session = HostSession::instance();
  while (!m_quit) {
    const auto line = session.readLine(L"Command: ");
    if (!line) {
      if (endsHere()) break;
      continue;
    }
    std::wstring trimmed = ReplyText::trim(*line);
    // Enter repeats the last command for a person, as CAD programs do.
    if (trimmed.empty() && session.interactive() && !m_lastCommand.empty()) {
      trimmed = m_lastCommand;
      say(trimmed);
    }
    if (trimmed.empty()) continue;
    if (trimmed == ReplyText::kCancel) {
      say(L"*Cancel*");
      continue;
    }
    if (trimmed.front() != L'@') m_lastCommand = trimmed;
    execute(trimmed);
  }
}

bool CommandLine::endsHere() {
  auto& session = HostSession::instance();
  if (!session.interactive()) return true;
  // End of input on a terminal (Ctrl-D) is a way to quit: ask as quit does.
  session.resumeInput();
  const bool leave = mayLeaveDrawing() || session.atEndOfInput();
  if (!leave) session.resumeInput();
  return leave;
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
    fail(L"Unknown command \"" + line + L"\".  Type help for the list of commands.");
    return;
  }
  runModuleCommand(verb);
}

bool CommandLine::runHostCommand(const std::wstring& verb, const std::wstring& argument) {
  if (verb == L"QUIT") {
    m_quit = mayLeaveDrawing();
  } else if (verb == L"OPEN") {
    open(unquoted(argument));
  } else if (verb == L"SAVEAS") {
    if (argument.empty())
      fail(L"saveas needs the path to save to.");
    else
      save(unquoted(argument));
  } else if (verb == L"BOUNDARY" && argument.empty()) {
    const CommandGroup group(verb);
    BoundaryCommand::run();
  } else if (verb == L"CONVERTPOLY" && argument.empty()) {
    const CommandGroup group(verb);
    ConvertPolyCommand::run();
  } else if (verb == L"SAVE") {
    saveCurrent();
  } else if (verb == L"VIEWS") {
    showViewOperations();
  } else if (verb == L"RENDER") {
    render(argument);
  } else if (verb == L"HELP") {
    help();
  } else {
    return false;
  }
  return true;
}

bool CommandLine::mayLeaveDrawing() {
  AcApDocument* document = acDocManager->curDocument();
  if (!HostSession::instance().interactive() || document == nullptr || document->database() == nullptr ||
      !document->database()->isModified())
    return true;
  const std::wstring question = L"Save changes to " + document->docTitle() + L"?";
  switch (MessageBoxW(nullptr, question.c_str(), HostSession::instance().productName().c_str(),
                      MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDNO: return true;
    case IDYES: {
      const std::wstring name = document->fileName();
      if (!name.empty()) return save(name);
      const auto path = HostSession::instance().readLine(L"Save drawing as: ");
      return path && !ReplyText::trim(*path).empty() && save(unquoted(ReplyText::trim(*path)));
    }
    default: return false;
  }
}

void CommandLine::open(const std::wstring& path) {
  auto* documents = acDocManager;
  if (path.empty())
    fail(L"open needs the path of a drawing.");
  else if (!mayLeaveDrawing())
    say(L"The drawing stays open.");
  else if (AcApDocument* previous = documents->curDocument();
           documents->appContextOpenDocument(path.c_str()) != Acad::eOk)
    fail(documents->lastErrorMessage());
  else
    UndoCommands::release(previous);
}

void CommandLine::saveCurrent() {
  AcApDocument* document = acDocManager->curDocument();
  const std::wstring path = document != nullptr ? document->fileName() : L"";
  if (path.empty())
    fail(L"The drawing has no file yet; use saveas PATH.");
  else
    save(L"");
}

void CommandLine::help() {
  say(L"Host commands:");
  for (const HostCommand& command : hostCommands()) {
    std::wstring usage = command.usage;
    usage.resize(std::max<size_t>(usage.size(), 14), L' ');
    say(L"  " + usage + L"  " + command.summary);
  }
  say(L"Plot options of render:");
  std::istringstream options(PlotSettings::usage());
  for (std::string line; std::getline(options, line);) say(utf8ToWide(line));
  say(L"Module commands (global name, local name, group):");
  for (const AcEdCommand* command : acedRegCmds->commands()) {
    std::wstring global = command->globalName;
    global.resize(std::max<size_t>(global.size(), 14), L' ');
    std::wstring local = command->localName;
    local.resize(std::max<size_t>(local.size(), 30), L' ');
    say(L"  " + global + L"  " + local + L"  " + command->group);
  }
  say(L"At other prompts: Enter accepts, Esc or Ctrl-C cancels; lines starting with @ answer dialogs and boxes.");
}

void CommandLine::showViewOperations() {
  AcApDocument* document = acDocManager->curDocument();
  if (document == nullptr) {
    fail(L"There is no drawing.");
    return;
  }
  if (document->viewOperations().empty()) say(L"No view operations.");
  for (const std::wstring& operation : document->viewOperations()) say(operation);
}

void CommandLine::render(const std::wstring& arguments) {
  AcApDocument* document = acDocManager->curDocument();
  const std::vector<std::string> given = words(arguments);
  PlotSettings settings;
  std::string error, leftOut;
  if (given.empty()) {
    fail(L"render needs the path of the picture (.svg, .png or .pdf).");
  } else if (!settings.parse(std::vector<std::string>(given.begin() + 1, given.end()), error)) {
    fail(L"render: " + utf8ToWide(error) + L".  Type help for the plot options.");
  } else if (document == nullptr || document->database() == nullptr) {
    fail(L"There is no drawing.");
  } else if (!PictureFile::write(*document->database(), given.front(), settings, error, leftOut)) {
    fail(utf8ToWide(error));
  } else {
    const std::wstring path = utf8ToWide(given.front());
    if (!leftOut.empty()) say(L"Not drawn: " + utf8ToWide(leftOut));
    say(L"Wrote the picture " + path + L" (" + sizeText(path) + L").");
  }
}

bool CommandLine::save(const std::wstring& path) {
  auto* documents = acDocManager;
  AcApDocument* document = documents->curDocument();
  if (document == nullptr) {
    fail(L"There is no drawing to save.");
    return false;
  }
  if (documents->saveDocument(document, path.c_str()) != Acad::eOk) {
    fail(documents->lastErrorMessage());
    return false;
  }
  const std::wstring written = document->fileName();
  say(L"Wrote the drawing " + written + L" (" + sizeText(written) + L").");
  return true;
}

void CommandLine::runModuleCommand(const std::wstring& name) {
  const AcEdCommand* command = acedRegCmds->lookupCmd(name.c_str());
  if (command == nullptr) {
    fail(L"Unknown command \"" + ReplyText::upper(name) + L"\".  Type help for the list of commands.");
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
    fail(L"The command " + ReplyText::upper(name) + L" failed.");
  }
  if (lockForIt) acDocManager->unlockDocument(document);
}
