#include "unit_codes.h"

namespace dds {
namespace {

constexpr std::string_view kValue = "<>";
constexpr std::string_view kBelow = "\\X";

ValueText splitAtValue(const std::string& text) {
  const std::size_t at = text.find(kValue);
  if (at == std::string::npos) return ValueText{text, {}, false};
  return ValueText{text.substr(0, at), text.substr(at + kValue.size()), false};
}

}  // namespace

ValueText splitPrimaryText(const std::string& post) {
  const bool below = post.size() >= kBelow.size() && post.compare(post.size() - kBelow.size(), kBelow.size(), kBelow) == 0;
  ValueText text = splitAtValue(below ? post.substr(0, post.size() - kBelow.size()) : post);
  text.below = below;
  return text;
}

ValueText splitAlternateText(const std::string& apost) {
  ValueText text = splitAtValue(apost);
  if (text.prefix == ".") text.prefix.clear();
  if (text.suffix == ".") text.suffix.clear();
  return text;
}

std::string joinValueText(const ValueText& text) {
  std::string joined = text.prefix + std::string(kValue) + text.suffix;
  if (joined == kValue) joined.clear();
  if (text.below) joined += kBelow;
  return joined;
}

ZeroSuppression decodeZeroSuppression(int bits) {
  const int low = bits & 3;
  return ZeroSuppression{(bits & 4) != 0, (bits & 8) != 0, low == 0 || low == 3, low == 0 || low == 2};
}

int encodeZeroSuppression(const ZeroSuppression& z) {
  const int low = z.feet && z.inches ? 0 : z.feet ? 3 : z.inches ? 2 : 1;
  return (z.leading ? 4 : 0) + (z.trailing ? 8 : 0) + low;
}

}  // namespace dds
