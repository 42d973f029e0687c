// Whole pictures: a plate with a hole and one dimension of every kind,
// rendered and written as SVG into the build folder for a look by eye.
#include <cstdio>
#include <fstream>
#include <numbers>

#include "OdDbDimStyleTableRecord.h"
#include "OdDbLeader.h"
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
  template <class T>
  OdSmartPtr<T> dim(OdSmartPtr<T> d, OdGePoint3d text) {
    d->setDimensionStyle(style());
    add(d);
    d->setTextPosition(text);
    return d;
  }
  void addAll() {
    auto lin = [&](OdGePoint3d a, OdGePoint3d b, OdGePoint3d at, double rot, OdGePoint3d text) {
      OdDbRotatedDimensionPtr d = OdDbRotatedDimension::createObject();
      d->setXLine1Point(a);
      d->setXLine2Point(b);
      d->setDimLinePoint(at);
      d->setRotation(rot);
      ids.push_back(dim(d, text)->objectId());
    };
    lin({-0.0502, 24.7083}, {14.491, 24.7083}, {0.0, 34.0278}, 0.0, {7.2204, 38.0});
    lin({-0.0502, 10.6943}, {-0.0502, 24.7083}, {-9.0, 20.0}, std::numbers::pi / 2, {-14.0, 18.0});
    lin({29.6659, 21.3887}, {41.6007, 0.6943}, {38.8064, 26.6602}, -1.0472, {50.0, 20.0});
    OdDb3PointAngularDimensionPtr ang = OdDb3PointAngularDimension::createObject();
    ang->setCenterPoint({41.6007, 0.6943});
    ang->setXLine1Point({34.0, 0.6943});
    ang->setXLine2Point({38.2905, 6.4341});
    ang->setArcPoint({25.6614, 7.3991});
    ids.push_back(dim(ang, {20.0, 14.0})->objectId());
    OdDbRadialDimensionPtr rad = OdDbRadialDimension::createObject();
    rad->setCenter({9.9498, 10.6943});
    rad->setChordPoint({6.815, 5.5783});
    ids.push_back(dim(rad, {-0.0492, -5.6243})->objectId());
    OdDbDiametricDimensionPtr dia = OdDbDiametricDimension::createObject();
    dia->setChordPoint({13.7132, 6.0213});
    dia->setFarChordPoint({6.1864, 15.3673});
    ids.push_back(dim(dia, {25.7053, -8.8692})->objectId());
    for (int i = 0; i < 2; ++i) {
      OdDbOrdinateDimensionPtr o = OdDbOrdinateDimension::createObject();
      o->setDefiningPoint({9.9498, 10.6943});
      o->setLeaderEndPoint(i == 0 ? OdGePoint3d(32.8849, 10.6412) : OdGePoint3d(8.8453, 35.7118));
      if (i == 0) o->useYAxis();
      o->setDimensionStyle(style());
      ids.push_back(add(o)->objectId());
    }
    const double s = std::sqrt(0.5);
    OdDbLeaderPtr ldr = OdDbLeader::createObject();
    ldr->appendVertex({9.9498 + 6 * s, 10.6943 + 6 * s});
    ldr->appendVertex({9.9498 + 12 * s, 10.6943 + 12 * s});
    ldr->setDimensionStyle(style());
    add(ldr);
    OdDbMTextPtr t = OdDbMText::createObject();
    t->setContents("Leader");
    t->setLocation({9.9498 + 30 * s, 10.6943 + 30 * s});
    t->setAttachment(7);
    add(t);
    for (OdDbObjectId id : ids) OdDbDimension::cast(id.openObject(OdDb::kForWrite))->recomputeDimBlock();
  }
  OdDbObjectIdArray ids;
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
    // The outline and everything hung on it.
    EXPECT_LT(b.minX, -9.0);
    EXPECT_GT(b.maxX, 41.6);
    EXPECT_LT(b.minY, -5.0);
    EXPECT_GT(b.maxY, 34.0);
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
