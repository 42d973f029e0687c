#include "OdResBuf.h"

#include <cmath>
#include <cstdlib>
#include <limits>

OdResBufPtr OdResBuf::newRb(int restype) {
  OdResBuf* rb = new OdResBuf;
  rb->m_restype = restype;
  return OdResBufPtr(rb);
}

const OdRxClass* OdResBuf::desc() {
  static const OdRxClass cls("OdResBuf", OdRxObject::desc());
  return &cls;
}

OdResBuf::ValueKind OdResBuf::kindOf(int c) {
  if (c == 5 || c == 105 || (c >= 320 && c <= 329) || c == 1005) return kHandle;
  if ((c >= 330 && c <= 369) || (c >= 390 && c <= 399)) return kObjectId;
  if ((c >= 10 && c <= 18) || (c >= 110 && c <= 112) || (c >= 1010 && c <= 1013)) return kPoint;
  if ((c >= 38 && c <= 59) || (c >= 140 && c <= 149) || (c >= 210 && c <= 239) ||
      (c >= 460 && c <= 469) || (c >= 1014 && c <= 1059))
    return kDouble;
  if ((c >= 60 && c <= 79) || (c >= 170 && c <= 179) || (c >= 270 && c <= 289) ||
      (c >= 370 && c <= 389) || (c >= 400 && c <= 409) || c == 1070)
    return kInt16;
  if ((c >= 90 && c <= 99) || (c >= 420 && c <= 429) || (c >= 440 && c <= 459) || c == 1071)
    return kInt32;
  if (c >= 160 && c <= 169) return kInt64;
  if (c >= 290 && c <= 299) return kBool;
  if ((c >= 310 && c <= 319) || c == 1004) return kBinary;
  return kString;
}

OdResBufPtr OdResBuf::setNext(OdResBufPtr rb) {
  if (rb) {
    OdResBufPtr tail = m_next;
    m_next = rb;
    if (tail) rb->last()->m_next = tail;
  } else {
    m_next = rb;
  }
  return rb;
}

OdResBufPtr OdResBuf::last() {
  OdResBuf* p = this;
  while (p->m_next) p = p->m_next.get();
  return OdResBufPtr(p);
}

OdString OdResBuf::getString() const {
  if (auto s = std::get_if<OdString>(&m_value)) return *s;
  if (auto d = std::get_if<double>(&m_value)) return std::to_string(*d);
  if (auto i = std::get_if<OdInt64>(&m_value)) return std::to_string(*i);
  if (auto id = std::get_if<OdDbObjectId>(&m_value)) return id->getHandle().ascii();
  return OdString();
}

double OdResBuf::getDouble() const {
  if (auto d = std::get_if<double>(&m_value)) return *d;
  if (auto i = std::get_if<OdInt64>(&m_value)) return double(*i);
  if (auto s = std::get_if<OdString>(&m_value)) return std::strtod(s->c_str(), nullptr);
  return 0.0;
}

OdInt64 OdResBuf::getInt64() const {
  if (auto i = std::get_if<OdInt64>(&m_value)) return *i;
  if (auto d = std::get_if<double>(&m_value)) {
    // A real where an integer is wanted: beyond the integers' range it gives
    // their end, not undefined behaviour (extended data of a damaged file).
    if (std::isnan(*d)) return 0;
    if (*d >= 9.2233720368547758e18) return std::numeric_limits<OdInt64>::max();
    if (*d <= -9.2233720368547758e18) return std::numeric_limits<OdInt64>::min();
    return OdInt64(*d);
  }
  if (auto s = std::get_if<OdString>(&m_value)) return std::strtoll(s->c_str(), nullptr, 10);
  return 0;
}

OdGePoint3d OdResBuf::getPoint3d() const {
  if (auto p = std::get_if<OdGePoint3d>(&m_value)) return *p;
  return OdGePoint3d();
}

OdDbObjectId OdResBuf::getObjectId() const {
  if (auto id = std::get_if<OdDbObjectId>(&m_value)) return *id;
  return OdDbObjectId();
}
