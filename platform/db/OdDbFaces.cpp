#include "OdDbFaces.h"

#include <string>

ODDB_DEFINE_MEMBERS(OdDbFace, OdDbEntity, "3DFACE")
ODDB_DEFINE_MEMBERS(OdDbTrace, OdDbEntity, "TRACE")

void OdDbFace::setVertexAt(int i, const OdGePoint3d& p) {
  if (i < 0 || i > 3) throw OdError(eOutOfRange, "face corner " + std::to_string(i));
  assertWriteEnabled();
  m_points[i] = p;
}

void OdDbTrace::setPointAt(int i, const OdGePoint3d& p) {
  if (i < 0 || i > 3) throw OdError(eOutOfRange, "trace corner " + std::to_string(i));
  assertWriteEnabled();
  m_points[i] = p;
}
