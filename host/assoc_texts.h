#pragma once
// Prompts and messages of DIMREASSOCIATE, DIMDISASSOCIATE and of dimensions
// that follow their geometry, in English and Russian.
#include "OdString.h"

namespace qrvhost {

enum class AssocText {
  kSelectToReassociate,
  kSelectToDisassociate,
  kPointPrompt0,           // %s the options
  kPointPrompt1,           // %s the options
  kVertexPrompt,
  kAngleEnd1Prompt,
  kAngleEnd2Prompt,
  kFeaturePrompt,
  kSelectObjectOption,
  kSelectLineOrArc,
  kSelectArcOrCircle,
  kSelectFirstLine,
  kSelectSecondLine,
  kDimensionHeading,       // %s the handle, %s the kind
  kNotSnapped,
  kNotThatObject,
  kDisassociated,          // %d count
  kReassociated,           // %d count
  kCannotFollow,           // %s the handle
  kLostWhole,              // %s the handle
  kLostPoint,              // %s the handle
  kMovedAway,              // %s the handle
};

OdString assocText(AssocText id);

}  // namespace qrvhost
