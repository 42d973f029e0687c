#include "OdRxObject.h"

OdRxClass::OdRxClass(const char* name, const OdRxClass* parent, const char* dxfName)
    : m_name(name), m_parent(parent), m_dxfName(dxfName) {}

bool OdRxClass::isDerivedFrom(const OdRxClass* other) const {
  for (const OdRxClass* c = this; c; c = c->m_parent)
    if (c == other) return true;
  return false;
}

const OdRxClass* OdRxObject::desc() {
  static const OdRxClass cls("OdRxObject", nullptr);
  return &cls;
}
