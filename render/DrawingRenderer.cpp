#include "DrawingRenderer.h"

#include <algorithm>

#include "AcDbAttribute.h"
#include "AcDbAttributeDefinition.h"
#include "AcDbBlockReference.h"
#include "AcDbBlockTableRecord.h"
#include "AcDbDatabase.h"
#include "AcDbDictionary.h"
#include "AcDbDimension.h"
#include "AcDbHatch.h"
#include "AcDbMInsertBlock.h"
#include "AcDbMText.h"
#include "AcDbObjectPointer.h"
#include "AcDbPoint.h"
#include "AcDbSolid.h"
#include "AcDbSortentsTable.h"
#include "AcDbText.h"
#include "AcDbTextStyleTableRecord.h"
#include "AcDbUnmodelledEntity.h"
#include "AcDbViewport.h"
#include "BlockNesting.h"
#include "CarriedShape.h"
#include "CarriedTags.h"
#include "CurveShape.h"
#include "LeaderShape.h"
#include "PolylineWidth.h"
#include "SvgCanvas.h"
#include "SvgNumber.h"
#include "TextCodec.h"
#include "ViewportView.h"

namespace {

// Texts show as many characters for each entity a picture may draw.
constexpr std::uint64_t kCharactersPerEntity = 20;

double heightOf(const AcDbText& text) {
  if (text.height() > 0.0) return text.height();
  // A text without its own height takes its style's.
  AcDbObjectPointer<AcDbTextStyleTableRecord> style(text.textStyle(), AcDb::kForRead);
  return style ? style->textSize() : 0.0;
}

}  // namespace

DrawingRenderer::DrawingRenderer(AcDbDatabase& database, SvgCanvas& canvas)
    : m_database(database),
      m_canvas(canvas),
      m_style(database),
      m_budget(database),
      m_texts(canvas, kCharactersPerEntity * m_budget.limit()),
      m_hatches(canvas),
      m_linetypeTexts(m_texts),
      m_points(database, canvas),
      m_wipeoutFrames(showsWipeoutFrames(database)) {}

void DrawingRenderer::render() {
  drawBlock(m_database.modelSpaceId(), Placement{AcGeMatrix3d::kIdentity, m_style.top(), m_canvas.drawing()});
  m_unbounded.finish(m_canvas.extents());
}

bool DrawingRenderer::showsWipeoutFrames(AcDbDatabase& database) {
  // The drawing's WIPEOUTFRAME lives in a variables object; without one
  // frames show, as in a new drawing.
  AcDbObjectPointer<AcDbDictionary> named(database.namedObjectsDictionaryId(), AcDb::kForRead);
  AcDbObjectId variablesId;
  if (!named || named->getAt(L"ACAD_WIPEOUT_VARS", variablesId) != Acad::eOk) return true;
  AcDbObjectPointer<AcDbObject> variables(variablesId, AcDb::kForRead);
  return !variables || CarriedTags(variables->dxfTags()).integer(70, 1) != 0;
}

void DrawingRenderer::renderLayout(AcDbObjectId layoutBlock) {
  drawBlock(layoutBlock, Placement{AcGeMatrix3d::kIdentity, m_style.top(), m_canvas.drawing()});
  m_unbounded.finish(m_canvas.extents());
}

AcDbObjectIdArray DrawingRenderer::drawOrder(const AcDbBlockTableRecord& block) {
  AcDbObjectIdArray order;
  AcDbObjectPointer<AcDbDictionary> extensions(block.extensionDictionary(), AcDb::kForRead);
  AcDbObjectId tableId;
  if (extensions && extensions->getAt(L"ACAD_SORTENTS", tableId) == Acad::eOk) {
    AcDbObjectPointer<AcDbSortentsTable> table(tableId, AcDb::kForRead);
    if (table && table->getFullDrawOrder(order) == Acad::eOk) return order;
  }
  return block.entityIds();
}

void DrawingRenderer::drawBlock(AcDbObjectId blockId, const Placement& placement) {
  // Model space and every level a drawing that opens may nest.
  if (m_drawing.size() > BlockNesting::kMostLevels || std::find(m_drawing.begin(), m_drawing.end(), blockId) != m_drawing.end())
    return;
  AcDbObjectIdArray order;
  {
    AcDbObjectPointer<AcDbBlockTableRecord> block(blockId, AcDb::kForRead);
    if (!block) return;
    order = drawOrder(*block.object());
  }
  m_drawing.push_back(blockId);
  for (const AcDbObjectId& entityId : order) drawEntity(entityId, placement);
  m_drawing.pop_back();
}

void DrawingRenderer::name(pugi::xml_node element, const AcDbEntity& entity) {
  element.append_attribute("data-type") = wideToUtf8(entity.isA()->dxfName()).c_str();
  element.append_attribute("data-handle") = wideToUtf8(entity.handle().ascii()).c_str();
  element.append_attribute("data-layer") = wideToUtf8(entity.layer()).c_str();
}

void DrawingRenderer::drawEntity(AcDbObjectId entityId, const Placement& placement) {
  if (!m_budget.take(entityId)) return;
  AcDbEntityPointer entity(entityId, AcDb::kForRead);
  if (!entity || entity->isErased()) return;
  const RenderStyle::Look look = m_style.lookOf(*entity.object(), placement.context);
  pugi::xml_node element;
  if (const auto* reference = AcDbBlockReference::cast(entity.object())) {
    element = drawReference(*reference, look, placement);
  } else if (const auto* dimension = AcDbDimension::cast(entity.object())) {
    // A dimension shows what its block holds, drawn where it stands.
    if (look.visible) element = drawContents(dimension->dimBlockId(), look, placement, placement.toWorld);
  } else if (const auto* viewport = AcDbViewport::cast(entity.object())) {
    element = drawViewport(*viewport, look, placement);
  } else if (look.visible) {
    element = drawShape(*entity.object(), look, placement);
  }
  if (!element) return;
  name(element, *entity.object());
  if (look.opacity < 1.0) element.append_attribute("opacity") = SvgNumber::text(look.opacity).c_str();
  // A group's entities carry their own weight, "by block" resolved.
  if (look.weight > RenderStyle::kThin && std::string(element.name()) != "g")
    m_canvas.setLineweight(element, look.weight);
}

pugi::xml_node DrawingRenderer::drawShape(const AcDbEntity& entity, const RenderStyle::Look& look,
                                          const Placement& placement) {
  const std::string colour = SvgNumber::colour(look.colour);
  if (const auto* hatch = AcDbHatch::cast(&entity))
    return m_hatches.draw(*hatch, placement.toWorld, colour, placement.parent);
  // A definition outside any block shows its tag; in a block it shows as the
  // attributes of references, except a constant one, which no reference
  // carries and which shows its text.
  if (const auto* definition = AcDbAttributeDefinition::cast(&entity)) {
    if (placement.context.layer.isNull()) return drawText(*definition, definition->tagUtf8(), colour, placement);
    if (!definition->isConstant() || definition->isInvisible()) return pugi::xml_node();
  }
  if (const auto* text = AcDbText::cast(&entity)) return drawText(*text, text->textStringUtf8(), colour, placement);
  if (const auto* text = AcDbMText::cast(&entity))
    return m_texts.draw(*text, placement.toWorld, colour, placement.parent);
  if (AcDbUnmodelledEntity::cast(&entity) != nullptr) return drawCarried(entity, look, placement);
  if (const auto* point = AcDbPoint::cast(&entity)) {
    pugi::xml_node element = m_points.add(*point, placement.toWorld, placement.parent);
    if (element) element.append_attribute("stroke") = colour.c_str();
    return element;
  }
  if (const std::optional<PathData> band = CurveShape::taperedOutline(entity, placement.toWorld)) {
    // A tapering polyline is the area its widths sweep, filled.
    pugi::xml_node element = m_canvas.addPath(placement.parent, *band);
    if (!element) return element;
    element.append_attribute("stroke") = "none";
    element.append_attribute("fill") = colour.c_str();
    return element;
  }
  const std::optional<PathData> path = CurveShape::of(entity, placement.toWorld, m_dashes.dashes(look.linetype));
  pugi::xml_node element = path ? m_canvas.addPath(placement.parent, *path) : pugi::xml_node();
  if (element && AcDbSolid::cast(&entity) != nullptr) {
    element.append_attribute("stroke") = colour.c_str();
    element.append_attribute("fill") = colour.c_str();
  } else if (element) {
    stroke(element, entity, look, placement);
    addLinetypeTexts(*path, entity, look, placement);
  }
  return element;
}

void DrawingRenderer::stroke(pugi::xml_node element, const AcDbEntity& entity, const RenderStyle::Look& look,
                             const Placement& placement) {
  if (!element) return;
  element.append_attribute("stroke") = SvgNumber::colour(look.colour).c_str();
  // Dashes and widths are drawn at the block's scale, as the rest of its contents.
  m_dashes.apply(element, look.linetype, look.linetypeScale * placement.toWorld.scale());
  const double width = PolylineWidth::of(entity);
  if (width > 0.0) m_canvas.setWidth(element, width * placement.toWorld.scale());
}

void DrawingRenderer::addLinetypeTexts(const PathData& path, const AcDbEntity& entity, const RenderStyle::Look& look,
                                       const Placement& placement) {
  const std::vector<pugi::xml_node> texts =
      m_linetypeTexts.draw(path, look.linetype, look.linetypeScale * placement.toWorld.scale(),
                           SvgNumber::colour(look.colour), placement.parent);
  for (pugi::xml_node text : texts) name(text, entity);
}

pugi::xml_node DrawingRenderer::drawCarried(const AcDbEntity& entity, const RenderStyle::Look& look,
                                            const Placement& placement) {
  if (UnboundedLines::isUnbounded(entity)) {
    pugi::xml_node element = m_unbounded.add(entity, placement.toWorld, placement.parent);
    stroke(element, entity, look, placement);
    return element;
  }
  if (const std::optional<LeaderShape> leader = LeaderShape::of(entity)) return drawLeader(*leader, look, placement);
  const std::optional<CarriedShape> shape = CarriedShape::of(entity, placement.toWorld, m_wipeoutFrames);
  if (!shape) {
    ++m_leftOut[wideToUtf8(entity.isA()->dxfName())];
    return pugi::xml_node();
  }
  pugi::xml_node element = m_canvas.addPath(placement.parent, shape->path);
  if (!element) return element;
  const std::string colour = SvgNumber::colour(look.colour);
  if (shape->stroked) {
    stroke(element, entity, look, placement);
    addLinetypeTexts(shape->path, entity, look, placement);
  } else {
    element.append_attribute("stroke") = "none";
  }
  if (shape->fill == CarriedShape::Fill::kColour) element.append_attribute("fill") = colour.c_str();
  // A wipeout hides what lies below it with the page's white.
  if (shape->fill == CarriedShape::Fill::kBackground) element.append_attribute("fill") = "#ffffff";
  return element;
}

pugi::xml_node DrawingRenderer::drawLeader(const LeaderShape& leader, const RenderStyle::Look& look,
                                           const Placement& placement) {
  pugi::xml_node parent = placement.parent;
  pugi::xml_node group = parent.append_child("g");
  const std::string colour = SvgNumber::colour(look.colour);
  pugi::xml_node lines = m_canvas.addPath(group, leader.lines(placement.toWorld));
  if (lines) {
    lines.append_attribute("stroke") = colour.c_str();
    m_dashes.apply(lines, look.linetype, look.linetypeScale * placement.toWorld.scale());
    if (look.weight > RenderStyle::kThin) m_canvas.setLineweight(lines, look.weight);
  }
  pugi::xml_node arrowheads = m_canvas.addPath(group, leader.arrowheads(placement.toWorld));
  if (arrowheads) {
    arrowheads.append_attribute("stroke") = "none";
    arrowheads.append_attribute("fill") = colour.c_str();
  }
  if (leader.text() != nullptr) m_texts.draw(*leader.text(), placement.toWorld, colour, group);
  if (!leader.block().isNull())
    drawContents(leader.block(), look, Placement{placement.toWorld, placement.context, group},
                 placement.toWorld * leader.blockTransform());
  return group;
}

pugi::xml_node DrawingRenderer::drawText(const AcDbText& text, std::string_view characters, const std::string& colour,
                                         const Placement& placement) {
  return m_texts.draw(text, characters, heightOf(text), placement.toWorld, colour, placement.parent);
}

pugi::xml_node DrawingRenderer::drawReference(const AcDbBlockReference& reference, const RenderStyle::Look& look,
                                              const Placement& placement) {
  // A frozen layer hides the whole reference; one that is only off still
  // shows the block's entities on layers of their own.
  if (look.frozen || reference.visibility() != AcDb::kVisible) return pugi::xml_node();
  const auto* grid = AcDbMInsertBlock::cast(&reference);
  if (grid == nullptr) return drawCopy(reference, look, placement);
  pugi::xml_node parent = placement.parent;
  pugi::xml_node group = parent.append_child("g");
  const std::uint64_t copies = static_cast<std::uint64_t>(grid->rows()) * grid->columns();
  std::uint64_t drawn = 0;
  for (int row = 0; row < grid->rows(); ++row) {
    for (int column = 0; column < grid->columns(); ++column, ++drawn) {
      // Each copy past the first counts as an entity of the picture's.
      if (drawn > 0 && !m_budget.takeCopy(reference.blockTableRecord(), copies - drawn)) return group;
      const AcGeMatrix3d moved = placement.toWorld * AcGeMatrix3d::translation(grid->cellOffset(row, column));
      drawCopy(reference, look, Placement{moved, placement.context, group});
    }
  }
  return group;
}

pugi::xml_node DrawingRenderer::drawCopy(const AcDbBlockReference& reference, const RenderStyle::Look& look,
                                         const Placement& placement) {
  pugi::xml_node group =
      drawContents(reference.blockTableRecord(), look, placement, placement.toWorld * reference.blockTransform());
  // Attributes stand in the reference's own space, coloured by block as it is.
  const Placement attributes{placement.toWorld, RenderStyle::Context{placement.context.layer, look.colour, look.weight, look.linetype}, group};
  for (const AcDbObjectId& attributeId : reference.attributeIds()) {
    AcDbObjectPointer<AcDbAttribute> attribute(attributeId, AcDb::kForRead);
    if (!attribute || attribute->isErased() || attribute->isInvisible()) continue;
    const RenderStyle::Look attributeLook = m_style.lookOf(*attribute.object(), attributes.context);
    if (!attributeLook.visible) continue;
    pugi::xml_node element =
        drawText(*attribute.object(), attribute->textStringUtf8(), SvgNumber::colour(attributeLook.colour), attributes);
    if (element) name(element, *attribute.object());
  }
  return group;
}

pugi::xml_node DrawingRenderer::drawViewport(const AcDbViewport& viewport, const RenderStyle::Look& look,
                                             const Placement& placement) {
  // The sheet's own viewport shows nothing of its own.
  const std::optional<AcGeMatrix3d> view = ViewportView::modelToSheet(viewport);
  if (look.frozen || !view || viewport.number() == 1) return pugi::xml_node();
  pugi::xml_node parent = placement.parent;
  pugi::xml_node group = parent.append_child("g");
  if (viewport.isOn()) {
    // Model space counts towards the picture only as far as the viewport shows it.
    const PathData outline = ViewportView::outline(viewport, placement.toWorld);
    const AcDbExtents sheet = m_canvas.extents();
    pugi::xml_node contents = group.append_child("g");
    contents.append_attribute("clip-path") = m_canvas.addClipPath(outline).c_str();
    AcDbObjectIdArray frozen;
    viewport.getFrozenLayerList(frozen);
    m_style.hideLayers(frozen);
    drawBlock(m_database.modelSpaceId(), Placement{placement.toWorld * *view, m_style.top(), contents});
    m_style.hideLayers({});
    m_canvas.setExtents(sheet);
    m_canvas.include(outline.extents());
  }
  // A clipped viewport's frame is the entity that clips it, drawn as itself.
  if (look.visible && !viewport.isNonRectClipOn()) {
    pugi::xml_node frame = m_canvas.addPath(group, ViewportView::frame(viewport, placement.toWorld));
    if (frame) frame.append_attribute("stroke") = SvgNumber::colour(look.colour).c_str();
  }
  return group;
}

pugi::xml_node DrawingRenderer::drawContents(AcDbObjectId block, const RenderStyle::Look& look,
                                             const Placement& placement, const AcGeMatrix3d& toWorld) {
  pugi::xml_node parent = placement.parent;
  pugi::xml_node group = parent.append_child("g");
  drawBlock(block, Placement{toWorld, RenderStyle::Context{look.layer, look.colour, look.weight, look.linetype}, group});
  return group;
}

void DrawingRenderer::finish(double viewHeight) { m_points.finish(viewHeight); }

std::string DrawingRenderer::leftOut() const {
  std::string line;
  const auto add = [&line](std::uint64_t count, const std::string& what) {
    if (count > 0) line += (line.empty() ? "" : ", ") + std::to_string(count) + " " + what;
  };
  for (const auto& [type, count] : m_leftOut) add(count, type);
  add(m_budget.leftOut(),
      "entities placed by nested blocks beyond this drawing's limit of " + std::to_string(m_budget.limit()));
  add(m_texts.leftOut(), "characters of texts beyond " + std::to_string(TextPainter::kMostPerLine) + " a line or " +
                             std::to_string(m_texts.mostCharacters()) + " in all");
  add(m_linetypeTexts.shapesLeftOut(), "shapes of complex linetypes");
  add(m_linetypeTexts.textsLeftOut(), "texts of complex linetypes on curves that repeat them more than " +
                                          std::to_string(LinetypeTexts::kMostPerCurve) + " times");
  add(m_linetypeTexts.patternsCut(), "complex linetypes whose texts and shapes past the first " +
                                         std::to_string(LinetypeTexts::kMostEmbedded) + " are left out");
  return line;
}
