// The module's resources: its dialog templates and menus.  A pointer to
// them is the module's instance handle, which commands push so that the
// host makes the module's dialogs.
#pragma once

#include "ResourceTable.h"

class CModuleResources {
 public:
  static HINSTANCE instance();

  // Pushes the module's resources for a scope.  Handlers of modeless
  // dialogs run after the command that opened them has returned, so the
  // dialogs they open need the module's resources pushed again.
  class Scope {
   public:
    Scope();
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;
  };
};
