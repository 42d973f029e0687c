#pragma once
// Three- and four-sided shapes given by corners: 3D faces (edges only,
// each of which may be invisible) and traces (filled, like solids).
#include "OdDbEntities.h"

class OdDbFace : public OdDbEntity {
  ODDB_DECLARE_MEMBERS(OdDbFace)
  // Bit i set: the edge from corner i to the next is invisible.
  ODDB_ENT_FIELD(OdInt16, invisibleEdges, setInvisibleEdges, 0)
public:
  OdGePoint3d vertexAt(int i) const { return m_points[i & 3]; }
  void setVertexAt(int i, const OdGePoint3d& p);
  bool isEdgeVisibleAt(int i) const { return (m_invisibleEdges & (1 << (i & 3))) == 0; }

private:
  OdGePoint3d m_points[4];
};
using OdDbFacePtr = OdSmartPtr<OdDbFace>;

// A wide line segment of four corners, filled; corners 2 and 3 may coincide.
class OdDbTrace : public OdDbEntity {
  ODDB_DECLARE_MEMBERS(OdDbTrace)
  // The plane its corners are given in.
  ODDB_ENT_FIELD(OdGeVector3d, normal, setNormal, OdGeVector3d::kZAxis())
public:
  OdGePoint3d pointAt(int i) const { return m_points[i & 3]; }
  void setPointAt(int i, const OdGePoint3d& p);

private:
  OdGePoint3d m_points[4];
};
using OdDbTracePtr = OdSmartPtr<OdDbTrace>;
