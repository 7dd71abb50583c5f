// The automation object of one open document: regeneration and closing.
// Made by the application's active-document property; freed at its last
// Release.  A document closed meanwhile makes every call fail.
#pragma once

#include "OleAuto.h"

class AcApDocument;

class AcadDocument : public IDispatch {
 public:
  enum : DISPID { kRegen = 54, kClose = 58 };

  explicit AcadDocument(AcApDocument* document);

  unsigned long AddRef() override;
  unsigned long Release() override;
  HRESULT Invoke(DISPID member, const IID& riid, LCID locale, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                 EXCEPINFO* exception, unsigned int* argumentError) override;

 private:
  HRESULT regen(const DISPPARAMS& parameters);
  HRESULT close(const DISPPARAMS& parameters);

  AcApDocument* m_document;
  unsigned long m_references = 1;
};
