#pragma once
// A host session with a drawing and the style editor run on it headless:
// the test plays the user inside a driver and reads the pages back.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "DxfDrawingIO.h"
#include "dialog.h"
#include "dlgmodify/editor_store.h"
#include "dlgmodify/style_editor_dialog.h"
#include "../shared/headless_style_session.h"
#include "user_input.h"

struct EditorFixture : HeadlessStyleSession {
  // The editor's tabs and the window ids of its pages.
  static constexpr int kTabs = 1155, kLinesPage = 1002, kSymbolsPage = 1003, kFitPage = 1005, kTextPage = 1006,
                       kPrimaryPage = 1007, kAlternatePage = 1008, kTolerancePage = 1009;

  OdDbDimStyleTableRecordPtr open(const OdString& name, OdDb::OpenMode mode = OdDb::kForRead) {
    return OdDbDimStyleTableRecordPtr(style(name).safeOpenObject(mode));
  }
  void setVar(const OdString& styleName, const char* name, const OdDbDimVarValue& value) {
    open(styleName, OdDb::kForWrite)->setDimVar(*OdDbDimVars::indexOf(name), value);
  }
  void setVars(const OdString& styleName, std::initializer_list<std::pair<const char*, OdDbDimVarValue>> values) {
    for (const auto& [name, value] : values) setVar(styleName, name, value);
  }
  std::string saved() { return writeDxfDrawingToBytes(*db); }
  OdDbObjectId addTextStyle(const OdString& name, double fixedHeight = 0.0) {
    return ::addTextStyle(*db, name, fixedHeight);
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
  // What the pages would store, by variable name.
  std::map<std::string, OdDbDimVarValue> stored(const dds::StyleEditorDialog& editor) {
    dds::EditorStore store(db);
    editor.storeControls(store);
    std::map<std::string, OdDbDimVarValue> out;
    for (const dds::StoredValue& v : store.values()) out[OdDbDimVars::describe(v.var).name] = v.value;
    return out;
  }
  // OK on an untouched editor stores each named value as it was loaded and
  // writes nothing; `look` sees the dialog before OK.
  void expectUnchanged(const OdString& styleName, std::initializer_list<const char*> names,
                       const std::function<void(ui::Dialog&)>& look = {}) {
    const OdDbDimVars values = open(styleName)->dimVars();
    const std::string before = saved();
    EXPECT_EQ(edit(style(styleName),
                   [&](dds::StyleEditorDialog& editor, ui::Dialog& d) {
                     const auto out = stored(editor);
                     for (const char* name : names) {
                       ASSERT_TRUE(out.count(name)) << name << " is not stored";
                       const int var = *OdDbDimVars::indexOf(name);
                       EXPECT_TRUE(dds::sameEditorValue(var, out.at(name), values.get(var), db)) << name;
                     }
                     if (look) look(d);
                     ASSERT_TRUE(ui::user::click(d, 1));
                   }),
              1);
    EXPECT_EQ(saved(), before) << "OK without a change writes nothing";
  }
};
