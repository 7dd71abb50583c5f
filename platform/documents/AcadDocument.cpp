#include "AcadDocument.h"

#include "AcApDocManager.h"
#include "AcApDocument.h"

AcadDocument::AcadDocument(AcApDocument* document) : m_document(document) {}

unsigned long AcadDocument::AddRef() { return ++m_references; }

unsigned long AcadDocument::Release() {
  const unsigned long left = --m_references;
  if (left == 0) delete this;
  return left;
}

HRESULT AcadDocument::Invoke(DISPID member, const IID&, LCID, WORD flags, DISPPARAMS* parameters, VARIANT*,
                             EXCEPINFO*, unsigned int*) {
  if ((flags & DISPATCH_METHOD) == 0) return DISP_E_MEMBERNOTFOUND;
  if (!acDocManager->isOpen(m_document)) return E_FAIL;
  const DISPPARAMS none;
  const DISPPARAMS& arguments = parameters != nullptr ? *parameters : none;
  switch (member) {
    case kRegen:
      return regen(arguments);
    case kClose:
      return close(arguments);
    default:
      return DISP_E_MEMBERNOTFOUND;
  }
}

HRESULT AcadDocument::regen(const DISPPARAMS& parameters) {
  const VARIANT* which = dispatchArgument(parameters, 0);
  if (which == nullptr || parameters.cArgs != 1) return DISP_E_BADPARAMCOUNT;
  if (which->vt != VT_I4 && which->vt != VT_I2) return DISP_E_TYPEMISMATCH;
  const long viewports = which->vt == VT_I4 ? which->lVal : which->iVal;
  m_document->recordViewOperation(viewports == 1 ? L"regen all viewports" : L"regen active viewport");
  return S_OK;
}

HRESULT AcadDocument::close(const DISPPARAMS& parameters) {
  if (parameters.cArgs > 2) return DISP_E_BADPARAMCOUNT;
  const VARIANT* saveChanges = dispatchArgument(parameters, 0);
  const VARIANT* fileName = dispatchArgument(parameters, 1);
  if (!isMissingArgument(saveChanges) && saveChanges->vt != VT_BOOL) return DISP_E_TYPEMISMATCH;
  if (!isMissingArgument(fileName)) return DISP_E_TYPEMISMATCH;  // no text variants: saves go to the own file
  const bool save = !isMissingArgument(saveChanges) && saveChanges->boolVal != VARIANT_FALSE;
  if (save && acDocManager->saveDocument(m_document, nullptr) != Acad::eOk) return E_FAIL;
  return acDocManager->closeDocument(m_document) == Acad::eOk ? S_OK : E_FAIL;
}
