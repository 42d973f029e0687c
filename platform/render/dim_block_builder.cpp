#include "dim_block_builder.h"

#include "OdDbDimension.h"
#include "dim_builders.h"

namespace render {

void buildDimBlock(OdDbDimension* dim) {
  if (!dim) return;
  if (auto d = OdDbRotatedDimension::cast(dim)) return buildRotated(d.get());
  if (auto d = OdDbAlignedDimension::cast(dim)) return buildAligned(d.get());
  if (auto d = OdDbRadialDimension::cast(dim)) return buildRadial(d.get());
  if (auto d = OdDbDiametricDimension::cast(dim)) return buildDiametric(d.get());
  if (auto d = QrHugeRadius::cast(dim)) return buildHugeRadius(d.get());
  if (auto d = OdDb2LineAngularDimension::cast(dim)) return build2LineAngular(d.get());
  if (auto d = OdDb3PointAngularDimension::cast(dim)) return build3PointAngular(d.get());
  if (auto d = OdDbArcDimension::cast(dim)) return buildArcLength(d.get());
  if (auto d = OdDbOrdinateDimension::cast(dim)) return buildOrdinate(d.get());
}

void installDimBlockBuilder() { OdDbDimension::setDimBlockBuilder(&buildDimBlock); }

}  // namespace render
