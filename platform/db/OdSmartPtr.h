#pragma once
// Intrusive smart pointer. For a database object the reference stands for an
// open: when the last pointer is released the object is closed. For an object
// outside any database it owns the object.
#include <cstddef>
#include <type_traits>
#include <utility>

#include "OdResult.h"

template <class T>
class OdSmartPtr {
public:
  OdSmartPtr() = default;
  OdSmartPtr(std::nullptr_t) {}
  explicit OdSmartPtr(T* p) : m_p(p) {
    if (m_p) m_p->addRef();
  }
  OdSmartPtr(const OdSmartPtr& o) : m_p(o.m_p) {
    if (m_p) m_p->addRef();
  }
  OdSmartPtr(OdSmartPtr&& o) noexcept : m_p(std::exchange(o.m_p, nullptr)) {}

  // Conversion between pointer types. Up-casts always succeed; a down-cast
  // of an object of another class throws, as opening a record by id as the
  // wrong class must not go unnoticed.
  template <class U>
  OdSmartPtr(const OdSmartPtr<U>& o) : m_p(convert(o.get())) {
    if (m_p) m_p->addRef();
  }

  ~OdSmartPtr() { reset(); }

  OdSmartPtr& operator=(OdSmartPtr o) noexcept {
    std::swap(m_p, o.m_p);
    return *this;
  }

  void reset() {
    if (T* p = std::exchange(m_p, nullptr)) p->release();
  }
  // Closes the object now (the same as letting the pointer go).
  void release() { reset(); }

  T* get() const { return m_p; }
  T* operator->() const {
    if (!m_p) throw OdError(eNullObjectPointer);
    return m_p;
  }
  T& operator*() const { return *operator->(); }
  bool isNull() const { return m_p == nullptr; }
  explicit operator bool() const { return m_p != nullptr; }
  bool operator==(const OdSmartPtr& o) const { return m_p == o.m_p; }
  bool operator==(std::nullptr_t) const { return m_p == nullptr; }

private:
  template <class U>
  static T* convert(U* p) {
    if constexpr (std::is_convertible_v<U*, T*>) {
      return p;
    } else {
      if (!p) return nullptr;
      T* t = dynamic_cast<T*>(p);
      if (!t) throw OdError(eNotThatKindOfClass, p->isA()->name());
      return t;
    }
  }

  T* m_p = nullptr;
};
