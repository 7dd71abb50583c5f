// Editing spaces: mbe opens the space editor, mbh the block hyperlinker.
#include "module/CommandShell.h"
#include "module/commands.h"
#include "support/ZelphExceptions.h"
#include "tools/HyperPres.h"
#include "tools/PresBlockEdit.h"

void zelphBlockEdit() {
  CCommandShell shell(L"Zelph Block Edit");
  ZELPH_TRY
    CPresBlockEdit::open();
  ZELPH_COMMAND_CATCH(L"blockEdit")
}

void zelphBlockHyperlink() {
  CCommandShell shell(L"Zelph Block Hyperlink");
  ZELPH_TRY
    CHyperPres::open();
  ZELPH_COMMAND_CATCH(L"blockHyperlink")
}
