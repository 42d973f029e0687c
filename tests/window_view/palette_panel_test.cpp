// The Properties palette docked in the main window, on the offscreen
// platform with the module's rows: what a row shows when the selected
// dimensions differ, the type filter's counts, tooltips, row heights, and
// the name column's width kept in the window's settings.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTreeWidget>
#include <QSettings>
#include <QTreeWidgetItemIterator>
#include <filesystem>
#include <sstream>

#include "OdDbBlockTableRecord.h"
#include "OdDbDatabase.h"
#include "OdDbDimension.h"
#include "OdDbEntities.h"
#include "OdDmUtil.h"
#include "../host/host_test_support.h"
#include "console.h"
#include "documents.h"
#include "host_services.h"
#include "module_test_support.h"
#include "offscreen_application.h"
#include "palette_panel.h"
#include "translation.h"

namespace {

// A drawing with two rotated dimensions of different text heights and an
// aligned one, all selected, shown in a palette panel.
struct PalettePanelTest : ::testing::Test {
  std::istringstream in;
  std::ostringstream out;
  ScriptInput script{in};
  HostConsole console{script, out};
  HostServices services{console};
  ModuleLibrary module;  // the dimension rows are the module's
  HostApDocument* doc = nullptr;
  OdDbObjectIdArray dims;

  void SetUp() override {
    offscreenApplication();
    ASSERT_TRUE(module.ok());
    module.init();
    doc = services.documents().addDocument(std::make_unique<OdDbDatabase>(), "", "");
    dims.push_back(addDimension<OdDbRotatedDimension>(1.0));
    dims.push_back(addDimension<OdDbRotatedDimension>(2.0));
    dims.push_back(addDimension<OdDbAlignedDimension>(1.0));
  }
  void TearDown() override { module.uninit(); }

  template <class D>
  OdDbObjectId addDimension(double textHeight) {
    OdDbDatabase& db = *doc->database();
    OdDbBlockTableRecordPtr ms = db.getModelSpaceId().safeOpenObject(OdDb::kForWrite);
    auto d = D::createObject();
    d->setDatabaseDefaults(&db);
    d->setXLine1Point({0, 0, 0});
    d->setXLine2Point({10, 0, 0});
    d->setDimLinePoint({5, -3, 0});
    d->setDimensionStyle(db.getDimstyle());
    d->setDimtxt(textHeight);
    return ms->appendOdDbEntity(d);
  }

  static QTreeWidgetItem* row(QTreeWidget& rows, const char* label) {
    const auto found = rows.findItems(label, Qt::MatchExactly | Qt::MatchRecursive);
    return found.size() == 1 ? found[0] : nullptr;
  }
};

TEST_F(PalettePanelTest, RowsWhoseValuesDifferSayVariesAndTheFilterCountsEachClass) {
  qrvwindow::PalettePanel panel;
  panel.resize(340, 600);
  panel.show(doc, dims);
  auto* filter = panel.findChild<QComboBox*>("paletteFilter");
  auto* rows = panel.findChild<QTreeWidget*>("paletteRows");
  ASSERT_TRUE(filter && rows);
  QStringList entries;
  for (int i = 0; i < filter->count(); ++i) entries << filter->itemText(i);
  EXPECT_EQ(entries, QStringList({"All (3)", "Rotated Dimension (2)", "Aligned Dimension (1)"}));

  // An edit row: the marker shows, but Enter must not write it.
  QTreeWidgetItem* height = row(*rows, "Text height");
  ASSERT_TRUE(height);
  auto* edit = qobject_cast<QLineEdit*>(rows->itemWidget(height, 1));
  ASSERT_TRUE(edit);
  EXPECT_EQ(edit->placeholderText(), "*VARIES*");
  EXPECT_TRUE(edit->text().isEmpty());
  // A shared value shows as itself.
  auto* size = qobject_cast<QLineEdit*>(rows->itemWidget(row(*rows, "Arrow size"), 1));
  ASSERT_TRUE(size);
  EXPECT_FALSE(size->text().isEmpty());
  EXPECT_TRUE(size->placeholderText().isEmpty());

  // A list row that varies: no item chosen, the marker in its place.
  {
    OdDbDimensionPtr d = dims[0].safeOpenObject(OdDb::kForWrite);
    d->setDimblk(OdDmUtil::getArrowId("_Dot", doc->database()));
  }
  panel.reread();
  auto* arrow = qobject_cast<QComboBox*>(rows->itemWidget(row(*rows, "Arrow 1"), 1));
  ASSERT_TRUE(arrow);
  EXPECT_EQ(arrow->currentIndex(), -1);
  EXPECT_EQ(arrow->currentText(), "");
  EXPECT_EQ(arrow->placeholderText(), "*VARIES*");

  // The lists show their pictures: a colour's swatch in that colour, an
  // arrowhead drawn in ink.
  auto* color = qobject_cast<QComboBox*>(rows->itemWidget(row(*rows, "Dim line color"), 1));
  ASSERT_TRUE(color);
  const int red = color->findText("red");
  ASSERT_GE(red, 0);
  const QImage swatch = color->itemIcon(red).pixmap(color->iconSize()).toImage();
  ASSERT_FALSE(swatch.isNull());
  EXPECT_EQ(swatch.pixelColor(swatch.width() / 4, swatch.height() / 2), QColor(255, 0, 0));
  const QImage arrowhead = arrow->itemIcon(arrow->findText("Closed filled")).pixmap(arrow->iconSize()).toImage();
  int inked = 0;
  for (int y = 0; y < arrowhead.height(); ++y)
    for (int x = 0; x < arrowhead.width(); ++x) inked += arrowhead.pixelColor(x, y).alpha() > 128;
  EXPECT_GT(inked, 10);

  // Filtered to one class, its rows agree again.
  filter->setCurrentText("Aligned Dimension (1)");
  QApplication::processEvents();
  EXPECT_EQ(filter->currentText(), "Aligned Dimension (1)");
  edit = qobject_cast<QLineEdit*>(rows->itemWidget(row(*rows, "Text height"), 1));
  ASSERT_TRUE(edit);
  EXPECT_TRUE(edit->placeholderText().isEmpty());
  EXPECT_FALSE(edit->text().isEmpty());
  panel.release();
}

// A user's block shows as "User arrow...": the tooltip names the block, as
// it gives every cell its whole text.
TEST_F(PalettePanelTest, TooltipsNameTheUserArrowBlockAndHoldTheWholeText) {
  OdDbDatabase& db = *doc->database();
  OdDbObjectId block;
  {
    OdDbBlockTablePtr blocks = db.getBlockTableId().safeOpenObject(OdDb::kForWrite);
    OdDbBlockTableRecordPtr b = OdDbBlockTableRecord::createObject();
    b->setName("MyArrow");
    block = blocks->add(b);
  }
  for (const OdDbObjectId& id : dims) {
    OdDbDimensionPtr d = id.safeOpenObject(OdDb::kForWrite);
    d->setDimsah(true);
    d->setDimblk1(block);
  }
  qrvwindow::PalettePanel panel;
  panel.show(doc, dims);
  auto* rows = panel.findChild<QTreeWidget*>("paletteRows");
  QTreeWidgetItem* arrow = row(*rows, "Arrow 1");
  ASSERT_TRUE(arrow);
  auto* combo = qobject_cast<QComboBox*>(rows->itemWidget(arrow, 1));
  ASSERT_TRUE(combo);
  EXPECT_EQ(combo->currentText(), "User arrow...");
  EXPECT_EQ(combo->toolTip(), "User arrow...\nBlock: MyArrow");
  EXPECT_EQ(arrow->toolTip(1), combo->toolTip());
  // A built-in arrowhead says all in its name.
  QTreeWidgetItem* second = row(*rows, "Arrow 2");
  ASSERT_TRUE(second);
  EXPECT_EQ(second->toolTip(1), second->text(1));
  EXPECT_FALSE(second->text(1).isEmpty());
  // The label's tooltip is the whole name, with its category.
  EXPECT_EQ(arrow->toolTip(0), "Lines & Arrows.Arrow 1");
  panel.release();
}

// Drop-downs, edit boxes, read-only rows and category headers are equally
// tall.
TEST_F(PalettePanelTest, EveryRowHasTheSameHeight) {
  qrvwindow::PalettePanel panel;
  panel.resize(340, 600);
  panel.show(doc, {dims[0]});
  panel.grab();  // lays the rows out
  auto* rows = panel.findChild<QTreeWidget*>("paletteRows");
  QTreeWidgetItem* list = row(*rows, "Arrow 1");
  QTreeWidgetItem* edit = row(*rows, "Text height");
  QTreeWidgetItem* readOnly = row(*rows, "Associative");
  ASSERT_TRUE(list && edit && readOnly && readOnly->parent());
  ASSERT_TRUE(qobject_cast<QComboBox*>(rows->itemWidget(list, 1)));
  ASSERT_TRUE(qobject_cast<QLineEdit*>(rows->itemWidget(edit, 1)));
  ASSERT_FALSE(rows->itemWidget(readOnly, 1));
  const int height = rows->visualItemRect(list).height();
  EXPECT_GE(height, rows->itemWidget(list, 1)->sizeHint().height());  // a drop-down is not cut
  EXPECT_EQ(rows->visualItemRect(edit).height(), height);
  EXPECT_EQ(rows->visualItemRect(readOnly).height(), height);
  EXPECT_EQ(rows->visualItemRect(readOnly->parent()).height(), height);
  panel.release();
}

// The name column starts wide enough for the language's labels; a width
// the user sets is kept in the settings and used by the next panel.
TEST_F(PalettePanelTest, TheNameColumnFitsItsLabelsAndKeepsTheWidthItIsGiven) {
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                     QString::fromStdString((std::filesystem::temp_directory_path() / "palette-panel-settings").string()));
  QSettings().remove("palette");
  {
    // The label the English default cuts short fits the Russian one.
    setHostLanguage(HostLanguage::kRussian);
    qrvwindow::PalettePanel panel;
    panel.show(doc, {dims[0]});
    auto* rows = panel.findChild<QTreeWidget*>("paletteRows");
    QTreeWidgetItem* color = row(*rows, "Цвет размерной линии");
    ASSERT_TRUE(color);
    EXPECT_LE(rows->fontMetrics().horizontalAdvance(color->text(0)) + 2 * rows->indentation(), rows->columnWidth(0));
    panel.release();
  }
  setHostLanguage(HostLanguage::kEnglish);
  int given = 0;
  {
    qrvwindow::PalettePanel panel;
    auto* rows = panel.findChild<QTreeWidget*>("paletteRows");
    given = rows->columnWidth(0) + 57;
    rows->header()->resizeSection(0, given);  // as a drag of the header's divider does
  }
  qrvwindow::PalettePanel next;
  EXPECT_EQ(next.findChild<QTreeWidget*>("paletteRows")->columnWidth(0), given);
  QSettings().remove("palette");
}

// A write reads the rows again; while they stay the same rows, their
// controls, the folded categories and the scroll position stay too.
TEST_F(PalettePanelTest, ARefreshShowsNewValuesInTheControlsItHas) {
  qrvwindow::PalettePanel panel;
  panel.resize(340, 300);
  panel.show(doc, {dims[0]});
  panel.grab();
  auto* rows = panel.findChild<QTreeWidget*>("paletteRows");
  QTreeWidgetItem* height = row(*rows, "Text height");
  ASSERT_TRUE(height);
  auto* edit = qobject_cast<QLineEdit*>(rows->itemWidget(height, 1));
  ASSERT_TRUE(edit);
  const auto general = rows->findItems("General", Qt::MatchExactly);
  ASSERT_EQ(general.size(), 1);
  general[0]->setExpanded(false);
  rows->verticalScrollBar()->setValue(5);
  ASSERT_EQ(rows->verticalScrollBar()->value(), 5);

  const QPointer<QLineEdit> kept(edit);
  edit->setText("3");
  emit edit->returnPressed();
  QApplication::processEvents();
  EXPECT_DOUBLE_EQ(OdDbDimensionPtr(dims[0].safeOpenObject())->dimtxt(), 3.0);
  panel.reread();  // as the window does after the write
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the view lets its controls go so
  ASSERT_FALSE(kept.isNull());
  EXPECT_EQ(rows->itemWidget(height, 1), edit);
  EXPECT_TRUE(edit->text().startsWith("3")) << edit->text().toStdString();
  EXPECT_FALSE(general[0]->isExpanded());
  EXPECT_EQ(rows->verticalScrollBar()->value(), 5);

  // A tolerance makes its rows writable: the rows are built anew, and the
  // fold stays.
  auto* display = qobject_cast<QComboBox*>(rows->itemWidget(row(*rows, "Tolerance display"), 1));
  ASSERT_TRUE(display && display->count() > 1);
  display->setCurrentIndex(1);
  emit display->activated(1);
  QApplication::processEvents();
  panel.reread();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the view lets its controls go so
  EXPECT_TRUE(kept.isNull());
  const auto folded = rows->findItems("General", Qt::MatchExactly);
  ASSERT_EQ(folded.size(), 1);
  EXPECT_FALSE(folded[0]->isExpanded());
  panel.release();
}

}  // namespace
