#include "resources/ModuleResources.h"

#include "AcApDocManager.h"
#include "MessageBox.h"
#include "resources/resource.h"

namespace {

ControlTemplate label(const wchar_t* text, int id = IDC_STATIC) { return {id, ControlKind::Static, text}; }
ControlTemplate group(const wchar_t* text) { return {IDC_STATIC, ControlKind::Group, text}; }
ControlTemplate edit(int id) { return {id, ControlKind::Edit, L""}; }
ControlTemplate button(int id, const wchar_t* text) { return {id, ControlKind::Button, text}; }
ControlTemplate hidden(ControlTemplate control) {
  control.visible = false;
  return control;
}

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

DialogTemplate blockEditDialog() {
  ControlTemplate list{IDC_EDIT_LIST, ControlKind::ListBox, L""};
  list.sorted = true;
  return {IDD_BLOCK_EDIT,
          L"Zelph Block Editor",
          {
              label(L"Drawing Name", IDC_EDIT_DRAWING_NAME),
              {IDC_EDIT_KIND, ControlKind::ComboBox, L""},
              button(IDC_EDIT_SELECT, L"Select Space"),
              list,
              button(IDC_EDIT_CLOSE, L"Close"),
              label(L"X blocks found", IDC_EDIT_COUNT),
          },
          blockMenu()};
}

DialogTemplate spaceSheet() {
  return {IDD_SPACE_SHEET,
          L"RoomBlock",
          {
              {IDC_SHEET_TABS, ControlKind::TabCtrl, L""},
              button(IDC_SHEET_APPLY, L"Apply"),
              button(IDC_SHEET_CANCEL, L"Cancel"),
              {IDOK, ControlKind::DefaultButton, L"OK"},
              hidden(button(IDC_SHEET_RESET, L"Reset")),
          },
          {}};
}

DialogTemplate spaceDataPage() {
  DialogTemplate page{IDD_TAB_DATA,
                      L"",
                      {
                          group(L"Space Details"),
                          label(L"Name"),
                          edit(IDC_DATA_NAME),
                          label(L"Area"),
                          edit(IDC_DATA_AREA_TEXT),
                          label(L"Aux"),
                          edit(IDC_DATA_AUX),
                          label(L"Handle", IDC_DATA_HANDLE_LABEL),
                          label(L"", IDC_DATA_HANDLE),
                          label(L"Assets", IDC_DATA_ASSETS_LABEL),
                          label(L"", IDC_DATA_ASSETS),
                          label(L"Area"),
                          edit(IDC_DATA_AREA),
                          label(L"unit\u00B2", IDC_DATA_AREA_UNIT),
                          button(IDC_DATA_AREA_RECALC, L"recalc"),
                          button(IDC_DATA_AREA_COPY, L"^"),
                          label(L"Perimeter"),
                          edit(IDC_DATA_PERIMETER),
                          label(L"unit", IDC_DATA_LENGTH_UNIT),
                          button(IDC_DATA_PERIMETER_RECALC, L"recalc"),
                          button(IDC_DATA_PERIMETER_COPY, L"^"),
                          group(L"Additional Areas"),
                          button(IDC_DATA_ADD_SET, L"set"),
                          button(IDC_DATA_ADD_DELETE, L"delete"),
                          button(IDC_DATA_ADD_HIGHLIGHT, L"highlight"),
                          group(L"Subtracted Areas"),
                          button(IDC_DATA_SUB_SET, L"set"),
                          button(IDC_DATA_SUB_DELETE, L"delete"),
                          button(IDC_DATA_SUB_HIGHLIGHT, L"highlight"),
                          hidden(label(L"Height")),
                          hidden(edit(IDC_DATA_HEIGHT)),
                          hidden(label(L"Volume")),
                          hidden(edit(IDC_DATA_VOLUME)),
                      },
                      {}};
  page.child = true;
  return page;
}

DialogTemplate formatPage() {
  DialogTemplate page{IDD_TAB_FORMAT,
                      L"",
                      {
                          group(L"Attribute Format"),
                          label(L"Height"),
                          edit(IDC_FORMAT_HEIGHT),
                          label(L"Width Factor"),
                          edit(IDC_FORMAT_WIDTH_FACTOR),
                          label(L"Rotation"),
                          edit(IDC_FORMAT_ROTATION),
                          label(L"(in degrees)"),
                          button(IDC_FORMAT_MOVE, L"Move Attributes"),
                      },
                      {}};
  page.child = true;
  return page;
}

DialogTemplate hyperlinkDialog() {
  DialogTemplate dialog{IDD_HYPERLINK,
                        L"Zelph Block Hyperlinking",
                        {
                            label(L"Name"),
                            label(L"Block not Selected", IDC_LINK_BLOCK_NAME),
                            label(L"Handle"),
                            label(L"Block not Selected", IDC_LINK_BLOCK_HANDLE),
                            label(L"Hyperlink"),
                            label(L"Description"),
                        },
                        {}};
  const int rows[][2] = {{IDC_LINK_ADDRESS_1, IDC_LINK_DESCRIPTION_1}, {IDC_LINK_ADDRESS_2, IDC_LINK_DESCRIPTION_2},
                         {IDC_LINK_ADDRESS_3, IDC_LINK_DESCRIPTION_3}, {IDC_LINK_ADDRESS_4, IDC_LINK_DESCRIPTION_4},
                         {IDC_LINK_ADDRESS_5, IDC_LINK_DESCRIPTION_5}};
  for (const auto& row : rows) {
    dialog.controls.push_back(edit(row[0]));
    dialog.controls.push_back(edit(row[1]));
  }
  dialog.controls.insert(dialog.controls.end(),
                         {button(IDC_LINK_SELECT, L"Select Block"),
                          {IDC_LINK_ALL, ControlKind::CheckBox, L"Apply changes to all similar blocks"},
                          {IDOK, ControlKind::DefaultButton, L"OK"},
                          button(IDC_LINK_APPLY, L"Apply"),
                          button(IDC_LINK_CANCEL, L"Cancel")});
  return dialog;
}

ResourceTable buildTable() {
  ResourceTable table;
  table.addDialog(preferencesDialog());
  table.addDialog(aboutDialog());
  table.addDialog(blockCreationDialog());
  table.addDialog(blockEditDialog());
  table.addDialog(spaceSheet());
  table.addDialog(spaceDataPage());
  table.addDialog(formatPage());
  table.addDialog(hyperlinkDialog());
  return table;
}

}  // namespace

HINSTANCE CModuleResources::instance() {
  static const ResourceTable table = buildTable();
  return &table;
}

CModuleResources::Scope::Scope() { acDocManager->pushResourceHandle(instance()); }

CModuleResources::Scope::~Scope() { acDocManager->popResourceHandle(); }
