// Owning pointer to a COM interface: AddRef on copy, Release on reset and destruction.
#pragma once

#include <unknwn.h>

template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  // Takes a reference of its own.
  explicit ComPtr(T* p) : p_(p) {
    if (p_) p_->AddRef();
  }
  ComPtr(const ComPtr& other) : ComPtr(other.p_) {}
  ComPtr(ComPtr&& other) noexcept : p_(other.p_) { other.p_ = nullptr; }
  ComPtr& operator=(ComPtr other) noexcept {
    T* old = p_;
    p_ = other.p_;
    other.p_ = old;
    return *this;
  }
  ~ComPtr() { reset(); }

  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  void reset() {
    if (p_) p_->Release();
    p_ = nullptr;
  }
  // For out-parameters: releases the old pointer and lets the callee write a new one.
  T** put() {
    reset();
    return &p_;
  }
  void** put_void() { return reinterpret_cast<void**>(put()); }
  [[nodiscard]] T* detach() {
    T* p = p_;
    p_ = nullptr;
    return p;
  }

 private:
  T* p_ = nullptr;
};

#define RETURN_IF_FAILED(expr)          \
  do {                                  \
    const HRESULT hr_ = (expr);         \
    if (FAILED(hr_)) return hr_;        \
  } while (0)
