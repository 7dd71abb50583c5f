// The graphic report reader over an arbitrary document.  A report it
// cannot take is refused with an error record; one it takes is read whole.
#include "FuzzFiles.h"
#include "FuzzTarget.h"
#include "TextCodec.h"
#include "reports/GraphicReport.h"
#include "support/ZelphExceptions.h"

SPATIARY_FUZZ_TARGET(graphic_report) {
  const std::string path = spatiary_fuzz::writeScratchFile("report.xml", data, size);
  CGraphicReport report;
  try {
    report.load(utf8ToWide(path));
  } catch (CEXZelph* record) {
    (void)record->messageBoxText();
    record->deleteChain();
  }
  return 0;
}
