#pragma once
// All host services of one session, created together and published through
// the host's globals and entry table (gpQrContext, gpQrObjManager, entries 0
// and 2, the command factory, the unit settings of the active drawing).
// The host executable makes one; tests make their own. Only one may exist
// at a time.
#include <memory>
#include <string>

class HostAppServices;
class HostApDocManager;
class HostCommandFactoryRegistry;
class HostConsole;
class HostEdInput;
class HostHelpTopics;
class HostSysVars;
class QrContext;
class QrObjManager;

struct HostServicesOptions {
  std::string helpFolder;          // docs/help
  bool offerCommandFactory = true;  // false: new_ICmdFactory gives null
};

class HostServices {
public:
  explicit HostServices(HostConsole& console, HostServicesOptions options = {});
  // Closes the documents still open (their reactors are told) and withdraws
  // every global.
  ~HostServices();
  HostServices(const HostServices&) = delete;
  HostServices& operator=(const HostServices&) = delete;

  HostConsole& console() { return m_console; }
  HostEdInput& editorInput() { return *m_input; }
  HostHelpTopics& help() { return *m_help; }
  HostApDocManager& documents() { return *m_documents; }
  HostSysVars& sysVars() { return *m_sysVars; }
  HostAppServices& app() { return *m_app; }
  QrContext& context() { return *m_context; }
  QrObjManager& objects() { return *m_objects; }
  HostCommandFactoryRegistry& commandFactory() { return *m_factory; }

  // Offers or withdraws the command factory of the host's main module.
  void offerCommandFactory(bool offer);

  static HostServices* current();

private:
  HostConsole& m_console;
  std::unique_ptr<HostEdInput> m_input;
  std::unique_ptr<HostHelpTopics> m_help;
  std::unique_ptr<HostApDocManager> m_documents;
  std::unique_ptr<HostSysVars> m_sysVars;
  std::unique_ptr<HostAppServices> m_app;
  std::unique_ptr<QrContext> m_context;
  std::unique_ptr<QrObjManager> m_objects;
  std::unique_ptr<HostCommandFactoryRegistry> m_factory;
};
