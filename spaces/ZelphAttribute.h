// A space attribute: its kind fixes its tag (0 NAME, 1 AREA, 2 AUX).
#pragma once

#include "spaces/Attribute.h"

class CZelphAttribute : public CAttribute {
 public:
  enum Kind { kName = 0, kArea = 1, kAux = 2 };

  CZelphAttribute() = default;
  CZelphAttribute(int kind, const std::wstring& value, const std::wstring& layer);

  // The tag of a kind; empty for a number that is no kind.
  static std::wstring tagOfKind(int kind);

  std::unique_ptr<CAttribute> clone() const override;
  int getKind() const override { return m_kind; }
  // Another number is stored but leaves the tag as it was.
  void setKind(int kind);

 private:
  int m_kind = -1;
};
