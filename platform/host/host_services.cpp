#include "host_services.h"

#include "app_services.h"
#include "command_factory.h"
#include "console.h"
#include "documents.h"
#include "editor_input.h"
#include "help_topics.h"
#include "host_context.h"
#include "host_entry.h"
#include "host_error.h"
#include "host_text.h"
#include "object_manager.h"
#include "sysvars.h"
#include "unit_provider.h"

namespace {
HostServices* gCurrent = nullptr;
}

HostServices::HostServices(HostConsole& console, HostServicesOptions options) : m_console(console) {
  if (gCurrent) throw HostError("the host services already exist");
  m_input = std::make_unique<HostEdInput>(console);
  m_help = std::make_unique<HostHelpTopics>();
  m_help->setFolder(options.helpFolder);
  m_documents = std::make_unique<HostApDocManager>(*m_input);
  m_sysVars = std::make_unique<HostSysVars>(*m_documents);
  m_app = std::make_unique<HostAppServices>(*m_sysVars);
  m_context = std::make_unique<QrContext>(*m_input, *m_help);
  m_objects = std::make_unique<QrObjManager>(*m_documents);
  m_factory = std::make_unique<HostCommandFactoryRegistry>();

  hostRegisterHostTexts();
  gpQrContext = m_context.get();
  gpQrObjManager = m_objects.get();
  hostInstallEntry(kHostEntryAppServices, m_app.get());
  hostInstallEntry(kHostEntryDocManager, m_documents.get());
  offerCommandFactory(options.offerCommandFactory);
  hostInstallUnitSettingsProvider(*m_documents);
  gCurrent = this;
}

HostServices::~HostServices() {
  m_documents.reset();  // closes the documents while the other services still exist
  hostRemoveUnitSettingsProvider();
  hostInstallCommandFactory(nullptr);
  hostInstallEntry(kHostEntryDocManager, nullptr);
  hostInstallEntry(kHostEntryAppServices, nullptr);
  gpQrObjManager = nullptr;
  gpQrContext = nullptr;
  gCurrent = nullptr;
}

void HostServices::offerCommandFactory(bool offer) { hostInstallCommandFactory(offer ? m_factory.get() : nullptr); }

HostServices* HostServices::current() { return gCurrent; }
