// The preview painted by the Qt backend's device context, as a frame of a
// dialog shows it on screen (offscreen platform). The picture is written
// into the build folder: preview-frame-qt.png.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>

#include "../preview/preview_test_support.h"
#include "qt_device_context.h"

namespace {

TEST(PreviewQt, PaintsTheSampleIntoAFrame) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  int argc = 1;
  char name[] = "test_preview_qt";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);

  PreviewHost h(OdDb::kMetric);
  dds::StylePreview preview(h.db);
  preview.showStyle(dds::kPreviewAll, h.style("Standard").get());

  QImage image(480, 280, QImage::Format_RGB32);
  image.fill(Qt::magenta);
  {
    QPainter painter(&image);
    ui::qt::QtPainterDC dc(painter);
    preview.paint(dc, {0, 0, image.width(), image.height()});
  }
  // The background is the window colour everywhere the picture is not, and
  // the picture drew something besides.
  const QColor window = ui::qt::toQColor(ui::RecordingDC().windowColor());
  EXPECT_NE(image.pixelColor(0, 0), QColor(Qt::magenta));
  int inked = 0;
  for (int y = 0; y < image.height(); y += 2)
    for (int x = 0; x < image.width(); x += 2)
      if (image.pixelColor(x, y) != image.pixelColor(0, 0)) ++inked;
  EXPECT_GT(inked, 200);
  (void)window;
  const std::string path = std::string(DDS_BINARY_DIR) + "/preview-frame-qt.png";
  EXPECT_TRUE(image.save(QString::fromStdString(path)));
}

}  // namespace
