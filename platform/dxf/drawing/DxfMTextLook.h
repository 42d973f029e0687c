#pragma once
// What drawing takes from an MTEXT record beyond its modelled fields: line
// spacing, background and columns. The record itself is still what is
// written back.
#include <cstdint>
#include <span>
#include <vector>

#include "DxfDocument.h"
#include "OdDbForeignShapes.h"

struct DxfMTextLookRead {
  OdDbMTextLookPtr look;  // null when the record holds nothing beyond single spacing and one column
  // Files before columns were held in one record put each further column
  // of a static set in an MTEXT of its own, named here by handle.
  std::vector<std::uint64_t> linkedColumns;
};

// The entity's transparency (440); the line spacing (44, 73), background
// (90, 63, 421, 45, its transparency 441) and defined height (46) of the
// AcDbMText subclass; the columns of the embedded object
// after 101 (71 type, 72 count, 44 width, 45 gutter, 41 height, 74 reversed
// flow, 46 heights), of the record (75, 76, 78, 48, 49) or of the "ACAD"
// extended data of older files.
DxfMTextLookRead dxfReadMTextLook(std::span<const DxfTag> tags);

// The look of a column that an older file keeps as an MTEXT of its own:
// as wide as its set's columns, with the set's background.
OdDbMTextLookPtr dxfLinkedColumnLook(const OdDbMTextLook& first);
