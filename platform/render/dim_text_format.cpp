#include "dim_text_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <optional>

#include "units/angular_format.h"
#include "units/decimal_rounding.h"

namespace render {
namespace {

char separatorOf(const OdDbDimVars& v) {
  // The separator is stored as a character code; 0 and codes that are no
  // printable character mean the usual point.
  return (v.dsep > 32 && v.dsep < 127) || v.dsep == ' ' ? char(v.dsep) : '.';
}

units::FractionStyle fractionStyleOf(int frac) {
  switch (frac) {
    case 1: return units::FractionStyle::Diagonal;
    case 2: return units::FractionStyle::NotStacked;
    default: return units::FractionStyle::Horizontal;
  }
}

units::LinearFormat linearFormatOf(int lunit) {
  return units::isLinearFormat(lunit) ? units::LinearFormat(lunit) : units::LinearFormat::Decimal;
}

// The text before and after "<>" (or "[]" for the alternate units'
// suffix variable, as other programs write it); without a mark the whole
// text is a suffix.
struct Affixes {
  std::string prefix, suffix;
};
Affixes splitAffixes(const std::string& post, bool acceptBrackets) {
  std::size_t at = post.find("<>");
  if (at == std::string::npos && acceptBrackets) at = post.find("[]");
  if (at == std::string::npos) return {{}, post};
  return {post.substr(0, at), post.substr(at + 2)};
}

std::string number(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%g", v);
  return buf;
}

void replaceAll(std::string& s, const std::string& what, const std::string& with) {
  for (std::size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + with.size()))
    s.replace(at, what.size(), with);
}

// One deviation with its sign; zero has none. `format` writes a magnitude.
template <class Format>
std::string signedDeviation(double value, bool upper, const Format& format) {
  const std::string text = format(std::fabs(value));
  if (format(0.0) == text) return text;
  const bool plus = upper ? value >= 0 : value < 0;
  return (plus ? "+" : "-") + text;
}

// The tolerance or the limits of a value.
struct ToleranceResult {
  std::string replacingValue;  // limits replace the value itself
  std::string suffix;          // tolerances follow it
};

std::string stack(const std::string& upper, const std::string& lower, const OdDbDimVars& v) {
  return "{\\H" + number(v.tfac > 0 ? v.tfac : 1.0) + "x;\\A" + std::to_string(v.tolj > 2 ? 1 : v.tolj) +
         ";\\S" + upper + "^" + lower + ";}";
}

// `value` and the deviations DIMTP and DIMTM times `scale` are in the units
// the formatters write: `limit` writes a limit (value plus or minus a
// deviation), `deviation` the magnitude of a deviation.
template <class LimitFormat, class DeviationFormat>
ToleranceResult tolerance(double value, double scale, const OdDbDimVars& v, const LimitFormat& limit,
                          const DeviationFormat& deviation) {
  ToleranceResult r;
  if (v.lim) {
    r.replacingValue = stack(limit(value + v.tp * scale), limit(value - v.tm * scale), v);
  } else if (v.tol) {
    if (v.tp == v.tm) r.suffix = "%%p" + deviation(std::fabs(v.tp * scale));
    else r.suffix = stack(signedDeviation(v.tp * scale, true, deviation), signedDeviation(v.tm * scale, false, deviation), v);
  }
  return r;
}

// Tolerances of a length in the units of `o` (primary or alternate).
ToleranceResult lengthTolerance(double value, double scale, units::LinearOptions o, int places, int zeros,
                                const OdDbDimVars& v) {
  o.precision = places;
  o.zeroSuppression = zeros;
  o.roundoff = 0.0;  // roundoff is for the measured value, not for tolerances
  const auto format = [&o](double x) { return units::formatLinear(x, o); };
  return tolerance(value, scale, v, format, format);
}

// An angle given in degrees as dimension text: the degree sign as the
// "%%d" code the text layout draws.
std::string degreesText(double degrees, const units::AngularOptions& o) {
  std::string text = units::formatAngleDegrees(degrees, o);
  if (o.format == units::AngularFormat::DecimalDegrees) return text + "%%d";
  if (o.format == units::AngularFormat::DegreesMinutesSeconds || o.format == units::AngularFormat::Surveyor)
    replaceAll(text, "d", "%%d");
  return text;
}

units::AngularOptions angleOptions(const OdDbDimVars& v, int precision) {
  units::AngularOptions o;
  o.format = units::isAngularFormat(v.aunit) ? units::AngularFormat(v.aunit) : units::AngularFormat::DecimalDegrees;
  o.precision = std::clamp(precision, 0, units::kMaxPrecision);
  o.zeroSuppression = v.azin & 3;
  o.decimalSeparator = separatorOf(v);
  return o;
}

// Tolerances of an angle of `degrees`. DIMTP and DIMTM count in degrees;
// limits and deviations are written in DIMAUNIT with DIMTDEC places and the
// zeros of DIMAZIN. A bearing names a direction, not an amount, so with
// surveyor's units the deviations are written in degrees, minutes and
// seconds (the limits, being angles like the value, stay bearings).
ToleranceResult angleTolerance(double degrees, const OdDbDimVars& v) {
  const units::AngularOptions limitOptions = angleOptions(v, v.tdec);
  units::AngularOptions deviationOptions = limitOptions;
  if (deviationOptions.format == units::AngularFormat::Surveyor)
    deviationOptions.format = units::AngularFormat::DegreesMinutesSeconds;
  return tolerance(
      degrees, 1.0, v, [&](double x) { return degreesText(x, limitOptions); },
      [&](double x) { return degreesText(x, deviationOptions); });
}

// A length below one unit written in sub-units: the value times `factor`
// followed by `suffix` (DIMMZF and DIMMZS, or their alternate-unit pair),
// when the zeros before the separator are suppressed, the suffix is set and
// the value, rounded as it would be shown, is not zero and below one unit.
// Only decimal formats have a leading zero to speak of. The sub-unit value
// keeps the resolution of the value: DIMDEC less the places the factor moves
// the separator, never more than DIMDEC.
std::optional<std::string> subUnitText(double value, units::LinearOptions o, double factor,
                                       const std::string& suffix) {
  if (suffix.empty() || !(o.zeroSuppression & units::linear_zeros::kLeading)) return std::nullopt;
  if (o.format != units::LinearFormat::Decimal && o.format != units::LinearFormat::WindowsDesktop)
    return std::nullopt;
  if (!(factor > 0) || !std::isfinite(factor) || !std::isfinite(value)) return std::nullopt;
  const double rounded = o.roundoff > 0 ? units::roundToMultiple(value, o.roundoff) : value;
  o.precision = std::clamp(o.precision, 0, units::kMaxPrecision);
  const units::DecimalDigits shown = units::roundToPlaces(std::fabs(rounded), o.precision);
  if (shown.isZero() || shown.whole != "0") return std::nullopt;
  const int places = int(std::ceil(o.precision - std::log10(factor) - 1e-9));
  o.precision = std::clamp(places, 0, o.precision);
  o.roundoff = 0.0;
  return units::formatLinear(rounded * factor, o) + suffix;
}

double lengthFactor(const OdDbDimVars& v) {
  // A negative factor applies only in paper-space viewports; in the drawing
  // itself its size counts.
  return v.lfac == 0 ? 1.0 : std::fabs(v.lfac);
}

std::string kindPrefix(MeasureKind kind) {
  switch (kind) {
    case MeasureKind::Radius: return "R";
    case MeasureKind::Diameter: return "%%c";
    default: return {};
  }
}

}  // namespace

units::LinearOptions primaryLengthOptions(const OdDbDimVars& v) {
  units::LinearOptions o;
  o.format = linearFormatOf(v.lunit);
  o.precision = v.dec;
  o.zeroSuppression = v.zin;
  o.decimalSeparator = separatorOf(v);
  o.roundoff = v.rnd > 0 ? v.rnd : 0.0;
  o.fractionStyle = fractionStyleOf(v.frac);
  return o;
}

units::LinearOptions alternateLengthOptions(const OdDbDimVars& v) {
  units::LinearOptions o;
  // The alternate unit codes list stacked and unstacked variants of the
  // feet-and-inch and fraction formats separately.
  switch (v.altu) {
    case 1: o.format = units::LinearFormat::Scientific; break;
    case 3: o.format = units::LinearFormat::Engineering; break;
    case 4: o.format = units::LinearFormat::Architectural; break;
    case 5: o.format = units::LinearFormat::Fractional; break;
    case 6: o.format = units::LinearFormat::Architectural; break;
    case 7: o.format = units::LinearFormat::Fractional; break;
    default: o.format = units::LinearFormat::Decimal; break;
  }
  o.fractionStyle = (v.altu == 4 || v.altu == 5) ? fractionStyleOf(v.frac == 2 ? 0 : v.frac)
                                                 : units::FractionStyle::NotStacked;
  o.precision = v.altd;
  o.zeroSuppression = v.altz;
  o.decimalSeparator = separatorOf(v);
  o.roundoff = v.altrnd > 0 ? v.altrnd : 0.0;
  return o;
}

std::string primaryLengthText(double measured, const OdDbDimVars& v) {
  return units::formatLinear(measured * lengthFactor(v), primaryLengthOptions(v));
}

std::string alternateLengthText(double measured, const OdDbDimVars& v) {
  return units::formatLinear(measured * lengthFactor(v) * v.altf, alternateLengthOptions(v));
}

std::string angleText(double radians, const OdDbDimVars& v) {
  // DIMADEC -1: as many places as lengths have.
  return degreesText(radians * 180.0 / std::numbers::pi, angleOptions(v, v.adec < 0 ? v.dec : v.adec));
}

std::string measurementText(double measured, MeasureKind kind, const OdDbDimVars& v,
                            const std::string& userText) {
  if (userText == " ") return {};
  std::string text;
  if (kind == MeasureKind::Angular) {
    // DIMPOST is not applied to angles: its text names a length unit
    // ("mm") or a length prefix, which would be wrong next to degrees.
    const ToleranceResult tol = angleTolerance(measured * 180.0 / std::numbers::pi, v);
    text = (tol.replacingValue.empty() ? angleText(measured, v) : tol.replacingValue) + tol.suffix;
  } else {
    Affixes post = splitAffixes(v.post, false);
    // "\X" closing the suffix puts the alternate units below the line.
    bool below = false;
    if (post.suffix.size() >= 2 && post.suffix.compare(post.suffix.size() - 2, 2, "\\X") == 0) {
      below = true;
      post.suffix.resize(post.suffix.size() - 2);
    }
    // A prefix of the user's replaces the radius and diameter marks.
    const std::string prefix = post.prefix.empty() ? kindPrefix(kind) : post.prefix;
    const units::LinearOptions po = primaryLengthOptions(v);
    const double value = measured * lengthFactor(v);
    // With tolerances or limits the value stays in the units its
    // deviations are written in.
    const bool tolerances = v.tol || v.lim;
    const ToleranceResult tol = lengthTolerance(value, 1.0, po, v.tdec, v.tzin, v);
    const std::optional<std::string> sub = tolerances ? std::nullopt : subUnitText(value, po, v.mzf, v.mzs);
    if (sub) text = prefix + *sub;
    else text = prefix + (tol.replacingValue.empty() ? units::formatLinear(value, po) : tol.replacingValue) +
                post.suffix + tol.suffix;
    if (v.alt) {
      const units::LinearOptions ao = alternateLengthOptions(v);
      const double altValue = value * v.altf;
      const ToleranceResult atol = lengthTolerance(altValue, v.altf, ao, v.alttd, v.alttz, v);
      const Affixes apost = splitAffixes(v.apost, true);
      const std::optional<std::string> altSub =
          tolerances ? std::nullopt : subUnitText(altValue, ao, v.altmzf, v.altmzs);
      const std::string altText =
          altSub ? apost.prefix + *altSub
                 : apost.prefix +
                       (atol.replacingValue.empty() ? units::formatLinear(altValue, ao) : atol.replacingValue) +
                       apost.suffix + atol.suffix;
      text += (below ? "\\X[" : " [") + altText + "]";
    } else if (below) {
      text += "\\X";
    }
    if (kind == MeasureKind::ArcLength && v.arcsym == 0) text = "\u2312" + text;
  }
  if (userText.empty()) return text;
  std::string shown = userText;
  replaceAll(shown, "<>", text);
  return shown;
}

}  // namespace render
