// The one pass of the bulk commands over every space of the current
// drawing, in the order the drawing lists them.  A space changed in memory
// is written back at once, and what went wrong writing it is shown before
// the next space: one failed space never stops the pass, and is left as it
// was.
#pragma once

#include "host/AcadDrawing.h"
#include "host/StatusBarProgress.h"
#include "spaces/BlockDWG.h"
#include "spaces/Blocks.h"
#include "support/ZelphExceptions.h"

class CSpaceLoop {
 public:
  // Binds the current document and collects its spaces.
  CSpaceLoop();
  virtual ~CSpaceLoop();
  CSpaceLoop(const CSpaceLoop&) = delete;
  CSpaceLoop& operator=(const CSpaceLoop&) = delete;

  CAcadDrawing& getDrawing() { return m_drawing; }
  int getCount() const { return m_spaces.getCount(); }
  CBlockDWG& getAt(int index) const;
  // The collection holds nothing but spaces, each once.
  CBlocks& getSpaces() { return m_spaces; }

  void writeBack(CBlockDWG& space);
  // Whether the space stands on a locked layer, where it is skipped, saying so.
  bool isLocked(const CBlockDWG& space) const;
  // Calls change(space) for each space; a space for which it answers true
  // is written back.  The number written back.
  template <class Change>
  int changeEach(Change change) {
    ZELPH_TRY
      int changed = 0;
      CStatusBarProgress progress(L"Updating spaces", getCount());
      for (int index = 0; index < getCount(); ++index) {
        progress.step();
        CBlockDWG& space = getAt(index);
        if (isLocked(space) || !change(space)) continue;
        writeBack(space);
        ++changed;
      }
      return changed;
    ZELPH_CATCH(L"CSpaceLoop::changeEach")
  }

 private:
  CAcadDrawing m_drawing;
  CBlocks m_spaces;
};
