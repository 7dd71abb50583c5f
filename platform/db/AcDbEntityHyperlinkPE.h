// The host's hyperlink protocol on entities.  Hyperlinks are kept as other
// CAD programs keep them, in extended data under "PE_URL": the first link's
// address, then a group holding its description and sub-location.  Further
// links follow as one group each of address, description and sub-location,
// so readers that know only one link still read the first one right.
#pragma once

#include <memory>

#include "AcDbHyperlinkCollection.h"
#include "Acad.h"

class AcDbObject;

class AcDbEntityHyperlinkPE {
 public:
  static constexpr const ACHAR* kApplication = L"PE_URL";

  // The object's hyperlinks, none when it has none; oneOnly stops after the first.
  Acad::ErrorStatus getHyperlinkCollection(const AcDbObject* object,
                                           std::unique_ptr<AcDbHyperlinkCollection>& collection,
                                           bool oneOnly = false) const;
  // Replaces the object's hyperlinks, which must be open for write; an
  // empty or null collection removes them.
  Acad::ErrorStatus setHyperlinkCollection(AcDbObject* object, const AcDbHyperlinkCollection* collection) const;
  Acad::ErrorStatus getHyperlinkCount(const AcDbObject* object, unsigned int& count) const;
  Acad::ErrorStatus hasHyperlink(const AcDbObject* object, bool& has) const;
};
