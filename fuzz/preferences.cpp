// The preferences loader over an arbitrary prefs.cfg.  Whatever it reads,
// the values it keeps must be usable: finite, and within the ranges the
// loader promises.
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "FuzzFiles.h"
#include "FuzzTarget.h"
#include "TextCodec.h"
#include "support/Preferences.h"
#include "support/ZelphExceptions.h"

SPATIARY_FUZZ_TARGET(preferences) {
  static const bool folders = [] {
    CPreferences::setWorkingFolders(utf8ToWide(spatiary_fuzz::scratchFolder()));
    std::error_code error;
    std::filesystem::create_directories(wideToUtf8(CPreferences::preferencesFolder()), error);
    return !error;
  }();
  if (!folders) std::abort();
  spatiary_fuzz::writeScratchFile("ZelphSystems/Spatiary/prefs/prefs.cfg", data, size);
  CPreferences preferences;
  try {
    if (preferences.loadPreferences() != 1) std::abort();
  } catch (CEXZelph* record) {
    // A file it cannot read is said, not a crash.
    record->deleteChain();
    return 0;
  }
  const bool usable = std::isfinite(preferences.getTextSize()) && preferences.getTextSize() > 0.0 &&
                      std::isfinite(preferences.getTextScale()) && preferences.getTextScale() > 0.0 &&
                      std::fabs(preferences.getTextRotation()) <= 180.0 &&
                      std::isfinite(preferences.getZoomBorder()) && preferences.getIncrement() >= 1 &&
                      preferences.getIncrement() <= 100;
  if (!usable) std::abort();
  return 0;
}
