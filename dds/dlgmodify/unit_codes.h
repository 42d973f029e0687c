#pragma once
// How the unit pages code what they show into the variables: the text
// around the measured value ("<>" stands for it, a trailing "\X" puts the
// alternate value below), and the zero suppression bits shared by DIMZIN,
// DIMALTZ, DIMTZIN and DIMALTTZ.
#include <string>

namespace dds {

struct ValueText {
  std::string prefix;
  std::string suffix;
  // The primary text ended in "\X": alternate units go below it.
  bool below = false;
  // What stands for the value: "<>", or "[]" in an alternate text that
  // other programs wrote so.
  std::string marker = "<>";
};

// Splits a DIMPOST value. The "\X" comes off before the split, so that a
// text stored with the alternate value below, with any prefix and suffix,
// loads back the same. A text without "<>" follows the value (a suffix),
// as dimensions draw it.
ValueText splitPrimaryText(const std::string& post);
// Splits a DIMAPOST value at "<>" or else "[]"; without either it is a
// suffix; a part that is only "." shows empty.
ValueText splitAlternateText(const std::string& apost);
// Prefix, the marker and suffix; the marker alone is the empty text.
// `below` appends "\X".
std::string joinValueText(const ValueText& text);
// Whether two texts show the same (the marker is not shown).
bool sameValueText(const ValueText& a, const ValueText& b);

struct ZeroSuppression {
  bool leading = false;
  bool trailing = false;
  bool feet = false;
  bool inches = false;
};

ZeroSuppression decodeZeroSuppression(int bits);
// `kept`: a loaded value whose bits above the four shown stay.
int encodeZeroSuppression(const ZeroSuppression& z, int kept = 0);

}  // namespace dds
