#include "DxfXData.h"

#include <algorithm>
#include <charconv>
#include <cwchar>
#include <string>
#include <vector>

#include "AcDbHandle.h"
#include "DxfCodeTable.h"
#include "DxfTagReader.h"
#include "DxfText.h"
#include "TextCodec.h"

namespace {

double toReal(std::string_view value) {
  double result = 0.0;
  size_t start = value.find_first_not_of(' ');
  if (start == std::string_view::npos) return 0.0;
  std::from_chars(value.data() + start, value.data() + value.size(), result);
  return result;
}

long long toInteger(std::string_view value) {
  long long result = 0;
  size_t start = value.find_first_not_of(' ');
  if (start == std::string_view::npos) return 0;
  std::from_chars(value.data() + start, value.data() + value.size(), result);
  return result;
}

std::string formatReal(double value) {
  char buffer[32];
  return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

ACHAR* newString(const std::wstring& text) {
  auto* copy = new ACHAR[text.size() + 1];
  std::wmemcpy(copy, text.c_str(), text.size() + 1);
  return copy;
}

// A file's text as the API's string; most need no decoding on the way.
ACHAR* newString(std::string_view value) {
  if (!DxfText::isPlain(value)) return newString(DxfText::decode(value));
  auto* copy = new ACHAR[value.size() + 1];
  std::copy(value.begin(), value.end(), copy);
  copy[value.size()] = L'\0';
  return copy;
}

// One resbuf from the tags at i (three tags for a point); i moves past them.
// Tags are the file's views or the owned tags the API set.
template <typename Tags>
resbuf* itemAt(const Tags& tags, size_t& i) {
  const auto& tag = tags[i++];
  resbuf* rb = acutNewRb(tag.code);
  switch (DxfCodeTable::kind(tag.code)) {
    case DxfValueKind::Point:
      rb->resval.rpoint[0] = toReal(tag.value);
      for (int axis = 1; axis < 3 && i < tags.size() && tags[i].code == tag.code + 10 * axis; ++axis)
        rb->resval.rpoint[axis] = toReal(tags[i++].value);
      break;
    case DxfValueKind::Double:
      rb->resval.rreal = toReal(tag.value);
      break;
    case DxfValueKind::Int16:
      rb->resval.rint = static_cast<short>(toInteger(tag.value));
      break;
    case DxfValueKind::Int32:
      rb->resval.rlong = static_cast<Adesk::Int32>(toInteger(tag.value));
      break;
    case DxfValueKind::Binary: {
      const std::string_view hex = tag.value;
      rb->resval.rbinary.clen = static_cast<Adesk::Int32>(hex.size() / 2);
      rb->resval.rbinary.buf = new char[hex.size() / 2 + 1];
      for (size_t k = 0; k + 1 < hex.size(); k += 2) {
        unsigned byte = 0;
        std::from_chars(hex.data() + k, hex.data() + k + 2, byte, 16);
        rb->resval.rbinary.buf[k / 2] = static_cast<char>(byte);
      }
      break;
    }
    default:
      rb->resval.rstring = newString(std::string_view(tag.value));
      break;
  }
  return rb;
}

bool appendItem(DxfTagList& tags, const resbuf* rb) {
  const int code = rb->restype;
  if (code < 1000 || code > 1071) return false;
  switch (DxfCodeTable::kind(code)) {
    case DxfValueKind::Point:
      for (int axis = 0; axis < 3; ++axis) tags.push_back({code + 10 * axis, formatReal(rb->resval.rpoint[axis])});
      return true;
    case DxfValueKind::Double:
      tags.push_back({code, formatReal(rb->resval.rreal)});
      return true;
    case DxfValueKind::Int16:
      tags.push_back({code, std::to_string(rb->resval.rint)});
      return true;
    case DxfValueKind::Int32:
      tags.push_back({code, std::to_string(rb->resval.rlong)});
      return true;
    case DxfValueKind::Binary: {
      static const char kDigits[] = "0123456789ABCDEF";
      std::string hex;
      for (Adesk::Int32 k = 0; k < rb->resval.rbinary.clen; ++k) {
        const auto byte = static_cast<unsigned char>(rb->resval.rbinary.buf[k]);
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 15];
      }
      tags.push_back({code, hex});
      return true;
    }
    case DxfValueKind::String:
    case DxfValueKind::Handle:
      tags.push_back({code, DxfText::encode(rb->resval.rstring ? rb->resval.rstring : L"")});
      return true;
    default:
      return false;
  }
}

struct AppData {
  std::wstring name;
  DxfTagList tags;  // without the 1001 tag
};

std::vector<AppData> split(const DxfTagList& tags) {
  std::vector<AppData> apps;
  for (const DxfOwnedTag& tag : tags) {
    if (tag.code == 1001) apps.push_back({DxfText::decode(tag.value), {}});
    else if (!apps.empty()) apps.back().tags.push_back(tag);
  }
  return apps;
}

}  // namespace

DxfTagList DxfXData::fromDxf(std::string_view objectText) {
  DxfTagList tags;
  for (const DxfTag& tag : viewsOf(objectText)) tags.push_back({tag.code, std::string(tag.value)});
  return tags;
}

std::vector<DxfTag> DxfXData::viewsOf(std::string_view objectText) {
  std::vector<DxfTag> tags;
  DxfTagReader reader(objectText);
  bool inside = false;
  while (!reader.atEnd()) {
    const DxfTag tag = reader.next();
    inside = inside || tag.code == 1001;
    if (inside) tags.push_back(tag);
  }
  return tags;
}

template <typename Tags>
resbuf* DxfXData::listOf(const Tags& tags, const ACHAR* appName) {
  resbuf* head = nullptr;
  resbuf** tail = &head;
  bool wanted = false;
  for (size_t i = 0; i < tags.size();) {
    if (tags[i].code == 1001) wanted = appName == nullptr || DxfText::sameFolded(DxfText::decode(tags[i].value), appName);
    if (!wanted) {
      ++i;
      continue;
    }
    *tail = itemAt(tags, i);
    tail = &(*tail)->rbnext;
  }
  return head;
}

resbuf* DxfXData::toResbuf(const DxfTagList& tags, const ACHAR* appName) { return listOf(tags, appName); }

resbuf* DxfXData::toResbuf(const std::vector<DxfTag>& tags, const ACHAR* appName) { return listOf(tags, appName); }

bool DxfXData::merge(DxfTagList& tags, const resbuf* list) {
  if (list == nullptr || list->restype != 1001) return false;
  std::vector<AppData> apps = split(tags);
  for (const resbuf* rb = list; rb != nullptr;) {
    AppData replacement{rb->resval.rstring ? rb->resval.rstring : L"", {}};
    for (rb = rb->rbnext; rb != nullptr && rb->restype != 1001; rb = rb->rbnext)
      if (!appendItem(replacement.tags, rb)) return false;
    bool found = false;
    for (AppData& app : apps)
      if (DxfText::sameFolded(app.name, replacement.name)) {
        app.tags = std::move(replacement.tags);
        found = true;
      }
    if (!found) apps.push_back(std::move(replacement));
  }
  tags.clear();
  for (const AppData& app : apps) {
    if (app.tags.empty()) continue;
    tags.push_back({1001, DxfText::encode(app.name)});
    tags.insert(tags.end(), app.tags.begin(), app.tags.end());
  }
  return true;
}
