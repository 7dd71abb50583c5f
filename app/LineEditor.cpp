#include "LineEditor.h"

#include <histedit.h>
#include <langinfo.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <clocale>
#include <csignal>
#include <cstring>
#include <filesystem>

namespace {

// Esc alone and Ctrl-C arrive as this key, bound to cancelling.
constexpr wchar_t kCancelKey = 0x07;  // Ctrl-G, readline's abort
// An Esc followed this soon by more bytes starts an arrow or function key.
constexpr int kEscapeSequenceMs = 40;

volatile std::sig_atomic_t interrupted = 0;

void noteInterrupt(int) { interrupted = 1; }

bool startsWithIgnoringCase(const std::string& text, const std::string& prefix) {
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(),
                    [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b)); });
}

std::string commonPrefix(const std::vector<std::string>& words) {
  std::string prefix = words.front();
  for (const std::string& word : words) {
    size_t same = 0;
    while (same < prefix.size() && same < word.size() && prefix[same] == word[same]) ++same;
    prefix.resize(same);
  }
  return prefix;
}

// Where the word before the cursor starts: after the last blank outside
// quotes, or at the quote that opens it.
size_t wordStart(const std::string& before) {
  size_t start = 0;
  bool quoted = false;
  for (size_t i = 0; i < before.size(); ++i) {
    if (before[i] == '"') {
      quoted = !quoted;
      if (quoted) start = i;
    } else if (!quoted && (before[i] == ' ' || before[i] == '\t')) {
      start = i + 1;
    }
  }
  return start;
}

std::vector<std::string> pathCompletions(const std::string& word) {
  const bool quoted = !word.empty() && word.front() == '"';
  const std::string path = quoted ? word.substr(1) : word;
  const size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  std::vector<std::string> found;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder.empty() ? "." : folder, error)) {
    const std::string name = entry.path().filename().string();
    if (name.compare(0, base.size(), base) != 0 || (name.front() == '.' && base.empty())) continue;
    std::string completed = folder + name + (entry.is_directory(error) ? "/" : "");
    const bool needsQuote = !quoted && completed.find(' ') != std::string::npos;
    found.push_back((quoted || needsQuote ? "\"" : "") + completed);
  }
  std::sort(found.begin(), found.end());
  return found;
}

// A UTF-8 character from the terminal, one byte at a time.
int readByte(unsigned char& byte) {
  for (;;) {
    const ssize_t count = ::read(STDIN_FILENO, &byte, 1);
    if (count == 1) return 1;
    if (count == 0) return 0;
    if (errno != EINTR) return -1;
    if (interrupted != 0) return 2;
  }
}

bool moreBytesWaiting() {
  pollfd input{STDIN_FILENO, POLLIN, 0};
  return ::poll(&input, 1, kEscapeSequenceMs) > 0;
}

}  // namespace

LineEditor::LineEditor(std::string historyFile, std::function<std::vector<std::string>()> commandNames)
    : m_historyFile(std::move(historyFile)), m_commandNames(std::move(commandNames)) {
  // The editor hands back lines in the locale's encoding: UTF-8 is the console's.
  if (std::setlocale(LC_CTYPE, "") == nullptr || std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0)
    std::setlocale(LC_CTYPE, "C.UTF-8");
  struct sigaction action {};
  action.sa_handler = noteInterrupt;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGINT, &action, nullptr);

  m_history = history_init();
  HistEvent event;
  ::history(m_history, &event, H_SETSIZE, 1000);
  ::history(m_history, &event, H_SETUNIQUE, 1);
  ::history(m_history, &event, H_LOAD, m_historyFile.c_str());

  m_editor = el_init("spatiary", stdin, stdout, stderr);
  el_set(m_editor, EL_CLIENTDATA, this);
  el_set(m_editor, EL_EDITOR, "emacs");
  el_set(m_editor, EL_PROMPT, &LineEditor::promptOf);
  el_set(m_editor, EL_HIST, ::history, m_history);
  el_set(m_editor, EL_GETCFN, &LineEditor::readCharacter);
  el_set(m_editor, EL_ADDFN, "spatiary-complete", "Complete a command or a path", &LineEditor::complete);
  el_set(m_editor, EL_ADDFN, "spatiary-cancel", "Cancel the prompt", &LineEditor::cancel);
  el_set(m_editor, EL_BIND, "^I", "spatiary-complete", nullptr);
  el_set(m_editor, EL_BIND, "^G", "spatiary-cancel", nullptr);
  el_set(m_editor, EL_BIND, "^C", "spatiary-cancel", nullptr);
  el_source(m_editor, nullptr);
}

LineEditor::~LineEditor() {
  el_end(m_editor);
  history_end(m_history);
  std::signal(SIGINT, SIG_DFL);
}

LineEditor& LineEditor::of(EditLine* editor) {
  void* data = nullptr;
  el_get(editor, EL_CLIENTDATA, &data);
  return *static_cast<LineEditor*>(data);
}

char* LineEditor::promptOf(EditLine* editor) { return of(editor).m_prompt.data(); }

std::optional<std::string> LineEditor::read(const std::string& prompt) {
  // The editor draws one line of prompt; what comes before its last line
  // end is plain output.
  const size_t lineEnd = prompt.rfind('\n');
  if (lineEnd != std::string::npos) std::fwrite(prompt.data(), 1, lineEnd + 1, stdout);
  m_prompt = lineEnd == std::string::npos ? prompt : prompt.substr(lineEnd + 1);
  std::fflush(stdout);
  m_cancelled = false;
  interrupted = 0;
  int count = 0;
  const char* line = el_gets(m_editor, &count);
  if (m_cancelled) {
    std::fputs("*Cancel*\n", stdout);
    return std::string("*cancel*");
  }
  if (line == nullptr || count <= 0) {
    std::fputs("\n", stdout);
    return std::nullopt;
  }
  std::string text(line, static_cast<size_t>(count));
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  remember(text);
  return text;
}

void LineEditor::remember(const std::string& line) {
  if (line.find_first_not_of(" \t") == std::string::npos) return;
  HistEvent event;
  ::history(m_history, &event, H_ENTER, line.c_str());
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(m_historyFile).parent_path(), ignored);
  ::history(m_history, &event, H_SAVE, m_historyFile.c_str());
}

std::vector<std::string> LineEditor::completions(const std::string& before) const {
  const std::string word = before.substr(wordStart(before));
  const bool commandName = word.size() == before.size() && m_prompt.size() >= 9 &&
                           m_prompt.compare(m_prompt.size() - 9, 9, "Command: ") == 0;
  if (!commandName) return pathCompletions(word);
  std::vector<std::string> found;
  for (const std::string& name : m_commandNames())
    if (startsWithIgnoringCase(name, word)) found.push_back(name);
  std::sort(found.begin(), found.end());
  found.erase(std::unique(found.begin(), found.end()), found.end());
  return found;
}

unsigned char LineEditor::complete(EditLine* editor, int) {
  const LineInfo* line = el_line(editor);
  const std::string before(line->buffer, static_cast<size_t>(line->cursor - line->buffer));
  const std::string word = before.substr(wordStart(before));
  const std::vector<std::string> found = of(editor).completions(before);
  if (found.empty()) return CC_REFRESH_BEEP;
  std::string replacement = commonPrefix(found);
  if (found.size() == 1 && replacement.back() != '/')
    replacement += replacement.front() == '"' ? "\" " : " ";
  if (replacement.size() > word.size() || replacement.compare(0, word.size(), word) != 0) {
    el_deletestr(editor, static_cast<int>(word.size()));
    el_insertstr(editor, replacement.c_str());
    return CC_REFRESH;
  }
  // Nothing to add: show the choices under the line.
  std::fputs("\n", stdout);
  for (const std::string& choice : found) std::printf("%s  ", choice.c_str());
  std::fputs("\n", stdout);
  return CC_REDISPLAY;
}

unsigned char LineEditor::cancel(EditLine* editor, int) {
  of(editor).m_cancelled = true;
  return CC_NEWLINE;
}

int LineEditor::readCharacter(EditLine*, wchar_t* character) {
  unsigned char byte = 0;
  int status = readByte(byte);
  if (status == 2 || (status == 1 && byte == 0x1b && !moreBytesWaiting())) {
    *character = kCancelKey;
    return 1;
  }
  if (status != 1) return status;
  const int length = byte < 0x80 ? 1 : byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
  wchar_t value = length == 1 ? byte : byte & (0x7F >> length);
  for (int i = 1; i < length; ++i) {
    if (readByte(byte) != 1) return -1;
    value = (value << 6) | (byte & 0x3F);
  }
  *character = value;
  return 1;
}
