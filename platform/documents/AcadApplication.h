// The host's automation application object: visibility, the active
// document and the zooms of its view.  Zooms, regenerations and closes
// are recorded on the documents, where tests and the console's `views`
// command see them.
#pragma once

#include "OleAuto.h"

class AcApDocument;

class AcadApplication : public IDispatch {
 public:
  // Dispatch ids of the members.
  enum : DISPID { kVisible = 1, kActiveDocument = 5, kZoomExtents = 36, kZoomWindow = 40, kZoomPrevious = 43 };

  static AcadApplication& instance();

  // The one application lives as long as the host: counting does not free it.
  unsigned long AddRef() override;
  unsigned long Release() override;
  HRESULT Invoke(DISPID member, const IID& riid, LCID locale, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                 EXCEPINFO* exception, unsigned int* argumentError) override;

  bool visible() const { return m_visible; }

 private:
  AcadApplication() = default;
  HRESULT zoom(const wchar_t* operation, const DISPPARAMS& parameters, unsigned int arguments);
  HRESULT zoomWindow(const DISPPARAMS& parameters);
  HRESULT activeDocument(VARIANT* result);
  HRESULT visibility(WORD flags, const DISPPARAMS& parameters, VARIANT* result);

  bool m_visible = false;
};

// The application object, with one more reference when addRef is set.
IDispatch* AcadGetIDispatch(bool addRef);
