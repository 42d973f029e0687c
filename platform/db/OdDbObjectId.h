#pragma once
// Identifiers of database objects. An identifier stays the same for the
// life of the database, also while its object is erased; it is the key by
// which objects reference each other.
#include <cstddef>
#include <functional>
#include <vector>

#include "OdDbHandle.h"
#include "OdDbTypes.h"
#include "OdSmartPtr.h"

class OdDbObject;
class OdDbDatabase;
struct OdDbStub;
using OdDbObjectPtr = OdSmartPtr<OdDbObject>;

class OdDbObjectId {
public:
  constexpr OdDbObjectId() = default;
  explicit OdDbObjectId(OdDbStub* stub) : m_stub(stub) {}
  static const OdDbObjectId kNull;

  bool isNull() const { return m_stub == nullptr; }
  // Not null, resident and not erased.
  bool isValid() const;
  bool isErased() const;
  OdDbHandle getHandle() const;
  OdDbDatabase* database() const;

  // Opens the object; null when the id is null, the object is missing or
  // erased (unless openErased).
  OdDbObjectPtr openObject(OdDb::OpenMode mode = OdDb::kForRead, bool openErased = false) const;
  // As openObject, but a failure throws an OdError saying why.
  OdDbObjectPtr safeOpenObject(OdDb::OpenMode mode = OdDb::kForRead, bool openErased = false) const;

  OdDbStub* stub() const { return m_stub; }
  bool operator==(const OdDbObjectId& o) const { return m_stub == o.m_stub; }
  bool operator!=(const OdDbObjectId& o) const { return m_stub != o.m_stub; }
  bool operator<(const OdDbObjectId& o) const;  // by handle, for stable ordering

private:
  OdDbStub* m_stub = nullptr;
};

using OdDbObjectIdArray = std::vector<OdDbObjectId>;

template <>
struct std::hash<OdDbObjectId> {
  std::size_t operator()(const OdDbObjectId& id) const noexcept {
    return std::hash<const void*>()(id.stub());
  }
};
