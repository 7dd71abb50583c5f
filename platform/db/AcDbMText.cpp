#include "AcDbMText.h"

#include "AcDbSymbolTableRecord.h"
#include "AcDbDatabase.h"
#include "DxfInFiler.h"
#include "DxfOutFiler.h"
#include "DxfText.h"
#include "TextCodec.h"

ACRX_DEFINE_MEMBERS(AcDbMText, AcDbEntity, L"MTEXT")

namespace {
constexpr std::string_view kMarker = "AcDbMText";
// Longer texts go to the file in pieces of this many characters.
constexpr size_t kChunk = 250;

AcDbMText::AttachmentPoint attachmentOf(long long value) {
  if (value < AcDbMText::kTopLeft || value > AcDbMText::kBottomRight) return AcDbMText::kTopLeft;
  return static_cast<AcDbMText::AttachmentPoint>(value);
}
}  // namespace

AcDbMText::AcDbMText() = default;

std::wstring AcDbMText::contents() const { return utf8ToWide(m_contents); }

Acad::ErrorStatus AcDbMText::setContents(const ACHAR* text) {
  if (text == nullptr) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_contents = wideToUtf8(text);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbMText::setLocation(const AcGePoint3d& point) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_location = point;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbMText::setTextHeight(double height) {
  if (!(height > 0.0)) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_height = height;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbMText::setWidth(double width) {
  if (!(width >= 0.0)) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_width = width;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbMText::setAttachment(AttachmentPoint attachment) {
  if (attachment < kTopLeft || attachment > kBottomRight) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_attachment = attachment;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbMText::setTextStyle(AcDbObjectId style) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_style = style;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbMText::setNormal(const AcGeVector3d& normal) {
  if (normal.isZeroLength()) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_normal = normal.normal();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbMText::setDirection(const AcGeVector3d& direction) {
  if (direction.isZeroLength()) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_direction = direction.normal();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbMText::transformBy(const AcGeMatrix3d& transform) {
  const AcGeVector3d direction = transform * m_direction;
  const AcGeVector3d up = transform * m_normal.crossProduct(m_direction);
  const AcGeVector3d normal = direction.crossProduct(up);
  if (normal.isZeroLength()) return Acad::eNotApplicable;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_height *= up.length();
  m_width *= direction.length();
  m_direction = direction.normal();
  m_normal = normal.normal();
  m_location.transformBy(transform);
  return Acad::eOk;
}

void AcDbMText::dxfGroups(std::vector<DxfGroup>& groups) const {
  AcDbEntity::dxfGroups(groups);
  groups.push_back({kMarker, 0});
}

bool AcDbMText::dxfOwns(const DxfGroup& group, int code) const {
  if (!group.is(kMarker)) return AcDbEntity::dxfOwns(group, code);
  switch (code) {
    case 10: case 20: case 30: case 40: case 41: case 71: case 1: case 3: case 7: case 210: case 220:
    case 230: case 11: case 21: case 31:
      return true;
    default:
      return false;
  }
}

void AcDbMText::dxfInField(const DxfGroup& group, DxfInFiler& in) {
  if (!group.is(kMarker)) return AcDbEntity::dxfInField(group, in);
  switch (in.code()) {
    case 10: m_location.x = in.real(); break;
    case 20: m_location.y = in.real(); break;
    case 30: m_location.z = in.real(); break;
    case 40: m_height = in.real(); break;
    case 41: m_width = in.real(); break;
    case 71: m_attachment = attachmentOf(in.integer()); break;
    // Pieces are cut where the writer chose, through a caret or escape too:
    // they are decoded once joined.
    case 1: case 3: m_contents.append(in.raw()); break;
    case 7: m_style = in.record(in.database().textStyleTableId()); break;
    case 210: m_normal.x = in.real(); break;
    case 220: m_normal.y = in.real(); break;
    case 230: m_normal.z = in.real(); break;
    case 11: m_direction.x = in.real(); break;
    case 21: m_direction.y = in.real(); break;
    case 31: m_direction.z = in.real(); break;
  }
}

void AcDbMText::dxfInDone(DxfInFiler&) {
  if (!DxfText::isPlain(m_contents)) {
    std::string read;
    read.swap(m_contents);
    DxfText::appendDecoded(read, m_contents);
  }
  // A damaged file's zero vectors would give the text no plane.
  m_normal = m_normal.isZeroLength() ? AcGeVector3d::kZAxis : m_normal.normal();
  m_direction = m_direction.isZeroLength() ? AcGeVector3d::kXAxis : m_direction.normal();
}

void AcDbMText::dxfOutFields(const DxfGroup& group, DxfOutFiler& out) const {
  if (!group.is(kMarker)) return AcDbEntity::dxfOutFields(group, out);
  // Unlike TEXT, MTEXT gives its location and direction in world coordinates.
  out.point(10, m_location);
  out.real(40, m_height);
  if (m_width > 0.0) out.real(41, m_width);
  out.integer(71, m_attachment);
  const std::string_view contents = m_contents;
  size_t start = 0;
  for (size_t end = 0, characters = 0; end < contents.size(); ++end) {
    // A caret stays with what follows it, which decides its meaning.
    if ((static_cast<unsigned char>(contents[end]) & 0xC0) == 0x80 || characters++ < kChunk ||
        contents[end - 1] == '^')
      continue;
    out.utf8Text(3, contents.substr(start, end - start));
    start = end;
    characters = 1;
  }
  out.utf8Text(1, contents.substr(start));
  if (!m_style.isNull()) out.text(7, AcDbSymbolTableRecord::nameOf(m_style));
  if (m_normal != AcGeVector3d::kZAxis) out.vector(210, m_normal);
  if (m_direction != AcGeVector3d::kXAxis) out.vector(11, m_direction);
}
