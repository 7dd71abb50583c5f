#include "ResourceTable.h"

namespace {
HINSTANCE currentResources = nullptr;
}

void ResourceTable::addDialog(DialogTemplate dialog) {
  const UINT id = dialog.id;
  m_dialogs[id] = std::move(dialog);
}

const DialogTemplate* ResourceTable::findDialog(UINT id) const {
  const auto found = m_dialogs.find(id);
  return found != m_dialogs.end() ? &found->second : nullptr;
}

void ResourceTable::addString(UINT id, std::wstring text) { m_strings[id] = std::move(text); }

const std::wstring* ResourceTable::findString(UINT id) const {
  const auto found = m_strings.find(id);
  return found != m_strings.end() ? &found->second : nullptr;
}

HINSTANCE AfxGetResourceHandle() { return currentResources; }

void AfxSetResourceHandle(HINSTANCE resources) { currentResources = resources; }
