// Drawings from other programs open: public drawings from CAD, CAM and GIS
// programs (R10 to 2013, ASCII and binary, whole and partial), and ezdxf's
// drawings in every version it writes.  Saved and read back by ezdxf, each
// holds the same entities on the same layers with the same geometry, and
// ezdxf's audit finds no error.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <sstream>

#include "TestSupport.h"
#include "TextCodec.h"
#include "dbmain.h"

using namespace spatiary_test;

namespace {

// The same drawing in every version ezdxf writes, ASCII and binary.
const char* const kMakeDrawings = R"py(
import sys, ezdxf
for version in ["R12", "R2000", "R2004", "R2007", "R2010", "R2013", "R2018"]:
    doc = ezdxf.new(version)
    doc.header["$INSUNITS"] = 6
    doc.layers.add("ROOMS", color=3)
    doc.linetypes.add("DASHED2", pattern=[1.0, 0.5, -0.5])
    msp = doc.modelspace()
    msp.add_line((0, 0), (6, 0), dxfattribs={"layer": "ROOMS", "linetype": "DASHED2"})
    msp.add_circle((5, 5), 2, dxfattribs={"color": 1})
    msp.add_arc((5, 5), 3, 0, 90)
    msp.add_text("Office", dxfattribs={"height": 0.5, "layer": "ROOMS"}).set_placement((1, 1))
    msp.add_polyline2d([(0, 0), (6, 0), (6, 6), (0, 6)], close=True, dxfattribs={"layer": "ROOMS"})
    msp.add_polyline3d([(0, 0, 0), (1, 1, 1)])
    msp.add_point((2, 2))
    msp.add_solid([(0, 0), (1, 0), (0, 1)])
    desk = doc.blocks.new("DESK")
    desk.add_line((0, 0), (1.6, 0))
    desk.add_attdef("TAG", (0, 0), dxfattribs={"height": 0.2})
    msp.add_blockref("DESK", (3, 3)).add_auto_attribs({"TAG": "D-1"})
    if version != "R12":
        msp.add_lwpolyline([(0, 0), (1, 0, 0, 0, 0.5), (1, 1)], format="xyseb", close=True)
        msp.add_mtext("Two\\Plines", dxfattribs={"char_height": 0.3})
    for binary in (False, True):
        doc.saveas("%s/ezdxf_%s%s.dxf" % (sys.argv[1], version, "_bin" if binary else ""), fmt="bin" if binary else "asc")
)py";

// Pairs of (original, saved): one line per pair, "OK" or what differs.
const char* const kCompare = R"py(
import sys, ezdxf

def value(v):
    if isinstance(v, float): return round(v, 6)
    if hasattr(v, "__iter__") and not isinstance(v, str): return tuple(round(c, 6) for c in v)
    return v

def describe(doc, raw):
    lines = []
    spaces = [doc.modelspace()] + [b for b in doc.blocks if not b.is_any_layout and b.name.encode() in raw]
    for space in spaces:
        for e in space:
            d = [e.dxftype(), e.dxf.get("layer", "0"), str(e.dxf.get("color", 256)),
                 e.dxf.get("linetype", "ByLayer").lower()]
            for key in ("start", "end", "center", "radius", "insert", "text", "name", "start_angle", "end_angle",
                        "tag", "location", "height", "flags"):
                if e.dxf.hasattr(key): d.append("%s=%s" % (key, value(e.dxf.get(key))))
            if e.dxftype() == "POLYLINE":
                d += [str((value(v.dxf.location), v.dxf.bulge, v.dxf.flags)) for v in e.vertices]
            if e.dxftype() == "LWPOLYLINE":
                d += [str(value(p)) for p in e.get_points()]
            if e.dxftype() == "INSERT":
                d += ["%s=%s" % (a.dxf.tag, a.dxf.text) for a in e.attribs]
            lines.append(" ".join(str(x) for x in d))
    return sorted(lines), sorted(l.dxf.name.lower() for l in doc.layers)

args = sys.argv[1:]
for original, saved in zip(args[::2], args[1::2]):
    name = original.rsplit("/", 1)[-1]
    try:
        before, after = ezdxf.readfile(original), ezdxf.readfile(saved)
    except Exception as error:
        print(name, "not read:", error); continue
    problems = ["audit: " + e.message for e in after.audit().errors]
    entities, layers = describe(before, open(original, "rb").read())
    entities_after, layers_after = describe(after, open(original, "rb").read())
    problems += ["lost: " + e for e in entities if e not in entities_after]
    problems += ["gained: " + e for e in entities_after if e not in entities]
    problems += ["layer lost: " + l for l in layers if l not in layers_after]
    print(name, "OK" if not problems and entities else "; ".join(problems) or "no entities")
)py";

std::vector<std::filesystem::path> drawingsIn(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> drawings;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) drawings.push_back(entry.path());
  std::sort(drawings.begin(), drawings.end());
  return drawings;
}

TEST(DrawingsFromOtherPrograms, OpenAndSaveWhatEzdxfReadsBackTheSame) {
  ScratchFolder folder;
  std::filesystem::create_directories(folder / "made");
  const RunResult made = runPython(kMakeDrawings, {(folder / "made").string()});
  ASSERT_EQ(made.exitCode, 0) << made.output;
  std::vector<std::filesystem::path> drawings = drawingsIn(sourceDir() / "tests/data/dxf-corpus");
  const std::vector<std::filesystem::path> generated = drawingsIn(folder / "made");
  ASSERT_EQ(generated.size(), 14u);
  drawings.insert(drawings.end(), generated.begin(), generated.end());

  std::vector<std::string> pairs;
  std::set<std::string> empty{"Minimal_DXF_AC1009.dxf", "Minimal_DXF_AC1021.dxf", "dxf_unicode.dxf", "small_r14.dxf"};
  for (const auto& drawing : drawings) {
    SCOPED_TRACE(drawing.filename().string());
    AcDbDatabase db(false);
    ASSERT_EQ(db.dxfIn(utf8ToWide(drawing.string()).c_str()), Acad::eOk) << wideToUtf8(db.lastErrorMessage());
    const std::filesystem::path saved = folder / ("saved-" + drawing.filename().string());
    ASSERT_EQ(db.saveAs(utf8ToWide(saved.string()).c_str()), Acad::eOk) << wideToUtf8(db.lastErrorMessage());
    pairs.push_back(drawing.string());
    pairs.push_back(saved.string());
  }
  const RunResult compared = runPython(kCompare, pairs);
  ASSERT_EQ(compared.exitCode, 0) << compared.output;
  std::istringstream lines(compared.output);
  size_t count = 0;
  for (std::string line; std::getline(lines, line); ++count) {
    const std::string name = line.substr(0, line.find(' '));
    EXPECT_EQ(line, name + (empty.count(name) ? " no entities" : " OK"));
  }
  EXPECT_EQ(count, drawings.size());
}

}  // namespace
