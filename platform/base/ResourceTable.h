// A module's resources: dialog templates, strings and its version record.
// A pointer to a module's table is its instance handle; the document
// manager's resource handle says whose templates dialogs are made from.
#pragma once

#include <map>
#include <string>

#include "DialogTemplate.h"

class ResourceTable {
 public:
  void addDialog(DialogTemplate dialog);
  const DialogTemplate* findDialog(UINT id) const;
  void addString(UINT id, std::wstring text);
  const std::wstring* findString(UINT id) const;

 private:
  std::map<UINT, DialogTemplate> m_dialogs;
  std::map<UINT, std::wstring> m_strings;
};

typedef const ResourceTable* HINSTANCE;

HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE resources);
