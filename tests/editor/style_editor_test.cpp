// The style editor frame on the headless backend: what it loads and stores,
// where stored values go (the style, its child styles, the drawing's current
// values), the preview requests, and the script's way to its pages.
#include <numbers>

#include "DxfDrawingIO.h"
#include "OdDbLinetypeTableRecord.h"
#include "OdDmUtil.h"
#include "dialog_script.h"
#include "dlgmodify/editor_page.h"
#include "dlgmodify/editor_pages.h"
#include "dlgmodify/editor_store.h"
#include "editor_test_support.h"

using namespace dds;

namespace {

struct Editor : EditorFixture {
  OdDbObjectId dashed;

  void SetUp() override {
    EditorFixture::SetUp();
    OdDbLinetypeTablePtr table = db->getLinetypeTableId().safeOpenObject(OdDb::kForWrite);
    OdDbLinetypeTableRecordPtr lt = OdDbLinetypeTableRecord::createObject();
    lt->setName("DASHED");
    lt->setDashes({0.5, -0.25});
    dashed = table->add(lt);
  }

  // A style whose every Lines and Symbols value differs from the defaults.
  OdDbObjectId unusualStyle(const OdString& name) {
    const OdDbObjectId id = add(name);
    setVars(name, {{"DIMLTYPE", dashed}, {"DIMLTEX1", db->getLinetypeContinuousId()},
                   {"DIMLTEX2", OdDbObjectId()},  // ByBlock
                   {"DIMCLRD", OdCmColor::fromIndex(1)}, {"DIMCLRE", OdCmColor::fromRGB(10, 20, 30)},
                   {"DIMLWD", int(OdDb::kLnWt035)}, {"DIMLWE", int(OdDb::kLnWtByBlock)}, {"DIMSD1", true},
                   {"DIMSE2", true}, {"DIMFXLON", true}, {"DIMFXL", 1.25}, {"DIMDLE", 0.3}, {"DIMDLI", 7.5},
                   {"DIMEXE", 1.1}, {"DIMEXO", 0.625}, {"DIMASZ", 2.75}, {"DIMSAH", true},
                   {"DIMBLK1", OdDmUtil::getArrowId("_Open30", db)}, {"DIMBLK2", OdDmUtil::getArrowId("_Dot", db)},
                   {"DIMLDRBLK", OdDmUtil::getArrowId("_Oblique", db)}, {"DIMCEN", -0.09}, {"DIMARCSYM", 1},
                   {"DIMJOGANG", 30 * std::numbers::pi / 180}});
    return id;
  }
};

}  // namespace

TEST_F(Editor, LoadAndStoreKeepEveryValueOfTheLinesAndSymbolsPages) {
  unusualStyle("Arch");
  expectUnchanged("Arch",
                  {"DIMLTYPE", "DIMLTEX1", "DIMLTEX2", "DIMCLRD", "DIMCLRE", "DIMLWD", "DIMLWE", "DIMFXLON", "DIMFXL",
                   "DIMSD1", "DIMSD2", "DIMSE1", "DIMSE2", "DIMDLE", "DIMDLI", "DIMEXE", "DIMEXO", "DIMASZ", "DIMSAH",
                   "DIMBLK1", "DIMBLK2", "DIMLDRBLK", "DIMCEN", "DIMARCSYM", "DIMJOGANG"},
                  [&](ui::Dialog& d) {
                    EXPECT_EQ(page(d, kSymbolsPage).control(1053)->text(), "0.09");
                    EXPECT_EQ(page(d, kSymbolsPage).control(1057)->check(), ui::kChecked);
                    EXPECT_EQ(page(d, kSymbolsPage).control(1064)->text(), "30");
                  });
}

TEST_F(Editor, CancelAfterManyPreviewUpdatesLeavesTheDrawingAsSaved) {
  const OdDbObjectId id = unusualStyle("Arch");
  db->setDimstyle(id);
  db->setDimstyleData(id);
  const std::string before = saved();
  for (OdDbObjectId target : {id, OdDbObjectId()}) {
    EXPECT_EQ(edit(target, [&](StyleEditorDialog& editor, ui::Dialog& d) {
                ui::Dialog& lines = page(d, kLinesPage);
                // Five typed characters queue together: one refresh.
                const int before = editor.previewRefreshes();
                ASSERT_TRUE(ui::user::type(lines, 1025, "12.25"));
                EXPECT_EQ(ui::dispatchPostedMessages(), 1);
                EXPECT_EQ(editor.previewRefreshes(), before + 1);
                if (!target.isNull()) {
                  ASSERT_NE(editor.previewCopy(), nullptr);
                  EXPECT_EQ(editor.previewCopy()->dimdli(), 12.25) << "the preview's copy shows the change";
                }
                for (int i = 0; i < 20; ++i) {
                  ASSERT_TRUE(ui::user::type(lines, 1025, std::to_string(10 + i)));
                  ASSERT_TRUE(ui::user::spin(lines, 1024, true));
                  ui::dispatchPostedMessages();
                }
                ASSERT_TRUE(ui::user::select(d, kTabs, 1));
                ASSERT_TRUE(ui::user::click(page(d, kSymbolsPage), 1055));
                ui::dispatchPostedMessages();
                EXPECT_GE(editor.previewRefreshes(), 21);
                EXPECT_EQ(std::get<double>(db->dimVar(*OdDbDimVars::indexOf("DIMDLI"))), 7.5);
                ASSERT_TRUE(ui::user::click(d, 2));
              }),
              2);
  }
  EXPECT_EQ(saved(), before);
}

TEST_F(Editor, OkPassesChangesToCurrentValuesAndChildrenUnlessOverridden) {
  const OdDbObjectId id = add("Arch");
  add("Arch$0");
  add("Arch$7");
  setVar("Arch$0", "DIMEXE", 5.0);  // a child value of its own
  db->setDimstyle(id);
  db->setDimstyleData(id);
  db->setDimexo(4.0);  // the user's override
  const double oldAsz = open("Arch")->dimasz();
  EXPECT_EQ(edit(id, [&](StyleEditorDialog&, ui::Dialog& d) {
              ui::Dialog& lines = page(d, kLinesPage);
              ASSERT_TRUE(ui::user::type(lines, 1043, "2.5"));  // DIMEXE
              ASSERT_TRUE(ui::user::type(lines, 1045, "3.5"));  // DIMEXO
              ASSERT_TRUE(ui::user::select(d, kTabs, 1));
              ASSERT_TRUE(ui::user::type(page(d, kSymbolsPage), 1050, "0.75"));  // DIMASZ
              // The tolerance method Limits, with an upper value and a precision.
              ui::Dialog& tolerances = page(d, kTolerancePage);
              ASSERT_TRUE(ui::user::select(d, kTabs, 6));
              ASSERT_TRUE(ui::user::select(tolerances, 1147, 3));
              ASSERT_TRUE(ui::user::type(tolerances, 1152, "0.2"));
              ASSERT_TRUE(ui::user::select(tolerances, 1150, 2));
              ASSERT_TRUE(ui::user::pressKey(tolerances, ui::Key::kEnter));  // Enter on a page is the editor's OK
            }),
            1);
  EXPECT_EQ(open("Arch")->dimexe(), 2.5);
  EXPECT_EQ(db->dimexe(), 2.5) << "the current style's change reaches the current values";
  EXPECT_EQ(open("Arch")->dimexo(), 3.5);
  EXPECT_EQ(db->dimexo(), 4.0) << "an override stays";
  EXPECT_EQ(open("Arch$0")->dimexe(), 5.0) << "a child's own value stays";
  EXPECT_EQ(open("Arch$0")->dimexo(), 3.5) << "a child that followed its parent still does";
  EXPECT_EQ(open("Arch$7")->dimexo(), open("Standard")->dimexo()) << "extension lines do not reach leaders";
  EXPECT_EQ(open("Arch$7")->dimasz(), 0.75) << "the arrow size does";
  EXPECT_NE(oldAsz, 0.75);
  // The tolerance method goes to the style and the current values, never to
  // the children, which keep their own tolerances.
  EXPECT_TRUE(open("Arch")->dimlim());
  EXPECT_TRUE(db->dimlim());
  EXPECT_EQ(db->dimtp(), 0.2);
  EXPECT_FALSE(open("Arch$0")->dimlim());
  EXPECT_EQ(open("Arch$0")->dimtp(), 0.0);
  EXPECT_EQ(open("Arch$0")->dimtdec(), 2) << "other tolerance values reach the children";

  // Override: the current values alone.
  EXPECT_EQ(edit(OdDbObjectId(), [&](StyleEditorDialog& editor, ui::Dialog& d) {
              EXPECT_EQ(editor.type(), StyleEditorDialog::kTypeOverride);
              EXPECT_EQ(d.caption(), "Override current style: Arch");
              ASSERT_TRUE(ui::user::type(page(d, kLinesPage), 1025, "9"));
              ASSERT_TRUE(ui::user::click(d, 1));
            }),
            1);
  EXPECT_EQ(db->dimdli(), 9.0);
  EXPECT_NE(open("Arch")->dimdli(), 9.0);
}

TEST_F(Editor, AValueOutOfRangeKeepsTheEditorOpenAndWritesNothing) {
  const OdDbObjectId id = add("Arch");
  const std::string before = saved();
  EXPECT_EQ(edit(id, [&](StyleEditorDialog&, ui::Dialog& d) {
              ASSERT_TRUE(ui::user::type(page(d, kLinesPage), 1043, "-1"));
              ASSERT_TRUE(ui::user::type(page(d, kLinesPage), 1025, "3"));
              ASSERT_TRUE(ui::user::click(d, 1));
              EXPECT_FALSE(d.ended());
            }),
            2);
  EXPECT_EQ(saved(), before);
  EXPECT_NE(host->transcript().find("DIMEXE must be in the range"), std::string::npos) << host->transcript();
}

TEST_F(Editor, TitleTabsAndEmptyPagesForEveryMode) {
  add("Arch");
  const OdDbObjectId child = add("Arch$4");
  edit(child, [&](StyleEditorDialog& editor, ui::Dialog& d) {
    EXPECT_EQ(d.caption(), "Modify dimension style: Arch [Radius]");
    EXPECT_EQ(editor.type(), 4);
    const ui::Control* tabs = d.control(kTabs);
    ASSERT_EQ(tabs->itemCount(), 7);
    EXPECT_EQ(tabs->itemText(0), "Lines");
    EXPECT_EQ(tabs->itemText(6), "Tolerances");
    ASSERT_EQ(d.children().size(), 7u);
    EXPECT_TRUE(d.child(1002)->isVisible());
    for (int tab = 1; tab < 7; ++tab) {
      ASSERT_TRUE(ui::user::select(d, kTabs, tab));
      EXPECT_FALSE(editor.page(tab - 1)->window()->isVisible());
      EXPECT_TRUE(editor.page(tab)->window()->isVisible());
    }
  });
}

TEST_F(Editor, PrecisionListsFollowTheUnitModeAndKeepTheirPosition) {
  ui::DialogTemplate tmpl;
  tmpl.controls.push_back(ui::ControlTemplate{1, ui::ControlKind::kDropDown, "", {0, 0, 50, 12}, 0});
  ui::Dialog dialog(tmpl, nullptr, nullptr);
  ui::Control* list = dialog.control(1);
  StyleEditorDialog editor(db);
  editor.fillPrecisionList(2, list, false, false);  // decimal
  ASSERT_EQ(list->itemCount(), 9);
  EXPECT_EQ(list->itemText(8), "0.00000000");
  EXPECT_EQ(list->selection(), -1);
  list->setSelection(7);
  editor.fillPrecisionList(3, list, false, false);  // engineering: eight forms
  EXPECT_EQ(list->itemCount(), 8);
  EXPECT_EQ(list->selection(), 7);
  editor.fillPrecisionList(1, list, true, false);  // degrees, minutes, seconds
  EXPECT_EQ(list->itemText(0), "0d");
  EXPECT_EQ(list->selection(), 7);
  editor.fillPrecisionList(8, list, false, true);  // alternate Windows desktop: decimals
  EXPECT_EQ(list->itemText(2), "0.00");
  editor.fillPrecisionList(0, list, false, false);  // linear units have no mode 0: an error, the list stays
  EXPECT_EQ(list->itemText(2), "0.00");
}
