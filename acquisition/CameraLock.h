// The lock that serialises use of the camera object between the window's thread and the worker.
#pragma once

#include <windows.h>

#include "platform/win32/UniqueHandle.h"

// A kernel mutex rather than a critical section: the worker may be terminated when it does not
// stop in time, and a mutex abandoned that way is handed to the next waiter instead of blocking
// the view for ever.
class CCameraLock {
 public:
  CCameraLock() : mutex_(CreateMutexW(nullptr, FALSE, nullptr)) {}
  void Acquire() { WaitForSingleObject(mutex_.get(), INFINITE); }
  void Release() { ReleaseMutex(mutex_.get()); }

 private:
  UniqueMutex mutex_;
};

class CCameraGuard {
 public:
  explicit CCameraGuard(CCameraLock& lock) : lock_(lock) { lock_.Acquire(); }
  ~CCameraGuard() { lock_.Release(); }
  CCameraGuard(const CCameraGuard&) = delete;
  CCameraGuard& operator=(const CCameraGuard&) = delete;

 private:
  CCameraLock& lock_;
};
