// A block definition (also model space, "*Model_Space", and the paper
// space layouts): an ordered list of entities, a base point and a name.
#pragma once

#include <memory>

#include "AcDbEntity.h"
#include "AcDbSymbolTableRecord.h"
#include "AcGePoint3d.h"

class AcDbBlockTableRecordIterator {
 public:
  explicit AcDbBlockTableRecordIterator(AcDbObjectIdArray entities);

  void start(bool atBeginning = true);
  bool done() const;
  void step(bool forward = true);
  Acad::ErrorStatus getEntityId(AcDbObjectId& entityId) const;
  Acad::ErrorStatus getEntity(AcDbEntity*& entity, AcDb::OpenMode mode = AcDb::kForRead,
                              bool openErased = false) const;

 private:
  AcDbObjectIdArray m_entities;
  size_t m_index = 0;
};

class AcDbBlockTableRecord : public AcDbSymbolTableRecord {
  ACRX_DECLARE_MEMBERS(AcDbBlockTableRecord)

 public:
  AcDbBlockTableRecord();
  ~AcDbBlockTableRecord() override;

  // The record must be in a database and open for write; it takes
  // ownership of a new entity, which is left open for write for the caller
  // to close.  An entity without a layer gets the database defaults.
  Acad::ErrorStatus appendAcDbEntity(AcDbEntity* entity);
  Acad::ErrorStatus appendAcDbEntity(AcDbObjectId& entityId, AcDbEntity* entity);
  // Moves entities of other blocks of the same database (closed, or open
  // by the caller) to the end of this one.
  Acad::ErrorStatus assumeOwnershipOf(const AcDbObjectIdArray& entities);
  // Over the entities that are not erased, in order (all with skipDeleted false).
  Acad::ErrorStatus newIterator(std::unique_ptr<AcDbBlockTableRecordIterator>& iterator, bool atBeginning = true,
                                bool skipDeleted = true) const;
  AcDbObjectIdArray entityIds(bool skipDeleted = true) const;

  AcGePoint3d origin() const;
  Acad::ErrorStatus setOrigin(const AcGePoint3d& origin);
  bool hasAttributeDefinitions() const;
  bool isAnonymous() const;
  bool isFromExternalReference() const;
  // Model space and the paper space layouts.
  bool isLayout() const;
  AcDbObjectId getLayoutId() const { return m_layout; }
  // The BLOCK and ENDBLK that enclose the definition in a file.
  AcDbObjectId blockBeginId() const { return m_begin; }
  AcDbObjectId blockEndId() const { return m_end; }

  // For the file's reader, whose objects come into the database with their
  // handles before the definition holds them: an entity at the end of the
  // list, and the definition's BLOCK and ENDBLK.
  void adopt(AcDbEntity* entity);
  void adoptMarkers(AcDbObject* begin, AcDbObject* end);

 protected:
  std::string_view recordMarker() const override;
  bool dxfOwns(const DxfGroup& group, int code) const override;
  void dxfInField(const DxfGroup& group, DxfInFiler& in) override;
  void dxfOutFields(const DxfGroup& group, DxfOutFiler& out) const override;

 private:
  friend class AcDbBlockTable;

  // Drops ids of entities that moved to other blocks once they are many.
  void compact() const;

  // Shared with the undo record's copies of the record: the list is
  // recorded as it changes, not copied with each.
  struct Contents {
    AcDbObjectIdArray entities;
    size_t departed = 0;
  };
  std::shared_ptr<Contents> m_contents = std::make_shared<Contents>();
  AcDbObjectId m_begin;
  AcDbObjectId m_end;
  AcDbObjectId m_layout;
};
