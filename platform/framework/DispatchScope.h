// Handlers may run nested message loops (scans, saving, message boxes) in which their own window
// can be closed. Objects let go meanwhile are deleted only when the outermost handler running on
// this thread has returned, so no handler ever returns into freed memory.
#pragma once

#include <functional>
#include <memory>

// Marks a framework handler running; every window and dialog procedure of the framework holds one.
class DispatchScope {
 public:
  DispatchScope();
  ~DispatchScope();
  DispatchScope(const DispatchScope&) = delete;
  DispatchScope& operator=(const DispatchScope&) = delete;
};

// True while a framework handler of this thread is on the stack.
bool InsideHandler();
// Runs the step now, or when the outermost running handler returns.
void RunWhenNoHandlerRuns(std::function<void()> step);

template <typename T>
void DeleteWhenNoHandlerRuns(std::unique_ptr<T> object) {
  if (!object) return;
  T* raw = object.release();
  RunWhenNoHandlerRuns([raw] { delete raw; });
}
