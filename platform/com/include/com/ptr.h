// Owning pointer to an interface: one reference, released when the pointer goes.
#pragma once

#include <utility>

#include "com/types.h"

namespace com {

template <typename T>
class Ptr {
 public:
  Ptr() = default;
  Ptr(std::nullptr_t) {}
  // Takes over a reference the caller already owns.
  static Ptr Attach(T* raw) {
    Ptr p;
    p.m_raw = raw;
    return p;
  }
  Ptr(const Ptr& other) : m_raw(other.m_raw) {
    if (m_raw) m_raw->AddRef();
  }
  Ptr(Ptr&& other) noexcept : m_raw(std::exchange(other.m_raw, nullptr)) {}
  Ptr& operator=(Ptr other) noexcept {
    std::swap(m_raw, other.m_raw);
    return *this;
  }
  ~Ptr() { Reset(); }

  void Reset() {
    if (T* raw = std::exchange(m_raw, nullptr)) raw->Release();
  }
  T* Get() const { return m_raw; }
  T* operator->() const { return m_raw; }
  T& operator*() const { return *m_raw; }
  explicit operator bool() const { return m_raw != nullptr; }
  // For out-parameters: releases what is held and hands out the slot.
  void** Out() {
    Reset();
    return reinterpret_cast<void**>(&m_raw);
  }

 private:
  T* m_raw = nullptr;
};

}  // namespace com
