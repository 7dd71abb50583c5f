#include "DialogTemplate.h"

const wchar_t* controlKindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::Static: return L"static";
    case ControlKind::Group: return L"group";
    case ControlKind::Edit: return L"edit";
    case ControlKind::Button: return L"button";
    case ControlKind::DefaultButton: return L"default-button";
    case ControlKind::CheckBox: return L"checkbox";
    case ControlKind::Radio: return L"radio";
    case ControlKind::ComboBox: return L"combobox";
    case ControlKind::ListBox: return L"listbox";
    case ControlKind::ListCtrl: return L"listctrl";
    case ControlKind::TabCtrl: return L"tabctrl";
  }
  return L"control";
}
