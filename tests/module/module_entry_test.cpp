// Loading the module, QRVInit and QRVUnInit, as the host does it.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "OdDbDatabase.h"
#include "command_factory.h"
#include "documents.h"
#include "host_context.h"
#include "host_entry.h"
#include "host_error.h"
#include "host_log.h"
#include "../host/host_test_support.h"
#include "module_test_support.h"
#include "translation.h"

namespace {

const char* const kNoPropertyManager = "dimprops(";
const char* const kNoPropertyManagerMessage =
    "ERROR(80004005) 'RETERRIF3VOID marco, expr: !pDoc->getPropManager(&pPM) '";

class ModuleEntry : public testing::Test {
protected:
  void SetUp() override {
    if (!std::filesystem::exists(modulePath())) GTEST_SKIP() << "libdds.so is not built";
    ASSERT_TRUE(module.ok()) << dlerror();
  }
  HostApDocument* addDocument(bool withPropertyManager = true) {
    return session.services.documents().addDocument(std::make_unique<OdDbDatabase>(OdDb::kMetric), "", "",
                                                    withPropertyManager);
  }
  ScriptedHost session;
  ModuleLibrary module;
};

TEST_F(ModuleEntry, InitRegistersBothCommandsAndAttachesTheReactor) {
  module.init();
  const HostCommandEntry* cmd = gpQrContext->findCommand("-DIMSTYLE");
  ASSERT_NE(cmd, nullptr);
  EXPECT_EQ(cmd->globalName, "-dimstyle");
  EXPECT_EQ(cmd->localName, "-dimstyle");
  EXPECT_EQ(cmd->flags, 0x2100000u);
  EXPECT_NE(cmd->handler, nullptr);
  EXPECT_FALSE(cmd->transparent);
  const auto* dialog = session.services.commandFactory().find("DIM", "DimStylesCmd");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->options, 0);
  EXPECT_EQ(session.services.commandFactory().findTyped("DIMSTYLE"), dialog);
  EXPECT_EQ(session.services.documents().reactorCount(), 1u);
  bool translated = false;
  for (QrInstance m : Supp_RegisteredModules()) translated |= std::string(m->moduleName) == "dds";
  EXPECT_TRUE(translated);
  module.uninit();
}

TEST_F(ModuleEntry, AfterUnInitTheReactorHearsNothingWhileCommandsStay) {
  CapturedLog log;
  module.init();
  addDocument(false);  // the reactor hears it and reports the missing property manager
  const std::string first = log.text();
  EXPECT_NE(first.find(kNoPropertyManager), std::string::npos);
  EXPECT_NE(first.find(kNoPropertyManagerMessage), std::string::npos);

  module.uninit();
  EXPECT_EQ(session.services.documents().reactorCount(), 0u);
  addDocument(false);
  session.services.documents().closeDocument(session.services.documents().curDocument());
  EXPECT_EQ(log.text(), first);  // nothing more from the reactor

  const HostCommandEntry* cmd = gpQrContext->findCommand("-dimstyle");
  ASSERT_NE(cmd, nullptr);
  ASSERT_NE(session.services.commandFactory().find("DIM", "DimStylesCmd"), nullptr);
  const std::size_t before = session.transcript().size();
  cmd->handler();  // still runs, on the remaining document
  EXPECT_GT(session.transcript().size(), before);
}

TEST_F(ModuleEntry, WithoutACommandFactoryTheRestStillHappens) {
  session.services.offerCommandFactory(false);
  module.init();
  EXPECT_EQ(session.services.commandFactory().find("DIM", "DimStylesCmd"), nullptr);
  EXPECT_NE(gpQrContext->findCommand("-dimstyle"), nullptr);
  EXPECT_EQ(session.services.documents().reactorCount(), 1u);
  module.uninit();
}

void otherHandler() {}

TEST_F(ModuleEntry, ARegistrationThatThrowsLeavesQRVInit) {
  struct Taken : QrCommand {
    Taken() {
      hostCopyWideBounded(globalName, kQrCmdNameChars, u"-DIMSTYLE");
      handler = &otherHandler;
    }
    HRESULT execute() override { return S_OK; }
    bool isTransparent() const override { return false; }
    bool isDocumentCommand() const override { return false; }
  };
  gpQrContext->registerCommand(Taken());
  EXPECT_THROW(module.init(), HostError);
  // The steps before it happened, the one after it did not.
  EXPECT_NE(session.services.commandFactory().find("DIM", "DimStylesCmd"), nullptr);
  EXPECT_EQ(gpQrContext->findCommand("-dimstyle")->handler, &otherHandler);
  EXPECT_EQ(session.services.documents().reactorCount(), 0u);
  module.uninit();  // detaching what was never attached is harmless
}

TEST_F(ModuleEntry, WithoutADocumentManagerNoReactorIsAttached) {
  HostApDocManager* documents = hostDocManager();
  hostInstallEntry(kHostEntryDocManager, nullptr);
  module.init();
  module.uninit();
  hostInstallEntry(kHostEntryDocManager, documents);
  EXPECT_EQ(documents->reactorCount(), 0u);
  EXPECT_NE(gpQrContext->findCommand("-dimstyle"), nullptr);
}

TEST_F(ModuleEntry, UnloadingWithoutUnInitDetachesTheReactor) {
  module.init();
  ASSERT_EQ(session.services.documents().reactorCount(), 1u);
  gpQrContext->forgetCommandsFrom(0);
  session.services.commandFactory().forgetFrom(0);
  module.close();  // the module-wide reactor is destroyed with the library
  if (void* still = dlopen(modulePath().c_str(), RTLD_NOW | RTLD_NOLOAD)) {
    dlclose(still);
    GTEST_SKIP() << "the library stays loaded after dlclose (unique symbols), so its reactor lives on";
  }
  EXPECT_EQ(session.services.documents().reactorCount(), 0u);
  addDocument();  // must not reach the destroyed reactor
}

TEST_F(ModuleEntry, TheCommandLineCommandNeedsADocument) {
  CapturedLog log;
  module.init();
  gpQrContext->findCommand("-dimstyle")->handler();  // no document
  EXPECT_NE(log.text().find("dds/dds("), std::string::npos);
  EXPECT_NE(log.text().find("ERROR(80004005) 'RETERRIF3VOID marco, expr: !pAD '"), std::string::npos);
  addDocument();
  gpQrContext->findCommand("-dimstyle")->handler();
  EXPECT_EQ(session.transcript().rfind("Current dimension style: \"Standard\". Annotative: No.\n", 0), 0u)
      << session.transcript();
  module.uninit();
}

}  // namespace
