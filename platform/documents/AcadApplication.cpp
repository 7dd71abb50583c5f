#include "AcadApplication.h"

#include <cwchar>

#include "AcApDocManager.h"
#include "AcadDocument.h"

namespace {

bool isPointArray(const VARIANT* argument) {
  return argument != nullptr && argument->vt == (VT_ARRAY | VT_R8) && argument->parray != nullptr &&
         argument->parray->values.size() == 3;
}

std::wstring pointText(const VARIANT& argument) {
  const std::vector<double>& xyz = argument.parray->values;
  wchar_t text[128];
  std::swprintf(text, sizeof text / sizeof text[0], L"%g,%g,%g", xyz[0], xyz[1], xyz[2]);
  return text;
}

}  // namespace

AcadApplication& AcadApplication::instance() {
  static AcadApplication application;
  return application;
}

unsigned long AcadApplication::AddRef() { return 1; }

unsigned long AcadApplication::Release() { return 1; }

HRESULT AcadApplication::Invoke(DISPID member, const IID&, LCID, WORD flags, DISPPARAMS* parameters,
                                VARIANT* result, EXCEPINFO*, unsigned int*) {
  const DISPPARAMS none;
  const DISPPARAMS& arguments = parameters != nullptr ? *parameters : none;
  switch (member) {
    case kVisible:
      return visibility(flags, arguments, result);
    case kActiveDocument:
      return (flags & DISPATCH_PROPERTYGET) != 0 ? activeDocument(result) : DISP_E_MEMBERNOTFOUND;
    case kZoomExtents:
      return zoom(L"zoom extents", arguments, 0);
    case kZoomPrevious:
      return zoom(L"zoom previous", arguments, 0);
    case kZoomWindow:
      return zoomWindow(arguments);
    default:
      return DISP_E_MEMBERNOTFOUND;
  }
}

HRESULT AcadApplication::visibility(WORD flags, const DISPPARAMS& parameters, VARIANT* result) {
  if ((flags & DISPATCH_PROPERTYPUT) != 0) {
    const VARIANT* value = dispatchArgument(parameters, 0);
    if (value == nullptr || parameters.cArgs != 1) return DISP_E_BADPARAMCOUNT;
    if (value->vt != VT_BOOL) return DISP_E_TYPEMISMATCH;
    m_visible = value->boolVal != VARIANT_FALSE;
    return S_OK;
  }
  if (result == nullptr) return E_POINTER;
  result->vt = VT_BOOL;
  result->boolVal = m_visible ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

HRESULT AcadApplication::activeDocument(VARIANT* result) {
  if (result == nullptr) return E_POINTER;
  AcApDocument* document = acDocManager->mdiActiveDocument();
  if (document == nullptr) return E_FAIL;
  result->vt = VT_DISPATCH;
  result->pdispVal = new AcadDocument(document);
  return S_OK;
}

HRESULT AcadApplication::zoom(const wchar_t* operation, const DISPPARAMS& parameters, unsigned int arguments) {
  if (parameters.cArgs != arguments) return DISP_E_BADPARAMCOUNT;
  AcApDocument* document = acDocManager->mdiActiveDocument();
  if (document == nullptr) return E_FAIL;
  document->recordViewOperation(operation);
  return S_OK;
}

HRESULT AcadApplication::zoomWindow(const DISPPARAMS& parameters) {
  if (parameters.cArgs != 2) return DISP_E_BADPARAMCOUNT;
  const VARIANT* lowerLeft = dispatchArgument(parameters, 0);
  const VARIANT* upperRight = dispatchArgument(parameters, 1);
  if (!isPointArray(lowerLeft) || !isPointArray(upperRight)) return DISP_E_TYPEMISMATCH;
  return zoom((L"zoom window " + pointText(*lowerLeft) + L" " + pointText(*upperRight)).c_str(), parameters, 2);
}

IDispatch* AcadGetIDispatch(bool addRef) {
  AcadApplication& application = AcadApplication::instance();
  if (addRef) application.AddRef();
  return &application;
}
