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
#include "AcDbMText.h"
#include "AcDbObjectPointer.h"
#include "AcDbSolid.h"
#include "AcDbSortentsTable.h"
#include "AcDbText.h"
#include "AcDbTextStyleTableRecord.h"
#include "AcDbUnmodelledEntity.h"
#include "AcDbViewport.h"
#include "BlockNesting.h"
#include "CurveShape.h"
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
      m_hatches(canvas) {}

void DrawingRenderer::render() {
  drawBlock(m_database.modelSpaceId(), Placement{AcGeMatrix3d::kIdentity, m_style.top(), m_canvas.drawing()});
}

void DrawingRenderer::renderLayout(AcDbObjectId layoutBlock) {
  drawBlock(layoutBlock, Placement{AcGeMatrix3d::kIdentity, m_style.top(), m_canvas.drawing()});
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
  // A group's entities carry their own weight, "by block" resolved.
  if (look.weight > RenderStyle::kThin && std::string(element.name()) != "g")
    m_canvas.setLineweight(element, look.weight);
}

pugi::xml_node DrawingRenderer::drawShape(const AcDbEntity& entity, const RenderStyle::Look& look,
                                          const Placement& placement) {
  const std::string colour = SvgNumber::colour(look.colour);
  if (const auto* hatch = AcDbHatch::cast(&entity))
    return m_hatches.draw(*hatch, placement.toWorld, colour, placement.parent);
  // A definition shows as the attributes of references, except a constant
  // one, which no reference carries and which shows its text.
  const auto* definition = AcDbAttributeDefinition::cast(&entity);
  if (definition != nullptr && (!definition->isConstant() || definition->isInvisible())) return pugi::xml_node();
  if (const auto* text = AcDbText::cast(&entity)) return drawText(*text, colour, placement);
  if (const auto* text = AcDbMText::cast(&entity))
    return m_texts.draw(*text, placement.toWorld, colour, placement.parent);
  pugi::xml_node element = drawCurve(entity, placement.toWorld, placement.parent);
  if (!element) return element;
  element.append_attribute("stroke") = colour.c_str();
  if (AcDbSolid::cast(&entity) != nullptr) element.append_attribute("fill") = colour.c_str();
  // Dashes and widths are drawn at the block's scale, as the rest of its contents.
  else m_dashes.apply(element, look.linetype, look.linetypeScale * placement.toWorld.scale());
  const double width = PolylineWidth::of(entity);
  if (width > 0.0) m_canvas.setWidth(element, width * placement.toWorld.scale());
  return element;
}

pugi::xml_node DrawingRenderer::drawCurve(const AcDbEntity& entity, const AcGeMatrix3d& toWorld,
                                          pugi::xml_node parent) {
  const std::optional<PathData> path = CurveShape::of(entity, toWorld);
  if (!path) {
    if (AcDbUnmodelledEntity::cast(&entity) != nullptr) ++m_leftOut[wideToUtf8(entity.isA()->dxfName())];
    return pugi::xml_node();
  }
  return m_canvas.addPath(parent, *path);
}

pugi::xml_node DrawingRenderer::drawText(const AcDbText& text, const std::string& colour,
                                         const Placement& placement) {
  return m_texts.draw(text, heightOf(text), placement.toWorld, colour, placement.parent);
}

pugi::xml_node DrawingRenderer::drawReference(const AcDbBlockReference& reference, const RenderStyle::Look& look,
                                              const Placement& placement) {
  // A frozen layer hides the whole reference; one that is only off still
  // shows the block's entities on layers of their own.
  if (look.frozen || reference.visibility() != AcDb::kVisible) return pugi::xml_node();
  pugi::xml_node group =
      drawContents(reference.blockTableRecord(), look, placement, placement.toWorld * reference.blockTransform());
  // Attributes stand in the reference's own space, coloured by block as it is.
  const Placement attributes{placement.toWorld, RenderStyle::Context{placement.context.layer, look.colour, look.weight, look.linetype}, group};
  for (const AcDbObjectId& attributeId : reference.attributeIds()) {
    AcDbObjectPointer<AcDbAttribute> attribute(attributeId, AcDb::kForRead);
    if (!attribute || attribute->isErased() || attribute->isInvisible()) continue;
    const RenderStyle::Look attributeLook = m_style.lookOf(*attribute.object(), attributes.context);
    if (!attributeLook.visible) continue;
    pugi::xml_node element = drawText(*attribute.object(), SvgNumber::colour(attributeLook.colour), attributes);
    if (element) name(element, *attribute.object());
  }
  return group;
}

pugi::xml_node DrawingRenderer::drawViewport(const AcDbViewport& viewport, const RenderStyle::Look& look,
                                             const Placement& placement) {
  const std::optional<AcGeMatrix3d> view = ViewportView::modelToSheet(viewport);
  if (look.frozen || !view) return pugi::xml_node();
  const PathData outline = ViewportView::outline(viewport, placement.toWorld);
  pugi::xml_node parent = placement.parent;
  pugi::xml_node group = parent.append_child("g");
  if (viewport.number() != 1 && viewport.isOn()) {
    // Model space counts towards the picture only as far as the viewport shows it.
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
  if (look.visible && viewport.number() != 1 && !viewport.isNonRectClipOn()) {
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

std::string DrawingRenderer::leftOut() const {
  std::string line;
  for (const auto& [type, count] : m_leftOut)
    line += (line.empty() ? "" : ", ") + std::to_string(count) + " " + type;
  if (m_budget.leftOut() > 0)
    line += (line.empty() ? "" : ", ") + std::to_string(m_budget.leftOut()) +
            " entities placed by nested blocks beyond this drawing's limit of " +
            std::to_string(m_budget.limit());
  if (m_texts.leftOut() > 0)
    line += (line.empty() ? "" : ", ") + std::to_string(m_texts.leftOut()) + " characters of texts beyond " +
            std::to_string(TextPainter::kMostPerLine) + " a line or " + std::to_string(m_texts.mostCharacters()) +
            " in all";
  return line;
}
