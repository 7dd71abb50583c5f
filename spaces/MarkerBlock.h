// A marker: where the user wants the legend or the pie chart of a graphic
// report, and with which settings.  The outline the user drew becomes the
// content of the marker's block, inserted where it was on a layer that is
// then switched off; the settings are the reference's attributes.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "AcDbObjectId.h"
#include "Acad.h"
#include "AcGeMatrix3d.h"
#include "AcGePoint3d.h"
#include "AcGeVector3d.h"
#include "spaces/BlockDWG.h"

class AcDbAttribute;
class AcDbAttributeDefinition;
class AcDbBlockReference;
class AcDbEntity;
class CAcadDrawing;
class CPreferences;

class CMarkerBlock : public CBlockDWG {
 public:
  // The names and words of one kind of marker.
  struct Kind {
    const wchar_t* blockName;
    const wchar_t* layer;
    const wchar_t* outlineClass;
    const wchar_t* precisionPrompt;
    const wchar_t* textSizePrompt;
    const wchar_t* rotationPrompt;
  };
  // One attribute of the marker: tag, prompt and default text.
  struct Setting {
    std::wstring tag;
    std::wstring prompt;
    std::wstring text;
  };

  // Precision and units are the space's fields.
  double getTextSize() const { return m_textSize; }
  // Radians, in the current UCS.
  double getRotation() const { return m_rotation; }
  // In the current UCS.
  const AcGePoint3d& getPosition() const { return m_position; }

  // Asks for precision, text size and rotation and makes the outline the
  // marker; "Block Created Successfully" or the failure is printed.
  void createMarkerBlock(CAcadDrawing& drawing, AcDbObjectId outline, const CPreferences& preferences);

  static std::unique_ptr<AcDbAttributeDefinition> defineAttribute(const AcGePoint3d& position,
                                                                  const AcGeVector3d& normal, double height,
                                                                  double rotation, const Setting& setting,
                                                                  const std::wstring& layer);
  static std::unique_ptr<AcDbAttribute> createAttribute(const AcDbAttributeDefinition& definition,
                                                        const AcGeMatrix3d& blockTransform);

 protected:
  // Starts from the preferences: what a marker whose attributes were
  // deleted keeps.
  CMarkerBlock();
  // Reads the marker from its reference, open for reading.
  void readMarker(const AcDbBlockReference& reference);

  virtual const Kind& kind() const = 0;
  // Where the block's origin goes: a point of the outline in the current UCS.
  virtual AcGePoint3d insertionPoint(const AcDbEntity& outline) const = 0;
  virtual std::vector<Setting> settings(int precision, double textSize, const AcDbEntity& outline) const = 0;
  // Takes what the attribute says, when it is one of the marker's settings.
  virtual void readSetting(const std::wstring& tag, const std::wstring& text) = 0;

  double m_textSize = 0.0;
  double m_rotation = 0.0;
  AcGePoint3d m_position;

 private:
  // The outline, open for write, moved into the marker's new block; its id.
  AcDbObjectId defineBlock(CAcadDrawing& drawing, AcDbEntity& outline, const AcGePoint3d& origin, int precision,
                           double textSize);
  void insertBlock(CAcadDrawing& drawing, AcDbObjectId block, const std::wstring& outlineLayer,
                   const AcGePoint3d& position, double rotation);
  // The marker layer, switched off; false when it cannot be made.
  bool hideOnMarkerLayer(CAcadDrawing& drawing) const;
};
