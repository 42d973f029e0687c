// The palette window in Qt widgets on the offscreen platform: rows as
// controls, a pick in an owner-drawn list written to the drawing, and
// pictures of the lists' items and of the window for review.
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QWidget>

#include "backend.h"
#include "control.h"
#include "dialog.h"
#include "palette_test_support.h"
#include "palette_window.h"
#include "qt_backend.h"
#include "qt_device_context.h"
#include "../shared/qt_dialog_test_support.h"

using namespace qttest;

namespace {

// The window layer picks Qt itself here, as a session with a display does.
struct PaletteQt : QtDialogTest<PaletteHost> {
  static void SetUpTestSuite() {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("QRV_UI", "qt", 1);
  }

  // Every item of a list row drawn by its own painter, one under another.
  static void drawList(ui::Control& list, const std::string& file) {
    const int rowHeight = 18, width = 240;
    QImage image(width, rowHeight * list.itemCount(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    ui::qt::QtPainterDC dc(painter);
    for (int i = 0; i < list.itemCount(); ++i)
      list.drawItem(dc, i, {0, i * rowHeight, width, rowHeight}, i == list.selection() ? unsigned(ui::kItemSelected) : 0u);
    painter.end();
    EXPECT_TRUE(image.save(QString::fromStdString(buildPath(file))));
  }
  static int rowIndex(PaletteModel& p, const char* name) {
    for (std::size_t i = 0; i < p.rows().size(); ++i)
      if (p.rows()[i].name == name) return int(i);
    ADD_FAILURE() << name;
    return 0;
  }
};

}  // namespace

TEST_F(PaletteQt, RowsAreControlsAndAPickIsWrittenAtOnce) {
  const OdDbObjectId dim = addDim<OdDbRotatedDimension>(2.5);
  PaletteModel palette(*doc);
  palette.setSelection({dim});
  const int arrowRow = 1000 + rowIndex(palette, "Lines & Arrows.Arrow 1");
  const int sizeRow = 1000 + rowIndex(palette, "Lines & Arrows.Arrow size");
  ui::qt::qtBackend().setShownHook([&](ui::Dialog& dialog, QWidget& window) {
    settle();
    EXPECT_EQ(window.windowTitle(), "Properties");
    for (const char* row : {"Lines & Arrows.Arrow 1", "Lines & Arrows.Dim line color",
                            "Lines & Arrows.Dim line linetype", "Lines & Arrows.Dim line lineweight"}) {
      ui::Control* list = dialog.control(1000 + rowIndex(palette, row));
      ASSERT_NE(list, nullptr) << row;
      EXPECT_GT(list->itemCount(), 2) << row;
      drawList(*list, std::string("palette-list-") + std::to_string(list->id()) + ".png");
    }
    auto* arrows = window.findChild<QComboBox*>(QString::number(arrowRow));
    ASSERT_NE(arrows, nullptr);
    choose(arrows, "Right angle");
    EXPECT_EQ(OdDmUtil::arrowName(open<OdDbRotatedDimension>(dim)->dimblk1()), "_Open90");

    auto* size = window.findChild<QLineEdit*>(QString::number(sizeRow));
    ASSERT_NE(size, nullptr);
    EXPECT_EQ(size->text(), "2.5");
    shot(window, "palette-window-en.png");
    dialog.end(ui::kIdCancel);
  });
  EXPECT_TRUE(ui::runPaletteWindow(palette));
}

TEST_F(PaletteQt, RussianWindow) {
  setHostLanguage(HostLanguage::kRussian);
  PaletteModel palette(*doc);
  palette.setSelection({addDim<OdDbRadialDimension>(2.5), addDim<OdDbLeader>(1.0)});
  ui::qt::qtBackend().setShownHook([&](ui::Dialog& dialog, QWidget& window) {
    settle();
    EXPECT_EQ(window.windowTitle(), "Свойства");
    auto* filter = window.findChild<QComboBox*>("100");
    ASSERT_NE(filter, nullptr);
    EXPECT_EQ(filter->currentText(), "Все (2)");
    shot(window, "palette-window-ru.png");
    dialog.end(ui::kIdCancel);
  });
  EXPECT_TRUE(ui::runPaletteWindow(palette));
}
