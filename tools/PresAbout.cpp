#include "tools/PresAbout.h"

#include "resources/VersionRecord.h"
#include "resources/resource.h"

CPresAbout::CPresAbout() : CDialog(IDD_ABOUT) {}

BOOL CPresAbout::OnInitDialog() {
  CDialog::OnInitDialog();
  SetDlgItemText(IDC_ABOUT_VERSION, CVersionRecord::moduleVersion());
  SetDlgItemText(IDC_ABOUT_DATE, CVersionRecord::buildDate());
  SetDlgItemText(IDC_ABOUT_CAD_VERSION, CVersionRecord::cadVersion());
  return TRUE;
}
