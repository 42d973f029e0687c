#include "dim_text_format.h"

#include <cmath>
#include <cstdio>

#include "units/angular_format.h"

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

// One tolerance value with its sign; zero has none.
std::string signedTolerance(double value, bool upper, const units::LinearOptions& o) {
  const std::string text = units::formatLinear(std::fabs(value), o);
  if (units::formatLinear(0.0, o) == text) return text;
  const bool plus = upper ? value >= 0 : value < 0;
  return (plus ? "+" : "-") + text;
}

// The tolerance or the limits for a value already scaled into the units of
// `o`; `scale` converts the tolerance values into those units.
struct ToleranceResult {
  std::string replacingValue;  // limits replace the value itself
  std::string suffix;          // tolerances follow it
};

std::string stack(const std::string& upper, const std::string& lower, const OdDbDimVars& v) {
  return "{\\H" + number(v.tfac > 0 ? v.tfac : 1.0) + "x;\\A" + std::to_string(v.tolj > 2 ? 1 : v.tolj) +
         ";\\S" + upper + "^" + lower + ";}";
}

ToleranceResult tolerance(double value, double scale, units::LinearOptions o, int places, int zeros,
                          const OdDbDimVars& v) {
  ToleranceResult r;
  o.precision = places;
  o.zeroSuppression = zeros;
  o.roundoff = 0.0;  // roundoff is for the measured value, not for tolerances
  if (v.lim) {
    r.replacingValue = stack(units::formatLinear(value + v.tp * scale, o),
                             units::formatLinear(value - v.tm * scale, o), v);
  } else if (v.tol) {
    if (v.tp == v.tm) r.suffix = "%%p" + units::formatLinear(std::fabs(v.tp * scale), o);
    else r.suffix = stack(signedTolerance(v.tp * scale, true, o), signedTolerance(v.tm * scale, false, o), v);
  }
  return r;
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
  units::AngularOptions o;
  o.format = units::isAngularFormat(v.aunit) ? units::AngularFormat(v.aunit) : units::AngularFormat::DecimalDegrees;
  o.precision = v.adec < 0 ? v.dec : v.adec;  // -1: as many places as lengths have
  o.zeroSuppression = v.azin & 3;
  o.decimalSeparator = separatorOf(v);
  std::string text = units::formatAngle(radians, o);
  if (o.format == units::AngularFormat::DecimalDegrees) return text + "%%d";
  if (o.format == units::AngularFormat::DegreesMinutesSeconds || o.format == units::AngularFormat::Surveyor)
    replaceAll(text, "d", "%%d");
  return text;
}

std::string measurementText(double measured, MeasureKind kind, const OdDbDimVars& v,
                            const std::string& userText) {
  if (userText == " ") return {};
  std::string text;
  if (kind == MeasureKind::Angular) {
    text = angleText(measured, v);
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
    ToleranceResult tol = tolerance(value, 1.0, po, v.tdec, v.tzin, v);
    std::string valueText = tol.replacingValue.empty() ? units::formatLinear(value, po) : tol.replacingValue;
    text = prefix + valueText + post.suffix + tol.suffix;
    if (v.alt) {
      const units::LinearOptions ao = alternateLengthOptions(v);
      const double altValue = value * v.altf;
      ToleranceResult atol = tolerance(altValue, v.altf, ao, v.alttd, v.alttz, v);
      const Affixes apost = splitAffixes(v.apost, true);
      const std::string altText = apost.prefix +
                                  (atol.replacingValue.empty() ? units::formatLinear(altValue, ao)
                                                               : atol.replacingValue) +
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
