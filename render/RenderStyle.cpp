#include "RenderStyle.h"

#include "AcDbDatabase.h"
#include "AcDbEntity.h"
#include "AcDbLayerTable.h"
#include "AcDbLayerTableRecord.h"
#include "AcDbObjectPointer.h"
#include "ReplyText.h"

namespace {

constexpr std::uint16_t kForeground = 7;
constexpr Adesk::UInt32 kBlack = 0x000000;

bool isDefinitionPoints(const AcDbLayerTableRecord& layer) {
  std::wstring name;
  return layer.getName(name) == Acad::eOk && ReplyText::equalsIgnoringCase(name, L"DEFPOINTS");
}

}  // namespace

RenderStyle::RenderStyle(AcDbDatabase& database)
    : m_byLayer(database.byLayerLinetype()), m_byBlock(database.byBlockLinetype()), m_ltscale(database.ltscale()) {
  AcDbLayerTable* layers = nullptr;
  if (database.getLayerTable(layers) != Acad::eOk) return;
  layers->getAt(L"0", m_layerZero);
  layers->close();
}

RenderStyle::Context RenderStyle::top() const { return Context{AcDbObjectId(), kBlack, kThin, AcDbObjectId()}; }

int RenderStyle::weightOf(int weight, int byLayer, int byBlock) {
  if (weight == AcDb::kLnWtByLayer) return byLayer;
  if (weight == AcDb::kLnWtByBlock) return byBlock;
  return weight >= 0 ? weight : kThin;
}

Adesk::UInt32 RenderStyle::shown(const AcCmColor& color) {
  if (color.isByColor()) return color.rgb();
  const std::uint16_t index = color.colorIndex();
  if (index == kForeground || index == 0 || index > 255) return kBlack;
  return AcCmEntityColor::lookUpRGB(static_cast<Adesk::UInt8>(index));
}

double RenderStyle::opacityOf(const AcDbLayerTableRecord& layer) {
  // A layer keeps its transparency in extended data of its own name.
  AcResBufPtr data(layer.xData(L"AcCmTransparency"));
  for (const resbuf* item = data.get(); item != nullptr; item = item->rbnext)
    if (item->restype == 1071) return AcCmTransparency::serializeIn(static_cast<Adesk::UInt32>(item->resval.rlong)).opacity();
  return 1.0;
}

const RenderStyle::Layer& RenderStyle::layer(AcDbObjectId id) {
  const auto known = m_layers.find(id);
  if (known != m_layers.end()) return known->second;
  Layer look;
  AcDbObjectPointer<AcDbLayerTableRecord> record(id, AcDb::kForRead);
  if (record) {
    look.frozen = record->isFrozen();
    // A picture shows what a plot of the drawing shows: layers that are not
    // plotted, and the dimensions' definition points, are left out.
    look.visible = !record->isOff() && !look.frozen && record->isPlottable() && !isDefinitionPoints(*record.object());
    look.colour = shown(record->color());
    look.weight = weightOf(record->lineWeight(), kThin, kThin);
    look.linetype = record->linetypeObjectId();
    look.opacity = opacityOf(*record.object());
  }
  return m_layers.emplace(id, look).first->second;
}

RenderStyle::Look RenderStyle::lookOf(const AcDbEntity& entity, const Context& context) {
  Look look;
  look.layer = entity.layerId() == m_layerZero && !context.layer.isNull() ? context.layer : entity.layerId();
  const Layer& shownLayer = layer(look.layer);
  look.frozen = shownLayer.frozen || m_hidden.count(look.layer) != 0;
  look.visible = shownLayer.visible && !look.frozen && entity.visibility() == AcDb::kVisible;
  const AcCmColor color = entity.color();
  if (color.isByLayer()) look.colour = shownLayer.colour;
  else if (color.isByBlock()) look.colour = context.colour;
  else look.colour = shown(color);
  look.weight = weightOf(entity.lineWeight(), shownLayer.weight, context.weight);
  look.linetype = linetypeOf(entity, shownLayer, context);
  look.linetypeScale = m_ltscale * entity.linetypeScale();
  const AcCmTransparency transparency = entity.transparency();
  look.opacity = transparency.isByLayer() ? shownLayer.opacity : transparency.opacity();
  return look;
}

void RenderStyle::hideLayers(const AcDbObjectIdArray& layers) { m_hidden = {layers.begin(), layers.end()}; }

AcDbObjectId RenderStyle::linetypeOf(const AcDbEntity& entity, const Layer& layer, const Context& context) const {
  const AcDbObjectId own = entity.linetypeId();
  if (own.isNull() || own == m_byLayer) return layer.linetype;
  if (own == m_byBlock) return context.linetype;
  return own;
}
