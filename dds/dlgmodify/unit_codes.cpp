#include "unit_codes.h"

namespace dds {
namespace {

constexpr std::string_view kValue = "<>";
constexpr std::string_view kBrackets = "[]";
constexpr std::string_view kBelow = "\\X";

ValueText splitAtValue(const std::string& text, bool brackets) {
  std::string_view marker = kValue;
  std::size_t at = text.find(kValue);
  if (at == std::string::npos && brackets) {
    marker = kBrackets;
    at = text.find(kBrackets);
  }
  if (at == std::string::npos) return ValueText{{}, text, false, std::string(kValue)};
  return ValueText{text.substr(0, at), text.substr(at + marker.size()), false, std::string(marker)};
}

}  // namespace

ValueText splitPrimaryText(const std::string& post) {
  const bool below = post.size() >= kBelow.size() && post.compare(post.size() - kBelow.size(), kBelow.size(), kBelow) == 0;
  ValueText text = splitAtValue(below ? post.substr(0, post.size() - kBelow.size()) : post, false);
  text.below = below;
  return text;
}

ValueText splitAlternateText(const std::string& apost) {
  ValueText text = splitAtValue(apost, true);
  if (text.prefix == ".") text.prefix.clear();
  if (text.suffix == ".") text.suffix.clear();
  return text;
}

std::string joinValueText(const ValueText& text) {
  std::string joined = text.prefix + text.marker + text.suffix;
  if (joined == text.marker) joined.clear();
  if (text.below) joined += kBelow;
  return joined;
}

bool sameValueText(const ValueText& a, const ValueText& b) {
  return a.prefix == b.prefix && a.suffix == b.suffix && a.below == b.below;
}

ZeroSuppression decodeZeroSuppression(int bits) {
  const int low = bits & 3;
  return ZeroSuppression{(bits & 4) != 0, (bits & 8) != 0, low == 0 || low == 3, low == 0 || low == 2};
}

int encodeZeroSuppression(const ZeroSuppression& z, int kept) {
  const int low = z.feet && z.inches ? 0 : z.feet ? 3 : z.inches ? 2 : 1;
  return (kept & ~15) + (z.leading ? 4 : 0) + (z.trailing ? 8 : 0) + low;
}

}  // namespace dds
