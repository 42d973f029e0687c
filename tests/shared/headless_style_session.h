#pragma once
// A host session with one drawing whose dialogs run on the headless
// backend in English; the test plays the user and reads the styles back.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "backend.h"
#include "headless_backend.h"
#include "host_test_support.h"
#include "stdafx/module_resources.h"
#include "style_table_test_support.h"
#include "translation.h"

struct HeadlessStyleSession : ::testing::Test {
  std::unique_ptr<ScriptedHost> host;
  OdDbDatabase* db = nullptr;

  void SetUp() override { start(""); }
  void TearDown() override {
    ui::headlessBackend().reset();
    setHostLanguage(HostLanguage::kEnglish);
  }
  // A fresh session whose questions get `answers`.
  void start(const std::string& answers) {
    ui::headlessBackend().reset();
    ui::setBackend(nullptr);
    host.reset();  // one set of host services at a time
    host = std::make_unique<ScriptedHost>(answers);
    db = host->newDocument()->database();
    Supp_InitResTranslation(&dds::moduleResources());
    setHostLanguage(HostLanguage::kEnglish);
  }

  OdDbObjectId add(const OdString& name) { return addStandardCopy(*db, name); }
  OdDbObjectId style(const OdString& name) { return styleNamed(*db, name); }
};
