#pragma once
// Result buffers: chains of (group code, value) pairs, the form in which
// extended data and system variable values travel.
#include <variant>

#include "OdCmColor.h"
#include "OdDbObjectId.h"
#include "OdGePoint3d.h"
#include "OdRxObject.h"

class OdResBuf;
using OdResBufPtr = OdSmartPtr<OdResBuf>;

class OdResBuf : public OdRxObject {
public:
  // Value kinds, decided by the group code as DXF decides them.
  enum ValueKind { kString, kDouble, kInt16, kInt32, kInt64, kBool, kHandle, kPoint, kBinary, kObjectId };

  static OdResBufPtr newRb(int restype = 0);
  template <class V>
  static OdResBufPtr newRb(int restype, V value) {
    OdResBufPtr rb = newRb(restype);
    rb->setValue(value);
    return rb;
  }

  static const OdRxClass* desc();
  const OdRxClass* isA() const override { return desc(); }

  int restype() const { return m_restype; }
  void setRestype(int t) { m_restype = t; }
  static ValueKind kindOf(int restype);

  OdResBufPtr next() const { return m_next; }
  // Appends rb after this one (keeping what followed) and returns rb.
  OdResBufPtr setNext(OdResBufPtr rb);
  OdResBufPtr last();

  void setValue(const OdString& s) { m_value = s; }
  void setValue(const char* s) { m_value = OdString(s); }
  void setValue(double d) { m_value = d; }
  void setValue(OdInt16 v) { m_value = OdInt64(v); }
  void setValue(OdInt32 v) { m_value = OdInt64(v); }
  void setValue(OdInt64 v) { m_value = v; }
  void setValue(bool b) { m_value = OdInt64(b ? 1 : 0); }
  void setValue(const OdGePoint3d& p) { m_value = p; }
  void setValue(OdDbObjectId id) { m_value = id; }
  void setValue(OdDbHandle h) { m_value = OdInt64(h.value()); }
  void setValue(const OdCmColor& c) { m_value = OdInt64(c.colorIndex()); }

  OdString getString() const;
  double getDouble() const;
  OdInt16 getInt16() const { return OdInt16(getInt64()); }
  OdInt32 getInt32() const { return OdInt32(getInt64()); }
  OdInt64 getInt64() const;
  bool getBool() const { return getInt64() != 0; }
  OdGePoint3d getPoint3d() const;
  OdDbObjectId getObjectId() const;
  OdDbHandle getHandle() const { return OdDbHandle(OdUInt64(getInt64())); }

  bool operator==(const OdResBuf& o) const { return m_restype == o.m_restype && m_value == o.m_value; }

private:
  int m_restype = 0;
  std::variant<std::monostate, OdString, double, OdInt64, OdGePoint3d, OdDbObjectId> m_value;
  OdResBufPtr m_next;
};
