// The module's commands with their groups, names and flags, added to the
// host's command stack at load and removed group by group at unload.
#pragma once

#include <vector>

#include "AcEdCommandStack.h"

struct CCommandEntry {
  const ACHAR* group;
  const ACHAR* globalName;
  const ACHAR* localName;
  int flags;
  AcRxFunctionPtr handler;
  // Only hosts that are full CAD products have the command.
  bool fullProductOnly;
};

class CCommandTable {
 public:
  static const std::vector<CCommandEntry>& entries();
  static const std::vector<const ACHAR*>& groups();
  static void registerCommands(bool fullProduct);
  static void removeCommands();
};
