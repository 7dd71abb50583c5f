// Questions on the command line: prompt with default, answer, echo.
#include <gtest/gtest.h>

#include <sstream>

#include "HostSession.h"
#include "host/AcadUtilities.h"

namespace {

// Answers the questions asked while it lives with the given lines.
class Console {
 public:
  explicit Console(const std::string& answers) : m_in(answers) {
    HostSession::instance().setInput(&m_in);
    HostSession::instance().setOutput(&m_out);
  }
  ~Console() {
    HostSession::instance().setInput(nullptr);
    HostSession::instance().setOutput(&std::cout);
  }
  std::string text() const { return m_out.str(); }

 private:
  std::istringstream m_in;
  std::ostringstream m_out;
};

}  // namespace

TEST(IntegerQuestion, EnterTakesTheDefault) {
  Console console("\n");
  int value = 0;
  CAcadUtilities::getInteger(L"Step", 3, value);
  EXPECT_EQ(value, 3);
  EXPECT_NE(console.text().find("Step <3>:"), std::string::npos) << console.text();
  EXPECT_NE(console.text().find(" 3\n"), std::string::npos) << console.text();
}

TEST(IntegerQuestion, AnAnswerIsTakenAndCancelKeepsTheDefault) {
  Console console("42\n*cancel*\n");
  int value = 0;
  CAcadUtilities::getInteger(L"Step", 3, value);
  EXPECT_EQ(value, 42);
  CAcadUtilities::getInteger(L"Step", 3, value);
  EXPECT_EQ(value, 3);
}

TEST(DecimalQuestion, DefaultAndEchoUseTheDecimals) {
  Console console("\n3.14159\n");
  double value = 0;
  CAcadUtilities::getDouble(L"Text height", 2.5, 2, value);
  EXPECT_DOUBLE_EQ(value, 2.5);
  CAcadUtilities::getDouble(L"Text height", 2.5, 2, value);
  EXPECT_DOUBLE_EQ(value, 3.14159);
  EXPECT_NE(console.text().find("Text height <2.50>:"), std::string::npos) << console.text();
  EXPECT_NE(console.text().find(" 2.50\n"), std::string::npos);
  EXPECT_NE(console.text().find(" 3.14\n"), std::string::npos);
}

TEST(BooleanQuestion, OnlyLowerCaseYesWordsAreTrue) {
  Console console("yes\nYes\n\n");
  bool value = false;
  CAcadUtilities::getBoolean(L"Hatch", false, value);
  EXPECT_TRUE(value);
  CAcadUtilities::getBoolean(L"Hatch", true, value);
  EXPECT_FALSE(value);
  CAcadUtilities::getBoolean(L"Hatch", true, value);
  EXPECT_TRUE(value);
  EXPECT_NE(console.text().find("Hatch <0>:"), std::string::npos) << console.text();
  EXPECT_NE(console.text().find(" 1\n"), std::string::npos);
}

TEST(TextQuestion, EnterGivesTheDefaultAndCancelAsksAgain) {
  Console console("\n*cancel*\nRoom 101\n");
  std::wstring text;
  CAcadUtilities::getString(L"Space name", L"R1", text);
  EXPECT_EQ(text, L"R1");
  CAcadUtilities::getString(L"Space name", L"R1", text);
  EXPECT_EQ(text, L"Room 101");
  const std::string out = console.text();
  EXPECT_NE(out.find("\nSpace name <R1>:"), std::string::npos) << out;
  EXPECT_NE(out.find("\nInvalid input! - Space name <R1>:"), std::string::npos) << out;
  EXPECT_NE(out.find(" Room 101\n"), std::string::npos) << out;
}

TEST(TextQuestion, WithoutDefaultTheReplyMayBeEmptyAndIsNotEchoed) {
  Console console("*cancel*\na b c\n\n");
  EXPECT_EQ(CAcadUtilities::getString(L"Find"), L"a b c");
  EXPECT_EQ(CAcadUtilities::getString(L"Find"), L"");
  const std::string out = console.text();
  EXPECT_NE(out.find("\nFind:"), std::string::npos) << out;
  EXPECT_NE(out.find("\nInvalid input! - Find"), std::string::npos) << out;
}

TEST(TextQuestion, ACancelOfTheQuestionAskedAgainEndsIt) {
  Console console("*cancel*\n*cancel*\n*cancel*\n*cancel*\n");
  std::wstring text;
  EXPECT_FALSE(CAcadUtilities::getString(L"Space name", L"R1", text));
  EXPECT_EQ(text, L"R1");
  EXPECT_EQ(CAcadUtilities::askString(L"Find"), std::nullopt);
  EXPECT_NE(console.text().find("\nInvalid input! - Find"), std::string::npos) << console.text();
}

TEST(TextQuestion, TheEndOfInputEndsTheQuestion) {
  Console console("");
  std::wstring text;
  CAcadUtilities::getString(L"Path", L"c:\\x.xml", text);
  EXPECT_EQ(text, L"c:\\x.xml");
}
