// The About box: module version, build date and the CAD version.
#pragma once

#include "CDialog.h"

class CPresAbout : public CDialog {
 public:
  CPresAbout();

 protected:
  BOOL OnInitDialog() override;
};
