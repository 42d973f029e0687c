#include "OdDbObjectId.h"

#include "OdDbObject.h"
#include "OdDbStub.h"

const OdDbObjectId OdDbObjectId::kNull;

bool OdDbObjectId::isValid() const { return m_stub && m_stub->object && !m_stub->object->isErased(); }

bool OdDbObjectId::isErased() const { return m_stub && m_stub->object && m_stub->object->isErased(); }

OdDbHandle OdDbObjectId::getHandle() const { return m_stub ? OdDbHandle(m_stub->handle) : OdDbHandle(); }

OdDbDatabase* OdDbObjectId::database() const { return m_stub ? m_stub->database : nullptr; }

bool OdDbObjectId::operator<(const OdDbObjectId& o) const {
  return getHandle().value() < o.getHandle().value();
}

OdDbObjectPtr OdDbObjectId::openObject(OdDb::OpenMode mode, bool openErased) const {
  if (!m_stub || !m_stub->object) return OdDbObjectPtr();
  OdDbObject* obj = m_stub->object;
  if (obj->isErased() && !openErased) return OdDbObjectPtr();
  OdDbObjectPtr ptr(obj);
  if (mode == OdDb::kForWrite) obj->m_flags |= OdDbObject::kWriteEnabled;
  return ptr;
}

OdDbObjectPtr OdDbObjectId::safeOpenObject(OdDb::OpenMode mode, bool openErased) const {
  if (!m_stub) throw OdError(eNullObjectId);
  if (!m_stub->object) throw OdError(eKeyNotFound, "no object with handle " + getHandle().ascii());
  if (m_stub->object->isErased() && !openErased)
    throw OdError(eWasErased, OdString(m_stub->object->isA()->name()) + " " + getHandle().ascii());
  return openObject(mode, openErased);
}
