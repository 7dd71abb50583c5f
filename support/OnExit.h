// Runs an action when a scope ends, by return or by a failure: dialogs use
// it to restore themselves and unlock their drawing after a pick.
#pragma once

#include <utility>

template <class Action>
class OnExit {
 public:
  explicit OnExit(Action action) : m_action(std::move(action)) {}
  ~OnExit() { m_action(); }
  OnExit(const OnExit&) = delete;
  OnExit& operator=(const OnExit&) = delete;

 private:
  Action m_action;
};
