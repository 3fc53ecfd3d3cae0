// Owners for GDI objects and memory device contexts, counting the live ones: Wine's
// GetGuiResources reports nothing, so leak tests read this count instead.
#pragma once

#include <windows.h>

#include <atomic>

inline std::atomic<long>& LiveGdiObjectCounter() {
  static std::atomic<long> live{0};
  return live;
}
inline long LiveGdiObjects() { return LiveGdiObjectCounter().load(); }

template <typename Handle, BOOL(WINAPI* DeleteFn)(Handle)>
class CountedGdiHandle {
 public:
  CountedGdiHandle() = default;
  explicit CountedGdiHandle(Handle handle) : handle_(handle) {
    if (handle_) ++LiveGdiObjectCounter();
  }
  ~CountedGdiHandle() { reset(); }
  CountedGdiHandle(const CountedGdiHandle&) = delete;
  CountedGdiHandle& operator=(const CountedGdiHandle&) = delete;
  // A move hands the object over; it stays counted once.
  CountedGdiHandle(CountedGdiHandle&& other) noexcept : handle_(other.handle_) {
    other.handle_ = nullptr;
  }
  CountedGdiHandle& operator=(CountedGdiHandle&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = other.handle_;
      other.handle_ = nullptr;
    }
    return *this;
  }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void reset() {
    if (!handle_) return;
    DeleteFn(handle_);
    --LiveGdiObjectCounter();
    handle_ = nullptr;
  }

 private:
  Handle handle_ = nullptr;
};

inline BOOL WINAPI DeleteGdiObject(HGDIOBJ object) { return DeleteObject(object); }

using UniqueRegion = CountedGdiHandle<HGDIOBJ, DeleteGdiObject>;
using UniqueBitmap = CountedGdiHandle<HGDIOBJ, DeleteGdiObject>;
using UniqueMemoryDC = CountedGdiHandle<HDC, DeleteDC>;
using UniquePen = CountedGdiHandle<HGDIOBJ, DeleteGdiObject>;
using UniqueBrush = CountedGdiHandle<HGDIOBJ, DeleteGdiObject>;
using UniqueFont = CountedGdiHandle<HGDIOBJ, DeleteGdiObject>;
using UniqueIcon = CountedGdiHandle<HICON, DestroyIcon>;

// Puts back whatever object the device context held before, when it goes out of scope.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectedObject() { SelectObject(dc_, previous_); }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};
