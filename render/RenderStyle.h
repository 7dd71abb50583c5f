// What the host shows of an entity: whether its layer lets it be seen, the
// colour it is drawn in, its lineweight, its linetype and how opaque it is.  Entities of a block on layer "0" take the
// layer of the reference that places them; colours by block take the
// reference's colour.
#pragma once

#include <unordered_map>
#include <unordered_set>

#include "AcCmColor.h"
#include "AcDbObjectId.h"

class AcDbDatabase;
class AcDbEntity;
class AcDbLayerTableRecord;

class RenderStyle {
 public:
  // Where an entity is drawn: at the top, or inside a block reference.
  struct Context {
    AcDbObjectId layer;      // the reference's effective layer; null at the top
    Adesk::UInt32 colour;    // what "by block" means here
    int weight = kThin;      // what "by block" means for the lineweight
    AcDbObjectId linetype;   // what "by block" means for the linetype; null: continuous
  };
  struct Look {
    bool visible = false;
    bool frozen = false;     // hides a whole block reference, where off does not
    AcDbObjectId layer;      // the effective layer
    Adesk::UInt32 colour = 0;
    int weight = kThin;      // hundredths of a millimetre
    AcDbObjectId linetype;   // the effective linetype; null: continuous
    double linetypeScale = 1.0;  // the entity's times the drawing's
    double opacity = 1.0;    // by block: the reference's group carries it
  };
  // The default lineweight, which pictures draw as their thinnest line.
  static constexpr int kThin = 25;

  explicit RenderStyle(AcDbDatabase& database);

  Context top() const;
  Look lookOf(const AcDbEntity& entity, const Context& context);
  // Layers frozen in the viewport being drawn, hidden as frozen layers are;
  // an empty list for none.
  void hideLayers(const AcDbObjectIdArray& layers);
  // Model space is shown on white: the palette's white is drawn black.
  static Adesk::UInt32 shown(const AcCmColor& color);

 private:
  struct Layer {
    bool visible = true;
    bool frozen = false;
    Adesk::UInt32 colour = 0;
    int weight = kThin;
    AcDbObjectId linetype;
    double opacity = 1.0;
  };
  static int weightOf(int weight, int byLayer, int byBlock);
  const Layer& layer(AcDbObjectId id);
  static double opacityOf(const AcDbLayerTableRecord& layer);

  AcDbObjectId linetypeOf(const AcDbEntity& entity, const Layer& layer, const Context& context) const;

  AcDbObjectId m_layerZero;
  AcDbObjectId m_byLayer;
  AcDbObjectId m_byBlock;
  double m_ltscale = 1.0;
  std::unordered_map<AcDbObjectId, Layer> m_layers;
  std::unordered_set<AcDbObjectId> m_hidden;
};
