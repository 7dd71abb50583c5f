// Pictures of model space: what is drawn where and in which colour, what
// hidden layers leave out, the order of the sort table, and the picture
// files the host program writes.
#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <map>
#include <sstream>

#include "AcGeConstants.h"
#include "PictureFile.h"
#include "TestSupport.h"
#include "TextCodec.h"
#include "AcDbDimension.h"
#include "AcDbPoint.h"
#include "dbmain.h"

using namespace spatiary_test;

namespace {

std::wstring wide(const std::filesystem::path& path) { return utf8ToWide(path.string()); }

struct Box {
  double left = 1e300, top = 1e300, right = -1e300, bottom = -1e300;
  void add(double x, double y) {
    left = std::min(left, x);
    right = std::max(right, x);
    top = std::min(top, y);
    bottom = std::max(bottom, y);
  }
  bool holds(const Box& other, double tolerance) const {
    return other.left >= left - tolerance && other.right <= right + tolerance && other.top >= top - tolerance &&
           other.bottom <= bottom + tolerance;
  }
};

// The end points of a path's segments, in the picture's coordinates.
std::vector<std::pair<double, double>> pathPoints(const std::string& data) {
  std::vector<std::pair<double, double>> points;
  std::string spaced;
  for (char c : data) {
    if (std::isalpha(static_cast<unsigned char>(c))) (spaced += ' ') += c, spaced += ' ';
    else spaced += c == ',' ? ' ' : c;
  }
  std::istringstream in(spaced);
  std::string word;
  std::vector<double> numbers;
  char command = 0;
  auto flush = [&] {
    // An arc's end point is its last two numbers.
    if (numbers.size() >= 2 && command != 'Z') points.emplace_back(numbers[numbers.size() - 2], numbers.back());
    numbers.clear();
  };
  while (in >> word) {
    if (std::isalpha(static_cast<unsigned char>(word[0]))) {
      flush();
      command = word[0];
    } else {
      numbers.push_back(std::stod(word));
    }
  }
  flush();
  return points;
}

std::vector<double> numbersOf(const char* text) {
  std::vector<double> numbers;
  std::istringstream in(text);
  for (double value = 0; in >> value;) numbers.push_back(value);
  return numbers;
}

Box boxOf(pugi::xml_node element) {
  Box box;
  for (const pugi::xpath_node& found : element.select_nodes("descendant-or-self::path"))
    for (const auto& [x, y] : pathPoints(found.node().attribute("d").value())) box.add(x, y);
  return box;
}

class Drawing {
 public:
  Drawing() {
    addLayer(L"A-AREA", 3, false, false);
    addLayer(L"LABELS", 5, false, false);
    addLayer(L"HIDDEN", 1, true, false);
    addLayer(L"FROZEN", 1, false, true);
    addLayer(L"NOPLOT", 1, false, false, false);
    addLayer(L"Defpoints", 1, false, false);
  }
  AcDbDatabase& db() { return m_db; }

  void addLayer(const ACHAR* name, std::uint16_t colour, bool off, bool frozen, bool plotted = true) {
    AcDbObjectPointer<AcDbLayerTable> layers(m_db.layerTableId(), AcDb::kForWrite);
    auto layer = std::make_unique<AcDbLayerTableRecord>();
    layer->setName(name);
    AcCmColor color;
    color.setColorIndex(colour);
    layer->setColor(color);
    layer->setIsOff(off);
    layer->setIsFrozen(frozen);
    layer->setIsPlottable(plotted);
    ASSERT_EQ(layers->add(layer.get()), Acad::eOk);
    layer.release()->close();
  }

  // The entity is not in the drawing yet: by name it would look in the working drawing.
  AcDbObjectId layerId(const ACHAR* name) {
    AcDbObjectPointer<AcDbLayerTable> layers(m_db.layerTableId(), AcDb::kForRead);
    AcDbObjectId id;
    EXPECT_EQ(layers->getAt(name, id), Acad::eOk) << wideToUtf8(name);
    return id;
  }

  AcDbObjectId append(AcDbObjectId blockId, AcDbEntity* entity, const ACHAR* layer) {
    std::unique_ptr<AcDbEntity> owned(entity);
    AcDbObjectPointer<AcDbBlockTableRecord> block(blockId, AcDb::kForWrite);
    AcDbObjectId id;
    EXPECT_EQ(owned->setLayer(layerId(layer)), Acad::eOk);
    EXPECT_EQ(block->appendAcDbEntity(id, owned.get()), Acad::eOk);
    owned.release()->close();
    return id;
  }
  AcDbObjectId append(AcDbEntity* entity, const ACHAR* layer) { return append(m_db.modelSpaceId(), entity, layer); }

  AcDbObjectId addBlock(const ACHAR* name) {
    AcDbObjectPointer<AcDbBlockTable> blocks(m_db.blockTableId(), AcDb::kForWrite);
    auto block = std::make_unique<AcDbBlockTableRecord>();
    block->setName(name);
    AcDbObjectId id;
    EXPECT_EQ(blocks->add(id, block.get()), Acad::eOk);
    block.release()->close();
    return id;
  }

  // A reference with a NAME attribute on LABELS and an invisible AREA one.
  AcDbObjectId insert(AcDbObjectId blockId, const AcGeMatrix3d& placement, const ACHAR* layer,
                      const ACHAR* name) {
    auto* reference = new AcDbBlockReference(AcGePoint3d::kOrigin, blockId);
    reference->setBlockTransform(placement);
    const AcDbObjectId id = append(reference, layer);
    AcDbObjectPointer<AcDbBlockReference> opened(id, AcDb::kForWrite);
    addAttribute(*opened.object(), placement * AcGePoint3d(500, 500, 0), name, L"NAME", false);
    addAttribute(*opened.object(), placement * AcGePoint3d(500, 200, 0), L"12.00sq.m.", L"AREA", true);
    return id;
  }

  void addAttribute(AcDbBlockReference& reference, const AcGePoint3d& at, const ACHAR* text, const ACHAR* tag,
                    bool invisible) {
    auto attribute = std::make_unique<AcDbAttribute>(at, text, tag);
    attribute->setHeight(250);
    // Labels of a turned room turn with it.
    attribute->setRotation(kPi / 2);
    attribute->setLayer(layerId(L"LABELS"));
    attribute->setInvisible(invisible);
    AcDbObjectId id;
    ASSERT_EQ(reference.appendAttribute(id, attribute.get()), Acad::eOk);
    m_attributes[tag] = id;
    attribute.release()->close();
  }

  void moveToBottom(AcDbObjectId entity) {
    AcDbObjectPointer<AcDbBlockTableRecord> block(m_db.modelSpaceId(), AcDb::kForWrite);
    if (block->extensionDictionary().isNull()) {
      ASSERT_EQ(block->createExtensionDictionary(), Acad::eOk);
    }
    AcDbObjectPointer<AcDbDictionary> dictionary(block->extensionDictionary(), AcDb::kForWrite);
    AcDbObjectId tableId;
    if (dictionary->getAt(L"ACAD_SORTENTS", tableId) != Acad::eOk) {
      auto table = std::make_unique<AcDbSortentsTable>();
      table->setBlockId(m_db.modelSpaceId());
      ASSERT_EQ(dictionary->setAt(L"ACAD_SORTENTS", table.get(), tableId), Acad::eOk);
      table.release()->close();
    }
    dictionary.close();
    block.close();
    AcDbObjectPointer<AcDbSortentsTable> table(tableId, AcDb::kForWrite);
    ASSERT_EQ(table->moveToBottom(AcDbObjectIdArray{entity}), Acad::eOk);
  }

  std::map<std::wstring, AcDbObjectId> m_attributes;

 private:
  AcDbDatabase m_db;
};

AcDbPolyline* roomOutline() {
  auto* outline = new AcDbPolyline;
  outline->addVertexAt(0, AcGePoint2d(0, 0));
  outline->addVertexAt(1, AcGePoint2d(4000, 0));
  // A bay window on the far wall.
  outline->addVertexAt(2, AcGePoint2d(4000, 3000), 0.5);
  outline->addVertexAt(3, AcGePoint2d(0, 3000));
  outline->setClosed(true);
  return outline;
}

std::string handleOf(AcDbObjectId id) { return wideToUtf8(id.handle().ascii()); }

// One floor: a room placed turned a quarter, hatched in model space with
// a column left out; the same room on a layer that is off and on one that
// is frozen; lines to put in order; things on hidden layers.
class RenderedPicture : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    s_folder = new ScratchFolder;
    Drawing drawing;
    const AcDbObjectId room = drawing.addBlock(L"ROOM-1");
    drawing.append(room, roomOutline(), L"0");
    s_ids["hiddenInBlock"] = drawing.append(room, new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(4000, 3000, 0)), L"HIDDEN");
    auto* column = new AcDbCircle(AcGePoint3d(2000, 1500, 0), AcGeVector3d::kZAxis, 300);
    column->setColorIndex(0);
    drawing.append(room, column, L"LABELS");

    const AcGeMatrix3d placement =
        AcGeMatrix3d::translation(AcGeVector3d(10000, 5000, 0)) * AcGeMatrix3d::rotation(kPi / 2, AcGeVector3d::kZAxis);
    s_ids["room"] = drawing.insert(room, placement, L"A-AREA", L"Office %%d1");
    {
      AcDbObjectPointer<AcDbBlockReference> reference(s_ids["room"], AcDb::kForWrite);
      reference->setColorIndex(6);
    }
    s_ids["name"] = drawing.m_attributes[L"NAME"];
    s_ids["area"] = drawing.m_attributes[L"AREA"];
    s_ids["roomOff"] = drawing.insert(room, AcGeMatrix3d::translation(AcGeVector3d(20000, 0, 0)), L"HIDDEN", L"Off");
    s_ids["roomFrozen"] =
        drawing.insert(room, AcGeMatrix3d::translation(AcGeVector3d(30000, 0, 0)), L"FROZEN", L"Frozen");

    // The room's hatch, from the outline as placed (kept on a layer that is off).
    auto* placed = roomOutline();
    placed->transformBy(placement);
    placed->getGeomExtents(s_outline);
    const AcDbObjectId placedId = drawing.append(placed, L"HIDDEN");
    auto hatch = std::make_unique<AcDbHatch>();
    hatch->setPatternScale(2000);
    hatch->setPattern(AcDbHatch::kPreDefined, L"ANSI31");
    EXPECT_EQ(hatch->appendLoop(AcDbHatch::kOutermost, AcDbObjectIdArray{placedId}), Acad::eOk);
    EXPECT_EQ(hatch->appendLoop(AcDbHatch::kDefault,
                                AcGePoint2dArray{AcGePoint2d(8000, 6500), AcGePoint2d(8500, 6500),
                                                 AcGePoint2d(8500, 7000), AcGePoint2d(8000, 7000)},
                                AcGeDoubleArray{0, 0, 0, 0}),
              Acad::eOk);
    auto* red = hatch.release();
    AcCmColor colour;
    colour.setRGB(0x12, 0x34, 0x56);
    red->setColor(colour);
    s_ids["hatch"] = drawing.append(red, L"A-AREA");

    s_ids["first"] = drawing.append(new AcDbLine(AcGePoint3d(0, -1000, 0), AcGePoint3d(5000, -1000, 0)), L"A-AREA");
    s_ids["second"] = drawing.append(new AcDbLine(AcGePoint3d(0, -2000, 0), AcGePoint3d(5000, -2000, 0)), L"A-AREA");
    s_ids["third"] = drawing.append(new AcDbLine(AcGePoint3d(0, -3000, 0), AcGePoint3d(5000, -3000, 0)), L"A-AREA");
    drawing.moveToBottom(s_ids["third"]);
    drawing.moveToBottom(s_ids["hatch"]);
    s_ids["hiddenLine"] = drawing.append(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0)), L"HIDDEN");
    s_ids["frozenText"] = drawing.append(new AcDbText(AcGePoint3d(0, 0, 0), L"cold", AcDbObjectId(), 100), L"FROZEN");
    s_ids["solid"] = drawing.append(solidSquare(), L"LABELS");
    s_ids["unplotted"] = drawing.append(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0)), L"NOPLOT");
    s_ids["definitionPoint"] = drawing.append(new AcDbPoint(AcGePoint3d(-9000, -9000, 0)), L"Defpoints");

    // A swatch whose pattern was too dense: a constant "<!" in its place.
    const AcDbObjectId swatch = drawing.addBlock(L"SWATCH");
    auto* dense = new AcDbAttributeDefinition(AcGePoint3d(0, 0, 0), L"<!", L"<!", L"<!");
    dense->setConstant(true);
    dense->setHeight(100);
    s_ids["constant"] = drawing.append(swatch, dense, L"0");
    auto* asked = new AcDbAttributeDefinition(AcGePoint3d(0, 200, 0), L"?", L"ASKED", L"Value");
    asked->setHeight(100);
    s_ids["asked"] = drawing.append(swatch, asked, L"0");
    s_ids["swatch"] = drawing.append(new AcDbBlockReference(AcGePoint3d(-2000, 0, 0), swatch), L"LABELS");

    const auto dxf = *s_folder / "floor.dxf";
    ASSERT_EQ(drawing.db().saveAs(wide(dxf).c_str()), Acad::eOk);
    // The ids die with the drawing; the picture names things by handle.
    for (const auto& [key, id] : s_ids) s_handles[key] = handleOf(id);
    s_ids.clear();
    const auto svg = *s_folder / "floor.svg";
    const RunResult run = runCommand(shellQuote(spatiaryExecutable().string()) + " render " +
                                     shellQuote(dxf.string()) + " " + shellQuote(svg.string()));
    ASSERT_EQ(run.exitCode, 0) << run.output;
    s_picture = new pugi::xml_document;
    ASSERT_TRUE(s_picture->load_file(svg.c_str())) << readFile(svg);
  }
  static void TearDownTestSuite() {
    delete s_picture;
    delete s_folder;
    s_handles.clear();
  }

  static AcDbHatch* solidSquare() {
    auto* hatch = new AcDbHatch;
    hatch->appendLoop(AcDbHatch::kOutermost,
                      AcGePoint2dArray{AcGePoint2d(0, 10000), AcGePoint2d(1000, 10000), AcGePoint2d(1000, 11000),
                                       AcGePoint2d(0, 11000)},
                      AcGeDoubleArray{0, 0, 0, 0});
    return hatch;
  }

  static pugi::xml_node element(const std::string& key) {
    return s_picture->select_node(("//*[@data-handle='" + s_handles[key] + "']").c_str()).node();
  }
  // In the picture y runs down.
  static Box outlineBox() {
    Box box;
    box.add(s_outline.minPoint().x, -s_outline.maxPoint().y);
    box.add(s_outline.maxPoint().x, -s_outline.minPoint().y);
    return box;
  }

  static ScratchFolder* s_folder;
  static pugi::xml_document* s_picture;
  static std::map<std::string, AcDbObjectId> s_ids;
  static std::map<std::string, std::string> s_handles;
  static AcDbExtents s_outline;
};

ScratchFolder* RenderedPicture::s_folder = nullptr;
pugi::xml_document* RenderedPicture::s_picture = nullptr;
std::map<std::string, AcDbObjectId> RenderedPicture::s_ids;
std::map<std::string, std::string> RenderedPicture::s_handles;
AcDbExtents RenderedPicture::s_outline;

}  // namespace

TEST_F(RenderedPicture, TheHatchOfASpaceLiesInsideItsOutlineAndLeavesTheColumnOpen) {
  const pugi::xml_node hatch = element("hatch");
  ASSERT_TRUE(hatch) << "no hatch";
  EXPECT_STREQ(hatch.name(), "g");
  EXPECT_STREQ(hatch.attribute("stroke").value(), "#123456");
  const Box lines = boxOf(hatch);
  EXPECT_TRUE(outlineBox().holds(lines, 1.0)) << lines.left << " " << lines.top << " " << lines.right << " "
                                               << lines.bottom;
  // The pattern reaches across the room, bay window included.
  EXPECT_LT(lines.left, outlineBox().left + 200);
  EXPECT_GT(lines.bottom, outlineBox().bottom - 200);
  EXPECT_GT(hatch.select_nodes("path").size(), 0u);
  const std::string clip = hatch.attribute("clip-path").value();
  ASSERT_EQ(clip.rfind("url(#", 0), 0u) << clip;
  const pugi::xml_node area =
      s_picture->select_node(("//clipPath[@id='" + clip.substr(5, clip.size() - 6) + "']/path").c_str()).node();
  ASSERT_TRUE(area);
  EXPECT_STREQ(area.attribute("clip-rule").value(), "evenodd");
  const std::string loops = area.attribute("d").value();
  EXPECT_EQ(std::count(loops.begin(), loops.end(), 'M'), 2) << loops;

  const pugi::xml_node room = element("room");
  ASSERT_TRUE(room);
  const pugi::xml_node outline = room.select_node("path[@data-type='LWPOLYLINE']").node();
  ASSERT_TRUE(outline);
  const std::string data = outline.attribute("d").value();
  // The bay window: an arc of radius 2500 bulging out of the chord at x 7000.
  EXPECT_NE(data.find("A2500,2500 0 0,0 7000,-5000"), std::string::npos) << data;
  const Box drawn = boxOf(outline);
  EXPECT_NEAR(drawn.right, outlineBox().right, 1.0);
  EXPECT_NEAR(drawn.top, outlineBox().top, 1.0);
  EXPECT_NEAR(drawn.bottom, outlineBox().bottom, 1.0);

  const pugi::xml_node solid = element("solid");
  ASSERT_TRUE(solid);
  EXPECT_STREQ(solid.attribute("fill").value(), "#0000ff");
  EXPECT_STREQ(solid.attribute("fill-rule").value(), "evenodd");
}

// As a plot shows it: layers that are not plotted, and the dimensions'
// definition points, are left out too.
TEST_F(RenderedPicture, LayersSwitchedOffFrozenOrNotPlottedAreLeftOut) {
  EXPECT_FALSE(element("hiddenLine"));
  EXPECT_FALSE(element("unplotted"));
  EXPECT_FALSE(element("definitionPoint"));
  EXPECT_FALSE(element("frozenText"));
  EXPECT_FALSE(element("roomFrozen"));
  // A reference on a layer that is off hides what it puts on layer 0 but
  // shows its entities on layers of their own.
  const pugi::xml_node off = element("roomOff");
  ASSERT_TRUE(off);
  EXPECT_FALSE(off.select_node("path[@data-type='LWPOLYLINE']"));
  EXPECT_TRUE(off.select_node("path[@data-type='CIRCLE']"));
  EXPECT_FALSE(s_picture->select_node(("//*[@data-handle='" + s_handles["hiddenInBlock"] + "']").c_str()));
  EXPECT_EQ(s_picture->select_nodes("//*[@data-layer='HIDDEN' and not(@data-type='INSERT')]").size(), 0u);
  EXPECT_EQ(s_picture->select_nodes("//*[@data-layer='FROZEN']").size(), 0u);
}

TEST_F(RenderedPicture, ColoursComeFromLayersReferencesAndTrueColours) {
  const pugi::xml_node room = element("room");
  ASSERT_TRUE(room);
  // Layer 0 inside a block takes the reference's layer, by block its colour.
  EXPECT_STREQ(room.select_node("path[@data-type='LWPOLYLINE']").node().attribute("stroke").value(), "#00ff00");
  EXPECT_STREQ(room.select_node("path[@data-type='CIRCLE']").node().attribute("stroke").value(), "#ff00ff");
  EXPECT_STREQ(element("first").attribute("stroke").value(), "#00ff00");
}

TEST_F(RenderedPicture, AttributesShowTheirTextAtTheirHeightUnlessInvisible) {
  const pugi::xml_node name = element("name");
  ASSERT_TRUE(name);
  EXPECT_STREQ(name.name(), "text");
  EXPECT_EQ(std::string(name.child_value()), "Office \u00B01");
  // The height is the capitals': the sans font's are 0.729 of its size.
  EXPECT_NEAR(std::stod(name.attribute("font-size").value()) * 0.729, 250.0, 0.01);
  EXPECT_STREQ(name.attribute("fill").value(), "#0000ff");
  // The room is turned a quarter: so is its label.
  EXPECT_STREQ(name.attribute("transform").value(), "matrix(0 -1 1 0 9500 -5500)");
  EXPECT_EQ(name.parent(), element("room"));
  EXPECT_FALSE(element("area"));

  // A constant definition shows in the references of its block; one that
  // asks for a value shows only as the references' attributes.
  const pugi::xml_node constant = element("constant");
  ASSERT_TRUE(constant);
  EXPECT_EQ(std::string(constant.child_value()), "<!");
  EXPECT_EQ(constant.parent(), element("swatch"));
  EXPECT_FALSE(element("asked"));
}

TEST_F(RenderedPicture, DrawOrderFollowsTheSortTable) {
  std::vector<std::string> order;
  for (const pugi::xpath_node& found : s_picture->select_nodes("//*[@id='model']/*[@data-handle]"))
    order.push_back(found.node().attribute("data-handle").value());
  const auto position = [&](const std::string& key) {
    return std::find(order.begin(), order.end(), s_handles[key]) - order.begin();
  };
  EXPECT_LT(position("hatch"), position("room"));
  EXPECT_LT(position("third"), position("first"));
  EXPECT_LT(position("first"), position("second"));
  EXPECT_LT(static_cast<size_t>(position("second")), order.size());
}

TEST(RenderedFiles, PngAndTheConsoleCommand) {
  ScratchFolder folder;
  const std::string sample = floorDrawing().string();
  const auto png = folder / "plan.png";
  const std::string program = shellQuote(spatiaryExecutable().string());
  const RunResult made = runCommand(program + " render " + shellQuote(sample) + " " + shellQuote(png.string()));
  ASSERT_EQ(made.exitCode, 0) << made.output;
  const std::string image = readFile(png);
  ASSERT_GT(image.size(), 24u);
  EXPECT_EQ(image.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
  const auto big = [&](size_t at) {
    return (static_cast<unsigned char>(image[at]) << 24) | (static_cast<unsigned char>(image[at + 1]) << 16) |
           (static_cast<unsigned char>(image[at + 2]) << 8) | static_cast<unsigned char>(image[at + 3]);
  };
  // The floor is wider than deep: the width is the longer side.
  EXPECT_EQ(big(16), 1600u);
  EXPECT_GT(big(20), 800u);
  EXPECT_LT(big(20), 1200u);

  // Between steps of a script.
  const auto appdata = folder / "appdata" / "ZelphSystems" / "Spatiary" / "prefs";
  std::filesystem::create_directories(appdata);
  writeFile(appdata / "prefs.cfg", "//\tprefs\nunits\n0\n");
  const auto svg = folder / "step.svg";
  const RunResult scripted = runSpatiary({"--appdata", (folder / "appdata").string(), "--keep-going", sample},
                                         "render\nrender " + svg.string() + "\nrender " +
                                             (folder / "no" / "such.svg").string() + "\n");
  EXPECT_EQ(scripted.exitCode, 1) << scripted.output;
  EXPECT_NE(scripted.output.find("script line 1: render needs the path"), std::string::npos) << scripted.output;
  EXPECT_NE(scripted.output.find("script line 3: "), std::string::npos) << scripted.output;
  EXPECT_NE(scripted.output.find("render needs the path"), std::string::npos) << scripted.output;
  EXPECT_NE(scripted.output.find("cannot write"), std::string::npos) << scripted.output;
  pugi::xml_document picture;
  ASSERT_TRUE(picture.load_file(svg.c_str()));
  EXPECT_EQ(picture.select_nodes("//path[@data-layer='A-AREA']").size(), 8u);

  EXPECT_EQ(runCommand(program + " render " + shellQuote(sample)).exitCode, 2);
  const RunResult missing =
      runCommand(program + " render " + shellQuote((folder / "none.dxf").string()) + " " + shellQuote(svg.string()));
  EXPECT_EQ(missing.exitCode, 1) << missing.output;
  // A damaged drawing is named once, with the line.
  const auto damaged = folder / "damaged.dxf";
  writeFile(damaged, "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n 10\nabc\n  0\nENDSEC\n  0\nEOF\n");
  const RunResult refused = runCommand(program + " render " + shellQuote(damaged.string()) + " " + shellQuote(svg.string()));
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_EQ(refused.output, "spatiary: " + damaged.string() + ": line 7: value 'abc' of group code 10 is not a number\n");
}

// A text far longer than any view shows: a line shows its first 4 096
// characters and a picture no more than its limit; every character left
// out is counted, and the picture stays small.
TEST(RenderedFiles, LongTextsShowWhatAViewCanAndCountTheRest) {
  ScratchFolder folder;
  const auto dxf = folder / "long.dxf";
  const RunResult made = runPython(R"(
import sys, ezdxf
doc = ezdxf.new("R2018")
msp = doc.modelspace()
line = "".join("%d\u00e9\u20ac%%%%d " % i for i in range(1500))
msp.add_text(line, dxfattribs={"height": 10, "layer": "LINE"})
paragraph = "words in a paragraph of notes"
msp.add_mtext("\\P".join([paragraph] * 60000), dxfattribs={"char_height": 2, "width": 100, "insert": (0, -100), "layer": "NOTES"})
msp.add_text("after the notes", dxfattribs={"height": 10, "layer": "AFTER"})
doc.saveas(sys.argv[1])
print(len(line.replace("%%d", "\u00b0")) + 60000 * len(paragraph) + len("after the notes"))
)",
                                   {dxf.string()});
  ASSERT_EQ(made.exitCode, 0) << made.output;
  const auto svg = folder / "long.svg";
  const RunResult drawn = runCommand(shellQuote(spatiaryExecutable().string()) + " render " + shellQuote(dxf.string()) +
                                     " " + shellQuote(svg.string()));
  ASSERT_EQ(drawn.exitCode, 0) << drawn.output;
  const std::string said = "spatiary: not drawn: ";
  const std::string beyond = " characters of texts beyond 4096 a line or 1000000 in all\n";
  ASSERT_EQ(drawn.output.rfind(said, 0), 0u) << drawn.output;
  ASSERT_NE(drawn.output.find(beyond), std::string::npos) << drawn.output;
  const size_t leftOut = std::stoul(drawn.output.substr(said.size()));
  EXPECT_LT(std::filesystem::file_size(svg), 4u << 20);
  pugi::xml_document picture;
  ASSERT_TRUE(picture.load_file(svg.c_str()));
  const std::string shownLine = picture.select_node("//text[@data-layer='LINE']").node().child_value();
  EXPECT_EQ(utf8Length(shownLine), 4096u);
  EXPECT_EQ(shownLine.substr(0, 12), "0\u00e9\u20ac\u00b0 1\u00e9");
  size_t notes = 0, lines = 0;
  for (const pugi::xpath_node& span : picture.select_nodes("//text[@data-layer='NOTES']/tspan")) {
    notes += utf8Length(span.node().child_value());
    ++lines;
  }
  // A line a paragraph, until the picture is full.
  EXPECT_GT(lines, 30000u);
  EXPECT_LT(notes + lines, 1000000u);
  EXPECT_EQ(picture.select_nodes("//text[@data-layer='AFTER']").size(), 0u);
  EXPECT_EQ(shownLine.size() > 0 ? utf8Length(shownLine) + notes + leftOut : 0, std::stoul(made.output));
}

// A block that places itself is drawn once.
TEST(RenderedFiles, ABlockThatPlacesItselfIsDrawnOnce) {
  Drawing drawing;
  const AcDbObjectId selfish = drawing.addBlock(L"SELF");
  const AcDbObjectId line = drawing.append(selfish, new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0)), L"0");
  drawing.append(selfish, new AcDbBlockReference(AcGePoint3d(5, 5, 0), selfish), L"0");
  drawing.append(new AcDbBlockReference(AcGePoint3d(0, 0, 0), selfish), L"0");
  int width = 0, height = 0;
  pugi::xml_document picture;
  ASSERT_TRUE(picture.load_string(PictureFile::svg(drawing.db(), width, height).c_str()));
  EXPECT_EQ(picture.select_nodes(("//path[@data-handle='" + handleOf(line) + "']").c_str()).size(), 1u);
}

// The floor plan with nested blocks added: "tower" places L7 whose
// levels each place the one below ten times, 21 111 111 entities in all
// from a file of 23 KB; "hall" places 40 rows of 25 chairs of 40 lines,
// 41 041 entities from 111, as a lecture hall's plan does; "deep" places a
// line through 255 levels below model space, as deep as a drawing may nest.
const char* kNestedBlocks = R"(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
msp = doc.modelspace()
if sys.argv[3] == "tower":
    doc.blocks.new("L0").add_lwpolyline([(0, 0), (1, 0), (1, 1), (0, 1)], close=True)
    for level in range(1, 8):
        block = doc.blocks.new("L%d" % level)
        for i in range(10):
            block.add_blockref("L%d" % (level - 1), (i * 10 ** (level - 1), 0))
    msp.add_blockref("L7", (0, 20000), dxfattribs={"xscale": 0.001, "yscale": 1000})
elif sys.argv[3] == "deep":
    doc.blocks.new("C0").add_line((0, 0), (1, 1))
    for level in range(1, 255):
        doc.blocks.new("C%d" % level).add_blockref("C%d" % (level - 1), (0, 0))
    msp.add_blockref("C254", (0, 20000))
else:
    chair = doc.blocks.new("CHAIR")
    for i in range(40):
        chair.add_line((0, i * 0.01), (0.5, i * 0.01))
    row = doc.blocks.new("ROW")
    for i in range(25):
        row.add_blockref("CHAIR", (i * 0.6, 0))
    hall = doc.blocks.new("HALL")
    for i in range(40):
        hall.add_blockref("ROW", (0, i * 0.9))
    msp.add_blockref("HALL", (0, 20000))
doc.saveas(sys.argv[2])
)";

// Drawings whose blocks place far more entities than they hold are drawn
// up to a multiple of what they hold, and the rest is counted; a plan
// with many nested references is drawn whole, as are the samples.
TEST(RenderedFiles, NestedBlocksDrawInProportionToTheDrawing) {
  ScratchFolder folder;
  const std::string program = shellQuote(spatiaryExecutable().string());
  const auto render = [&](const std::filesystem::path& drawing, const std::filesystem::path& picture) {
    return runCommand(program + " render " + shellQuote(drawing.string()) + " " + shellQuote(picture.string()));
  };
  const auto made = [&](const std::string& kind) {
    const auto drawing = folder / (kind + ".dxf");
    EXPECT_EQ(runPython(kNestedBlocks, {floorDrawing().string(), drawing.string(), kind}).exitCode, 0);
    return drawing;
  };
  const auto elements = [](const std::filesystem::path& svg, const char* path) {
    pugi::xml_document picture;
    EXPECT_TRUE(picture.load_file(svg.c_str())) << svg;
    return picture.select_nodes(path).size();
  };
  const auto hall = folder / "hall.svg";
  const RunResult seated = render(made("hall"), hall);
  EXPECT_EQ(seated.output, "");
  EXPECT_EQ(elements(hall, "//g[@data-type='INSERT']//path[@data-type='LINE']"), 40000u);
  const auto deep = folder / "deep.svg";
  EXPECT_EQ(render(made("deep"), deep).output, "");
  EXPECT_EQ(elements(deep, "//g[@data-type='INSERT']//path[@data-type='LINE']"), 1u);
  std::vector<std::filesystem::path> whole = {sourceDir() / "samples" / "floorplan.dxf",
                                              sourceDir() / "samples" / "walls.dxf"};
  for (const auto& entry : std::filesystem::directory_iterator(sourceDir() / "tests" / "data" / "drawings"))
    whole.push_back(entry.path());
  for (const auto& drawing : whole) {
    const RunResult result = render(drawing, folder / "whole.svg");
    EXPECT_EQ(result.exitCode, 0) << drawing << result.output;
    EXPECT_EQ(result.output.find("limit"), std::string::npos) << drawing << result.output;
  }
  const auto tower = folder / "tower.svg";
  const RunResult rendered = render(made("tower"), tower);
  ASSERT_EQ(rendered.exitCode, 0) << rendered.output;
  EXPECT_LT(std::filesystem::file_size(tower), 8u << 20);
  const std::string limit = " entities placed by nested blocks beyond this drawing's limit of 50000\n";
  const size_t said = rendered.output.find(limit);
  ASSERT_NE(said, std::string::npos) << rendered.output;
  const size_t count = rendered.output.rfind(' ', said - 1) + 1;
  // What the picture holds beside the floor's own and what it left out
  // make the whole tower.
  const auto floor = folder / "floor.svg";
  ASSERT_EQ(render(floorDrawing(), floor).exitCode, 0);
  EXPECT_EQ(elements(tower, "//*[@data-type]") - elements(floor, "//*[@data-type]") +
                std::stoull(rendered.output.substr(count, said - count)),
            21111111u)
      << rendered.output;
  EXPECT_EQ(elements(tower, "//path[@data-layer='A-AREA']"), 8u);
}

// All the characters an element shows, its spans' included.
std::string shownText(pugi::xml_node element) {
  std::string text;
  for (const pugi::xpath_node& piece : element.select_nodes("descendant::text()")) text += piece.node().value();
  return text;
}

// The picture of a drawing, its spaces between spans kept: they are text too.
void drawText(const std::filesystem::path& dxf, pugi::xml_document& picture) {
  AcDbDatabase db(false, true);
  ASSERT_EQ(db.dxfIn(wide(dxf).c_str()), Acad::eOk) << wideToUtf8(db.lastErrorMessage());
  int width = 0, height = 0;
  ASSERT_TRUE(picture.load_string(PictureFile::svg(db, width, height).c_str(), pugi::parse_default | pugi::parse_ws_pcdata));
}

// Multi-line text as another program writes it: its formatting codes are
// not shown, its paragraphs are lines, and it hangs on its attachment point.
TEST(RenderedFiles, MultiLineTextShowsItsParagraphsWithoutFormatting) {
  ScratchFolder folder;
  const auto dxf = folder / "notes.dxf";
  const RunResult made = runPython(R"(
import sys, ezdxf
doc = ezdxf.new("R2018")
msp = doc.modelspace()
note = msp.add_mtext("{\\fArial|b1;Open plan}\\Pdesks \\S1/2; \\\\ a %%d",
                     dxfattribs={"char_height": 100, "insert": (1000, 2000), "layer": "NOTES"})
note.dxf.attachment_point = 5
hidden = msp.add_mtext("not shown", dxfattribs={"char_height": 100, "layer": "OFF"})
msp.add_mtext("one two three four five six extraordinarily long\\N", dxfattribs={"char_height": 10, "width": 100, "layer": "WRAPPED"})
doc.layers.add("OFF").off()
doc.saveas(sys.argv[1])
)",
                                   {dxf.string()});
  ASSERT_EQ(made.exitCode, 0) << made.output;
  pugi::xml_document picture;
  ASSERT_NO_FATAL_FAILURE(drawText(dxf, picture));

  // Wrapped at its width as the sans font's characters fill it (95.8 of
  // 100 for "one two three", 128 with " four"), between words; a longer
  // word stays whole.
  std::vector<std::string> wrapped;
  for (const pugi::xpath_node& line : picture.select_nodes("//text[@data-layer='WRAPPED']/tspan"))
    wrapped.push_back(line.node().child_value());
  EXPECT_EQ(wrapped, (std::vector<std::string>{"one two three", "four five six", "extraordinarily", "long"}));
  const pugi::xpath_node_set texts = picture.select_nodes("//text[@data-layer='NOTES']");
  ASSERT_EQ(texts.size(), 1u);
  const pugi::xml_node text = texts.first().node();
  EXPECT_STREQ(text.attribute("text-anchor").value(), "middle");
  EXPECT_STREQ(text.attribute("data-layer").value(), "NOTES");
  const pugi::xpath_node_set lines = text.select_nodes("tspan");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(shownText(lines[0].node()), "Open plan");
  // The fraction stands as its two parts.
  EXPECT_EQ(shownText(lines[1].node()), "desks 12 \\ a \u00B0");
  // Hung on its middle: the first baseline above the point, the second below.
  EXPECT_LT(std::stod(lines[0].node().attribute("y").value()), 0.0);
  EXPECT_GT(std::stod(lines[1].node().attribute("y").value()), 0.0);
  EXPECT_NE(std::string(text.attribute("transform").value()).find(" 1000 -2000)"), std::string::npos)
      << text.attribute("transform").value();
}

// A text may hold control characters (written "^A" in the file), which XML
// cannot: the picture leaves them out rather than being refused whole.
TEST(RenderedFiles, TextsHoldingControlCharactersStillMakeAPicture) {
  ScratchFolder folder;
  const auto dxf = folder / "carets.dxf";
  const RunResult made = runPython(R"(
import sys, ezdxf
doc = ezdxf.new("R2018")
doc.modelspace().add_mtext("abc^Adef^[", dxfattribs={"char_height": 10, "layer": "NOTES"})
doc.modelspace().add_text("one^Itwo", dxfattribs={"height": 10, "layer": "LABELS"})
doc.saveas(sys.argv[1])
)",
                                   {dxf.string()});
  ASSERT_EQ(made.exitCode, 0) << made.output;
  const auto png = folder / "carets.png";
  const RunResult run = runCommand(shellQuote(spatiaryExecutable().string()) + " render " + shellQuote(dxf.string()) +
                                   " " + shellQuote(png.string()));
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_TRUE(std::filesystem::exists(png));
  pugi::xml_document picture;
  ASSERT_NO_FATAL_FAILURE(drawText(dxf, picture));
  EXPECT_EQ(shownText(picture.select_node("//text[@data-layer='NOTES']").node()), "abcdef");
  EXPECT_EQ(shownText(picture.select_node("//text[@data-layer='LABELS']").node()), "one\ttwo");
}

// The glyph frame of a text: where its glyphs' x and y axes run in the
// picture (y down), and where it stands.
std::vector<double> glyphFrame(pugi::xml_node text) {
  const std::string transform = text.attribute("transform").value();
  return numbersOf(transform.substr(transform.find('(') + 1).c_str());
}

// Texts mirrored in X run backwards from their point and those mirrored in
// Y hang upside down, also in a mirrored plane; an attribute definition
// outside any block shows its tag, as in a CAD program's drawing window.
TEST(RenderedFiles, MirroredTextsAndLooseAttributeDefinitionsShowAsDrawn) {
  ScratchFolder folder;
  const auto dxf = folder / "mirrored.dxf";
  const RunResult made = runPython(R"(
import sys, ezdxf
doc = ezdxf.new("R2018")
msp = doc.modelspace()
msp.add_text("backwards", dxfattribs={"height": 10, "insert": (100, 0), "text_generation_flag": 2, "layer": "BACK"})
msp.add_text("upside down", dxfattribs={"height": 10, "insert": (100, 50), "text_generation_flag": 4, "layer": "DOWN"})
msp.add_text("seen from below", dxfattribs={"height": 10, "insert": (-100, 100), "extrusion": (0, 0, -1), "layer": "BELOW"})
msp.add_attdef("ROOM_NAME", (0, 200), "Office", dxfattribs={"height": 10, "layer": "LOOSE"})
block = doc.blocks.new("LABEL")
block.add_attdef("HIDDEN_TAG", (0, 0), "default", dxfattribs={"height": 10, "layer": "INBLOCK"})
msp.add_blockref("LABEL", (0, 300))
doc.saveas(sys.argv[1])
)",
                                   {dxf.string()});
  ASSERT_EQ(made.exitCode, 0) << made.output;
  pugi::xml_document picture;
  ASSERT_NO_FATAL_FAILURE(drawText(dxf, picture));
  const auto frameOf = [&](const char* layer) {
    return glyphFrame(picture.select_node(("//text[@data-layer='" + std::string(layer) + "']").c_str()).node());
  };
  // matrix(a b c d e f): a glyph's x axis is (a, b), its y axis (down) (c, d).
  EXPECT_EQ(frameOf("BACK"), (std::vector<double>{-1, 0, 0, 1, 100, -0.0}));
  EXPECT_EQ(frameOf("DOWN"), (std::vector<double>{1, 0, 0, -1, 100, -50}));
  // Seen from below, the plane's x runs to the drawing's left: (-100, 100)
  // in the text's plane is (100, 100) in the drawing, and its glyphs run left.
  EXPECT_EQ(frameOf("BELOW"), (std::vector<double>{-1, 0, 0, 1, 100, -100}));
  const pugi::xml_node loose = picture.select_node("//text[@data-layer='LOOSE']").node();
  EXPECT_EQ(shownText(loose), "ROOM_NAME");
  EXPECT_FALSE(picture.select_node("//text[@data-layer='INBLOCK']"));
}

// Multi-line text set in columns: lines wrap at the column's width and flow
// on into the next column past its height, a column break starts the next,
// and each column stands its width and gutter right of the one before.
// Without columns, a column break only breaks the line.
void expectColumnsFlow(const std::string& version) {
  ScratchFolder folder;
  const auto dxf = folder / "columns.dxf";
  const RunResult made = runPython(R"(
import sys, ezdxf
doc = ezdxf.new(sys.argv[2])
msp = doc.modelspace()
msp.add_mtext_static_columns(["alpha beta", "gamma"], width=100, gutter_width=20, height=500,
                             dxfattribs={"char_height": 10, "layer": "BROKEN"})
msp.add_mtext_dynamic_auto_height_columns("one two three four five", width=40, gutter_width=10, height=30, count=3,
                                          dxfattribs={"char_height": 10, "layer": "FLOWING", "insert": (0, -100)})
msp.add_mtext("up\\Ndown", dxfattribs={"char_height": 10, "layer": "PLAIN", "insert": (0, -300)})
doc.saveas(sys.argv[1])
)",
                                   {dxf.string(), version});
  ASSERT_EQ(made.exitCode, 0) << made.output;
  pugi::xml_document picture;
  ASSERT_NO_FATAL_FAILURE(drawText(dxf, picture));
  // Each column's place and lines.
  const auto columns = [&](const std::string& layer) {
    std::vector<std::pair<std::string, std::vector<std::string>>> found;
    const std::string path = "//*[@data-layer='" + layer + "']/descendant-or-self::text";
    for (const pugi::xpath_node& text : picture.select_nodes(path.c_str())) {
      std::vector<std::string> lines;
      for (const pugi::xml_node line : text.node().children("tspan")) lines.push_back(shownText(line));
      if (lines.empty()) lines.push_back(shownText(text.node()));
      found.emplace_back(text.node().attribute("transform").value(), lines);
    }
    return found;
  };
  using Columns = std::vector<std::pair<std::string, std::vector<std::string>>>;
  EXPECT_EQ(columns("BROKEN"), (Columns{{"matrix(1 0 0 1 0 0)", {"alpha beta"}}, {"matrix(1 0 0 1 120 0)", {"gamma"}}}));
  // Two lines of 10 fill 26.7 of the 30 a column holds.
  EXPECT_EQ(columns("FLOWING"), (Columns{{"matrix(1 0 0 1 0 100)", {"one", "two"}},
                                         {"matrix(1 0 0 1 50 100)", {"three", "four"}},
                                         {"matrix(1 0 0 1 100 100)", {"five"}}}));
  EXPECT_EQ(columns("PLAIN"), (Columns{{"matrix(1 0 0 1 0 300)", {"up", "down"}}}));
}

TEST(RenderedFiles, MultiLineTextInColumnsFlowsFromColumnToColumn) {
  // Files before AutoCAD 2018 keep the columns in extended data, and each
  // static column as a text of its own.
  for (const char* version : {"R2018", "R2007", "R2000"}) {
    SCOPED_TRACE(version);
    expectColumnsFlow(version);
  }
}

// Paragraphs aligned by their settings across the text's width, each
// alignment holding for the paragraphs after it until another is set.
TEST(RenderedFiles, MultiLineParagraphsAlignAsTheirSettingsSay) {
  ScratchFolder folder;
  const auto dxf = folder / "aligned.dxf";
  const RunResult made = runPython(R"(
import sys, ezdxf
doc = ezdxf.new("R2018")
msp = doc.modelspace()
msp.add_mtext("\\pxqc;Room 101\\POffice\\P\\pxqr;Area\\P\\pi-3,l3,qj;Notes",
              dxfattribs={"char_height": 10, "width": 200, "layer": "ALIGNED"})
doc.saveas(sys.argv[1])
)",
                                   {dxf.string()});
  ASSERT_EQ(made.exitCode, 0) << made.output;
  pugi::xml_document picture;
  ASSERT_NO_FATAL_FAILURE(drawText(dxf, picture));
  std::vector<std::string> lines;
  for (const pugi::xpath_node& line : picture.select_nodes("//text[@data-layer='ALIGNED']/tspan"))
    lines.push_back(shownText(line.node()) + " " + line.node().attribute("x").value() + " " +
                    line.node().attribute("text-anchor").value());
  EXPECT_EQ(lines, (std::vector<std::string>{"Room 101 100 middle", "Office 100 middle", "Area 200 end",
                                             "Notes 0 start"}));
}

// Texts a tenth of a unit high, as surveying instruments write them in
// metres: laid out at a size text engines draw well and scaled down to
// their heights, and the picture reaches up to the top of the highest.
TEST(RenderedFiles, SmallTextsAreScaledToTheirHeightAndKeptInThePicture) {
  ScratchFolder folder;
  const auto dxf = folder / "survey.dxf";
  const RunResult made = runPython(R"(
import sys, ezdxf
doc = ezdxf.new("R2018")
doc.units = 6
msp = doc.modelspace()
msp.add_text("4 (IMG_20160506_121333.jpg) east", height=0.1, dxfattribs={"insert": (0, 0), "layer": "SMALL"})
msp.add_text("station", height=1, dxfattribs={"insert": (0, -2), "layer": "LARGER"})
doc.saveas(sys.argv[1])
)",
                                   {dxf.string()});
  ASSERT_EQ(made.exitCode, 0) << made.output;
  pugi::xml_document picture;
  ASSERT_NO_FATAL_FAILURE(drawText(dxf, picture));
  // The size a text shows at: its font size times its transform's scale.
  const auto shownSize = [&](const char* layer) {
    const pugi::xml_node text = picture.select_node(("//text[@data-layer='" + std::string(layer) + "']").c_str()).node();
    const double fontSize = text.attribute("font-size").as_double();
    EXPECT_GE(fontSize, 2.0) << layer;
    const std::string transform = text.attribute("transform").value();
    return fontSize * numbersOf(transform.substr(transform.find('(') + 1).c_str()).at(0);
  };
  EXPECT_NEAR(shownSize("SMALL") / shownSize("LARGER"), 0.1, 1e-3);
  // The small text's top stands 0.1 above its baseline at 0.
  EXPECT_LT(numbersOf(picture.child("svg").attribute("viewBox").value())[1], -0.1);
}

// Texts in the styles of another program's drawing, drawn in installed
// fonts of the same kind, and multi-line text with its inline formatting.
TEST(RenderedFiles, TextsShowTheirStylesFontsAndInlineFormatting) {
  ScratchFolder folder;
  const auto dxf = folder / "styles.dxf";
  const RunResult made = runPython(R"(
import sys, ezdxf
doc = ezdxf.new("R2018")
msp = doc.modelspace()
doc.styles.add("PLAIN", font="arial.ttf")
doc.styles.add("HEADING", font="arial.ttf").set_extended_font_data("Arial", bold=True)
doc.styles.add("SERIF", font="times.ttf")
doc.styles.add("CODE", font="courbd.ttf")
shx = doc.styles.add("NOTES", font="romans.shx")
shx.dxf.width = 0.8
shx.dxf.oblique = 15
for i, style in enumerate(["PLAIN", "HEADING", "SERIF", "CODE", "NOTES"]):
    msp.add_text(style, dxfattribs={"style": style, "height": 10, "insert": (0, -20 * i), "layer": style})
msp.add_mtext("slanted notes", dxfattribs={"style": "NOTES", "char_height": 10, "insert": (0, 100), "layer": "SLANTED"})
doc.styles.get("Standard").dxf.font = "times.ttf"
msp.add_mtext("in the standard style", dxfattribs={"char_height": 10, "insert": (0, 150), "layer": "DEFAULT"}).dxf.discard("style")
msp.add_mtext("plain \\H2x;double\\H0.5x; {\\C1;red} {\\c16711680;blue} \\Lunder\\l \\Oover\\o "
              "\\S1/2; \\S+0.1^ -0.2; {\\fTimes New Roman|b0|i1;roman}\\Pnext",
              dxfattribs={"char_height": 10, "insert": (0, 200), "layer": "FORMATTED", "style": "PLAIN"})
doc.saveas(sys.argv[1])
)",
                                   {dxf.string()});
  ASSERT_EQ(made.exitCode, 0) << made.output;
  pugi::xml_document picture;
  ASSERT_NO_FATAL_FAILURE(drawText(dxf, picture));
  const auto text = [&](const std::string& layer) {
    return picture.select_node(("//text[@data-layer='" + layer + "']").c_str()).node();
  };
  const auto family = [&](const std::string& layer) {
    const std::string families = text(layer).attribute("font-family").value();
    return families.substr(0, families.find(','));
  };
  EXPECT_EQ(family("PLAIN"), "'Liberation Sans'");
  EXPECT_STREQ(text("PLAIN").attribute("font-weight").value(), "");
  EXPECT_EQ(family("HEADING"), "'Liberation Sans'");
  EXPECT_STREQ(text("HEADING").attribute("font-weight").value(), "bold");
  EXPECT_EQ(family("SERIF"), "'Liberation Serif'");
  EXPECT_EQ(family("CODE"), "'Liberation Mono'");
  EXPECT_STREQ(text("CODE").attribute("font-weight").value(), "bold");
  EXPECT_EQ(family("NOTES"), "'DejaVu Sans'");
  EXPECT_EQ(family("DEFAULT"), "'Liberation Serif'");
  // Capitals as high as the text in each font: Times' are smaller in their em.
  EXPECT_GT(std::stod(text("SERIF").attribute("font-size").value()),
            std::stod(text("PLAIN").attribute("font-size").value()) + 0.5);
  // The style's width and slant: x shrunk to 0.8, y leaning 15 degrees.
  const std::string slanted = text("SLANTED").attribute("transform").value();
  double matrix[6] = {};
  ASSERT_EQ(std::sscanf(slanted.c_str(), "matrix(%lf %lf %lf %lf %lf %lf)", &matrix[0], &matrix[1], &matrix[2],
                        &matrix[3], &matrix[4], &matrix[5]),
            6)
      << slanted;
  EXPECT_NEAR(matrix[0], 0.8, 1e-3);
  EXPECT_NEAR(matrix[2], -std::tan(15.0 * kPi / 180.0), 1e-3);
  EXPECT_NEAR(matrix[3], 1.0, 1e-3);

  const pugi::xml_node formatted = text("FORMATTED");
  const pugi::xpath_node_set lines = formatted.select_nodes("tspan");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(shownText(lines[1].node()), "next");
  const auto span = [&](const std::string& shown) {
    for (const pugi::xpath_node& found : lines[0].node().select_nodes("tspan"))
      if (shown == found.node().child_value()) return found.node();
    ADD_FAILURE() << shown;
    return pugi::xml_node();
  };
  const double size = std::stod(formatted.attribute("font-size").value());
  EXPECT_NEAR(std::stod(span("double").attribute("font-size").value()), 2 * size, 1e-2);
  EXPECT_STREQ(span("red").attribute("fill").value(), "#ff0000");
  EXPECT_STREQ(span("blue").attribute("fill").value(), "#0000ff");
  EXPECT_STREQ(span("under").attribute("text-decoration").value(), "underline");
  EXPECT_STREQ(span("over").attribute("text-decoration").value(), "overline");
  // A fraction: its parts smaller, one over the other, the bar under the top.
  const pugi::xml_node numerator = span("1"), denominator = span("2");
  EXPECT_NEAR(std::stod(numerator.attribute("font-size").value()), 0.7 * size, 1e-2);
  EXPECT_LT(std::stod(numerator.attribute("dy").value()), 0.0);
  EXPECT_GT(std::stod(denominator.attribute("dy").value()), 0.0);
  EXPECT_LT(std::stod(denominator.attribute("dx").value()), 0.0);
  EXPECT_STREQ(numerator.attribute("text-decoration").value(), "underline");
  // Tolerances stack without a bar.
  EXPECT_STREQ(span("+0.1").attribute("text-decoration").value(), "");
  EXPECT_STREQ(span("-0.2").attribute("text-decoration").value(), "");
  EXPECT_EQ(std::string(span("roman").attribute("font-family").value()).rfind("'Liberation Serif'", 0), 0u);
  EXPECT_STREQ(span("roman").attribute("font-style").value(), "italic");
  EXPECT_EQ(shownText(lines[0].node()), "plain double red blue under over 12 +0.1-0.2 roman");
}

namespace {

// A greyscale picture as pdftoppm writes it (binary PGM).
struct Greymap {
  int width = 0, height = 0;
  std::string pixels;
  bool isInk(int x, int y) const { return static_cast<unsigned char>(pixels[y * width + x]) < 220; }
  // The centres of the runs of ink along a row.
  std::vector<double> runs(int y) const {
    std::vector<double> centres;
    for (int x = 0; x < width; ++x) {
      if (!isInk(x, y)) continue;
      const int start = x;
      while (x < width && isInk(x, y)) ++x;
      centres.push_back((start + x - 1) / 2.0);
    }
    return centres;
  }
};

Greymap readGreymap(const std::filesystem::path& path) {
  std::istringstream in(readFile(path));
  std::string magic;
  int depth = 0;
  Greymap map;
  in >> magic >> map.width >> map.height >> depth;
  in.get();
  map.pixels.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  EXPECT_EQ(magic, "P5");
  EXPECT_EQ(map.pixels.size(), static_cast<size_t>(map.width) * map.height);
  return map;
}

}  // namespace

// The sample floor at 1:100 on A3: the rooms' 6 m walls stand 60 mm apart
// on the page, read back from the PDF at ten pixels a millimetre.
TEST(RenderedFiles, PdfPlotsMeasureTrueOnTheirSheet) {
  ScratchFolder folder;
  const std::string program = shellQuote(spatiaryExecutable().string()) + " render " +
                              shellQuote(floorDrawing().string()) + " ";
  const auto pdf = folder / "floor.pdf";
  const RunResult plotted = runCommand(program + shellQuote(pdf.string()) + " --sheet A3 --scale 1:100");
  ASSERT_EQ(plotted.exitCode, 0) << plotted.output;
  const RunResult info = runCommand("pdfinfo " + shellQuote(pdf.string()));
  ASSERT_EQ(info.exitCode, 0) << info.output;
  // Landscape, as the floor is wider than deep.
  EXPECT_NE(info.output.find("Page size:       1190.55 x 841.89 pts (A3)"), std::string::npos) << info.output;
  ASSERT_EQ(runCommand("pdftoppm -r 254 -gray " + shellQuote(pdf.string()) + " " + shellQuote((folder / "page").string()))
                .exitCode,
            0);
  const Greymap page = readGreymap(folder / "page-1.pgm");
  EXPECT_NEAR(page.width, 4200, 1);
  int rows = 0;
  for (int y = 0; y < page.height; ++y) {
    const std::vector<double> walls = page.runs(y);
    // A row through the four rooms along the bottom: five walls over the floor's 24 m.
    if (walls.size() != 5 || std::fabs(walls.back() - walls.front() - 2400.0) > 10.0) continue;
    ++rows;
    for (size_t index = 1; index < walls.size(); ++index) ASSERT_NEAR(walls[index] - walls[index - 1], 600.0, 2.0);
  }
  EXPECT_GT(rows, 500);

  // Fitted to A4 the floor is smaller; a window shows only its part.
  const auto fitted = folder / "fitted.pdf";
  ASSERT_EQ(runCommand(program + shellQuote(fitted.string()) + " --portrait --margin 5 --window 0,0,6000,6000")
                .exitCode,
            0);
  EXPECT_NE(runCommand("pdfinfo " + shellQuote(fitted.string())).output.find("595.276 x 841.89 pts (A4)"),
            std::string::npos);

  const RunResult wrongSheet = runCommand(program + shellQuote(pdf.string()) + " --sheet B7");
  EXPECT_EQ(wrongSheet.exitCode, 2);
  EXPECT_NE(wrongSheet.output.find("unknown sheet B7"), std::string::npos) << wrongSheet.output;
  const RunResult scaledImage = runCommand(program + shellQuote((folder / "floor.png").string()) + " --scale 1:50");
  EXPECT_EQ(scaledImage.exitCode, 1);
  EXPECT_NE(scaledImage.output.find("for PDF plots"), std::string::npos) << scaledImage.output;
  const RunResult unknown = runCommand(program + shellQuote((folder / "floor.jpg").string()));
  EXPECT_EQ(unknown.exitCode, 1);
  EXPECT_NE(unknown.output.find("a picture is an .svg, .png or .pdf file"), std::string::npos) << unknown.output;
  EXPECT_FALSE(std::filesystem::exists(folder / "floor.jpg"));
}

namespace {

// Lines of linetypes another program defined: by layer, by block, of their
// own, each with its own scale, and a wide polyline.
const char* kLinetypes = R"(
import sys, ezdxf
doc = ezdxf.new("R2018")
doc.header["$LTSCALE"] = float(sys.argv[2])
doc.linetypes.add("DASHED", pattern=[0.75, 0.5, -0.25], description="Dashed __ __ __")
doc.linetypes.add("DASHDOT", pattern=[1.0, 0.5, -0.25, 0.0, -0.25], description="Dash dot __ . __ .")
doc.linetypes.add("GAPFIRST", pattern=[1.0, -0.25, 0.5, -0.25], description="  __  __")
doc.layers.add("WALLS", linetype="DASHED")
msp = doc.modelspace()
msp.add_line((0, 0), (10, 0), dxfattribs={"layer": "WALLS"})
msp.add_arc((0, 0), 5, 0, 90, dxfattribs={"linetype": "DASHDOT", "ltscale": 2})
msp.add_circle((20, 0), 3, dxfattribs={"linetype": "GAPFIRST"})
msp.add_line((0, 5), (10, 5), dxfattribs={"linetype": "CONTINUOUS", "layer": "WALLS"})
block = doc.blocks.new("MARK")
block.add_line((0, 0), (1, 0), dxfattribs={"linetype": "BYBLOCK"})
msp.add_blockref("MARK", (0, 10), dxfattribs={"linetype": "DASHED", "xscale": 3, "yscale": 3})
corner = [(0, 20), (10, 20), (10, 30), (0, 30)]
msp.add_lwpolyline(corner, close=True, dxfattribs={"linetype": "DASHED", "layer": "APART"})
msp.add_lwpolyline(corner, close=True, dxfattribs={"linetype": "DASHED", "layer": "GENERATED", "flags": 128})
msp.add_lwpolyline(corner, close=True, dxfattribs={"layer": "SOLIDLINE"})
doc.saveas(sys.argv[1])
)";

}  // namespace

// The command line's render takes the plot options spatiary render takes,
// after a path quoted for its blanks; a wrong option is named.
TEST(RenderedFiles, TheConsoleCommandTakesThePlotOptions) {
  ScratchFolder folder;
  const auto appdata = folder / "appdata" / "ZelphSystems" / "Spatiary" / "prefs";
  std::filesystem::create_directories(appdata);
  writeFile(appdata / "prefs.cfg", "//\tprefs\nunits\n0\n");
  const auto pdf = folder / "my floor.pdf", window = folder / "window.svg";
  const RunResult plotted = runSpatiary(
      {"--appdata", (folder / "appdata").string(), "--keep-going", floorDrawing().string()},
      "render \"" + pdf.string() + "\" --sheet A3 --portrait --scale 1:100 --margin 5\nrender " + window.string() +
          " --window 0,0,6000,6000\nrender " + (folder / "plain.svg").string() + " --sheet B7\nrender " +
          (folder / "plain.svg").string() + " --bogus\n");
  EXPECT_EQ(plotted.exitCode, 1) << plotted.output;
  EXPECT_NE(plotted.output.find("Wrote the picture " + pdf.string() + " ("), std::string::npos) << plotted.output;
  const RunResult info = runCommand("pdfinfo " + shellQuote(pdf.string()));
  EXPECT_NE(info.output.find("Page size:       841.89 x 1190.55 pts (A3)"), std::string::npos) << info.output;
  pugi::xml_document picture;
  ASSERT_TRUE(picture.load_file(window.c_str()));
  EXPECT_EQ(numbersOf(picture.child("svg").attribute("viewBox").value()), (std::vector<double>{0, -6000, 6000, 6000}));
  EXPECT_NE(plotted.output.find("script line 3: render: unknown sheet B7"), std::string::npos) << plotted.output;
  EXPECT_NE(plotted.output.find("script line 4: render: unknown option --bogus"), std::string::npos) << plotted.output;
  EXPECT_FALSE(std::filesystem::exists(folder / "plain.svg"));
}


// Dashes as long as the linetype says, times the drawing's and the
// entity's linetype scales and the block's size; dots as very short dashes.
TEST(RenderedFiles, LinesAreDashedByTheirLinetypesAndScales) {
  ScratchFolder folder;
  for (const double ltscale : {1.0, 10.0}) {
    const auto dxf = folder / "linetypes.dxf";
    const RunResult made = runPython(kLinetypes, {dxf.string(), std::to_string(ltscale)});
    ASSERT_EQ(made.exitCode, 0) << made.output;
    AcDbDatabase db(false, true);
    ASSERT_EQ(db.dxfIn(wide(dxf).c_str()), Acad::eOk) << wideToUtf8(db.lastErrorMessage());
    int width = 0, height = 0;
    pugi::xml_document picture;
    ASSERT_TRUE(picture.load_string(PictureFile::svg(db, width, height).c_str()));
    const auto dashes = [&](const char* type, const char* which = "1") {
      const pugi::xml_node path =
          picture.select_node(("(//path[@data-type='" + std::string(type) + "'])[" + which + "]").c_str()).node();
      EXPECT_TRUE(path) << type;
      return std::make_pair(numbersOf(path.attribute("stroke-dasharray").value()),
                            numbersOf(path.attribute("stroke-dashoffset").value()));
    };
    const double s = ltscale;
    EXPECT_EQ(dashes("LINE").first, (std::vector<double>{0.5 * s, 0.25 * s})) << ltscale;
    EXPECT_TRUE(dashes("LINE").second.empty());
    // The dot stands between two gaps that are one.
    const auto dashDot = dashes("ARC").first;
    ASSERT_EQ(dashDot.size(), 4u);
    EXPECT_EQ(dashDot[0], 1.0 * s);
    EXPECT_GT(dashDot[2], 0.0);
    EXPECT_LT(dashDot[2], 0.01 * s);
    EXPECT_EQ(dashDot[1] + dashDot[3], 1.0 * s);
    // A pattern that begins with a gap starts in a gap as long.
    EXPECT_EQ(dashes("CIRCLE"), std::make_pair(std::vector<double>{0.5 * s, 0.5 * s}, std::vector<double>{0.75 * s}));
    EXPECT_TRUE(dashes("LINE", "2").first.empty());
    EXPECT_EQ(dashes("LINE", "3").first, (std::vector<double>{1.5 * s, 0.75 * s}));
    // A polyline's pattern starts afresh at each vertex, each segment a
    // path of its own, unless its linetype generation is on.
    const auto pieces = [&](const std::string& layer) {
      const pugi::xml_node path = picture.select_node(("//path[@data-layer='" + layer + "']").c_str()).node();
      const std::string d = path.attribute("d").value();
      return std::count(d.begin(), d.end(), 'M');
    };
    EXPECT_EQ(pieces("APART"), 4);
    EXPECT_EQ(pieces("GENERATED"), 1);
    EXPECT_EQ(pieces("SOLIDLINE"), 1);
  }
  // The patterns go back to the file as they came.
  AcDbDatabase db(false, true);
  const auto dxf = folder / "linetypes.dxf";
  ASSERT_EQ(db.dxfIn(wide(dxf).c_str()), Acad::eOk);
  ASSERT_EQ(db.setLtscale(2.5), Acad::eOk);
  EXPECT_EQ(db.setLtscale(0.0), Acad::eInvalidInput);
  {
    AcDbLinetypeTable* table = nullptr;
    ASSERT_EQ(db.getLinetypeTable(table, AcDb::kForWrite), Acad::eOk);
    AcDbLinetypeTableRecord* dashDot = nullptr;
    ASSERT_EQ(table->getAt(L"DASHDOT", dashDot, AcDb::kForWrite), Acad::eOk);
    table->close();
    EXPECT_EQ(dashDot->numDashes(), 4);
    EXPECT_EQ(dashDot->dashLengthAt(2), 0.0);
    EXPECT_EQ(dashDot->patternLength(), 1.0);
    dashDot->setComments(L"Dash and dot");
    dashDot->close();
    // A layer written anew keeps its linetype.
    AcDbLayerTable* layers = nullptr;
    ASSERT_EQ(db.getLayerTable(layers), Acad::eOk);
    AcDbLayerTableRecord* walls = nullptr;
    ASSERT_EQ(layers->getAt(L"WALLS", walls, AcDb::kForWrite), Acad::eOk);
    layers->close();
    walls->setIsOff(true);
    walls->close();
  }
  const auto saved = folder / "saved.dxf";
  ASSERT_EQ(db.saveAs(wide(saved).c_str()), Acad::eOk);
  const RunResult read = runPython(R"(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
ltype = doc.linetypes.get("DASHDOT")
print(doc.header["$LTSCALE"], ltype.dxf.description, [t.value for t in ltype.pattern_tags.tags if t.code == 49],
      doc.layers.get("WALLS").dxf.linetype)
)",
                                   {saved.string()});
  EXPECT_EQ(read.output, "2.5 Dash and dot [0.5, -0.25, 0.0, -0.25] DASHED\n") << read.output;
}

// Polylines drawn as wide as they are, light and old-style, constant or
// tapering (a band filled from width to width, straight segments mitred
// where they meet), an old-style vertex taking the polyline's default for
// the width it does not give, and as wide again in a block placed twice as
// large.
TEST(RenderedFiles, WidePolylinesAreDrawnAsWideAsTheyAre) {
  ScratchFolder folder;
  const auto dxf = folder / "widths.dxf";
  const RunResult made = runPython(R"(
import sys, ezdxf
doc = ezdxf.new("R2018")
msp = doc.modelspace()
msp.add_lwpolyline([(0, 0), (100, 0), (100, 50)], dxfattribs={"const_width": 4, "layer": "CONSTANT"})
msp.add_lwpolyline([(0, 0, 2, 6), (100, 0, 6, 6), (100, 50)], format="xyse", dxfattribs={"layer": "TAPER"})
msp.add_polyline2d([(0, 60), (100, 60)], dxfattribs={"default_start_width": 3, "default_end_width": 3, "layer": "OLD"})
half = msp.add_polyline2d([(0, 120), (100, 120)],
                          dxfattribs={"default_start_width": 1, "default_end_width": 5, "layer": "HALF"})
half.vertices[0].dxf.start_width = 3
msp.add_lwpolyline([(0, 80), (100, 80)], dxfattribs={"layer": "THIN"})
block = doc.blocks.new("WIDE")
block.add_lwpolyline([(0, 0), (10, 0)], dxfattribs={"const_width": 1, "layer": "BLOCK"})
msp.add_blockref("WIDE", (0, 100), dxfattribs={"xscale": 2, "yscale": 2})
doc.saveas(sys.argv[1])
)",
                                   {dxf.string()});
  ASSERT_EQ(made.exitCode, 0) << made.output;
  AcDbDatabase db(false, true);
  ASSERT_EQ(db.dxfIn(wide(dxf).c_str()), Acad::eOk) << wideToUtf8(db.lastErrorMessage());
  int width = 0, height = 0;
  pugi::xml_document picture;
  ASSERT_TRUE(picture.load_string(PictureFile::svg(db, width, height).c_str()));
  // Each class's stroke width, from the picture's style sheet.
  std::map<std::string, double> widths;
  std::istringstream rules(picture.select_node("//style").node().child_value());
  for (std::string rule; std::getline(rules, rule, '}');) {
    const size_t colon = rule.find(':');
    if (rule.size() > 1 && colon != std::string::npos) widths[rule.substr(1, rule.find('{') - 1)] = std::stod(rule.substr(colon + 1));
  }
  const auto widthOf = [&](const char* layer) {
    const pugi::xml_node path = picture.select_node(("//path[@data-layer='" + std::string(layer) + "']").c_str()).node();
    EXPECT_TRUE(path) << layer;
    std::istringstream classes(path.attribute("class").value());
    double shown = 0.0;
    for (std::string name; classes >> name;) shown = widths[name];
    return shown;
  };
  EXPECT_EQ(widthOf("CONSTANT"), 4.0);
  const pugi::xml_node taper = picture.select_node("//path[@data-layer='TAPER']").node();
  EXPECT_STREQ(taper.attribute("fill").value(), "#000000");
  EXPECT_STREQ(taper.attribute("stroke").value(), "none");
  // From 2 wide to 6 along the first segment, then 6 wide up the second,
  // the edges meeting at the corner.
  EXPECT_EQ(pathPoints(taper.attribute("d").value()),
            (std::vector<std::pair<double, double>>{{0, -1}, {97, -2.94}, {103, 3.06}, {0, 1}, {97, -2.94}, {97, -50},
                                                    {103, -50}, {103, 3.06}}));
  // From the vertex's own 3 wide to the polyline's 5.
  EXPECT_EQ(pathPoints(picture.select_node("//path[@data-layer='HALF']").node().attribute("d").value()),
            (std::vector<std::pair<double, double>>{{0, -121.5}, {100, -122.5}, {100, -117.5}, {0, -118.5}}));
  EXPECT_EQ(widthOf("OLD"), 3.0);
  EXPECT_EQ(widthOf("THIN"), 0.0);
  EXPECT_EQ(widthOf("BLOCK"), 2.0);
}

namespace {

// A room and a table in model space, a line far off, and a layout with two
// viewports at 1:100: one straight, one turned a quarter with the
// furniture frozen in it.
const char* kLayout = R"(
import sys, ezdxf
doc = ezdxf.new("R2018")
doc.units = 4
msp = doc.modelspace()
doc.layers.add("WALLS", color=1)
doc.layers.add("FURNITURE", color=3)
msp.add_lwpolyline([(0, 0), (6000, 0), (6000, 4000), (0, 4000)], close=True, dxfattribs={"layer": "WALLS"})
msp.add_circle((3000, 2000), 500, dxfattribs={"layer": "FURNITURE"})
msp.add_line((20000, 20000), (21000, 21000), dxfattribs={"layer": "WALLS"})
sheet = doc.layout("Layout1")
sheet.add_line((10, 10), (287, 10))
sheet.add_viewport(center=(80, 100), size=(80, 60), view_center_point=(3000, 2000), view_height=6000)
turned = sheet.add_viewport(center=(200, 100), size=(80, 60), view_center_point=(-2000, 3000), view_height=6000)
turned.dxf.view_twist_angle = 90
turned.frozen_layers = ["FURNITURE"]
doc.saveas(sys.argv[1])
)";

}  // namespace

namespace {

// The picture of a drawing ezdxf makes, and what it leaves out.
struct Rendered {
  pugi::xml_document picture;
  std::string leftOut;
};

void renderMade(const char* program, Rendered& rendered) {
  ScratchFolder folder;
  const auto dxf = folder / "made.dxf";
  const RunResult made = runPython(program, {dxf.string()});
  ASSERT_EQ(made.exitCode, 0) << made.output;
  const RunResult run = runCommand(shellQuote(spatiaryExecutable().string()) + " render " + shellQuote(dxf.string()) +
                                   " " + shellQuote((folder / "made.svg").string()));
  ASSERT_EQ(run.exitCode, 0) << run.output;
  rendered.leftOut = run.output;
  ASSERT_TRUE(rendered.picture.load_string(readFile(folder / "made.svg").c_str()));
}

pugi::xml_node byLayer(const pugi::xml_document& picture, const std::string& layer) {
  const pugi::xml_node found = picture.select_node(("//*[@data-layer='" + layer + "']").c_str()).node();
  EXPECT_TRUE(found) << layer;
  return found;
}

}  // namespace

// A layout is drawn on its sheet, its viewports showing model space at
// their scale, turned by their twist, cut to their frames and without the
// layers frozen in them; what lies outside every viewport does not widen
// the picture.
TEST(RenderedFiles, PaperSpaceLayoutsShowModelSpaceThroughTheirViewports) {
  ScratchFolder folder;
  const auto dxf = folder / "plan.dxf", svg = folder / "sheet.svg";
  const RunResult made = runPython(kLayout, {dxf.string()});
  ASSERT_EQ(made.exitCode, 0) << made.output;
  const std::string program = shellQuote(spatiaryExecutable().string()) + " render " + shellQuote(dxf.string()) + " ";
  const RunResult drawn = runCommand(program + shellQuote(svg.string()) + " --layout layout1");
  ASSERT_EQ(drawn.exitCode, 0) << drawn.output;
  pugi::xml_document picture;
  ASSERT_TRUE(picture.load_file(svg.c_str())) << readFile(svg);

  const pugi::xpath_node_set rooms = picture.select_nodes("//g[@data-type='VIEWPORT']//path[@data-layer='WALLS' and @data-type='LWPOLYLINE']");
  ASSERT_EQ(rooms.size(), 2u);
  // 6 m by 4 m at 1:100 round each viewport's centre, the second turned upright.
  const Box straight = boxOf(rooms[0].node()), turned = boxOf(rooms[1].node());
  EXPECT_EQ(std::vector<double>({straight.left, straight.top, straight.right, straight.bottom}),
            std::vector<double>({50, -120, 110, -80}));
  EXPECT_EQ(std::vector<double>({turned.left, turned.top, turned.right, turned.bottom}),
            std::vector<double>({180, -130, 220, -70}));
  EXPECT_EQ(picture.select_nodes("//path[@data-layer='FURNITURE']").size(), 1u);
  for (const pugi::xpath_node& contents : picture.select_nodes("//g[@data-type='VIEWPORT']/g"))
    EXPECT_STRNE(contents.node().attribute("clip-path").value(), "");
  // The sheet's line, 277 mm long, and the viewports set the picture's size.
  const std::vector<double> view = numbersOf(picture.child("svg").attribute("viewBox").value());
  ASSERT_EQ(view.size(), 4u);
  EXPECT_GT(view[2], 277.0);
  EXPECT_LT(view[2], 300.0);

  const RunResult missing = runCommand(program + shellQuote(svg.string()) + " --layout Plan");
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.output.find("no paper space layout named Plan"), std::string::npos) << missing.output;
}

// Arc length and jogged radius dimensions show their blocks as every
// dimension does, and a changed one is saved as the kind it is.
TEST(RenderedFiles, ArcAndJoggedDimensionsAreDrawnAndKeepTheirKind) {
  ScratchFolder folder;
  AcDbDatabase db(false, true);
  ASSERT_EQ(db.dxfIn(wide(sourceDir() / "tests" / "data" / "drawings" / "uncommon.dxf").c_str()), Acad::eOk);
  int width = 0, height = 0;
  pugi::xml_document picture;
  ASSERT_TRUE(picture.load_string(PictureFile::svg(db, width, height).c_str()));
  for (const char* kind : {"ARC_DIMENSION", "LARGE_RADIAL_DIMENSION"})
    EXPECT_FALSE(picture.select_nodes(("//g[@data-type='" + std::string(kind) + "']/path").c_str()).empty()) << kind;

  AcDbObjectIdArray ids;
  {
    AcDbObjectPointer<AcDbBlockTableRecord> model(db.modelSpaceId(), AcDb::kForRead);
    ids = model->entityIds();
  }
  for (const AcDbObjectId& id : ids) {
    AcDbEntityPointer entity(id, AcDb::kForWrite);
    if (AcDbDimension::cast(entity.object()) != nullptr) entity->setColorIndex(3);
  }
  const auto saved = folder / "saved.dxf";
  ASSERT_EQ(db.saveAs(wide(saved).c_str()), Acad::eOk);
  const RunResult check = runPython(R"py(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
print(len(doc.audit().errors))
for kind in ("ARC_DIMENSION", "LARGE_RADIAL_DIMENSION"):
    found = doc.modelspace().query(kind)
    print(kind, len(found), sorted(set(d.dxf.color for d in found)), all(d.dxf.geometry.startswith("*D") for d in found))
)py",
                                    {saved.string()});
  EXPECT_EQ(check.output, "0\nARC_DIMENSION 1 [3] True\nLARGE_RADIAL_DIMENSION 2 [3] True\n");
}

// Traces, 3-D faces, wipeouts, images, leaders, multileaders, construction
// lines, rays and grids of block references, each where it stands.
TEST(RenderedFiles, LessCommonEntitiesAreDrawnWhereTheyStand) {
  Rendered rendered;
  renderMade(R"(
import sys, ezdxf
from ezdxf.math import Vec2
doc = ezdxf.new("R2018")
doc.header["$DIMASZ"] = 3
msp = doc.modelspace()
msp.add_line((0, -20), (60, -20), dxfattribs={"layer": "UNDER"})
msp.add_trace([(0, 0), (10, 0), (0, 5), (10, 5)], dxfattribs={"layer": "TRACE"})
msp.add_3dface([(20, 0), (30, 0), (30, 10), (20, 10)], dxfattribs={"layer": "FACE", "invisible": 2})
msp.add_wipeout([(40, -25), (50, -25), (50, -15), (40, -15)]).dxf.layer = "WIPE"
image = doc.add_image_def("plan.png", (100, 50))
msp.add_image(image, (60, 0), (10, 5), dxfattribs={"layer": "IMAGE"})
msp.add_leader([(80, 0), (90, 10), (100, 10)], dxfattribs={"layer": "LEADER"})
note = msp.add_multileader_mtext("Standard")
note.set_content("Store room", char_height=2)
note.add_leader_line(ezdxf.render.mleader.ConnectionSide.left, [Vec2(110, 0)])
note.build(insert=Vec2(120, 10))
note.multileader.dxf.layer = "NOTE"
msp.add_xline((0, 50), (1, 0), dxfattribs={"layer": "XLINE"})
msp.add_ray((50, 40), (-1, 0), dxfattribs={"layer": "RAY"})
square = doc.blocks.new("SQUARE")
square.add_lwpolyline([(0, 0), (5, 0), (5, 5), (0, 5)], close=True, dxfattribs={"layer": "GRID"})
msp.add_blockref("SQUARE", (0, 100)).grid(size=(3, 4), spacing=(10, 20))
doc.saveas(sys.argv[1])
)",
             rendered);
  EXPECT_EQ(rendered.leftOut, "");
  const pugi::xml_document& picture = rendered.picture;
  // A trace is filled as a solid; a face leaves its invisible second edge out.
  const pugi::xml_node trace = byLayer(picture, "TRACE");
  EXPECT_STREQ(trace.attribute("data-type").value(), "TRACE");
  EXPECT_STREQ(trace.attribute("fill").value(), "#000000");
  EXPECT_STREQ(byLayer(picture, "FACE").attribute("d").value(), "M20,0L30,0M30,-10L20,-10L20,0");
  // The wipeout covers the line below it in white, after it.
  const pugi::xml_node wipeout = byLayer(picture, "WIPE");
  EXPECT_STREQ(wipeout.attribute("fill").value(), "#ffffff");
  EXPECT_STREQ(wipeout.attribute("d").value(), "M40,25L50,25L50,15L40,15L40,25Z");
  EXPECT_STREQ(wipeout.parent().first_child().attribute("data-layer").value(), "UNDER");
  // An image is its frame: ten by five units from its corner.
  EXPECT_STREQ(byLayer(picture, "IMAGE").attribute("d").value(), "M60,-5L70,-5L70,0L60,0Z");
  // Leaders: their lines and a filled arrowhead at the start, $DIMASZ long.
  const pugi::xml_node leader = byLayer(picture, "LEADER");
  EXPECT_STREQ(leader.first_child().attribute("d").value(), "M80,0L90,-10L100,-10");
  const auto arrow = pathPoints(leader.last_child().attribute("d").value());
  ASSERT_EQ(arrow.size(), 3u);
  EXPECT_EQ(arrow[0], std::make_pair(80.0, 0.0));
  const double baseX = (arrow[1].first + arrow[2].first) / 2, baseY = (arrow[1].second + arrow[2].second) / 2;
  EXPECT_NEAR(baseX - 80, 3 / std::sqrt(2.0), 0.01);
  EXPECT_NEAR(baseY, -3 / std::sqrt(2.0), 0.01);
  const pugi::xml_node note = byLayer(picture, "NOTE");
  EXPECT_STREQ(note.select_node("text/tspan").node() ? note.select_node("text/tspan").node().child_value()
                                                     : note.select_node("text").node().child_value(),
               "Store room");
  const Box lines = boxOf(note.first_child());
  EXPECT_NEAR(lines.left, 110, 0.01);
  EXPECT_NEAR(lines.top, -9, 0.01);
  EXPECT_NEAR(lines.bottom, 0, 0.01);
  EXPECT_STREQ(note.child("path").next_sibling("path").attribute("fill").value(), "#000000");
  // Lines without end run across what else the picture shows; the ray one way only.
  const Box xline = boxOf(byLayer(picture, "XLINE")), ray = boxOf(byLayer(picture, "RAY"));
  EXPECT_EQ(xline.top, -50);
  EXPECT_EQ(xline.left, 0);
  EXPECT_GT(xline.right, 120);
  EXPECT_EQ(ray.left, 0);
  EXPECT_EQ(ray.right, 50);
  // Three rows of four squares, columns 20 apart and rows 10.
  const pugi::xpath_node_set squares = picture.select_nodes("//path[@data-layer='GRID']");
  ASSERT_EQ(squares.size(), 12u);
  const Box last = boxOf(squares[11].node());
  EXPECT_EQ(last.left, 60);
  EXPECT_EQ(last.bottom, -120);
}

// A leader's own arrowhead size, a dimension style override, wins over the drawing's.
TEST(RenderedFiles, LeaderArrowheadsTakeTheirOverrides) {
  Rendered rendered;
  renderMade(R"(
import sys, ezdxf
doc = ezdxf.new("R2018")
doc.header["$DIMASZ"] = 3
msp = doc.modelspace()
msp.add_leader([(0, 0), (10, 0)], dxfattribs={"layer": "BIG"}, override={"dimasz": 6})
msp.add_leader([(0, 20), (10, 20)], dxfattribs={"layer": "PLAIN"})
doc.saveas(sys.argv[1])
)",
             rendered);
  EXPECT_NEAR(boxOf(byLayer(rendered.picture, "BIG").last_child()).right, 6, 1e-3);
  EXPECT_NEAR(boxOf(byLayer(rendered.picture, "PLAIN").last_child()).right, 3, 1e-3);
}

// Hatch loops of elliptic arcs and splines are filled along those curves.
TEST(RenderedFiles, HatchesFollowEllipticAndSplineEdges) {
  Rendered rendered;
  renderMade(R"(
import sys, ezdxf
doc = ezdxf.new("R2018")
msp = doc.modelspace()
oval = msp.add_hatch(color=1, dxfattribs={"layer": "OVAL"})
oval.paths.add_edge_path().add_ellipse((50, 0), major_axis=(20, 0), ratio=0.5, start_angle=0, end_angle=360)
arch = msp.add_hatch(color=2, dxfattribs={"layer": "ARCH"})
edges = arch.paths.add_edge_path()
edges.add_spline(control_points=[(0, 0), (10, 20), (20, 0)], knot_values=[0, 0, 0, 1, 1, 1], degree=2)
edges.add_line((20, 0), (0, 0))
half = msp.add_hatch(color=3, dxfattribs={"layer": "HALF"})
half.paths.add_edge_path().add_ellipse((0, -50), major_axis=(10, 0), ratio=0.5, start_angle=0, end_angle=180, ccw=False)
doc.saveas(sys.argv[1])
)",
             rendered);
  const Box oval = boxOf(byLayer(rendered.picture, "OVAL"));
  EXPECT_NEAR(oval.left, 30, 1e-3);
  EXPECT_NEAR(oval.right, 70, 1e-3);
  EXPECT_NEAR(oval.top, -10, 1e-3);
  EXPECT_NEAR(oval.bottom, 10, 1e-3);
  // The spline's peak is half its middle control point's height.
  const Box arch = boxOf(byLayer(rendered.picture, "ARCH"));
  EXPECT_NEAR(arch.top, -10, 1e-3);
  EXPECT_NEAR(arch.right, 20, 1e-3);
  // A clockwise edge keeps its arc, the upper half, walked the other way.
  const Box half = boxOf(byLayer(rendered.picture, "HALF"));
  EXPECT_NEAR(half.top, 45, 1e-3);
  EXPECT_NEAR(half.bottom, 50, 1e-3);
}

// A 3-D polyline through its vertices, closed; a polygon mesh as its rows
// and columns; a polyface mesh as its faces' visible edges.
TEST(RenderedFiles, ThreeDimensionalPolylinesAndMeshesAreSeenFromAbove) {
  Rendered rendered;
  renderMade(R"(
import sys, ezdxf
doc = ezdxf.new("R2018")
msp = doc.modelspace()
msp.add_polyline3d([(0, 0, 0), (10, 0, 5), (10, 10, 10)], close=True, dxfattribs={"layer": "PATH"})
mesh = msp.add_polymesh((2, 3), dxfattribs={"layer": "MESH"})
for m in range(2):
    for n in range(3):
        mesh.set_mesh_vertex((m, n), (20 + 10 * n, 10 * m, m * n))
faces = msp.add_polyface(dxfattribs={"layer": "FACES"})
faces.append_face([(40, 0, 0), (50, 0, 0), (50, 10, 0), (40, 10, 0)])
faces.append_face([(50, 0, 0), (60, 0, 0), (60, 10, 0)])
faces.optimize()
doc.saveas(sys.argv[1])
)",
             rendered);
  EXPECT_EQ(rendered.leftOut, "");
  EXPECT_STREQ(byLayer(rendered.picture, "PATH").attribute("d").value(), "M0,0L10,0L10,-10L0,0");
  // Two rows of three and three columns of two.
  EXPECT_STREQ(byLayer(rendered.picture, "MESH").attribute("d").value(),
               "M20,0L30,0L40,0M20,-10L30,-10L40,-10M20,0L20,-10M30,0L30,-10M40,0L40,-10");
  // A square's four edges and a triangle's three, back to its first corner.
  const std::string faces = byLayer(rendered.picture, "FACES").attribute("d").value();
  EXPECT_EQ(std::count(faces.begin(), faces.end(), 'M'), 7) << faces;
  EXPECT_NE(faces.find("M40,-10L40,0"), std::string::npos) << faces;
  EXPECT_NE(faces.find("M60,-10L50,0"), std::string::npos) << faces;
}

// Transparency, the entity's own or its layer's, shows as opacity.
TEST(RenderedFiles, TransparentEntitiesAndLayersAreDrawnSeeThrough) {
  Rendered rendered;
  renderMade(R"(
import sys, ezdxf
doc = ezdxf.new("R2018")
msp = doc.modelspace()
doc.layers.add("GLASS").transparency = 0.25
msp.add_line((0, 0), (10, 0), dxfattribs={"layer": "HALF"}).transparency = 0.5
msp.add_line((0, 5), (10, 5), dxfattribs={"layer": "GLASS"})
msp.add_line((0, 10), (10, 10), dxfattribs={"layer": "GLASS"}).transparency = 0.0
msp.add_line((0, 15), (10, 15), dxfattribs={"layer": "SOLID"})
doc.saveas(sys.argv[1])
)",
             rendered);
  EXPECT_STREQ(byLayer(rendered.picture, "HALF").attribute("opacity").value(), "0.498");
  const pugi::xpath_node_set glass = rendered.picture.select_nodes("//path[@data-layer='GLASS']");
  ASSERT_EQ(glass.size(), 2u);
  EXPECT_STREQ(glass[0].node().attribute("opacity").value(), "0.749");
  EXPECT_FALSE(glass[1].node().attribute("opacity"));
  EXPECT_FALSE(byLayer(rendered.picture, "SOLID").attribute("opacity"));
}

// Gradient fills blend their two colours, or one colour and its tint,
// along their angle or outwards from the centre.
TEST(RenderedFiles, GradientHatchesBlendTheirColours) {
  Rendered rendered;
  renderMade(R"(
import sys, ezdxf
doc = ezdxf.new("R2018")
msp = doc.modelspace()
rising = msp.add_hatch(dxfattribs={"layer": "RISING"})
rising.paths.add_polyline_path([(0, 0), (10, 0), (10, 5), (0, 5)])
rising.set_gradient((255, 0, 0), (0, 0, 255), rotation=90, name="LINEAR")
glow = msp.add_hatch(dxfattribs={"layer": "GLOW"})
glow.paths.add_polyline_path([(20, 0), (30, 0), (30, 10), (20, 10)])
glow.set_gradient((0, 128, 0), rotation=0, one_color=1, tint=0.8, name="SPHERICAL")
doc.saveas(sys.argv[1])
)",
             rendered);
  const auto paintOf = [&](const char* layer) {
    const std::string fill = byLayer(rendered.picture, layer).attribute("fill").value();
    EXPECT_EQ(fill.rfind("url(#", 0), 0u) << fill;
    const std::string id = fill.substr(5, fill.size() - 6);
    return rendered.picture.select_node(("//*[@id='" + id + "']").c_str()).node();
  };
  const auto stops = [](pugi::xml_node gradient) {
    std::vector<std::string> colours;
    for (pugi::xml_node stop : gradient.children("stop")) colours.push_back(stop.attribute("stop-color").value());
    return colours;
  };
  // Red at the bottom rising to blue at the top (the picture's y runs down).
  const pugi::xml_node rising = paintOf("RISING");
  EXPECT_STREQ(rising.name(), "linearGradient");
  EXPECT_EQ(stops(rising), (std::vector<std::string>{"#ff0000", "#0000ff"}));
  EXPECT_STREQ(rising.attribute("y1").value(), "0");
  EXPECT_STREQ(rising.attribute("y2").value(), "-5");
  EXPECT_STREQ(rising.attribute("x1").value(), rising.attribute("x2").value());
  // One green tinted toward white in the centre.
  const pugi::xml_node glow = paintOf("GLOW");
  EXPECT_STREQ(glow.name(), "radialGradient");
  EXPECT_EQ(stops(glow), (std::vector<std::string>{"#99cc99", "#008000"}));
  EXPECT_STREQ(glow.attribute("cx").value(), "25");
  EXPECT_STREQ(glow.attribute("cy").value(), "-5");
}

namespace {

// A frame 100 by 50 and points in the style the arguments give: one at
// (20, 10), one turned a quarter at (60, 10), and one in a block placed
// twice as large at (80, 40).
const char* kPoints = R"(
import sys, ezdxf
doc = ezdxf.new("R2018")
doc.header["$PDMODE"] = int(sys.argv[2])
doc.header["$PDSIZE"] = float(sys.argv[3])
msp = doc.modelspace()
msp.add_lwpolyline([(0, 0), (100, 0), (100, 50), (0, 50)], close=True, dxfattribs={"layer": "FRAME"})
msp.add_point((20, 10), dxfattribs={"layer": "POINT"})
msp.add_point((60, 10), dxfattribs={"layer": "TURNED", "angle": 90})
doc.blocks.new("MARK").add_point((0, 0), dxfattribs={"layer": "BLOCK"})
msp.add_blockref("MARK", (80, 40), dxfattribs={"xscale": 2, "yscale": 2})
doc.saveas(sys.argv[1])
)";

}  // namespace

// Points show in the drawing's point style: a dot wider than the thinnest
// line, or a plus, cross or tick with a circle or square round it, sized in
// drawing units or by the view's height (5 % when the size is 0).
TEST(RenderedFiles, PointsShowInTheDrawingsPointStyle) {
  ScratchFolder folder;
  const auto dxf = folder / "points.dxf", svg = folder / "points.svg";
  const auto draw = [&](int mode, double size, pugi::xml_document& picture) {
    const RunResult made = runPython(kPoints, {dxf.string(), std::to_string(mode), std::to_string(size)});
    ASSERT_EQ(made.exitCode, 0) << made.output;
    const RunResult run = runCommand(shellQuote(spatiaryExecutable().string()) + " render " + shellQuote(dxf.string()) +
                                     " " + shellQuote(svg.string()));
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.output, "");
    ASSERT_TRUE(picture.load_file(svg.c_str()));
  };
  const auto extent = [](const pugi::xml_document& picture, const char* layer) {
    const Box box = boxOf(byLayer(picture, layer));
    return std::vector<double>{box.left, box.top, box.right, box.bottom};
  };
  {
    pugi::xml_document picture;
    draw(0, 0, picture);
    const pugi::xml_node dot = byLayer(picture, "POINT");
    EXPECT_STREQ(dot.attribute("d").value(), "M20,-10L20,-10");
    EXPECT_STREQ(dot.attribute("class").value(), "dot");
    const double thin = std::stod(picture.select_node("//g[@id='model']").node().attribute("stroke-width").value());
    const std::string style = picture.select_node("//style").node().child_value();
    ASSERT_EQ(style.rfind(".dot{stroke-width:", 0), 0u) << style;
    EXPECT_NEAR(std::stod(style.substr(style.find(':') + 1)), 3 * thin, 1e-3) << style;
  }
  {
    // A cross 2 units each way in a circle 1 round.
    pugi::xml_document picture;
    draw(35, 2, picture);
    EXPECT_EQ(extent(picture, "POINT"), (std::vector<double>{18, -12, 22, -8}));
    const std::string symbol = byLayer(picture, "POINT").attribute("d").value();
    EXPECT_EQ(std::count(symbol.begin(), symbol.end(), 'M'), 3) << symbol;
    EXPECT_NE(symbol.find('A'), std::string::npos) << symbol;
    // The block's point doubles with it.
    EXPECT_EQ(extent(picture, "BLOCK"), (std::vector<double>{76, -44, 84, -36}));
  }
  {
    // A plus 1.5 each way in a square 1.5 across, and a tick half as high.
    pugi::xml_document picture;
    draw(66, 1.5, picture);
    EXPECT_EQ(extent(picture, "POINT"), (std::vector<double>{18.5, -11.5, 21.5, -8.5}));
    draw(4, 1.5, picture);
    EXPECT_EQ(extent(picture, "POINT"), (std::vector<double>{20, -10.75, 20, -10}));
    // The angle turns the tick clockwise.
    const Box turned = boxOf(byLayer(picture, "TURNED"));
    EXPECT_NEAR(turned.right, 60.75, 1e-9);
    EXPECT_NEAR(turned.top, -10, 1e-9);
  }
  {
    // 5 % and 10 % of the view's height, 54 with its margins, in the block too.
    pugi::xml_document picture;
    draw(2, 0, picture);
    const std::vector<double> share = extent(picture, "POINT");
    const std::vector<double> expected{17.3, -12.7, 22.7, -7.3};
    for (size_t side = 0; side < 4; ++side) EXPECT_NEAR(share[side], expected[side], 1e-9);
    draw(2, -10, picture);
    const std::vector<double> plus = extent(picture, "POINT");
    ASSERT_EQ(plus.size(), 4u);
    EXPECT_NEAR(plus[2] - plus[0], 10.8, 1e-9);
    EXPECT_NEAR(boxOf(byLayer(picture, "BLOCK")).right, 85.4, 1e-9);
    // Nothing at all.
    draw(1, 0, picture);
    EXPECT_TRUE(picture.select_nodes("//*[@data-layer='POINT']").empty());
  }
}

// A subdivision mesh shows the edges of its faces seen from above; solids,
// regions and bodies, whose shapes are ACIS data, are named as left out.
TEST(RenderedFiles, SubdivisionMeshesShowTheirFacesAndSolidsAreNamedLeftOut) {
  Rendered rendered;
  renderMade(R"(
import sys, ezdxf
doc = ezdxf.new("R2018")
msp = doc.modelspace()
mesh = msp.add_mesh(dxfattribs={"layer": "MESH"})
with mesh.edit_data() as data:
    data.vertices = [(0, 0, 0), (10, 0, 0), (10, 10, 0), (0, 10, 0), (5, 5, 8), (20, 0, 0)]
    data.faces = [(0, 1, 4), (1, 2, 4), (2, 3, 4), (3, 0, 4), (1, 5, 2)]
msp.add_3dsolid(dxfattribs={"layer": "SOLID"})
msp.add_region(dxfattribs={"layer": "REGION"})
msp.add_body(dxfattribs={"layer": "BODY"})
doc.saveas(sys.argv[1])
)",
             rendered);
  EXPECT_EQ(rendered.leftOut, "spatiary: not drawn: 1 3DSOLID, 1 BODY, 1 REGION\n");
  const pugi::xml_node mesh = byLayer(rendered.picture, "MESH");
  EXPECT_STREQ(mesh.attribute("data-type").value(), "MESH");
  const std::string edges = mesh.attribute("d").value();
  EXPECT_EQ(std::count(edges.begin(), edges.end(), 'M'), 5) << edges;
  EXPECT_EQ(edges.substr(0, edges.find('M', 1)), "M0,0L10,0L5,-5L0,0") << edges;
  EXPECT_NE(edges.find("M10,0L20,0L10,-10L10,0"), std::string::npos) << edges;
}

namespace {

// A text of a linetype as the picture shows it: where its baseline starts
// in the drawing, which way it reads (degrees) and how large its letters are.
struct LinetypeText {
  double x, y, angle, size;
};

std::vector<LinetypeText> linetypeTexts(const pugi::xml_document& picture, const std::string& layer) {
  std::vector<LinetypeText> texts;
  for (const pugi::xpath_node& found : picture.select_nodes(("//text[@data-layer='" + layer + "']").c_str())) {
    const pugi::xml_node text = found.node();
    EXPECT_STREQ(text.child_value(), "GAS");
    const char* type = layer.rfind("PIPE", 0) == 0 ? "LWPOLYLINE" : layer == "RING" ? "CIRCLE" : "LINE";
    EXPECT_STREQ(text.attribute("data-type").value(), type);
    const std::string transform = text.attribute("transform").value();
    const std::vector<double> m = numbersOf(transform.substr(transform.find('(') + 1).c_str());
    EXPECT_EQ(m.size(), 6u) << transform;
    texts.push_back(LinetypeText{m[4], -m[5], std::atan2(-m[1], m[0]) * 180.0 / kPi,
                                 std::hypot(m[0], m[1]) * text.attribute("font-size").as_double()});
  }
  return texts;
}

}  // namespace

// The texts of a complex linetype stand in the gaps it leaves for them,
// along lines, polylines (the pattern starting afresh at each vertex, or
// running on past it where linetype generation is on) and
// circles, as large as its scale says times the line's, reading upright
// whichever way the line runs; its shapes, and texts too many to read, are
// counted as not drawn.
TEST(RenderedFiles, ComplexLinetypesShowTheirTextsAlongTheLine) {
  Rendered rendered;
  renderMade(R"(
import sys, ezdxf
doc = ezdxf.new("R2018")
doc.linetypes.add("GAS_LINE", pattern='A,.5,-.2,["GAS",STANDARD,S=.1,U=0.0,X=-0.1,Y=-.05],-.25',
                  description="Gas line ----GAS----GAS----", length=0.95)
doc.linetypes.add("BATTING", pattern='A,.25,-.1,[132,ltypeshp.shx,x=-.1,s=.1],-.1,1',
                  description="Batting SSSS", length=1.45)
msp = doc.modelspace()
gas = {"linetype": "GAS_LINE"}
msp.add_line((0, 0), (10, 0), dxfattribs=dict(gas, layer="ALONG"))
msp.add_line((10, 5), (0, 5), dxfattribs=dict(gas, layer="BACK", ltscale=2))
msp.add_lwpolyline([(0, 10), (3, 10), (3, 13)], dxfattribs=dict(gas, layer="PIPE"))
msp.add_lwpolyline([(0, 30), (3, 30), (3, 33)], dxfattribs=dict(gas, layer="PIPEGEN", flags=128))
msp.add_circle((20, 0), 2, dxfattribs=dict(gas, layer="RING"))
msp.add_line((0, -10), (1000, -10), dxfattribs=dict(gas, layer="TINY", ltscale=0.001))
msp.add_line((0, 20), (10, 20), dxfattribs={"linetype": "BATTING", "layer": "SHAPES"})
doc.saveas(sys.argv[1])
)",
             rendered);
  const std::string said = "spatiary: not drawn: 7 shapes of complex linetypes, ";
  const std::string tooMany = " texts of complex linetypes on curves that repeat them more than 1000 times\n";
  ASSERT_EQ(rendered.leftOut.rfind(said, 0), 0u) << rendered.leftOut;
  ASSERT_NE(rendered.leftOut.find(tooMany), std::string::npos) << rendered.leftOut;
  // A thousand units of a pattern a thousandth of 0.95 long.
  EXPECT_NEAR(std::stod(rendered.leftOut.substr(said.size())), 1000 / 0.95e-3, 2.0) << rendered.leftOut;
  EXPECT_TRUE(linetypeTexts(rendered.picture, "TINY").empty());
  EXPECT_TRUE(linetypeTexts(rendered.picture, "SHAPES").empty());

  // Every 0.95 from where the first gap ends, moved back 0.1 and down half
  // the text's height, while the whole text fits on the line.
  const std::vector<LinetypeText> along = linetypeTexts(rendered.picture, "ALONG");
  ASSERT_EQ(along.size(), 10u);
  for (size_t i = 0; i < along.size(); ++i) {
    EXPECT_NEAR(along[i].x, 0.6 + 0.95 * i, 1e-3) << i;
    EXPECT_NEAR(along[i].y, -0.05, 1e-3) << i;
    EXPECT_NEAR(along[i].angle, 0.0, 1e-3) << i;
  }
  // Twice the scale from the other end: turned to read left to right about
  // its middle, twice as large.
  std::vector<LinetypeText> back = linetypeTexts(rendered.picture, "BACK");
  ASSERT_EQ(back.size(), 5u);
  std::sort(back.begin(), back.end(), [](const LinetypeText& a, const LinetypeText& b) { return a.x > b.x; });
  const double width = 10.0 - 1.2 - back.front().x;
  EXPECT_GT(width, 0.4);
  EXPECT_LT(width, 0.8);
  for (size_t i = 0; i < back.size(); ++i) {
    EXPECT_NEAR(back[i].x, 10.0 - 1.2 - 1.9 * i - width, 1e-3) << i;
    EXPECT_NEAR(back[i].y, 4.9, 1e-3) << i;
    EXPECT_NEAR(back[i].angle, 0.0, 1e-3) << i;
    EXPECT_NEAR(back[i].size, 2.0 * along.front().size, 1e-3) << i;
  }
  // At the polyline's corner the pattern starts afresh, or with linetype
  // generation on goes on round it: three texts along its first side and
  // three up its second either way.
  struct Corner {
    const char* layer;
    double base, second;  // the first side's y, where the second's first text stands along it
  };
  for (const auto& [layer, base, second] : {Corner{"PIPE", 10.0, 0.6}, Corner{"PIPEGEN", 30.0, 0.45}}) {
    const std::vector<LinetypeText> pipe = linetypeTexts(rendered.picture, layer);
    ASSERT_EQ(pipe.size(), 6u) << layer;
    for (size_t i = 0; i < 3; ++i) {
      EXPECT_NEAR(pipe[i].x, 0.6 + 0.95 * i, 1e-3) << layer << i;
      EXPECT_NEAR(pipe[i].y, base - 0.05, 1e-3) << layer << i;
      EXPECT_NEAR(pipe[i].angle, 0.0, 1e-3) << layer << i;
      EXPECT_NEAR(pipe[i + 3].x, 3.05, 1e-3) << layer << i;
      EXPECT_NEAR(pipe[i + 3].y, base + second + 0.95 * i, 1e-3) << layer << i;
      EXPECT_NEAR(pipe[i + 3].angle, 90.0, 1e-3) << layer << i;
    }
  }
  // Round a circle of 4π, each text across its radius and never upside down.
  const std::vector<LinetypeText> ring = linetypeTexts(rendered.picture, "RING");
  ASSERT_EQ(ring.size(), 13u);
  for (const LinetypeText& text : ring) {
    EXPECT_NEAR(std::hypot(text.x - 20.0, text.y), 2.05, 0.35) << text.x << "," << text.y;
    EXPECT_GT(text.angle, -90.0 - 1e-3) << text.x << "," << text.y;
    EXPECT_LE(text.angle, 90.0 + 1e-3) << text.x << "," << text.y;
  }
}
