#include "OdDbDimVarRange.h"

#include <cmath>
#include <cstdio>
#include <numbers>
#include <string_view>

#include "OdDbBlockTableRecord.h"
#include "OdDbTypes.h"

namespace {

enum class Rule {
  kAny,         // every value of the stored type
  kInterval,    // lo..hi (integers and reals)
  kNotNegative, // ≥ 0
  kPositive,    // > 0
  kNotZero,     // ≠ 0, both signs carry meaning
  kAngle,       // lo..hi radians, shown in degrees
  kArrow,       // an arrowhead block or null
  kText,        // a text without NUL
  kLineWeight,  // a standard lineweight, or by layer, by block, default
};

struct RangeRule {
  Rule rule = Rule::kAny;
  double lo = 0, hi = 0;
};

// The rules by variable key; a key not listed takes every value of its type.
// Integers come from the value lists of the style editor's pages and the
// palette's choices; sizes and heights are not negative; where a sign
// carries meaning both signs are allowed.
RangeRule ruleFor(std::string_view key) {
  struct Entry {
    const char* key;
    RangeRule rule;
  };
  constexpr double kDegree = std::numbers::pi / 180;
  static const Entry kRules[] = {
      {"adec", {Rule::kInterval, 0, 8}},     {"altd", {Rule::kInterval, 0, 8}},
      {"alttd", {Rule::kInterval, 0, 8}},    {"tdec", {Rule::kInterval, 0, 8}},
      {"dec", {Rule::kInterval, 0, 8}},      {"alttz", {Rule::kInterval, 0, 15}},
      {"altz", {Rule::kInterval, 0, 15}},    {"tzin", {Rule::kInterval, 0, 15}},
      {"zin", {Rule::kInterval, 0, 15}},     {"azin", {Rule::kInterval, 0, 3}},
      {"altu", {Rule::kInterval, 1, 8}},     {"lunit", {Rule::kInterval, 1, 6}},
      {"aunit", {Rule::kInterval, 0, 3}},    {"atfit", {Rule::kInterval, 0, 3}},
      {"frac", {Rule::kInterval, 0, 2}},     {"just", {Rule::kInterval, 0, 4}},
      {"tad", {Rule::kInterval, 0, 4}},      {"tmove", {Rule::kInterval, 0, 2}},
      {"tolj", {Rule::kInterval, 0, 2}},     {"tfill", {Rule::kInterval, 0, 2}},
      {"arcsym", {Rule::kInterval, 0, 2}},   {"dsep", {Rule::kInterval, 32, 126}},
      {"altf", {Rule::kPositive}},           {"lfac", {Rule::kNotZero}},
      {"altrnd", {Rule::kNotNegative}},      {"asz", {Rule::kNotNegative}},
      {"dle", {Rule::kNotNegative}},         {"dli", {Rule::kNotNegative}},
      {"exe", {Rule::kNotNegative}},         {"exo", {Rule::kNotNegative}},
      {"rnd", {Rule::kNotNegative}},         {"scale", {Rule::kNotNegative}},
      {"tfac", {Rule::kNotNegative}},        {"tsz", {Rule::kNotNegative}},
      {"txt", {Rule::kNotNegative}},         {"fxl", {Rule::kNotNegative}},
      {"mzf", {Rule::kNotNegative}},         {"altmzf", {Rule::kNotNegative}},
      {"jogang", {Rule::kAngle, 0, 180 * kDegree}},
      {"blk", {Rule::kArrow}},               {"blk1", {Rule::kArrow}},
      {"blk2", {Rule::kArrow}},              {"ldrblk", {Rule::kArrow}},
      {"post", {Rule::kText}},               {"apost", {Rule::kText}},
      {"mzs", {Rule::kText}},                {"altmzs", {Rule::kText}},
  };
  for (const Entry& e : kRules)
    if (key == e.key) return e.rule;
  return {};
}

RangeRule ruleAt(int index) {
  const OdDbDimVarDesc& d = OdDbDimVars::describe(index);
  if (d.type == OdDbDimVarType::kLineWeight) return {Rule::kLineWeight};
  return ruleFor(d.key);
}

std::string number(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.10g", v);
  return buf;
}

std::optional<double> numberIn(const OdDbDimVarValue& v) {
  if (auto d = std::get_if<double>(&v)) return *d;
  if (auto i = std::get_if<int>(&v)) return double(*i);
  if (auto b = std::get_if<bool>(&v)) return *b ? 1.0 : 0.0;
  return std::nullopt;
}

std::string valueText(const OdDbDimVarValue& v) {
  if (auto n = numberIn(v)) return number(*n);
  if (std::holds_alternative<OdString>(v)) return "the text";
  if (auto id = std::get_if<OdDbObjectId>(&v)) {
    auto block = OdDbBlockTableRecord::cast(id->openObject());
    return block ? "\"" + block->getName() + "\"" : "the record";
  }
  return "the value";
}

}  // namespace

OdString odDbDimVarRangeText(int index) {
  const RangeRule r = ruleAt(index);
  switch (r.rule) {
    case Rule::kInterval: return number(r.lo) + ".." + number(r.hi);
    case Rule::kNotNegative: return "≥ 0";
    case Rule::kPositive: return "> 0";
    case Rule::kNotZero: return "≠ 0";
    case Rule::kAngle:
      return number(std::round(r.lo / std::numbers::pi * 180)) + "°.." + number(std::round(r.hi / std::numbers::pi * 180)) + "°";
    case Rule::kLineWeight: {
      std::string all;
      for (int w = -3; w <= 211; ++w)
        if (OdDb::isValidLineWeight(w)) all += (all.empty() ? "" : ", ") + std::to_string(w);
      return all;
    }
    case Rule::kArrow:
    case Rule::kText:
    case Rule::kAny: break;
  }
  return {};
}

bool odDbDimVarValueAllowed(int index, const OdDbDimVarValue& value) {
  const RangeRule r = ruleAt(index);
  const std::optional<double> n = numberIn(value);
  if (n && !std::isfinite(*n)) return false;
  switch (r.rule) {
    case Rule::kInterval: return n && *n >= r.lo && *n <= r.hi;
    case Rule::kNotNegative: return n && *n >= 0;
    case Rule::kPositive: return n && *n > 0;
    case Rule::kNotZero: return n && *n != 0;
    // A little slack for the round trip through degrees.
    case Rule::kAngle: return n && *n >= r.lo - 1e-12 && *n <= r.hi + 1e-12;
    case Rule::kArrow: {
      auto id = std::get_if<OdDbObjectId>(&value);
      return id && odDbMayBeArrowhead(*id);
    }
    case Rule::kText: {
      auto s = std::get_if<OdString>(&value);
      return s && s->find('\0') == OdString::npos;
    }
    case Rule::kLineWeight: return n && OdDb::isValidLineWeight(int(*n)) && *n == std::floor(*n);
    case Rule::kAny: break;
  }
  return true;
}

bool odDbDimVarValueStorable(int index, const OdDbDimVarValue& value) {
  if (const std::optional<double> n = numberIn(value); n && !std::isfinite(*n)) return false;
  const Rule r = ruleAt(index).rule;
  return (r != Rule::kArrow && r != Rule::kText) || odDbDimVarValueAllowed(index, value);
}

OdString odDbCheckDimVarValue(int index, const OdDbDimVarValue& value) {
  if (odDbDimVarValueAllowed(index, value)) return {};
  const OdString name = OdDbDimVars::describe(index).name;
  switch (ruleAt(index).rule) {
    case Rule::kArrow: return name + ": " + valueText(value) + " is a layout or anonymous block and cannot be an arrowhead";
    case Rule::kText: return name + ": a text cannot hold a NUL character";
    default: break;
  }
  const OdString range = odDbDimVarRangeText(index);
  return name + " " + valueText(value) + (range.empty() ? " is not a finite number" : " is out of range (" + range + ")");
}

bool odDbMayBeArrowhead(const OdDbBlockTableRecord* block) {
  if (!block) return false;
  const OdString& name = block->getName();
  return !block->isLayout() && !block->isAnonymous() && !name.empty() && name.front() != '*';
}

bool odDbMayBeArrowhead(OdDbObjectId blockId) {
  if (blockId.isNull()) return true;
  OdDbObjectPtr obj = blockId.openObject();
  return odDbMayBeArrowhead(dynamic_cast<const OdDbBlockTableRecord*>(obj.get()));
}
