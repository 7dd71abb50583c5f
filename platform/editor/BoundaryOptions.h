// The boundary command's options, kept for the session as CAD programs
// keep a command's last answers; picks that make a boundary use them too.
#pragma once
#include <string>

struct BoundaryOptions {
  std::wstring layers = L"*";  // wild-card patterns of the layers that count
  std::wstring ignored;        // layers left out: door swings, furniture
  double gapTolerance = 0.0;   // openings up to this width are closed
  bool islands = false;        // make the outlines of islands too

  static BoundaryOptions& current();
};
