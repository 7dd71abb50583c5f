// The base of everything a drawing holds: its handle and owner, the open
// state, erasure, extended data and the extension dictionary.
//
// A new object belongs to its creator until it is given to the database
// (AcDbBlockTableRecord::appendAcDbEntity, AcDbSymbolTable::add,
// AcDbDictionary::setAt, AcDbDatabase::addAcDbObject).  From then on the
// database owns it: open it by id with acdbOpenObject and close() it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Acad.h"
#include "AcDbHandle.h"
#include "AcDbObjectId.h"
#include "AcRxClass.h"
#include "AcRxObject.h"
#include "DxfGroup.h"
#include "DxfTag.h"
#include "resbuf.h"

class AcDbDatabase;
class DxfInFiler;
class DxfOutFiler;
class DxfTagList;

class AcDbObject : public AcRxObject {
 public:
  AcDbObject();
  ~AcDbObject() override;
  AcDbObject& operator=(const AcDbObject&) = delete;

  static AcRxClass* desc();
  static AcDbObject* cast(const AcRxObject* object);
  static AcDbObject* cast(const AcDbObject* object) { return const_cast<AcDbObject*>(object); }
  virtual AcRxClass* isA() const;
  bool isKindOf(const AcRxClass* aClass) const;

  AcDbObjectId objectId() const;
  AcDbObjectId ownerId() const { return m_ownerId; }
  Acad::ErrorStatus setOwnerId(AcDbObjectId owner);
  AcDbHandle handle() const;
  void getAcDbHandle(AcDbHandle& handle) const { handle = this->handle(); }
  // Null until the object is given to a database.
  AcDbDatabase* database() const;

  // Ends one opening; the object stays in its database.  An object that was
  // never given to a database is not closed but deleted by its owner.
  Acad::ErrorStatus close();
  // From read to write; fails while others have it open too.
  Acad::ErrorStatus upgradeOpen();
  Acad::ErrorStatus downgradeOpen();
  bool isReadEnabled() const;
  bool isWriteEnabled() const;
  bool isModified() const { return m_modified; }
  bool isNewObject() const;

  // Erased objects stay reachable by id (opened with openErased) and are not saved.
  Acad::ErrorStatus erase(bool erasing = true);
  bool isErased() const { return m_erased; }

  // Extended data: the items of one registered application, headed by its
  // 1001 item, or of all applications when the name is null.  The caller
  // frees the list with acutRelRb; null when there is none.
  resbuf* xData(const ACHAR* regappName = nullptr) const;
  // Each 1001 item starts the complete new data of that application, which
  // replaces its old data; a 1001 item alone removes it.  Other
  // applications' data is kept, in order.  Applications not yet registered
  // in the object's database are registered.
  Acad::ErrorStatus setXData(const resbuf* xdata);

  // The object's tags as its file gave them, from its type to its extended
  // data; views of the drawing's text, valid while the drawing is open.
  // Empty for an object made since.  What the platform does not model is
  // read from here.
  std::vector<DxfTag> dxfTags() const;

  AcDbObjectId extensionDictionary() const { return m_extras ? m_extras->extensionDictionary : AcDbObjectId(); }
  // Makes an empty extension dictionary when there is none.
  Acad::ErrorStatus createExtensionDictionary();

  // For the platform's own reading and writing of drawing files; the
  // filers are not part of the extension API.
  //
  // Reads the object, already in its database, from its tags and its text
  // in the file: the head (owner, extension dictionary), the subclass groups
  // it models; every other tag stays in the text.  An object the file gives
  // no handle is written anew, with the one it was given.
  void dxfIn(const std::vector<DxfTag>& tags, std::string_view text, DxfInFiler& in);
  // Writes the object back: as the text it was read from while unchanged,
  // else its fields in place of their tags.
  void dxfOut(DxfOutFiler& out) const;
  // The object's text in the file it was read from; empty for a new object.
  std::string_view dxfText() const;
  // Places an object being read under what holds it, without opening it:
  // the file's structure, not a change.
  void setOwnerAsRead(AcDbObjectId owner) { m_ownerId = owner; }

 protected:
  // For the undo record's copy of an object's state: the same object, the
  // same place, closed.
  AcDbObject(const AcDbObject& other);
  // A copy of the whole state (null for an abstract class); ACRX_DEFINE_MEMBERS defines it.
  virtual AcDbObject* undoCopy() const;
  // Before a change made without opening the object for write.
  void noteUndo();

  // True when the object may be changed: open for write, or not yet in a
  // database.  Marks the object modified, so it is written anew.
  bool assertWriteEnabled();

  // The DXF layer: the subclass groups this class models, base first.
  virtual void dxfGroups(std::vector<DxfGroup>& groups) const;
  // Whether the tag code of this group is a field this class reads and
  // writes; every other tag is kept and written back unchanged.
  virtual bool dxfOwns(const DxfGroup& group, int code) const;
  // An owned code that is the field only at its first tag in the group;
  // later tags of the code mean something else and are kept as they are.
  virtual bool dxfOwnsOnce(const DxfGroup& group, int code) const;
  virtual void dxfInField(const DxfGroup& group, DxfInFiler& in);
  // After the last tag: a chance to check what was read.
  virtual void dxfInDone(DxfInFiler& in);
  virtual void dxfOutFields(const DxfGroup& group, DxfOutFiler& out) const;

 private:
  friend class AcDbDatabase;
  friend class AcDbBlockTableRecord;
  friend class AcDbDictionary;
  friend class AcDbHandleTable;
  friend class UndoHistory;
  friend Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& object, AcDbObjectId id, AcDb::OpenMode mode,
                                              bool openErased);

  Acad::ErrorStatus open(AcDb::OpenMode mode, bool openErased);
  // Tells the database that what it caches about its objects may be stale.
  void noteChange() const;
  // Whether the tag is a field of the object: owned, and for a code owned
  // once, the first of its group (seenOnce holds those met so far).
  bool ownsTag(const DxfGroup& group, int code, std::vector<int>& seenOnce) const;

  AcDbStub* m_stub = nullptr;
  AcDbObjectId m_ownerId;
  void setDxfText(std::string_view text);

  // What few objects have, kept apart so the many stay small.
  struct Extras {
    AcDbObjectId extensionDictionary;
    // Extended data set since loading; until then it is read from dxfText().
    std::unique_ptr<DxfTagList> xdata;
  };
  Extras& extras();
  const DxfTagList* xdataSet() const { return m_extras ? m_extras->xdata.get() : nullptr; }

  std::unique_ptr<Extras> m_extras;
  // Where dxfText() lies in the database's file text.
  Adesk::UInt32 m_dxfOffset = 0;
  Adesk::UInt32 m_dxfLength = 0;
  std::uint16_t m_readers = 0;
  bool m_writer = false;
  bool m_erased = false;
  bool m_modified = false;
};

// Opens an object of the database by id.  Fails with eWasErased for an
// erased object (unless openErased), eWasOpenForWrite when it is open for
// write, eWasOpenForRead when it is open for read and write is asked,
// eOnLockedLayer when write is asked of an entity on a locked layer.
Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& object, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErased = false);

// Opens and casts: eNotThatKindOfClass (object left closed) when the
// object is not a T.
template <class T>
Acad::ErrorStatus acdbOpenObject(T*& object, AcDbObjectId id, AcDb::OpenMode mode = AcDb::kForRead,
                                 bool openErased = false) {
  object = nullptr;
  AcDbObject* opened = nullptr;
  const Acad::ErrorStatus status = acdbOpenAcDbObject(opened, id, mode, openErased);
  if (status != Acad::eOk) return status;
  object = T::cast(opened);
  if (object == nullptr) {
    if (opened != nullptr) opened->close();
    return Acad::eNotThatKindOfClass;
  }
  return Acad::eOk;
}
