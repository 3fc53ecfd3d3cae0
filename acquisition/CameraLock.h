// The lock that serialises use of the camera object between the window's thread and the worker.
#pragma once

#include <windows.h>

// A critical section: taken and released with no system call when nobody else holds it, as it
// is on every frame GetData or a saved series reads (a kernel mutex cost two Wine server calls,
// some 90 us, per use). The worker is terminated only at tear-down and only while the window's
// thread holds this lock, so it can never die owning it.
class CCameraLock {
 public:
  CCameraLock() { InitializeCriticalSection(&section_); }
  ~CCameraLock() { DeleteCriticalSection(&section_); }
  CCameraLock(const CCameraLock&) = delete;
  CCameraLock& operator=(const CCameraLock&) = delete;
  void Acquire() { EnterCriticalSection(&section_); }
  void Release() { LeaveCriticalSection(&section_); }

 private:
  CRITICAL_SECTION section_;
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
