#include "support/ZelphExceptions.h"
#include "AcDbTransactionManager.h"

#include "CException.h"
#include "MessageBox.h"
#include "TextCodec.h"
#include "acutads.h"
#include "support/NumberText.h"

namespace {

const wchar_t* const kCommandSource = L"blockEdit";

// Framework exceptions are thrown by pointer and freed with Delete().
struct FrameworkExceptionDelete {
  void operator()(CException* exception) const { exception->Delete(); }
};
using FrameworkException = std::unique_ptr<CException, FrameworkExceptionDelete>;

// "C:\src\BlockDWG.cpp" and "/src/BlockDWG.cpp" are both the unit BlockDWG.
std::wstring unitName(const std::wstring& source) {
  const size_t separator = source.find_last_of(L"\\/");
  std::wstring unit = separator == std::wstring::npos ? source : source.substr(separator + 1);
  const std::wstring extension = L".cpp";
  if (unit.size() > extension.size() && unit.compare(unit.size() - extension.size(), extension.size(), extension) == 0)
    unit.erase(unit.size() - extension.size());
  return unit;
}

// A method's own catch clause passes on the record the method raised.
bool raisedBy(const CEXZelph& record, const std::wstring& source, const std::wstring& function) {
  return record.getFunction() == function && record.getSource() == unitName(source);
}

std::wstring hostFailureMessage(Acad::ErrorStatus status, int line, const std::wstring& drawingName) {
  std::wstring message = L"The following AutoCAD error occurred on line#" + std::to_wstring(line) + L": " +
                         acadErrorStatusText(status);
  if (!drawingName.empty()) message += L", whilst processing drawing " + drawingName;
  return message + L".";
}

std::wstring frameworkMessage(const CException& exception) {
  ACHAR buffer[255] = {};
  exception.GetErrorMessage(buffer, 255);
  return buffer;
}

std::wstring hatchDensityMessage(const std::wstring& subject, const std::wstring& pattern, double scale,
                                 const wchar_t* verdict) {
  return L"Unable to hatch " + subject + L". " + pattern + L" set at scale " + CNumberText::format(scale, 2) +
         L" " + verdict;
}

}  // namespace

CEXZelph::CEXZelph(const std::wstring& banner, const std::wstring& source, const std::wstring& function,
                   const std::wstring& message, int status, int severity, std::unique_ptr<CEXZelph> cause)
    : m_banner(banner),
      m_source(unitName(source)),
      m_function(function),
      m_message(message),
      m_status(status),
      m_severity(severity),
      m_cause(std::move(cause)) {}

CEXZelph::~CEXZelph() = default;

std::unique_ptr<CEXZelph> CEXZelph::additionalHatchAreas(const std::wstring& source, const std::wstring& function,
                                                         const std::wstring& spaceName) {
  return std::make_unique<CEXZelph>(ZELPH_BANNER, source, function,
                                    L"Unable to apply additional hatch areas to Zelph Block: " + spaceName + L".", 0, 1);
}

std::unique_ptr<CEXZelph> CEXZelph::noHatchAreas(const std::wstring& source, const std::wstring& function,
                                                 const std::wstring& spaceName) {
  return std::make_unique<CEXZelph>(ZELPH_BANNER, source, function,
                                    L"Unable to apply no hatch areas to Zelph Block: " + spaceName + L".", 0, 1);
}

std::unique_ptr<CEXZelph> CEXZelph::hatchNotClosed(const std::wstring& source, const std::wstring& function,
                                                   const std::wstring& spaceName, const std::wstring& handle) {
  return std::make_unique<CEXZelph>(ZELPH_BANNER, source, function,
                                    L"Unable to hatch Zelph Block: " + spaceName + L". Handle: " + handle +
                                        L". Please check the polyline is closed.",
                                    0, 2);
}

std::unique_ptr<CEXZelph> CEXZelph::hatchTooSparse(const std::wstring& source, const std::wstring& function,
                                                   const std::wstring& subject, const std::wstring& pattern,
                                                   double scale) {
  return std::make_unique<CEXZelph>(ZELPH_BANNER, source, function,
                                    hatchDensityMessage(subject, pattern, scale, L"is not dense enough to be displayed."),
                                    0, 1);
}

std::unique_ptr<CEXZelph> CEXZelph::hatchTooDense(const std::wstring& source, const std::wstring& function,
                                                  const std::wstring& subject, const std::wstring& pattern,
                                                  double scale) {
  return std::make_unique<CEXZelph>(ZELPH_BANNER, source, function,
                                    hatchDensityMessage(subject, pattern, scale, L"is too dense to be displayed."), 0, 1);
}

std::wstring CEXZelph::getBanner() const { return m_banner; }
std::wstring CEXZelph::getSource() const { return m_source; }
std::wstring CEXZelph::getFunction() const { return m_function; }
std::wstring CEXZelph::getMessage() const { return m_message; }
int CEXZelph::getStatus() const { return m_status; }
int CEXZelph::getSeverity() const { return m_severity; }
const CEXZelph* CEXZelph::getCause() const { return m_cause.get(); }

std::wstring CEXZelph::chainText(bool withSource) const {
  std::wstring text;
  std::wstring indent;
  const CEXZelph* record = this;
  for (;; record = record->m_cause.get(), indent += L'\t') {
    text += indent;
    if (withSource) text += record->m_source + L"::";
    text += record->m_function;
    if (!record->m_cause) break;
    text += L'\n';
  }
  return text + L"\n\n" + record->m_message;
}

std::wstring CEXZelph::messageBoxText() const { return chainText(true); }
std::wstring CEXZelph::commandLineText() const { return chainText(false); }

void CEXZelph::displayMessageBox() const {
  MessageBoxW(nullptr, messageBoxText().c_str(), L"Error Detected.", MB_OK | MB_ICONSTOP);
}

void CEXZelph::displayCommandLine() const { acutPrintf(L"%s\n", commandLineText().c_str()); }

void CEXZelph::deleteChain() { delete this; }

CEXUnhandled::CEXUnhandled(const std::wstring& banner, const std::wstring& source, const std::wstring& function,
                           int status, std::unique_ptr<CEXZelph> cause)
    : CEXZelph(banner, source, function, L"unhandled error", status, 2, std::move(cause)) {}

CEXUnhandled::CEXUnhandled(const std::wstring& banner, const std::wstring& source, const std::wstring& function,
                           Acad::ErrorStatus status, int line, const std::wstring& drawingName,
                           std::unique_ptr<CEXZelph> cause)
    : CEXZelph(banner, source, function, hostFailureMessage(status, line, drawingName), status, 2, std::move(cause)) {}

CEXUnhandled::CEXUnhandled(const std::wstring& banner, const std::wstring& source, const std::wstring& function,
                           const std::wstring& message, int status)
    : CEXZelph(banner, source, function, message, status, 2) {}

CEXUnhandled::CEXUnhandled(const std::wstring& banner, const std::wstring& source, const std::wstring& function,
                           const CException& exception, int status, std::unique_ptr<CEXZelph> cause)
    : CEXZelph(banner, source, function, frameworkMessage(exception), status, 2, std::move(cause)) {}

CEXUnhandled::CEXUnhandled(const std::wstring& banner, const std::wstring& source, const std::wstring& function,
                           const std::exception& exception, int status, std::unique_ptr<CEXZelph> cause)
    : CEXZelph(banner, source, function, utf8ToWide(exception.what()), status, 2, std::move(cause)) {}

CEXCustom::CEXCustom(const std::wstring& banner, const std::wstring& source, const std::wstring& function,
                     const std::wstring& message, int status, std::unique_ptr<CEXZelph> cause)
    : CEXZelph(banner, source, function, message, status, 2, std::move(cause)) {}

CEXInvalidHandle::CEXInvalidHandle(const std::wstring& banner, const std::wstring& source,
                                   const std::wstring& function, const std::wstring& handle)
    : CEXZelph(banner, source, function, L"Invalid Handle - " + handle, 0, 1) {}

CEXSegmentAreaOverTotal::CEXSegmentAreaOverTotal(const std::wstring& banner, const std::wstring& source,
                                                 const std::wstring& function, double segmentTotal,
                                                 double specifiedTotal)
    : CEXZelph(banner, source, function,
               L"Unable to calculate pie chart percentages the total segment area (" +
                   CNumberText::format(segmentTotal, 2) + L") is greater than the specified total area (" +
                   CNumberText::format(specifiedTotal, 2) + L").",
               0, 1) {}

void CZelphExceptions::add(std::unique_ptr<CEXZelph> record) { m_records.push_back(std::move(record)); }

void CZelphExceptions::addCaught(const std::wstring& source, const std::wstring& function) {
  try {
    zelphRethrow(source, function);
  } catch (CEXZelph* caught) {
    add(std::unique_ptr<CEXZelph>(caught));
  }
}

void CZelphExceptions::addAll(CZelphExceptions& other) {
  for (auto& record : other.m_records) m_records.push_back(std::move(record));
  other.m_records.clear();
}

int CZelphExceptions::count() const { return static_cast<int>(m_records.size()); }

const CEXZelph* CZelphExceptions::getAt(int index) const { return m_records.at(static_cast<size_t>(index)).get(); }

void CZelphExceptions::displayMessageBoxes() const {
  for (const auto& record : m_records) record->displayMessageBox();
}

void CZelphExceptions::displayCommandLines() const {
  for (const auto& record : m_records) record->displayCommandLine();
}

void CZelphExceptions::deleteObjects() {
  ZELPH_TRY
    m_records.clear();
  ZELPH_CATCH(L"CZelphExceptions::deleteObjects")
}

void zelphRethrow(const std::wstring& source, const std::wstring& function) {
  try {
    throw;
  } catch (CEXZelph* caught) {
    std::unique_ptr<CEXZelph> record(caught);
    if (raisedBy(*record, source, function)) throw record.release();
    throw new CEXUnhandled(ZELPH_BANNER, source, function, 0, std::move(record));
  } catch (CException* caught) {
    caught->Delete();
    throw new CEXUnhandled(ZELPH_BANNER, source, function, 0, nullptr);
  } catch (...) {
    throw new CEXUnhandled(ZELPH_BANNER, source, function, 0, nullptr);
  }
}

namespace {

std::unique_ptr<CEXZelph> commandRecord(const std::wstring& function) {
  try {
    throw;
  } catch (CEXZelph* caught) {
    std::unique_ptr<CEXZelph> record(caught);
    if (raisedBy(*record, kCommandSource, function)) return record;
    return std::make_unique<CEXUnhandled>(ZELPH_BANNER, kCommandSource, function, 0, std::move(record));
  } catch (CException* caught) {
    const FrameworkException owned(caught);
    return std::make_unique<CEXUnhandled>(ZELPH_BANNER, kCommandSource, function, *owned, 0, nullptr);
  } catch (...) {
    return std::make_unique<CEXUnhandled>(ZELPH_BANNER, kCommandSource, function, 0, nullptr);
  }
}

}  // namespace

void zelphCommandFailed(const std::wstring& function) {
  if (acdbTransactionManager->numActiveTransactions() > 0) acdbTransactionManager->abortTransaction();
  zelphReportCommandFailure(function);
}

void zelphReportCommandFailure(const std::wstring& function) {
  // Nothing may escape a command handler into the host.
  try {
    commandRecord(function)->displayMessageBox();
  } catch (...) {
  }
}
