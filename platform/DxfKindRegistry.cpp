#include "DxfKindRegistry.h"

#include <map>
#include <memory>
#include <string>

#include "TextCodec.h"

const DxfKind* DxfKindRegistry::kind(std::string_view dxfType, std::string_view marker, const AcRxClass* parent) {
  static std::map<std::string, std::unique_ptr<DxfKind>> kinds;
  std::string key(dxfType);
  key += '\n';
  key += marker;
  auto& slot = kinds[key];
  if (!slot) {
    const std::wstring name = marker.empty() ? utf8ToWide(dxfType) : utf8ToWide(marker);
    slot.reset(new DxfKind{std::string(dxfType), std::string(marker), AcRxClass(name, parent, utf8ToWide(dxfType))});
  }
  return slot.get();
}
