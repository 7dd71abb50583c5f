// The host's console: where prompts are written and answers read.  The
// `spatiary` program connects it to a script, to standard input, or to a
// line editor on a terminal; tests connect it to strings.  Everything the
// editor, message boxes and dialogs show goes through here, so one
// transcript holds the whole session.  It also keeps the run's failures:
// a script stops at its first one unless told to keep going.
#pragma once

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

class HostSession {
 public:
  // Reads one line after showing the prompt; nothing at the end of input.
  using LineEditor = std::function<std::optional<std::string>(const std::string& prompt)>;

  static HostSession& instance();

  // Input lines are read from this stream (not owned); null means none.
  void setInput(std::istream* in);
  // A person types the answers through this editor (empty: none); the
  // session is interactive while one is set.
  void setLineEditor(LineEditor editor);
  bool interactive() const;
  // Output goes to this stream (not owned); standard output by default.
  void setOutput(std::ostream* out);

  // Writes the prompt, then reads one line (without its line end).  Returns
  // nothing at the end of input; from then on every read returns nothing.
  std::optional<std::wstring> readLine(const std::wstring& prompt);
  // The line the next readLine returns, left unread; nothing at the end of
  // input or in an interactive session.
  std::optional<std::wstring> peekLine();
  bool atEndOfInput() const;
  // A person may type again after ending the input (Ctrl-D at a terminal).
  void resumeInput();
  // The number of lines read so far: the line a failure belongs to.
  size_t lineNumber() const;
  // Answers read are written after their prompt (on by default; off when a
  // person types them at a terminal).
  void setEcho(bool echo);

  void print(const std::wstring& text);
  void printUtf8(const std::string& text);
  // Ends the current output line unless it is empty, so a block such as a
  // message box starts on a line of its own.
  void startLine();
  void flush();
  // A status line drawn over the current terminal line (empty: cleared),
  // only when the output is a terminal.
  void showStatus(const std::wstring& text);
  void setTerminalOutput(bool terminal);

  // Says the message and counts a failure of the run.  A script that stops
  // at failures reads no more input after its first one.
  void fail(const std::wstring& message);
  // Counts a failure the console has shown already (an error box).
  void countFailure(const std::wstring& message);
  int failureCount() const;
  // Whether a script stops at its first failure (the default) or keeps going.
  void setStopAtFailure(bool stop);
  // Each failure of a script is also reported here (not owned; null: not
  // reported), as "script line N: message".
  void setFailureReport(std::ostream* report);
  // Forgets the failures and line count, for a new run.
  void resetFailures();

  // What the host tells its modules about itself.
  const std::wstring& productName() const;
  void setProductName(const std::wstring& name);
  // The folder the shell reports as application data (SHGetFolderPath).
  void setAppDataFolder(const std::wstring& folder);
  // $XDG_DATA_HOME, else ~/.local/share.
  static std::wstring defaultAppDataFolder();

 private:
  HostSession();
  std::optional<std::string> nextLine(const std::wstring& prompt);
  // One line of the input stream; a line too long to be an answer is *cancel*.
  std::optional<std::string> streamLine();

  std::istream* m_in;
  std::ostream* m_out;
  LineEditor m_editor;
  std::optional<std::string> m_peeked;
  bool m_ended = false;
  bool m_echo = true;
  bool m_atLineStart = true;
  bool m_terminalOutput = false;
  bool m_statusShown = false;
  size_t m_lineNumber = 0;
  int m_failures = 0;
  bool m_stopAtFailure = false;
  bool m_stopped = false;
  std::ostream* m_failureReport = nullptr;
  std::wstring m_product;
};
