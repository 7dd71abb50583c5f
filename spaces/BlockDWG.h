// A space in the drawing: a block reference to a block definition of its
// own whose geometry is the outline, with NAME, AREA and AUX attributes and
// one extended-data record of its values.  The kinds of space (room, floor,
// building, site) differ only in their level.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Acad.h"
#include "AcDbHandle.h"
#include "AcDbObjectId.h"
#include "AcGeMatrix3d.h"
#include "AcGePoint3d.h"
#include "resbuf.h"
#include "spaces/Assets.h"
#include "spaces/Attributes.h"
#include "spaces/Block.h"
#include "spaces/Hatch.h"

class AcApDocument;
class AcDbBlockReference;
class AcDbBlockTableRecord;
class AcDbDatabase;
class AcDbEntity;
class AcDbHatch;
class AcDbPolyline;
template <class T>
class AcDbObjectPointer;
class CAcadDrawing;
class CHatch;

namespace pugi {
class xml_node;
}
class CZelphExceptions;

class CBlockDWG : public CBlock {
 public:
  CBlockDWG();
  // Reads the space from its block reference in the document's drawing.
  CBlockDWG(AcDbBlockReference* reference, AcApDocument* document);
  virtual ~CBlockDWG();
  CBlockDWG(const CBlockDWG&) = delete;
  CBlockDWG& operator=(const CBlockDWG&) = delete;

  void initialise();
  // Whether a block of that name is a space: "ROOM-" and more, in any case,
  // as the space selection takes them.
  static bool isSpaceBlockName(const std::wstring& name);
  // Unit texts of a units field: 0 metric, anything else imperial.
  static std::wstring areaUnitText(int units);
  static std::wstring lengthUnitText(int units);
  void copyInto(CBlockDWG* target) const;
  // Reads a "zelphBlock" element of a graphic report; the space gets a copy
  // of the category's hatch when there is one.
  void deSerialize(pugi::xml_node node, const CHatch* hatch);
  // A locked layer holding the reference or one of its attributes, where
  // nothing of the space can be written; empty text when there is none.
  std::wstring lockedLayer() const;
  // Which of the AREA and AUX texts show the stored area and perimeter as
  // the space's own precision and units write them.
  struct LinkedLabels {
    bool area = false;
    bool perimeter = false;
  };
  LinkedLabels linkedLabels() const;
  // Writes the stored area and perimeter into the texts that were linked.
  void relabel(const LinkedLabels& linked);
  // What a space on the locked layer says when it is skipped.
  std::wstring lockedMessage(const std::wstring& layer) const;
  // Whether the report entry read gave an area ("mbArea").
  bool hasReportArea() const { return m_hasReportArea; }

  // Moves the outline into a new block definition named after the space,
  // inserts the space at the base point with its attributes and writes its
  // record; the host status, 0 on success.
  Acad::ErrorStatus createBlockReference(CAcadDrawing& drawing, AcDbObjectId outline, const AcGePoint3d& basePoint,
                                         double textHeight, double widthFactor, double rotation);
  Acad::ErrorStatus createBlockDefinition(AcDbObjectId& definitionId, const AcDbObjectIdArray& entities,
                                          const AcGePoint3d& basePoint, double textHeight, double widthFactor,
                                          double rotation, CAcadDrawing& drawing);

  // The extended-data record.
  void writeXData(AcDbEntity* entity);
  void readXData(const resbuf* record, AcApDocument* document);
  std::wstring getHandlesToAddAsString() const;
  std::wstring getHandlesToMinusAsString() const;
  void setHandlesToAdd(const std::wstring& text, AcDbDatabase* database);
  void setHandlesToMinus(const std::wstring& text, AcDbDatabase* database);

  // Added and subtracted outlines.
  void setHandlesToAdd(const AcDbObjectIdArray& ids);
  void setHandlesToMinus(const AcDbObjectIdArray& ids);
  static int convertHandlesToObjectIds(const std::vector<AcDbHandle>& handles, AcDbDatabase* database,
                                       AcDbObjectIdArray& ids);
  double calcAddArea(AcApDocument* document);
  double calcSubArea(AcApDocument* document);
  double calcAddAreaPerimeters(AcApDocument* document);
  double calcSubAreaPerimeters(AcApDocument* document);
  void recalculateArea(AcApDocument* document);
  void recalculatePerimeter(AcApDocument* document);
  // Colours the listed outlines (added green, subtracted red, heavy lines)
  // or gives them the space's own colour and lineweight back; the count is
  // printed with print set.
  void highlightAreasAdded(CAcadDrawing& drawing, bool highlight, bool print);
  void highlightAreasSubtracted(CAcadDrawing& drawing, bool highlight, bool print);
  // Area and perimeter into square metres and metres (0) or square feet
  // and feet (any other flag).
  void convertUnits(int units);

  // Drawing operations.
  void applyToDWG(CAcadDrawing& drawing, CZelphExceptions& errors);
  // Writes the attribute texts and lays them out on the block reference.
  void updateAttributes(const AcGeMatrix3d& ucs, const AcGePoint3d* anchor);
  void updateBlockIdentifier(AcDbBlockReference* reference);
  void copyFormatting(CBlockDWG* target) const;
  // Hatches the space's outline with its hatch settings, the added
  // outlines as further areas and the subtracted ones as holes, below
  // everything else; what goes wrong is collected, never raised.
  void hatchBlock(CAcadDrawing& drawing, AcDbEntity* entity, AcDbObjectId& hatchId, CZelphExceptions& errors);
  void hatchObject(CAcadDrawing& drawing, AcDbBlockReference* reference, AcDbObjectId outline,
                   const AcDbObjectIdArray& idsToAdd, const AcDbObjectIdArray& idsToMinus, AcDbObjectId& hatchId,
                   CZelphExceptions& errors);
  // The space's links on the reference, open for write, and where the host
  // shows links on attributes (AutoCAD) on each of its attributes too.
  void hyperlinkBlock(AcDbBlockReference* reference);
  // Replaces the links of the entity, open for write, by the space's.
  void hyperlinkEntity(AcDbEntity* entity);
  // Turns the space back into its outline: 1 on success, 0 when it cannot
  // (not a reference, or scaled unevenly).
  int deleteBlock(CAcadDrawing& drawing);
  // Erases the definition when no reference uses it any more; 1 if erased.
  int deleteBlockDefinition(CAcadDrawing& drawing, AcDbBlockTableRecord* definition);

  void setHandle(const std::wstring& handle);
  AcDbHandle getAcDbHandle() const { return m_acdbHandle; }
  AcDbObjectId getObjectId() const { return m_objectId; }
  void setObjectId(AcDbObjectId id) { m_objectId = id; }
  const std::wstring& getBlockName() const { return m_blockName; }
  void setBlockName(const std::wstring& name) { m_blockName = name; }
  const std::wstring& getApplicationName() const { return m_applicationName; }
  void setApplicationName(const std::wstring& name) { m_applicationName = name; }
  const std::vector<AcDbHandle>& getHandlesToAdd() const { return m_handlesToAdd; }
  const std::vector<AcDbHandle>& getHandlesToMinus() const { return m_handlesToMinus; }
  // With a database, only a handle it knows is added.
  void addHandleToAdd(const AcDbHandle& handle, AcDbDatabase* database = nullptr);
  void addHandleToMinus(const AcDbHandle& handle, AcDbDatabase* database = nullptr);
  void removeHandleToAdd(int index);
  void removeHandleToMinus(int index);
  CAttributes* getAttributes() const { return m_attributes.get(); }
  void setAttributes(std::unique_ptr<CAttributes> attributes) { m_attributes = std::move(attributes); }
  CAssets* getAssets() const { return m_assets.get(); }
  void setAssets(std::unique_ptr<CAssets> assets) { m_assets = std::move(assets); }
  CHatch* getHatch() const { return m_hatch.get(); }
  void setHatch(std::unique_ptr<CHatch> hatch) { m_hatch = std::move(hatch); }
  int getColourIndex() const { return m_colourIndex; }
  int getLineweight() const { return m_lineweight; }
  const std::wstring& getLayer() const { return m_layer; }

 protected:
  // The reference's id, handle, block name, layer, colour and lineweight.
  void readReference(const AcDbBlockReference& reference);
  static AcGeMatrix3d ucsOf(AcDbDatabase* database);
  // Opens the first polyline of a block definition in the mode; false when none.
  static bool openFirstPolyline(AcDbObjectId definition, AcDb::OpenMode mode,
                                AcDbObjectPointer<AcDbPolyline>& polyline);
  // What a clone of the outline would hold: the definition keeps its own.
  static std::unique_ptr<AcDbPolyline> copyOfOutline(const AcDbPolyline& outline);

 private:
  // The application name of a space without a record.
  static constexpr const wchar_t* kNoXData = L"No X Data";
  static void setHandles(std::vector<AcDbHandle>& list, const std::wstring& text, AcDbDatabase* database);
  static void addHandle(std::vector<AcDbHandle>& list, const AcDbHandle& handle, AcDbDatabase* database);
  static std::wstring handlesText(const std::vector<AcDbHandle>& list);
  // The handles of the polylines among the ids; anything else is named and left out.
  static void setOutlineHandles(std::vector<AcDbHandle>& list, const AcDbObjectIdArray& ids, const wchar_t* verb);
  // Sums an area or a perimeter over one list, dropping entries whose
  // outline is gone.
  double sumList(std::vector<AcDbHandle>& list, AcApDocument* document, bool area);
  // The base measurement of the space's own outline as its reference places it.
  double measureOwnOutline(AcApDocument* document, bool area) const;
  void highlightList(std::vector<AcDbHandle>& list, CAcadDrawing& drawing, int colourIndex, bool highlight);
  // The attribute part of copyFormatting.
  void copyLabelsInto(CBlockDWG& target) const;
  // The hatch's loops: the outline where the reference draws it, then the
  // added and subtracted outlines; false when the outline is no closed polyline.
  bool appendLoops(AcDbHatch& hatch, const AcDbBlockReference* reference, AcDbObjectId outline,
                   const AcDbObjectIdArray& idsToAdd, const AcDbObjectIdArray& idsToMinus,
                   CZelphExceptions& errors) const;
  void readArea(const std::wstring& item);
  void readPerimeter(const std::wstring& item);

  AcDbObjectId m_objectId;
  AcDbHandle m_acdbHandle;
  std::wstring m_blockName;
  std::wstring m_applicationName;
  std::vector<AcDbHandle> m_handlesToMinus;
  std::vector<AcDbHandle> m_handlesToAdd;
  std::unique_ptr<CHatch> m_hatch;
  std::unique_ptr<CAttributes> m_attributes;
  std::unique_ptr<CAssets> m_assets;
  int m_colourIndex = 256;
  int m_lineweight = -1;
  std::wstring m_layer;
  bool m_hasReportArea = false;
};

class CBlockDWGRoom : public CBlockDWG {
 public:
  CBlockDWGRoom();
  // withAssets: also collect the assets standing in the outline.
  CBlockDWGRoom(AcDbBlockReference* reference, AcApDocument* document, bool withAssets = false);

 private:
  void collectAssets(AcDbBlockReference* reference);
};

class CBlockDWGFloor : public CBlockDWG {
 public:
  CBlockDWGFloor();
  CBlockDWGFloor(AcDbBlockReference* reference, AcApDocument* document);
};

class CBlockDWGBuilding : public CBlockDWG {
 public:
  CBlockDWGBuilding(AcDbBlockReference* reference, AcApDocument* document);
};

class CBlockDWGSite : public CBlockDWG {
 public:
  CBlockDWGSite(AcDbBlockReference* reference, AcApDocument* document);
};
