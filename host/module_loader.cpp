#include "module_loader.h"

#include <dlfcn.h>

#include <exception>
#include <filesystem>

#include "command_factory.h"
#include "host_context.h"
#include "host_log.h"
#include "host_services.h"
#include "translation.h"

namespace qrvhost {

namespace {

// The registrations a module made, counted from what existed before it.
std::size_t commandCount() { return gpQrContext ? gpQrContext->commands().size() : 0; }
std::size_t factoryCount() {
  HostServices* s = HostServices::current();
  return s ? s->commandFactory().size() : 0;
}

}  // namespace

LoadedModule::~LoadedModule() { unload(); }

bool LoadedModule::load(const std::string& path, std::string& error) {
  if (!std::filesystem::exists(path)) {
    error = "the module " + path + " does not exist";
    return false;
  }
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* why = dlerror();
    error = "the module " + path + " cannot be loaded: " + (why ? why : "unknown reason");
    return false;
  }
  auto init = reinterpret_cast<void (*)()>(dlsym(handle, "QRVInit"));
  auto uninit = reinterpret_cast<void (*)()>(dlsym(handle, "QRVUnInit"));
  if (!init || !uninit) {
    dlclose(handle);
    error = "the module " + path + " has no " + (init ? "QRVUnInit" : "QRVInit") + " entry";
    return false;
  }
  m_handle = handle;
  m_uninit = uninit;
  m_firstCommand = commandCount();
  m_firstFactoryEntry = factoryCount();
  m_firstTexts = Supp_RegisteredModules().size();
  try {
    init();
  } catch (const std::exception& e) {
    error = std::string("QRVInit of ") + path + " failed: " + e.what();
  } catch (...) {
    error = std::string("QRVInit of ") + path + " failed";
  }
  if (!error.empty()) {
    unload();
    return false;
  }
  hostTraceNote("host/module", __LINE__, "loaded " + path);
  return true;
}

void LoadedModule::unload() {
  if (!m_handle) return;
  try {
    m_uninit();
  } catch (const std::exception& e) {
    hostTraceError("host/module", __LINE__, std::string("QRVUnInit failed: ") + e.what());
  } catch (...) {
    hostTraceError("host/module", __LINE__, "QRVUnInit failed");
  }
  // What the module registered points into its code and data, which go now.
  if (gpQrContext) gpQrContext->forgetCommandsFrom(m_firstCommand);
  if (HostServices* s = HostServices::current()) s->commandFactory().forgetFrom(m_firstFactoryEntry);
  const std::vector<QrInstance> texts = Supp_RegisteredModules();
  for (std::size_t i = m_firstTexts; i < texts.size(); ++i) Supp_UninitResTranslation(texts[i]);
  dlclose(m_handle);
  m_handle = nullptr;
  m_uninit = nullptr;
}

}  // namespace qrvhost
