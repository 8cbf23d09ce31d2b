// Reference counting shared by every object the runtime or a server implements.
#pragma once

#include <atomic>

#include "com/types.h"

namespace com {

// Counts live objects of a module, for DllCanUnloadNow.
inline std::atomic<long>& ModuleObjectCount() {
  static std::atomic<long> count{0};
  return count;
}

// Base of an implementation of the interface Base: reference count starting at one, deleted on
// the last Release. Derived classes answer QueryInterface themselves.
template <typename Base>
class Object : public Base {
 public:
  Object() { ++ModuleObjectCount(); }
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;

  ULONG AddRef() override { return ++m_refs; }
  ULONG Release() override {
    ULONG left = --m_refs;
    if (left == 0) delete this;
    return left;
  }

 protected:
  virtual ~Object() { --ModuleObjectCount(); }

 private:
  std::atomic<ULONG> m_refs{1};
};

// The one shape of QueryInterface: null check, clear the output, compare, add a reference.
template <typename Self>
HRESULT QueryFor(Self* self, REFIID iid, void** out, std::initializer_list<IID> known) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  for (const IID& k : known) {
    if (k == iid) {
      self->AddRef();
      *out = static_cast<void*>(self);
      return S_OK;
    }
  }
  return E_NOINTERFACE;
}

}  // namespace com
