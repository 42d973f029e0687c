#pragma once
// What a picture of a layout needs from the LAYOUT and VIEWPORT records,
// which stay as their file wrote them: the sheet, and what each viewport
// shows of model space.
#include <cstdint>
#include <functional>
#include <span>

#include "DxfDocument.h"
#include "OdDbLayoutView.h"

// Looks up the object a handle names (null when none).
using DxfHandleLookup = std::function<OdDbObjectId(std::uint64_t)>;
// Looks up a layer by its name (null when none).
using DxfLayerLookup = std::function<OdDbObjectId(const std::string&)>;

// A LAYOUT record's sheet; values the record lacks keep their defaults.
OdDbLayoutSheetPtr dxfReadLayoutSheet(const DxfDocument& doc, std::span<const DxfTag> tags,
                                      const DxfHandleLookup& byHandle);

// A VIEWPORT record's view, with its own layer and colour for its frame.
OdDbViewportViewPtr dxfReadViewportView(std::span<const DxfTag> tags, const DxfHandleLookup& byHandle,
                                        const DxfLayerLookup& layerNamed, const DxfDocument& doc);
