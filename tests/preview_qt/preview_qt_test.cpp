// The preview painted by the Qt backend's device context, as a frame of a
// dialog shows it on screen (offscreen platform): nothing drawn reaches the
// frame's edge, and the pictures match their references
// (preview-frame-qt-kind-N.png, also left in the build folder).
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>

#include "../preview/preview_test_support.h"
#include "qt_device_context.h"

namespace {

render::Image toImage(const QImage& image) {
  render::Image out;
  out.width = image.width();
  out.height = image.height();
  out.rgb.reserve(std::size_t(out.width) * out.height * 3);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      out.rgb.insert(out.rgb.end(), {std::uint8_t(c.red()), std::uint8_t(c.green()), std::uint8_t(c.blue())});
    }
  return out;
}

TEST(PreviewQt, PaintsTheSampleIntoAFrameWithinAMargin) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  int argc = 1;
  char name[] = "test_preview_qt";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);

  PreviewHost h(OdDb::kMetric);
  dds::StylePreview preview(h.db);
  // All kinds (the top dimension's text), and the radius alone (its text
  // is the widest part of the picture).
  for (int kind : {dds::kPreviewAll, dds::kPreviewRadius}) {
    SCOPED_TRACE("kind " + std::to_string(kind));
    preview.showStyle(kind, h.style("Standard").get());
    QImage image(480, 280, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    {
      QPainter painter(&image);
      ui::qt::QtPainterDC dc(painter);
      preview.paint(dc, {0, 0, image.width(), image.height()});
    }
    const QColor window = ui::qt::toQColor(ui::RecordingDC().windowColor());
    int inked = 0, atEdge = 0;
    constexpr int kBand = 3;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) {
        if (image.pixelColor(x, y) == window) continue;
        ++inked;
        const bool edge = x < kBand || y < kBand || x >= image.width() - kBand || y >= image.height() - kBand;
        atEdge += edge;
      }
    EXPECT_GT(inked, 400);
    EXPECT_EQ(atEdge, 0) << "drawn up to the frame's edge";
    const std::string picture = "preview-frame-qt-kind-" + std::to_string(kind);
    EXPECT_TRUE(image.save(QString::fromStdString(std::string(DDS_BINARY_DIR) + "/" + picture + ".png")));
    expectLikeReference(toImage(image), picture);
  }
}

}  // namespace
