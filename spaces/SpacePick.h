// A space picked in the drawing by the user.
#pragma once

class AcApDocument;
class CBlockDWG;

class CSpacePick {
 public:
  // 1 with the picked block reference read into space, 0 on cancel; a pick
  // of anything else is answered and asked again.
  static int userSelectZelphBlock(AcApDocument* document, CBlockDWG& space);
};
