#include "native_gate.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <unordered_map>

#include "clip_to_rect.h"
#include "font_metrics.h"
#include "path_flatten.h"
#include "raster_image.h"
#include "renderer.h"
#include "svg_writer.h"
#include "translation.h"

namespace render {
namespace {

// Lineweights in a window look as they do on a screen of 96 dpi.
constexpr double kPxPerMm = 96 / 25.4;
constexpr Rgb kImageOutline{128, 128, 128};

HostPictureColor toHost(Rgb c) { return {c.r, c.g, c.b}; }
Rgb fromHost(HostPictureColor c) { return {c.r, c.g, c.b}; }

bool isTurned(double rotation) {
  const double r = std::remainder(rotation, 2 * 3.14159265358979323846);
  return std::fabs(r) > 1e-9;
}

// The glyphs of a text run as contours, placed and stretched as the
// rasteriser draws them, then mapped into the target.
template <class Map>
std::vector<std::vector<HostPicturePoint>> outlinesOf(const TextRunPrim& t, const Map& map) {
  double advanceEm = 0;
  std::vector<std::vector<Point2>> glyphs = FontMetrics::shared().outlines(t.font, t.text, advanceEm);
  std::vector<std::vector<HostPicturePoint>> out;
  if (glyphs.empty() || !(t.emSize > 0)) return out;
  const double stretch = (advanceEm > 0 && t.advance > 0) ? t.advance / (advanceEm * t.emSize) : t.widthFactor;
  out.reserve(glyphs.size());
  for (const auto& contour : glyphs) {
    std::vector<HostPicturePoint>& mapped = out.emplace_back();
    mapped.reserve(contour.size());
    for (const Point2& p : contour) mapped.push_back(map(glyphPoint(t, p, stretch)));
  }
  return out;
}

// Closed contours as one polygon: each contour after the first is reached
// from the first one's start and left the same way back, so the bridges
// cancel out and an even-odd fill shows the holes.
std::vector<HostPicturePoint> joinedContours(const std::vector<std::vector<HostPicturePoint>>& contours) {
  std::vector<HostPicturePoint> out;
  for (const auto& contour : contours) {
    if (contour.empty()) continue;
    out.insert(out.end(), contour.begin(), contour.end());
    out.push_back(contour.front());
    if (out.size() > contour.size() + 1) out.push_back(out.front());
  }
  return out;
}

// Why an incomplete picture is not written: a file would pass for the
// whole picture.
std::string incompleteReason() {
  return hostLanguage() == HostLanguage::kRussian
             ? "рисунок слишком сложен для рисования за разумное время (блоки вложены друг в друга слишком много "
               "раз); ничего не записано"
             : "the picture is too complex to draw in a reasonable time (blocks inserted into each other too many "
               "times); nothing was written";
}

class DisplayListPicture final : public HostPicture {
public:
  DisplayListPicture(DisplayList list, bool complete) : m_list(std::move(list)), m_complete(complete) {}

  HostPictureBox bounds() const override {
    const Bounds& b = m_list.bounds();
    if (b.empty()) return {};
    return {b.minX, b.minY, b.maxX, b.maxY};
  }
  bool empty() const override { return m_list.bounds().empty(); }

  void play(HostPictureSink& sink, const HostPictureBox& target) const override {
    const Bounds& b = m_list.bounds();
    if (b.empty() || target.width() <= 0 || target.height() <= 0) return;
    // Stretched to fill the target, as a metafile is played; a picture
    // without extent in one direction takes the other direction's scale.
    double sx = b.width() > 0 ? target.width() / b.width() : 0;
    double sy = b.height() > 0 ? target.height() / b.height() : 0;
    if (sx == 0) sx = sy;
    if (sy == 0) sy = sx;
    if (sx == 0) return;  // a single point: nothing to show
    const double drawingScale = std::sqrt(sx * sy);
    auto map = [&](const Point2& p) {
      return HostPicturePoint{target.minX + (p.x - b.minX) * sx, target.minY + (b.maxY - p.y) * sy};
    };
    auto mapAll = [&](const std::vector<Point2>& points) {
      std::vector<HostPicturePoint> out;
      out.reserve(points.size());
      for (const Point2& p : points) out.push_back(map(p));
      return out;
    };
    // Curves are cut to a fiftieth of a pixel of the target: sinks that
    // draw on whole pixels round every point, and only pieces a pixel or
    // two long keep a rounded curve round.
    const double tolerance = 0.02 / drawingScale;
    auto widthOf = [&](const Stroke& st) {
      return std::max(1.0, st.width > 0 ? st.width * drawingScale : st.lineweightMm * kPxPerMm);
    };
    auto playAll = [&](const DisplayList& part, auto& self) -> void {
      for (const Primitive& item : part.items()) {
        std::visit(
            Overloaded{
                [&](const PolylinePrim& line) {
                  sink.polyline(mapAll(line.points), line.closed, toHost(line.stroke.color), widthOf(line.stroke));
                },
                [&](const FilledPolygonPrim& fill) { sink.filledPolygon(mapAll(fill.points), toHost(fill.color)); },
                [&](const TextRunPrim& text) {
                  if (!sink.drawsTurnedText() && isTurned(text.rotation)) {
                    std::vector<std::vector<HostPicturePoint>> contours = outlinesOf(text, map);
                    if (!contours.empty()) {
                      sink.textOutlines(contours, toHost(text.color));
                      return;
                    }
                  }
                  sink.text(text.text, map(text.origin), text.capHeight * sy, text.advance * sx, text.rotation,
                            toHost(text.color));
                },
                [&](const PathPrim& path) {
                  const std::vector<FlatLine> lines = flatten(path.segments, tolerance);
                  if (path.fill) {
                    std::vector<std::vector<HostPicturePoint>> contours;
                    for (const FlatLine& l : lines) contours.push_back(mapAll(l.points));
                    sink.filledPolygon(joinedContours(contours), toHost(path.fill->color));
                  }
                  if (path.stroke)
                    for (const FlatLine& l : lines)
                      sink.polyline(mapAll(l.points), l.closed, toHost(path.stroke->color), widthOf(*path.stroke));
                },
                [&](const DotPrim& dot) {
                  const HostPicturePoint c = map(dot.at);
                  sink.filledPolygon({{c.x - 1, c.y - 1}, {c.x + 1, c.y - 1}, {c.x + 1, c.y + 1}, {c.x - 1, c.y + 1}},
                                     toHost(dot.color));
                },
                // A sink draws lines, fills and text only: a picture shows
                // as its outline, and a clip cuts its content to the
                // region's box (exact for the rectangles of viewports).
                [&](const ImagePrim& image) {
                  if (!image.pixels) return;
                  const double w = image.pixels->width, h = image.pixels->height;
                  sink.polyline(mapAll({image.at(0, 0), image.at(w, 0), image.at(w, h), image.at(0, h)}), true,
                                toHost(kImageOutline), 1.0);
                },
                [&](const ClipPrim& clip) {
                  if (!clip.content) return;
                  Bounds box;
                  for (const auto& ring : clip.region)
                    for (const Point2& p : ring) box.add(p);
                  DisplayList inside;
                  addPlacedAndClipped(*clip.content, Placement{}, box, inside);
                  self(inside, self);
                },
            },
            item);
      }
    };
    playAll(m_list, playAll);
  }

  bool writeSvg(const std::string& path, int widthPx, int heightPx, std::string* error) const override {
    if (!m_complete) return refuseIncomplete(error);
    SvgOptions options;
    options.widthPx = widthPx;
    options.heightPx = heightPx;
    return writeSvgFile(m_list, path, options, error);
  }

  bool writePng(const std::string& path, int widthPx, int heightPx, std::string* error) const override {
    if (!m_complete) return refuseIncomplete(error);
    RasterOptions options;
    options.widthPx = widthPx;
    options.heightPx = heightPx;
    return writePngFile(rasterize(m_list, options), path, error);
  }

private:
  static bool refuseIncomplete(std::string* error) {
    if (error) *error = incompleteReason();
    return false;
  }

  DisplayList m_list;
  bool m_complete;
};

// Keys are handed out once per entity and stay valid until released, so a
// caller that keeps its entities (a preview) keeps its keys.
class RenderGate final : public HostNativeGate {
public:
  HostGateKey addEntity(OdDbObjectId entity) override {
    if (entity.isNull()) return 0;
    std::lock_guard lock(m_mutex);
    auto [it, added] = m_keys.try_emplace(entity, m_next);
    if (added) {
      m_ids.emplace(m_next, entity);
      ++m_next;
    }
    return it->second;
  }

  void releaseEntities(const std::vector<HostGateKey>& keys) override {
    std::lock_guard lock(m_mutex);
    for (HostGateKey key : keys) {
      auto it = m_ids.find(key);
      if (it == m_ids.end()) continue;
      m_keys.erase(it->second);
      m_ids.erase(it);
    }
  }

  HostPicturePtr renderPicture(const std::vector<HostGateKey>& keys, const HostPictureOptions& options) override {
    OdDbObjectIdArray ids;
    {
      std::lock_guard lock(m_mutex);
      ids.reserve(keys.size());
      for (HostGateKey key : keys)
        if (auto it = m_ids.find(key); it != m_ids.end()) ids.push_back(it->second);
    }
    RenderOptions renderOptions;
    renderOptions.background = fromHost(options.background);
    renderOptions.foreground = fromHost(options.foreground);
    RenderReport report;
    DisplayList list = renderEntities(ids, renderOptions, &report);
    return std::make_shared<DisplayListPicture>(std::move(list), !report.workLimitReached);
  }

private:
  std::mutex m_mutex;
  std::unordered_map<OdDbObjectId, HostGateKey> m_keys;
  std::unordered_map<HostGateKey, OdDbObjectId> m_ids;
  HostGateKey m_next = 1;
};

RenderGate& gate() {
  static RenderGate instance;
  return instance;
}

}  // namespace

void installNativeGate() { gpQrNativeGate = &gate(); }

void uninstallNativeGate() {
  if (gpQrNativeGate == &gate()) gpQrNativeGate = nullptr;
}

HostPicturePtr pictureOf(DisplayList list) { return std::make_shared<DisplayListPicture>(std::move(list), true); }

}  // namespace render
