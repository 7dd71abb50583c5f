// One undo group around what the host runs for one input line (a command,
// or a dialog's button): everything it changes in the current drawing, and
// in any drawing it opens, is undone by one u in that drawing.  A command
// that fails is rolled back through it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "AcApDocManager.h"

class AcDbDatabase;

class CommandGroup : public AcApDocManagerReactor {
 public:
  // name: what u says it undid ("MBC").
  explicit CommandGroup(const std::wstring& name);
  // Keeps each drawing's group when it changed the drawing, within
  // UNDOLIMIT groups.
  ~CommandGroup() override;
  CommandGroup(const CommandGroup&) = delete;
  CommandGroup& operator=(const CommandGroup&) = delete;

  // Undoes what the command changed; the groups go on empty.
  void rollBack();

  void documentCreated(AcApDocument* document) override;

 private:
  struct Drawing {
    AcApDocument* document;
    AcDbDatabase* database;
    // The history's depth before the group began.
    size_t depth;
  };
  void begin(AcApDocument* document);
  // The drawing's database while the document the group began in is open with it.
  static AcDbDatabase* stillOpen(const Drawing& drawing);

  std::wstring m_name;
  std::vector<Drawing> m_drawings;
};
