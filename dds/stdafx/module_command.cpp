#include "module_command.h"

#include "command_object.h"
#include "host_context.h"
#include "host_error.h"
#include "module_log.h"

namespace dds {
namespace {

class ModuleCommand : public QrCommand {
public:
  ModuleCommand(const char16_t* name, void (*fn)()) {
    hostCopyWideBounded(globalName, kQrCmdNameChars, name);
    hostCopyWideBounded(localName, kQrCmdNameChars, name);
    hostCopyWideBounded(groupName, kQrCmdNameChars, u"DDS");
    flags = kQrCmdCommandLine;
    handler = fn;
  }
  HRESULT execute() override {
    handler();
    return S_OK;
  }
  bool isTransparent() const override { return false; }
  bool isDocumentCommand() const override { return true; }
};

}  // namespace

HRESULT registerModuleCommand(const char16_t* name, void (*handler)(), const char* logSource) {
  if (!gpQrContext) return E_FAIL;
  try {
    gpQrContext->registerCommand(ModuleCommand(name, handler));
  } catch (const HostError& e) {
    DDS_LOG_ERROR(logSource, e.what());
    return E_FAIL;
  }
  return S_OK;
}

}  // namespace dds
