#pragma once
// A host session with a drawing and the style editor run on it headless:
// the test plays the user inside a driver and reads the pages back.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "dialog.h"
#include "dlgmodify/style_editor_dialog.h"
#include "headless_style_session.h"
#include "user_input.h"

struct EditorFixture : HeadlessStyleSession {
  static constexpr int kLinesPage = 1002, kSymbolsPage = 1003;

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
