#include "pdf_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include <zlib.h>

#include "file_output.h"
#include "font_metrics.h"
#include "path_flatten.h"
#include "pixel_mapping.h"
#include "short_number.h"

namespace render {
namespace {

std::string num(double v) { return shortNumber(v); }

std::string colour(const Rgb& c, const char* op) {
  return num(c.r / 255.0) + ' ' + num(c.g / 255.0) + ' ' + num(c.b / 255.0) + ' ' + op + '\n';
}

// The page's coordinates: points from the lower left corner.
struct PageMapping {
  PixelMapping m;
  double height;
  double x(double v) const { return m.x(v); }
  double y(double v) const { return height - m.y(v); }
  std::string at(const Point2& p) const { return num(x(p.x)) + ' ' + num(y(p.y)); }
};

void addPath(std::string& out, const std::vector<Point2>& pts, const PageMapping& page, bool close) {
  for (std::size_t i = 0; i < pts.size(); ++i) out += page.at(pts[i]) + (i == 0 ? " m\n" : " l\n");
  if (close) out += "h\n";
}

// The pen's colour, width and dashes.
std::string strokeState(const Stroke& st, const PageMapping& page) {
  std::string out = colour(st.color, "RG");
  out += num(st.width > 0 ? st.width * page.m.k : st.lineweightMm * 72 / 25.4) + " w\n";
  // A polyline's width has square ends and mitred corners; lineweights
  // round ones.
  out += st.width > 0 ? "0 J 0 j 4 M\n" : "1 J 1 j\n";
  std::string dash;
  if (!st.dashes.empty() && st.dashes.front() < 0) dash = "0";
  bool anyLength = false;
  for (double d : st.dashes) {
    anyLength = anyLength || std::fabs(d) * page.m.k >= 5e-4;
    dash += (dash.empty() ? "" : " ") + num(std::fabs(d) * page.m.k);
  }
  return out + "[" + (anyLength ? dash : std::string()) + "] 0 d\n";
}

// A path's outline in PDF's operators; arcs become cubic Beziers, which is
// all the format draws curves with. False when nothing was drawn.
bool addCurves(std::string& out, const std::vector<PathSegment>& segments, const PageMapping& page) {
  bool open = false, any = false;
  auto cubic = [&](const PathSegment& c) {
    out += page.at(c.c1) + ' ' + page.at(c.c2) + ' ' + page.at(c.to) + " c\n";
  };
  for (const PathSegment& s : segments) {
    if (!isFinite(s)) continue;  // as everywhere: left out, the pen stays
    switch (s.kind) {
      case PathSegment::Kind::kMove:
        out += page.at(s.to) + " m\n";
        open = true;
        break;
      case PathSegment::Kind::kLine:
        out += page.at(s.to) + (open ? " l\n" : " m\n");
        any = any || open;
        open = true;
        break;
      case PathSegment::Kind::kCubic:
        if (!open) out += page.at(s.to) + " m\n";
        cubic(s);
        any = open = true;
        break;
      case PathSegment::Kind::kArc: {
        const std::vector<PathSegment> pieces = arcAsCubics(s);
        if (pieces.empty()) break;
        out += page.at(arcPointAt(s, s.start)) + (open ? " l\n" : " m\n");
        for (const PathSegment& c : pieces) cubic(c);
        any = open = true;
        break;
      }
      case PathSegment::Kind::kClose:
        if (open) out += "h\n";
        break;
    }
  }
  return any;
}

// The text in the standard fonts' WinAnsi encoding, written as a PDF
// string; nothing when a character has no place there.
bool latin1String(const std::string& utf8, std::string& out) {
  out = "(";
  for (std::size_t i = 0; i < utf8.size();) {
    const unsigned char b = static_cast<unsigned char>(utf8[i]);
    unsigned code = b;
    std::size_t length = 1;
    if (b >= 0xC0 && b < 0xE0 && i + 1 < utf8.size()) {
      code = ((b & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu);
      length = 2;
    } else if (b >= 0x80) {
      return false;  // beyond Latin-1, or a stray byte
    }
    i += length;
    if (code < 0x20 || (code >= 0x7F && code < 0xA0) || code > 0xFF) return false;
    if (code == '(' || code == ')' || code == '\\') out += '\\';
    out += char(code);
  }
  out += ')';
  return true;
}

void addText(std::string& out, const TextRunPrim& t, const PageMapping& page) {
  double advanceEm = 0;
  auto glyphs = FontMetrics::shared().outlines(t.font, t.text, advanceEm);
  if (!(t.emSize > 0)) return;
  const double sx = (advanceEm > 0 && t.advance > 0) ? t.advance / (advanceEm * t.emSize) : t.widthFactor;
  const double c = std::cos(t.rotation), s = std::sin(t.rotation);
  if (!glyphs.empty()) {
    out += colour(t.color, "rg");
    for (auto& contour : glyphs) {
      for (Point2& p : contour) p = glyphPoint(t, p, sx);
      addPath(out, contour, page, true);
    }
    out += "f\n";
  }
  std::string spelled;
  if (!latin1String(t.text, spelled)) return;
  // Invisible (render mode 3), the size of the drawn text, along its baseline.
  const double size = t.emSize * page.m.k;
  out += "BT 3 Tr /F1 " + num(size) + " Tf " + num(c * sx) + ' ' + num(s * sx) + ' ' + num(-s) + ' ' + num(c) + ' ' +
         page.at(t.origin) + " Tm " + spelled + " Tj ET\n";
}

// The pictures a page shows, each an image object of the file, and the
// opacities its fills take (0 to 255), each a graphics state.
struct PageResources {
  std::vector<std::shared_ptr<const ImagePixels>> images;
  std::vector<int> opacities;
};

// What comes before and after painting with an opacity below one: the
// page's graphics state of that opacity, inside a saved state.
std::pair<std::string, std::string> withOpacity(double opacity, PageResources& page) {
  const int level = int(std::lround(std::clamp(opacity, 0.0, 1.0) * 255));
  if (level >= 255) return {};
  auto known = std::find(page.opacities.begin(), page.opacities.end(), level);
  if (known == page.opacities.end()) known = page.opacities.insert(page.opacities.end(), level);
  return {"q /GA" + std::to_string(known - page.opacities.begin() + 1) + " gs\n", "Q\n"};
}

void addContent(std::string& out, const DisplayList& list, const PageMapping& page, PageResources& res) {
  for (const Primitive& p : list.items()) {
    std::visit(
        Overloaded{
            [&](const PolylinePrim& pl) {
              if (pl.points.size() < 2) return;
              out += strokeState(pl.stroke, page);
              addPath(out, pl.points, page, pl.closed);
              out += "S\n";
            },
            [&](const FilledPolygonPrim& fp) {
              if (fp.points.size() < 3) return;
              const auto [before, after] = withOpacity(fp.opacity, res);
              out += before + colour(fp.color, "rg");
              addPath(out, fp.points, page, true);
              out += "f\n" + after;
            },
            [&](const TextRunPrim& t) {
              const auto [before, after] = withOpacity(t.opacity, res);
              out += before;
              addText(out, t, page);
              out += after;
            },
            [&](const PathPrim& path) {
              if (!path.fill && !path.stroke) return;
              if (path.fill && path.fill->opacity < 1) {
                // A translucent fill goes alone, the stroke over it solid.
                PathPrim fill = path, stroke = path;
                fill.stroke.reset();
                fill.fill->opacity = 1;
                stroke.fill.reset();
                DisplayList filled, stroked;
                filled.add(std::move(fill));
                if (path.stroke) stroked.add(std::move(stroke));
                const auto [before, after] = withOpacity(path.fill->opacity, res);
                out += before;
                addContent(out, filled, page, res);
                out += after;
                addContent(out, stroked, page, res);
                return;
              }
              if (path.fill) out += colour(path.fill->color, "rg");
              if (path.stroke) out += strokeState(*path.stroke, page);
              if (!addCurves(out, path.segments, page)) {
                out += "n\n";  // nothing to paint: the path is dropped
                return;
              }
              const bool evenOdd = path.fill && path.fill->rule == FillRule::kEvenOdd;
              out += path.fill ? (path.stroke ? (evenOdd ? "B*\n" : "B\n") : (evenOdd ? "f*\n" : "f\n")) : "S\n";
            },
            [&](const DotPrim& dot) {
              // Two pixels of a screen of 96 dpi across: 1.5 points.
              const Point2 c{page.x(dot.at.x), page.y(dot.at.y)};
              out += colour(dot.color, "rg");
              out += num(c.x + 0.75) + ' ' + num(c.y) + " m\n";
              for (const PathSegment& q : arcAsCubics(PathSegment::circleArc(c, 0.75, 0, 2 * std::numbers::pi)))
                out += num(q.c1.x) + ' ' + num(q.c1.y) + ' ' + num(q.c2.x) + ' ' + num(q.c2.y) + ' ' + num(q.to.x) +
                       ' ' + num(q.to.y) + " c\n";
              out += "f\n";
            },
            [&](const ImagePrim& image) {
              if (!image.pixels || image.pixels->width <= 0 || image.pixels->height <= 0) return;
              // The image's unit square, its first row on top, onto the page.
              const double w = image.pixels->width, h = image.pixels->height, k = page.m.k;
              const Point2 lowerLeft = image.at(0, h);
              // A picture drawn in several places is one object of the file.
              auto known = std::find(res.images.begin(), res.images.end(), image.pixels);
              if (known == res.images.end()) known = res.images.insert(res.images.end(), image.pixels);
              out += "q " + num(k * image.across.x * w) + ' ' + num(k * image.across.y * w) + ' ' +
                     num(-k * image.down.x * h) + ' ' + num(-k * image.down.y * h) + ' ' + page.at(lowerLeft) +
                     " cm /Im" + std::to_string(known - res.images.begin() + 1) + " Do Q\n";
            },
            [&](const ClipPrim& clip) {
              if (!clip.content) return;
              std::string region;
              for (const auto& ring : clip.region)
                if (ring.size() >= 3) addPath(region, ring, page, true);
              if (region.empty()) return;
              out += "q\n" + region + "W* n\n";
              addContent(out, *clip.content, page, res);
              out += "Q\n";
            },
        },
        p);
  }
}

std::string content(const DisplayList& list, const PdfOptions& o, PageResources& res) {
  PageMapping page{PixelMapping::fit(list.bounds(), int(o.pageWidthPt), int(o.pageHeightPt), o.marginPt),
                   o.pageHeightPt};
  std::string out = "1 J 1 j\n";  // round ends and corners, as the other pictures draw
  addContent(out, list, page, res);
  return out;
}

std::string deflated(const std::string& bytes) {
  uLongf size = compressBound(uLong(bytes.size()));
  std::string out(size, '\0');
  if (compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(bytes.data()),
                uLong(bytes.size()), Z_DEFAULT_COMPRESSION) != Z_OK)
    return {};
  out.resize(size);
  return out;
}

// An image object of 8-bit samples, compressed.
std::string imageObject(int width, int height, const char* colourSpace, const std::string& samples,
                        const std::string& extra) {
  std::string packed = deflated(samples);
  const bool flate = !packed.empty();
  if (!flate) packed = samples;
  return "<< /Type /XObject /Subtype /Image /Width " + std::to_string(width) + " /Height " + std::to_string(height) +
         " /ColorSpace " + colourSpace + " /BitsPerComponent 8" + (flate ? " /Filter /FlateDecode" : "") + extra +
         " /Length " + std::to_string(packed.size()) + " >>\nstream\n" + packed + "\nendstream";
}

}  // namespace

std::string pdfDocument(const DisplayList& list, const PdfOptions& o) {
  PageResources res;
  const std::string stream = content(list, o, res);
  const auto& images = res.images;
  // Objects 1 to 6 are the page's; its pictures follow, each with its
  // opacity as a mask of its own where some pixel is not opaque.
  std::vector<std::string> objects(6);
  std::string pictures;
  for (std::size_t i = 0; i < images.size(); ++i) {
    const ImagePixels& px = *images[i];
    std::string rgb, alpha;
    rgb.reserve(px.rgba.size() / 4 * 3);
    alpha.reserve(px.rgba.size() / 4);
    bool opaque = true;
    for (std::size_t k = 0; k + 3 < px.rgba.size(); k += 4) {
      rgb.append(reinterpret_cast<const char*>(&px.rgba[k]), 3);
      alpha += char(px.rgba[k + 3]);
      opaque = opaque && px.rgba[k + 3] == 255;
    }
    std::string mask;
    if (!opaque) {
      objects.push_back(imageObject(px.width, px.height, "/DeviceGray", alpha, ""));
      mask = " /SMask " + std::to_string(objects.size()) + " 0 R";
    }
    objects.push_back(imageObject(px.width, px.height, "/DeviceRGB", rgb, mask));
    pictures += " /Im" + std::to_string(i + 1) + ' ' + std::to_string(objects.size()) + " 0 R";
  }
  objects[0] = "<< /Type /Catalog /Pages 2 0 R >>";
  objects[1] = "<< /Type /Pages /Kids [3 0 R] /Count 1 >>";
  std::string states;
  for (std::size_t i = 0; i < res.opacities.size(); ++i)
    states += " /GA" + std::to_string(i + 1) + " << /ca " + num(res.opacities[i] / 255.0) + " >>";
  objects[2] = "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + num(o.pageWidthPt) + ' ' + num(o.pageHeightPt) +
               "] /Resources << /Font << /F1 5 0 R >>" + (pictures.empty() ? "" : " /XObject <<" + pictures + " >>") +
               (states.empty() ? "" : " /ExtGState <<" + states + " >>") + " >> /Contents 4 0 R >>";
  objects[3] = "<< /Length " + std::to_string(stream.size()) + " >>\nstream\n" + stream + "endstream";
  objects[4] = "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>";
  objects[5] = "<< /Producer (qrvhost) >>";
  // The binary comment line tells transfer programs the file is not text.
  std::string pdf = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
  std::vector<std::size_t> offsets;
  for (std::size_t i = 0; i < objects.size(); ++i) {
    offsets.push_back(pdf.size());
    pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
  }
  const std::size_t xref = pdf.size();
  pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
  for (std::size_t offset : offsets) {
    char entry[24];
    std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
    pdf += entry;
  }
  pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R /Info 6 0 R >>\nstartxref\n" +
         std::to_string(xref) + "\n%%EOF\n";
  return pdf;
}

bool writePdfFile(const DisplayList& list, const std::string& path, const PdfOptions& options, std::string* error) {
  std::string why;
  if (hostSaveFileAtomically(path, pdfDocument(list, options), why)) return true;
  if (error) *error = "cannot write " + path + ": " + why;
  return false;
}

}  // namespace render
