#pragma once
// Reference-counted base of database objects and result buffers, and the
// run-time class descriptors that the palette and the dialogs test against.
#include "OdResult.h"

class OdRxClass {
public:
  OdRxClass(const char* name, const OdRxClass* parent, const char* dxfName = "");
  const char* name() const { return m_name; }
  const char* dxfName() const { return m_dxfName; }
  const OdRxClass* myParent() const { return m_parent; }
  bool isDerivedFrom(const OdRxClass* other) const;

private:
  const char* m_name;
  const OdRxClass* m_parent;
  const char* m_dxfName;
};

class OdRxObject {
public:
  OdRxObject() = default;
  OdRxObject(const OdRxObject&) : m_refs(0) {}
  OdRxObject& operator=(const OdRxObject&) { return *this; }
  virtual ~OdRxObject() = default;

  static const OdRxClass* desc();
  virtual const OdRxClass* isA() const { return desc(); }
  bool isKindOf(const OdRxClass* cls) const { return isA()->isDerivedFrom(cls); }

  virtual void addRef() const { ++m_refs; }
  virtual void release() const {
    if (--m_refs == 0) delete this;
  }
  int numRefs() const { return m_refs; }

protected:
  mutable int m_refs = 0;
};
