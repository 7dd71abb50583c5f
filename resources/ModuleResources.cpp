#include "resources/ModuleResources.h"

#include "MessageBox.h"
#include "resources/resource.h"

namespace {

ControlTemplate label(const wchar_t* text, int id = IDC_STATIC) { return {id, ControlKind::Static, text}; }
ControlTemplate group(const wchar_t* text) { return {IDC_STATIC, ControlKind::Group, text}; }
ControlTemplate edit(int id) { return {id, ControlKind::Edit, L""}; }

DialogTemplate preferencesDialog() {
  return {IDD_PREFERENCES,
          L"Block Editing Suite - Preferences",
          {
              group(L"Blocks"),
              group(L"Area Settings"),
              label(L"Measurements are in:"),
              {IDC_UNITS_METRES, ControlKind::Radio, L"m", true},
              {IDC_UNITS_FEET, ControlKind::Radio, L"ft"},
              label(L"Area precision is to"),
              edit(IDC_PRECISION),
              label(L"decimal places."),
              label(L"NB precision only affects newly created areas"),
              group(L"Formatting"),
              group(L"Default Text"),
              label(L"Size"),
              label(L"Scale"),
              label(L"Rotation"),
              edit(IDC_TEXT_SIZE),
              edit(IDC_TEXT_SCALE),
              edit(IDC_TEXT_ROTATION),
              label(L"Zoom  Border", IDC_ZOOM_BORDER_LABEL),
              edit(IDC_ZOOM_BORDER),
              group(L"Export Details to CSV file"),
              label(L"Open CSV file with"),
              edit(IDC_CSV_OPENER),
              {IDOK, ControlKind::DefaultButton, L"OK"},
          },
          {{0, L"&Help", {{ID_HELP_ABOUT, L"&About", {}}}}}};
}

DialogTemplate aboutDialog() {
  return {IDD_ABOUT,
          L"About - Spatiary",
          {
              label(L"Spatiary - space planning for CAD"),
              label(L"VKT Version"),
              label(L"", IDC_ABOUT_VERSION),
              label(L"Compile Date"),
              label(L"", IDC_ABOUT_DATE),
              label(L"CAD Version"),
              label(L"", IDC_ABOUT_CAD_VERSION),
              {IDOK, ControlKind::DefaultButton, L"OK"},
          },
          {}};
}

ResourceTable buildTable() {
  ResourceTable table;
  table.addDialog(preferencesDialog());
  table.addDialog(aboutDialog());
  return table;
}

}  // namespace

HINSTANCE CModuleResources::instance() {
  static const ResourceTable table = buildTable();
  return &table;
}
