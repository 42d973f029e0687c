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
#include "../shared/reference_picture.h"

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

// Compares a picture with its reference in tests/preview/reference (NAME.png).
inline void expectLikeReference(const render::Image& image, const std::string& name) {
  expectLikeReference(image, "tests/preview/reference", name);
}
