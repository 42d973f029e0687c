#include "OdDbLeader.h"

ODDB_DEFINE_MEMBERS(OdDbLeader, OdDbDimStyleEntity, "LEADER")

OdGePoint3d OdDbLeader::vertexAt(int i) const {
  if (i < 0 || i >= numVertices()) throw OdError(eOutOfRange, "leader vertex " + std::to_string(i));
  return m_vertices[i];
}

void OdDbLeader::appendVertex(const OdGePoint3d& p) {
  assertWriteEnabled();
  m_vertices.push_back(p);
}

void OdDbLeader::setVertexAt(int i, const OdGePoint3d& p) {
  if (i < 0 || i >= numVertices()) throw OdError(eOutOfRange, "leader vertex " + std::to_string(i));
  assertWriteEnabled();
  m_vertices[i] = p;
}

void OdDbLeader::removeLastVertex() {
  if (m_vertices.empty()) throw OdError(eOutOfRange, "the leader has no vertices");
  assertWriteEnabled();
  m_vertices.pop_back();
}

void OdDbLeader::setVertices(const std::vector<OdGePoint3d>& points) {
  assertWriteEnabled();
  m_vertices = points;
}

void OdDbLeader::enableArrowHead() {
  assertWriteEnabled();
  m_arrowHead = true;
}
void OdDbLeader::disableArrowHead() {
  assertWriteEnabled();
  m_arrowHead = false;
}
void OdDbLeader::setToSplineLeader() {
  assertWriteEnabled();
  m_splined = true;
}
void OdDbLeader::setToStraightLeader() {
  assertWriteEnabled();
  m_splined = false;
}
void OdDbLeader::attachAnnotation(OdDbObjectId annotation) {
  assertWriteEnabled();
  m_annotation = annotation;
}
void OdDbLeader::detachAnnotation() { attachAnnotation(OdDbObjectId()); }

void OdDbLeader::setNormal(const OdGeVector3d& n) {
  if (n.length() == 0) throw OdError(eInvalidInput, "a normal must not be zero");
  assertWriteEnabled();
  m_normal = n * (1.0 / n.length());
}
