// Hatches made through the database reach the file as another program
// draws them; hatches made elsewhere survive load and save; evaluating
// tells patterns too dense or too coarse for their boundary.
#include <gtest/gtest.h>

#include <cmath>

#include "AcGeConstants.h"
#include "HatchPatterns.h"
#include "TestSupport.h"
#include "TextCodec.h"
#include "dbmain.h"

using namespace spatiary_test;

namespace {

std::wstring wide(const std::filesystem::path& path) { return utf8ToWide(path.string()); }

AcDbObjectId append(AcDbDatabase& db, AcDbEntity* entity) {
  AcDbBlockTableRecord* space = nullptr;
  EXPECT_EQ(acdbOpenObject(space, db.modelSpaceId(), AcDb::kForWrite), Acad::eOk);
  AcDbObjectId id;
  EXPECT_EQ(space->appendAcDbEntity(id, entity), Acad::eOk);
  entity->close();
  space->close();
  return id;
}

AcDbPolyline* rectangle(double x0, double y0, double x1, double y1) {
  auto* outline = new AcDbPolyline;
  outline->addVertexAt(0, AcGePoint2d(x0, y0));
  outline->addVertexAt(1, AcGePoint2d(x1, y0));
  outline->addVertexAt(2, AcGePoint2d(x1, y1));
  outline->addVertexAt(3, AcGePoint2d(x0, y1));
  outline->setClosed(true);
  return outline;
}

// A hatch as the module makes one: a predefined pattern at an angle and a
// scale, not associative, style normal.
std::unique_ptr<AcDbHatch> patterned(const ACHAR* pattern, double angle, double scale) {
  auto hatch = std::make_unique<AcDbHatch>();
  EXPECT_EQ(hatch->setPatternAngle(angle), Acad::eOk);
  EXPECT_EQ(hatch->setPatternScale(scale), Acad::eOk);
  EXPECT_EQ(hatch->setAssociative(false), Acad::eOk);
  EXPECT_EQ(hatch->setPattern(AcDbHatch::kPreDefined, pattern), Acad::eOk);
  EXPECT_EQ(hatch->setHatchStyle(AcDbHatch::kNormal), Acad::eOk);
  EXPECT_EQ(hatch->setNormal(AcGeVector3d::kZAxis), Acad::eOk);
  EXPECT_EQ(hatch->setElevation(0.0), Acad::eOk);
  return hatch;
}

}  // namespace

// A room with a bulged wall and a round column cut out, hatched from the
// outline objects, as ezdxf reads and draws it and as the project reads it.
TEST(BuiltHatch, PolylineWithBulgeAndHoleReadsAndDrawsElsewhere) {
  ScratchFolder folder;
  AcDbDatabase db;
  AcDbPolyline* outline = rectangle(0, 0, 4000, 3000);
  outline->setBulgeAt(1, 0.25);
  const AcDbObjectId outlineId = append(db, outline);
  const AcDbObjectId columnId = append(db, new AcDbCircle(AcGePoint3d(1500, 1500, 0), AcGeVector3d::kZAxis, 500));
  auto open = new AcDbPolyline;
  open->addVertexAt(0, AcGePoint2d(0, 0));
  open->addVertexAt(1, AcGePoint2d(10, 0));
  const AcDbObjectId openId = append(db, open);

  std::unique_ptr<AcDbHatch> hatch = patterned(L"ansi31", 15 * kPi / 180, 100);
  EXPECT_EQ(hatch->appendLoop(AcDbHatch::kOutermost, AcDbObjectIdArray{outlineId}), Acad::eOk);
  EXPECT_EQ(hatch->appendLoop(AcDbHatch::kDefault, AcDbObjectIdArray{columnId}), Acad::eOk);
  EXPECT_EQ(hatch->appendLoop(AcDbHatch::kExternal, AcDbObjectIdArray{openId}), Acad::eInvalidInput);
  EXPECT_EQ(hatch->numLoops(), 2);
  EXPECT_EQ(hatch->evaluateHatch(), Acad::eOk);
  const AcDbObjectId hatchId = append(db, hatch.release());
  ASSERT_EQ(db.saveAs(wide(folder / "hatch.dxf").c_str()), Acad::eOk);

  const RunResult check = runPython(R"py(
import sys, math, ezdxf
from ezdxf.tools.pattern import IMPERIAL_PATTERN, scale_pattern
from ezdxf.render.hatching import hatch_entity
from ezdxf.math import Vec2
doc = ezdxf.readfile(sys.argv[1])
print(len(doc.audit().errors))
hatch = doc.modelspace().query("HATCH")[0]
d = hatch.dxf
print(d.pattern_name, d.pattern_type, d.solid_fill, d.associative, d.hatch_style,
      round(d.pattern_angle, 9), d.pattern_scale)
outer, hole = hatch.paths
print(outer.type.name, outer.path_type_flags, [tuple(round(v, 6) for v in p) for p in outer.vertices], outer.is_closed)
arc = hole.edges[0]
print(hole.type.name, hole.path_type_flags, arc.EDGE_TYPE, tuple(arc.center), arc.radius, arc.start_angle, arc.end_angle, arc.ccw)
expected = scale_pattern(IMPERIAL_PATTERN["ANSI31"], 100, 15)
for line, (angle, base, offset, dashes) in zip(hatch.pattern.lines, expected):
    print(round(line.angle - angle, 6), round(line.base_point.distance(Vec2(base)), 6),
          round(line.offset.distance(Vec2(offset)), 6), list(line.dash_length_items) == list(dashes))
# Drawn as a CAD program draws it: lines inside the outline, none across the column.
lines = list(hatch_entity(hatch))
across = [s for s, e in lines if math.hypot((s.x + e.x) / 2 - 1500, (s.y + e.y) / 2 - 1500) < 499]
outside = [s for s, e in lines if not (-1 <= (s.x + e.x) / 2 <= 4400 and -1 <= (s.y + e.y) / 2 <= 3001)]
print(len(lines) > 200, len(across), len(outside))
)py",
                                    {(folder / "hatch.dxf").string()});
  EXPECT_EQ(check.output,
            "0\n"
            "ANSI31 1 0 0 0 15.0 100.0\n"
            "POLYLINE 18 [(0.0, 0.0, 0.0), (4000.0, 0.0, 0.25), (4000.0, 3000.0, 0.0), (0.0, 3000.0, 0.0)] 1\n"
            "EDGE 0 ArcEdge (1500.0, 1500.0) 500.0 0.0 360.0 True\n"
            "0.0 0.0 0.0 True\n"
            "True 0 0\n");

  AcDbDatabase loaded(false);
  ASSERT_EQ(loaded.dxfIn(wide(folder / "hatch.dxf").c_str()), Acad::eOk);
  AcDbObjectId loadedId;
  ASSERT_EQ(loaded.getAcDbObjectId(loadedId, false, hatchId.handle()), Acad::eOk);
  AcDbHatch* read = nullptr;
  ASSERT_EQ(acdbOpenObject(read, loadedId), Acad::eOk);
  EXPECT_EQ(read->patternName(), L"ANSI31");
  EXPECT_NEAR(read->patternAngle(), 15 * kPi / 180, 1e-12);
  EXPECT_EQ(read->patternScale(), 100.0);
  EXPECT_FALSE(read->isSolidFill());
  ASSERT_EQ(read->numLoops(), 2);
  Adesk::Int32 type = 0;
  AcGePoint2dArray vertices;
  AcGeDoubleArray bulges;
  ASSERT_EQ(read->getLoopAt(0, type, vertices, bulges), Acad::eOk);
  EXPECT_EQ(type, AcDbHatch::kOutermost | AcDbHatch::kPolyline);
  EXPECT_EQ(vertices.size(), 4u);
  EXPECT_EQ(bulges, (AcGeDoubleArray{0, 0.25, 0, 0}));
  std::vector<HatchEdge> edges;
  ASSERT_EQ(read->getLoopAt(1, type, edges), Acad::eOk);
  ASSERT_EQ(edges.size(), 1u);
  EXPECT_EQ(edges[0].type, HatchEdge::kCirArc);
  EXPECT_EQ(edges[0].radius, 500.0);
  EXPECT_EQ(read->numPatternDefinitions(), 1);
  EXPECT_EQ(read->evaluateHatch(), Acad::eOk);
  AcDbExtents extents;
  ASSERT_EQ(read->getGeomExtents(extents), Acad::eOk);
  // The bulge of 0.25 over the 3000 long wall reaches out 375.
  EXPECT_NEAR(extents.maxPoint().x, 4375, 1e-6);
  read->close();
}

// A hatch from another program, with edge paths of every kind, source
// objects, seed points, a gradient and codes the platform does not know,
// is written back tag for tag when it is changed and saved.
TEST(ForeignHatch, SurvivesChangeAndSaveTagForTag) {
  ScratchFolder folder;
  const RunResult made = runPython(R"py(
import sys, ezdxf
doc = ezdxf.new("R2018")
msp = doc.modelspace()
line = msp.add_line((0, 0), (10, 0))
h = msp.add_hatch(color=1)
h.set_pattern_fill("ANSI33", scale=2.5, angle=30)
h.dxf.associative = 1
edges = h.paths.add_edge_path()
edges.add_line((0, 0), (10, 0))
edges.add_arc((10, 5), 5, -90, 90, ccw=False)
edges.add_ellipse((5, 10), (5, 0), 0.5, 0, 180)
edges.add_spline(control_points=[(0, 10), (-2, 5), (0, 0)], knot_values=[0, 0, 0, 1, 1, 1], degree=2)
edges.source_boundary_objects = [line.dxf.handle]
h.paths.add_polyline_path([(2, 2, 0), (4, 2, 1), (4, 4, 0)], is_closed=True)
h.set_seed_points([(1, 1), (3, 3)])
g = msp.add_hatch()
g.set_gradient((255, 0, 0), (0, 0, 255), rotation=45, name="CYLINDER")
g.paths.add_polyline_path([(20, 0), (30, 0), (30, 10)], is_closed=True)
doc.saveas(sys.argv[1])
text = open(sys.argv[1]).read().replace("  2\nANSI33\n", "  2\nANSI33\n  3\nKEPT\n", 1)
open(sys.argv[1], "w").write(text)
print(h.dxf.handle, g.dxf.handle)
)py",
                                   {(folder / "foreign.dxf").string()});
  ASSERT_EQ(made.exitCode, 0) << made.output;
  AcDbDatabase db(false);
  ASSERT_EQ(db.dxfIn(wide(folder / "foreign.dxf").c_str()), Acad::eOk);
  AcDbBlockTableRecord* space = nullptr;
  ASSERT_EQ(acdbOpenObject(space, db.modelSpaceId()), Acad::eOk);
  int hatches = 0;
  for (const AcDbObjectId& id : space->entityIds()) {
    AcDbHatch* hatch = nullptr;
    if (acdbOpenObject(hatch, id, AcDb::kForWrite) != Acad::eOk) continue;
    ++hatches;
    EXPECT_EQ(hatch->setColorIndex(3), Acad::eOk);
    if (!hatch->isSolidFill()) {
      EXPECT_EQ(hatch->patternName(), L"ANSI33");
      EXPECT_TRUE(hatch->associative());
      ASSERT_EQ(hatch->numLoops(), 2);
      std::vector<HatchEdge> edges;
      Adesk::Int32 type = 0;
      ASSERT_EQ(hatch->getLoopAt(0, type, edges), Acad::eOk);
      ASSERT_EQ(edges.size(), 4u);
      EXPECT_EQ(edges[1].type, HatchEdge::kCirArc);
      EXPECT_TRUE(edges[1].isClockwise());
      EXPECT_NEAR(edges[1].startAngle(), -kPi / 2, 1e-12);
      EXPECT_NEAR(edges[1].endAngle(), kPi / 2, 1e-12);
      EXPECT_EQ(edges[2].type, HatchEdge::kEllArc);
      EXPECT_EQ(edges[3].type, HatchEdge::kSpline);
      EXPECT_EQ(hatch->numSeedPoints(), 2);
      EXPECT_EQ(hatch->numPatternDefinitions(), 2);
      EXPECT_EQ(hatch->evaluateHatch(), Acad::eOk);
      AcDbExtents extents;
      ASSERT_EQ(hatch->getGeomExtents(extents), Acad::eOk);
      EXPECT_NEAR(extents.minPoint().x, -2, 1e-9);
      EXPECT_NEAR(extents.maxPoint().x, 15, 1e-9);
    }
    hatch->close();
  }
  EXPECT_EQ(hatches, 2);
  // Only the colour changed: the hatch's own tags go out exactly as read.
  ASSERT_EQ(db.saveAs(wide(folder / "saved.dxf").c_str()), Acad::eOk);
  // Changed itself, the hatch writes its fields: the same tags and values.
  for (const AcDbObjectId& id : space->entityIds()) {
    AcDbHatch* hatch = nullptr;
    if (acdbOpenObject(hatch, id, AcDb::kForWrite) != Acad::eOk) continue;
    EXPECT_EQ(hatch->setHatchStyle(hatch->hatchStyle()), Acad::eOk);
    hatch->close();
  }
  space->close();
  ASSERT_EQ(db.saveAs(wide(folder / "rewritten.dxf").c_str()), Acad::eOk);

  const RunResult check = runPython(R"py(
import sys, ezdxf
from ezdxf.lldxf.tagger import ascii_tags_loader
from ezdxf.lldxf.types import tag_type
def hatch_groups(path, typed=False):
    groups, current = [], None
    for tag in ascii_tags_loader(open(path)):
        if tag.code in (0, 1001):
            current = None
        elif tag == (100, "AcDbHatch"):
            current = []
            groups.append(current)
        elif current is not None:
            current.append((tag.code, tag_type(tag.code)(tag.value) if typed else tag.value))
    return groups
before, saved = hatch_groups(sys.argv[1]), hatch_groups(sys.argv[2])
print(len(before), before == saved, hatch_groups(sys.argv[1], True) == hatch_groups(sys.argv[3], True))
doc = ezdxf.readfile(sys.argv[3])
print(len(doc.audit().errors))
h, g = doc.modelspace().query("HATCH")
print(h.dxf.color, h.dxf.pattern_name, len(h.paths), [e.EDGE_TYPE for e in h.paths[0].edges], len(h.seeds),
      h.paths[0].source_boundary_objects == [doc.modelspace().query("LINE")[0].dxf.handle])
print(g.dxf.color, g.dxf.solid_fill, g.gradient.name, g.gradient.color1, g.gradient.color2, round(g.gradient.rotation, 6))
)py",
                                    {(folder / "foreign.dxf").string(), (folder / "saved.dxf").string(),
                                     (folder / "rewritten.dxf").string()});
  EXPECT_EQ(check.output,
            "2 True True\n"
            "0\n"
            "3 ANSI33 2 ['LineEdge', 'ArcEdge', 'EllipseEdge', 'SplineEdge'] 2 True\n"
            "3 1 CYLINDER (255, 0, 0) (0, 0, 255) 45.0\n");
}

TEST(HatchEvaluation, TellsPatternsTooDenseOrTooCoarseForTheBoundary) {
  // Away from the pattern's origin a small room meets no line of a coarse pattern.
  std::unique_ptr<AcDbHatch> coarse = patterned(L"ANSI31", 0, 100);
  EXPECT_EQ(coarse->evaluateHatch(), Acad::eInvalidInput);  // nothing to hatch yet
  ASSERT_EQ(coarse->appendLoop(AcDbHatch::kOutermost, AcGePoint2dArray{{0, 10}, {1, 10}, {1, 11}, {0, 11}},
                               AcGeDoubleArray{}),
            Acad::eOk);
  EXPECT_EQ(coarse->evaluateHatch(), Acad::eHatchNotDenseEnough);
  EXPECT_EQ(static_cast<int>(Acad::eHatchNotDenseEnough), 5);
  ASSERT_EQ(coarse->setPatternScale(0.01), Acad::eOk);
  EXPECT_EQ(coarse->evaluateHatch(), Acad::eOk);

  // A site ten kilometres across at scale 1 needs millions of lines.
  std::unique_ptr<AcDbHatch> dense = patterned(L"NET", 0, 1);
  ASSERT_EQ(dense->appendLoop(AcDbHatch::kOutermost,
                              std::vector<HatchEdge>{HatchEdge::arc(AcGePoint2d(0, 0), 5e6, 0, 2 * kPi)}),
            Acad::eOk);
  EXPECT_EQ(dense->evaluateHatch(), Acad::eHatchTooDense);
  EXPECT_EQ(static_cast<int>(Acad::eHatchTooDense), 420);
  EXPECT_STREQ(acadErrorStatusText(Acad::eHatchTooDense), L"eHatchTooDense");
  ASSERT_EQ(dense->setPatternScale(1000), Acad::eOk);
  EXPECT_EQ(dense->evaluateHatch(), Acad::eOk);
  // A solid fill is never too dense.
  ASSERT_EQ(dense->setPatternScale(1e-6), Acad::eOk);
  EXPECT_EQ(dense->evaluateHatch(), Acad::eHatchTooDense);
  ASSERT_EQ(dense->setPattern(AcDbHatch::kPreDefined, L"SOLID"), Acad::eOk);
  EXPECT_TRUE(dense->isSolidFill());
  EXPECT_EQ(dense->evaluateHatch(), Acad::eOk);

  EXPECT_EQ(dense->setPattern(AcDbHatch::kPreDefined, L"NO-SUCH-PATTERN"), Acad::eInvalidInput);
  EXPECT_EQ(dense->patternName(), L"SOLID");
  EXPECT_EQ(dense->setPatternScale(0), Acad::eInvalidInput);
}

// Every predefined pattern the platform offers has the line families of
// the standard pattern file, which ezdxf carries too.
TEST(HatchPatterns, MatchTheStandardPatternFile) {
  ScratchFolder folder;
  AcDbDatabase db;
  std::string names;
  for (const HatchPattern& pattern : HatchPatterns::all()) {
    std::unique_ptr<AcDbHatch> hatch = patterned(pattern.name.c_str(), 0, 1);
    hatch->appendLoop(AcDbHatch::kOutermost, AcGePoint2dArray{{0, 0}, {10, 0}, {10, 10}}, AcGeDoubleArray{});
    EXPECT_EQ(hatch->evaluateHatch(), Acad::eOk) << wideToUtf8(pattern.name);
    append(db, hatch.release());
    names += " " + wideToUtf8(pattern.name);
  }
  ASSERT_EQ(db.saveAs(wide(folder / "patterns.dxf").c_str()), Acad::eOk);
  const RunResult check = runPython(R"py(
import sys, ezdxf
from ezdxf.tools.pattern import IMPERIAL_PATTERN
doc = ezdxf.readfile(sys.argv[1])
# ezdxf's table is the ISO file scaled to inches, which draws these few differently.
iso_differs = {"SOLID", "ANGLE", "ZIGZAG", "STEEL"}
names = []
for hatch in doc.modelspace().query("HATCH"):
    names.append(hatch.dxf.pattern_name)
    if hatch.dxf.pattern_name in iso_differs:
        continue
    ours = [(l.angle, tuple(l.base_point), tuple(l.offset), tuple(l.dash_length_items)) for l in hatch.pattern.lines]
    theirs = [(a, tuple(b), tuple(o), tuple(d)) for a, b, o, d in IMPERIAL_PATTERN[hatch.dxf.pattern_name]]
    close = len(ours) == len(theirs) and all(
        abs(x - y) < 1e-6 for o, t in zip(ours, theirs)
        for x, y in zip([o[0], *o[1], *o[2], *o[3]], [t[0], *t[1], *t[2], *t[3]]))
    if not close:
        print("differs", hatch.dxf.pattern_name, ours, theirs)
print(len(doc.audit().errors), "", " ".join(names))
)py",
                                    {(folder / "patterns.dxf").string()});
  EXPECT_EQ(check.output, "0 " + names + "\n");
  for (const char* wanted : {"SOLID", "ANSI31", "ANSI38", "NET", "LINE", "DOTS", "BRICK"})
    EXPECT_NE(names.find(std::string(" ") + wanted), std::string::npos) << wanted;
}

// A metric drawing takes the ISO patterns, an imperial one the inch set:
// ANSI31 at scale 1 has its lines 3.175 mm or 0.125 in apart.
TEST(HatchPatterns, MetricDrawingsTakeTheIsoSet) {
  for (const auto& [system, spacing] : {std::pair{AcDb::kMetric, 3.175}, std::pair{AcDb::kEnglish, 0.125}}) {
    AcDbDatabase db;
    db.setMeasurement(system);
    acdbHostApplicationServices()->setWorkingDatabase(&db);
    std::unique_ptr<AcDbHatch> hatch = patterned(L"ANSI31", 0.0, 2.0);
    double angle = 0, baseX = 0, baseY = 0, offsetX = 0, offsetY = 0;
    AcGeDoubleArray dashes;
    ASSERT_EQ(hatch->getPatternDefinitionAt(0, angle, baseX, baseY, offsetX, offsetY, dashes), Acad::eOk);
    EXPECT_NEAR(std::hypot(offsetX, offsetY), 2.0 * spacing, 1e-9) << system;
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
  }
}
