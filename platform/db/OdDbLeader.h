#pragma once
// Leaders: a polyline or spline path from an arrowhead to an annotation,
// drawn with the arrow, size, colour and lineweight of its dimension style.
#include "OdDbDimStyleEntity.h"
#include "OdGePoint3d.h"

class OdDbLeader : public OdDbDimStyleEntity {
  ODDB_DECLARE_MEMBERS(OdDbLeader)
public:
  int numVertices() const { return int(m_vertices.size()); }
  OdGePoint3d vertexAt(int i) const;
  const std::vector<OdGePoint3d>& vertices() const { return m_vertices; }
  void appendVertex(const OdGePoint3d& p);
  void setVertexAt(int i, const OdGePoint3d& p);
  void removeLastVertex();
  void setVertices(const std::vector<OdGePoint3d>& points);

  bool hasArrowHead() const { return m_arrowHead; }
  void enableArrowHead();
  void disableArrowHead();
  bool isSplined() const { return m_splined; }
  void setToSplineLeader();
  void setToStraightLeader();

  // The annotation (usually an MText) the leader points to; a soft link.
  OdDbObjectId annotationObjId() const { return m_annotation; }
  void attachAnnotation(OdDbObjectId annotation);
  void detachAnnotation();

  OdGeVector3d normal() const { return m_normal; }
  void setNormal(const OdGeVector3d& n);

private:
  std::vector<OdGePoint3d> m_vertices;
  OdDbObjectId m_annotation;
  OdGeVector3d m_normal = OdGeVector3d::kZAxis();
  bool m_arrowHead = true, m_splined = false;
};
using OdDbLeaderPtr = OdSmartPtr<OdDbLeader>;
