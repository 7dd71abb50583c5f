#include "AcEdCommandStack.h"

#include <algorithm>
#include <cwctype>

namespace {

std::wstring nameKey(const std::wstring& name) {
  std::wstring key = name;
  std::transform(key.begin(), key.end(), key.begin(), [](wchar_t c) { return static_cast<wchar_t>(std::towupper(c)); });
  return key;
}

bool isBlank(const ACHAR* text) { return text == nullptr || *text == L'\0'; }

}  // namespace

Acad::ErrorStatus AcEdCommandStack::addCommand(const ACHAR* group, const ACHAR* globalName, const ACHAR* localName,
                                               int flags, AcRxFunctionPtr function, void*, int, HINSTANCE,
                                               AcEdCommand** commandOut) {
  if (isBlank(group) || isBlank(globalName) || function == nullptr) return Acad::eInvalidInput;
  const auto existing = m_byGlobalName.find(nameKey(globalName));
  if (existing != m_byGlobalName.end() && existing->second->group == group) return Acad::eDuplicateKey;
  auto command = std::make_unique<AcEdCommand>(
      AcEdCommand{group, globalName, isBlank(localName) ? globalName : localName, flags, function});
  index(command.get());
  if (commandOut != nullptr) *commandOut = command.get();
  m_commands.push_back(std::move(command));
  return Acad::eOk;
}

Acad::ErrorStatus AcEdCommandStack::removeGroup(const ACHAR* group) {
  if (group == nullptr) return Acad::eInvalidInput;
  const auto before = m_commands.size();
  m_commands.erase(std::remove_if(m_commands.begin(), m_commands.end(),
                                  [group](const auto& command) { return command->group == group; }),
                   m_commands.end());
  if (m_commands.size() == before) return Acad::eKeyNotFound;
  reindex();
  return Acad::eOk;
}

Acad::ErrorStatus AcEdCommandStack::removeCmd(const ACHAR* group, const ACHAR* globalName) {
  if (group == nullptr || globalName == nullptr) return Acad::eInvalidInput;
  const std::wstring key = nameKey(globalName);
  const auto found = std::find_if(m_commands.begin(), m_commands.end(), [&](const auto& command) {
    return command->group == group && nameKey(command->globalName) == key;
  });
  if (found == m_commands.end()) return Acad::eKeyNotFound;
  m_commands.erase(found);
  reindex();
  return Acad::eOk;
}

const AcEdCommand* AcEdCommandStack::lookupCmd(const ACHAR* name) const {
  if (isBlank(name)) return nullptr;
  const std::wstring key = nameKey(name);
  if (const auto global = m_byGlobalName.find(key); global != m_byGlobalName.end()) return global->second;
  const auto local = m_byLocalName.find(key);
  return local != m_byLocalName.end() ? local->second : nullptr;
}

std::vector<const AcEdCommand*> AcEdCommandStack::commands() const {
  std::vector<const AcEdCommand*> all;
  all.reserve(m_commands.size());
  for (const auto& command : m_commands) all.push_back(command.get());
  return all;
}

void AcEdCommandStack::reindex() {
  m_byGlobalName.clear();
  m_byLocalName.clear();
  for (const auto& command : m_commands) index(command.get());
}

void AcEdCommandStack::index(AcEdCommand* command) {
  m_byGlobalName[nameKey(command->globalName)] = command;
  m_byLocalName[nameKey(command->localName)] = command;
}

AcEdCommandStack* acedRegisteredCommands() {
  static AcEdCommandStack* const stack = [] {
    auto* made = new AcEdCommandStack;
    delete acrxSysRegistry()->atPut(ACRX_COMMAND_DOCK, made);
    return made;
  }();
  return stack;
}
