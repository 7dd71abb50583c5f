// The CAD product the module runs in.  Only full products (AutoCAD,
// BricsCAD) have the marker commands; AutoCAD and AutoCAD LT show
// hyperlinks on attributes too.
#pragma once

#include <string>

class CHostProduct {
 public:
  enum Kind { kUnknown = 0, kAutoCADLT = 1, kAutoCAD = 2, kBricsCAD = 3 };

  static CHostProduct detect(const std::wstring& productName);
  // The product the host names in its PRODUCT variable.
  static CHostProduct ofHost();
  // The product detected when the module was initialised.
  static const CHostProduct& current();
  static void setCurrent(const CHostProduct& product);

  Kind kind() const;
  const std::wstring& displayName() const;
  bool isFullProduct() const;

 private:
  CHostProduct(Kind kind, std::wstring displayName);

  Kind m_kind;
  std::wstring m_displayName;
};
