// Message boxes.  The host shows them on its console as a block headed by
// the caption.  A person answers at a prompt; a script by an '@' line that
// follows (@yes, @no, @cancel, @ok or a button's text), else the box takes
// its default button and says so.  A box with the error or warning icon
// counts as a failure of the run.
#pragma once

#include "Acad.h"

typedef void* HWND;

enum : UINT {
  MB_OK = 0x0,
  MB_OKCANCEL = 0x1,
  MB_YESNOCANCEL = 0x3,
  MB_YESNO = 0x4,
  MB_ICONERROR = 0x10,
  MB_ICONSTOP = 0x10,
  MB_ICONQUESTION = 0x20,
  MB_ICONWARNING = 0x30,
  MB_ICONEXCLAMATION = 0x30,
  MB_ICONINFORMATION = 0x40,
  MB_DEFBUTTON1 = 0x0,
  MB_DEFBUTTON2 = 0x100,
  MB_DEFBUTTON3 = 0x200,
  MB_DEFMASK = 0xF00,
};

enum : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

int MessageBoxW(HWND owner, const ACHAR* text, const ACHAR* caption, UINT type);
#define MessageBox MessageBoxW
// Caption is the host product's name.
int AfxMessageBox(const ACHAR* text, UINT type = MB_OK);
