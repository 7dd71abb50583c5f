#include "DialogManager.h"

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <utility>
#include <sstream>

#include "AcEditor.h"
#include "CDialog.h"
#include "DialogGestures.h"
#include "DialogListing.h"
#include "HostSession.h"
#include "ReplyText.h"

namespace {

// One '@' line taken apart: the verb, then numbers and, for @set, the rest
// of the line as text.
class DialogLine {
 public:
  explicit DialogLine(const std::wstring& line) : m_rest(line.substr(1)) { m_verb = word(); }

  const std::wstring& verb() const { return m_verb; }

  std::optional<int> number() {
    const std::wstring text = word();
    return text.empty() ? std::nullopt : ReplyText::integer(text);
  }

  // The rest after one separating blank, blanks inside kept.
  std::wstring text() {
    if (!m_rest.empty() && m_rest.front() == L' ') m_rest.erase(0, 1);
    return std::exchange(m_rest, std::wstring());
  }

  bool finished() const { return ReplyText::trim(m_rest).empty(); }

 private:
  std::wstring word() {
    const size_t start = m_rest.find_first_not_of(L" \t");
    if (start == std::wstring::npos) {
      m_rest.clear();
      return {};
    }
    const size_t end = m_rest.find_first_of(L" \t", start);
    std::wstring found = m_rest.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
    m_rest = end == std::wstring::npos ? std::wstring() : m_rest.substr(end);
    return found;
  }

  std::wstring m_verb;
  std::wstring m_rest;
};

struct Verb {
  const wchar_t* usage;
  // False when the line does not fit the usage.
  std::function<bool(CDialog&, DialogLine&, bool& done)> run;
};

// Verbs that take an id and an index.
Verb indexed(const wchar_t* usage, bool (DialogGestures::*action)(int, int)) {
  return {usage, [action](CDialog& dialog, DialogLine& line, bool& done) {
            const auto id = line.number();
            const auto index = line.number();
            if (!id || !index || !line.finished()) return false;
            DialogGestures gestures(dialog);
            done = (gestures.*action)(*id, *index);
            return true;
          }};
}

const std::map<std::wstring, Verb>& verbs() {
  static const std::map<std::wstring, Verb> table = {
      {L"show",
       {L"@show",
        [](CDialog& dialog, DialogLine& line, bool& done) {
          if (!line.finished()) return false;
          HostSession::instance().print(DialogListing::describe(dialog));
          done = true;
          return true;
        }}},
      {L"set",
       {L"@set ID TEXT",
        [](CDialog& dialog, DialogLine& line, bool& done) {
          const auto id = line.number();
          if (!id) return false;
          done = DialogGestures(dialog).setText(*id, line.text());
          return true;
        }}},
      {L"click",
       {L"@click ID",
        [](CDialog& dialog, DialogLine& line, bool& done) {
          const auto id = line.number();
          if (!id || !line.finished()) return false;
          done = DialogGestures(dialog).click(*id);
          return true;
        }}},
      {L"menu",
       {L"@menu ID",
        [](CDialog& dialog, DialogLine& line, bool& done) {
          const auto id = line.number();
          if (!id || *id < 0 || !line.finished()) return false;
          done = DialogGestures(dialog).menuCommand(static_cast<UINT>(*id));
          return true;
        }}},
      {L"check", indexed(L"@check ID 0|1", &DialogGestures::setCheck)},
      {L"select", indexed(L"@select ID INDEX", &DialogGestures::select)},
      {L"dblclick", indexed(L"@dblclick ID INDEX", &DialogGestures::doubleClick)},
      {L"tab", indexed(L"@tab ID INDEX", &DialogGestures::selectTab)},
      {L"close",
       {L"@close",
        [](CDialog& dialog, DialogLine& line, bool& done) {
          if (!line.finished()) return false;
          DialogGestures(dialog).close();
          done = true;
          return true;
        }}},
      {L"escape",
       {L"@escape",
        [](CDialog& dialog, DialogLine& line, bool& done) {
          if (!line.finished()) return false;
          DialogGestures(dialog).escape();
          done = true;
          return true;
        }}},
  };
  return table;
}

std::wstring verbList() {
  std::wstring list;
  for (const auto& [name, verb] : verbs()) list += (list.empty() ? L"" : L", ") + std::wstring(verb.usage);
  return list;
}

}  // namespace

DialogManager::DialogManager() {
  AcEditor::setLineTaker([this](const std::wstring& line) {
    if (topmost() == nullptr) return false;
    dispatch(line);
    return true;
  });
}

DialogManager& DialogManager::instance() {
  static DialogManager manager;
  return manager;
}

void DialogManager::push(CDialog* dialog) { m_open.push_back(dialog); }

void DialogManager::remove(CDialog* dialog) { m_open.erase(std::remove(m_open.begin(), m_open.end(), dialog), m_open.end()); }

CDialog* DialogManager::topmost() const { return m_open.empty() ? nullptr : m_open.back(); }

bool DialogManager::dispatch(const std::wstring& line) {
  auto& session = HostSession::instance();
  CDialog* dialog = topmost();
  if (dialog == nullptr) {
    session.fail(L"No dialog is open: \"" + line + L"\" ignored.");
    return false;
  }
  DialogLine parsed(ReplyText::trim(line));
  const auto verb = verbs().find(parsed.verb());
  if (verb == verbs().end()) {
    session.fail(L"Unknown dialog line \"" + line + L"\"; use one of " + verbList() + L".");
    return false;
  }
  bool done = false;
  if (!verb->second.run(*dialog, parsed, done)) {
    session.fail(L"Usage: " + std::wstring(verb->second.usage));
    return false;
  }
  return done;
}

void DialogManager::setAcceptModal(bool accept) { m_acceptModal = accept; }

bool DialogManager::acceptsModal() const { return m_acceptModal; }

void DialogManager::destroyAll() {
  while (CDialog* dialog = topmost()) dialog->DestroyWindow();
}
