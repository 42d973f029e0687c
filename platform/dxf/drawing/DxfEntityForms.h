#pragma once
// How each entity class the database models stands in a DXF file: its
// record type, its subclass markers in the order they are written, and per
// marker the group codes that come from the object. The reader makes
// objects by it and the writer writes by it; any other code a record holds
// under a marker is kept as read. A class without a form cannot be saved,
// and saving says so.
#include <span>
#include <string_view>
#include <vector>

#include "OdDbEntityKinds.h"

struct DxfSubclassForm {
  std::string_view marker;
  std::span<const int> modelled;  // written from the object, never copied from the record
};

struct DxfEntityForm {
  const OdDbEntityClass* entityClass = nullptr;
  int dimensionType = -1;  // the low bits of a DIMENSION's group 70; -1 for other types
  std::span<const DxfSubclassForm> subclasses;  // after "AcDbEntity"
  std::vector<std::string_view> knownMarkers;   // "AcDbEntity" and those of `subclasses`
  const OdRxClass* cls = nullptr;               // entityClass->desc(), looked up once
  std::string_view recordType;                  // "LINE", "DIMENSION": the class's DXF name

  OdDbEntityKind kind() const { return entityClass->kind; }
  std::string_view type() const { return recordType; }
  const DxfSubclassForm& subclass(std::size_t i) const { return subclasses[i]; }
};

// One form per class of odDbEntityClasses(), in the same order.
std::span<const DxfEntityForm> dxfEntityForms();

// The form of an entity's class; null for classes without one.
const DxfEntityForm* dxfEntityFormOf(const OdRxClass* cls);

// The form a record of `type` is read by; `dimensionType` (the low bits of
// group 70) tells the classes of "DIMENSION" records apart. Null when the
// database does not model such records.
const DxfEntityForm* dxfEntityFormOfRecord(std::string_view type, int dimensionType);

// True when any form names the marker: its codes are the object's, not
// another application's.
bool dxfIsModelledMarker(std::string_view marker);
