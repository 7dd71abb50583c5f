// mda and md1 to md9: checks that the module can print, show a dialog,
// throw and catch its error records, read answers and write XML.
#include "acutads.h"
#include "host/AcadUtilities.h"
#include "module/CommandShell.h"
#include "module/commands.h"
#include "support/FileUtilities.h"
#include "support/Utilities.h"
#include "support/XMLUtilities.h"
#include "support/ZelphExceptions.h"

namespace {

const wchar_t* const kDiagnosticNamespace = L"urn:zelphsystems:spatiary:diagnostics";

// Throws a record and catches it again without showing anything.
void errorTest(const wchar_t* title, const wchar_t* banner, const wchar_t* source) {
  CCommandShell shell;
  acutPrintf(L"%s", title);
  try {
    throw new CEXUnhandled(banner, source, L"diagnosticErrorsB", L"test error", 0);
  } catch (CEXZelph* caught) {
    acutPrintf(L"the error has been handled - %s\n", caught->getMessage().c_str());
    caught->deleteChain();
    acutPrintf(L"zelph error handled successfully\n");
  } catch (...) {
    acutPrintf(L"zelph error handling failed\n");
  }
  acutPrintf(L"error handling test completed\n");
}

}  // namespace

void zelphDiagnosticAll() {
  zelphDiagnosticBasic();
  zelphDiagnosticErrorsA();
  zelphDiagnosticErrorsB();
  zelphDiagnosticErrorsC();
  zelphDiagnosticErrorsD();
  zelphDiagnosticUserInput();
  zelphDiagnosticXML();
}

void zelphDiagnosticBasic() {
  CCommandShell shell;
  acutPrintf(L"basic test - output to commandline\n");
  acutPrintf(L"basic test successful\n");
  acutPrintf(L"basic test completed\n");
}

void zelphDiagnosticDialog() {
  CCommandShell shell;
  ZELPH_TRY
    acutPrintf(L"dialog test - opens browse for file dialog\n");
    CFileUtilities::browseForFile(L"All Files (*.*)|*.*");
    acutPrintf(L"dialog test completed\n");
  ZELPH_COMMAND_CATCH(L"diagnosticDialog")
}

void zelphDiagnosticErrorsA() {
  errorTest(L"Error Test A - throws test error\n", L"blockEdit", L"diagnosticErrorsA");
}

void zelphDiagnosticErrorsB() {
  errorTest(L"Error Test B - throws test error\n", L"diagnostics", L"blockEdit");
}

void zelphDiagnosticErrorsC() {
  CCommandShell shell;
  ZELPH_TRY
    acutPrintf(L"Error Test C - retrieve function name\n");
    acutPrintf(L"function %s\n", L"diagnosticErrorsC");
  ZELPH_COMMAND_CATCH(L"diagnosticErrorsC")
}

void zelphDiagnosticErrorsD() {
  CCommandShell shell;
  ZELPH_TRY
    acutPrintf(L"Error Test C - retrieve file name\n");
    acutPrintf(L"file %s\n", L"blockEdit");
  ZELPH_COMMAND_CATCH(L"diagnosticErrorsD")
}

void zelphDiagnosticUserInput() {
  CCommandShell shell;
  ZELPH_TRY
    acutPrintf(L"user input test - tests boolean, double, integer, string input\n");
    bool answer = true;
    CAcadUtilities::getBoolean(L"testing boolean input. Type 0 or 1 and then enter", true, answer);
    acutPrintf(L"boolean user input test successful - %b\n", answer ? 1 : 0);
    double decimal = 0.0;
    CAcadUtilities::getDouble(L"testing decimal input. Type a decimal number and then enter", 1.001, 3, decimal);
    acutPrintf(L"decimal user input test successful - %s\n", CUtilities::DoubleToCString(decimal, 3).c_str());
    int integer = 0;
    CAcadUtilities::getInteger(L"testing integer input. Type an integer(whole) number and then enter", 27, integer);
    acutPrintf(L"integer user input test successful - %i\n", integer);
    std::wstring text;
    CAcadUtilities::getString(L"testing text input. Type some text and then enter", L"diagnosis", text);
    acutPrintf(L"text user input test successful - %s\n", text.c_str());
    acutPrintf(L"user input test finished\n");
  ZELPH_COMMAND_CATCH(L"diagnosticUserInput")
}

void zelphDiagnosticXML() {
  CCommandShell shell;
  ZELPH_TRY
    acutPrintf(L"xml test - outputs xml file to specified location\n");
    std::wstring path;
    CAcadUtilities::getString(L"please enter output file path", L"c:\\zelphDiagnosis.xml", path);
    if (CFileUtilities::fileExists(path)) CFileUtilities::deleteFile(path);
    CXMLUtilities written;
    written.createXMLDoc(L"root", kDiagnosticNamespace, L"");
    written.save(path);
    CXMLUtilities reread;
    reread.load(path);
    reread.createNode(reread.documentElement(), L"name", kDiagnosticNamespace, L"value");
    reread.save(path);
    acutPrintf(L"xml test completed successfully\n");
  ZELPH_COMMAND_CATCH(L"diagnosticXML")
}
