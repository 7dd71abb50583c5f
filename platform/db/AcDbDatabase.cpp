#include "AcDbDatabase.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include "AcDbBlockTable.h"
#include "AcDbDictionary.h"
#include "AcDbHandleTable.h"
#include "AcDbLayerTable.h"
#include "AcDbLinetypeTable.h"
#include "AcDbRegAppTable.h"
#include "AcDbStub.h"
#include "AcDbTableStyle.h"
#include "AcDbTransactionManager.h"
#include "AcDbTextStyleTable.h"
#include "BlockExtents.h"
#include "DrawingFormat.h"
#include "DxfError.h"
#include "DxfFile.h"
#include "DxfOutFiler.h"
#include "ModelSpaceIndex.h"
#include "ReplacedFile.h"
#include "SaveFaults.h"
#include "TextCodec.h"
#include "UndoHistory.h"

struct AcDbDatabase::Impl {
  explicit Impl(AcDbDatabase* database) : handles(database), undo(*database) {}

  AcDbHandleTable handles;
  BlockExtents blockExtents;
  DxfFile file;
  std::wstring lastError;
  std::wstring filename;
  AcDbObjectId blockTable, layerTable, linetypeTable, regAppTable, textStyleTable, namedObjects;
  AcDbObjectId modelSpace, paperSpace, byLayer, byBlock, continuous;
  AcDbObjectId currentPaperLayout;
  std::unique_ptr<ModelSpaceIndex> modelSpaceIndex;
  // Last: its records go before the objects they name.
  UndoHistory undo;
  bool modified = false;
};

namespace {

template <class Table>
Acad::ErrorStatus openTable(Table*& table, AcDbObjectId id, AcDb::OpenMode mode) {
  return acdbOpenObject(table, id, mode);
}

AcDbObjectId recordOf(AcDbObjectId table, const ACHAR* name) {
  AcDbObjectId id;
  if (auto* symbols = residentObject<AcDbSymbolTable>(table)) symbols->getAt(name, id);
  return id;
}

// Axes that make a coordinate system: long enough and at right angles.
bool areAxes(const AcGeVector3d& xAxis, const AcGeVector3d& yAxis) {
  return !xAxis.isZeroLength() && !yAxis.isZeroLength() &&
         std::fabs(xAxis.normal().dotProduct(yAxis.normal())) < 1e-9;
}

int headerInt(const DxfFile& file, const char* name, int fallback) {
  const std::string value = file.header.value(name);
  return value.empty() ? fallback : std::atoi(value.c_str());
}

}  // namespace

AcDbDatabase::AcDbDatabase(bool buildDefaultDrawing, bool) : m_impl(std::make_unique<Impl>(this)) {
  if (buildDefaultDrawing) DrawingFormat::installed().readDefault(*this);
  m_impl->modified = false;
}

AcDbDatabase::~AcDbDatabase() { AcDbTransactionManager::instance().forget(this); }

AcDbHandleTable& AcDbDatabase::handleTable() const { return m_impl->handles; }

void AcDbDatabase::noteChange(AcDbObjectId changed) {
  m_impl->blockExtents.forget();
  m_impl->modified = true;
  auto& index = m_impl->modelSpaceIndex;
  if (index && !index->note(changed)) index.reset();
}

BlockExtents& AcDbDatabase::blockExtents() { return m_impl->blockExtents; }

ModelSpaceIndex& AcDbDatabase::modelSpaceIndex() {
  auto& index = m_impl->modelSpaceIndex;
  if (!index || index->worn()) index = std::make_unique<ModelSpaceIndex>(*this);
  return *index;
}

DxfFile& AcDbDatabase::dxfFile() const { return m_impl->file; }

DxfHeader& AcDbDatabase::changeHeader() {
  m_impl->modified = true;
  m_impl->undo.noteHeader();
  return m_impl->file.header;
}

AcDbObjectId& AcDbDatabase::currentPaperLayoutSlot() { return m_impl->currentPaperLayout; }

void AcDbDatabase::forgetModelSpaceIndex() { m_impl->modelSpaceIndex.reset(); }

UndoHistory& AcDbDatabase::undoHistory() { return m_impl->undo; }

void AcDbDatabase::setStandardIds() {
  Impl& impl = *m_impl;
  for (const AcDbObjectId& id : impl.file.tables) {
    const AcRxClass* kind = id.objectClass();
    if (kind == AcDbBlockTable::desc()) impl.blockTable = id;
    if (kind == AcDbLayerTable::desc()) impl.layerTable = id;
    if (kind == AcDbLinetypeTable::desc()) impl.linetypeTable = id;
    if (kind == AcDbRegAppTable::desc()) impl.regAppTable = id;
    if (kind == AcDbTextStyleTable::desc()) impl.textStyleTable = id;
  }
  if (!impl.file.objects.empty() && residentObject<AcDbDictionary>(impl.file.objects.front()))
    impl.namedObjects = impl.file.objects.front();
  impl.modelSpace = recordOf(impl.blockTable, L"*Model_Space");
  impl.paperSpace = recordOf(impl.blockTable, L"*Paper_Space");
  impl.byLayer = recordOf(impl.linetypeTable, L"ByLayer");
  impl.byBlock = recordOf(impl.linetypeTable, L"ByBlock");
  impl.continuous = recordOf(impl.linetypeTable, L"Continuous");
}

Acad::ErrorStatus AcDbDatabase::fail(Acad::ErrorStatus status, std::wstring message) {
  m_impl->lastError = std::move(message);
  return status;
}

Acad::ErrorStatus AcDbDatabase::dxfIn(const ACHAR* path) {
  if (path == nullptr) return fail(Acad::eInvalidInput, L"no file name");
  const std::string file = wideToUtf8(path);
  struct stat info {};
  if (stat(file.c_str(), &info) != 0) return fail(Acad::eFileNotFound, L"cannot open '" + std::wstring(path) + L"': no such file");
  std::ifstream in(file, std::ios::binary);
  if (!S_ISREG(info.st_mode) || !in) return fail(Acad::eFileAccessErr, L"cannot read '" + std::wstring(path) + L"'");
  std::string text(static_cast<size_t>(info.st_size), '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  if (!in) return fail(Acad::eFileAccessErr, L"cannot read '" + std::wstring(path) + L"'");
  std::unique_ptr<Impl> previous = std::move(m_impl);
  m_impl = std::make_unique<Impl>(this);
  try {
    DrawingFormat::installed().read(*this, std::move(text));
  } catch (const DxfError& error) {
    m_impl = std::move(previous);
    return fail(Acad::eInvalidDxfFile, std::wstring(path) + L": " + utf8ToWide(error.what()));
  }
  m_impl->filename = path;
  m_impl->modified = false;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::dxfOut(const ACHAR* path) {
  if (path == nullptr || *path == 0) return fail(Acad::eInvalidInput, L"no file name");
  DxfFile& dxf = m_impl->file;
  const std::string seed = m_impl->handles.seed().asciiUtf8();
  if (!m_impl->handles.seed().isNull()) {
    // Written as read while the seed is as read: an undo may bring it back.
    if (seed == dxf.handseedRead) dxf.header.revert("$HANDSEED");
    else dxf.header.set("$HANDSEED", 5, seed);
  }
  ReplacedFile file(wideToUtf8(path));
  std::string reason;
  bool saved = file.open(reason);
  if (saved) {
    const int descriptor = file.descriptor();
    SaveFaults faults;
    errno = 0;
    const auto toFile = [descriptor, &faults](std::string_view piece) {
      while (!piece.empty()) {
        const ssize_t count = faults.write(descriptor, piece.data(), piece.size());
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) return false;
        piece.remove_prefix(static_cast<size_t>(count));
      }
      return true;
    };
    saved = DrawingFormat::installed().write(*this, toFile);
    // The first failure is the one to tell; the file in place is not touched.
    if (!saved) reason = std::strerror(errno != 0 ? errno : EIO);
    saved = saved && file.commit(reason);
  }
  if (!saved) return fail(Acad::eFileAccessErr, L"cannot save to '" + std::wstring(path) + L"': " + utf8ToWide(reason));
  m_impl->filename = path;
  m_impl->modified = false;
  return Acad::eOk;
}

bool AcDbDatabase::isModified() const { return m_impl->modified; }

Acad::ErrorStatus AcDbDatabase::saveAs(const ACHAR* path) { return dxfOut(path); }

const std::wstring& AcDbDatabase::lastErrorMessage() const { return m_impl->lastError; }

namespace {

std::string versionName(const std::string& version) {
  static const std::pair<const char*, const char*> kNames[] = {
      {"AC1006", "R10"}, {"AC1009", "R11/R12"}, {"AC1012", "R13"}, {"AC1014", "R14"}, {"AC1015", "AutoCAD 2000"},
      {"AC1018", "AutoCAD 2004"}, {"AC1021", "AutoCAD 2007"}, {"AC1024", "AutoCAD 2010"},
      {"AC1027", "AutoCAD 2013"}, {"AC1032", "AutoCAD 2018"}};
  for (const auto& [code, name] : kNames)
    if (version == code) return version + " (" + name + ")";
  return version;
}

}  // namespace

std::wstring AcDbDatabase::conversionNote() const {
  const DxfFile& file = m_impl->file;
  if (!file.readBinary && file.versionRead.empty()) return std::wstring();
  const std::string saved = file.header.value("$ACADVER");
  const std::string read = file.versionRead.empty() ? saved : file.versionRead;
  return utf8ToWide("The drawing is " + std::string(file.readBinary ? "binary " : "") + "DXF " + versionName(read) +
                    "; it is saved as " + (file.readBinary ? "ASCII " : "") + "DXF " + versionName(saved) + ".");
}

const std::wstring& AcDbDatabase::filename() const { return m_impl->filename; }

Adesk::Int16 AcDbDatabase::lunits() const { return static_cast<Adesk::Int16>(headerInt(m_impl->file, "$LUNITS", 2)); }

void AcDbDatabase::setLunits(Adesk::Int16 value) { changeHeader().set("$LUNITS", 70, std::to_string(value)); }

AcDb::UnitsValue AcDbDatabase::insunits() const {
  return static_cast<AcDb::UnitsValue>(headerInt(m_impl->file, "$INSUNITS", 0));
}

void AcDbDatabase::setInsunits(AcDb::UnitsValue units) {
  changeHeader().set("$INSUNITS", 70, std::to_string(units));
}

AcDb::MeasurementValue AcDbDatabase::measurement() const {
  return static_cast<AcDb::MeasurementValue>(headerInt(m_impl->file, "$MEASUREMENT", 0));
}

void AcDbDatabase::setMeasurement(AcDb::MeasurementValue value) {
  changeHeader().set("$MEASUREMENT", 70, std::to_string(value));
}

double AcDbDatabase::headerScale(const char* name, double fallback) const {
  const std::string value = m_impl->file.header.value(name, 40);
  char* end = nullptr;
  const double scale = std::strtod(value.c_str(), &end);
  return end != value.c_str() && std::isfinite(scale) && scale > 0.0 ? scale : fallback;
}

Acad::ErrorStatus AcDbDatabase::setHeaderScale(const char* name, double scale) {
  if (!std::isfinite(scale) || scale <= 0.0) return Acad::eInvalidInput;
  changeHeader().set(name, 40, DxfOutFiler::realText(scale));
  return Acad::eOk;
}

double AcDbDatabase::ltscale() const { return headerScale("$LTSCALE"); }

Acad::ErrorStatus AcDbDatabase::setLtscale(double scale) { return setHeaderScale("$LTSCALE", scale); }

double AcDbDatabase::dimasz() const {
  return headerScale("$DIMASZ", measurement() == AcDb::kMetric ? 2.5 : 0.18);
}

double AcDbDatabase::dimscale() const { return headerScale("$DIMSCALE"); }

double AcDbDatabase::celtscale() const { return headerScale("$CELTSCALE"); }

Adesk::Int16 AcDbDatabase::pdmode() const { return static_cast<Adesk::Int16>(headerInt(m_impl->file, "$PDMODE", 0)); }

double AcDbDatabase::pdsize() const {
  const std::string value = m_impl->file.header.value("$PDSIZE", 40);
  const double size = std::strtod(value.c_str(), nullptr);
  return std::isfinite(size) ? size : 0.0;
}

Acad::ErrorStatus AcDbDatabase::setCeltscale(double scale) { return setHeaderScale("$CELTSCALE", scale); }

AcGePoint3d AcDbDatabase::headerPoint(const char* name, const AcGePoint3d& fallback) const {
  double xyz[3] = {fallback.x, fallback.y, fallback.z};
  for (int axis = 0; axis < 3; ++axis) {
    const std::string value = m_impl->file.header.value(name, 10 + 10 * axis);
    if (value.empty()) return fallback;
    char* end = nullptr;
    xyz[axis] = std::strtod(value.c_str(), &end);
    if (end == value.c_str() || !std::isfinite(xyz[axis])) return fallback;
  }
  return AcGePoint3d(xyz[0], xyz[1], xyz[2]);
}

void AcDbDatabase::ucsAxes(AcGeVector3d& xAxis, AcGeVector3d& yAxis) const {
  xAxis = headerPoint("$UCSXDIR", AcGePoint3d(1, 0, 0)).asVector();
  yAxis = headerPoint("$UCSYDIR", AcGePoint3d(0, 1, 0)).asVector();
  if (!areAxes(xAxis, yAxis)) {
    xAxis = AcGeVector3d::kXAxis;
    yAxis = AcGeVector3d::kYAxis;
  }
  xAxis.normalize();
  yAxis.normalize();
}

AcGePoint3d AcDbDatabase::ucsorg() const { return headerPoint("$UCSORG", AcGePoint3d::kOrigin); }

AcGeVector3d AcDbDatabase::ucsxdir() const {
  AcGeVector3d xAxis, yAxis;
  ucsAxes(xAxis, yAxis);
  return xAxis;
}

AcGeVector3d AcDbDatabase::ucsydir() const {
  AcGeVector3d xAxis, yAxis;
  ucsAxes(xAxis, yAxis);
  return yAxis;
}

Acad::ErrorStatus AcDbDatabase::setUcs(const AcGePoint3d& origin, const AcGeVector3d& xAxis,
                                       const AcGeVector3d& yAxis) {
  if (!areAxes(xAxis, yAxis)) return Acad::eInvalidInput;
  auto point = [](double x, double y, double z) {
    return std::vector<std::pair<int, std::string>>{
        {10, DxfOutFiler::realText(x)}, {20, DxfOutFiler::realText(y)}, {30, DxfOutFiler::realText(z)}};
  };
  const AcGeVector3d x = xAxis.normal(), y = yAxis.normal();
  changeHeader().set("$UCSORG", point(origin.x, origin.y, origin.z));
  changeHeader().set("$UCSXDIR", point(x.x, x.y, x.z));
  changeHeader().set("$UCSYDIR", point(y.x, y.y, y.z));
  return Acad::eOk;
}

int AcDbDatabase::tilemode() const { return headerInt(m_impl->file, "$TILEMODE", 1) != 0 ? 1 : 0; }

void AcDbDatabase::setTilemode(int tilemode) {
  changeHeader().set("$TILEMODE", 70, tilemode != 0 ? "1" : "0");
}

AcDbObjectId AcDbDatabase::currentPaperLayout() const { return m_impl->currentPaperLayout; }

void AcDbDatabase::setCurrentPaperLayout(AcDbObjectId layout) {
  m_impl->undo.noteHeader();
  m_impl->currentPaperLayout = layout;
}

AcDbObjectId AcDbDatabase::layoutDictionaryId() const {
  AcDbObjectId id;
  if (const auto* named = residentObject<AcDbDictionary>(m_impl->namedObjects)) named->getAt(L"ACAD_LAYOUT", id);
  return id;
}

Adesk::UInt8 AcDbDatabase::sortEnts() const {
  return static_cast<Adesk::UInt8>(headerInt(m_impl->file, "$SORTENTS", 127));
}

void AcDbDatabase::setSortEnts(Adesk::UInt8 value) {
  changeHeader().set("$SORTENTS", 280, std::to_string(value));
}

std::wstring AcDbDatabase::fingerprintGuid() const {
  std::string guid = m_impl->file.header.value("$FINGERPRINTGUID");
  if (guid.empty()) {
    std::random_device random;
    char text[40];
    // A random (version 4) GUID, written as the host writes it.
    std::snprintf(text, sizeof text, "{%08X-%04X-4%03X-%04X-%04X%08X}", random(), random() & 0xFFFF, random() & 0xFFF,
                  (random() & 0x3FFF) | 0x8000, random() & 0xFFFF, random());
    guid = text;
    m_impl->file.header.set("$FINGERPRINTGUID", 2, guid);
  }
  return utf8ToWide(guid);
}

std::wstring AcDbDatabase::acadver() const { return utf8ToWide(m_impl->file.header.value("$ACADVER")); }

AcDbHandle AcDbDatabase::handseed() const { return m_impl->handles.seed(); }

bool AcDbDatabase::hasHandlesFor(size_t objects) const { return m_impl->handles.hasRoomFor(objects); }

AcDbObjectId AcDbDatabase::clayer() const {
  const AcDbObjectId id = recordOf(m_impl->layerTable, utf8ToWide(m_impl->file.header.value("$CLAYER")).c_str());
  return id.isNull() ? recordOf(m_impl->layerTable, L"0") : id;
}

Acad::ErrorStatus AcDbDatabase::setClayer(AcDbObjectId layer) {
  const auto* record = residentObject<AcDbLayerTableRecord>(layer);
  if (record == nullptr || layer.database() != this) return Acad::eInvalidInput;
  changeHeader().set("$CLAYER", 8, wideToUtf8(record->name()));
  return Acad::eOk;
}

AcDbObjectId AcDbDatabase::blockTableId() const { return m_impl->blockTable; }
AcDbObjectId AcDbDatabase::layerTableId() const { return m_impl->layerTable; }
AcDbObjectId AcDbDatabase::linetypeTableId() const { return m_impl->linetypeTable; }
AcDbObjectId AcDbDatabase::regAppTableId() const { return m_impl->regAppTable; }
AcDbObjectId AcDbDatabase::textStyleTableId() const { return m_impl->textStyleTable; }
AcDbObjectId AcDbDatabase::namedObjectsDictionaryId() const { return m_impl->namedObjects; }
AcDbObjectId AcDbDatabase::modelSpaceId() const { return m_impl->modelSpace; }
AcDbObjectId AcDbDatabase::paperSpaceId() const { return m_impl->paperSpace; }
AcDbObjectId AcDbDatabase::byLayerLinetype() const { return m_impl->byLayer; }
AcDbObjectId AcDbDatabase::byBlockLinetype() const { return m_impl->byBlock; }
AcDbObjectId AcDbDatabase::continuousLinetype() const { return m_impl->continuous; }

Acad::ErrorStatus AcDbDatabase::getBlockTable(AcDbBlockTable*& table, AcDb::OpenMode mode) {
  return openTable(table, blockTableId(), mode);
}
Acad::ErrorStatus AcDbDatabase::getLayerTable(AcDbLayerTable*& table, AcDb::OpenMode mode) {
  return openTable(table, layerTableId(), mode);
}
Acad::ErrorStatus AcDbDatabase::getLinetypeTable(AcDbLinetypeTable*& table, AcDb::OpenMode mode) {
  return openTable(table, linetypeTableId(), mode);
}
Acad::ErrorStatus AcDbDatabase::getRegAppTable(AcDbRegAppTable*& table, AcDb::OpenMode mode) {
  return openTable(table, regAppTableId(), mode);
}
Acad::ErrorStatus AcDbDatabase::getTextStyleTable(AcDbTextStyleTable*& table, AcDb::OpenMode mode) {
  return openTable(table, textStyleTableId(), mode);
}
Acad::ErrorStatus AcDbDatabase::getSymbolTable(AcDbBlockTable*& table, AcDb::OpenMode mode) {
  return getBlockTable(table, mode);
}
Acad::ErrorStatus AcDbDatabase::getSymbolTable(AcDbLayerTable*& table, AcDb::OpenMode mode) {
  return getLayerTable(table, mode);
}
Acad::ErrorStatus AcDbDatabase::getSymbolTable(AcDbLinetypeTable*& table, AcDb::OpenMode mode) {
  return getLinetypeTable(table, mode);
}
Acad::ErrorStatus AcDbDatabase::getSymbolTable(AcDbRegAppTable*& table, AcDb::OpenMode mode) {
  return getRegAppTable(table, mode);
}
Acad::ErrorStatus AcDbDatabase::getSymbolTable(AcDbTextStyleTable*& table, AcDb::OpenMode mode) {
  return getTextStyleTable(table, mode);
}
Acad::ErrorStatus AcDbDatabase::getNamedObjectsDictionary(AcDbDictionary*& dictionary, AcDb::OpenMode mode) {
  return acdbOpenObject(dictionary, namedObjectsDictionaryId(), mode);
}

Acad::ErrorStatus AcDbDatabase::getTableStyleDictionary(AcDbDictionary*& dictionary, AcDb::OpenMode mode) {
  dictionary = nullptr;
  AcDbObjectId standard;
  const Acad::ErrorStatus status = AcDbTableStyle::standardStyle(this, standard);
  if (status != Acad::eOk) return status;
  return acdbOpenObject(dictionary, residentObject<AcDbObject>(standard)->ownerId(), mode);
}

Acad::ErrorStatus AcDbDatabase::getAcDbObjectId(AcDbObjectId& id, bool createIfNotFound, const AcDbHandle& handle,
                                                Adesk::UInt32) {
  id.setNull();
  if (handle.isNull()) return Acad::eNullHandle;
  AcDbStub* stub = createIfNotFound ? m_impl->handles.findOrCreate(handle) : m_impl->handles.find(handle);
  if (stub == nullptr || (!createIfNotFound && !stub->object)) return Acad::eUnknownHandle;
  id = AcDbObjectId(stub);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::addAcDbObject(AcDbObject* object) {
  AcDbObjectId ignored;
  return addAcDbObject(ignored, object);
}

Acad::ErrorStatus AcDbDatabase::addAcDbObject(AcDbObjectId& id, AcDbObject* object) {
  if (object == nullptr) return Acad::eNullObjectPointer;
  if (object->database() != nullptr) return Acad::eInvalidInput;
  m_impl->undo.noteHandseed();
  AcDbStub* stub = m_impl->handles.createNew();
  if (stub == nullptr) return Acad::eNullHandle;
  m_impl->handles.attach(stub, std::unique_ptr<AcDbObject>(object));
  m_impl->undo.noteNew(*object);
  object->m_writer = true;
  object->m_modified = true;
  id = object->objectId();
  noteChange(id);
  const bool sectioned = object->isKindOf(AcDbEntity::desc()) || object->isKindOf(AcDbSymbolTableRecord::desc()) ||
                         object->isKindOf(AcDbSymbolTable::desc());
  if (!sectioned) {
    m_impl->undo.noteAppend(m_impl->file.objects);
    m_impl->file.objects.push_back(id);
  }
  return Acad::eOk;
}
