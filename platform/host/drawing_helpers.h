#pragma once
// Small drawing services of the host.
class OdDbObject;
class OdRxClass;
class OdDbLongTransaction;

// The class under which the palette treats an object: its own class (the
// host has no class substitutions yet). Null for null.
const OdRxClass* hostIsA(const OdDbObject* object);

// The long transaction of the active in-place reference edit; null when no
// reference is being edited (see HostApDocManager::beginRefEdit).
OdDbLongTransaction* hostGetRefEditModeLT();
