#include "svg_writer.h"

#include "file_output.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <numbers>

#include "image_file.h"
#include "path_flatten.h"
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

std::string at(Point2 p, const PixelMapping& m) { return num(m.x(p.x)) + ' ' + num(m.y(p.y)); }

std::string strokeAttributes(const Stroke& s, const PixelMapping& m, const SvgOptions& o) {
  const double w = s.width > 0 ? s.width * m.k : std::max(1.0, s.lineweightMm * o.pxPerMm);
  // A polyline's width has square ends and mitred corners; lineweights
  // round ones.
  std::string out = " stroke=\"" + hex(s.color) + "\" stroke-width=\"" + num(w) +
                    (s.width > 0 ? "\" stroke-linecap=\"butt\" stroke-linejoin=\"miter\" stroke-miterlimit=\"4\""
                                 : "\" stroke-linecap=\"round\" stroke-linejoin=\"round\"");
  if (!s.dashes.empty()) {
    std::string dash;
    if (s.dashes.front() < 0) dash = "0";
    for (double d : s.dashes) {
      if (!dash.empty()) dash += ' ';
      dash += num(std::max(d == 0 ? 0.5 : std::fabs(d) * m.k, 0.001));
    }
    out += " stroke-dasharray=\"" + dash + "\"";
  }
  return out;
}

// An arc as SVG arc commands, in pieces of at most a third of a turn (an
// SVG arc cannot be a full turn, and a half turn leaves its side open).
void addArc(std::string& d, const PathSegment& arc, const PixelMapping& m) {
  const double sweep = std::clamp(arc.end - arc.start, -2 * std::numbers::pi, 2 * std::numbers::pi);
  const int n = std::max(1, int(std::ceil(std::fabs(sweep) / (2 * std::numbers::pi / 3) - 1e-9)));
  const double rx = std::hypot(arc.axis.x, arc.axis.y) * m.k, ry = rx * std::fabs(arc.ratio);
  const double turn = -std::atan2(arc.axis.y, arc.axis.x) * 180 / std::numbers::pi;
  // The page's y points down, so counter-clockwise (as seen) runs toward
  // falling angles there: SVG's sweep flag 0. A negative ratio mirrors the
  // ellipse and so the direction.
  const bool counterClockwise = (sweep > 0) == (arc.ratio > 0);
  const std::string flags = " 0 " + std::string(counterClockwise ? "0" : "1") + ' ';
  for (int i = 1; i <= n; ++i)
    d += "A" + num(rx) + ' ' + num(ry) + ' ' + num(turn) + flags + at(arcPointAt(arc, i == n ? arc.start + sweep
                                                                                           : arc.start + sweep * i / n),
                                                                    m);
}

std::string pathData(const std::vector<PathSegment>& segments, const PixelMapping& m) {
  std::string d;
  bool open = false;  // a sub-path is under way (the pen has a place)
  for (const PathSegment& s : segments) {
    if (!isFinite(s)) continue;  // as everywhere: left out, the pen stays
    switch (s.kind) {
      case PathSegment::Kind::kMove:
        d += "M" + at(s.to, m);
        open = true;
        break;
      case PathSegment::Kind::kLine:
        d += (open ? "L" : "M") + at(s.to, m);
        open = true;
        break;
      case PathSegment::Kind::kCubic:
        if (!open) d += "M" + at(s.to, m);
        d += "C" + at(s.c1, m) + ' ' + at(s.c2, m) + ' ' + at(s.to, m);
        open = true;
        break;
      case PathSegment::Kind::kArc:
        d += (open ? "L" : "M") + at(arcPointAt(s, s.start), m);
        addArc(d, s, m);
        open = true;
        break;
      case PathSegment::Kind::kClose:
        if (open) d += "Z";
        break;
    }
  }
  return d;
}

std::string base64(const std::string& bytes) {
  static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
    std::uint32_t v = 0;
    for (std::size_t k = 0; k < 3; ++k) v = v << 8 | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0u);
    for (std::size_t k = 0; k < 4; ++k) out += k <= n ? digits[(v >> (18 - 6 * k)) & 63] : '=';
  }
  return out;
}

// An opacity below one as an attribute (`name`: opacity, fill-opacity);
// nothing for a solid one.
std::string opacityAttr(const char* name, double opacity) {
  return opacity < 1 ? std::string(" ") + name + "=\"" + num(std::max(0.0, opacity)) + "\"" : std::string();
}

// Closed rings as path data.
std::string ringsData(const std::vector<std::vector<Point2>>& rings, const PixelMapping& m) {
  std::string d;
  for (const auto& ring : rings) {
    if (ring.size() < 3) continue;
    for (std::size_t i = 0; i < ring.size(); ++i) d += (i == 0 ? "M" : "L") + at(ring[i], m);
    d += "Z";
  }
  return d;
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
  int clips = 0;
  std::map<const ImagePixels*, std::string> encoded;
  auto items = [&](const DisplayList& part, auto& self) -> void {
    for (const Primitive& p : part.items()) {
      std::visit(
          Overloaded{
              [&](const PolylinePrim& pl) {
                svg += pl.closed ? "<polygon" : "<polyline";
                svg += " points=\"" + pointsAttr(pl.points, m) + "\" fill=\"none\"" +
                       strokeAttributes(pl.stroke, m, o) + "/>\n";
              },
              [&](const FilledPolygonPrim& fp) {
                svg += "<polygon points=\"" + pointsAttr(fp.points, m) + "\" fill=\"" + hex(fp.color) +
                       "\" stroke=\"" + hex(fp.color) + "\" stroke-width=\"0.5\"" +
                       opacityAttr("opacity", fp.opacity) + "/>\n";
              },
              [&](const TextRunPrim& t) {
                const double x = m.x(t.origin.x), y = m.y(t.origin.y);
                const double deg = -t.rotation * 180 / std::numbers::pi;
                svg += "<text x=\"" + num(x) + "\" y=\"" + num(y) + "\" font-family=\"" + escape(t.fontFamily) +
                       "\" font-size=\"" + num(t.emSize * m.k) + "\" fill=\"" + hex(t.color) + "\"" +
                       opacityAttr("fill-opacity", t.opacity);
                if (t.advance > 0)
                  svg += " textLength=\"" + num(t.advance * m.k) + "\" lengthAdjust=\"spacingAndGlyphs\"";
                // Leaning and mirroring about the origin (SVG's y runs down).
                std::string shape;
                if (t.oblique != 0 || t.backward || t.upsideDown) {
                  const double lean = std::tan(t.oblique), a = t.backward ? -1 : 1, d = t.upsideDown ? -1 : 1;
                  const double e = t.backward ? t.advance * m.k : 0;
                  shape = " translate(" + num(x) + " " + num(y) + ") matrix(" + num(a) + " 0 " + num(-a * lean) + " " +
                          num(d) + " " + num(e) + " 0) translate(" + num(-x) + " " + num(-y) + ")";
                }
                if (std::fabs(deg) > 1e-6 || !shape.empty())
                  svg += " transform=\"rotate(" + num(deg) + " " + num(x) + " " + num(y) + ")" + shape + "\"";
                svg += " xml:space=\"preserve\">" + escape(t.text) + "</text>\n";
              },
              [&](const PathPrim& path) {
                const std::string d = pathData(path.segments, m);
                if (d.empty() || (!path.fill && !path.stroke)) return;
                svg += "<path d=\"" + d + "\"";
                if (path.fill)
                  svg += " fill=\"" + hex(path.fill->color) + "\" fill-rule=\"" +
                         (path.fill->rule == FillRule::kEvenOdd ? "evenodd" : "nonzero") + "\"" +
                         opacityAttr("fill-opacity", path.fill->opacity);
                else
                  svg += " fill=\"none\"";
                if (path.stroke) svg += strokeAttributes(*path.stroke, m, o);
                svg += "/>\n";
              },
              [&](const DotPrim& dot) {
                svg += "<circle cx=\"" + num(m.x(dot.at.x)) + "\" cy=\"" + num(m.y(dot.at.y)) + "\" r=\"1\" fill=\"" +
                       hex(dot.color) + "\"/>\n";
              },
              [&](const ImagePrim& image) {
                if (!image.pixels) return;
                // A picture drawn in several places is encoded once.
                std::string& data = encoded[image.pixels.get()];
                if (data.empty()) data = base64(encodePng(*image.pixels));
                if (data.empty()) return;
                // The pixel grid (y down) onto the page (y down too).
                const std::string matrix = num(image.across.x * m.k) + ' ' + num(-image.across.y * m.k) + ' ' +
                                           num(image.down.x * m.k) + ' ' + num(-image.down.y * m.k) + ' ' +
                                           at(image.corner, m);
                svg += "<image width=\"" + std::to_string(image.pixels->width) + "\" height=\"" +
                       std::to_string(image.pixels->height) + "\" preserveAspectRatio=\"none\" transform=\"matrix(" +
                       matrix + ")\" href=\"data:image/png;base64," + data + "\"/>\n";
              },
              [&](const ClipPrim& clip) {
                const std::string d = ringsData(clip.region, m);
                if (d.empty() || !clip.content) return;
                const std::string id = "clip" + std::to_string(++clips);
                svg += "<clipPath id=\"" + id + "\"><path d=\"" + d + "\" clip-rule=\"evenodd\"/></clipPath>\n";
                svg += "<g clip-path=\"url(#" + id + ")\">\n";
                self(*clip.content, self);
                svg += "</g>\n";
              },
          },
          p);
    }
  };
  items(list, items);
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
