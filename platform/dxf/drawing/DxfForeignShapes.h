#pragma once
// Drawing descriptions of records kept as read: an old-form POLYLINE with
// its VERTEX records, an ATTRIB, and the grid of a multiple INSERT.
#include <span>
#include <vector>

#include "DxfDocument.h"
#include "DxfLayoutRecords.h"
#include "OdDbForeignShapes.h"

// A POLYLINE record and the VERTEX records after it (up to its SEQEND).
OdDbOldPolylinePtr dxfReadOldPolyline(std::span<const DxfTag> polyline,
                                      const std::vector<std::vector<DxfTag>>& vertices);

// An ATTRIB (or ATTDEF) record's value, tag and placement. An attribute of
// the multi-line form also gives the multi-line text it embeds (its
// single-line values stay, placed as a left-justified line).
OdDbAttributeText dxfReadAttribute(const DxfDocument& doc, std::span<const DxfTag> tags);

// The columns, rows and their spacings of an INSERT record (one of each for
// a plain insert).
void dxfReadInsertGrid(std::span<const DxfTag> tags, OdDbInsertExtras& extras);

// A MULTILEADER record's lines and content, from its context data.
OdDbMultiLeaderShapePtr dxfReadMultiLeader(const DxfDocument& doc, std::span<const DxfTag> tags,
                                           const DxfHandleLookup& byHandle);
