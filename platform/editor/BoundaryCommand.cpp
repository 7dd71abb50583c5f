#include "BoundaryCommand.h"

#include <memory>

#include "AcDbHostApplicationServices.h"
#include "BoundaryOutlines.h"
#include "aced.h"
#include "acutads.h"

namespace {

const ACHAR* const kOptions = L"Layers Ignore Gap Islands Window";

void showSettings(const BoundaryOptions& options) {
  acutPrintf(L"Current settings: layers \"%s\", left out \"%s\", gap tolerance %g, islands %s.\n",
             options.layers.c_str(), options.ignored.c_str(), options.gapTolerance,
             options.islands ? L"Yes" : L"No");
}

// A text option: Enter keeps it, "-" empties it.
void askText(const ACHAR* prompt, std::wstring& value) {
  ACHAR reply[512] = {};
  const std::wstring question = std::wstring(L"\n") + prompt + L" <" + value + L">: ";
  if (acedGetString(1, question.c_str(), reply, 512) != RTNORM || reply[0] == 0) return;
  value = std::wstring(reply) == L"-" ? L"" : reply;
}

void askGap(double& gap) {
  for (;;) {
    ads_real reply = gap;
    const std::wstring question = L"\nGap tolerance (widest opening to close) <" + std::to_wstring(gap) + L">: ";
    const int status = acedGetReal(question.c_str(), &reply);
    if (status != RTNORM) return;
    if (reply >= 0.0) {
      gap = reply;
      return;
    }
    acutPrintf(L"The gap tolerance cannot be negative.\n");
  }
}

void askIslands(bool& islands) {
  acedInitGet(0, L"Yes No");
  ACHAR reply[16] = {};
  const std::wstring question = std::wstring(L"\nMake islands too? [Yes/No] <") + (islands ? L"Yes" : L"No") + L">: ";
  if (acedGetKword(question.c_str(), reply, 16) == RTNORM) islands = std::wstring(reply) == L"Yes";
}

// The session's options, changed by a keyword.
void changeOption(const std::wstring& keyword, BoundaryOptions& options) {
  if (keyword == L"Layers")
    askText(L"Layers that count", options.layers);
  else if (keyword == L"Ignore")
    askText(L"Layers left out (door swings, furniture; - for none)", options.ignored);
  else if (keyword == L"Gap")
    askGap(options.gapTolerance);
  else if (keyword == L"Islands")
    askIslands(options.islands);
  if (options.layers.empty()) options.layers = L"*";
}

size_t outlineWindow(BoundaryOutlines& outlines) {
  ads_point first, second;
  if (acedGetPoint(nullptr, L"\nFirst corner: ", first) != RTNORM) return 0;
  if (acedGetPoint(first, L"\nOther corner: ", second) != RTNORM) return 0;
  const size_t made = outlines.within({first[X], first[Y]}, {second[X], second[Y]});
  if (made == 0) acutPrintf(L"No enclosed region lies wholly inside the window.\n");
  return made;
}

}  // namespace

void BoundaryCommand::run() {
  AcDbDatabase* database = acdbHostApplicationServices()->workingDatabase();
  if (database == nullptr) return;
  BoundaryOptions& options = BoundaryOptions::current();
  showSettings(options);
  std::unique_ptr<BoundaryOutlines> outlines;
  size_t made = 0;
  for (;;) {
    acedInitGet(0, kOptions);
    ads_point point;
    const int status =
        acedGetPoint(nullptr, L"\nPick internal point or [Layers/Ignore/Gap/Islands/Window]: ", point);
    if (status == RTKWORD) {
      ACHAR keyword[32] = {};
      acedGetInput(keyword, 32);
      if (std::wstring(keyword) == L"Window") {
        if (!outlines) outlines = std::make_unique<BoundaryOutlines>(*database, options);
        made += outlineWindow(*outlines);
      } else {
        changeOption(keyword, options);
        showSettings(options);
        outlines.reset();
      }
      continue;
    }
    if (status != RTNORM) break;
    // The linework is read once; the outlines made lie on it already.
    if (!outlines) outlines = std::make_unique<BoundaryOutlines>(*database, options);
    if (!outlines->around({point[X], point[Y]}).isNull()) {
      ++made;
    } else {
      acutPrintf(L"No closed region around %g,%g.%s\n", point[X], point[Y],
                 options.gapTolerance > 0.0 ? L"" : L" Openings stay open; the Gap option closes them.");
    }
  }
  acutPrintf(L"%i boundary polyline(s) made.\n", static_cast<int>(made));
}
