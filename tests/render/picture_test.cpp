// Whole pictures: a plate with a hole, one dimension of every kind and a leader,
// rendered and written as SVG into the build folder for a look by eye.
#include <cstdio>
#include <fstream>

#include "OdDbDimStyleTableRecord.h"
#include "OdDbLeader.h"
#include "../shared/every_dimension_kind.h"
#include "render_test_util.h"
#include "raster_image.h"
#include "renderer.h"
#include "svg_writer.h"

namespace {

struct Plate : rt::Drawing {
  explicit Plate(OdDb::MeasurementValue m = OdDb::kEnglish) : rt::Drawing(m) {
    OdDbPolylinePtr outline = OdDbPolyline::createObject();
    const double v[][2] = {{9.9498, 0.6943}, {41.6007, 0.6943}, {29.6659, 21.3887}, {14.491, 21.3887},
                           {14.491, 24.7083}, {-0.0502, 24.7083}, {-0.0502, 10.6943}};
    for (unsigned i = 0; i < 7; ++i) outline->addVertexAt(i, v[i][0], v[i][1], i == 6 ? 0.48816666666666664 : 0.0);
    outline->setClosed(true);
    add(outline)->setColorIndex(43);
    OdDbCirclePtr hole = OdDbCircle::createObject();
    hole->setCenter({9.9498, 10.6943});
    hole->setRadius(6.0);
    add(hole)->setColorIndex(43);
  }
  OdDbObjectId style() const { return db->getDimStyleStandardId(); }
  // One dimension of every kind and a leader with its note, each drawn.
  void addAll() {
    for (OdDbObjectId id : addOneDimensionOfEveryKind(*db))
      OdDbDimension::cast(id.openObject(OdDb::kForWrite))->recomputeDimBlock();
    OdDbLeaderPtr ldr = OdDbLeader::createObject();
    ldr->appendVertex({14, 15});
    ldr->appendVertex({18, 19});
    ldr->setDimensionStyle(style());
    add(ldr);
    OdDbMTextPtr t = OdDbMText::createObject();
    t->setContents("Leader");
    t->setLocation({30, 35});
    t->setAttachment(7);
    add(t);
  }
};

std::string outPath(const std::string& name) { return std::string(DDS_BINARY_DIR) + "/" + name; }

}  // namespace

TEST(Picture, SamplePlateWithEveryKindIsWrittenAsSvg) {
  for (auto m : {OdDb::kEnglish, OdDb::kMetric}) {
    Plate p(m);
    {
      // Sizes readable on a plate some 50 units wide.
      OdDbDimStyleTableRecordPtr st = p.style().safeOpenObject(OdDb::kForWrite);
      st->setDimscale(m == OdDb::kMetric ? 0.4 : 6.0);
    }
    p.addAll();
    const render::DisplayList list = render::renderModelSpace(p.db.get());
    EXPECT_GT(list.size(), 40u);
    const render::Bounds& b = list.bounds();
    // The outline on the left, the jogged radius past the others on the
    // right and its moved centre below, the note on top.
    EXPECT_LT(b.minX, -0.05);
    EXPECT_GT(b.maxX, 88.0);
    EXPECT_LT(b.minY, -4.0);
    EXPECT_GT(b.maxY, 35.0);
    const std::string path = outPath(m == OdDb::kMetric ? "render_sample_metric.svg" : "render_sample.svg");
    std::string error;
    ASSERT_TRUE(render::writeSvgFile(list, path, {}, &error)) << error;
    std::ifstream in(path);
    std::string doc((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(doc.find("<svg"), std::string::npos);
    EXPECT_NE(doc.find(">Leader</text>"), std::string::npos);
    // The same picture in pixels: the outline's colour 43 shows.
    const render::Image img = render::rasterize(list, {});
    ASSERT_EQ(img.width, 800);
    render::Rgb plate;
    OdCmColor::paletteRGB(43, plate.r, plate.g, plate.b);
    bool outline = false;
    for (int y = 0; y < img.height && !outline; ++y)
      for (int x = 0; x < img.width && !outline; ++x) outline = img.at(x, y) == plate;
    EXPECT_TRUE(outline);
    ASSERT_TRUE(render::writePngFile(img, path.substr(0, path.size() - 4) + ".png", &error)) << error;
  }
}
