// The module's resources: its dialog templates and menus.  A pointer to
// them is the module's instance handle, which commands push so that the
// host makes the module's dialogs.
#pragma once

#include "ResourceTable.h"

class CModuleResources {
 public:
  static HINSTANCE instance();
};
