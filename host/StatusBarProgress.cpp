#include "host/StatusBarProgress.h"

#include "aced.h"

CStatusBarProgress::CStatusBarProgress(const std::wstring& label, int steps)
    : m_shown(acedSetStatusBarProgressMeter(label.c_str(), 0, steps) == 0) {}

CStatusBarProgress::~CStatusBarProgress() {
  if (m_shown) acedRestoreStatusBarProgressMeter();
}

void CStatusBarProgress::step() {
  if (m_shown) acedSetStatusBarProgressMeterPos(++m_done);
}
