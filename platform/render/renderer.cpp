#include "renderer.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <numbers>
#include <optional>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

#include "OdDbBlockTableRecord.h"
#include "OdDbCurves.h"
#include "OdDbDatabase.h"
#include "OdDbDimension.h"
#include "OdDbEntities.h"
#include "OdDbFaces.h"
#include "OdDbLayerTableRecord.h"
#include "OdDbLeader.h"
#include "OdDbEntityKinds.h"
#include "OdDbLinetypeTableRecord.h"
#include "OdDbSymbolTable.h"
#include "OdDbTextStyleTableRecord.h"
#include "OdStringUtil.h"
#include "curve_geometry.h"
#include "draw_curves.h"
#include "draw_hatch.h"
#include "draw_polyline.h"
#include "entity_curves.h"
#include "font_metrics.h"
#include "geom2d.h"
#include "image_file.h"
#include "image_tone.h"
#include "mtext_look.h"
#include "path_flatten.h"
#include "plane_transform.h"
#include "single_line_text.h"
#include "smooth_path.h"
#include "text_layout.h"

namespace render {
namespace {

// What "by block" means inside a block reference or a dimension.
struct Context {
  Transform xf;
  Rgb blockColor;
  double blockLineweight = 0.25;
  std::vector<double> blockDashes;  // already in drawing units of the parent
  OdDbObjectId blockLayer;          // entities on layer 0 take this layer
  int depth = 0;
  // The text of a dimension whose text reads right to left.
  bool rightToLeft = false;
  // Drawing a dimension's block: its points are definition points.
  bool inDimension = false;
};

struct LayerInfo {
  OdCmColor color;
  OdDb::LineWeight lineweight = OdDb::kLnWtByLwDefault;
  OdDbObjectId linetype;
  bool hidden = false;
};

bool finite(const Point2& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

// The characters of a run in reverse order (by code point), for text that
// reads right to left; the run keeps its place and its width.
std::string reversedCharacters(const std::string& text) {
  std::vector<char32_t> chars;
  for (std::size_t i = 0; i < text.size();) chars.push_back(qrv::decodeUtf8(text, i));
  std::string out;
  for (auto it = chars.rbegin(); it != chars.rend(); ++it) qrv::appendUtf8(out, *it);
  return out;
}

// The drawing's point style: PDMODE's figure and frame bits, PDSIZE.
constexpr int kFigureMask = 31, kCircleBit = 32, kSquareBit = 64;
constexpr int kDotFigure = 0, kNoFigure = 1, kPlusFigure = 2, kCrossFigure = 3, kTickFigure = 4;
// PDSIZE 0 means this share of the view's height.
constexpr double kDefaultPointShare = 0.05;
// The size of relative points when the picture has no extent (one point).
constexpr double kLonePointSize = 1.0;

struct PointStyle {
  int mode = 0;
  double size = 0;
  // The figure at the point, unknown ones as the dot.
  int figure() const {
    const int f = mode & kFigureMask;
    return f > kTickFigure ? kDotFigure : f;
  }
  bool framed() const { return (mode & (kCircleBit | kSquareBit)) != 0; }
  // A symbol of a size of its own, whatever the picture.
  bool drawnAtOnce() const { return !framed() && (figure() == kDotFigure || figure() == kNoFigure); }
};

// A point whose symbol waits for the picture's size.
struct PointMark {
  Point2 at;
  Stroke stroke;
};

// Splines are as fine as a circle of their size drawn with this many
// chords (see docs/geometry.md).
constexpr int kSplineFineness = kCurvePointsPerTurn;

// A ray or construction line, drawn once the rest of the picture is known.
struct UnboundedLine {
  Point2 base, dir;
  bool bothWays = false;
  Stroke stroke;
};

}  // namespace

struct Renderer::Impl {
  RenderOptions opt;
  DisplayList list;
  // Points wait for the picture's size; `finished` is the list with them,
  // made when asked for.
  std::vector<PointMark> pointMarks;
  std::optional<PointStyle> pointStyle;  // read from the drawing when first needed
  // The drawing of the dimension whose parts (in no drawing) are drawn.
  const OdDbDatabase* partsDatabase = nullptr;
  std::vector<UnboundedLine> unboundedLines;
  DisplayList finished;
  bool finishedCurrent = false;
  std::unordered_map<OdDbObjectId, LayerInfo> layers;
  std::unordered_map<OdDbObjectId, std::vector<double>> dashes;
  std::unordered_map<OdDbObjectId, std::pair<int, double>> textStyles;  // font, width factor
  // The blocks being drawn, outermost first: a block met again on this
  // path inserts itself.
  std::vector<OdDbObjectId> insertionPath;
  // Blocks whose contents were drawn once: drawing one again is a repeat,
  // the only work that can outgrow the drawing.
  std::unordered_set<OdDbObjectId> drawnBlocks;
  int repeatDepth = 0;  // > 0 while a block's contents are drawn again
  long work = 0;        // of repeats only
  long spends = 0;
  std::chrono::steady_clock::duration repeatTime{};
  std::chrono::steady_clock::time_point repeatStarted;
  RenderReport report;
  std::unordered_set<const OdDbStub*> notDrawnSeen;
  std::vector<std::tuple<std::shared_ptr<const ImagePixels>, ImageTone, std::shared_ptr<const ImagePixels>>>
      tonedImages;

  void noteNotDrawn(const OdDbEntity* e) {
    if (!notDrawnSeen.insert(e->objectId().stub()).second) return;
    const OdString type = e->foreignType();
    ++report.notDrawn[type.empty() ? std::string("?") : std::string(type)];
  }

  // Counts the work of repeats; false once a bound is passed (nothing more
  // is drawn). The clock is read now and then only: reading it costs more
  // than most work.
  bool spend(long units) {
    if (report.workLimitReached) return false;
    if (repeatDepth == 0) return true;
    work += units;
    if ((++spends & 1023) == 0 && std::chrono::duration<double>(repeatTime + (std::chrono::steady_clock::now() -
                                                                              repeatStarted)).count() > opt.maxSeconds)
      report.workLimitReached = true;
    if (work > opt.maxWork) report.workLimitReached = true;
    return !report.workLimitReached;
  }

  void beginRepeat() {
    if (repeatDepth++ == 0) repeatStarted = std::chrono::steady_clock::now();
  }
  void endRepeat() {
    if (--repeatDepth == 0) repeatTime += std::chrono::steady_clock::now() - repeatStarted;
  }

  void noteCycle(const OdDbBlockTableRecord* block) {
    const OdString name = block->getName();
    auto& seen = report.cyclicBlocks;
    if (std::find(seen.begin(), seen.end(), name) == seen.end()) seen.push_back(name);
  }

  Context rootContext() const {
    Context c;
    c.blockColor = opt.foreground;
    c.blockLineweight = opt.defaultLineweightMm;
    return c;
  }

  const LayerInfo& layer(OdDbObjectId id) {
    auto it = layers.find(id);
    if (it != layers.end()) return it->second;
    LayerInfo info;
    if (auto l = OdDbLayerTableRecord::cast(id.openObject())) {
      info.color = l->color();
      info.lineweight = l->lineWeight();
      info.linetype = l->linetypeObjectId();
      info.hidden = l->isOff() || l->isFrozen() ||
                    std::find(opt.hiddenLayers.begin(), opt.hiddenLayers.end(), id) != opt.hiddenLayers.end();
    } else {
      info.color = OdCmColor::fromIndex(7);
    }
    return layers.emplace(id, info).first->second;
  }

  OdDbObjectId effectiveLayer(const OdDbEntity* e, const Context& ctx) {
    const OdDbObjectId id = e->layerId();
    if (!ctx.blockLayer.isNull() && id.isValid() && id.database() && id == id.database()->getLayerZeroId())
      return ctx.blockLayer;
    return id;
  }

  Rgb rgbOf(const OdCmColor& c, const Context& ctx, const LayerInfo& lay) {
    if (c.isByLayer()) return rgbOf(lay.color.isByLayer() || lay.color.isByBlock() ? OdCmColor::fromIndex(7) : lay.color, ctx, lay);
    if (c.isByBlock()) return ctx.blockColor;
    if (c.isForeground()) return opt.foreground;
    if (c.isNone()) return opt.background;
    if (c.isByACI() && (c.colorIndex() == 7 || c.colorIndex() == 0)) return opt.foreground;
    return Rgb{c.red(), c.green(), c.blue()};
  }

  double lineweightOf(OdDb::LineWeight lw, const Context& ctx, const LayerInfo& lay) {
    if (lw == OdDb::kLnWtByLayer) lw = lay.lineweight;
    if (lw == OdDb::kLnWtByBlock) return ctx.blockLineweight;
    if (lw < 0) return opt.defaultLineweightMm;
    return int(lw) / 100.0;
  }

  const std::vector<double>& patternOf(OdDbObjectId id) {
    auto it = dashes.find(id);
    if (it != dashes.end()) return it->second;
    std::vector<double> d;
    if (auto lt = OdDbLinetypeTableRecord::cast(id.openObject())) d = lt->dashes();
    return dashes.emplace(id, std::move(d)).first->second;
  }

  std::vector<double> dashesOf(const OdDbEntity* e, const Context& ctx, const LayerInfo& lay) {
    OdDbObjectId id = e->linetypeId();
    OdDbDatabase* db = e->database();
    if (db && id == db->getLinetypeByBlockId()) return ctx.blockDashes;
    if (id.isNull() || (db && id == db->getLinetypeByLayerId())) id = lay.linetype;
    std::vector<double> d = patternOf(id);
    const double s = e->linetypeScale() * ctx.xf.scale();
    for (double& x : d) x *= s;
    return d;
  }

  Stroke strokeOf(const OdDbEntity* e, const Context& ctx) {
    const LayerInfo& lay = layer(effectiveLayer(e, ctx));
    Stroke s;
    s.color = rgbOf(e->color(), ctx, lay);
    s.lineweightMm = lineweightOf(e->lineWeight(), ctx, lay);
    s.dashes = dashesOf(e, ctx, lay);
    return s;
  }

  std::pair<int, double> fontOf(OdDbObjectId styleId, OdDbDatabase* db) {
    if (styleId.isNull() && db) styleId = db->getTextStyleStandardId();
    auto it = textStyles.find(styleId);
    if (it != textStyles.end()) return it->second;
    std::pair<int, double> f{FontMetrics::shared().fontFor("txt", ""), 1.0};
    if (auto ts = OdDbTextStyleTableRecord::cast(styleId.openObject())) {
      OdString face;
      bool bold = false, italic = false;
      int cs = 0, pf = 0;
      ts->font(face, bold, italic, cs, pf);
      f.first = FontMetrics::shared().fontFor(ts->fileName(), face);
      if (ts->xScale() > 0) f.second = ts->xScale();
    }
    return textStyles.emplace(styleId, f).first->second;
  }

  // Primitives.
  void polyline(std::vector<Point2> pts, bool closed, const Stroke& s) {
    if (!spend(long(pts.size()))) return;
    if (pts.size() < 2 || !std::all_of(pts.begin(), pts.end(), finite)) return;
    list.add(PolylinePrim{std::move(pts), closed, s});
  }

  void path(PathPrim p) {
    if (!spend(long(p.segments.size()))) return;
    if (p.segments.empty() || !std::all_of(p.segments.begin(), p.segments.end(), isFinite)) return;
    list.add(std::move(p));
  }

  void strokedPath(std::vector<PathSegment> segments, const Stroke& s) {
    PathPrim p;
    p.segments = std::move(segments);
    p.stroke = s;
    path(std::move(p));
  }

  void textRun(const std::string& text, double x, double y, double h, double rotation, double widthFactor,
               int font, const Rgb& color, const Context& ctx, const OdGePoint3d& origin,
               const TextPlacement* look = nullptr, double opacity = 1.0) {
    if (text.empty() || !(h > 0)) return;
    // (x, y) is in the text's own frame at `origin` turned by `rotation`.
    const double cs = std::cos(rotation), sn = std::sin(rotation);
    const OdGePoint3d p(origin.x + x * cs - y * sn, origin.y + x * sn + y * cs);
    // The text's own axes as the map carries them: along the baseline
    // stretched by `along`, up by `up` (negative: mirrored), leaning by
    // `lean` along the baseline (a block scaled unevenly and turned).
    const Point2 ux{ctx.xf.a * cs + ctx.xf.c * sn, ctx.xf.b * cs + ctx.xf.d * sn};
    const Point2 uy{-ctx.xf.a * sn + ctx.xf.c * cs, -ctx.xf.b * sn + ctx.xf.d * cs};
    const double along = std::hypot(ux.x, ux.y);
    if (!(along > 0)) return;
    const double up = (ux.x * uy.y - ux.y * uy.x) / along, lean = (ux.x * uy.x + ux.y * uy.y) / along;
    if (!(std::fabs(up) > 0)) return;
    const FontInfo fi = FontMetrics::shared().info(font);
    TextRunPrim t;
    t.text = text;
    t.origin = ctx.xf.apply(p);
    t.capHeight = h * std::fabs(up);
    t.emSize = t.capHeight / fi.capHeightPerEm;
    t.rotation = std::atan2(ux.y, ux.x);
    t.widthFactor = widthFactor * along / std::fabs(up);
    t.advance = FontMetrics::shared().textWidth(font, text) * h * widthFactor * along;
    t.fontFamily = fi.family;
    t.font = font;
    t.color = color;
    t.opacity = opacity;
    double oblique = 0;
    if (look) {
      oblique = look->oblique;
      t.backward = look->backward;
      t.upsideDown = look->upsideDown;
    }
    // A lean adds to the oblique angle, the other way round for characters
    // already mirrored; a mirroring map mirrors them about the baseline.
    const double side = (t.upsideDown ? -1 : 1) * (t.backward ? -1 : 1);
    t.oblique = std::atan((along * std::tan(oblique) + side * lean) / std::fabs(up));
    if (up < 0) t.upsideDown = !t.upsideDown;
    if (!finite(t.origin)) return;
    list.add(std::move(t));
  }

  // Entities.
  void entity(const OdDbEntity* e, const Context& ctx) {
    if (!e || e->isErased() || !e->visibility() || !spend(1)) return;
    if (layer(effectiveLayer(e, ctx)).hidden) return;
    switch (odDbEntityKind(e)) {
      case OdDbEntityKind::kLine:
      case OdDbEntityKind::kCircle:
      case OdDbEntityKind::kArc:
      case OdDbEntityKind::kEllipse:
      case OdDbEntityKind::kSpline:
      case OdDbEntityKind::kFace:
      case OdDbEntityKind::kRay:
      case OdDbEntityKind::kXline: return curves(e, strokeOf(e, ctx), ctx);
      case OdDbEntityKind::kPolyline: return lwPolyline(static_cast<const OdDbPolyline*>(e), ctx);
      case OdDbEntityKind::kSolid: return solid(static_cast<const OdDbSolid*>(e), ctx);
      case OdDbEntityKind::kText: return text(static_cast<const OdDbText*>(e), ctx);
      case OdDbEntityKind::kMText: return mtext(static_cast<const OdDbMText*>(e), ctx);
      case OdDbEntityKind::kInsert: return blockReference(static_cast<const OdDbBlockReference*>(e), ctx);
      case OdDbEntityKind::kDimension: return dimension(static_cast<const OdDbDimension*>(e), ctx);
      case OdDbEntityKind::kLeader: return leader(static_cast<const OdDbLeader*>(e), ctx);
      case OdDbEntityKind::kPoint: return point(static_cast<const OdDbPoint*>(e), ctx);
      case OdDbEntityKind::kTrace: {
        auto t = static_cast<const OdDbTrace*>(e);
        Context scratch;
        return quad({t->pointAt(0), t->pointAt(1), t->pointAt(2), t->pointAt(3)}, strokeOf(e, ctx).color,
                    inPlane(t->normal(), t->pointAt(0).z, ctx, scratch));
      }
      case OdDbEntityKind::kForeign:
        // A viewport is a window a layout's picture fills (layout_picture.h).
        if (e->viewportView()) return;
        if (OdDbHatchShapePtr shape = e->hatchShape(); shape && shape->drawable()) return hatch(*shape, e, ctx);
        if (const OdDbOldPolylinePtr p = e->oldPolyline()) return oldPolyline(*p, e, ctx);
        if (const OdDbMultiLeaderShapePtr m = e->multiLeader()) return multiLeader(*m, e, ctx);
        // An inserted block's attribute definitions give its attributes
        // their first values; the attributes are what shows. Elsewhere (a
        // block's own picture, model space) a definition shows its tag,
        // invisible or not (that is its attributes' state).
        if (const OdDbAttributeTextPtr d = e->attributeDefinition()) {
          if (ctx.depth == 0) attribute(*d, d->tag, e, ctx);
          return;
        }
        return noteNotDrawn(e);  // kept as read; its picture is unknown
    }
  }

  // A picture with its image's tone, made once for every image that shows
  // the same file the same way.
  std::shared_ptr<const ImagePixels> tonedImage(const std::shared_ptr<const ImagePixels>& pixels, ImageTone tone) {
    if (!pixels || tone.neutral()) return pixels;
    for (const auto& [from, with, made] : tonedImages)
      if (from == pixels && with == tone) return made;
    tonedImages.emplace_back(pixels, tone, tonedPixels(pixels, tone, opt.background));
    return std::get<2>(tonedImages.back());
  }

  // An image's pixels, cut to its frame. A file that is not found or not
  // read leaves the frame alone, and the report says so.
  void picture(const OdDbImagePlacement& image, const std::vector<Polygon>& frame, const OdDbEntity* e,
               const Context& ctx) {
    const OdDbDatabase* db = e->database();
    const std::string file = findImageFile(image.fileName, db ? db->filePath() : std::string());
    std::string why;
    const std::shared_ptr<const ImagePixels> pixels = tonedImage(
        file.empty() ? nullptr : readImageFile(file, image.transparent(), why),
        ImageTone{image.brightness, image.contrast, image.fade});
    if (!pixels || !(image.widthPx > 0) || !(image.heightPx > 0)) {
      if (notDrawnSeen.insert(e->objectId().stub()).second) ++report.notDrawn[std::string(kImageFileNotShown)];
      return;
    }
    // The picture fills the rectangle the record gives, whatever size the
    // file has now; its top left corner is the bottom left one plus its height.
    const OdGePoint3d& c = image.corner;
    const OdGeVector3d across = image.pixelAcross * (image.widthPx / pixels->width);
    const OdGeVector3d up = image.pixelUp * (image.heightPx / pixels->height);
    const Point2 origin = ctx.xf.apply(c);
    auto vector = [&](const OdGeVector3d& v) {
      const Point2 p = ctx.xf.apply(c.x + v.x, c.y + v.y);
      return Point2{p.x - origin.x, p.y - origin.y};
    };
    ImagePrim placed;
    placed.pixels = pixels;
    placed.corner = ctx.xf.apply(c.x + image.pixelUp.x * image.heightPx, c.y + image.pixelUp.y * image.heightPx);
    placed.across = vector(across);
    const Point2 upward = vector(up);
    placed.down = {-upward.x, -upward.y};
    if (!finite(placed.corner) || !finite(placed.across) || !finite(placed.down) || !spend(4)) return;
    auto content = std::make_shared<DisplayList>();
    content->add(std::move(placed));
    list.add(ClipPrim{frame, std::move(content)});
  }

  // Hatches fill their region with their colour or their pattern's lines
  // (never the entity's linetype); a wipeout covers it with the background;
  // an image shows its picture (when its file is found) and its frame.
  void hatch(const OdDbHatchShape& shape, const OdDbEntity* e, const Context& ctx) {
    const HatchDrawing d = hatchDrawing(shape, [&](double x, double y) { return ctx.xf.apply(x, y); });
    Stroke stroke = strokeOf(e, ctx);
    stroke.dashes.clear();
    if (shape.frameOnly()) {
      if (shape.image && shape.image->shown()) picture(*shape.image, d.region, e, ctx);
      for (const Polygon& p : d.region) polyline(p, true, stroke);
      return;
    }
    if (shape.fill == OdDbHatchShape::Fill::kPattern) {
      PathPrim lines;
      lines.segments.reserve(d.pattern.dashes.size() * 2);
      for (const auto& [a, b] : d.pattern.dashes) {
        lines.segments.push_back(PathSegment::moveTo(a));
        lines.segments.push_back(PathSegment::lineTo(b));
      }
      lines.stroke = stroke;
      if (!lines.segments.empty()) path(std::move(lines));
      for (const Point2& at : d.pattern.dots)
        if (finite(at) && spend(1)) list.add(DotPrim{at, stroke.color});
      return;
    }
    Rgb color = stroke.color;
    if (shape.fill == OdDbHatchShape::Fill::kBackground) {
      color = opt.background;
    } else if (shape.gradient && shape.gradientTrueColor >= 0) {
      const int c = shape.gradientTrueColor;
      color = Rgb{std::uint8_t(c >> 16), std::uint8_t(c >> 8), std::uint8_t(c)};
    } else if (shape.gradient && shape.gradientColorIndex > 0 && shape.gradientColorIndex < 256) {
      const LayerInfo& lay = layer(effectiveLayer(e, ctx));
      color = rgbOf(OdCmColor::fromIndex(OdInt16(shape.gradientColorIndex)), ctx, lay);
    }
    PathPrim fill;
    for (const Polygon& p : d.region) {
      for (std::size_t i = 0; i < p.size(); ++i)
        fill.segments.push_back(i == 0 ? PathSegment::moveTo(p[i]) : PathSegment::lineTo(p[i]));
      fill.segments.push_back(PathSegment::close());
    }
    fill.fill = PathFill{color, d.rule};
    path(std::move(fill));
  }

  const PointStyle& pointStyleOf(const OdDbEntity* e) {
    if (!pointStyle) {
      pointStyle = PointStyle();
      const OdDbDatabase* db = e->database() ? e->database() : partsDatabase;
      if (db) pointStyle = PointStyle{db->getPDMODE(), db->getPDSIZE()};
    }
    return *pointStyle;
  }

  void point(const OdDbPoint* p, const Context& ctx) {
    const Point2 at = ctx.xf.apply(p->position());
    if (!finite(at)) return;
    const PointStyle& style = pointStyleOf(p);
    Stroke stroke = strokeOf(p, ctx);
    stroke.dashes.clear();
    // A dimension's definition points are dots wherever points show at all.
    if (ctx.inDimension) {
      if (style.figure() != kNoFigure) list.add(DotPrim{at, stroke.color});
      return;
    }
    if (style.drawnAtOnce()) {
      if (style.figure() == kDotFigure) list.add(DotPrim{at, stroke.color});
      return;
    }
    if (!(style.size > 0) && !(opt.pointViewHeight > 0)) report.pointsSizedByPicture = true;
    pointMarks.push_back({at, stroke});
  }

  // The entity's curves (entity_curves.h) carried into place and stroked:
  // runs of straight lines as polylines, the rest as paths; rays and
  // construction lines wait for the picture's box.
  void curves(const OdDbEntity* e, const Stroke& s, const Context& ctx) {
    EntityCurves found;
    curvesOf(*e, kSplineFineness, found);
    for (CurvePath& c : found.paths) {
      const bool straight = std::all_of(c.segments.begin(), c.segments.end(), [](const PathSegment& q) {
        return q.kind != PathSegment::Kind::kArc && q.kind != PathSegment::Kind::kCubic;
      });
      const bool closed = c.segments.back().kind == PathSegment::Kind::kClose;
      if (straight && std::count_if(c.segments.begin(), c.segments.end(), [](const PathSegment& q) {
            return q.kind == PathSegment::Kind::kMove;
          }) == 1) {
        std::vector<Point2> pts;
        pts.reserve(c.segments.size());
        for (const PathSegment& q : c.segments)
          if (q.kind != PathSegment::Kind::kClose) pts.push_back(ctx.xf.apply(q.to));
        polyline(std::move(pts), closed, s);
        continue;
      }
      for (PathSegment& q : c.segments) q = ctx.xf.map(q);
      strokedPath(std::move(c.segments), s);
    }
    if (const std::optional<UnboundedCurve>& u = found.unbounded) {
      const Point2 b = ctx.xf.apply(u->base), ahead = ctx.xf.apply(Point2{u->base.x + u->dir.x, u->base.y + u->dir.y});
      const Point2 d{ahead.x - b.x, ahead.y - b.y};
      if (finite(b) && finite(d)) unboundedLines.push_back({b, d, u->bothWays, s});
    }
  }

  // The symbols of the points, drawn last (on top of whatever else covers
  // them), those of a relative size as a share of the view's height or,
  // without one, of the picture's (everything drawn and every point).
  // Rays and construction lines come first, across the box of everything
  // else (and their own base points), so that they never widen it.
  void addPointMarks(DisplayList& out) const {
    if (!unboundedLines.empty()) {
      Bounds box = opt.unboundedBox;
      if (box.empty()) {
        box = out.bounds();
        for (const PointMark& m : pointMarks) box.add(m.at);
        for (const UnboundedLine& l : unboundedLines) box.add(l.base);
      }
      // A box without width or height (everything on one line, or lines
      // alone through one point) grows that way by half its other side, or
      // by 10 when it is a point.
      const double extent = std::max(box.width(), box.height());
      const double pad = extent > 0 ? extent / 2 : kLonePointSize * 10;
      if (box.width() == 0) box.minX -= pad, box.maxX += pad;
      if (box.height() == 0) box.minY -= pad, box.maxY += pad;
      for (const UnboundedLine& l : unboundedLines)
        if (Point2 a, b; clipToBox(l.base, l.dir, l.bothWays, box, a, b) && !(a == b))
          out.add(PolylinePrim{{a, b}, false, l.stroke});
    }
    if (pointMarks.empty()) return;
    const PointStyle style = pointStyle.value_or(PointStyle());
    double size = style.size;
    if (!(size > 0)) {
      Bounds b = out.bounds();
      for (const PointMark& m : pointMarks) b.add(m.at);
      const double share = style.size == 0 ? kDefaultPointShare : -style.size / 100;
      const double height = opt.pointViewHeight > 0 ? opt.pointViewHeight
                            : b.height() > 0       ? b.height()
                                                   : b.width();
      size = height > 0 ? height * share : kLonePointSize;
    }
    const double h = size / 2;
    for (const PointMark& m : pointMarks) {
      const double x = m.at.x, y = m.at.y;
      auto stroke = [&](std::vector<Point2> pts, bool closed) { out.add(PolylinePrim{std::move(pts), closed, m.stroke}); };
      switch (style.figure()) {
        case kDotFigure: out.add(DotPrim{m.at, m.stroke.color}); break;
        case kNoFigure: break;
        case kPlusFigure:
          stroke({{x - h, y}, {x + h, y}}, false);
          stroke({{x, y - h}, {x, y + h}}, false);
          break;
        case kCrossFigure:
          stroke({{x - h, y - h}, {x + h, y + h}}, false);
          stroke({{x - h, y + h}, {x + h, y - h}}, false);
          break;
        case kTickFigure: stroke({{x, y}, {x, y + h}}, false); break;
      }
      if (style.mode & kCircleBit) {
        PathPrim circle;
        circle.segments = {PathSegment::circleArc(m.at, h, 0, 2 * std::numbers::pi), PathSegment::close()};
        circle.stroke = m.stroke;
        out.add(std::move(circle));
      }
      if (style.mode & kSquareBit) stroke({{x - h, y - h}, {x + h, y - h}, {x + h, y + h}, {x - h, y + h}}, true);
    }
  }

  // A light-weight polyline: its constant width, or the widths of its
  // segments (filled outlines over the centre line, as an old-form one).
  void lwPolyline(const OdDbPolyline* p, const Context& ctx) {
    if (p->vertices().empty()) return;
    Stroke s = strokeOf(p, ctx);
    if (!p->hasVertexWidths()) {
      s.width = p->constantWidth() * ctx.xf.scale();
      if (filledDonut(p, ctx, s)) return;
      return curves(p, s, ctx);
    }
    std::vector<OldVertex> v;
    for (const OdDbPolyline::Vertex& q : p->vertices()) v.push_back({OdGePoint3d(q.x, q.y, 0), q.bulge, q.startWidth, q.endWidth});
    widePolyline(v, p->isClosed(), p, s, ctx);
  }

  // The centre line of a polyline stroked at the width all its segments
  // share, or thin with each segment's outline filled.
  void widePolyline(const std::vector<OldVertex>& v, bool closed, const OdDbEntity* e, Stroke s, const Context& ctx) {
    const std::optional<double> width = sharedWidth(v, closed);
    s.width = width ? *width * ctx.xf.scale() : 0.0;
    curves(e, s, ctx);
    if (width) return;
    for (const std::vector<g2::P>& outline : widthOutlines(v, closed, kSplineFineness)) {
      std::vector<Point2> pts;
      for (const g2::P& q : outline) pts.push_back(ctx.xf.apply(q));
      if (!spend(long(pts.size())) || !std::all_of(pts.begin(), pts.end(), finite)) continue;
      list.add(FilledPolygonPrim{std::move(pts), s.color});
    }
  }

  // An old-form polyline: a 2D one like a light-weight one (its widths may
  // change along each segment: those are filled outlines over the centre
  // line), the others as their edges.
  void oldPolyline(const OdDbOldPolyline& p, const OdDbEntity* e, const Context& ctx) {
    Stroke s = strokeOf(e, ctx);
    if (!p.is2d()) return curves(e, s, ctx);
    const std::vector<OldVertex> v = worldVertices(p, kSplineFineness);
    if (!v.empty()) widePolyline(v, p.closed(), e, s, ctx);
  }
  // A multileader's lines, each with its arrowhead at its start (its own
  // block, the multileader's, or the default closed filled one, a third as
  // wide as long), and its landings.
  // A line of its own colour (by block: the multileader's lines') has its
  // arrowhead in that colour too.
  void leaderLines(const OdDbMultiLeaderShape& m, const Stroke& lines, const OdDbEntity* e, const Context& ctx,
                   const LayerInfo& lay) {
    for (std::size_t k = 0; k < m.lines.size(); ++k) {
      const std::vector<OdGePoint3d>& line = m.lines[k];
      Stroke s = lines;
      if (k < m.lineColors.size() && !m.lineColors[k].isByBlock()) s.color = rgbOf(m.lineColors[k], ctx, lay);
      std::vector<Point2> pts;
      for (const OdGePoint3d& q : line) pts.push_back(ctx.xf.apply(q));
      polyline(std::move(pts), false, s);
      if (line.size() < 2 || !(m.arrowSize > 0)) continue;
      const g2::V back = g2::unit(g2::flat(line[1]) - g2::flat(line[0]), g2::V(0, 0, 0));
      if (back.x == 0 && back.y == 0) continue;
      OdDbObjectId arrowBlock = m.arrowBlock;
      for (const auto& [index, block] : m.lineArrowBlocks)
        if (index == k) arrowBlock = block;
      if (!arrowBlock.isNull()) {
        Context arrow = childContext(e, ctx, Transform::insert(line[0], g2::angleOf(back * -1.0), m.arrowSize,
                                                               m.arrowSize, OdGePoint3d())
                                                  .then(ctx.xf));
        arrow.blockColor = s.color;
        blockContents(arrowBlock, arrow);
        continue;
      }
      const g2::P tip = g2::flat(line[0]), base = tip + back * m.arrowSize;
      const g2::V side = g2::perp(back) * (m.arrowSize / 6);
      std::vector<Point2> arrow{ctx.xf.apply(tip), ctx.xf.apply(base + side), ctx.xf.apply(base - side)};
      if (std::all_of(arrow.begin(), arrow.end(), finite)) list.add(FilledPolygonPrim{std::move(arrow), s.color});
    }
    for (const auto& [from, to] : m.landings)
      polyline({ctx.xf.apply(from), ctx.xf.apply(to)}, false, lines);
  }

  // A multileader's text is spaced, filled and framed as an MTEXT with
  // that look would be; its frame stands the landing gap off the text.
  static OdDbMTextLookPtr multiLeaderTextLook(const OdDbMultiLeaderShape& m) {
    auto look = std::make_shared<OdDbMTextLook>();
    look->lineSpacingFactor = m.textLineSpacing;
    look->exactSpacing = m.textExactSpacing;
    if (m.textFill)
      look->background = m.textFillColor.isByBlock() ? OdDbMTextLook::kDrawingBackground : OdDbMTextLook::kFill;
    if (m.textFrame) look->background |= OdDbMTextLook::kFrame;
    look->fillColor = m.textFillColor;
    look->fillScale = m.textFillScale;
    look->fillOpacity = m.textFillOpacity;
    look->frameGap = std::max(0.0, m.landingGap);
    return look;
  }

  // A multileader: its lines, then its text or block.
  // Each part in its own colour; by block is the multileader's.
  void multiLeader(const OdDbMultiLeaderShape& m, const OdDbEntity* e, const Context& ctx) {
    Stroke s = strokeOf(e, ctx);
    const LayerInfo& lay = layer(effectiveLayer(e, ctx));
    if (!m.lineColor.isByBlock()) s.color = rgbOf(m.lineColor, ctx, lay);
    if (m.linesVisible) leaderLines(m, s, e, ctx, lay);
    if (m.hasText && !m.text.empty()) {
      OdDbMTextPtr text = OdDbMText::createObject();
      text->setContents(OdString(m.text));
      text->setLocation(m.textLocation);
      text->setTextHeight(m.textHeight > 0 ? m.textHeight : 1.0);
      text->setRotation(m.textRotation);
      text->setWidth(m.textWidth);
      text->setAttachment(OdInt16(m.textAlignment));
      if (!m.textStyle.isNull()) text->setTextStyle(m.textStyle);
      text->setLayer(e->layerId());
      text->setColor(m.textColor.isByBlock() ? e->color() : m.textColor);
      text->setLook(multiLeaderTextLook(m));
      mtext(text.get(), ctx, e->database());
    }
    if (m.hasBlock && !m.block.isNull())
      if (auto block = OdDbBlockTableRecord::cast(m.block.openObject())) {
        const Transform local = Transform::insert(m.blockPosition, m.blockRotation, m.blockScale.x, m.blockScale.y,
                                                  block->origin());
        Context inner = childContext(e, ctx, local.then(ctx.xf));
        if (!m.blockColor.isByBlock()) inner.blockColor = rgbOf(m.blockColor, ctx, lay);
        blockContents(m.block, inner);
      }
  }

  // A closed polyline of two half circles whose width reaches the centre
  // (a donut with no hole) is a filled disc: drawn as one, since a stroke
  // that wide around a point leaves the centre to each writer's judgement.
  bool filledDonut(const OdDbPolyline* p, const Context& ctx, const Stroke& s) {
    const auto& v = p->vertices();
    if (!p->isClosed() || v.size() != 2 || std::fabs(std::fabs(v[0].bulge) - 1) > 1e-9 ||
        std::fabs(v[1].bulge - v[0].bulge) > 1e-9)
      return false;
    const double radius = std::hypot(v[1].x - v[0].x, v[1].y - v[0].y) / 2;
    const double width = p->constantWidth();
    if (!(radius > 0) || !(width >= 2 * radius * (1 - 1e-9)) || !std::isfinite(width)) return false;
    PathPrim disc;
    disc.segments = {ctx.xf.arc(OdGePoint3d((v[0].x + v[1].x) / 2, (v[0].y + v[1].y) / 2, 0), radius + width / 2, 0,
                                2 * std::numbers::pi),
                     PathSegment::close()};
    disc.fill = PathFill{s.color, FillRule::kNonZero};
    path(std::move(disc));
    return true;
  }

  // The context of an entity given in its own plane (a normal other than
  // the world's z): its coordinates are carried into the world first.
  const Context& inPlane(const OdGeVector3d& normal, double elevation, const Context& ctx, Context& scratch) {
    if (normal == OdGeVector3d::kZAxis()) return ctx;
    scratch = ctx;
    scratch.xf = planeToWorld(normal, elevation).then(ctx.xf);
    return scratch;
  }

  void solid(const OdDbSolid* s, const Context& ctx) {
    Context scratch;
    quad({s->pointAt(0), s->pointAt(1), s->pointAt(2), s->pointAt(3)}, strokeOf(s, ctx).color,
         inPlane(s->normal(), s->pointAt(0).z, ctx, scratch));
  }

  // A solid's or trace's four corners, filled.
  void quad(const std::array<OdGePoint3d, 4>& corners, Rgb color, const Context& ctx) {
    // Corners in the order 0, 1, 3, 2 go round the outline.
    std::vector<Point2> pts;
    for (int i : {0, 1, 3, 2}) {
      const Point2 q = ctx.xf.apply(corners[std::size_t(i)]);
      if (pts.empty() || !(pts.back() == q)) pts.push_back(q);
    }
    if (pts.size() > 1 && pts.front() == pts.back()) pts.pop_back();
    if (pts.size() < 3 || !std::all_of(pts.begin(), pts.end(), finite)) return;
    list.add(FilledPolygonPrim{std::move(pts), color});
  }

  void text(const OdDbText* t, const Context& outer) {
    Context scratch;
    const Context& ctx = inPlane(t->normal(), t->position().z, outer, scratch);
    const auto [font, styleWidth] = fontOf(t->textStyle(), t->database());
    const std::string s = expandSymbols(t->textString());
    const TextPlacement at = placeText(*t, FontMetrics::shared().textWidth(font, s), styleWidth,
                                       FontMetrics::shared().info(font));
    textRun(s, at.dx, at.dy, at.height, at.rotation, at.widthFactor, font, strokeOf(t, ctx).color, ctx, at.origin,
            &at);
  }

  // The colour a text code gives (index 0: by block, 256: by layer), else
  // the entity's.
  Rgb textColorOf(const TextColor& c, const Rgb& own, const Context& ctx, const LayerInfo& lay) {
    if (c.rgb >= 0) return Rgb{std::uint8_t(c.rgb >> 16), std::uint8_t(c.rgb >> 8), std::uint8_t(c.rgb)};
    if (c.index == 0) return ctx.blockColor;
    if (c.index == 256) return rgbOf(OdCmColor(), ctx, lay);
    if (c.index > 0 && c.index < 256) return rgbOf(OdCmColor::fromIndex(OdInt16(c.index)), ctx, lay);
    return own;
  }

  // `db`: the drawing of a text made for drawing only (a multileader's).
  void mtext(const OdDbMText* m, const Context& ctx, OdDbDatabase* db = nullptr) {
    const auto [font, wf] = fontOf(m->textStyle(), db ? db : m->database());
    const double h = m->textHeight();
    const TextLayout l = layoutText(m->contents(), h, wf, font, mtextLayoutOptions(*m));
    const int att = std::clamp<int>(m->attachment(), 1, 9) - 1;
    const double dx = -(att % 3) * l.width / 2, dy = (att / 3) * l.height / 2;
    const Stroke s = strokeOf(m, ctx);
    const LayerInfo& lay = layer(effectiveLayer(m, ctx));
    const double cs = std::cos(m->rotation()), sn = std::sin(m->rotation());
    auto place = [&](Point2 q) {
      const double x = q.x + dx, y = q.y + dy;
      return ctx.xf.apply(m->location().x + x * cs - y * sn, m->location().y + x * sn + y * cs);
    };
    const OdDbMTextLookPtr look = m->look();
    // The entity's transparency shows in its glyphs and fill (lines are
    // drawn solid).
    const double opacity = look ? std::clamp(look->opacity, 0.0, 1.0) : 1.0;
    if (look && !l.runs.empty()) textBackground(*look, l, h, s, lay, ctx, place);
    for (const LaidOutRun& r : l.runs) {
      TextPlacement slant;
      slant.oblique = r.oblique;
      textRun(ctx.rightToLeft ? reversedCharacters(r.text) : r.text, r.x + dx, r.y + dy, r.height, m->rotation(),
              r.widthFactor, r.font >= 0 ? r.font : font, textColorOf(r.color, s.color, ctx, lay), ctx, m->location(),
              &slant, opacity);
    }
    Stroke bar = s;
    bar.dashes.clear();
    for (const LaidOutStroke& k : l.strokes) {
      bar.color = textColorOf(k.color, s.color, ctx, lay);
      polyline({place(k.from), place(k.to)}, false, bar);
    }
  }

  // The box behind each column of a multi-line text, (scale - 1) text
  // heights larger on every side: filled with its colour or the picture's
  // background, and/or framed in the text's colour.
  template <class Place>
  void textBackground(const OdDbMTextLook& look, const TextLayout& l, double h, const Stroke& text,
                      const LayerInfo& lay, const Context& ctx, Place place) {
    const bool fill = (look.background & (OdDbMTextLook::kFill | OdDbMTextLook::kDrawingBackground)) != 0;
    const bool frame = (look.background & OdDbMTextLook::kFrame) != 0;
    if (!fill && !frame) return;
    Rgb color = opt.background;
    if ((look.background & OdDbMTextLook::kDrawingBackground) == 0 && !look.fillColor.isByBlock())
      color = rgbOf(look.fillColor, ctx, lay);
    const double margin = h * (look.fillScale - 1);
    const double gap = look.frameGap >= 0 ? look.frameGap : margin;
    Stroke edge = text;
    edge.dashes.clear();
    auto box = [&](const LaidOutColumn& c, double m) {
      return std::vector<Point2>{place({c.x - m, m}), place({c.x + c.width + m, m}),
                                 place({c.x + c.width + m, -c.height - m}), place({c.x - m, -c.height - m})};
    };
    for (const LaidOutColumn& c : l.columns) {
      if (std::vector<Point2> area = box(c, margin); fill && std::all_of(area.begin(), area.end(), finite) && spend(4))
        list.add(FilledPolygonPrim{std::move(area), color,
                                   std::clamp(look.fillOpacity, 0.0, 1.0) * std::clamp(look.opacity, 0.0, 1.0)});
      if (frame) polyline(box(c, gap), true, edge);
    }
  }

  Context childContext(const OdDbEntity* e, const Context& ctx, const Transform& xf) {
    Context c;
    const LayerInfo& lay = layer(effectiveLayer(e, ctx));
    c.xf = xf;
    c.blockColor = rgbOf(e->color(), ctx, lay);
    c.blockLineweight = lineweightOf(e->lineWeight(), ctx, lay);
    c.blockDashes = dashesOf(e, ctx, lay);
    c.blockLayer = effectiveLayer(e, ctx);
    c.depth = ctx.depth + 1;
    return c;
  }

  void blockContents(OdDbObjectId blockId, const Context& ctx) {
    if (ctx.depth > opt.maxBlockDepth) return;
    auto block = OdDbBlockTableRecord::cast(blockId.openObject());
    if (!block) return;
    if (std::find(insertionPath.begin(), insertionPath.end(), blockId) != insertionPath.end()) {
      noteCycle(block.get());
      return;
    }
    const bool repeat = repeatDepth > 0 || !drawnBlocks.insert(blockId).second;
    if (repeat) beginRepeat();
    insertionPath.push_back(blockId);
    for (OdDbBlockIteratorPtr it = block->newIterator(); !it->done() && !report.workLimitReached; it->step())
      if (auto e = it->entity()) entity(e.get(), ctx);
    insertionPath.pop_back();
    if (repeat) endRepeat();
  }

  void blockReference(const OdDbBlockReference* r, const Context& ctx) {
    auto block = OdDbBlockTableRecord::cast(r->blockTableRecord().openObject());
    if (!block) return;
    const OdGeVector3d s = r->scaleFactors();
    const Transform plane = planeToWorld(r->normal(), r->position().z);
    const Transform local = Transform::insert(r->position(), r->rotation(), s.x, s.y, block->origin()).then(plane);
    const OdDbInsertExtrasPtr extras = r->insertExtras();
    if (!extras) return blockContents(block->objectId(), childContext(r, ctx, local.then(ctx.xf)));
    // A multiple insert repeats the block along its own turned axes.
    const g2::V across = g2::dir(r->rotation()) * extras->columnSpacing;
    const g2::V up = g2::perp(g2::dir(r->rotation())) * extras->rowSpacing;
    for (int row = 0; row < extras->rows && !report.workLimitReached; ++row)
      for (int column = 0; column < extras->columns && !report.workLimitReached; ++column) {
        const OdGePoint3d at = r->position() + across * column + up * row;
        const Transform copy = Transform::insert(at, r->rotation(), s.x, s.y, block->origin()).then(plane);
        blockContents(block->objectId(), childContext(r, ctx, copy.then(ctx.xf)));
      }
    for (const OdDbAttributeText& a : extras->attributes)
      if (!a.invisible) attribute(a, a.value, r, ctx, true);
  }

  // An attribute stands where its record says, in the space of the entity
  // `r` (its insert, or the definition itself) stands in. An insert's
  // attribute shows on its own layer in its own colour (by block: the
  // insert's); a definition in the colour of its entity.
  void attribute(const OdDbAttributeText& a, const std::string& value, const OdDbEntity* r, const Context& ctx,
                 bool ofInsert = false) {
    if (value.empty() && !(ofInsert && a.multiLine)) return;
    Rgb color = strokeOf(r, ctx).color;
    OdDbObjectId layerId = effectiveLayer(r, ctx);
    if (ofInsert) {
      if (OdDbDatabase* db = r->database(); db && !a.layer.empty())
        if (auto layers = OdDbSymbolTable::cast(db->getLayerTableId().openObject()))
          if (const OdDbObjectId own = layers->getAt(OdString(a.layer)); !own.isNull()) layerId = own;
      const LayerInfo& lay = layer(layerId);
      if (lay.hidden) return;
      if (!a.color.isByBlock()) color = rgbOf(a.color, ctx, lay);
    }
    auto styleNamed = [&](const std::string& name) {
      OdDbObjectId id;
      if (OdDbDatabase* db = r->database())
        if (auto styles = OdDbSymbolTable::cast(db->getTextStyleTableId().openObject())) id = styles->getAt(OdString(name));
      return id;
    };
    if (ofInsert && a.multiLine) return multiLineAttribute(*a.multiLine, styleNamed(a.multiLine->style.empty()
                                                                                       ? a.style
                                                                                       : a.multiLine->style),
                                                          color, layerId, r, ctx);
    const OdDbObjectId styleId = styleNamed(a.style);
    const auto [font, styleWidth] = fontOf(styleId, r->database());
    const std::string text = expandSymbols(value);
    const SingleLine line{a.position,       a.alignmentPoint, a.height,
                          a.rotation,       a.widthFactor,    a.horizontalMode,
                          a.verticalMode,   a.oblique,        (a.mirroredX ? 2 : 0) | (a.mirroredY ? 4 : 0)};
    const TextPlacement at =
        placeText(line, FontMetrics::shared().textWidth(font, text), styleWidth, FontMetrics::shared().info(font));
    textRun(text, at.dx, at.dy, at.height, at.rotation, at.widthFactor, font, color, ctx, at.origin, &at);
  }

  // A multi-line attribute's value, laid out as the multi-line text it
  // is, in the attribute's colour (which inline codes "by block" also take)
  // on its layer.
  void multiLineAttribute(const OdDbAttributeText::MultiLine& ml, OdDbObjectId styleId, const Rgb& color,
                          OdDbObjectId layerId, const OdDbEntity* r, const Context& ctx) {
    OdDbMTextPtr text = OdDbMText::createObject();
    text->setContents(OdString(ml.contents));
    text->setLocation(ml.location);
    text->setTextHeight(ml.height > 0 ? ml.height : 1.0);
    text->setRotation(ml.rotation);
    text->setWidth(ml.width);
    text->setAttachment(OdInt16(ml.attachment));
    if (!styleId.isNull()) text->setTextStyle(styleId);
    text->setLayer(layerId);
    text->setColor(OdCmColor(OdCmColor::kByBlock));
    if (ml.lineSpacing != 1.0 || ml.exactSpacing) {
      auto look = std::make_shared<OdDbMTextLook>();
      look->lineSpacingFactor = ml.lineSpacing;
      look->exactSpacing = ml.exactSpacing;
      text->setLook(std::move(look));
    }
    Context own = ctx;
    own.blockColor = color;
    mtext(text.get(), own, r->database());
  }

  void dimension(const OdDbDimension* d, const Context& ctx) {
    // A dimension is drawn through its block, as other programs draw it.
    blockContents(d->dimBlockId(), dimensionContext(d, ctx));
  }

  Context dimensionContext(const OdDbDimension* d, const Context& ctx) {
    // Its text runs read right to left with DIMTXTDIRECTION; the block
    // holds them in reading order like any other text.
    Context inner = childContext(d, ctx, ctx.xf);
    inner.rightToLeft = d->effectiveDimVars().txtdirection;
    inner.inDimension = true;
    return inner;
  }

  void leader(const OdDbLeader* l, const Context& ctx) {
    const auto& v = l->vertices();
    if (v.size() < 2) return;
    const OdDbDimVars dv = l->effectiveDimVars();
    Context inner = childContext(l, ctx, ctx.xf);
    const LayerInfo& lay = layer(effectiveLayer(l, ctx));
    Stroke s;
    s.color = rgbOf(dv.clrd, inner, lay);
    s.lineweightMm = lineweightOf(dv.lwd, inner, lay);
    s.dashes = inner.blockDashes;
    std::vector<Point2> pts;
    // A spline leader runs along a smooth curve through its vertices; its
    // arrow follows the curve's direction at the first vertex.
    g2::V first = v[0] - v[1];
    if (l->isSplined()) {
      const SmoothPath path = smoothPathThrough(v);
      for (const auto& p : path.points) pts.push_back(ctx.xf.apply(p));
      first = path.startTangent * -g2::len(first);
    } else {
      for (const auto& p : v) pts.push_back(ctx.xf.apply(p));
    }
    polyline(pts, false, s);
    const double size = dv.asz * (dv.scale > 0 ? dv.scale : 1.0);
    // An arrow longer than the first segment would swallow it: left out
    // (as is one whose direction is not a number).
    if (!l->hasArrowHead() || !(size > 0) || !(g2::len(first) >= size) || !std::isfinite(g2::len(first))) return;
    const double angle = g2::angleOf(first);
    if (dv.ldrblk.isNull()) {
      const g2::V u = g2::unit(first), n = g2::perp(u) * (size / 6);
      list.add(FilledPolygonPrim{{ctx.xf.apply(v[0]), ctx.xf.apply(v[0] - u * size + n), ctx.xf.apply(v[0] - u * size - n)}, s.color});
      return;
    }
    Context arrow = inner;
    arrow.blockColor = s.color;
    arrow.blockLineweight = s.lineweightMm;
    arrow.xf = Transform::insert(v[0], angle, size, size, OdGePoint3d()).then(ctx.xf);
    blockContents(dv.ldrblk, arrow);
  }
};

Renderer::Renderer(RenderOptions options) : m_impl(std::make_unique<Impl>()) {
  m_impl->opt = options;
}
Renderer::~Renderer() = default;

void Renderer::draw(OdDbObjectId id) {
  OdDbObjectPtr obj = id.openObject();
  if (auto e = OdDbEntity::cast(obj.get())) draw(e.get());
}

void Renderer::draw(const OdDbEntity* entity) {
  m_impl->finishedCurrent = false;
  m_impl->entity(entity, m_impl->rootContext());
}

void Renderer::drawDimensionParts(const OdDbDimension* dimension, const std::vector<OdDbEntityPtr>& parts) {
  m_impl->finishedCurrent = false;
  if (!dimension) return;
  m_impl->partsDatabase = dimension->database();
  const Context inner = m_impl->dimensionContext(dimension, m_impl->rootContext());
  for (const OdDbEntityPtr& part : parts) m_impl->entity(part.get(), inner);
}

void Renderer::drawBlockContents(OdDbObjectId blockId) {
  m_impl->finishedCurrent = false;
  m_impl->blockContents(blockId, m_impl->rootContext());
}

const DisplayList& Renderer::displayList() const {
  if (m_impl->pointMarks.empty() && m_impl->unboundedLines.empty()) return m_impl->list;
  if (!m_impl->finishedCurrent) {
    m_impl->finished = m_impl->list;
    m_impl->addPointMarks(m_impl->finished);
    m_impl->finishedCurrent = true;
  }
  return m_impl->finished;
}

const RenderReport& Renderer::report() const { return m_impl->report; }

void Renderer::restart() {
  take();
  m_impl->work = 0;
  m_impl->spends = 0;
  m_impl->repeatTime = {};
  m_impl->drawnBlocks.clear();
  m_impl->report = {};
  m_impl->notDrawnSeen.clear();
  m_impl->pointStyle.reset();
  m_impl->tonedImages.clear();
}

DisplayList Renderer::take() {
  DisplayList out = std::move(m_impl->list);
  m_impl->addPointMarks(out);
  m_impl->list.clear();
  m_impl->pointMarks.clear();
  m_impl->unboundedLines.clear();
  m_impl->finished.clear();
  m_impl->finishedCurrent = false;
  return out;
}

DisplayList renderEntities(const OdDbObjectIdArray& ids, const RenderOptions& options, RenderReport* report) {
  Renderer r(options);
  for (const OdDbObjectId& id : ids) r.draw(id);
  if (report) *report = r.report();
  return r.take();
}

DisplayList renderModelSpace(OdDbDatabase* db, const RenderOptions& options, RenderReport* report) {
  if (!db) return {};
  Renderer r(options);
  r.drawBlockContents(db->getModelSpaceId());
  if (report) *report = r.report();
  return r.take();
}

}  // namespace render
