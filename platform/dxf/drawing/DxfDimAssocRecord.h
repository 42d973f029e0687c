#pragma once
// The DIMASSOC record: a dimension's association with its geometry.
//
//   100 AcDbDimAssoc
//   330 the dimension, 90 which points are associated (bit per point),
//   70 trans-space, 71 rotated dimension type,
//   per associated point, in the order of the bits:
//     1 AcDbOsnapPointRef, 72 snap type, 331 object(s), 73 subentity type,
//     91 marker, 301 external reference handle(s), 40 parameter,
//     10/20/30 the point, 332/74/92/302 the second object of an
//     intersection, 75 has last point reference.
//
// References are kept as handles, also those to no object (read and
// written as they are, and reported).
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "DxfDocument.h"
#include "DxfOut.h"
#include "OdDbDimAssoc.h"

// The codes the record's subclass models (the writer writes them; others
// are kept as read).
inline constexpr int kDxfDimAssocCodes[] = {330, 90, 70, 71, 1, 72, 331, 73, 91, 301, 40,
                                            10,  20, 30, 332, 74, 92, 302, 75};

// Fills `assoc` from the tags of its record (up to its extended data at
// `end`). `warn(line, text)` hears of what does not fit.
void dxfReadDimAssoc(const DxfDocument& doc, std::span<const DxfTag> tags, std::size_t end, OdDbDimAssoc& assoc,
                     const std::function<void(std::uint32_t, const std::string&)>& warn);

// Writes the modelled fields of the subclass (after its marker).
void dxfWriteDimAssoc(DxfOut& out, const OdDbDimAssoc& assoc);
