#include "LeaderShape.h"

#include <algorithm>
#include <string>

#include "AcDbDatabase.h"
#include "AcDbEntity.h"
#include "CarriedTags.h"
#include "TextCodec.h"
#include "resbuf.h"

namespace {

// A closed arrowhead is a third as wide as it is long.
constexpr double kArrowWidth = 1.0 / 3.0;

// A dimension style override the leader carries in the ACAD application's
// extended data ("DSTYLE", then pairs of variable number and value).
double overrideOf(const AcDbEntity& entity, int variable, double fallback) {
  AcResBufPtr data(entity.xData(L"ACAD"));
  bool inStyle = false;
  for (const resbuf* item = data.get(); item != nullptr; item = item->rbnext) {
    if (item->restype == 1000 && item->resval.rstring != nullptr)
      inStyle = std::wstring(item->resval.rstring) == L"DSTYLE";
    const resbuf* value = item->rbnext;
    if (inStyle && item->restype == 1070 && item->resval.rint == variable && value != nullptr &&
        value->restype == 1040)
      return value->resval.rreal > 0.0 ? value->resval.rreal : fallback;
  }
  return fallback;
}

AcGeVector3d asVector(const AcGePoint3d& point) { return point - AcGePoint3d::kOrigin; }

}  // namespace

// A multileader's tags nest: its context data holds the content and each
// leader, and each leader its lines.
class LeaderShape::MLeaderReader {
 public:
  MLeaderReader(const AcDbEntity& entity, LeaderShape& shape) : m_entity(entity), m_shape(shape) {}

  void read() {
    const CarriedTags tags(m_entity.dxfTags());
    const std::vector<DxfTag>& all = tags.tags();
    size_t index = 0;
    for (; index < all.size() && !(all[index].code == 300 && all[index].value == "CONTEXT_DATA{"); ++index) {
    }
    const size_t contextBegin = index;
    for (; index < all.size() && all[index].code != 301; ++index) {
      if (all[index].code == 302) index = readLeader(all, index + 1);
      else readContext(all, index);
    }
    const CarriedTags main(all.data() + std::min(index, all.size()), all.data() + all.size());
    finish(main, CarriedTags(all.data() + contextBegin, all.data() + index));
  }

 private:
  size_t readLeader(const std::vector<DxfTag>& tags, size_t index) {
    AcGePoint3d connection, direction(1.0, 0.0, 0.0);
    double dogleg = 0.0;
    std::vector<Line> lines;
    for (; index < tags.size() && tags[index].code != 303; ++index) {
      const DxfTag& tag = tags[index];
      if (tag.code == 304) {
        lines.emplace_back();
        for (++index; index < tags.size() && tags[index].code != 305; ++index)
          if (tags[index].code == 10) lines.back().points.push_back(CarriedTags::pointAt(tags, index));
      } else if (tag.code == 10) {
        connection = CarriedTags::pointAt(tags, index);
      } else if (tag.code == 11) {
        direction = CarriedTags::pointAt(tags, index);
      } else if (tag.code == 40) {
        dogleg = CarriedTags::realOf(tag);
      }
    }
    for (Line& line : lines) {
      line.points.push_back(connection);
      line.arrowhead = true;
      m_shape.m_lines.push_back(line);
    }
    m_doglegs.push_back({connection, connection + asVector(direction) * dogleg});
    return index;
  }

  // The content's tags stand in the context data outside its leaders.
  void readContext(const std::vector<DxfTag>& tags, size_t index) {
    if (tags[index].code == 304) m_content = tags[index].value;
  }

  void finish(const CarriedTags& main, const CarriedTags& context) {
    const long long leaderType = main.integer(170, 1);
    if (leaderType == 0) m_shape.m_lines.clear();
    else if (main.integer(291, 1) != 0) {
      for (const std::vector<AcGePoint3d>& dogleg : m_doglegs) m_shape.m_lines.push_back({dogleg, false});
    }
    m_shape.m_arrowSize = context.real(140, main.real(42, 0.0));
    const long long contentType = main.integer(172, 2);
    if (contentType == 2 && !m_content.empty() && context.integer(290, 1) != 0) readText(context);
    if (contentType == 1) readBlock(context);
  }

  void readText(const CarriedTags& context) {
    auto text = std::make_shared<AcDbMText>();
    text->setContents(utf8ToWide(m_content).c_str());
    text->setLocation(context.point(12));
    text->setTextHeight(context.real(41, 1.0));
    text->setWidth(context.real(43, 0.0));
    text->setDirection(asVector(context.point(13, AcGePoint3d(1.0, 0.0, 0.0))));
    const long long attachment = context.integer(171, AcDbMText::kTopLeft);
    if (attachment >= AcDbMText::kTopLeft && attachment <= AcDbMText::kBottomRight)
      text->setAttachment(static_cast<AcDbMText::AttachmentPoint>(attachment));
    m_shape.m_text = text;
  }

  void readBlock(const CarriedTags& context) {
    AcDbDatabase* database = m_entity.database();
    const std::string handle(context.text(341));
    if (database == nullptr || handle.empty()) return;
    database->getAcDbObjectId(m_shape.m_block, false, AcDbHandle(handle.c_str()));
    const AcGePoint3d scale = context.point(16, AcGePoint3d(1.0, 1.0, 1.0));
    m_shape.m_blockTransform = AcGeMatrix3d::translation(asVector(context.point(15))) *
                               AcGeMatrix3d::rotation(context.real(46), AcGeVector3d::kZAxis) *
                               AcGeMatrix3d::scaling(AcGeScale3d(scale.x, scale.y, scale.z));
  }

  const AcDbEntity& m_entity;
  LeaderShape& m_shape;
  std::string_view m_content;
  std::vector<std::vector<AcGePoint3d>> m_doglegs;
};

LeaderShape LeaderShape::leader(const AcDbEntity& entity) {
  const CarriedTags tags(entity.dxfTags());
  LeaderShape shape;
  shape.m_lines.push_back({tags.points(10), tags.integer(71, 1) != 0});
  const AcDbDatabase* database = entity.database();
  const double size = database ? database->dimasz() : 2.5, scale = database ? database->dimscale() : 1.0;
  // DIMASZ is dimension variable 41, DIMSCALE 40.
  shape.m_arrowSize = overrideOf(entity, 41, size) * overrideOf(entity, 40, scale);
  return shape;
}

std::optional<LeaderShape> LeaderShape::of(const AcDbEntity& entity) {
  const std::wstring type = entity.isA()->dxfName();
  if (type == L"LEADER") return leader(entity);
  if (type != L"MULTILEADER" && type != L"MLEADER") return std::nullopt;
  LeaderShape shape;
  MLeaderReader(entity, shape).read();
  return shape;
}

PathData LeaderShape::lines(const AcGeMatrix3d& toWorld) const {
  PathData path(toWorld);
  for (const Line& line : m_lines) {
    for (size_t index = 0; index < line.points.size(); ++index) {
      if (index == 0) path.moveTo(line.points[index]);
      else path.lineTo(line.points[index]);
    }
  }
  return path;
}

PathData LeaderShape::arrowheads(const AcGeMatrix3d& toWorld) const {
  PathData path(toWorld);
  for (const Line& line : m_lines) {
    if (!line.arrowhead || line.points.size() < 2 || !(m_arrowSize > 0.0)) continue;
    const AcGePoint3d tip = line.points[0];
    AcGeVector3d along = line.points[1] - tip;
    if (along.length() <= 0.0) continue;
    along = along.normal() * m_arrowSize;
    const AcGeVector3d across = AcGeVector3d(-along.y, along.x, 0.0) * (kArrowWidth / 2.0);
    path.moveTo(tip);
    path.lineTo(tip + along + across);
    path.lineTo(tip + along - across);
    path.close();
  }
  return path;
}
