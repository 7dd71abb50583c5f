// The host's document manager: the open documents, the current one, their
// locks, and the resource handle stack that says whose dialogs are shown.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "AcApDocument.h"
#include "ResourceTable.h"

class AcApDocManagerReactor {
 public:
  virtual ~AcApDocManagerReactor();
  virtual void documentCreated(AcApDocument* document);
  virtual void documentToBeDestroyed(AcApDocument* document);
};

class AcApDocManager {
 public:
  static AcApDocManager& instance();

  AcApDocument* curDocument() const;
  AcApDocument* mdiActiveDocument() const;
  int documentCount() const;
  bool isOpen(const AcApDocument* document) const;
  // Makes an open document current (and its database the working one).
  Acad::ErrorStatus activateDocument(AcApDocument* document);

  Acad::ErrorStatus lockDocument(AcApDocument* document, AcAp::DocLockMode mode = AcAp::kWrite,
                                 const ACHAR* globalCmdName = nullptr, const ACHAR* localCmdName = nullptr,
                                 bool prompt = true);
  Acad::ErrorStatus unlockDocument(AcApDocument* document);

  // Opens a drawing file and makes it current, keeping a lock file beside
  // it.  A drawing another host holds opens read-only, with a warning.
  Acad::ErrorStatus appContextOpenDocument(const ACHAR* path);
  // A new empty drawing (millimetre units), made current.
  AcApDocument* newDocument();
  Acad::ErrorStatus closeDocument(AcApDocument* document);
  // Saves the document's database as DXF to the path (its own file when the
  // path is empty), atomically; the document then carries that name and
  // its lock.  A read-only document is not saved to its own file unless the
  // path names it.
  Acad::ErrorStatus saveDocument(AcApDocument* document, const ACHAR* path);
  // The reason of the last failed open or save, naming the line for a
  // malformed drawing.
  const std::wstring& lastErrorMessage() const;

  bool pushResourceHandle(HINSTANCE resources);
  bool popResourceHandle();
  int resourceDepth() const;

  void addReactor(AcApDocManagerReactor* reactor);
  void removeReactor(AcApDocManagerReactor* reactor);

  // Closes every document (at host exit).
  void closeAll();

 private:
  AcApDocManager();
  ~AcApDocManager();
  AcApDocument* adopt(std::unique_ptr<AcDbDatabase> database, std::wstring fileName);
  // The working database follows the current document.
  void makeCurrent(AcApDocument* document);
  // Removes the document's lock file unless another document has the file.
  void releaseLock(const AcApDocument& document) const;

  std::vector<std::unique_ptr<AcApDocument>> m_documents;
  AcApDocument* m_current = nullptr;
  std::vector<HINSTANCE> m_resources;
  std::vector<AcApDocManagerReactor*> m_reactors;
  std::wstring m_lastError;
  int m_untitledCount = 0;
};

#define acDocManager (&AcApDocManager::instance())
