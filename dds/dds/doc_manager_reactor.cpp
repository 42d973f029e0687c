#include "doc_manager_reactor.h"

#include "module_trace.h"
#include "opm/opm_interfaces.h"
#include "property_manager.h"
#include "property_prototypes.h"

namespace {
const char* const kSource = "dimprops";
CQrDocManagerReactor gReactor;
}  // namespace

void CQrDocManagerReactor::documentCreated(HostApDocument* doc) {
  DDS_RETERRIF3VOID(kSource, !doc);
  HostPropertyManager* pPM = nullptr;
  HostApDocument* pDoc = doc;
  DDS_RETERRIF3VOID(kSource, !pDoc->getPropManager(&pPM));
  if (m_prototypes.empty()) m_prototypes = dds::createPropertyPrototypes();
  for (IOdPropertyFactory* prototype : m_prototypes) pPM->addFactory(prototype);
}

void CQrDocManagerReactor::documentToBeDestroyed(HostApDocument* doc) {
  DDS_RETERRIF3VOID(kSource, !doc);
  HostPropertyManager* pPM = nullptr;
  HostApDocument* pDoc = doc;
  DDS_RETERRIF3VOID(kSource, !pDoc->getPropManager(&pPM));
  for (IOdPropertyFactory* prototype : m_prototypes) pPM->removeFactory(prototype);
}

CQrDocManagerReactor::~CQrDocManagerReactor() {
  for (IOdPropertyFactory* prototype : m_prototypes) prototype->release();
}

CQrDocManagerReactor& dds::documentReactor() { return gReactor; }
