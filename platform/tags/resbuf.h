// Result buffers: the linked lists that carry extended data, system
// variables and selection filters between the module and the host.
#pragma once

#include <memory>

#include "Acad.h"

struct ads_binary {
  Adesk::Int32 clen;
  char* buf;
};

union ads_u_val {
  ads_real rreal;
  ads_real rpoint[3];
  short rint;
  ACHAR* rstring;
  Adesk::Int32 rlong;
  Adesk::Int64 mnInt64;
  ads_name rlname;
  ads_binary rbinary;
};

struct resbuf {
  resbuf* rbnext;
  short restype;
  ads_u_val resval;
};

// A new buffer of the given type; strings and binary chunks start null.
resbuf* acutNewRb(int type);
// Frees the whole list, strings and binary chunks included.
int acutRelRb(resbuf* rb);
// Builds a list from (type, value) pairs ending with 0, as the host does:
// strings as const ACHAR*, reals as double, points as const double[3],
// 16-bit codes as int, 32-bit codes as Adesk::Int32, binary chunks as
// (const ads_binary*).
resbuf* acutBuildList(int type, ...);
// Deep copy of a list.
resbuf* acutDuplicateRb(const resbuf* rb);

// The owner of a list (from acutBuildList, acutNewRb, acutDuplicateRb or the
// host): frees it with acutRelRb on every way out.
struct AcResBufDeleter {
  void operator()(resbuf* rb) const { acutRelRb(rb); }
};
using AcResBufPtr = std::unique_ptr<resbuf, AcResBufDeleter>;
