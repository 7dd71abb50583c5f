// Dialog templates: what a module's resources say a dialog holds.
#pragma once

#include <string>
#include <vector>

#include "Acad.h"

enum class ControlKind { Static, Group, Edit, Button, DefaultButton, CheckBox, Radio, ComboBox, ListBox, ListCtrl, TabCtrl };

// The kind's name on the console: "edit", "radio", "default-button" ...
const wchar_t* controlKindName(ControlKind kind);

constexpr int IDC_STATIC = -1;

struct ControlTemplate {
  int id;
  ControlKind kind;
  std::wstring text;
  // Starts a new group of radio buttons (the first radio of each group).
  bool group = false;
  bool visible = true;
  bool enabled = true;
  // A list or combo box that keeps its items in alphabetical order.
  bool sorted = false;
};

struct MenuItemTemplate {
  UINT id;  // 0 for a pop-up that holds items
  std::wstring text;
  std::vector<MenuItemTemplate> items;
};

struct DialogTemplate {
  UINT id;
  std::wstring caption;
  std::vector<ControlTemplate> controls;
  std::vector<MenuItemTemplate> menu;
  // A page that lives inside another dialog (a tab page): it takes that
  // dialog's input lines and closes with it.
  bool child = false;
};
