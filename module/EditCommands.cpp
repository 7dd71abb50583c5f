// Editing spaces: mbe opens the space editor.
#include "module/CommandShell.h"
#include "module/commands.h"
#include "support/ZelphExceptions.h"
#include "tools/PresBlockEdit.h"

void zelphBlockEdit() {
  CCommandShell shell(L"Zelph Block Edit");
  ZELPH_TRY
    CPresBlockEdit::open();
  ZELPH_COMMAND_CATCH(L"blockEdit")
}
