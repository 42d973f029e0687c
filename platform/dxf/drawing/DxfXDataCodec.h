#pragma once
// Extended data in DXF (group codes 1000 and up), and the two forms in
// which dimension variables travel there:
// - "ACAD" {1000 "DSTYLE", 1002 "{", (1070 group code, value)..., 1002 "}"}:
//   per-entity overrides of variables that have a DIMSTYLE group code;
// - "QRV_DIMVARS" {(1000 variable name, value)...}: the variables without a
//   group code, true colours, and variables newer than the file's version,
//   on DIMSTYLE entries and on entities alike.
#include <utility>
#include <span>
#include <vector>

#include "DxfDocument.h"
#include "DxfOut.h"
#include "OdDbDimVars.h"
#include "OdResBuf.h"

class OdDbDatabase;

// The extended data among `tags` from index `first` (a 1001 tag) as one
// chain (each application introduced by its 1001 item). Handles (1005) are
// kept as handles: they may point to objects that do not exist.
OdResBufPtr dxfReadXData(const DxfDocument& doc, std::span<const DxfTag> tags, std::size_t first);

// Writes a chain as read by dxfReadXData (starting with a 1001 item).
void dxfWriteXDataChain(DxfOut& out, const OdResBuf* chain);

using DxfDimVarItems = std::vector<std::pair<int, OdDbDimVarValue>>;

// Resolves a handle of an override or variable to an identifier.
using DxfHandleResolver = OdDbObjectId (*)(const OdDbDatabase* db, std::uint64_t handle);

// Splits the variables out of an application's chain (without its 1001
// item): for "ACAD", the DSTYLE pairs whose codes name a variable (the rest
// stays in the returned chain, DSTYLE section included); for
// "QRV_DIMVARS", every pair it holds (nothing stays). Values of colour
// variables written as 1071 are true colours.
OdResBufPtr dxfTakeDimVars(const OdResBuf* chain, bool acad, const OdDbDatabase* db, DxfDimVarItems& items);

// Writes the "ACAD" application data of an entity: `rest` (what reading
// left there, may be null) with the DSTYLE section holding `overrides`.
void dxfWriteAcadXData(DxfOut& out, const OdResBuf* rest, const DxfDimVarItems& overrides);
// Writes "QRV_DIMVARS" data for `items` (nothing when empty).
void dxfWriteQrvDimVars(DxfOut& out, const DxfDimVarItems& items);

// Sorts variable values into the DSTYLE pairs and the QRV_DIMVARS pairs
// of a file of `version`.
void dxfSplitDimVarItems(const DxfDimVarItems& all, DxfVersion version, DxfDimVarItems& withCode,
                         DxfDimVarItems& withoutCode);
