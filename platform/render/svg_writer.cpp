#include "svg_writer.h"

#include "file_output.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <numbers>

#include "pixel_mapping.h"
#include "short_number.h"

namespace render {
namespace {

std::string num(double v) { return shortNumber(v); }

std::string hex(const Rgb& c) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02x%02x%02x", c.r, c.g, c.b);
  return buf;
}

std::string escape(const std::string& s) {
  std::string out;
  for (char ch : s) {
    switch (ch) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      default:
        // Control characters are not allowed in XML text.
        if (static_cast<unsigned char>(ch) >= 0x20 || ch == '\t') out += ch;
    }
  }
  return out;
}

std::string pointsAttr(const std::vector<Point2>& pts, const PixelMapping& m) {
  std::string s;
  for (const Point2& p : pts) {
    if (!s.empty()) s += ' ';
    s += num(m.x(p.x)) + ',' + num(m.y(p.y));
  }
  return s;
}

}  // namespace

std::string svgDocument(const DisplayList& list, const SvgOptions& o) {
  const PixelMapping m = PixelMapping::fit(list.bounds(), o.widthPx, o.heightPx, o.marginPx);
  const std::string wide = std::to_string(m.widthPx), high = std::to_string(m.heightPx);
  std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + wide + "\" height=\"" + high +
         "\" viewBox=\"0 0 " + wide + " " + high + "\">\n";
  if (o.paintBackground)
    svg += "<rect width=\"100%\" height=\"100%\" fill=\"" + hex(o.background) + "\"/>\n";
  for (const Primitive& p : list.items()) {
    if (auto* pl = std::get_if<PolylinePrim>(&p)) {
      const Stroke& s = pl->stroke;
      const double w = s.width > 0 ? s.width * m.k : std::max(1.0, s.lineweightMm * o.pxPerMm);
      svg += pl->closed ? "<polygon" : "<polyline";
      svg += " points=\"" + pointsAttr(pl->points, m) + "\" fill=\"none\" stroke=\"" + hex(s.color) +
             "\" stroke-width=\"" + num(w) + "\" stroke-linecap=\"round\" stroke-linejoin=\"round\"";
      if (!s.dashes.empty()) {
        std::string dash;
        if (s.dashes.front() < 0) dash = "0";
        for (double d : s.dashes) {
          if (!dash.empty()) dash += ' ';
          dash += num(std::max(d == 0 ? 0.5 : std::fabs(d) * m.k, 0.001));
        }
        svg += " stroke-dasharray=\"" + dash + "\"";
      }
      svg += "/>\n";
    } else if (auto* fp = std::get_if<FilledPolygonPrim>(&p)) {
      svg += "<polygon points=\"" + pointsAttr(fp->points, m) + "\" fill=\"" + hex(fp->color) + "\" stroke=\"" +
             hex(fp->color) + "\" stroke-width=\"0.5\"/>\n";
    } else {
      const auto& t = std::get<TextRunPrim>(p);
      const double x = m.x(t.origin.x), y = m.y(t.origin.y);
      const double deg = -t.rotation * 180 / std::numbers::pi;
      svg += "<text x=\"" + num(x) + "\" y=\"" + num(y) + "\" font-family=\"" + escape(t.fontFamily) +
             "\" font-size=\"" + num(t.emSize * m.k) + "\" fill=\"" + hex(t.color) + "\"";
      if (t.advance > 0)
        svg += " textLength=\"" + num(t.advance * m.k) + "\" lengthAdjust=\"spacingAndGlyphs\"";
      if (std::fabs(deg) > 1e-6) svg += " transform=\"rotate(" + num(deg) + " " + num(x) + " " + num(y) + ")\"";
      svg += " xml:space=\"preserve\">" + escape(t.text) + "</text>\n";
    }
  }
  svg += "</svg>\n";
  return svg;
}

bool writeSvgFile(const DisplayList& list, const std::string& path, const SvgOptions& options, std::string* error) {
  std::string why;
  if (hostSaveFileAtomically(path, svgDocument(list, options), why)) return true;
  if (error) *error = "cannot write " + path + ": " + why;
  return false;
}

}  // namespace render
