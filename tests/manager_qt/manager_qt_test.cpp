// The style manager, the New style dialog and the import's picking dialog
// as Qt widgets on the offscreen platform: the widgets show what the
// headless dump shows, and screenshots of the dialogs in English and
// Russian are written for review.
#include <QPushButton>

#include "OdDbDatabase.h"
#include "OdDbDimStyleTableRecord.h"
#include "dialog.h"
#include "dialog_script.h"
#include "dim_block_builder.h"
#include "dlgdimstyle/import_styles_dialog.h"
#include "dlgdimstyle/style_manager_dialog.h"
#include "host_test_support.h"
#include "native_gate.h"
#include "../shared/qt_dialog_test_support.h"
#include "../shared/style_table_test_support.h"
#include "user_input.h"

using namespace qttest;

namespace {

// The renderer draws the preview, as in the host.
bool installRenderer() {
  render::installDimBlockBuilder();
  render::installNativeGate();
  return true;
}

struct ManagerQt : QtDialogTest<::testing::TestWithParam<HostLanguage>> {
  bool rendererInstalled = installRenderer();
  ScriptedHost host;
  OdDbDatabase* db = host.newDocument()->database();

  void SetUp() override {
    startIn(GetParam());
    for (const char* name : {"Arch", "Arch$0", "Arch$4", "Site"}) addStandardCopy(*db, name);
    db->setDimasz(5.0);  // overrides of the current style
  }
};

}  // namespace

TEST_P(ManagerQt, WindowsShowTheDialogsAndTheirScreenshotsAreWritten) {
  const std::string lang = languageTag(GetParam());
  std::vector<int> shown;
  ui::qt::qtBackend().setShownHook([&](ui::Dialog& dialog, QWidget& window) {
    settle();
    shown.push_back(dialog.templateId());
    EXPECT_EQ(ui::qt::QtBackend::dumpWidgets(dialog), ui::dumpDialog(dialog));
    if (dialog.templateId() == 1020) {
      ui::user::doubleClick(dialog, 1022, 1);  // one style marked
      settle();
      EXPECT_EQ(ui::qt::QtBackend::dumpWidgets(dialog), ui::dumpDialog(dialog));
      shot(window, "import-styles-dialog-" + lang + ".png");
      window.findChild<QPushButton*>("2")->click();
      return;
    }
    if (dialog.templateId() == 1002) {
      shot(window, "new-style-dialog-" + lang + ".png");
      window.findChild<QPushButton*>("2")->click();
      return;
    }
    shot(window, "style-manager-" + lang + ".png");
    window.findChild<QPushButton*>("4")->click();  // New, cancelled
    settle();
    window.findChild<QPushButton*>("2")->click();
  });
  dds::StyleManagerDialog manager(db);
  EXPECT_EQ(manager.run(nullptr), 2);
  dds::ImportStylesDialog import({"Standard", "Company", "Company-Arch"}, {true, false, false});
  EXPECT_EQ(import.run(nullptr), 2);
  EXPECT_EQ(shown, (std::vector<int>{1000, 1002, 1020}));
}

QT_TEST_IN_BOTH_LANGUAGES(ManagerQt);
