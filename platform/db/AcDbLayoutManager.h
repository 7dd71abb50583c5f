// The layouts of a drawing by name and which one is current: "Model" for
// model space, or one of the paper space layouts.
#pragma once

#include <string>

#include "AcDbObjectId.h"
#include "Acad.h"

class AcDbDatabase;

class AcDbLayoutManager {
 public:
  // The calls work on the working database when none is given.
  // eKeyNotFound for a layout the drawing does not have.
  Acad::ErrorStatus setCurrentLayout(const ACHAR* name, AcDbDatabase* database = nullptr);
  // "Model" while model space is current (or, without allowModel, the paper
  // layout that was current last).
  Acad::ErrorStatus getActiveLayoutName(std::wstring& name, bool allowModel, const AcDbDatabase* database = nullptr);
  // Names compare ignoring case; null when missing.
  AcDbObjectId findLayoutNamed(const ACHAR* name, const AcDbDatabase* database = nullptr) const;
  AcDbObjectId getActiveLayoutId(bool allowModel, const AcDbDatabase* database = nullptr) const;
  AcDbObjectId getActiveLayoutBTRId(const AcDbDatabase* database = nullptr) const;
  int countLayouts(const AcDbDatabase* database = nullptr) const;

 private:
  // The layout whose block is *Paper_Space, unless another was made current.
  AcDbObjectId currentPaperLayout(const AcDbDatabase& database) const;
};

// The host's layout manager.
AcDbLayoutManager* acdbLayoutManager();
