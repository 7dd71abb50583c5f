#include "CommandGroup.h"

#include "AcApDocument.h"
#include "AcDbDatabase.h"
#include "SystemVariables.h"
#include "UndoHistory.h"

CommandGroup::CommandGroup(const std::wstring& name) : m_name(name) {
  begin(acDocManager->curDocument());
  acDocManager->addReactor(this);
}

CommandGroup::~CommandGroup() {
  acDocManager->removeReactor(this);
  resbuf limit;
  const bool limited = SystemVariables::instance().get(L"UNDOLIMIT", &limit) == RTNORM;
  for (const Drawing& drawing : m_drawings) {
    AcDbDatabase* database = stillOpen(drawing);
    if (database == nullptr) continue;
    UndoHistory& history = database->undoHistory();
    if (limited) history.setLimit(static_cast<size_t>(limit.resval.rint));
    // Levels a command left open end with its group.
    while (history.depth() > drawing.depth) history.end();
  }
}

void CommandGroup::rollBack() {
  for (const Drawing& drawing : m_drawings) {
    AcDbDatabase* database = stillOpen(drawing);
    if (database == nullptr) continue;
    UndoHistory& history = database->undoHistory();
    while (history.depth() > drawing.depth) history.rollBack();
    history.begin(m_name);
  }
}

void CommandGroup::documentCreated(AcApDocument* document) { begin(document); }

void CommandGroup::begin(AcApDocument* document) {
  AcDbDatabase* database = document != nullptr ? document->database() : nullptr;
  if (database == nullptr) return;
  UndoHistory& history = database->undoHistory();
  m_drawings.push_back(Drawing{document, database, history.depth()});
  history.begin(m_name);
}

AcDbDatabase* CommandGroup::stillOpen(const Drawing& drawing) {
  if (!acDocManager->isOpen(drawing.document) || drawing.document->database() != drawing.database) return nullptr;
  return drawing.database;
}
