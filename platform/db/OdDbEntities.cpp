#include "OdDbEntities.h"

#include <cmath>

ODDB_DEFINE_MEMBERS(OdDbLine, OdDbEntity, "LINE")
ODDB_DEFINE_MEMBERS(OdDbCircle, OdDbEntity, "CIRCLE")
ODDB_DEFINE_MEMBERS(OdDbArc, OdDbEntity, "ARC")
ODDB_DEFINE_MEMBERS(OdDbPolyline, OdDbEntity, "LWPOLYLINE")
ODDB_DEFINE_MEMBERS(OdDbText, OdDbEntity, "TEXT")
ODDB_DEFINE_MEMBERS(OdDbMText, OdDbEntity, "MTEXT")
ODDB_DEFINE_MEMBERS(OdDbBlockReference, OdDbEntity, "INSERT")
ODDB_DEFINE_MEMBERS(OdDbPoint, OdDbEntity, "POINT")
ODDB_DEFINE_MEMBERS(OdDbSolid, OdDbEntity, "SOLID")

namespace {
void checkRadius(double r) {
  if (!(r > 0) || !std::isfinite(r)) throw OdError(eInvalidInput, "radius must be positive");
}
}  // namespace

void OdDbCircle::setRadius(double r) {
  checkRadius(r);
  assertWriteEnabled();
  m_radius = r;
}

void OdDbArc::setRadius(double r) {
  checkRadius(r);
  assertWriteEnabled();
  m_radius = r;
}

void OdDbPolyline::addVertexAt(unsigned index, double x, double y, double bulge) {
  if (index > m_vertices.size()) throw OdError(eOutOfRange, "polyline vertex " + std::to_string(index));
  assertWriteEnabled();
  m_vertices.insert(m_vertices.begin() + index, Vertex{x, y, bulge});
}

OdDbPolyline::Vertex OdDbPolyline::vertexAt(unsigned index) const {
  if (index >= m_vertices.size()) throw OdError(eOutOfRange, "polyline vertex " + std::to_string(index));
  return m_vertices[index];
}

void OdDbPolyline::setPointAt(unsigned index, double x, double y) {
  if (index >= m_vertices.size()) throw OdError(eOutOfRange, "polyline vertex " + std::to_string(index));
  assertWriteEnabled();
  m_vertices[index].x = x;
  m_vertices[index].y = y;
}

void OdDbPolyline::setBulgeAt(unsigned index, double bulge) {
  if (index >= m_vertices.size()) throw OdError(eOutOfRange, "polyline vertex " + std::to_string(index));
  assertWriteEnabled();
  m_vertices[index].bulge = bulge;
}

void OdDbPolyline::setWidthsAt(unsigned index, double startWidth, double endWidth) {
  if (index >= m_vertices.size()) throw OdError(eOutOfRange, "polyline vertex " + std::to_string(index));
  assertWriteEnabled();
  m_vertices[index].startWidth = startWidth;
  m_vertices[index].endWidth = endWidth;
}

bool OdDbPolyline::hasVertexWidths() const {
  for (const Vertex& v : m_vertices)
    if (v.startWidth != 0 || v.endWidth != 0) return true;
  return false;
}

void OdDbText::forEachHardRef(OdDbRefVisitor& v) const {
  OdDbEntity::forEachHardRef(v);
  v.visit(m_style);
}

void OdDbMText::forEachHardRef(OdDbRefVisitor& v) const {
  OdDbEntity::forEachHardRef(v);
  v.visit(m_style);
}

void OdDbBlockReference::forEachHardRef(OdDbRefVisitor& v) const {
  OdDbEntity::forEachHardRef(v);
  v.visit(m_block);
}

void OdDbSolid::setPointAt(int i, const OdGePoint3d& p) {
  if (i < 0 || i > 3) throw OdError(eOutOfRange, "solid corner " + std::to_string(i));
  assertWriteEnabled();
  m_points[i] = p;
}
