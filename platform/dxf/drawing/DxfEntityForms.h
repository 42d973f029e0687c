#pragma once
// How each entity class the database models stands in a DXF file: its
// record type, its subclass markers in the order they are written, and per
// marker the fields that come from the object (DxfEntityFields.h). The
// reader fills objects by it, the writer writes by it, and the codes it
// names are the ones a changed record does not copy from the file; any
// other code a record holds under a marker is kept as read. A class without
// a form cannot be saved, and saving says so.
#include <array>
#include <cstddef>
#include <limits>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "DxfEntityFields.h"
#include "OdDbEntityKinds.h"

struct DxfSubclassForm {
  std::string_view marker;
  std::span<const DxfField> fields;  // in the order they are written
  // Codes an R12 record (which has no markers) holds beyond the fields that
  // later versions put under this marker: a changed R12 record keeps them.
  std::span<const int> r12Kept = {};
  // The tags of the marker the object does not give are written before
  // fields[keptAt] (after all fields by default), once per marker.
  std::size_t keptAt = std::numeric_limits<std::size_t>::max();
};

// What a form file gives for one class of the database.
struct DxfEntityDescriptor {
  const OdRxClass* (*desc)();
  std::span<const DxfSubclassForm> subclasses;  // after "AcDbEntity"
  int dimensionType = -1;  // the low bits of a DIMENSION's group 70; -1 for other types
};

// Fields by group code, found in one step (reading asks for every tag).
class DxfFieldsByCode {
public:
  static constexpr int kCodes = 400;  // every entity field's code is below
  // The first field given a code keeps it.
  void add(int code, const DxfField* field);
  const DxfField* find(int code) const { return code >= 0 && code < kCodes ? m_fields[code] : nullptr; }

private:
  std::array<const DxfField*, kCodes> m_fields{};
};

// A descriptor joined with what is worked out from it once.
struct DxfEntityForm {
  const OdDbEntityClass* entityClass = nullptr;
  int dimensionType = -1;
  std::span<const DxfSubclassForm> subclasses;
  std::vector<std::string_view> knownMarkers;  // "AcDbEntity" and those of `subclasses`
  const OdRxClass* cls = nullptr;              // entityClass->desc(), looked up once
  std::string_view recordType;                 // "LINE", "DIMENSION": the class's DXF name
  // Per subclass: the codes of every subclass with its marker, and whether
  // it is the first with it (the one the kept tags are written with).
  std::vector<std::vector<int>> modelled;
  std::vector<bool> firstOfMarker;
  // Fields by group code: per distinct marker, and over the whole form
  // (the first field naming a code), for records without markers.
  std::vector<std::pair<std::string_view, DxfFieldsByCode>> byMarker;
  DxfFieldsByCode byCode;
  std::vector<const DxfField*> fields;  // every field, in order
  std::vector<const DxfField*> readAllFields, finishFields, refFields;  // those with readAll, finish, ref

  OdDbEntityKind kind() const { return entityClass->kind; }
  std::string_view type() const { return recordType; }
  const DxfSubclassForm& subclass(std::size_t i) const { return subclasses[i]; }
};

// The descriptors of each family of kinds, one file each.
std::span<const DxfEntityDescriptor> dxfPlainDescriptors();
std::span<const DxfEntityDescriptor> dxfDimensionDescriptors();
std::span<const DxfEntityDescriptor> dxfCurveDescriptors();

// One form per class of odDbEntityClasses(), in the same order; a class
// without a descriptor, or a descriptor of no class, is an error here.
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
