// The style editor as Qt widgets on the offscreen platform: the frame and
// its pages show what the headless dump shows, and screenshots of the seven
// pages in English and Russian are written for review.
#include <QPushButton>
#include <QTabBar>

#include "OdDbDatabase.h"
#include "OdDbDimStyleTableRecord.h"
#include "dialog.h"
#include "dialog_script.h"
#include "dim_block_builder.h"
#include "dlgmodify/style_editor_dialog.h"
#include "host_test_support.h"
#include "native_gate.h"
#include "../shared/qt_dialog_test_support.h"

using namespace qttest;

namespace {

bool installRenderer() {
  render::installDimBlockBuilder();
  render::installNativeGate();
  return true;
}

struct EditorQt : QtDialogTest<::testing::TestWithParam<HostLanguage>> {
  bool rendererInstalled = installRenderer();
  ScriptedHost host;
  OdDbDatabase* db = host.newDocument()->database();
  void SetUp() override { startIn(GetParam()); }
};

}  // namespace

TEST_P(EditorQt, PagesShowAsTheDumpSaysAndTheirScreenshotsAreWritten) {
  const std::string lang = languageTag(GetParam());
  {
    // Values that enable most of the unit and tolerance pages.
    OdDbDimStyleTableRecordPtr standard = db->getDimStyleStandardId().safeOpenObject(OdDb::kForWrite);
    standard->setDimsd2(true);
    standard->setDimalt(true);
    standard->setDimtol(true);
    standard->setDimtp(0.1);
    standard->setDimtm(0.05);
  }
  bool shown = false;
  ui::qt::qtBackend().setShownHook([&](ui::Dialog& dialog, QWidget& window) {
    shown = true;
    auto* tabs = window.findChild<QTabBar*>("1155");
    ASSERT_NE(tabs, nullptr);
    const char* names[] = {"lines", "symbols", "text", "fit", "primary", "alternate", "tolerances"};
    for (int tab = 0; tab < int(std::size(names)); ++tab) {
      SCOPED_TRACE(names[tab]);
      tabs->setCurrentIndex(tab);
      // A scale typed below 0 shows red in the widget as in the dump.
      if (tab == 3) dialog.child(1005)->control(1101)->setText("-2");
      settle();
      EXPECT_EQ(dialog.control(1155)->selection(), tab);
      if (tab == 3) {
        EXPECT_NE(ui::dumpDialog(dialog).find("colors=#F00000/#FFFFFF"), std::string::npos);
      }
      EXPECT_EQ(ui::qt::QtBackend::dumpWidgets(dialog), ui::dumpDialog(dialog));
      shot(window, "style-editor-" + std::string(names[tab]) + "-" + lang + ".png");
    }
    window.findChild<QPushButton*>("2")->click();
  });
  dds::StyleEditorDialog editor(db);
  editor.prepare(db->getDimStyleStandardId());
  EXPECT_EQ(editor.run(nullptr), 2);
  EXPECT_TRUE(shown);
}

QT_TEST_IN_BOTH_LANGUAGES(EditorQt);
