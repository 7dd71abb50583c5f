// The host's undo commands at the Command: prompt: "u" undoes the last
// command, "undo N" the last N, "redo" the last undo, "undo limit N" keeps
// the last N commands (UNDOLIMIT).
#pragma once

#include <string>

class AcApDocument;

class UndoCommands {
 public:
  // Runs the line when its verb (upper case) is an undo command; false otherwise.
  static bool run(const std::wstring& verb, const std::wstring& argument);
  // Forgets the history of a drawing left behind when another is opened.
  static void release(AcApDocument* document);

 private:
  static void undo(const std::wstring& argument);
  static void redo();
  static void limit(const std::wstring& argument);
};
