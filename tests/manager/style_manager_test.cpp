// The style manager and the New style dialog on the headless backend: the
// rows the list shows, which actions each kind of row offers, and what each
// action leaves in the style table.
#include <gtest/gtest.h>

#include <cstdlib>

#include "OdDbBlockTableRecord.h"
#include "OdDbDatabase.h"
#include "OdDbDimStyleTableRecord.h"
#include "OdDbDimension.h"
#include "backend.h"
#include "dialog.h"
#include "dlgdimstyle/new_style_dialog.h"
#include "dlgdimstyle/style_manager_dialog.h"
#include "drawing_io.h"
#include "../shared/headless_style_session.h"
#include "user_input.h"

using namespace dds;

namespace {

constexpr int kList = 1000, kCurrentLabel = 1001, kPreviewLabel = 1003;
constexpr int kSetCurrent = 3, kNew = 4, kModify = 5, kOverride = 6, kCompare = 7, kDelete = 8;
constexpr int kName = 1006, kSource = 1008, kUseFor = 1010, kOk = 1;

struct Manager : HeadlessStyleSession {
  void makeCurrent(OdDbObjectId id) {
    db->setDimstyle(id);
    db->setDimstyleData(id);
  }
  OdDbObjectId addRadial(OdDbObjectId dimStyle, OdDbObjectId block) {
    OdDbBlockTableRecordPtr space = block.safeOpenObject(OdDb::kForWrite);
    OdDbRadialDimensionPtr d = OdDbRadialDimension::createObject();
    d->setCenter({0, 0, 0});
    d->setChordPoint({5, 0, 0});
    d->setDimensionStyle(dimStyle);
    return space->appendOdDbEntity(d);
  }

  // Runs the manager; `play` acts as the user, then Close.
  void run(const std::function<void(ui::Dialog&)>& play) {
    ui::headlessBackend().queueDriver([&](ui::Dialog& d) {
      play(d);
      if (!d.ended()) {
        ASSERT_TRUE(ui::user::click(d, 2));
      }
    });
    StyleManagerDialog dialog(db);
    EXPECT_EQ(dialog.run(nullptr), 2);
  }
  // Rows as "label" or "  label" for indented ones.
  static std::vector<std::string> rows(ui::Dialog& d) {
    std::vector<std::string> out;
    const ui::Control* list = d.control(kList);
    for (int i = 0; i < list->itemCount(); ++i)
      out.push_back(std::string(list->item(i)->indent ? "  " : "") + list->itemText(i));
    return out;
  }
  static void pick(ui::Dialog& d, const std::string& label) {
    const int row = d.control(kList)->findItemText(label);
    ASSERT_GE(row, 0) << label;
    ASSERT_TRUE(ui::user::select(d, kList, row));
  }
  // Enabled buttons among Set current, Override, Modify, Compare, Delete.
  static std::string buttons(ui::Dialog& d) {
    std::string out;
    for (int id : {kSetCurrent, kOverride, kModify, kCompare, kDelete})
      out += d.control(id)->isEnabled() ? '1' : '0';
    return out;
  }
};

}  // namespace

TEST_F(Manager, RowsShowChildrenBelowTheirParentAndTheOverridesRow) {
  add("Arch");
  add("Arch$2");
  add("Arch$2$4");  // a child of a child: no parent row, at the end
  add("Arch$4");
  makeCurrent(style("Arch"));
  db->setDimasz(9.0);  // an override of the current style
  run([&](ui::Dialog& d) {
    EXPECT_EQ(d.caption(), "Dimension Style Manager");
    EXPECT_EQ(rows(d), (std::vector<std::string>{"Standard", "Arch", "  Radius", "  Angular", "  <style overrides>",
                                                 "  Arch$2 [Radius]"}));
    EXPECT_EQ(d.control(kCurrentLabel)->text(), "Current style: Arch");
    EXPECT_EQ(d.control(kList)->selection(), 1) << "the current style is selected at start";
    pick(d, "Angular");
    EXPECT_EQ(d.control(kPreviewLabel)->text(), "Preview of: Arch [Angular]");
    pick(d, "<style overrides>");
    EXPECT_EQ(d.control(kPreviewLabel)->text(), "Preview of: <style overrides>");
  });
  // Without overrides there is no overrides row.
  db->setDimstyleData(style("Arch"));
  run([&](ui::Dialog& d) { EXPECT_EQ(rows(d)[4], "  Arch$2 [Radius]"); });
}

TEST_F(Manager, ButtonsFollowTheKindOfRow) {
  add("Arch");
  add("Arch$0");
  add("Used");
  addRadial(style("Used"), db->getModelSpaceId());
  db->setDimasz(9.0);
  run([&](ui::Dialog& d) {
    // Set current, Override, Modify, Compare, Delete.
    pick(d, "Standard");
    EXPECT_EQ(buttons(d), "01110") << "the current style";
    pick(d, "<style overrides>");
    EXPECT_EQ(buttons(d), "00111");
    pick(d, "Arch");
    EXPECT_EQ(buttons(d), "10111") << "another parent, unused";
    pick(d, "Linear");
    EXPECT_EQ(buttons(d), "00111") << "a child";
    ASSERT_TRUE(ui::user::doubleClick(d, kList, d.control(kList)->selection()));
    pick(d, "Used");
    EXPECT_EQ(buttons(d), "10110") << "a parent something refers to";
    ui::headlessBackend().queueDriver([](ui::Dialog& editor) {
      EXPECT_EQ(editor.caption(), "Modify dimension style: Used");
      ASSERT_TRUE(ui::user::click(editor, 2));
    });
    EXPECT_TRUE(ui::user::click(d, kModify));
  });
  EXPECT_EQ(db->getDimstyle(), db->getDimStyleStandardId()) << "a double click on a child changes nothing";
}

TEST_F(Manager, SetCurrentAsksAboutOverridesAndKeepsThemWhenDeclined) {
  start("N\nY\n");
  add("Arch");
  db->setDimasz(9.0);
  run([&](ui::Dialog& d) {
    pick(d, "Arch");
    ASSERT_TRUE(ui::user::click(d, kSetCurrent));
    EXPECT_EQ(d.control(kCurrentLabel)->text(), "Current style: Standard");
    EXPECT_EQ(rows(d), (std::vector<std::string>{"Standard", "  <style overrides>", "Arch"}));
    EXPECT_EQ(d.control(kList)->itemText(d.control(kList)->selection()), "Arch");
    ASSERT_TRUE(ui::user::pressKey(d, ui::Key::kSpace, kList));  // answered Yes
    EXPECT_EQ(d.control(kCurrentLabel)->text(), "Current style: Arch");
    EXPECT_EQ(rows(d), (std::vector<std::string>{"Standard", "Arch"}));
  });
  EXPECT_EQ(db->getDimstyle(), style("Arch"));
  EXPECT_NE(host->transcript().find("Setting another style current will discard your style overrides."),
            std::string::npos);
}

TEST_F(Manager, DeleteRemovesUnusedGroupsAndRestoresOverrides) {
  add("Arch");
  add("Arch$3");
  add("Spare");
  add("Spare$0");
  addRadial(style("Arch$3"), db->getModelSpaceId());
  const double standardArrows = db->dimasz();
  db->setDimasz(9.0);
  run([&](ui::Dialog& d) {
    pick(d, "Arch");
    ASSERT_TRUE(ui::user::pressKey(d, ui::Key::kDelete, kList));
    EXPECT_EQ(rows(d).size(), 6u) << "the used child keeps its parent";
    pick(d, "Spare");
    const int row = d.control(kList)->selection();
    ASSERT_TRUE(ui::user::click(d, kDelete));
    EXPECT_EQ(rows(d), (std::vector<std::string>{"Standard", "  <style overrides>", "Arch", "  Diameter"}));
    EXPECT_EQ(d.control(kList)->selection(), row - 1) << "the new last row";
    pick(d, "<style overrides>");
    ASSERT_TRUE(ui::user::click(d, kDelete));
    EXPECT_EQ(rows(d), (std::vector<std::string>{"Standard", "Arch", "  Diameter"}));
    EXPECT_DOUBLE_EQ(db->dimasz(), standardArrows);
  });
  // New overrides, this time kept in the current style.
  db->setDimasz(9.0);
  run([&](ui::Dialog& d) {
    pick(d, "<style overrides>");
    ui::headlessBackend().queueMenuAnswer("Save to current style");
    ASSERT_TRUE(ui::user::rightClick(d, kList, d.control(kList)->selection()));
    EXPECT_EQ(rows(d), (std::vector<std::string>{"Standard", "Arch", "  Diameter"}));
  });
  EXPECT_DOUBLE_EQ(OdDbDimStyleTableRecordPtr(db->getDimStyleStandardId().safeOpenObject())->dimasz(), 9.0);
  EXPECT_TRUE(style("Spare").isNull());
  EXPECT_TRUE(style("Spare$0").isNull());
  EXPECT_FALSE(style("Arch").isNull());
  EXPECT_NE(host->transcript().find("\"Arch\" or one of its child styles is in use; nothing was deleted."),
            std::string::npos);
}

TEST_F(Manager, RenamingAParentRenamesItsChildrenAndARefusalKeepsTheName) {
  add("Arch");
  add("Arch$0");
  add("Arch$6");
  db->setDimasz(9.0);
  run([&](ui::Dialog& d) {
    const int arch = d.control(kList)->findItemText("Arch");
    ASSERT_TRUE(ui::user::editLabel(d, kList, arch, std::string("Plan")));
    EXPECT_EQ(rows(d), (std::vector<std::string>{"Standard", "  <style overrides>", "Plan", "  Ordinate", "  Linear"}));
    const int plan = d.control(kList)->findItemText("Plan");
    EXPECT_FALSE(ui::user::editLabel(d, kList, plan + 1, std::string("X"))) << "a child row";
    EXPECT_FALSE(ui::user::editLabel(d, kList, 1, std::string("X"))) << "the overrides row";
    ASSERT_TRUE(ui::user::editLabel(d, kList, plan, std::string("standard")));
    EXPECT_EQ(d.control(kList)->itemText(plan), "Plan");
    // The context menu offers Rename, and F2 starts it.
    ui::headlessBackend().queueMenuAnswer("Rename");
    ASSERT_TRUE(ui::user::rightClick(d, kList, plan));
    EXPECT_TRUE(d.control(kList)->isEditingLabel());
    d.control(kList)->endLabelEdit(false);
  });
  EXPECT_FALSE(style("Plan$0").isNull());
  EXPECT_FALSE(style("Plan$6").isNull());
  EXPECT_TRUE(style("Arch").isNull());
  EXPECT_NE(host->transcript().find("The style keeps its name: \"standard\""), std::string::npos);
}

TEST_F(Manager, NewMakesAChildForOneKindAndSwitchesThoseDimensionsUnlessCancelled) {
  add("Copy of Standard");
  const OdDbObjectId inModel = addRadial(db->getDimStyleStandardId(), db->getModelSpaceId());
  const OdDbObjectId inPaper = addRadial(db->getDimStyleStandardId(), db->getPaperSpaceId());
  // Cancelled in the editor: no copy, and no dimension switched.
  ui::headlessBackend().queueDriver([](ui::Dialog& d) {
    ASSERT_TRUE(ui::user::click(d, kNew));
    EXPECT_EQ(rows(d), (std::vector<std::string>{"Standard", "Copy of Standard"}));
    ASSERT_TRUE(ui::user::click(d, 2));
  });
  ui::headlessBackend().queueDriver([](ui::Dialog& d) {
    ASSERT_TRUE(ui::user::select(d, kUseFor, d.control(kUseFor)->findItemText("Radial dimensions")));
    ASSERT_TRUE(ui::user::click(d, kOk));
  });
  ui::headlessBackend().queueDriver([](ui::Dialog& editor) { ASSERT_TRUE(ui::user::click(editor, 2)); });
  StyleManagerDialog(db).run(nullptr);
  EXPECT_TRUE(style("Standard$4").isNull());
  EXPECT_EQ(OdDbDimensionPtr(inModel.safeOpenObject())->dimensionStyle(), db->getDimStyleStandardId());

  ui::headlessBackend().queueDriver([](ui::Dialog& d) {
    pick(d, "Standard");
    ASSERT_TRUE(ui::user::click(d, kNew));
    // Back from New: the new child is selected.
    EXPECT_EQ(rows(d), (std::vector<std::string>{"Standard", "  Radius", "Copy of Standard"}));
    EXPECT_EQ(d.control(kList)->selection(), 1);
    ASSERT_TRUE(ui::user::click(d, 2));
  });
  ui::headlessBackend().queueDriver([](ui::Dialog& d) {
    EXPECT_EQ(d.caption(), "Creating style");
    EXPECT_EQ(d.control(kName)->text(), "Copy of Standard 1");
    EXPECT_EQ(d.control(kSource)->itemText(d.control(kSource)->selection()), "Standard");
    for (const char* bad : {"", "a<b", "copy of standard"}) {
      ASSERT_TRUE(ui::user::type(d, kName, bad));
      EXPECT_FALSE(d.control(kOk)->isEnabled()) << bad;
    }
    ASSERT_TRUE(ui::user::select(d, kUseFor, d.control(kUseFor)->findItemText("Radial dimensions")));
    EXPECT_FALSE(d.control(kName)->isEnabled());
    EXPECT_TRUE(d.control(kOk)->isEnabled()) << "Standard$4 is made whatever the field holds";
    ASSERT_TRUE(ui::user::click(d, kOk));
  });
  ui::headlessBackend().queueDriver([](ui::Dialog& editor) {
    EXPECT_EQ(editor.caption(), "Modify dimension style: Standard [Radius]");
    ASSERT_TRUE(ui::user::click(editor, kOk));
  });
  StyleManagerDialog manager(db);
  EXPECT_EQ(manager.run(nullptr), 2);
  const OdDbObjectId child = style("Standard$4");
  ASSERT_FALSE(child.isNull());
  for (OdDbObjectId id : {inModel, inPaper})
    EXPECT_EQ(OdDbDimensionPtr(id.safeOpenObject())->dimensionStyle(), child);
}

TEST_F(Manager, NewFollowsTheChosenStartingStyle) {
  add("Arch");
  add("Arch$2");
  NewStyleDialog orphan(db);
  EXPECT_EQ(orphan.run(nullptr, style("Arch")), 3) << "no owner window";
  ui::headlessBackend().queueDriver([&](ui::Dialog& d) {
    pick(d, "Angular");
    ASSERT_TRUE(ui::user::click(d, kNew));
    EXPECT_EQ(d.control(kList)->itemText(d.control(kList)->selection()), "Copy of Arch");
    ASSERT_TRUE(ui::user::click(d, 2));
  });
  ui::headlessBackend().queueDriver([&](ui::Dialog& d) {
    EXPECT_EQ(d.control(kName)->text(), "Copy of Arch") << "a child source proposes its parent's name";
    ASSERT_TRUE(ui::user::select(d, kSource, d.control(kSource)->findItemText("Standard")));
    EXPECT_EQ(d.control(kName)->text(), "Copy of Standard");
    ASSERT_TRUE(ui::user::type(d, kName, "Mine"));
    ASSERT_TRUE(ui::user::select(d, kSource, d.control(kSource)->findItemText("Arch")));
    EXPECT_EQ(d.control(kName)->text(), "Copy of Arch");
    ASSERT_TRUE(ui::user::click(d, kOk));
  });
  ui::headlessBackend().queueDriver([](ui::Dialog& editor) { ASSERT_TRUE(ui::user::click(editor, kOk)); });
  StyleManagerDialog manager(db);
  manager.run(nullptr);
  EXPECT_FALSE(style("Copy of Arch").isNull());
}

// "Import styles..." of the context menu: the path box, the picking dialog
// with what Import would do to each row, and the refilled list.
TEST_F(Manager, ImportStylesPicksFromAnotherDrawingAndRefills) {
  constexpr int kPath = 100, kStyles = 1022, kMarkAll = 1023, kClearMarks = 1024, kOverwrite = 1025;
  TempFolder folder;
  const std::string standard = folder.file("standard.dxf");
  std::ofstream(standard) << "stands for the drawing the reader below makes\n";
  hostSetDrawingIO(
      [](const std::string&, HostDrawingRead&) {
        auto source = std::make_unique<OdDbDatabase>();
        OdDbDimStyleTablePtr t = source->getDimStyleTableId().safeOpenObject(OdDb::kForWrite);
        OdDbDimStyleTableRecordPtr base = source->getDimStyleStandardId().safeOpenObject(OdDb::kForWrite);
        base->setDimasz(7.0);
        for (const char* name : {"Company", "Company$0"}) {
          OdDbDimStyleTableRecordPtr r = base->clone();
          r->setName(name);
          t->add(r);
        }
        return source;
      },
      nullptr);
  const double ownArrows = OdDbDimStyleTableRecordPtr(db->getDimStyleStandardId().safeOpenObject())->dimasz();
  auto askPath = [](const std::string& path) {
    ui::headlessBackend().queueDriver([path](ui::Dialog& d) {
      ASSERT_TRUE(ui::user::type(d, kPath, path));
      ASSERT_TRUE(ui::user::click(d, kOk));
    });
  };
  auto action = [](ui::Dialog& d, int row) { return d.control(kStyles)->itemText(row, 1); };
  auto openImport = [](ui::Dialog& d) {
    ui::headlessBackend().queueMenuAnswer("Import styles...");
    ASSERT_TRUE(ui::user::rightClick(d, kList, 0));
  };

  // Drivers run in the order they were queued: the manager first, then
  // each dialog it opens.
  ui::headlessBackend().queueDriver([&](ui::Dialog& d) {
    openImport(d);
    openImport(d);
    EXPECT_EQ(rows(d), (std::vector<std::string>{"Standard"})) << "a failed or cancelled import changes nothing";
    openImport(d);
    EXPECT_EQ(rows(d), (std::vector<std::string>{"Standard", "Company", "  Linear"}));
    ASSERT_TRUE(ui::user::click(d, 2));
  });
  askPath(folder.file("missing.dxf"));
  askPath(standard);  // picked, then cancelled
  ui::headlessBackend().queueDriver([&](ui::Dialog& d) {
    EXPECT_EQ(d.caption(), "Import Dimension Styles");
    ASSERT_TRUE(ui::user::doubleClick(d, kStyles, 1));
    ASSERT_TRUE(ui::user::click(d, 2));
  });
  askPath(standard);
  ui::headlessBackend().queueDriver([&](ui::Dialog& d) {
    EXPECT_EQ(d.control(kStyles)->itemText(0), "Standard");
    EXPECT_EQ(d.control(kStyles)->itemText(1), "Company");
    EXPECT_EQ(d.control(kStyles)->itemCount(), 2) << "child styles come with their parent";
    EXPECT_FALSE(d.control(kOk)->isEnabled()) << "nothing marked";
    ASSERT_TRUE(ui::user::click(d, kMarkAll));
    EXPECT_EQ(action(d, 0), "skip, this drawing has it");
    EXPECT_EQ(action(d, 1), "import");
    ASSERT_TRUE(ui::user::setCheck(d, kOverwrite, true));
    EXPECT_EQ(action(d, 0), "overwrite");
    ASSERT_TRUE(ui::user::click(d, kClearMarks));
    EXPECT_FALSE(d.control(kOk)->isEnabled());
    ASSERT_TRUE(ui::user::select(d, kStyles, 1));
    ASSERT_TRUE(ui::user::pressKey(d, ui::Key::kSpace, kStyles));
    EXPECT_EQ(action(d, 0), "");
    ASSERT_TRUE(ui::user::click(d, kOk));
  });
  StyleManagerDialog(db).run(nullptr);
  hostSetDrawingIO(nullptr, nullptr);
  EXPECT_DOUBLE_EQ(OdDbDimStyleTableRecordPtr(db->getDimStyleStandardId().safeOpenObject())->dimasz(), ownArrows);
  EXPECT_DOUBLE_EQ(OdDbDimStyleTableRecordPtr(style("Company").safeOpenObject())->dimasz(), 7.0);
  const std::string said = host->transcript();
  expectAllIn(said, {"cannot open: no such file: " + folder.file("missing.dxf"), "Company: imported",
                     "Dimension styles: 2 imported, 0 overwritten"});
}

// With Shift held as the editor closes with OK, the values the edit left
// go to the log; without it, or after Cancel, nothing does.
TEST_F(Manager, ShiftHeldListsTheEditedValuesInTheLog) {
  add("Arch");
  CapturedLog log;
  auto editorPresses = [](int button) {
    ui::headlessBackend().queueDriver([button](ui::Dialog& editor) { ASSERT_TRUE(ui::user::click(editor, button)); });
  };
  run([&](ui::Dialog& d) {
    pick(d, "Arch");
    editorPresses(1);
    ASSERT_TRUE(ui::user::click(d, kModify));  // Shift up
    ui::headlessBackend().setShiftDown(true);
    editorPresses(2);
    ASSERT_TRUE(ui::user::click(d, kModify));  // cancelled
    editorPresses(1);
    ASSERT_TRUE(ui::user::click(d, kModify));
    pick(d, "Standard");
    editorPresses(1);
    ASSERT_TRUE(ui::user::click(d, kOverride));
  });
  const std::string text = log.text();
  auto count = [&](const std::string& part) {
    int n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
  };
  EXPECT_EQ(count("Dimension Style Arch"), 1) << text;
  EXPECT_EQ(count("Dimension Style overrides"), 1) << text;
  EXPECT_EQ(count("DIMASZ = "), 2) << text;
  EXPECT_EQ(count(" = "), 2 * 78) << text;
}
