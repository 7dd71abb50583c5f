#include "host/AcadDrawing.h"

#include <ctime>
#include <cwchar>
#include <filesystem>
#include <vector>

#include "AcApDocManager.h"
#include "AcadApplication.h"
#include "OleAuto.h"
#include "dbmain.h"
#include "support/FileUtilities.h"
#include "support/Preferences.h"
#include "support/PreferencesTavik.h"
#include "support/TextCase.h"
#include "support/Utilities.h"
#include "support/ZelphExceptions.h"

namespace {

// Members of the host's automation objects (AcadApplication, AcadDocument).
constexpr DISPID kVisible = 1;
constexpr DISPID kActiveDocument = 5;
constexpr DISPID kZoomExtents = 36;
constexpr DISPID kZoomWindow = 40;
constexpr DISPID kZoomPrevious = 43;
constexpr DISPID kRegen = 54;
constexpr DISPID kClose = 58;
constexpr Adesk::Int32 kAllViewports = 1;

struct ReleaseDispatch {
  void operator()(IDispatch* object) const { object->Release(); }
};
using DispatchPointer = std::unique_ptr<IDispatch, ReleaseDispatch>;

// Owns the variants of one call, in call order.
class Arguments {
 public:
  Arguments() = default;
  Arguments(const Arguments&) = delete;
  Arguments& operator=(const Arguments&) = delete;
  ~Arguments() {
    for (VARIANT& argument : m_variants) VariantClear(&argument);
  }
  Arguments& boolean(bool value) {
    VARIANT& argument = next(VT_BOOL);
    argument.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return *this;
  }
  Arguments& integer(Adesk::Int32 value) {
    next(VT_I4).lVal = value;
    return *this;
  }
  Arguments& missing() {
    next(VT_ERROR).scode = DISP_E_PARAMNOTFOUND;
    return *this;
  }
  Arguments& point(const AcGePoint3d& point) {
    VARIANT& argument = next(VT_ARRAY | VT_R8);
    argument.parray = SafeArrayCreateVector(VT_R8, 0, 3);
    void* data = nullptr;
    SafeArrayAccessData(argument.parray, &data);
    double* xyz = static_cast<double*>(data);
    xyz[0] = point.x;
    xyz[1] = point.y;
    xyz[2] = point.z;
    SafeArrayUnaccessData(argument.parray);
    return *this;
  }
  // COM takes them last first.
  DISPPARAMS parameters() {
    m_reversed.assign(m_variants.rbegin(), m_variants.rend());
    DISPPARAMS parameters;
    parameters.rgvarg = m_reversed.empty() ? nullptr : m_reversed.data();
    parameters.cArgs = static_cast<unsigned int>(m_reversed.size());
    return parameters;
  }

 private:
  VARIANT& next(VARTYPE type) {
    m_variants.emplace_back();
    VariantInit(&m_variants.back());
    m_variants.back().vt = type;
    return m_variants.back();
  }
  std::vector<VARIANT> m_variants;
  std::vector<VARIANT> m_reversed;
};

HRESULT callMethod(IDispatch* object, DISPID member, Arguments& arguments) {
  DISPPARAMS parameters = arguments.parameters();
  return object->Invoke(member, IID_NULL, 0, DISPATCH_METHOD, &parameters, nullptr, nullptr, nullptr);
}

// Every view operation shows the application first.
IDispatch* visibleApplication() {
  IDispatch* application = AcadGetIDispatch(false);
  Arguments value;
  value.boolean(true);
  DISPPARAMS parameters = value.parameters();
  DISPID named = DISPID_PROPERTYPUT;
  parameters.rgdispidNamedArgs = &named;
  parameters.cNamedArgs = 1;
  application->Invoke(kVisible, IID_NULL, 0, DISPATCH_PROPERTYPUT, &parameters, nullptr, nullptr, nullptr);
  return application;
}

DispatchPointer activeDocument(IDispatch* application) {
  VARIANT result;
  VariantInit(&result);
  DISPPARAMS none;
  if (FAILED(application->Invoke(kActiveDocument, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result, nullptr,
                                 nullptr)) ||
      result.vt != VT_DISPATCH) {
    VariantClear(&result);
    return nullptr;
  }
  return DispatchPointer(result.pdispVal);
}

void applicationMethod(DISPID member, Arguments& arguments) { callMethod(visibleApplication(), member, arguments); }

bool documentMethod(DISPID member, Arguments& arguments) {
  const DispatchPointer document = activeDocument(visibleApplication());
  return document != nullptr && SUCCEEDED(callMethod(document.get(), member, arguments));
}

// Our drawings are DXF files; either kind of drawing gets the same copy extension.
std::wstring drawingExtension(const std::wstring& name) {
  const std::wstring trimmed = CUtilities::trim(name);
  if (trimmed.size() >= 4) {
    const std::wstring ending = trimmed.substr(trimmed.size() - 4);
    const std::wstring lower = CTextCase::lower(ending);
    if (lower == L".dwg" || lower == L".dxf") return ending;
  }
  return L".dwg";
}

std::wstring timeStamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  wchar_t text[64] = {};
  std::wcsftime(text, sizeof text / sizeof text[0], L"%Y%m%d%Hh%M%S_", &local);
  return text;
}

std::wstring folderOf(const std::wstring& path) {
  const size_t separator = path.find_last_of(L"/\\");
  return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator + 1);
}

}  // namespace

CAcadDrawing::CAcadDrawing() {}

CAcadDrawing::CAcadDrawing(const std::wstring& folder, const std::wstring& name) : m_folder(folder), m_name(name) {
  ZELPH_TRY
    CFileUtilities::checkPathSyntax(m_folder);
    CFileUtilities::checkFilenameSyntax(m_name, true);
    openDrawing();
  ZELPH_CATCH(L"CAcadDrawing::CAcadDrawing")
}

CAcadDrawing::~CAcadDrawing() {
  try {
    if (m_document != nullptr) {
      // Whatever the depth: nobody can unlock through this session any more.
      if (m_locked) release();
      if (!m_currentDocument && acDocManager->isOpen(m_document)) {
        if (m_saveOnClose) saveAndClose();
        else closeDrawing();
      }
    }
    m_tempFiles.deleteTempFiles();
  } catch (...) {
    zelphReportCommandFailure(L"CAcadDrawing::~CAcadDrawing");
  }
}

int CAcadDrawing::bindCurrentDocument() {
  ZELPH_TRY
    AcApDocument* document = acDocManager->curDocument();
    if (document == nullptr) return 0;
    bind(document, 1);
    return 1;
  ZELPH_CATCH(L"CAcadDrawing::bindCurrentDocument")
}

void CAcadDrawing::openDrawing() {
  ZELPH_TRY
    const std::wstring path = m_folder + m_name;
    ZELPH_CHECK_STATUS(acDocManager->appContextOpenDocument(path.c_str()), L"CAcadDrawing::openDrawing", m_name);
    bind(acDocManager->curDocument(), 0);
  ZELPH_CATCH(L"CAcadDrawing::openDrawing")
}

void CAcadDrawing::bind(AcApDocument* document, int currentDocument) {
  m_document = document;
  m_open = 1;
  m_currentDocument = currentDocument;
  m_locked = 0;
  m_depth = 0;
  const std::wstring path = document->fileName();
  m_name = document->docTitle();
  if (!path.empty()) m_folder = folderOf(path);
}

void CAcadDrawing::unbind() {
  m_document = nullptr;
  m_open = 0;
  m_locked = 0;
  m_depth = 0;
}

AcDbDatabase* CAcadDrawing::getDatabase() const { return m_document != nullptr ? m_document->database() : nullptr; }

Acad::ErrorStatus CAcadDrawing::lock() {
  ZELPH_TRY
    if (m_locked) {
      ++m_depth;
      return Acad::eOk;
    }
    const Acad::ErrorStatus status = acDocManager->lockDocument(m_document, AcAp::kWrite, nullptr, nullptr, true);
    if (status == Acad::eOk) {
      m_locked = 1;
      m_depth = 1;
    }
    return status;
  ZELPH_CATCH(L"CAcadDrawing::lock")
}

Acad::ErrorStatus CAcadDrawing::unlock(bool force) {
  ZELPH_TRY
    // Never give back a lock someone else holds.
    if (!m_locked) return Acad::eNotApplicable;
    if (!force && m_depth > 1) {
      --m_depth;
      return kStillLocked;
    }
    return release();
  ZELPH_CATCH(L"CAcadDrawing::unlock")
}

Acad::ErrorStatus CAcadDrawing::release() {
  const Acad::ErrorStatus status = acDocManager->unlockDocument(m_document);
  if (status == Acad::eOk) {
    m_locked = 0;
    m_depth = 0;
  }
  return status;
}

Acad::ErrorStatus CAcadDrawing::postToDrawing(std::unique_ptr<AcDbEntity>& entity, AcDbObjectId& id) {
  ZELPH_TRY
    if (entity == nullptr) return Acad::eNullEntityPointer;
    const Acad::ErrorStatus locked = lock();
    if (locked != Acad::eOk) return locked;
    Acad::ErrorStatus status = Acad::eOk;
    {
      const AcDbObjectPointer<AcDbBlockTableRecord> modelSpace(getDatabase()->modelSpaceId(), AcDb::kForWrite);
      status = modelSpace.openStatus();
      if (modelSpace) {
        const AcDbEntityPointer added(std::move(entity));
        status = modelSpace->appendAcDbEntity(id, added.object());
      }
    }
    unlock();
    if (status != Acad::eOk) entity.reset();
    ZELPH_CHECK_STATUS(status, L"CAcadDrawing::postToDrawing", m_name);
    return Acad::eOk;
  ZELPH_CATCH(L"CAcadDrawing::postToDrawing")
}

int CAcadDrawing::regenDrawing() {
  ZELPH_TRY
    Arguments arguments;
    arguments.integer(kAllViewports);
    documentMethod(kRegen, arguments);
    return 1;
  ZELPH_CATCH(L"CAcadDrawing::regenDrawing")
}

void CAcadDrawing::zoomExtents() {
  ZELPH_TRY
    Arguments none;
    applicationMethod(kZoomExtents, none);
  ZELPH_CATCH(L"CAcadDrawing::zoomExtents")
}

void CAcadDrawing::zoomPrevious() {
  ZELPH_TRY
    Arguments none;
    applicationMethod(kZoomPrevious, none);
  ZELPH_CATCH(L"CAcadDrawing::zoomPrevious")
}

void CAcadDrawing::zoomWindow(const AcGePoint3d& lowerLeft, const AcGePoint3d& upperRight) {
  ZELPH_TRY
    Arguments corners;
    corners.point(lowerLeft).point(upperRight);
    applicationMethod(kZoomWindow, corners);
  ZELPH_CATCH(L"CAcadDrawing::zoomWindow")
}

int CAcadDrawing::closeDrawing() {
  ZELPH_TRY
    // The host closes its active document: make it the bound one first.
    if (m_document == nullptr || acDocManager->activateDocument(m_document) != Acad::eOk) return 0;
    Arguments arguments;
    arguments.boolean(false).missing();
    if (!documentMethod(kClose, arguments)) return 0;
    unbind();
    return 1;
  ZELPH_CATCH(L"CAcadDrawing::closeDrawing")
}

std::wstring CAcadDrawing::temporaryCopyFolder() const {
  const CPreferencesTavik& servers = CPreferencesTavik::moduleList();
  if (servers.count() > 0 && servers.getAt(0) != nullptr && !servers.getAt(0)->folder.empty())
    return servers.getAt(0)->folder;
  // Without working folders (no shared application-data folder) the copy goes beside the drawing.
  return CPreferences::temporaryFolder().empty() ? m_folder : CPreferences::temporaryFolder();
}

std::wstring CAcadDrawing::saveAsTemp() {
  ZELPH_TRY
    std::wstring folder = temporaryCopyFolder();
    CFileUtilities::checkPathSyntax(folder);
    if (!folder.empty()) CFileUtilities::ensureDirectoryExists(folder);
    const std::wstring path =
        folder + timeStamp() + CFileUtilities::swapFileExtension(m_name, drawingExtension(m_name), L".vkt");
    if (m_document != nullptr)
      ZELPH_CHECK_STATUS(getDatabase()->saveAs(path.c_str()), L"CAcadDrawing::saveAsTemp", m_name);
    m_tempFiles.add(path);
    return path;
  ZELPH_CATCH(L"CAcadDrawing::saveAsTemp")
}

void CAcadDrawing::saveAndClose() {
  const std::wstring copy = saveAsTemp();
  const std::wstring target = m_folder + m_name;
  if (!closeDrawing()) return;
  std::error_code error;
  std::filesystem::copy_file(CFileUtilities::nativePath(copy), CFileUtilities::nativePath(target),
                             std::filesystem::copy_options::overwrite_existing, error);
  if (error)
    throw new CEXUnhandled(ZELPH_BANNER, ZELPH_SOURCE, L"CAcadDrawing::~CAcadDrawing",
                           L"Cannot copy " + copy + L" over " + target, 0);
}
