// The handler depth of the window's thread and the deletions that wait for it to reach zero.
#include "platform/framework/DispatchScope.h"

#include <vector>

namespace {

struct HandlerState {
  int depth = 0;
  std::vector<std::function<void()>> waiting;
};

HandlerState& State() {
  static thread_local HandlerState state;
  return state;
}

}  // namespace

DispatchScope::DispatchScope() { ++State().depth; }

DispatchScope::~DispatchScope() {
  HandlerState& state = State();
  if (--state.depth != 0) return;
  // The steps may dispatch messages themselves (destroying windows), which open and close scopes
  // of their own: take the list first so that each step runs once.
  while (!state.waiting.empty()) {
    std::vector<std::function<void()>> steps;
    steps.swap(state.waiting);
    for (auto& step : steps) step();
  }
}

bool InsideHandler() { return State().depth > 0; }

void RunWhenNoHandlerRuns(std::function<void()> step) {
  if (InsideHandler()) {
    State().waiting.push_back(std::move(step));
  } else {
    step();
  }
}
