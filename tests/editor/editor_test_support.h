#pragma once
// A host session with a drawing and the style editor run on it headless:
// the test plays the user inside a driver and reads the pages back.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "OdDbDatabase.h"
#include "OdDbDimStyleTableRecord.h"
#include "backend.h"
#include "dialog.h"
#include "dlgmodify/style_editor_dialog.h"
#include "headless_backend.h"
#include "host_test_support.h"
#include "stdafx/module_resources.h"
#include "translation.h"
#include "user_input.h"

struct EditorFixture : ::testing::Test {
  static constexpr int kLinesPage = 1002, kSymbolsPage = 1003;

  std::unique_ptr<ScriptedHost> host;
  OdDbDatabase* db = nullptr;

  void SetUp() override {
    ui::headlessBackend().reset();
    ui::setBackend(nullptr);
    host = std::make_unique<ScriptedHost>();
    db = host->newDocument()->database();
    Supp_InitResTranslation(&dds::moduleResources());
    setHostLanguage(HostLanguage::kEnglish);
  }
  void TearDown() override {
    ui::headlessBackend().reset();
    setHostLanguage(HostLanguage::kEnglish);
  }

  OdDbObjectId add(const OdString& name) {
    OdDbDimStyleTablePtr t = db->getDimStyleTableId().safeOpenObject(OdDb::kForWrite);
    OdDbDimStyleTableRecordPtr r = OdDbDimStyleTableRecordPtr(db->getDimStyleStandardId().safeOpenObject())->clone();
    r->setName(name);
    return t->add(r);
  }
  OdDbObjectId style(const OdString& name) {
    OdDbDimStyleTablePtr t = db->getDimStyleTableId().safeOpenObject();
    return t->getAt(name);
  }
  OdDbDimStyleTableRecordPtr open(const OdString& name, OdDb::OpenMode mode = OdDb::kForRead) {
    return OdDbDimStyleTableRecordPtr(style(name).safeOpenObject(mode));
  }
  void setVar(const OdString& styleName, const char* name, const OdDbDimVarValue& value) {
    open(styleName, OdDb::kForWrite)->setDimVar(*OdDbDimVars::indexOf(name), value);
  }

  // Runs the editor on a style (null: the current values); `play` acts as
  // the user on the frame and its pages. The result is 1 for OK, 2 else.
  int edit(OdDbObjectId target, const std::function<void(dds::StyleEditorDialog&, ui::Dialog&)>& play) {
    dds::StyleEditorDialog editor(db);
    editor.prepare(target);
    ui::headlessBackend().queueDriver([&](ui::Dialog& d) {
      ui::dispatchPostedMessages();
      play(editor, d);
    });
    return editor.run(nullptr);
  }
  static ui::Dialog& page(ui::Dialog& d, int windowId) { return *d.child(windowId); }
  static bool enabled(ui::Dialog& page, int id) { return page.control(id)->isEnabled(); }
  // The enabled states of controls, as '1' and '0'.
  static std::string states(ui::Dialog& page, std::initializer_list<int> ids) {
    std::string out;
    for (int id : ids) out += enabled(page, id) ? '1' : '0';
    return out;
  }
};
