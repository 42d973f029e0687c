#pragma once
// Prompts, options and messages of the drafting commands (DIMLINEAR ...
// LEADER, ERASE) in English and Russian. Option lists keep the English
// spellings as global keywords, so one script answers in either language.
#include "OdString.h"

namespace qrvhost {

enum class DraftText {
  kFirstOrigin,
  kSecondOrigin,
  kSelectLineOrArc,
  kNotLineOrArc,
  kDimLineLocation,       // %s the options
  kLinearOptions,
  kTextAngleOptions,
  kDimTextPrompt,         // %s the current text
  kTextAnglePrompt,
  kDimLineAnglePrompt,    // %s the current angle
  kInvalidAngle,          // %s the answer
  kSelectArcOrCircle,
  kNotArcOrCircle,
  kSelectArc,
  kNotArc,
  kArcLengthLocation,     // %s the options
  kFirstLineOrVertex,
  kSecondLine,
  kNotLine,
  kVertex,
  kFirstEndpoint,
  kSecondEndpoint,
  kAngleArcLocation,      // %s the options
  kFeatureLocation,
  kLeaderEndpoint,        // %s the options
  kOrdinateOptions,
  kLeaderStart,
  kLeaderNext,
  kLeaderNextOrOption,    // %s the options
  kLeaderOptions,
  kAnnotationFirstLine,
  kAnnotationNextLine,
  kSamePoint,
  kDimensionText,         // %s the text
  kErased,                // %d count
  kRefusedSamePoints,
  kRefusedZeroLength,
  kRefusedParallel,
  kRefusedNoAngle,
  kRefusedAtCentre,
  kRefusedLeaderPoints,
};

OdString draftText(DraftText id);

}  // namespace qrvhost
