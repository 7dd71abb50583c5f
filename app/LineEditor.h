// A person's prompt on a terminal, through libedit: line editing, history
// kept between runs, Tab completion of command names and file paths, and
// Esc or Ctrl-C cancelling the prompt that waits.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

struct editline;
struct history;

class LineEditor {
 public:
  // The history file is read now and written after every line.
  LineEditor(std::string historyFile, std::function<std::vector<std::string>()> commandNames);
  ~LineEditor();
  LineEditor(const LineEditor&) = delete;
  LineEditor& operator=(const LineEditor&) = delete;

  // One line typed after the prompt; "*cancel*" for Esc or Ctrl-C; nothing
  // for Ctrl-D on an empty line.
  std::optional<std::string> read(const std::string& prompt);

  // The completions of the word before the cursor, for the line so far.
  std::vector<std::string> completions(const std::string& before) const;

 private:
  static char* promptOf(editline* editor);
  static unsigned char complete(editline* editor, int key);
  static unsigned char cancel(editline* editor, int key);
  static int readCharacter(editline* editor, wchar_t* character);
  static LineEditor& of(editline* editor);
  void remember(const std::string& line);

  editline* m_editor;
  history* m_history;
  std::string m_historyFile;
  std::function<std::vector<std::string>()> m_commandNames;
  std::string m_prompt;
  bool m_cancelled = false;
};
