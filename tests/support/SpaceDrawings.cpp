#include "SpaceDrawings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <iostream>
#include <sstream>

#include "AcApDocManager.h"
#include "HostSession.h"
#include "TestSupport.h"
#include "TextCodec.h"
#include "host/AcadDrawing.h"
#include "spaces/BlockDWG.h"
#include "spaces/Blocks.h"

namespace spatiary_test {

namespace {

const char* kMakeSpaces = R"(
import sys, ezdxf
path, count, options = sys.argv[1], int(sys.argv[2]), sys.argv[3].split()
doc = ezdxf.new("R2010")
doc.header["$INSUNITS"] = 4
doc.appids.add("ADE")
for layer in ("ATT-NAME", "ATT-AREA", "ATT-AUX"):
    doc.layers.add(layer)
msp = doc.modelspace()
feet = "feet" in options
spaces = [("ROOM-%d" % i, "Room %d" % i, 3000 + (i - 1) % 7 * 500, 4000) for i in range(1, count + 1)]
if "gross" in options:
    spaces.append(("ROOM-GROSS_AREA", "GROSS AREA", 10000, 10000))
for i, (name, label, width, height) in enumerate(spaces, 1):
    x0, y0 = (i - 1) % 50 * 12000, (i - 1) // 50 * 12000
    bx, by = x0 + 1000, y0 + 1000
    block = doc.blocks.new(name)
    block.add_lwpolyline([(x0 - bx, y0 - by), (x0 + width - bx, y0 - by), (x0 + width - bx, y0 + height - by),
                          (x0 - bx, y0 + height - by)], close=True)
    tags = [("AREA", 0), ("NAME", 375)] + ([] if "noaux" in options else [("AUX", -375)])
    for tag, dy in tags:
        block.add_attdef(tag, (0, dy), dxfattribs={"height": 250, "layer": "ATT-" + tag, "prompt": "Enter " + tag})
    area = width * height / 1e6 * (10.7639104167097 if feet else 1)
    perimeter = 2 * (width + height) / 1000 * (3.28083989501312 if feet else 1)
    stored = area + 1 if "stale" in options and i % 2 == 0 else area
    unit, length = ("sq.ft.", "ft.") if feet else ("sq.m.", "m.")
    texts = {"NAME": label, "AREA": "%.2f%s" % (stored, unit),
             "AUX": "%.2f%s" % (perimeter, length) if "linked" in options and i % 3 == 0 else " "}
    if "typed" in options and i % 5 == 0:
        texts["AREA"] = "see plan"
    ref = msp.add_blockref(name, (bx, by))
    for tag, dy in tags:
        shift = 600 if "askew" in options and tag != "AREA" else 0
        ref.add_attrib(tag, texts[tag], (bx + shift, by + dy + shift),
                       dxfattribs={"height": 250, "layer": "ATT-" + tag})
    items = ["AREA=%.2f%s" % (stored, unit), "PERIMETER=%.2f%s" % (perimeter, length), "NAME=" + label] + \
        [key + "=<Not Set>" for key in ("TAGTYPE", "AREA_TYPE", "COST_CENTRE", "DATE", "DATE_L_MOVE", "DEPT_CHARGE")] + \
        ["ROOM_HEIGHT=0.00" + length, "SPECIAL_REQ=<Not Set>", "TOT_STAFF=<Not Set>", "TOT_WKSTNS=<Not Set>",
         "VOLUME=0.00" + ("cu.ft." if feet else "cu.m."), "HANDLESTOMINUS=", "HANDLESTOADD="]
    ref.set_xdata("ADE", [(1002, "{")] + [(1000, item) for item in items] + [(1002, "}")])
doc.saveas(path)
)";

const char* kListSpaces = R"(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
print("audit-errors", len(doc.audit().errors))
for insert in doc.modelspace().query("INSERT"):
    if not insert.dxf.name.startswith("ROOM-"):
        continue
    attribs = {a.dxf.tag: a.dxf.text for a in insert.attribs}
    items = dict(value.split("=", 1) for code, value in insert.get_xdata("ADE") if code == 1000) \
        if insert.has_xdata("ADE") else {}
    print("|".join([insert.dxf.name] + [attribs.get(tag, "-") for tag in ("NAME", "AREA", "AUX")] +
                   [items.get(key, "-") for key in ("AREA", "PERIMETER", "NAME")]))
    if sys.argv[2] == "1":
        for a in insert.attribs:
            print("attribs", insert.dxf.name, a.dxf.tag, "%.0f" % a.dxf.insert.x, "%.0f" % a.dxf.insert.y,
                  "%.0f" % a.dxf.height, "%.0f" % a.dxf.rotation, a.dxf.layer)
)";

}  // namespace

void makeSpaceDrawing(const std::filesystem::path& path, int count, const std::string& options) {
  const auto made = runPython(kMakeSpaces, {path.string(), std::to_string(count), options});
  ASSERT_EQ(made.exitCode, 0) << made.output;
}

std::string listSpaces(const std::filesystem::path& path, bool withPlaces) {
  const auto listed = runPython(kListSpaces, {path.string(), withPlaces ? "1" : "0"});
  EXPECT_EQ(listed.exitCode, 0) << listed.output;
  EXPECT_EQ(listed.output.rfind("audit-errors 0\n", 0), 0u) << listed.output;
  return listed.output;
}

std::string readSpacesWithProject(const std::filesystem::path& path) {
  std::ostringstream transcript;
  HostSession::instance().setOutput(&transcript);
  std::string lines;
  if (acDocManager->appContextOpenDocument(utf8ToWide(path.string()).c_str()) != Acad::eOk) {
    ADD_FAILURE() << "cannot open " << path;
    return lines;
  }
  AcApDocument* document = acDocManager->curDocument();
  {
    CAcadDrawing drawing;
    drawing.bindCurrentDocument();
    CBlocks spaces;
    spaces.getZelphDWGBlocks_SS(drawing, false, L'f');
    for (int index = 0; index < spaces.getCount(); ++index) {
      const auto* space = static_cast<const CBlockDWG*>(spaces.getAt(index));
      char numbers[64];
      std::snprintf(numbers, sizeof numbers, "|%.2f|%.2f|%d|%d", space->getArea(), space->getPerimeter(),
                    space->getUnits(), space->getPrecision());
      lines += wideToUtf8(space->getBlockName() + L"|" + space->getName()) + numbers + "\n";
    }
  }
  acDocManager->closeDocument(document);
  HostSession::instance().setOutput(&std::cout);
  return lines;
}

SpaceCommandTest::SpaceCommandTest()
    : drawing((scratch / "spaces.dxf").string()), saved((scratch / "saved.dxf").string()) {
  usePreferences(0, 2);
}

void SpaceCommandTest::usePreferences(int units, int precision, const std::string& csvOpener) {
  const auto prefs = scratch / "appdata" / "ZelphSystems" / "Spatiary" / "prefs" / "prefs.cfg";
  std::filesystem::create_directories(prefs.parent_path());
  writeFile(prefs, "units\n" + std::to_string(units) + "\nprecison\n" + std::to_string(precision) +
                       "\ntextSize\n250.00\ntextScale\n1.00\ntextRotation\n0.00\ncsvOpener\n" + csvOpener +
                       "\nzoomBorder\n1000\ninc\n1\n");
}

RunResult SpaceCommandTest::run(const std::string& script, bool save) {
  std::vector<std::string> arguments = {"--appdata", (scratch / "appdata").string()};
  if (save) arguments.insert(arguments.end(), {"-o", saved});
  arguments.push_back(drawing);
  const auto result = runSpatiary(arguments, script);
  EXPECT_EQ(result.exitCode, 0) << result.output;
  EXPECT_EQ(countOccurrences(result.output, "Error Detected."), 0) << result.output;
  return result;
}

RunResult SpaceCommandTest::runWithRefusals(const std::string& script) {
  const auto result = runSpatiary({"--appdata", (scratch / "appdata").string(), "--keep-going", "-o", saved, drawing},
                                  script);
  EXPECT_EQ(result.exitCode, 1) << result.output;
  EXPECT_EQ(countOccurrences(result.output, "Error Detected."), 0) << result.output;
  return result;
}

}  // namespace spatiary_test
