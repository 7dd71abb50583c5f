// The block hyperlinker as a planner uses it: mbh, a block picked, its
// five rows of address and description edited and applied to that block
// or to every block of its definition, the drawing saved and read back by
// ezdxf; cancelling changes nothing.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "SpaceDrawings.h"
#include "TestSupport.h"

using namespace spatiary_test;

namespace {

// Two rooms, two desks (the first already linked) and a chair; prints
// "NAME HANDLE" per reference in drawing order.
const char* kFurnish = R"py(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
desk = doc.blocks.new("DESK")
desk.add_lwpolyline([(0, 0), (800, 0), (800, 400), (0, 400)], close=True)
desk.add_attdef("ASSET_NO", (0, 0), dxfattribs={"height": 100})
doc.blocks.new("CHAIR").add_circle((0, 0), 200)
msp = doc.modelspace()
first = msp.add_blockref("DESK", (500, 500))
first.add_auto_attribs({"ASSET_NO": "A-1"})
first.set_hyperlink("http://old", "Old")
msp.add_blockref("DESK", (13000, 500)).add_auto_attribs({"ASSET_NO": "A-2"})
msp.add_blockref("CHAIR", (2000, 3000))
doc.saveas(sys.argv[1])
for insert in msp.query("INSERT"):
    print(insert.dxf.name, insert.dxf.handle)
)py";

// Per reference: its links, whether it carries a space record, and its
// attributes with their places.
const char* kReadLinks = R"py(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
print("audit-errors", len(doc.audit().errors))
for insert in doc.modelspace().query("INSERT"):
    urls = [value for code, value in insert.get_xdata("PE_URL") if code == 1000] if insert.has_xdata("PE_URL") else []
    attribs = " ".join("%s=%s@%d,%d" % (a.dxf.tag, a.dxf.text, round(a.dxf.insert.x), round(a.dxf.insert.y))
                       for a in insert.attribs)
    print(insert.dxf.name, insert.get_hyperlink(), urls, "record" if insert.has_xdata("ADE") else "no-record",
          attribs)
)py";

class BlockHyperlinker : public SpaceCommandTest {
 protected:
  void SetUp() override {
    makeSpaceDrawing(drawing, 2);
    const auto furnished = runPython(kFurnish, {drawing});
    ASSERT_EQ(furnished.exitCode, 0) << furnished.output;
    std::istringstream lines(furnished.output);
    std::string block, handle;
    while (lines >> block >> handle) handles.emplace(block, handle);
    ASSERT_EQ(handles.size(), 5u) << furnished.output;
  }

  std::string handle(const std::string& block, int nth = 0) const {
    auto found = handles.lower_bound(block);
    std::advance(found, nth);
    return found->second;
  }

  std::string readBack(const std::string& file) {
    const auto read = runPython(kReadLinks, {file});
    EXPECT_EQ(read.exitCode, 0) << read.output;
    EXPECT_EQ(read.output.rfind("audit-errors 0\n", 0), 0u) << read.output;
    return read.output;
  }

  std::multimap<std::string, std::string> handles;
};

TEST_F(BlockHyperlinker, RowsAppliedToOneSpaceInRowOrder) {
  const std::string before = readBack(drawing);
  // The first click finds the Apply button still disabled.
  const auto result = runWithRefusals("mbh\n@show\n@click 229\n@click 233\n#" + handle("ROOM-1") +
                          "\n"
                          "@set 232 http://plans/1\n@set 291 Plan\n"
                          "@set 235 file:///leases/1.pdf\n"
                          "@set 228 http://plans/1\n@set 294 Again\n"
                          "@set 234 typed\n@set 234 \n"
                          "@click 229\n@show\n@close\n");
  EXPECT_NE(result.output.find("Zelph Block Hyperlink 64.04.04.00\nPlease select a block to hyperlink\n"),
            std::string::npos)
      << result.output;
  EXPECT_NE(result.output.find("\nSelect a Block: "), std::string::npos);
  EXPECT_NE(result.output.find("Block Selected\n"), std::string::npos);
  EXPECT_NE(result.output.find("1 block affected.\n"), std::string::npos) << result.output;
  // What the drawing now holds, read back into the rows.
  for (const char* field : {"232 edit \"http://plans/1\"", "291 edit \"Plan\"", "234 edit \"file:///leases/1.pdf\"",
                            "292 edit \"file:///leases/1.pdf\"", "235 edit \"\"", "228 edit \"\"",
                            "303 static \"ROOM-1\""})
    EXPECT_NE(result.output.rfind(field), std::string::npos) << field << "\n" << result.output;

  const std::string after = readBack(saved);
  EXPECT_NE(after.find("ROOM-1 ('http://plans/1', 'Plan', '') ['http://plans/1', 'Plan', '', "
                       "'file:///leases/1.pdf', 'file:///leases/1.pdf', ''] record "),
            std::string::npos)
      << after;
  // Only the links changed: records, labels and the other blocks are as they were.
  std::istringstream was(before), is(after);
  for (std::string old, now; std::getline(was, old) && std::getline(is, now);)
    if (old.rfind("ROOM-1 ", 0) != 0) EXPECT_EQ(now, old);
    else EXPECT_EQ(now.substr(now.find("] record ")), old.substr(old.find("] record ")));
}

TEST_F(BlockHyperlinker, RowsAppliedToEveryBlockOfTheDefinition) {
  const auto result = run("mbh\n@click 233\n#" + handle("DESK") +
                          "\n@show\n"
                          "@set 234 http://desks\n@check 296 1\n@click 1\n");
  for (const char* field : {"232 edit \"http://old\"", "291 edit \"Old\"", "303 static \"DESK\""})
    EXPECT_NE(result.output.find(field), std::string::npos) << field << "\n" << result.output;
  EXPECT_NE(result.output.find("2 block(s) affected.\n"), std::string::npos) << result.output;

  const std::string after = readBack(saved);
  EXPECT_EQ(countOccurrences(after, "DESK ('http://old', 'Old', '') ['http://old', 'Old', '', "
                                    "'http://desks', 'http://desks', ''] no-record ASSET_NO=A-"),
            2)
      << after;
  EXPECT_NE(after.find("DESK ('http://old', 'Old', '') ['http://old', 'Old', '', 'http://desks', "
                       "'http://desks', ''] no-record ASSET_NO=A-1@500,500\n"),
            std::string::npos)
      << after;
  EXPECT_NE(after.find("CHAIR ('', '', '') [] no-record \n"), std::string::npos) << after;
  EXPECT_EQ(countOccurrences(after, "ROOM-1 ('', '', '') [] record "), 1) << after;
}

// An address changed later takes along the description that copied it,
// as read from the drawing or as followed while typing; a description of
// the user's own stays.
TEST_F(BlockHyperlinker, TheDescriptionFollowsAChangedAddressItCopied) {
  const auto result = run("mbh\n@click 233\n#" + handle("DESK") +
                          "\n@set 234 http://plans/1\n@click 229\n"
                          "@set 234 http://plans/2\n@set 232 http://new\n"
                          "@set 235 http://a\n@set 235 http://b\n"
                          "@set 230 http://c\n@set 295 Lease\n@set 230 http://d\n"
                          "@click 1\n");
  EXPECT_EQ(countOccurrences(result.output, "1 block affected.\n"), 2) << result.output;
  const std::string after = readBack(saved);
  EXPECT_NE(after.find("DESK ('http://new', 'Old', '') ['http://new', 'Old', '', 'http://plans/2', 'http://plans/2', "
                       "'', 'http://b', 'http://b', '', 'http://d', 'Lease', ''] no-record ASSET_NO=A-1@500,500\n"),
            std::string::npos)
      << after;
}

TEST_F(BlockHyperlinker, CancelOrAPickOfNothingLeavesTheDrawingAsItWas) {
  const std::string untouched = (scratch / "untouched.dxf").string();
  const auto plain = runSpatiary({"--appdata", (scratch / "appdata").string(), "-o", untouched, drawing}, "");
  ASSERT_EQ(plain.exitCode, 0) << plain.output;
  const auto result = run("mbh\n@click 233\n*cancel*\n@click 233\n#" + handle("ROOM-2") +
                          "\n@set 232 http://lost\n@check 296 1\n@click 302\n");
  EXPECT_NE(result.output.find("A new block has not been selected\n"), std::string::npos) << result.output;
  EXPECT_EQ(result.output.find("affected"), std::string::npos) << result.output;
  EXPECT_EQ(readFile(saved), readFile(untouched));
}

}  // namespace
