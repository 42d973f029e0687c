#pragma once
// Reference counting and interface look-up shared by every palette object.
// An object implements IPZUnknown once, through CPZUnknownImpl; further
// interfaces it offers (a connection point) forward their IPZUnknown
// operations to it. The count changes atomically; the object deletes
// itself when it drops to 0.
#include <algorithm>
#include <atomic>
#include <typeinfo>
#include <vector>

#include "opm/opm_interfaces.h"

template <class I>
class CPZUnknownImpl : public I {
public:
  long addRef() override { return ++m_refs; }
  long release() override {
    const long left = --m_refs;
    if (left == 0) delete this;
    return left;
  }
  bool queryInterface(const std::type_info& iid, void** out) override {
    *out = nullptr;
    if (iid == typeid(I) || iid == typeid(IPZUnknown)) {
      *out = static_cast<I*>(this);
    } else if (!queryOther(iid, out)) {
      return false;
    }
    addRef();
    return true;
  }
  long refCount() const { return m_refs; }

protected:
  CPZUnknownImpl() = default;
  // Copies start with no references of their own.
  CPZUnknownImpl(const CPZUnknownImpl&) : I() {}
  CPZUnknownImpl& operator=(const CPZUnknownImpl&) { return *this; }
  // Further interfaces of the object: set *out and answer true.
  virtual bool queryOther(const std::type_info&, void**) { return false; }

private:
  std::atomic<long> m_refs{0};
};

// The connection point through which editor objects advise their sinks.
// Its IPZUnknown is the owner's (reached through `outer`).
template <class Sink>
class TRequestConnectionPointImpl : public IPZConnectionPoint<Sink> {
public:
  bool advise(Sink* sink) override {
    if (!sink || std::find(m_sinks.begin(), m_sinks.end(), sink) != m_sinks.end()) return false;
    m_sinks.push_back(sink);
    return true;
  }
  bool unadvise(Sink* sink) override {
    auto it = std::find(m_sinks.begin(), m_sinks.end(), sink);
    if (it == m_sinks.end()) return false;
    m_sinks.erase(it);
    return true;
  }
  long addRef() override { return outer().addRef(); }
  long release() override { return outer().release(); }
  bool queryInterface(const std::type_info& iid, void** out) override {
    return outer().queryInterface(iid, out);
  }

  template <class F>
  void forEachSink(F&& f) const {
    const std::vector<Sink*> sinks = m_sinks;  // a sink may unadvise meanwhile
    for (Sink* s : sinks) f(*s);
  }

protected:
  TRequestConnectionPointImpl() = default;
  // A copy (a bound property) starts with no sinks.
  TRequestConnectionPointImpl(const TRequestConnectionPointImpl&) : IPZConnectionPoint<Sink>() {}
  TRequestConnectionPointImpl& operator=(const TRequestConnectionPointImpl&) { return *this; }
  virtual IPZUnknown& outer() = 0;

private:
  std::vector<Sink*> m_sinks;
};

// A sink that is a member of the object it reports to: its IPZUnknown is
// the owner's (Owner::unknown()), and notifications it does not handle do
// nothing.
template <class Sink, class Owner>
class TSinkImpl : public Sink {
public:
  explicit TSinkImpl(Owner& owner) : m_owner(&owner) {}
  long addRef() override { return m_owner->unknown().addRef(); }
  long release() override { return m_owner->unknown().release(); }
  bool queryInterface(const std::type_info& iid, void** out) override {
    return m_owner->unknown().queryInterface(iid, out);
  }
  void onBeginEdit() override {}
  void onEndEdit() override {}
  void onBeginChange(const OdString&) override {}
  void onEndChange() override {}
  void onValueChanged() override {}
  void onRequestRefresh() override {}

protected:
  Owner& owner() const { return *m_owner; }
  void rebind(Owner& owner) { m_owner = &owner; }

private:
  Owner* m_owner;
};
