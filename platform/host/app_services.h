#pragma once
// Application services (host entry 0): the system-variable service and new
// drawings that belong to no document, such as a private preview drawing.
#include <memory>

#include "OdDbTypes.h"

class HostSysVars;
class OdDbDatabase;

class HostAppServices {
public:
  explicit HostAppServices(HostSysVars& sysVars) : m_sysVars(sysVars) {}
  HostSysVars& sysVars() { return m_sysVars; }

  // A drawing with the standard contents for the measurement system.
  std::unique_ptr<OdDbDatabase> createDatabase(OdDb::MeasurementValue measurement) const;
  // A new drawing as NEW makes it: imperial or metric after MEASUREINIT.
  std::unique_ptr<OdDbDatabase> createNewDrawing() const;

private:
  HostSysVars& m_sysVars;
};

// The system-variable service of the running host (through entry 0); null
// when the host offers none.
HostSysVars* hostSysVars();
