// Move-only owners for Win32 handles: one traits struct per kind of handle.
#pragma once

#include <windows.h>

template <typename Handle, typename Traits>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }

  Handle get() const { return handle_; }
  explicit operator bool() const { return Traits::IsValid(handle_); }
  void reset(Handle handle = Traits::Invalid()) {
    if (Traits::IsValid(handle_)) Traits::Close(handle_);
    handle_ = handle;
  }
  [[nodiscard]] Handle release() {
    Handle handle = handle_;
    handle_ = Traits::Invalid();
    return handle;
  }

 private:
  Handle handle_ = Traits::Invalid();
};

template <typename Handle, BOOL(WINAPI* CloseFn)(Handle)>
struct NullInvalidTraits {
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { CloseFn(h); }
};

// Kernel objects (events, threads): null is "none". File handles use INVALID_HANDLE_VALUE.
using UniqueEvent = UniqueHandle<HANDLE, NullInvalidTraits<HANDLE, CloseHandle>>;
using UniqueThread = UniqueHandle<HANDLE, NullInvalidTraits<HANDLE, CloseHandle>>;
using UniqueModule = UniqueHandle<HMODULE, NullInvalidTraits<HMODULE, FreeLibrary>>;

struct FileHandleTraits {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static bool IsValid(HANDLE h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
  static void Close(HANDLE h) { CloseHandle(h); }
};
using UniqueFile = UniqueHandle<HANDLE, FileHandleTraits>;
