// One undo group of the current drawing around what the host runs for one
// input line (a command, or a dialog's button): everything it changes is
// undone by one u.  A command that fails is rolled back through it.
#pragma once

#include <cstddef>
#include <string>

class AcApDocument;
class AcDbDatabase;

class CommandGroup {
 public:
  // name: what u says it undid ("MBC").
  explicit CommandGroup(const std::wstring& name);
  // Keeps the group when it changed the drawing, within UNDOLIMIT groups.
  ~CommandGroup();
  CommandGroup(const CommandGroup&) = delete;
  CommandGroup& operator=(const CommandGroup&) = delete;

  // Undoes what the command changed; the group ends empty.
  void rollBack();

 private:
  // The drawing's history, while the drawing the group began in is open.
  AcDbDatabase* database() const;

  std::wstring m_name;
  AcApDocument* m_document;
  AcDbDatabase* m_database;
  // The history's depth before the group began.
  size_t m_depth = 0;
};
