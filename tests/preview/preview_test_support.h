#pragma once
// A host with its services, the dimension builder and the drawing gate,
// and a user drawing for the preview to copy from.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

#include "../host/host_test_support.h"
#include "../shared/style_table_test_support.h"
#include "OdDbDimStyleTableRecord.h"
#include "OdDbLinetypeTableRecord.h"
#include "OdDbTextStyleTableRecord.h"
#include "device_context.h"
#include "dim_block_builder.h"
#include "native_gate.h"
#include "raster_image.h"
#include "wndpreview/style_preview.h"

struct PreviewHost {
  explicit PreviewHost(OdDb::MeasurementValue m = OdDb::kEnglish) {
    render::installDimBlockBuilder();
    render::installNativeGate();
    doc = host.newDocument(m);
    db = doc->database();
  }

  // A style made from the current one, with a changed arrow size.
  OdDbObjectId addStyle(const OdString& name, double arrowSize, double dimscale = 1.0) {
    OdDbDimStyleTablePtr table = db->getDimStyleTableId().safeOpenObject(OdDb::kForWrite);
    OdDbDimStyleTableRecordPtr rec = OdDbDimStyleTableRecord::createObject();
    rec->setName(name);
    rec->setDimVars(db->dimVars());
    rec->setDimasz(arrowSize);
    rec->setDimscale(dimscale);
    return table->add(rec);
  }
  OdDbDimStyleTableRecordPtr style(const OdString& name) {
    OdDbDimStyleTablePtr table = db->getDimStyleTableId().safeOpenObject();
    return table->getAt(name).safeOpenObject(OdDb::kForWrite);
  }

  ScriptedHost host;
  HostApDocument* doc = nullptr;
  OdDbDatabase* db = nullptr;
};

// The texts a picture draws, in order (played into a recording context).
inline std::vector<std::string> pictureTexts(const HostPicture& picture) {
  struct Sink : HostPictureSink {
    std::vector<std::string> texts;
    void polyline(const std::vector<HostPicturePoint>&, bool, HostPictureColor, double) override {}
    void filledPolygon(const std::vector<HostPicturePoint>&, HostPictureColor) override {}
    void text(const std::string& s, HostPicturePoint, double, double, double, HostPictureColor) override {
      texts.push_back(s);
    }
  } sink;
  picture.play(sink, {0, 0, 400, 300});
  return sink.texts;
}

inline bool containsText(const std::vector<std::string>& texts, const std::string& part) {
  return std::any_of(texts.begin(), texts.end(), [&](const std::string& t) { return t.find(part) != std::string::npos; });
}

// Compares a picture with its reference in tests/preview/reference (NAME.png),
// allowing for anti-aliasing and font rounding: at most 0.05% of the pixels
// (a few dozen) may differ by more than a quarter of the colour range, fewer
// than one missing or moved character takes. A picture changed
// on purpose is renewed by running the test with DDS_RENEW_PICTURES=1,
// which writes the references instead of comparing; look at them before
// committing. On a mismatch the picture is left in the build folder as
// NAME-actual.png.
inline void expectLikeReference(const render::Image& image, const std::string& name) {
  const std::string reference = std::string(DDS_SOURCE_DIR) + "/tests/preview/reference/" + name + ".png";
  std::string error;
  if (const char* renew = std::getenv("DDS_RENEW_PICTURES"); renew && *renew) {
    EXPECT_TRUE(render::writePngFile(image, reference, &error)) << error;
    return;
  }
  render::Image expected;
  ASSERT_TRUE(render::readPngFile(reference, expected, &error))
      << error << " (DDS_RENEW_PICTURES=1 makes the reference pictures)";
  const std::string actual = std::string(DDS_BINARY_DIR) + "/" + name + "-actual.png";
  ASSERT_EQ(image.width, expected.width) << name;
  ASSERT_EQ(image.height, expected.height) << name;
  std::size_t differing = 0;
  for (std::size_t i = 0; i + 2 < image.rgb.size(); i += 3) {
    int worst = 0;
    for (std::size_t c = 0; c < 3; ++c) worst = std::max(worst, std::abs(int(image.rgb[i + c]) - int(expected.rgb[i + c])));
    if (worst > 64) ++differing;
  }
  const std::size_t allowed = std::size_t(image.width) * image.height / 2000;
  if (differing > allowed) render::writePngFile(image, actual, &error);
  EXPECT_LE(differing, allowed) << name << " differs from " << reference << " in " << differing
                                << " pixels; the picture is " << actual;
}
