#include "CommandGroup.h"

#include "AcApDocManager.h"
#include "AcApDocument.h"
#include "AcDbDatabase.h"
#include "SystemVariables.h"
#include "UndoHistory.h"

CommandGroup::CommandGroup(const std::wstring& name)
    : m_name(name),
      m_document(acDocManager->curDocument()), m_database(m_document ? m_document->database() : nullptr) {
  if (m_database == nullptr) return;
  UndoHistory& history = m_database->undoHistory();
  m_depth = history.depth();
  history.begin(m_name);
}

CommandGroup::~CommandGroup() {
  AcDbDatabase* drawing = database();
  if (drawing == nullptr) return;
  UndoHistory& history = drawing->undoHistory();
  resbuf limit;
  if (SystemVariables::instance().get(L"UNDOLIMIT", &limit) == RTNORM) history.setLimit(limit.resval.rint);
  // Levels a command left open end with its group.
  while (history.depth() > m_depth) history.end();
}

void CommandGroup::rollBack() {
  AcDbDatabase* drawing = database();
  if (drawing == nullptr) return;
  UndoHistory& history = drawing->undoHistory();
  while (history.depth() > m_depth) history.rollBack();
  history.begin(m_name);
}

AcDbDatabase* CommandGroup::database() const {
  if (m_database == nullptr || !acDocManager->isOpen(m_document) || m_document->database() != m_database)
    return nullptr;
  return m_database;
}
