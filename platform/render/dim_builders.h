#pragma once
// One builder per family of dimensions; each draws into a DimGeometry and
// commits it. dim_block_builder.cpp picks the builder for a dimension.
#include <string>
#include <vector>

#include "dim_geometry.h"
#include "dim_text_format.h"

class OdDbRotatedDimension;
class OdDbAlignedDimension;
class OdDbRadialDimension;
class OdDbDiametricDimension;
class QrHugeRadius;
class OdDb2LineAngularDimension;
class OdDb3PointAngularDimension;
class OdDbArcDimension;
class OdDbOrdinateDimension;

namespace render {

void buildRotated(OdDbRotatedDimension* dim);
void buildAligned(OdDbAlignedDimension* dim);
void buildRadial(OdDbRadialDimension* dim);
void buildDiametric(OdDbDiametricDimension* dim);
void buildHugeRadius(QrHugeRadius* dim);
void build2LineAngular(OdDb2LineAngularDimension* dim);
void build3PointAngular(OdDb3PointAngularDimension* dim);
void buildArcLength(OdDbArcDimension* dim);
void buildOrdinate(OdDbOrdinateDimension* dim);

// Text placement shared by the builders.
struct DimText {
  std::string above, below;  // split at "\X"
  bool empty() const { return above.empty() && below.empty(); }
};
DimText dimTextFor(const DimGeometry& g, double measured, MeasureKind kind);

// The boxes of a text whose anchor lies on a line of direction `lineDir`,
// moved off the line as DIMTAD asks (the part below "\X" always goes
// below). `awayFromFeatures` is the side DIMTAD 2 puts the text on.
struct PlacedText {
  DimTextBox above, below;
  bool onLine = false;  // the text sits across the line (the line breaks)
};
PlacedText placeText(const DimGeometry& g, const DimText& t, const g2::P& anchor, const g2::V& lineDir,
                     double rotation, const g2::V& awayFromFeatures);
void emitText(DimGeometry& g, const DimText& t, const PlacedText& p);

// Draws the line a to b, leaving out the stretch the text covers when the
// text sits across it.
void lineAroundText(DimGeometry& g, const g2::P& a, const g2::P& b, const PlacedText& p, DimPart part);

}  // namespace render
