#include "DxfKindRegistry.h"

#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "TextCodec.h"

const DxfKind* DxfKindRegistry::kind(std::string_view dxfType, std::string_view marker, const AcRxClass* parent) {
  // The same type and marker met as an entity and as an object are two
  // kinds: one file's use must not decide what another file's becomes.
  static std::map<std::tuple<const AcRxClass*, std::string, std::string>, std::unique_ptr<DxfKind>> kinds;
  auto& slot = kinds[{parent, std::string(dxfType), std::string(marker)}];
  if (!slot) {
    const std::wstring name = marker.empty() ? utf8ToWide(dxfType) : utf8ToWide(marker);
    slot.reset(new DxfKind{std::string(dxfType), std::string(marker), AcRxClass(name, parent, utf8ToWide(dxfType))});
  }
  return slot.get();
}
