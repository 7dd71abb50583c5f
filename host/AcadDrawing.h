// A drawing session: binds the module to one open document of the host,
// locks it for writing (nested), appends entities to model space, drives
// the view through the host's automation object and, for a drawing it
// opened itself, closes it again.  Must not outlive its document.
#pragma once

#include <memory>
#include <string>

#include "Acad.h"
#include "AcDbObjectId.h"
#include "AcGePoint3d.h"
#include "support/TempFiles.h"

class AcApDocument;
class AcDbDatabase;
class AcDbEntity;

class CAcadDrawing {
 public:
  // What unlock returns while outer lockers still hold the lock.
  static constexpr Acad::ErrorStatus kStillLocked = Acad::eNoDocument;

  // Unbound; bindCurrentDocument binds it.
  CAcadDrawing();
  // Opens folder + name (both checked and repaired first) in the host.
  CAcadDrawing(const std::wstring& folder, const std::wstring& name);
  virtual ~CAcadDrawing();
  CAcadDrawing(const CAcadDrawing&) = delete;
  CAcadDrawing& operator=(const CAcadDrawing&) = delete;

  // Binds the host's current document, which this session will never
  // close; 0 when the host has no document.
  int bindCurrentDocument();
  void openDrawing();

  // 0 (eOk) or the host's status.  Nested calls only count.
  Acad::ErrorStatus lock();
  // Without force the host lock goes at the outermost unlock; inner ones
  // return kStillLocked.  With force it goes at once.
  Acad::ErrorStatus unlock(bool force = false);

  // Appends the entity to model space and gives it to the drawing (the
  // pointer is empty afterwards).  A lock failure is returned with the
  // entity left to the caller; a failed append frees it and raises.
  Acad::ErrorStatus postToDrawing(std::unique_ptr<AcDbEntity>& entity, AcDbObjectId& id);
  template <class Entity>
  Acad::ErrorStatus postToDrawing(std::unique_ptr<Entity>& entity, AcDbObjectId& id) {
    std::unique_ptr<AcDbEntity> posted(entity.release());
    const Acad::ErrorStatus status = postToDrawing(posted, id);
    entity.reset(static_cast<Entity*>(posted.release()));
    return status;
  }

  int regenDrawing();
  void zoomExtents();
  void zoomPrevious();
  void zoomWindow(const AcGePoint3d& lowerLeft, const AcGePoint3d& upperRight);
  // Closes the bound document without saving; the session is unbound afterwards.
  int closeDrawing();
  // Saves a copy of the drawing in the temporary folder under a time-stamped
  // name and returns its path; the copy is deleted with the session.
  std::wstring saveAsTemp();

  const std::wstring& getFolder() const { return m_folder; }
  const std::wstring& getName() const { return m_name; }
  AcApDocument* getDocument() const { return m_document; }
  // The bound document's database; null when unbound.
  AcDbDatabase* getDatabase() const;
  int isOpen() const { return m_open; }
  int isLocked() const { return m_locked; }
  int isCurrentDocument() const { return m_currentDocument; }
  int getDepth() const { return m_depth; }
  const CTempFiles& getTempFiles() const { return m_tempFiles; }
  // With it set, a drawing this session opened keeps its changes when the
  // session ends.
  void setSaveOnClose(bool save) { m_saveOnClose = save ? 1 : 0; }
  // With it set, a drawing this session opened stays open when the session ends.
  void setCurrentDocument(int current) { m_currentDocument = current ? 1 : 0; }
  int getSaveOnClose() const { return m_saveOnClose; }

 private:
  void bind(AcApDocument* document, int currentDocument);
  void unbind();
  Acad::ErrorStatus release();
  std::wstring temporaryCopyFolder() const;
  void saveAndClose();

  std::wstring m_folder;
  std::wstring m_name;
  AcApDocument* m_document = nullptr;
  int m_open = 0;
  int m_locked = 0;
  int m_depth = 0;
  CTempFiles m_tempFiles;
  int m_currentDocument = 0;
  int m_saveOnClose = 0;
};
