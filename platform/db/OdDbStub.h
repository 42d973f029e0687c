#pragma once
// The database's record of one object: what an OdDbObjectId points to.
// Stubs live as long as the database, so identifiers never dangle.
#include <cstdint>

class OdDbObject;
class OdDbDatabase;

struct OdDbStub {
  std::uint64_t handle = 0;
  OdDbObject* object = nullptr;  // owned by the database
  OdDbDatabase* database = nullptr;
  // Number of hard references to this object from live (resident, not
  // erased) objects and from the database header. Purge reads it.
  std::uint32_t hardRefs = 0;
  // The database's modification stamp at the object's last change
  // (created, modified, erased, or given back by an undo): views keyed on
  // the drawing find what changed since they last looked.
  std::uint64_t changed = 0;
};
