// The host's console: where prompts are written and answers read.  The
// `spatiary` program connects it to a script or to standard input; tests
// connect it to strings.  Everything the editor, message boxes and dialogs
// show goes through here, so one transcript holds the whole session.
#pragma once

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

class HostSession {
 public:
  static HostSession& instance();

  // Input lines are read from this stream (not owned); null means none.
  void setInput(std::istream* in);
  // Output goes to this stream (not owned); standard output by default.
  void setOutput(std::ostream* out);

  // Writes the prompt, then reads one line (without its line end).  Returns
  // nothing at the end of input; from then on every read returns nothing.
  std::optional<std::wstring> readLine(const std::wstring& prompt);
  bool atEndOfInput() const;
  // Answers read are written after their prompt (on by default; off when a
  // person types them at a terminal).
  void setEcho(bool echo);

  void print(const std::wstring& text);
  void printUtf8(const std::string& text);
  // Ends the current output line unless it is empty, so a block such as a
  // message box starts on a line of its own.
  void startLine();
  void flush();

  // What the host tells its modules about itself.
  const std::wstring& productName() const;
  void setProductName(const std::wstring& name);
  // The machine's shared application-data folder.
  const std::wstring& appDataFolder() const;
  void setAppDataFolder(const std::wstring& folder);
  // $XDG_DATA_HOME, else ~/.local/share.
  static std::wstring defaultAppDataFolder();

 private:
  HostSession();
  std::istream* m_in;
  std::ostream* m_out;
  bool m_ended = false;
  bool m_echo = true;
  bool m_atLineStart = true;
  std::wstring m_product;
  std::wstring m_appData;
};
