// The module's entry points, called by the host after loading the module
// and before unloading it.
#include <memory>

#include "command_factory.h"
#include "dialog_command.h"
#include "dlgcompare/compare_command.h"
#include "dimstyle_command.h"
#include "dimstyle_import_command.h"
#include "doc_manager_reactor.h"
#include "host_context.h"
#include "host_entry.h"
#include "host_log.h"
#include "qrv_cmd.h"
#include "stdafx/module_resources.h"
#include "translation.h"
#include "wndpreview/preview_command.h"

#define DDS_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

struct FactoryRelease {
  void operator()(ICmdFactory* f) const { f->release(); }
};

void registerDialogCommand() {
  std::unique_ptr<ICmdFactory, FactoryRelease> factory(new_ICmdFactory());
  if (!factory) return;  // the host offers no command factory: no dialog command
  const HRESULT hr = factory->registerCommand("DIM", "DimStylesCmd", 0, &dds::runDimStyleDialog);
  if (!hostSucceeded(hr)) hostTraceWarning("dds/dds", __LINE__, hr, "DimStylesCmd not registered");
}

void registerCommandLineCommand() {
  if (!gpQrContext) return;
  // A local: the host copies what it keeps, and an exception from the
  // registration leaves through here after the object is gone.
  qrvCmd command(&dds::runDimStyleCommandLine, u"-dimstyle", u"", kDimStyleCommandFlags);
  gpQrContext->registerCommand(command);
}

}  // namespace

DDS_EXPORT void QRVInit() {
  Supp_InitResTranslation(&dds::moduleResources());
  registerDialogCommand();
  registerCommandLineCommand();
  dds::registerCompareCommand();
  dds::registerDimStyleImportCommand();
  dds::registerPreviewCommand();
  if (HostApDocManager* documents = hostDocManager()) documents->addReactor(&dds::documentReactor());
}

DDS_EXPORT void QRVUnInit() {
  if (HostApDocManager* documents = hostDocManager()) documents->removeReactor(&dds::documentReactor());
}
