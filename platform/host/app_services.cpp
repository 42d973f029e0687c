#include "app_services.h"

#include "OdDbDatabase.h"
#include "host_entry.h"
#include "sysvars.h"

std::unique_ptr<OdDbDatabase> HostAppServices::createDatabase(OdDb::MeasurementValue measurement) const {
  return std::make_unique<OdDbDatabase>(measurement);
}

std::unique_ptr<OdDbDatabase> HostAppServices::createNewDrawing() const {
  return createDatabase(m_sysVars.measureInit() ? OdDb::kMetric : OdDb::kEnglish);
}

HostSysVars* hostSysVars() {
  HostAppServices* app = hostAppServices();
  return app ? &app->sysVars() : nullptr;
}
