#include "DxfObjectCodec.h"

#include <algorithm>
#include <array>
#include <utility>

#include "AcDbObject.h"
#include "DxfInFiler.h"
#include "DxfOutFiler.h"
#include "DxfTagList.h"
#include "TextCodec.h"

namespace {

bool isHandleCode(int code) { return code == 5 || code == 105; }

bool endsHead(int code) { return code == 100 || code == 101 || code == 1001; }

// Numbers repeated markers: TEXT's second "AcDbText" group is ordinal 1.
class GroupCounter {
 public:
  DxfGroup next(std::string_view marker) {
    for (size_t i = 0; i < m_count; ++i)
      if (m_seen[i].first == marker) return {marker, ++m_seen[i].second};
    if (m_count < m_seen.size()) m_seen[m_count++] = {marker, 0};
    return {marker, 0};
  }

 private:
  // Objects have a handful of subclass groups.
  std::array<std::pair<std::string_view, int>, 16> m_seen;
  size_t m_count = 0;
};

// Index of the tag after the application group that starts at i.
size_t skipAppGroup(const std::vector<DxfTag>& tags, size_t i) {
  for (++i; i < tags.size() && tags[i].code != 102; ++i) {
  }
  return i + 1;
}

void writeHead(const AcDbObject& object, const std::vector<DxfTag>& tags, size_t& i, DxfOutFiler& out,
               const std::string& type) {
  out.tag(0, type);
  i = 1;
  for (; i < tags.size() && !endsHead(tags[i].code) && !isHandleCode(tags[i].code) && tags[i].code != 102 &&
         tags[i].code != 330;
       ++i)
    out.tag(tags[i].code, tags[i].value);
  out.handle(type == "DIMSTYLE" ? 105 : 5, object.handle());
  std::vector<DxfTag> rest;
  while (i < tags.size() && !endsHead(tags[i].code)) {
    if (tags[i].code == 102 && tags[i].value != "{ACAD_XDICTIONARY") {
      const size_t end = std::min(skipAppGroup(tags, i), tags.size());
      for (; i < end; ++i) out.tag(tags[i].code, tags[i].value);
      continue;
    }
    if (tags[i].code == 102) {
      i = skipAppGroup(tags, i);
      continue;
    }
    if (!isHandleCode(tags[i].code) && tags[i].code != 330) rest.push_back(tags[i]);
    ++i;
  }
  if (!object.extensionDictionary().isNull()) {
    out.tag(102, "{ACAD_XDICTIONARY");
    out.objectId(360, object.extensionDictionary());
    out.tag(102, "}");
  }
  out.objectId(330, object.ownerId());
  for (const DxfTag& tag : rest) out.tag(tag.code, tag.value);
}

}  // namespace

bool DxfObjectCodec::owns(const AcDbObject& object, const DxfGroup& group, int code, std::vector<int>& seenOnce) {
  if (!object.dxfOwns(group, code)) return false;
  if (!object.dxfOwnsOnce(group, code)) return true;
  if (std::find(seenOnce.begin(), seenOnce.end(), code) != seenOnce.end()) return false;
  seenOnce.push_back(code);
  return true;
}

const DxfTag* DxfObjectCodec::handleTag(const std::vector<DxfTag>& tags) {
  // An empty handle is none: the object is given a new one.
  for (size_t i = 1; i < tags.size() && !endsHead(tags[i].code); ++i)
    if (isHandleCode(tags[i].code)) return tags[i].value.find_first_not_of(' ') == std::string_view::npos ? nullptr : &tags[i];
  return nullptr;
}

std::string_view DxfObjectCodec::lastMarker(const std::vector<DxfTag>& tags) {
  std::string_view marker;
  for (const DxfTag& tag : tags) {
    if (tag.code == 1001) break;
    if (tag.code == 100) marker = tag.value;
  }
  return marker;
}

void DxfObjectCodec::read(AcDbObject& object, const std::vector<DxfTag>& tags, std::string_view text,
                          DxfInFiler& in) {
  object.setDxfText(text);
  size_t i = 1;
  bool ownerSeen = false;
  while (i < tags.size() && !endsHead(tags[i].code)) {
    const DxfTag& tag = tags[i];
    if (tag.code == 102 && tag.value == "{ACAD_XDICTIONARY") {
      for (++i; i < tags.size() && tags[i].code != 102; ++i) {
        in.setTag(tags[i]);
        if (tags[i].code == 360) object.extras().extensionDictionary = in.objectId();
      }
      ++i;
      continue;
    }
    if (tag.code == 102) {
      i = skipAppGroup(tags, i);
      continue;
    }
    if (tag.code == 330 && !ownerSeen) {
      in.setTag(tag);
      object.m_ownerId = in.objectId();
      ownerSeen = true;
    }
    ++i;
  }
  // Reused: reading is the hot path of loading.
  thread_local std::vector<DxfGroup> known;
  known.clear();
  object.dxfGroups(known);
  GroupCounter counter;
  std::vector<int> seenOnce;
  DxfGroup group;
  bool modelled = false;
  for (; i < tags.size() && tags[i].code != 1001; ++i) {
    const DxfTag& tag = tags[i];
    if (tag.code == 100) {
      group = counter.next(tag.value);
      modelled = std::find(known.begin(), known.end(), group) != known.end();
      seenOnce.clear();
      continue;
    }
    if (tag.code == 101) {
      // An embedded object runs to the next marker; it is carried whole.
      modelled = false;
      continue;
    }
    in.setTag(tag);
    if (modelled && owns(object, group, tag.code, seenOnce)) object.dxfInField(group, in);
    // A carried tag is saved as read: it must be what its code says, or no other program reads the save.
    else in.check();
  }
  object.dxfInDone(in);
}

void DxfObjectCodec::write(const AcDbObject& object, DxfOutFiler& out) {
  if (!object.m_modified && object.m_dxfLength != 0) {
    out.raw(object.dxfText());
    return;
  }
  const std::vector<DxfTag> tags = object.dxfTags();
  size_t i = 0;
  writeHead(object, tags, i, out, wideToUtf8(object.isA()->dxfName()));
  std::vector<DxfGroup> known;
  object.dxfGroups(known);
  std::vector<bool> written(known.size(), false);
  auto writeGroup = [&](size_t index) {
    out.tag(100, known[index].marker);
    object.dxfOutFields(known[index], out);
    written[index] = true;
  };
  GroupCounter counter;
  std::vector<int> seenOnce;
  DxfGroup group;
  bool modelled = false;
  for (; i < tags.size() && tags[i].code != 1001; ++i) {
    const DxfTag& tag = tags[i];
    if (tag.code == 100) {
      group = counter.next(tag.value);
      seenOnce.clear();
      const auto found = std::find(known.begin(), known.end(), group);
      modelled = found != known.end();
      if (!modelled) {
        out.tag(tag.code, tag.value);
        continue;
      }
      const auto index = static_cast<size_t>(found - known.begin());
      for (size_t k = 0; k <= index; ++k)
        if (!written[k]) writeGroup(k);
      continue;
    }
    if (tag.code == 101) modelled = false;
    if (!modelled || !owns(object, group, tag.code, seenOnce)) out.tag(tag.code, tag.value);
  }
  for (size_t k = 0; k < known.size(); ++k)
    if (!written[k]) writeGroup(k);
  if (const DxfTagList* xdata = object.xdataSet()) {
    for (const DxfOwnedTag& tag : *xdata) out.tag(tag.code, tag.value);
  } else {
    for (; i < tags.size(); ++i) out.tag(tags[i].code, tags[i].value);
  }
}
