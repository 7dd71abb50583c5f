// m? and md?: the command listings.
#include <initializer_list>

#include "acutads.h"
#include "module/CommandShell.h"
#include "module/commands.h"

namespace {

const wchar_t* const kSeparator = L"-\n";

void printLines(std::initializer_list<const wchar_t*> lines) {
  for (const wchar_t* line : lines) acutPrintf(L"%s", line);
}

void printHeading(const wchar_t* heading) { acutPrintf(L"%s\n", heading); }

}  // namespace

void mhelp() {
  CCommandShell shell;
  printLines({L"  command   fullname                      Description\n\n", kSeparator});
  printHeading(L"VKT Suite Commands");
  printLines({
      L"    mbe     zelphBlockEdit                Edit zelph blocks.\n",
      L"    mbh     zelphBlockHyperlink           Multiple hyperlink blocks.\n",
      L"    mbc     zelphBlockCreate              Create a zelph block.\n",
      L"    mgabc   zelphGrossAreaBlockCreate     Create a zelph gross area block.\n",
      L"    mdb     zelphDeleteBlock              Delete zelph block.\n",
      L"    mcsv    zelphCommaSeperatedValues     Export drawing details to csv.\n",
      kSeparator,
      kSeparator,
  });
  printHeading(L"Utilities");
  printLines({
      L"    mus     zelphUpdateSpaces             Recalculate all areas and perimeters\n",
      L"                                          in the drawing. Updates attributes if xdata\n",
      L"                                          and attribute value are linked\n",
      L"    msxta   zelphSyncXDataToAttributes\t  Copies xdata values to appropriate attributes.\n",
      L"                                          Recalculates xdata if specified.\n",
      L"    mbta     zelphBlankThirdAttribute     Set all third attribute (aux) values to \"\" i.e. blank\n",
      L"    mut     zelphUpdateText               Resize all attribute text to\n",
      L"                                          preferences default value.\n",
      L"    maux    zelphAuxilarator              Add auxillary tags to zelph blocks\n",
      L"                                          which do not have an auxillary tag.\n",
      L"    mlb     zelphListBlocks               List the block name and identifiers\n",
      L"                                          in the drawing.\n",
      kSeparator,
  });
  printHeading(L"Administration");
  printLines({L"    mprefs  zelphPreferences              Edit preferences.\n", kSeparator});
  printHeading(L"Help");
  printLines({
      L"    m?      mhelp                         Displays details of the zelph.\n",
      L"                                          commands avaialble in this version of\n",
      L"                                          the Spatiary.\n",
      kSeparator,
      kSeparator,
  });
}

void mdiagnosticshelp() {
  CCommandShell shell;
  printLines({L"  command      fullname                      Description\n\n", kSeparator});
  printHeading(L"Zelph Diagnostics");
  printLines({
      L"    mda     zelphDiagnosticAll            Runs all diagnostic routines.\n",
      L"    md1     zelphDiagnosticBasic          Tests output to commandline.\n",
      L"    md3     zelphDiagnosticDialog         Test Dialogs.\n",
      L"    md4     zelphDiagnosticErrorsA        Throws and handles test error.\n",
      L"    md5     zelphDiagnosticErrorsB        Throws and handles test error.\n",
      L"    md6     zelphDiagnosticErrorsC        Retrieves Function name.\n",
      L"    md7     zelphDiagnosticErrorsD        Retrieves File name.\n",
      L"    md8     zelphDiagnosticUserInput      Tests User Input.\n",
      L"    md9     zelphDiagnosticXML            Test XML output.\n",
      kSeparator,
      kSeparator,
  });
}
