#include "SampleDrawingTest.h"

#include <iostream>

#include "AcDbHostApplicationServices.h"
#include "HostSession.h"
#include "TestSupport.h"
#include "TextCodec.h"

namespace spatiary_test {

std::wstring hexHandle(AcDbObjectId id) {
  ACHAR buffer[17];
  id.handle().getIntoAsciiBuffer(buffer);
  return buffer;
}

void SampleDrawingTest::SetUp() {
  const auto path = utf8ToWide(floorDrawing().string());
  ASSERT_EQ(db.dxfIn(path.c_str()), Acad::eOk);
  acdbHostApplicationServices()->setWorkingDatabase(&db);
  HostSession::instance().setOutput(&transcript);
}

void SampleDrawingTest::TearDown() {
  acdbHostApplicationServices()->setWorkingDatabase(nullptr);
  HostSession::instance().setInput(nullptr);
  HostSession::instance().setOutput(&std::cout);
}

void SampleDrawingTest::answer(const std::string& lines) {
  answers.str(lines);
  answers.clear();
  HostSession::instance().setInput(&answers);
}

}  // namespace spatiary_test
