#include "AcApDocManager.h"

#include <algorithm>
#include <filesystem>

#include "AcDbDatabase.h"
#include "AcDbHostApplicationServices.h"
#include "DrawingLock.h"
#include "HostSession.h"

namespace {

std::wstring absolutePath(const ACHAR* path) {
  std::error_code ignored;
  const auto absolute = std::filesystem::absolute(std::filesystem::path(path), ignored);
  return absolute.empty() ? std::wstring(path) : absolute.lexically_normal().wstring();
}

std::wstring failureReason(const AcDbDatabase& database, Acad::ErrorStatus status) {
  const std::wstring& reason = database.lastErrorMessage();
  return reason.empty() ? std::wstring(acadErrorStatusText(status)) : reason;
}

}  // namespace

AcApDocManagerReactor::~AcApDocManagerReactor() = default;
void AcApDocManagerReactor::documentCreated(AcApDocument*) {}
void AcApDocManagerReactor::documentToBeDestroyed(AcApDocument*) {}

AcApDocManager& AcApDocManager::instance() {
  static AcApDocManager manager;
  return manager;
}

AcApDocManager::AcApDocManager() = default;

// A process that ends with drawings open leaves no locks behind.
AcApDocManager::~AcApDocManager() {
  for (const auto& document : m_documents) releaseLock(*document);
}

AcApDocument* AcApDocManager::curDocument() const { return m_current; }

AcApDocument* AcApDocManager::mdiActiveDocument() const { return m_current; }

int AcApDocManager::documentCount() const { return static_cast<int>(m_documents.size()); }

Acad::ErrorStatus AcApDocManager::activateDocument(AcApDocument* document) {
  if (!isOpen(document)) return Acad::eNoDocument;
  makeCurrent(document);
  return Acad::eOk;
}

Acad::ErrorStatus AcApDocManager::lockDocument(AcApDocument* document, AcAp::DocLockMode mode, const ACHAR*,
                                               const ACHAR*, bool) {
  if (!isOpen(document)) return Acad::eNoDocument;
  if (document->m_locks.empty()) ++document->m_lockAcquisitions;
  document->m_locks.push_back(mode);
  return Acad::eOk;
}

Acad::ErrorStatus AcApDocManager::unlockDocument(AcApDocument* document) {
  if (!isOpen(document)) return Acad::eNoDocument;
  if (document->m_locks.empty()) return Acad::eNotApplicable;
  document->m_locks.pop_back();
  return Acad::eOk;
}

Acad::ErrorStatus AcApDocManager::appContextOpenDocument(const ACHAR* path) {
  if (path == nullptr || *path == L'\0') {
    m_lastError = L"No drawing file was named.";
    return Acad::eInvalidInput;
  }
  auto database = std::make_unique<AcDbDatabase>(false, false);
  const Acad::ErrorStatus status = database->dxfIn(path);
  if (status != Acad::eOk) {
    m_lastError = failureReason(*database, status);
    return status;
  }
  const std::wstring note = database->conversionNote();
  if (!note.empty()) HostSession::instance().print(note + L"\n");
  const std::wstring fileName = absolutePath(path);
  const std::wstring holder = DrawingLock::heldElsewhere(fileName);
  AcApDocument* document = adopt(std::move(database), fileName);
  if (holder.empty()) {
    DrawingLock::take(fileName);
  } else {
    document->m_heldBy = holder;
    HostSession::instance().startLine();
    HostSession::instance().print(document->docTitle() + L" is open by " + holder + L": it is opened read-only.\n");
  }
  return Acad::eOk;
}

AcApDocument* AcApDocManager::newDocument() { return adopt(std::make_unique<AcDbDatabase>(true), L""); }

Acad::ErrorStatus AcApDocManager::closeDocument(AcApDocument* document) {
  const auto found = std::find_if(m_documents.begin(), m_documents.end(),
                                  [document](const auto& open) { return open.get() == document; });
  if (found == m_documents.end()) return Acad::eNoDocument;
  for (auto* reactor : std::vector<AcApDocManagerReactor*>(m_reactors)) reactor->documentToBeDestroyed(document);
  const std::unique_ptr<AcApDocument> closing = std::move(*found);
  m_documents.erase(found);
  releaseLock(*closing);
  if (m_current == document) makeCurrent(m_documents.empty() ? nullptr : m_documents.back().get());
  return Acad::eOk;
}

Acad::ErrorStatus AcApDocManager::saveDocument(AcApDocument* document, const ACHAR* path) {
  if (!isOpen(document)) {
    m_lastError = L"No drawing is open.";
    return Acad::eNoDocument;
  }
  const bool ownFile = path == nullptr || *path == L'\0';
  const std::wstring target = ownFile ? document->fileName() : path;
  if (target.empty()) {
    m_lastError = L"The drawing has no file name yet.";
    return Acad::eInvalidInput;
  }
  if (ownFile && document->isReadOnly()) {
    m_lastError = document->docTitle() + L" was opened read-only: it is open by " + document->m_heldBy +
                  L". Use saveas to save it under another name, or over that host's work.";
    return Acad::eFileAccessErr;
  }
  const Acad::ErrorStatus status = document->database()->saveAs(target.c_str());
  if (status != Acad::eOk) {
    m_lastError = failureReason(*document->database(), status);
    return status;
  }
  const std::wstring saved = absolutePath(target.c_str());
  if (saved != document->m_fileName || document->isReadOnly()) {
    releaseLock(*document);
    document->m_heldBy.clear();
    document->setFileName(saved);
    DrawingLock::take(saved);
  }
  return Acad::eOk;
}

void AcApDocManager::releaseLock(const AcApDocument& document) const {
  if (document.m_fileName.empty() || document.isReadOnly()) return;
  const bool shared = std::any_of(m_documents.begin(), m_documents.end(), [&document](const auto& open) {
    return open.get() != &document && open->m_fileName == document.m_fileName;
  });
  if (!shared) DrawingLock::release(document.m_fileName);
}

const std::wstring& AcApDocManager::lastErrorMessage() const { return m_lastError; }

bool AcApDocManager::pushResourceHandle(HINSTANCE resources) {
  m_resources.push_back(AfxGetResourceHandle());
  AfxSetResourceHandle(resources);
  return true;
}

bool AcApDocManager::popResourceHandle() {
  if (m_resources.empty()) return false;
  AfxSetResourceHandle(m_resources.back());
  m_resources.pop_back();
  return true;
}

int AcApDocManager::resourceDepth() const { return static_cast<int>(m_resources.size()); }

void AcApDocManager::addReactor(AcApDocManagerReactor* reactor) {
  if (reactor != nullptr && std::find(m_reactors.begin(), m_reactors.end(), reactor) == m_reactors.end())
    m_reactors.push_back(reactor);
}

void AcApDocManager::removeReactor(AcApDocManagerReactor* reactor) {
  m_reactors.erase(std::remove(m_reactors.begin(), m_reactors.end(), reactor), m_reactors.end());
}

void AcApDocManager::closeAll() {
  while (!m_documents.empty()) closeDocument(m_documents.back().get());
}

AcApDocument* AcApDocManager::adopt(std::unique_ptr<AcDbDatabase> database, std::wstring fileName) {
  auto document = std::make_unique<AcApDocument>(std::move(database), std::move(fileName));
  if (document->m_fileName.empty()) document->m_untitledName = L"Drawing" + std::to_wstring(++m_untitledCount) + L".dwg";
  AcApDocument* opened = document.get();
  m_documents.push_back(std::move(document));
  for (auto* reactor : std::vector<AcApDocManagerReactor*>(m_reactors)) reactor->documentCreated(opened);
  makeCurrent(opened);
  return opened;
}

bool AcApDocManager::isOpen(const AcApDocument* document) const {
  return document != nullptr && std::any_of(m_documents.begin(), m_documents.end(),
                                            [document](const auto& open) { return open.get() == document; });
}

void AcApDocManager::makeCurrent(AcApDocument* document) {
  m_current = document;
  acdbHostApplicationServices()->setWorkingDatabase(document != nullptr ? document->database() : nullptr);
}
