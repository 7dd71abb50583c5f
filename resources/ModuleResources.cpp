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

// Menu 215, shared by the space creator and the space editor.
std::vector<MenuItemTemplate> blockMenu() {
  return {{0, L"&File", {{ID_FILE_EXIT, L"E&xit", {}}}},
          {0, L"&Tools", {{ID_TOOLS_OPTIONS, L"&Options", {}}}},
          {0, L"&Help", {{ID_HELP_ABOUT, L"&About", {}}}}};
}

DialogTemplate blockCreationDialog() {
  ControlTemplate addArea{IDC_ADD_AREA, ControlKind::Button, L"Add Area"};
  ControlTemplate subArea{IDC_SUB_AREA, ControlKind::Button, L"Sub Area"};
  addArea.visible = subArea.visible = false;
  return {IDD_BLOCK_CREATION,
          L"Zelph Block Creator",
          {
              label(L"Next Space Name"),
              edit(IDC_NEXT_SPACE_NAME),
              {IDC_START, ControlKind::Button, L"Start"},
              {IDCANCEL, ControlKind::Button, L"Close"},
              label(L"Text Size"),
              edit(IDC_TEXT_SIZE),
              label(L"Scale"),
              edit(IDC_TEXT_SCALE),
              label(L"Rotation"),
              edit(IDC_TEXT_ROTATION),
              addArea,
              subArea,
          },
          blockMenu()};
}

ResourceTable buildTable() {
  ResourceTable table;
  table.addDialog(preferencesDialog());
  table.addDialog(aboutDialog());
  table.addDialog(blockCreationDialog());
  return table;
}

}  // namespace

HINSTANCE CModuleResources::instance() {
  static const ResourceTable table = buildTable();
  return &table;
}
