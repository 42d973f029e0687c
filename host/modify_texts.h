#pragma once
// Prompts, options and messages of the modify commands (MOVE, COPY,
// ROTATE, MIRROR, SCALE, STRETCH) in English and Russian. Option lists keep
// the English spellings as global keywords, so one script answers in
// either language.
#include "OdString.h"

namespace qrvhost {

enum class ModifyText {
  kBasePointOrDisplacement,
  kDisplacementOptions,
  kSecondPointOrDisplacement,
  kSecondPointOrExit,
  kDisplacement,
  kBasePoint,
  kRotationAngle,          // %s the options, %s the default angle
  kCopyReferenceOptions,
  kReferenceAngle,         // %s the default angle
  kNewAngle,
  kInvalidAngleOrPoint,    // %s the answer
  kMirrorFirst,
  kMirrorSecond,
  kEraseSource,            // %s the options
  kYesNoOptions,
  kScaleFactor,            // %s the options
  kReferenceLength,
  kNewLength,
  kInvalidFactor,          // %s the answer
  kStretchIntro,
  kMoved,                  // %d count
  kCopied,                 // %d count
  kRotated,                // %d count
  kMirrored,               // %d count
  kScaled,                 // %d count
  kStretched,              // %d count
  kLeftInPlace,            // %d count
  kRefusedMirrorLine,
  kZeroDisplacement,
  kNothingToModify,
};

OdString modifyText(ModifyText id);

}  // namespace qrvhost
