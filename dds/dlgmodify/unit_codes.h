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
};

// Splits a DIMPOST value. The "\X" comes off before the split, so that a
// text stored with the alternate value below, with any prefix and suffix,
// loads back the same.
ValueText splitPrimaryText(const std::string& post);
// Splits a DIMAPOST value; a part that is only "." shows empty.
ValueText splitAlternateText(const std::string& apost);
// Prefix, "<>" and suffix; "<>" alone is the empty text. `below` appends
// "\X".
std::string joinValueText(const ValueText& text);

struct ZeroSuppression {
  bool leading = false;
  bool trailing = false;
  bool feet = false;
  bool inches = false;
};

ZeroSuppression decodeZeroSuppression(int bits);
int encodeZeroSuppression(const ZeroSuppression& z);

}  // namespace dds
