// Automation: variants, safe arrays of doubles and the dispatch interface
// through which the host's application and documents are driven.  Only
// what the host's automation objects take and give is modelled.
#pragma once

#include <vector>

#include "Acad.h"
#include "WinError.h"

typedef unsigned short VARTYPE;
typedef long DISPID;
typedef unsigned long LCID;
typedef unsigned short WORD;
typedef short VARIANT_BOOL;

constexpr VARIANT_BOOL VARIANT_TRUE = -1;
constexpr VARIANT_BOOL VARIANT_FALSE = 0;

enum VARENUM : VARTYPE {
  VT_EMPTY = 0, VT_I2 = 2, VT_I4 = 3, VT_R8 = 5, VT_DISPATCH = 9, VT_ERROR = 10, VT_BOOL = 11, VT_ARRAY = 0x2000
};

// Invoke kinds.
enum : WORD { DISPATCH_METHOD = 1, DISPATCH_PROPERTYGET = 2, DISPATCH_PROPERTYPUT = 4 };
constexpr DISPID DISPID_PROPERTYPUT = -3;

struct SAFEARRAY {
  VARTYPE type = VT_EMPTY;
  std::vector<double> values;
};

class IDispatch;

struct VARIANT {
  VARTYPE vt = VT_EMPTY;
  union {
    Adesk::Int32 lVal;
    short iVal;
    double dblVal;
    VARIANT_BOOL boolVal;
    HRESULT scode;
    IDispatch* pdispVal;
    SAFEARRAY* parray;
  };
};

// Arguments in reverse order, as COM passes them: the last argument first.
struct DISPPARAMS {
  VARIANT* rgvarg = nullptr;
  DISPID* rgdispidNamedArgs = nullptr;
  unsigned int cArgs = 0;
  unsigned int cNamedArgs = 0;
};

struct EXCEPINFO;
struct IID {};
constexpr IID IID_NULL{};

class IDispatch {
 public:
  virtual unsigned long AddRef() = 0;
  virtual unsigned long Release() = 0;
  virtual HRESULT Invoke(DISPID member, const IID& riid, LCID locale, WORD flags, DISPPARAMS* parameters,
                         VARIANT* result, EXCEPINFO* exception, unsigned int* argumentError) = 0;

 protected:
  virtual ~IDispatch() = default;
};

void VariantInit(VARIANT* variant);
// Frees an array and releases an object the variant holds; it is empty afterwards.
HRESULT VariantClear(VARIANT* variant);
// Only arrays of VT_R8 are made; null for any other type.
SAFEARRAY* SafeArrayCreateVector(VARTYPE type, long lowerBound, unsigned long count);
HRESULT SafeArrayAccessData(SAFEARRAY* array, void** data);
HRESULT SafeArrayUnaccessData(SAFEARRAY* array);
HRESULT SafeArrayDestroy(SAFEARRAY* array);

// For the host's automation objects: the argument at a position in call
// order, null when the caller passed fewer; and whether an optional
// argument was left out (VT_ERROR holding DISP_E_PARAMNOTFOUND).
const VARIANT* dispatchArgument(const DISPPARAMS& parameters, unsigned int position);
bool isMissingArgument(const VARIANT* argument);
