// mprefs and the load step that makes sure a preferences file exists.
#include <fstream>

#include "ShlObj.h"
#include "module/CommandShell.h"
#include "module/commands.h"
#include "support/FileUtilities.h"
#include "support/Preferences.h"
#include "support/ZelphExceptions.h"
#include "tools/PresPreferences.h"

namespace {

bool preferencesFileReadable() {
  const CPreferences preferences;
  return std::ifstream(CFileUtilities::nativePath(preferences.getFilePath())).is_open();
}

// The shared application-data folder as the shell names it; empty when it
// names none.
std::wstring sharedAppDataFolder() {
  ACHAR path[MAX_PATH];
  if (FAILED(SHGetFolderPath(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
  return path;
}

}  // namespace

void zelphPreferences() {
  CCommandShell shell(L"Zelph Edit Preferences");
  // A failure while saving must not reach the host either.
  ZELPH_TRY
    CPresPreferences dialog;
    dialog.DoModal();
  ZELPH_COMMAND_CATCH(L"zelphPreferences")
}

void checkPreferencesExist() {
  CCommandShell shell;
  ZELPH_TRY
    const std::wstring root = sharedAppDataFolder();
    if (root.empty()) return;
    CPreferences::setWorkingFolders(root);
    CFileUtilities::ensureDirectoryExists(CPreferences::preferencesFolder());
    CFileUtilities::ensureDirectoryExists(CPreferences::temporaryFolder());
    if (preferencesFileReadable()) return;
    CPresPreferences dialog;
    dialog.DoModal();
  ZELPH_COMMAND_CATCH(L"checkPreferencesExist")
}
