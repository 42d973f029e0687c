#pragma once
// The association of a dimension with the geometry it measures: for each
// of up to four defining points, which object snap found it on which
// object. The dimension keeps it in its extension dictionary under
// "ACAD_DIMASSOC"; when the geometry changes, the dimension's points are
// found again from it (OdDbDimAssocFollow.h).
#include <array>
#include <optional>
#include <vector>

#include "OdDbHandle.h"
#include "OdDbObject.h"
#include "OdGePoint3d.h"

class OdDbDimension;
class OdDbEntity;

// The object snaps a point may come from, as drawing files number them.
enum class OdDbOsnapType : OdInt16 {
  kNone = 0, kEnd = 1, kMid = 2, kCen = 3, kNode = 4, kQuad = 5, kInt = 6, kIns = 7,
  kPerp = 8, kTan = 9, kNear = 10, kApint = 11, kPar = 12, kStart = 13
};

// One associated point. Objects are kept by handle, so that a reference to
// an object the drawing does not have survives reading and writing.
struct OdDbOsnapPointRef {
  OdDbOsnapType osnapType = OdDbOsnapType::kNone;
  // The object the point lies on; more than one is a path through block
  // references, the innermost last.
  std::vector<OdDbHandle> mainObjects;
  OdInt16 subentType = 0;   // 1 vertex, 2 edge
  OdInt32 gsMarker = 0;     // the segment of a polyline, from 1
  std::vector<OdString> xrefPaths;
  // Where on the curve the point lies: the angle on an arc or circle, 0 at
  // the start and 1 at the end of a line or segment.
  double geomParam = 0.0;
  OdGePoint3d point;        // the point as last found
  // The second object of an intersection.
  std::vector<OdDbHandle> intersectObjects;
  std::optional<OdInt16> intSubentType;
  std::optional<OdInt32> intGsMarker;
  std::vector<OdString> intXrefPaths;
  bool hasLastPointRef = false;

  // The one object of the drawing the point lies on (null when it is a
  // path, an external reference or no object), and the second one of an
  // intersection.
  OdDbHandle mainObject() const;
  OdDbHandle intersectObject() const;
  bool operator==(const OdDbOsnapPointRef&) const = default;
};

class OdDbDimAssoc : public OdDbObject {
  ODDB_DECLARE_MEMBERS(OdDbDimAssoc)
public:
  // Which defining point a reference belongs to, by dimension kind: the
  // extension line origins of linear dimensions (0, 1); the chord point
  // and the centre or far chord point of radial ones (0, 1); the two
  // lines' ends of a two-line angle (0-3); the two points and the vertex of
  // a three-point angle or an arc length (0, 1, 2); the origin and the
  // feature point of an ordinate (0, 1).
  static constexpr int kPoints = 4;

  OdDbHandle dimension() const { return m_dimension; }
  void setDimension(OdDbHandle dimension);
  const std::optional<OdDbOsnapPointRef>& pointRef(int index) const { return m_refs.at(index); }
  void setPointRef(int index, const std::optional<OdDbOsnapPointRef>& ref);
  // Bit i set when point i has a reference.
  OdInt32 associativityFlags() const;
  bool hasReferences() const { return associativityFlags() != 0; }
  bool transSpace() const { return m_transSpace; }
  void setTransSpace(bool on);
  OdInt16 rotatedDimType() const { return m_rotatedType; }
  void setRotatedDimType(OdInt16 type);

  void subAddedToDatabase() override;

private:
  OdDbHandle m_dimension;
  std::array<std::optional<OdDbOsnapPointRef>, kPoints> m_refs;
  bool m_transSpace = false;
  OdInt16 m_rotatedType = 0;
};
using OdDbDimAssocPtr = OdSmartPtr<OdDbDimAssoc>;

// The key of the association in a dimension's extension dictionary.
inline constexpr const char* kOdDbDimAssocKey = "ACAD_DIMASSOC";

// The association of a dimension (null when it has none).
OdDbObjectId odDbDimAssocId(const OdDbEntity& dimension);
// Gives the resident dimension (open for write) the association, replacing
// the one it had.
OdDbObjectId odDbSetDimAssoc(OdDbDimension& dimension, OdDbDimAssocPtr assoc);
// Takes the association away (its entry and the object); false when there
// was none.
bool odDbRemoveDimAssoc(OdDbEntity& dimension);
// True when the dimension has an association at least one of whose points
// lies on a live object of its drawing: the palette's "Associative".
bool odDbIsDimAssociative(const OdDbEntity& dimension);
