#include "raster_image.h"

#include "file_output.h"

#include <png.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>

#include "font_metrics.h"
#include "image_file.h"
#include "path_flatten.h"
#include "pixel_mapping.h"

namespace render {
namespace {

using Contours = std::vector<std::vector<Point2>>;

// A canvas of samples; pixels are the mean of their samples.
class Canvas {
public:
  Canvas(int w, int h, int s, Rgb bg) : m_w(w * s), m_h(h * s), m_s(s), m_px(std::size_t(m_w) * m_h, bg) {}

  // Fills the contours with the non-zero winding rule (glyphs need it;
  // for simple shapes it is the same as even-odd) or the even-odd rule,
  // where the clip lets it through.
  // `opacity` below one lets what is there show through.
  void fill(const Contours& contours, Rgb c, FillRule rule = FillRule::kNonZero, double opacity = 1.0) {
    const Mask* clip = m_clips.empty() ? nullptr : &m_clips.back();
    const int a = int(std::lround(std::clamp(opacity, 0.0, 1.0) * 255));
    if (a == 0) return;
    auto over = [a](int top, int below) { return std::uint8_t((top * a + below * (255 - a) + 127) / 255); };
    scan(contours, rule, [&](int row, int from, int to) {
      Rgb* line = &m_px[std::size_t(row) * m_w];
      for (int x = from; x < to; ++x)
        if (!clip || clip->covers(row, x)) line[x] = a == 255 ? c : Rgb{over(c.r, line[x].r), over(c.g, line[x].g), over(c.b, line[x].b)};
    });
  }

  // From here until popClip, only the inside of the contours (even-odd)
  // and of the clips before is painted.
  void pushClip(const Contours& contours) {
    Mask inside;
    double x0 = 1e300, y0 = 1e300, x1 = -1e300, y1 = -1e300;
    for (const auto& ring : contours)
      for (const Point2& p : ring)
        if (std::isfinite(p.x) && std::isfinite(p.y))
          x0 = std::min(x0, p.x), y0 = std::min(y0, p.y), x1 = std::max(x1, p.x), y1 = std::max(y1, p.y);
    const Mask* outer = m_clips.empty() ? nullptr : &m_clips.back();
    // The mask covers the region's box only (within the outer clip's).
    if (x0 > x1) x0 = x1 = y0 = y1 = 0;  // nothing finite: nothing shows
    x0 = std::clamp(x0, 0.0, double(m_w)), y0 = std::clamp(y0, 0.0, double(m_h));
    inside.x0 = std::max(outer ? outer->x0 : 0, int(std::floor(x0)));
    inside.y0 = std::max(outer ? outer->y0 : 0, int(std::floor(y0)));
    const int xEnd = std::min(outer ? outer->x0 + outer->w : m_w, int(std::ceil(std::clamp(x1 + 1, 0.0, double(m_w)))));
    const int yEnd = std::min(outer ? outer->y0 + outer->h : m_h, int(std::ceil(std::clamp(y1 + 1, 0.0, double(m_h)))));
    inside.w = std::max(0, xEnd - inside.x0);
    inside.h = std::max(0, yEnd - inside.y0);
    inside.bits.assign(std::size_t(inside.w) * inside.h, 0);
    scan(contours, FillRule::kEvenOdd, [&](int row, int from, int to) {
      if (row < inside.y0 || row >= inside.y0 + inside.h) return;
      for (int x = std::max(from, inside.x0); x < std::min(to, inside.x0 + inside.w); ++x)
        inside.bits[std::size_t(row - inside.y0) * inside.w + (x - inside.x0)] = !outer || outer->covers(row, x);
    });
    m_clips.push_back(std::move(inside));
  }
  void popClip() {
    if (!m_clips.empty()) m_clips.pop_back();
  }

  // Pixels placed by the map from sample coordinates to the picture's
  // pixel grid (nearest pixel), over what is there by their opacity.
  void image(const ImagePixels& px, const std::array<double, 6>& toGrid, const Bounds& samples) {
    const Mask* clip = m_clips.empty() ? nullptr : &m_clips.back();
    const int x0 = std::max(0, int(std::floor(samples.minX))), x1 = std::min(m_w - 1, int(std::ceil(samples.maxX)));
    const int y0 = std::max(0, int(std::floor(samples.minY))), y1 = std::min(m_h - 1, int(std::ceil(samples.maxY)));
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) {
        const double sx = x + 0.5, sy = y + 0.5;
        const double gx = toGrid[0] * sx + toGrid[1] * sy + toGrid[2];
        const double gy = toGrid[3] * sx + toGrid[4] * sy + toGrid[5];
        if (!(gx >= 0 && gy >= 0 && gx < px.width && gy < px.height)) continue;
        const std::size_t i = std::size_t(y) * m_w + x;
        if (clip && !clip->covers(y, x)) continue;
        const std::uint8_t* p = &px.rgba[(std::size_t(gy) * px.width + std::size_t(gx)) * 4];
        const int a = p[3];
        Rgb& to = m_px[i];
        auto over = [a](int top, int below) { return std::uint8_t((top * a + below * (255 - a) + 127) / 255); };
        to = {over(p[0], to.r), over(p[1], to.g), over(p[2], to.b)};
      }
  }

  Image downsample() const {
    Image img;
    img.width = m_w / m_s;
    img.height = m_h / m_s;
    img.rgb.resize(std::size_t(img.width) * img.height * 3);
    const int n = m_s * m_s;
    for (int y = 0; y < img.height; ++y)
      for (int x = 0; x < img.width; ++x) {
        int r = 0, g = 0, b = 0;
        for (int sy = 0; sy < m_s; ++sy)
          for (int sx = 0; sx < m_s; ++sx) {
            const Rgb& p = m_px[std::size_t(y * m_s + sy) * m_w + x * m_s + sx];
            r += p.r, g += p.g, b += p.b;
          }
        const std::size_t i = (std::size_t(y) * img.width + x) * 3;
        img.rgb[i] = std::uint8_t((r + n / 2) / n);
        img.rgb[i + 1] = std::uint8_t((g + n / 2) / n);
        img.rgb[i + 2] = std::uint8_t((b + n / 2) / n);
      }
    return img;
  }

private:
  // Where a clip lets paint through: a box of samples and a bit for each.
  struct Mask {
    int x0 = 0, y0 = 0, w = 0, h = 0;
    std::vector<std::uint8_t> bits;
    bool covers(int row, int x) const {
      return row >= y0 && row < y0 + h && x >= x0 && x < x0 + w && bits[std::size_t(row - y0) * w + (x - x0)];
    }
  };

  // Calls `span(row, from, to)` for each run of samples of a row inside
  // the contours.
  template <class Span>
  void scan(const Contours& contours, FillRule rule, Span&& span) const {
    struct Edge {
      double x0, y0, x1, y1;
      int dir;
    };
    std::vector<Edge> edges;
    double ymin = 1e300, ymax = -1e300;
    for (const auto& pts : contours) {
      for (std::size_t i = 0; i < pts.size(); ++i) {
        const Point2 a = pts[i], b = pts[(i + 1) % pts.size()];
        if (!std::isfinite(a.x + a.y + b.x + b.y) || a.y == b.y) continue;
        edges.push_back(a.y < b.y ? Edge{a.x, a.y, b.x, b.y, 1} : Edge{b.x, b.y, a.x, a.y, -1});
        ymin = std::min({ymin, a.y, b.y});
        ymax = std::max({ymax, a.y, b.y});
      }
    }
    if (edges.empty()) return;
    const int r0 = std::max(0, int(std::floor(ymin))), r1 = std::min(m_h - 1, int(std::ceil(ymax)));
    std::vector<std::pair<double, int>> cross;
    for (int r = r0; r <= r1; ++r) {
      const double yc = r + 0.5;
      cross.clear();
      for (const Edge& e : edges)
        if (yc >= e.y0 && yc < e.y1) cross.push_back({e.x0 + (yc - e.y0) * (e.x1 - e.x0) / (e.y1 - e.y0), e.dir});
      std::sort(cross.begin(), cross.end());
      int winding = 0;
      for (std::size_t i = 0; i + 1 < cross.size(); ++i) {
        winding += cross[i].second;
        if (rule == FillRule::kEvenOdd ? (i % 2 == 1) : winding == 0) continue;
        const int from = std::max(0, int(std::ceil(cross[i].first - 0.5)));
        const int to = std::min(m_w, int(std::ceil(cross[i + 1].first - 0.5)));
        if (from < to) span(r, from, to);
      }
    }
  }

  int m_w, m_h, m_s;
  std::vector<Rgb> m_px;
  std::vector<Mask> m_clips;  // each the inside of all before it
};

// A round end or joint: a small polygon.
std::vector<Point2> disc(Point2 c, double r) {
  std::vector<Point2> pts;
  for (int i = 0; i < 12; ++i) {
    const double a = i * std::numbers::pi / 6;
    pts.push_back({c.x + r * std::cos(a), c.y + r * std::sin(a)});
  }
  return pts;
}

// Pieces of a polyline (in samples) that the dash pattern (in samples,
// positive dashes, negative gaps, zero dots) draws.
std::vector<std::vector<Point2>> dashed(const std::vector<Point2>& pts, const std::vector<double>& pattern,
                                        double dotLength) {
  if (pts.size() < 2) return {};
  double period = 0;
  for (double d : pattern) period += d == 0 ? dotLength : std::fabs(d);
  if (pattern.empty() || period < 2 * dotLength) return {pts};  // too fine to show: a full line
  std::vector<std::vector<Point2>> out;
  std::size_t k = 0;
  double left = pattern[0] == 0 ? dotLength : std::fabs(pattern[0]);
  bool on = pattern[0] >= 0;
  if (on) out.push_back({pts[0]});
  for (std::size_t i = 0; i + 1 < pts.size(); ++i) {
    Point2 a = pts[i];
    const Point2 b = pts[i + 1];
    double seg = std::hypot(b.x - a.x, b.y - a.y);
    while (seg > left) {
      const double t = left / seg;
      a = {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
      seg -= left;
      if (on) out.back().push_back(a);
      k = (k + 1) % pattern.size();
      left = pattern[k] == 0 ? dotLength : std::fabs(pattern[k]);
      on = pattern[k] >= 0;
      if (on) out.push_back({a});
    }
    left -= seg;
    if (on) out.back().push_back(b);
  }
  return out;
}

// The corner where a wide line turns at `p` from direction `d1` to `d2`
// (unit vectors), on its outer side: mitred, or cut square where the mitre
// would reach out more than four half widths.
void wideJoint(Canvas& cv, Point2 p, Point2 d1, Point2 d2, double halfWidth, Rgb c) {
  const double turn = d1.x * d2.y - d1.y * d2.x;
  if (std::fabs(turn) < 1e-12) return;
  const double side = turn > 0 ? -1 : 1;  // the outer side: right of a left turn
  const Point2 n1{-d1.y * halfWidth * side, d1.x * halfWidth * side}, n2{-d2.y * halfWidth * side, d2.x * halfWidth * side};
  const Point2 a{p.x + n1.x, p.y + n1.y}, b{p.x + n2.x, p.y + n2.y};
  const double mx = n1.x + n2.x, my = n1.y + n2.y, m2 = mx * mx + my * my;
  const double reach = m2 > 0 ? 2 * halfWidth * halfWidth / m2 : 0;  // the mitre tip is p + (mx, my) * reach
  if (m2 > 0 && reach * std::sqrt(m2) <= 4 * halfWidth)
    cv.fill({{p, a, {p.x + mx * reach, p.y + my * reach}, b}}, c);
  else
    cv.fill({{p, a, b}}, c);
}

// A line of lineweight has round ends and joints; a wide one (a polyline's
// width) square ends and mitred joints, as drafting programs draw it.
void stroke(Canvas& cv, const std::vector<Point2>& pts, double halfWidth, Rgb c, bool wide, bool closed) {
  std::vector<Point2> dirs;  // of each piece with a length, and where it starts
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i + 1 < pts.size(); ++i) {
    const Point2 a = pts[i], b = pts[i + 1];
    const double len = std::hypot(b.x - a.x, b.y - a.y);
    if (len < 1e-9) continue;
    const double nx = -(b.y - a.y) / len * halfWidth, ny = (b.x - a.x) / len * halfWidth;
    cv.fill({{{a.x + nx, a.y + ny}, {b.x + nx, b.y + ny}, {b.x - nx, b.y - ny}, {a.x - nx, a.y - ny}}}, c);
    dirs.push_back({(b.x - a.x) / len, (b.y - a.y) / len});
    starts.push_back(i);
  }
  if (!wide) {
    if (halfWidth > 0.75)
      for (const Point2& p : pts) cv.fill({disc(p, halfWidth)}, c);
    return;
  }
  for (std::size_t k = 1; k < dirs.size(); ++k) wideJoint(cv, pts[starts[k]], dirs[k - 1], dirs[k], halfWidth, c);
  if (closed && dirs.size() > 1) wideJoint(cv, pts[starts[0]], dirs.back(), dirs.front(), halfWidth, c);
}

// A line (in samples) with the stroke's width and dashes.
void strokeLine(Canvas& cv, std::vector<Point2> pts, bool closed, const Stroke& st, const PixelMapping& m,
                const RasterOptions& o, int s) {
  if (closed && !pts.empty()) pts.push_back(pts.front());
  const double widthPx = st.width > 0 ? st.width * m.k : std::max(1.0, st.lineweightMm * o.pxPerMm);
  std::vector<double> pattern;
  for (double d : st.dashes) pattern.push_back(d * m.k * s);
  const bool wide = st.width > 0;
  const bool solid = pattern.empty();
  for (const auto& piece : dashed(pts, pattern, 0.5 * s))
    stroke(cv, piece, widthPx * s / 2, st.color, wide, closed && solid);
}

}  // namespace

Image rasterize(const DisplayList& list, const RasterOptions& o) {
  const int s = std::clamp(o.supersample, 1, 8);
  const PixelMapping m = PixelMapping::fit(list.bounds(), o.widthPx, o.heightPx, o.marginPx);
  Canvas cv(m.widthPx, m.heightPx, s, o.background);
  auto toSamples = [&](Point2 p) { return Point2{m.x(p.x) * s, m.y(p.y) * s}; };
  auto allToSamples = [&](const std::vector<Point2>& points) {
    std::vector<Point2> pts;
    pts.reserve(points.size());
    for (const Point2& p : points) pts.push_back(toSamples(p));
    return pts;
  };
  // Curves are cut finer than a sample can show.
  const double tolerance = 0.3 / (m.k * s);
  auto draw = [&](const DisplayList& part, auto& self) -> void {
    for (const Primitive& prim : part.items()) {
      std::visit(
          Overloaded{
              [&](const PolylinePrim& pl) { strokeLine(cv, allToSamples(pl.points), pl.closed, pl.stroke, m, o, s); },
              [&](const FilledPolygonPrim& fp) {
                cv.fill({allToSamples(fp.points)}, fp.color, FillRule::kNonZero, fp.opacity);
              },
              [&](const TextRunPrim& t) {
                double advanceEm = 0;
                Contours glyphs = FontMetrics::shared().outlines(t.font, t.text, advanceEm);
                if (glyphs.empty() || !(t.emSize > 0)) return;
                // Stretched to the measured width, as the picture's other writers do.
                const double sx = (advanceEm > 0 && t.advance > 0) ? t.advance / (advanceEm * t.emSize) : t.widthFactor;
                for (auto& contour : glyphs)
                  for (Point2& p : contour) p = toSamples(glyphPoint(t, p, sx));
                cv.fill(glyphs, t.color, FillRule::kNonZero, t.opacity);
              },
              [&](const PathPrim& path) {
                const std::vector<FlatLine> lines = flatten(path.segments, tolerance);
                if (path.fill) {
                  Contours contours;
                  for (const FlatLine& l : lines) contours.push_back(allToSamples(l.points));
                  cv.fill(contours, path.fill->color, path.fill->rule, path.fill->opacity);
                }
                if (path.stroke)
                  for (const FlatLine& l : lines)
                    strokeLine(cv, allToSamples(l.points), l.closed, *path.stroke, m, o, s);
              },
              [&](const DotPrim& dot) { cv.fill({disc(toSamples(dot.at), s)}, dot.color); },
              [&](const ImagePrim& image) {
                if (!image.pixels || image.pixels->width <= 0 || image.pixels->height <= 0) return;
                // Grid to samples is affine: its inverse finds each sample's pixel.
                const Point2 o = toSamples(image.corner), a = toSamples(image.at(1, 0)), d = toSamples(image.at(0, 1));
                const double ax = a.x - o.x, ay = a.y - o.y, dx = d.x - o.x, dy = d.y - o.y;
                const double det = ax * dy - dx * ay;
                if (!(std::fabs(det) > 1e-12) || !std::isfinite(det)) return;
                const std::array<double, 6> toGrid{dy / det, -dx / det, (dx * o.y - dy * o.x) / det,
                                                   -ay / det, ax / det, (ay * o.x - ax * o.y) / det};
                const double w = image.pixels->width, h = image.pixels->height;
                Bounds covered;
                for (Point2 corner : {image.at(0, 0), image.at(w, 0), image.at(w, h), image.at(0, h)})
                  covered.add(toSamples(corner));
                cv.image(*image.pixels, toGrid, covered);
              },
              [&](const ClipPrim& clip) {
                if (!clip.content) return;
                Contours region;
                for (const auto& ring : clip.region) region.push_back(allToSamples(ring));
                cv.pushClip(region);
                self(*clip.content, self);
                cv.popClip();
              },
          },
          prim);
    }
  };
  draw(list, draw);
  return cv.downsample();
}

bool writePngFile(const Image& image, const std::string& path, std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error) *error = "cannot write " + path + ": " + why;
    return false;
  };
  if (image.width <= 0 || image.height <= 0 || image.rgb.size() != std::size_t(image.width) * image.height * 3)
    return fail("the image is empty");
  // Encoded in memory first, so that the file is replaced only by a
  // complete picture.
  const std::string bytes = encodePng(image.width, image.height, 3, image.rgb.data());
  if (bytes.empty()) return fail("the PNG encoder failed");
  std::string why;
  return hostSaveFileAtomically(path, bytes, why) || fail(why);
}

bool readPngFile(const std::string& path, Image& image, std::string* error) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, path.c_str())) {
    if (error) *error = "cannot read " + path + ": " + png.message;
    return false;
  }
  png.format = PNG_FORMAT_RGB;
  Image out;
  out.width = int(png.width);
  out.height = int(png.height);
  out.rgb.resize(PNG_IMAGE_SIZE(png));
  const png_color white{255, 255, 255};
  if (!png_image_finish_read(&png, &white, out.rgb.data(), 0, nullptr)) {
    if (error) *error = "cannot read " + path + ": " + png.message;
    png_image_free(&png);
    return false;
  }
  image = std::move(out);
  return true;
}

}  // namespace render
