// The status bar's progress meter, as one line of text ("Loading drawing
// [######....]  60%") handed to the console's display when the shown
// percentage changes; the console draws it on a terminal only, so
// scripts' transcripts stay clean.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

class ProgressMeter {
 public:
  // Drawing files from this size on show their progress as they load and save.
  static constexpr size_t kLargeFile = size_t(4) << 20;

  static ProgressMeter& instance();

  // Where the meter's line goes (an empty text takes it off).
  void setDisplay(std::function<void(const std::wstring&)> display);

  // Starts a meter from lowest to highest; false when the range is empty.
  bool start(const std::wstring& label, int lowest, int highest);
  // Moves the meter; false when none is running.
  bool move(int position);
  // Takes the meter off the line.
  void restore();
  bool running() const { return m_running; }

  // A meter for one piece of work, started unless another one runs (a
  // command's meter is not taken over by a load inside it), taken off at
  // the end of the scope.
  class Scope {
   public:
    Scope(const std::wstring& label, int lowest, int highest);
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;
    void move(int position) const;

   private:
    bool m_owns;
  };

 private:
  ProgressMeter() = default;
  void draw(int percent);

  std::function<void(const std::wstring&)> m_display;
  std::wstring m_label;
  int m_lowest = 0;
  int m_highest = 0;
  int m_shown = -1;
  bool m_running = false;
};
