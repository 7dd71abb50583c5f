// The module's command handlers, one per command of the command table.
// Each runs inside the command shell and never lets a failure reach the host.
#pragma once

// ZELPH_COMMANDS
void zelphBlockEdit();
void zelphBlockHyperlink();
void zelphBlockCreate();
void zelphGrossAreaBlockCreate();
void zelphDeleteBlock();
void zelphCommaSeperatedValues();
void zelphIfcExport();
void zelphLegendBlockDefine();
void zelphPieBlockDefine();
void zelphGraphicReport();
void zelphApplyGraphicReport();
void mfrs();
void zelphLegendMarkerCreate();
void zelphPieMarkerCreate();

// ZELPH_UTIL
void zelphUpdateSpaces();
void zelphSyncXDataToAttributes();
void zelphUpdateText();
void zelphAuxilarator();
void zelphRefreshTags();
void zelphBlankThirdAttribute();

// ZELPH_DIAG
void zelphListBlocks();

// ZELPH_ADMIN
void zelphPreferences();

// ZELPH_HELP
void mhelp();
void mdiagnosticshelp();

// ZELPH_SECRET
void msc_has();
void msc_hs();
void msc_isc();
void msc_cal();
void msc_dsd();

// ZELPH_DIAGNOSTICS
void zelphDiagnosticAll();
void zelphDiagnosticBasic();
void zelphDiagnosticDialog();
void zelphDiagnosticErrorsA();
void zelphDiagnosticErrorsB();
void zelphDiagnosticErrorsC();
void zelphDiagnosticErrorsD();
void zelphDiagnosticUserInput();
void zelphDiagnosticXML();

// The load step: fixes the working folders and, when there is no
// preferences file yet, lets the user write one.
void checkPreferencesExist();
