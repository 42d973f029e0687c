#include "layer_rules.h"

#include <cmath>
#include <cstdlib>

#include "OdDbDatabase.h"
#include "OdDbLayerTableRecord.h"
#include "OdStringUtil.h"
#include "editor_input.h"
#include "layer_texts.h"
#include "text_format.h"

namespace qrvhost {

OdDbObjectId addLayer(OdDbDatabase& db, const OdString& name) {
  OdDbLayerTablePtr layers = db.getLayerTableId().safeOpenObject(OdDb::kForWrite);
  OdDbLayerTableRecordPtr layer = OdDbLayerTableRecord::createObject();
  layer->setName(name);
  layer->setColor(OdCmColor::fromIndex(7));
  layer->setLinetypeObjectId(db.getLinetypeContinuousId());
  return layers->add(layer);
}

OdString layerLineweightText(OdDb::LineWeight weight) {
  if (weight < 0) return "Default";
  return hostFormat("%.2fmm", static_cast<int>(weight) / 100.0);
}

std::optional<OdDb::LineWeight> parseLayerLineweight(std::string text) {
  text = hostTrim(text);
  if (qrv::equalNoCase(text, "default")) return OdDb::kLnWtByLwDefault;
  if (text.size() > 2 && qrv::equalNoCase(text.substr(text.size() - 2), "mm"))
    text = hostTrim(text.substr(0, text.size() - 2));
  for (char& c : text)
    if (c == ',') c = '.';
  char* end = nullptr;
  const double mm = std::strtod(text.c_str(), &end);
  if (text.empty() || end != text.c_str() + text.size() || !std::isfinite(mm) || mm < 0 || mm > 2.11 + 1e-9)
    return std::nullopt;
  const int hundredths = int(std::lround(mm * 100));
  if (std::fabs(mm * 100 - hundredths) > 1e-6 || !OdDb::isValidLineWeight(hundredths)) return std::nullopt;
  return OdDb::LineWeight(hundredths);
}

bool isLayerColor(const OdCmColor& color) { return color.isByACI() || color.isByColor(); }

OdString whyLayerStays(const OdDbDatabase& db, OdDbObjectId layer) {
  OdDbLayerTableRecordPtr record = layer.safeOpenObject();
  if (layer == db.getLayerZeroId()) return layerText(LayerText::kDeleteZero);
  if (layer == db.getCLAYER()) return hostFormat(layerText(LayerText::kDeleteCurrent).c_str(), record->getName().c_str());
  if (const std::uint32_t uses = db.hardReferenceCount(layer); uses > 0)
    return hostFormat(layerText(LayerText::kDeleteInUse).c_str(), record->getName().c_str(), int(uses));
  return OdString();
}

}  // namespace qrvhost
