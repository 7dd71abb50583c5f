#include "module/CommandTable.h"

#include "module/commands.h"

namespace {
constexpr int kModal = ACRX_CMD::kModal;
// Runs in the application's context; the handler locks the document itself.
constexpr int kSession = ACRX_CMD::kSession;
}  // namespace

const std::vector<CCommandEntry>& CCommandTable::entries() {
  static const std::vector<CCommandEntry> table = {
      {L"ZELPH_COMMANDS", L"mbe", L"zelphBlockEdit", kModal, zelphBlockEdit, false},
      {L"ZELPH_COMMANDS", L"mbh", L"zelphBlockHyperlink", kModal, zelphBlockHyperlink, false},
      {L"ZELPH_COMMANDS", L"mbc", L"zelphBlockCreate", kModal, zelphBlockCreate, false},
      {L"ZELPH_COMMANDS", L"mgabc", L"zelphGrossAreaBlockCreate", kSession, zelphGrossAreaBlockCreate, false},
      {L"ZELPH_COMMANDS", L"mdb", L"zelphDeleteBlock", kSession, zelphDeleteBlock, false},
      {L"ZELPH_COMMANDS", L"mcsv", L"zelphCommaSeperatedValues", kSession, zelphCommaSeperatedValues, false},
      {L"ZELPH_COMMANDS", L"mifc", L"zelphIfcExport", kSession, zelphIfcExport, false},
      {L"ZELPH_COMMANDS", L"mlbd", L"zelphLegendBlockDefine", kSession, zelphLegendBlockDefine, false},
      {L"ZELPH_COMMANDS", L"mpbd", L"zelphPieBlockDefine", kSession, zelphPieBlockDefine, false},
      {L"ZELPH_COMMANDS", L"mgr", L"zelphGraphicReport", kSession, zelphGraphicReport, false},
      {L"ZELPH_COMMANDS", L"magr", L"zelphApplyGraphicReport", kSession, zelphApplyGraphicReport, false},
      {L"ZELPH_COMMANDS", L"mfrs", L"mfrs", kSession, mfrs, false},
      {L"ZELPH_COMMANDS", L"mlmc", L"zelphLegendMarkerCreate", kModal, zelphLegendMarkerCreate, true},
      {L"ZELPH_COMMANDS", L"mpmc", L"zelphPieMarkerCreate", kModal, zelphPieMarkerCreate, true},
      {L"ZELPH_UTIL", L"mus", L"zelphUpdateSpaces", kSession, zelphUpdateSpaces, false},
      {L"ZELPH_UTIL", L"msxta", L"zelphSyncXDataToAttributes", kSession, zelphSyncXDataToAttributes, false},
      {L"ZELPH_UTIL", L"mut", L"zelphUpdateText", kSession, zelphUpdateText, false},
      {L"ZELPH_UTIL", L"maux", L"zelphAuxilarator", kSession, zelphAuxilarator, false},
      {L"ZELPH_UTIL", L"mrt", L"zelphRefreshTags", kSession, zelphRefreshTags, false},
      {L"ZELPH_UTIL", L"mbta", L"zelphBlankThirdAttribute", kSession, zelphBlankThirdAttribute, false},
      {L"ZELPH_DIAG", L"mlb", L"zelphListBlocks", kSession, zelphListBlocks, false},
      {L"ZELPH_ADMIN", L"mprefs", L"zelphPreferences", kModal, zelphPreferences, false},
      {L"ZELPH_HELP", L"m?", L"mhelp", kSession, mhelp, false},
      {L"ZELPH_HELP", L"md?", L"mdiagnosticshelp", kSession, mdiagnosticshelp, false},
      {L"ZELPH_SECRET", L"msc_has", L"msc_has", kSession, msc_has, false},
      {L"ZELPH_SECRET", L"msc_hs", L"msc_hs", kSession, msc_hs, false},
      {L"ZELPH_SECRET", L"msc_isc", L"msc_isc", kSession, msc_isc, false},
      {L"ZELPH_SECRET", L"msc_cal", L"msc_cal", kSession, msc_cal, false},
      {L"ZELPH_SECRET", L"msc_dsd", L"msc_dsd", kSession, msc_dsd, false},
      {L"ZELPH_DIAGNOSTICS", L"mda", L"zelphDiagnosticAll", kSession, zelphDiagnosticAll, false},
      {L"ZELPH_DIAGNOSTICS", L"md1", L"zelphDiagnosticBasic", kSession, zelphDiagnosticBasic, false},
      {L"ZELPH_DIAGNOSTICS", L"md3", L"zelphDiagnosticDialog", kSession, zelphDiagnosticDialog, false},
      {L"ZELPH_DIAGNOSTICS", L"md4", L"zelphDiagnosticErrorsA", kSession, zelphDiagnosticErrorsA, false},
      {L"ZELPH_DIAGNOSTICS", L"md5", L"zelphDiagnosticErrorsB", kSession, zelphDiagnosticErrorsB, false},
      {L"ZELPH_DIAGNOSTICS", L"md6", L"zelphDiagnosticErrorsC", kSession, zelphDiagnosticErrorsC, false},
      {L"ZELPH_DIAGNOSTICS", L"md7", L"zelphDiagnosticErrorsD", kSession, zelphDiagnosticErrorsD, false},
      {L"ZELPH_DIAGNOSTICS", L"md8", L"zelphDiagnosticUserInput", kSession, zelphDiagnosticUserInput, false},
      {L"ZELPH_DIAGNOSTICS", L"md9", L"zelphDiagnosticXML", kSession, zelphDiagnosticXML, false},
  };
  return table;
}

const std::vector<const ACHAR*>& CCommandTable::groups() {
  static const std::vector<const ACHAR*> order = {L"ZELPH_COMMANDS", L"ZELPH_UTIL",   L"ZELPH_DIAG",
                                                  L"ZELPH_ADMIN",    L"ZELPH_HELP",   L"ZELPH_SECRET",
                                                  L"ZELPH_DIAGNOSTICS"};
  return order;
}

void CCommandTable::registerCommands(bool fullProduct) {
  for (const CCommandEntry& entry : entries()) {
    if (entry.fullProductOnly && !fullProduct) continue;
    acedRegCmds->addCommand(entry.group, entry.globalName, entry.localName, entry.flags, entry.handler);
  }
}

void CCommandTable::removeCommands() {
  for (const ACHAR* group : groups()) acedRegCmds->removeGroup(group);
}
