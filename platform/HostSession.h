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

  void print(const std::wstring& text);
  void printUtf8(const std::string& text);

  // What the host tells its modules about itself.
  const std::wstring& productName() const;
  void setProductName(const std::wstring& name);
  // The machine's shared application-data folder.
  const std::wstring& appDataFolder() const;
  void setAppDataFolder(const std::wstring& folder);

 private:
  HostSession();
  std::istream* m_in;
  std::ostream* m_out;
  bool m_ended = false;
  std::wstring m_product;
  std::wstring m_appData;
};
