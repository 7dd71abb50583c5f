#include "OleAuto.h"

void VariantInit(VARIANT* variant) {
  if (variant == nullptr) return;
  variant->vt = VT_EMPTY;
  variant->lVal = 0;
}

HRESULT VariantClear(VARIANT* variant) {
  if (variant == nullptr) return E_INVALIDARG;
  if ((variant->vt & VT_ARRAY) != 0) SafeArrayDestroy(variant->parray);
  else if (variant->vt == VT_DISPATCH && variant->pdispVal != nullptr) variant->pdispVal->Release();
  VariantInit(variant);
  return S_OK;
}

SAFEARRAY* SafeArrayCreateVector(VARTYPE type, long, unsigned long count) {
  if (type != VT_R8) return nullptr;
  auto* array = new SAFEARRAY;
  array->type = type;
  array->values.assign(count, 0.0);
  return array;
}

HRESULT SafeArrayAccessData(SAFEARRAY* array, void** data) {
  if (array == nullptr || data == nullptr) return E_INVALIDARG;
  *data = array->values.data();
  return S_OK;
}

HRESULT SafeArrayUnaccessData(SAFEARRAY* array) { return array == nullptr ? E_INVALIDARG : S_OK; }

HRESULT SafeArrayDestroy(SAFEARRAY* array) {
  delete array;
  return S_OK;
}

const VARIANT* dispatchArgument(const DISPPARAMS& parameters, unsigned int position) {
  if (parameters.rgvarg == nullptr || position >= parameters.cArgs) return nullptr;
  return &parameters.rgvarg[parameters.cArgs - 1 - position];
}

bool isMissingArgument(const VARIANT* argument) {
  return argument == nullptr || argument->vt == VT_EMPTY ||
         (argument->vt == VT_ERROR && argument->scode == DISP_E_PARAMNOTFOUND);
}
