#include "DxfCodeTable.h"

namespace {

struct Range {
  int first;
  int last;
  DxfValueKind kind;
};

// Points are named by their x code; the y and z codes are plain reals.
constexpr Range kRanges[] = {
    {-5, -1, DxfValueKind::String},   {0, 9, DxfValueKind::String},      {10, 18, DxfValueKind::Point},
    {19, 59, DxfValueKind::Double},   {60, 79, DxfValueKind::Int16},     {90, 99, DxfValueKind::Int32},
    {100, 102, DxfValueKind::String}, {105, 105, DxfValueKind::Handle},  {110, 112, DxfValueKind::Point},
    {113, 149, DxfValueKind::Double}, {160, 169, DxfValueKind::Int64},   {170, 179, DxfValueKind::Int16},
    {210, 210, DxfValueKind::Point},  {211, 239, DxfValueKind::Double},  {270, 289, DxfValueKind::Int16},
    {290, 299, DxfValueKind::Int16},  {300, 309, DxfValueKind::String},  {310, 319, DxfValueKind::Binary},
    {320, 369, DxfValueKind::Handle}, {370, 389, DxfValueKind::Int16},   {390, 399, DxfValueKind::Handle},
    {400, 409, DxfValueKind::Int16},  {410, 419, DxfValueKind::String},  {420, 429, DxfValueKind::Int32},
    {430, 439, DxfValueKind::String}, {440, 449, DxfValueKind::Int32},   {450, 459, DxfValueKind::Int32},
    {460, 469, DxfValueKind::Double}, {470, 479, DxfValueKind::String},  {480, 481, DxfValueKind::Handle},
    {999, 1003, DxfValueKind::String}, {1004, 1004, DxfValueKind::Binary}, {1005, 1005, DxfValueKind::Handle},
    {1006, 1009, DxfValueKind::String}, {1010, 1013, DxfValueKind::Point}, {1014, 1059, DxfValueKind::Double},
    {1060, 1070, DxfValueKind::Int16}, {1071, 1071, DxfValueKind::Int32},
};

constexpr int kFirstCode = -5, kLastCode = 1071;

// The ranges spread out a kind for each code: every tag read asks.
struct KindByCode {
  DxfValueKind kinds[kLastCode - kFirstCode + 1];
  constexpr KindByCode() : kinds() {
    for (DxfValueKind& kind : kinds) kind = DxfValueKind::Invalid;
    for (const Range& range : kRanges)
      for (int code = range.first; code <= range.last; ++code) kinds[code - kFirstCode] = range.kind;
  }
};
constexpr KindByCode kKindByCode;

}  // namespace

DxfValueKind DxfCodeTable::kind(int code) {
  return code < kFirstCode || code > kLastCode ? DxfValueKind::Invalid : kKindByCode.kinds[code - kFirstCode];
}
