// The host's command stack: commands registered by group, looked up by
// global or local name (ignoring case), removed group by group.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "AcRxObject.h"

typedef void (*AcRxFunctionPtr)();

namespace ACRX_CMD {
enum : int { kModal = 0x0, kTransparent = 0x1, kUsePickSet = 0x2, kSession = 0x200000 };
}

#define ACRX_COMMAND_DOCK L"ACAD_REGISTERED_COMMANDS"

struct AcEdCommand {
  std::wstring group;
  std::wstring globalName;
  std::wstring localName;
  int flags;
  AcRxFunctionPtr function;
};

class AcEdCommandStack : public AcRxObject {
 public:
  Acad::ErrorStatus addCommand(const ACHAR* group, const ACHAR* globalName, const ACHAR* localName, int flags,
                               AcRxFunctionPtr function, void* uiContext = nullptr, int functionCode = -1,
                               HINSTANCE resources = nullptr, AcEdCommand** commandOut = nullptr);
  Acad::ErrorStatus removeGroup(const ACHAR* group);
  Acad::ErrorStatus removeCmd(const ACHAR* group, const ACHAR* globalName);
  // By global name first, then local name; null when unknown.
  const AcEdCommand* lookupCmd(const ACHAR* name) const;
  std::vector<const AcEdCommand*> commands() const;

 private:
  // Rebuilds the name indexes after a removal; a later command of the same
  // name shadows an earlier one, as the top of the stack does.
  void reindex();
  void index(AcEdCommand* command);

  std::vector<std::unique_ptr<AcEdCommand>> m_commands;
  std::map<std::wstring, AcEdCommand*> m_byGlobalName, m_byLocalName;
};

// The host's command stack, entered under ACRX_COMMAND_DOCK in the system
// registry (which owns it) when first asked for.
AcEdCommandStack* acedRegisteredCommands();
#define acedRegCmds acedRegisteredCommands()
