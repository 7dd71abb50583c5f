// Error records.  A failure travels up as a chain of CEXZelph records, one per
// method it passed through, and is shown once by the command that ran it.
// Records are created on the heap and thrown by pointer; a record owns its
// cause, and whoever catches a record owns it.
#pragma once

#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "Acad.h"

class CException;

#define ZELPH_BANNER L"ZELPH VKT 64bit BricsCAD 18"
// Source unit of the method at hand; the record cuts it down to the unit name.
// A class whose methods stand in several files defines it before its includes.
#ifndef ZELPH_SOURCE
#define ZELPH_SOURCE (L"" __FILE__)
#endif

class CEXZelph {
 public:
  CEXZelph(const std::wstring& banner, const std::wstring& source, const std::wstring& function,
           const std::wstring& message, int status = 0, int severity = 2,
           std::unique_ptr<CEXZelph> cause = nullptr);
  virtual ~CEXZelph();
  CEXZelph(const CEXZelph&) = delete;
  CEXZelph& operator=(const CEXZelph&) = delete;

  // Records that are collected rather than thrown (hatching many spaces).
  static std::unique_ptr<CEXZelph> additionalHatchAreas(const std::wstring& source, const std::wstring& function,
                                                        const std::wstring& spaceName);
  static std::unique_ptr<CEXZelph> noHatchAreas(const std::wstring& source, const std::wstring& function,
                                                const std::wstring& spaceName);
  static std::unique_ptr<CEXZelph> hatchNotClosed(const std::wstring& source, const std::wstring& function,
                                                  const std::wstring& spaceName, const std::wstring& handle);
  static std::unique_ptr<CEXZelph> hatchTooSparse(const std::wstring& source, const std::wstring& function,
                                                  const std::wstring& subject, const std::wstring& pattern,
                                                  double scale);
  static std::unique_ptr<CEXZelph> hatchTooDense(const std::wstring& source, const std::wstring& function,
                                                 const std::wstring& subject, const std::wstring& pattern,
                                                 double scale);

  std::wstring getBanner() const;
  std::wstring getSource() const;
  std::wstring getFunction() const;
  std::wstring getMessage() const;
  int getStatus() const;
  int getSeverity() const;
  const CEXZelph* getCause() const;

  // The chain from this record inwards: one line per record, one more tab
  // per level, then a blank line and the innermost record's message.
  std::wstring messageBoxText() const;
  std::wstring commandLineText() const;
  void displayMessageBox() const;
  void displayCommandLine() const;
  // Frees the causes, innermost first, then this record.
  void deleteChain();

 private:
  std::wstring chainText(bool withSource) const;

  std::wstring m_banner;
  std::wstring m_source;
  std::wstring m_function;
  std::wstring m_message;
  int m_status;
  int m_severity;
  std::unique_ptr<CEXZelph> m_cause;
};

class CEXUnhandled : public CEXZelph {
 public:
  // Made by a catch clause around the record (or foreign failure) it caught.
  CEXUnhandled(const std::wstring& banner, const std::wstring& source, const std::wstring& function, int status,
               std::unique_ptr<CEXZelph> cause);
  // A host call that returned a failing status; line is that call's line.
  CEXUnhandled(const std::wstring& banner, const std::wstring& source, const std::wstring& function,
               Acad::ErrorStatus status, int line, const std::wstring& drawingName,
               std::unique_ptr<CEXZelph> cause);
  CEXUnhandled(const std::wstring& banner, const std::wstring& source, const std::wstring& function,
               const std::wstring& message, int status);
  // From a framework exception, which the caller still owns and frees.
  CEXUnhandled(const std::wstring& banner, const std::wstring& source, const std::wstring& function,
               const CException& exception, int status, std::unique_ptr<CEXZelph> cause);
  // From a standard-library exception.
  CEXUnhandled(const std::wstring& banner, const std::wstring& source, const std::wstring& function,
               const std::exception& exception, int status, std::unique_ptr<CEXZelph> cause);
};

class CEXCustom : public CEXZelph {
 public:
  CEXCustom(const std::wstring& banner, const std::wstring& source, const std::wstring& function,
            const std::wstring& message, int status, std::unique_ptr<CEXZelph> cause);
};

class CEXInvalidHandle : public CEXZelph {
 public:
  CEXInvalidHandle(const std::wstring& banner, const std::wstring& source, const std::wstring& function,
                   const std::wstring& handle);
};

class CEXSegmentAreaOverTotal : public CEXZelph {
 public:
  CEXSegmentAreaOverTotal(const std::wstring& banner, const std::wstring& source, const std::wstring& function,
                          double segmentTotal, double specifiedTotal);
};

// Records gathered during a bulk operation and shown together at its end.
class CZelphExceptions {
 public:
  void add(std::unique_ptr<CEXZelph> record);
  // Call only from inside a catch clause: keeps what was caught, a foreign
  // failure as a record naming the method.
  void addCaught(const std::wstring& source, const std::wstring& function);
  // Takes over the other list's records.
  void addAll(CZelphExceptions& other);
  int count() const;
  const CEXZelph* getAt(int index) const;
  void displayMessageBoxes() const;
  void displayCommandLines() const;
  void deleteObjects();

 private:
  std::vector<std::unique_ptr<CEXZelph>> m_records;
};

// Call only from inside a catch clause.  Wraps what was caught in a record
// naming the method and throws it; a record the method raised itself goes
// on as it is, so every method appears once in the chain.
[[noreturn]] void zelphRethrow(const std::wstring& source, const std::wstring& function);
// Call only from inside a command handler's catch clause: shows what was
// caught as one chain under the handler's report name and frees it.
void zelphReportCommandFailure(const std::wstring& function);
// The same, after rolling back what the failed command changed (its
// innermost open transaction).
void zelphCommandFailed(const std::wstring& function);

// The catch pattern of every method:
//   ZELPH_TRY ... body ... ZELPH_CATCH(L"CClass::method")
#define ZELPH_TRY try {
#define ZELPH_CATCH(function)                    \
  }                                              \
  catch (...) {                                  \
    zelphRethrow(ZELPH_SOURCE, function);        \
  }
// The catch pattern of a command handler, which reports instead of throwing.
#define ZELPH_COMMAND_CATCH(reportName)          \
  }                                              \
  catch (...) {                                  \
    zelphCommandFailed(reportName);              \
  }

// Raises the host-failure record for a status other than eOk, naming the
// line of the failed call.
#define ZELPH_CHECK_STATUS(status, function, drawingName)                                                    \
  do {                                                                                                       \
    const Acad::ErrorStatus zelphStatus = (status);                                                          \
    if (zelphStatus != Acad::eOk)                                                                            \
      throw new CEXUnhandled(ZELPH_BANNER, ZELPH_SOURCE, function, zelphStatus, __LINE__, drawingName, nullptr); \
  } while (false)
