// One attribute value as the module holds it: tag, text and the layer to
// put the attribute on (empty: leave its layer).
#pragma once

#include <memory>
#include <string>

class CAttribute {
 public:
  CAttribute() = default;
  CAttribute(const std::wstring& tag, const std::wstring& value, const std::wstring& layer);
  virtual ~CAttribute();

  virtual std::unique_ptr<CAttribute> clone() const;
  // Kind of a space attribute; -1 for a plain one, which has no kind.
  virtual int getKind() const { return -1; }

  const std::wstring& getTag() const { return m_tag; }
  void setTag(const std::wstring& tag) { m_tag = tag; }
  const std::wstring& getValue() const { return m_value; }
  void setValue(const std::wstring& value) { m_value = value; }
  const std::wstring& getLayer() const { return m_layer; }
  void setLayer(const std::wstring& layer) { m_layer = layer; }

 private:
  std::wstring m_tag;
  std::wstring m_value;
  std::wstring m_layer;
};
