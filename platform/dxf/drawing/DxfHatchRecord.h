#pragma once
// What a picture needs from the HATCH, WIPEOUT and IMAGE records, which stay
// as their file wrote them: the region (boundary loops or clip polygon) and
// how it is filled.
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "DxfTag.h"
#include "OdDbHatchShape.h"

// A HATCH record's shape. Counts that do not match what follows keep the
// loops and edges read whole up to there; a record with nothing usable
// gives a shape without loops (nothing is drawn), never an error.
OdDbHatchShapePtr dxfReadHatchShape(std::span<const DxfTag> tags);

// The file an image definition names, by the definition's handle; nothing
// when the handle names no definition.
using DxfImageFileLookup = std::function<std::optional<std::string>(std::uint64_t)>;

// A WIPEOUT's (filled with the background) or an IMAGE's (its frame) clip
// polygon in world coordinates, as one polyline loop; an image whose
// definition (340) `imageFileOf` finds gets its picture's placement too.
OdDbHatchShapePtr dxfReadImageFrame(std::span<const DxfTag> tags, bool wipeout,
                                    const DxfImageFileLookup& imageFileOf = {});

// Whether a record of this type gets a shape.
inline bool dxfHasHatchShape(std::string_view type) {
  return type == "HATCH" || type == "WIPEOUT" || type == "IMAGE";
}
