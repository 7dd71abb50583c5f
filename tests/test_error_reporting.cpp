// Error records: how a failure deep down arrives at a command as a chain,
// and how the chain is shown.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <stdexcept>

#include "CException.h"
#include "HostSession.h"
#include "TestSupport.h"
#include "support/ZelphExceptions.h"

namespace {

// Captures what the host shows while it lives.
class Transcript {
 public:
  Transcript() { HostSession::instance().setOutput(&m_out); }
  ~Transcript() { HostSession::instance().setOutput(&std::cout); }
  std::string text() const { return m_out.str(); }

 private:
  std::ostringstream m_out;
};

int g_failedCallLine = 0;

struct Inner {
  static void fail() {
    ZELPH_TRY
      g_failedCallLine = __LINE__; ZELPH_CHECK_STATUS(Acad::eWasErased, L"CInner::fail", L"Plan.dwg");
    ZELPH_CATCH(L"CInner::fail")
  }
};

struct Middle {
  static int work() {
    ZELPH_TRY
      Inner::fail();
      return 1;
    ZELPH_CATCH(L"CMiddle::work")
  }
};

struct Foreign {
  static void failWith(int kind) {
    ZELPH_TRY
      if (kind == 0) throw std::runtime_error("boom");
      if (kind == 1) throw new CException(L"framework failure");
      throw 42;
    ZELPH_CATCH(L"CForeign::failWith")
  }
};

std::unique_ptr<CEXZelph> caught(void (*body)()) {
  try {
    body();
  } catch (CEXZelph* record) {
    return std::unique_ptr<CEXZelph>(record);
  }
  return nullptr;
}

}  // namespace

TEST(ErrorRecord, SourceIsCutToTheUnitName) {
  EXPECT_EQ(CEXZelph(ZELPH_BANNER, L"C:\\src\\spaces\\BlockDWG.cpp", L"f", L"m").getSource(), L"BlockDWG");
  EXPECT_EQ(CEXZelph(ZELPH_BANNER, L"/work/src/BlockDWG.cpp", L"f", L"m").getSource(), L"BlockDWG");
  EXPECT_EQ(CEXZelph(ZELPH_BANNER, L"blockEdit", L"f", L"m").getSource(), L"blockEdit");
  // Only the exact extension is removed.
  EXPECT_EQ(CEXZelph(ZELPH_BANNER, L"C:\\src\\BlockDWG.CPP", L"f", L"m").getSource(), L"BlockDWG.CPP");
}

TEST(ErrorRecord, KindsCarryTheirMessagesAndSeverity) {
  const CEXUnhandled host(ZELPH_BANNER, L"AcadDrawing.cpp", L"CAcadDrawing::lock", Acad::eLockViolation, 120,
                          L"Plan.dwg", nullptr);
  EXPECT_EQ(host.getMessage(), std::wstring(L"The following AutoCAD error occurred on line#120: ") +
                                   acadErrorStatusText(Acad::eLockViolation) + L", whilst processing drawing Plan.dwg.");
  EXPECT_EQ(host.getStatus(), Acad::eLockViolation);
  EXPECT_EQ(host.getSeverity(), 2);

  const CEXUnhandled noDrawing(ZELPH_BANNER, L"x", L"f", Acad::eKeyNotFound, 7, L"", nullptr);
  EXPECT_EQ(noDrawing.getMessage(), std::wstring(L"The following AutoCAD error occurred on line#7: ") +
                                        acadErrorStatusText(Acad::eKeyNotFound) + L".");

  EXPECT_EQ(CEXUnhandled(ZELPH_BANNER, L"x", L"f", 0, nullptr).getMessage(), L"unhandled error");
  EXPECT_EQ(CEXInvalidHandle(ZELPH_BANNER, L"x", L"f", L"2A").getMessage(), L"Invalid Handle - 2A");
  EXPECT_EQ(CEXInvalidHandle(ZELPH_BANNER, L"x", L"f", L"2A").getSeverity(), 1);
  EXPECT_EQ(CEXSegmentAreaOverTotal(ZELPH_BANNER, L"x", L"f", 120.456, 100).getMessage(),
            L"Unable to calculate pie chart percentages the total segment area (120.46) is greater than the "
            L"specified total area (100.00).");
  EXPECT_EQ(CEXUnhandled(ZELPH_BANNER, L"x", L"f", std::runtime_error("bad cast"), 0, nullptr).getMessage(),
            L"bad cast");
  EXPECT_EQ(CEXUnhandled(ZELPH_BANNER, L"x", L"f", CException(L"no memory"), 0, nullptr).getMessage(), L"no memory");
}

TEST(ErrorRecord, CollectedHatchRecords) {
  EXPECT_EQ(CEXZelph::additionalHatchAreas(L"BlockDWG", L"f", L"R1")->getMessage(),
            L"Unable to apply additional hatch areas to Zelph Block: R1.");
  EXPECT_EQ(CEXZelph::noHatchAreas(L"BlockDWG", L"f", L"R1")->getMessage(),
            L"Unable to apply no hatch areas to Zelph Block: R1.");
  const auto notClosed = CEXZelph::hatchNotClosed(L"BlockDWG", L"f", L"R1", L"1F");
  EXPECT_EQ(notClosed->getMessage(), L"Unable to hatch Zelph Block: R1. Handle: 1F. Please check the polyline is closed.");
  EXPECT_EQ(notClosed->getSeverity(), 2);
  EXPECT_EQ(CEXZelph::hatchTooSparse(L"BlockDWG", L"f", L"Room 1", L"ANSI31", 0.5)->getMessage(),
            L"Unable to hatch Room 1. ANSI31 set at scale 0.50 is not dense enough to be displayed.");
  EXPECT_EQ(CEXZelph::hatchTooDense(L"BlockDWG", L"f", L"Room 1", L"ANSI31", 2)->getMessage(),
            L"Unable to hatch Room 1. ANSI31 set at scale 2.00 is too dense to be displayed.");
}

TEST(CatchPattern, EveryMethodPassedAddsOneIndentedLine) {
  const auto record = caught([] { Middle::work(); });
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->getFunction(), L"CMiddle::work");
  EXPECT_EQ(record->getSource(), L"test_error_reporting");
  EXPECT_EQ(record->getMessage(), L"unhandled error");
  const std::wstring innermost = std::wstring(L"The following AutoCAD error occurred on line#") +
                                 std::to_wstring(g_failedCallLine) + L": " + acadErrorStatusText(Acad::eWasErased) +
                                 L", whilst processing drawing Plan.dwg.";
  EXPECT_EQ(record->messageBoxText(),
            L"test_error_reporting::CMiddle::work\n\ttest_error_reporting::CInner::fail\n\n" + innermost);
  EXPECT_EQ(record->commandLineText(), L"CMiddle::work\n\tCInner::fail\n\n" + innermost);
}

TEST(CatchPattern, ForeignFailuresBecomeUnhandledRecordsWithoutCause) {
  for (int kind = 0; kind < 3; ++kind) {
    std::unique_ptr<CEXZelph> record;
    try {
      Foreign::failWith(kind);
    } catch (CEXZelph* thrown) {
      record.reset(thrown);
    }
    ASSERT_NE(record, nullptr) << kind;
    EXPECT_EQ(record->getCause(), nullptr);
    EXPECT_EQ(record->messageBoxText(), L"test_error_reporting::CForeign::failWith\n\nunhandled error");
  }
}

TEST(CatchPattern, ARecordWithoutCauseShowsOneLineThenItsMessage) {
  const CEXUnhandled record(ZELPH_BANNER, L"Blocks.cpp", L"CBlocks::find", L"nothing found", 0);
  EXPECT_EQ(record.messageBoxText(), L"Blocks::CBlocks::find\n\nnothing found");
  EXPECT_EQ(record.commandLineText(), L"CBlocks::find\n\nnothing found");
}

TEST(CatchPattern, CommandHandlersShowOneBoxAndReturn) {
  Transcript transcript;
  const auto handler = [] {
    ZELPH_TRY
      Middle::work();
    ZELPH_COMMAND_CATCH(L"zelphRefreshTags")
  };
  ASSERT_NO_THROW(handler());
  const std::string text = transcript.text();
  EXPECT_EQ(spatiary_test::countOccurrences(text, "Error Detected."), 1);
  EXPECT_NE(text.find("blockEdit::zelphRefreshTags\n\ttest_error_reporting::CMiddle::work\n"
                      "\t\ttest_error_reporting::CInner::fail\n\nThe following AutoCAD error"),
            std::string::npos)
      << text;
}

TEST(CatchPattern, CommandHandlersReportFrameworkExceptionsByTheirMessage) {
  Transcript transcript;
  const auto handler = [] {
    ZELPH_TRY
      throw new CFileException(L"The file is locked.", L"a.csv");
    ZELPH_COMMAND_CATCH(L"createRoomAreaCSV")
  };
  ASSERT_NO_THROW(handler());
  EXPECT_NE(transcript.text().find("blockEdit::createRoomAreaCSV\n\nThe file is locked."), std::string::npos)
      << transcript.text();
}

TEST(CollectedErrors, AreShownInOrderAndFreed) {
  CZelphExceptions errors;
  {
    Transcript transcript;
    errors.displayMessageBoxes();
    errors.displayCommandLines();
    EXPECT_EQ(transcript.text(), "");
  }
  errors.add(CEXZelph::noHatchAreas(L"BlockDWG", L"CBlockDWG::hatch", L"R1"));
  errors.add(CEXZelph::noHatchAreas(L"BlockDWG", L"CBlockDWG::hatch", L"R2"));
  ASSERT_EQ(errors.count(), 2);
  Transcript transcript;
  errors.displayCommandLines();
  EXPECT_EQ(transcript.text(),
            "CBlockDWG::hatch\n\nUnable to apply no hatch areas to Zelph Block: R1.\n"
            "CBlockDWG::hatch\n\nUnable to apply no hatch areas to Zelph Block: R2.\n");
  errors.displayMessageBoxes();
  EXPECT_EQ(spatiary_test::countOccurrences(transcript.text(), "Error Detected."), 2);
  errors.deleteObjects();
  EXPECT_EQ(errors.count(), 0);
}
