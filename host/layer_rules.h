#pragma once
// What -LAYER and the Layer manager share: a new layer as drafters expect
// one, lineweights as they type and read them, and the colours a layer may
// have.
#include <optional>
#include <string>

#include "OdCmColor.h"
#include "OdDbObjectId.h"
#include "OdDbTypes.h"
#include "OdString.h"

class OdDbDatabase;

namespace qrvhost {

// Adds a white, continuous layer of that name (checked by the caller).
OdDbObjectId addLayer(OdDbDatabase& db, const OdString& name);

// "0.35mm", or "Default".
OdString layerLineweightText(OdDb::LineWeight weight);
// "0.35", "0,35", "0.35mm" or "Default" (any letter case): a standard
// lineweight; nothing for anything else.
std::optional<OdDb::LineWeight> parseLayerLineweight(std::string text);

// A layer's colour is a colour of its own, never one that defers (ByLayer,
// ByBlock).
bool isLayerColor(const OdCmColor& color);

// Why a layer cannot be deleted, empty when it can: layer 0, the current
// layer, a layer something uses.
OdString whyLayerStays(const OdDbDatabase& db, OdDbObjectId layer);

}  // namespace qrvhost
