#include "ProgressMeter.h"

#include <algorithm>


namespace {

constexpr int kBarWidth = 30;

}  // namespace

ProgressMeter& ProgressMeter::instance() {
  static ProgressMeter meter;
  return meter;
}

void ProgressMeter::setDisplay(std::function<void(const std::wstring&)> display) { m_display = std::move(display); }

bool ProgressMeter::start(const std::wstring& label, int lowest, int highest) {
  if (highest <= lowest) return false;
  if (m_running) restore();
  m_label = label;
  m_lowest = lowest;
  m_highest = highest;
  m_shown = -1;
  m_running = true;
  draw(0);
  return true;
}

bool ProgressMeter::move(int position) {
  if (!m_running) return false;
  const long long done = std::clamp(position, m_lowest, m_highest) - m_lowest;
  const int percent = static_cast<int>(done * 100 / (m_highest - m_lowest));
  if (percent != m_shown) draw(percent);
  return true;
}

void ProgressMeter::restore() {
  if (!m_running) return;
  m_running = false;
  if (m_display) m_display(L"");
}

void ProgressMeter::draw(int percent) {
  m_shown = percent;
  const int filled = percent * kBarWidth / 100;
  std::wstring line = m_label + L" [" + std::wstring(static_cast<size_t>(filled), L'#') +
                      std::wstring(static_cast<size_t>(kBarWidth - filled), L'.') + L"] ";
  const std::wstring number = std::to_wstring(percent);
  line += std::wstring(3 - std::min<size_t>(3, number.size()), L' ') + number + L"%";
  if (m_display) m_display(line);
}

ProgressMeter::Scope::Scope(const std::wstring& label, int lowest, int highest)
    : m_owns(!instance().running() && instance().start(label, lowest, highest)) {}

ProgressMeter::Scope::~Scope() {
  if (m_owns) instance().restore();
}

void ProgressMeter::Scope::move(int position) const {
  if (m_owns) instance().move(position);
}
