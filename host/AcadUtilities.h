// Questions on the host's command line, all of the same shape: the prompt,
// the default in angle brackets, and the value taken echoed back.
#pragma once

#include <string>

#include "AcDbHandle.h"
#include "AcDbObjectId.h"

class CAcadUtilities {
 public:
  virtual ~CAcadUtilities();

  // The reply "1", "t" ... "yes" is true; Enter keeps the default.
  static void getBoolean(const std::wstring& prompt, bool defaultValue, bool& value);
  static void getDouble(const std::wstring& prompt, double defaultValue, int decimals, double& value);
  static void getInteger(const std::wstring& prompt, int defaultValue, int& value);
  // Both forms ask again until the host takes an answer; cancelling does
  // not end them.  The reply may be empty.
  static std::wstring getString(const std::wstring& prompt);
  static void getString(const std::wstring& prompt, const std::wstring& defaultText, std::wstring& text);

  // Picks in the drawing.  A wrong pick is answered with a message and
  // asked again; only Enter or Escape end a pick without an object.
  static constexpr int kPicked = 0;
  static constexpr int kPickCancelled = 16;
  static constexpr int kNoSpacePicked = 13;
  // kPicked with the id of an entity of exactly that class, or kPickCancelled.
  static int selectObjectId(AcDbObjectId& id, const std::wstring& prompt, const std::wstring& className);
  static bool selectObjectId(AcDbObjectId& id, const std::wstring& prompt);
  // Appends what the user selects, block references (spaces) left out.
  static int selectObjectIds(AcDbObjectIdArray& ids, const std::wstring& prompt);
  // kPicked with the handle of a picked block reference, else kNoSpacePicked.
  static int userSelectSpaceHandle(AcDbHandle& handle);
};
