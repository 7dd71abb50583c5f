#include "host/HostProduct.h"

#include "aced.h"
#include "support/TextCase.h"

namespace {

CHostProduct& currentProduct() {
  static CHostProduct product = CHostProduct::detect(L"");
  return product;
}

bool contains(const std::wstring& text, const wchar_t* part) { return text.find(part) != std::wstring::npos; }

}  // namespace

CHostProduct::CHostProduct(Kind kind, std::wstring displayName) : m_kind(kind), m_displayName(std::move(displayName)) {}

CHostProduct CHostProduct::detect(const std::wstring& productName) {
  const std::wstring name = CTextCase::lower(productName);
  if (contains(name, L"autocad"))
    return contains(name, L"tocad lt") ? CHostProduct(kAutoCADLT, L"AutoCADLT") : CHostProduct(kAutoCAD, L"AutoCAD");
  if (contains(name, L"bricscad")) return CHostProduct(kBricsCAD, L"BricsCAD");
  return CHostProduct(kUnknown, L"unknown <" + name + L">");
}

CHostProduct CHostProduct::ofHost() {
  const AcResBufPtr name(acutNewRb(RTSTR));
  if (acedGetVar(L"PRODUCT", name.get()) != RTNORM || name->restype != RTSTR) return detect(L"");
  return detect(name->resval.rstring);
}

const CHostProduct& CHostProduct::current() { return currentProduct(); }

void CHostProduct::setCurrent(const CHostProduct& product) { currentProduct() = product; }

CHostProduct::Kind CHostProduct::kind() const { return m_kind; }

const std::wstring& CHostProduct::displayName() const { return m_displayName; }

bool CHostProduct::isFullProduct() const { return m_kind > kAutoCADLT; }
