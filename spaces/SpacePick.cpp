#include "spaces/SpacePick.h"

#include "AcDbBlockReference.h"
#include "AcDbObjectPointer.h"
#include "acutads.h"
#include "host/AcadUtilities.h"
#include "spaces/BlockDWG.h"
#include "support/ZelphExceptions.h"

int CSpacePick::userSelectZelphBlock(AcApDocument* document, CBlockDWG& space) {
  ZELPH_TRY
    for (;;) {
      AcDbObjectId id;
      if (!CAcadUtilities::selectObjectId(id, L"\nPlease select a Zelph Space\n")) {
        acutPrintf(L"Cancelled by User.\n");
        return 0;
      }
      const AcDbEntityPointer entity(id, AcDb::kForRead);
      if (entity.openStatus() != Acad::eOk) continue;
      auto* reference = AcDbBlockReference::cast(entity.object());
      if (reference == nullptr) {
        acutPrintf(L"Invalid selection.\n");
        continue;
      }
      CBlockDWG(reference, document).copyInto(&space);
      return 1;
    }
  ZELPH_CATCH(L"CSpacePick::userSelectZelphBlock")
}
