#pragma once
// The preview's sample drawing: a plate with a hole, three linear
// dimensions, an angular, a radial and a diametric dimension, two ordinate
// dimensions and a leader with its text. The entities are created once and
// kept open for the preview's lifetime; showing a style changes them in
// place.
#include <vector>

#include "OdDbDatabase.h"
#include "OdDbDimension.h"
#include "OdDbEntities.h"
#include "OdDbLeader.h"

namespace dds {

// What the preview shows besides the outline and the hole.
enum PreviewKind : int {
  kPreviewAll = 0,       // a parent style or the current values
  kPreviewLinear = 1,    // child type 0
  kPreviewDiameter = 2,  // child type 3
  kPreviewRadius = 3,    // child type 4
  kPreviewAngular = 4,   // child type 2
  kPreviewOrdinate = 5,  // child type 6
  kPreviewLeader = 6,    // child type 7
};
constexpr int kPreviewKindCount = 7;

// The kind that shows a style of the child type digit (-1: a parent
// style); -1 for digits that name no child type.
int previewKindOfChildDigit(int digit);

struct SampleEntities {
  OdDbPolylinePtr outline;
  OdDbCirclePtr hole;
  OdDbRotatedDimensionPtr linear[3];  // top, left, slanted side
  OdDbMTextPtr leaderText;
  OdDbLeaderPtr leader;
  OdDbRadialDimensionPtr radial;
  OdDbDiametricDimensionPtr diametric;
  OdDb3PointAngularDimensionPtr angular;
  OdDbOrdinateDimensionPtr ordinate[2];

  bool complete() const;
  // In the order the picture draws them: the outline, the hole, then the
  // entities of the kind.
  std::vector<OdDbEntity*> shown(int kind) const;
  // Every dimension and the leader, in creation order.
  std::vector<OdDbDimension*> dimensions() const;
};

// The sample plate is drawn in millimetres, in proportion to the metric
// text and arrow sizes. A drawing in inches gets the plate shrunk by the
// ratio of the two systems' default text heights (0.18 to 2.5), so that
// its texts and arrows keep the same proportion to the plate: every
// coordinate is multiplied by this unit.
double sampleUnit(OdDb::MeasurementValue measurement);

// The hole's centre and radius (in millimetres), and the leader's ray,
// fix where the leader and its text go.
inline constexpr OdGePoint3d kSampleHoleCentre{9.9498, 10.6943, 0};
inline constexpr double kSampleHoleRadius = 6.0;

// Where the leader text sits: five radii out along the leader's ray.
// Where the leader's note starts (middle left) and the leader ends, for a
// note of that height (the drawing's units): a taller note stands farther
// out, clear of the dimension above the plate.
OdGePoint3d sampleLeaderTextLocation(double unit, double textHeight = 0);
OdGePoint3d sampleLeaderEnd(double unit, double textHeight = 0);
inline constexpr OdInt16 kSampleLeaderAttachment = 4;  // middle left

// Creates the entities in model space of `db`, in the order outline, hole,
// linear A, B, C, leader text, leader, radial, diametric, angular,
// ordinate 1, ordinate 2, at the unit of the drawing's measurement system.
// Errors arrive as OdError.
SampleEntities createSampleEntities(OdDbDatabase* db, const OdString& leaderText);

}  // namespace dds
