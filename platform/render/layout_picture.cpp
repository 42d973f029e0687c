#include "layout_picture.h"

#include <algorithm>
#include <map>

#include "OdDbBlockTableRecord.h"
#include "OdDbDatabase.h"
#include "OdDbLayerTableRecord.h"
#include "clip_to_rect.h"
#include "path_flatten.h"

namespace render {

namespace {

constexpr Rgb kSheetEdge{160, 160, 160};

void addAll(const DisplayList& from, DisplayList& to) {
  for (const Primitive& p : from.items()) to.add(p);
}

void mergeReport(const RenderReport& from, RenderReport& to) {
  for (const OdString& block : from.cyclicBlocks)
    if (std::find(to.cyclicBlocks.begin(), to.cyclicBlocks.end(), block) == to.cyclicBlocks.end())
      to.cyclicBlocks.push_back(block);
  to.workLimitReached = to.workLimitReached || from.workLimitReached;
  // Model space is drawn once per viewport: an entity counts once.
  for (const auto& [kind, count] : from.notDrawn) to.notDrawn[kind] = std::max(to.notDrawn[kind], count);
}

Rgb frameColour(const OdDbViewportView& view, const OdDbLayerTableRecord* layer, const RenderOptions& options) {
  OdCmColor colour = view.colorIndex >= 1 && view.colorIndex <= 255 ? OdCmColor::fromIndex(OdInt16(view.colorIndex))
                     : layer                                       ? layer->color()
                                                                   : OdCmColor::fromIndex(7);
  if (colour.isByLayer() || colour.isByBlock() || (colour.isByACI() && colour.colorIndex() == 7))
    return options.foreground;
  return Rgb{colour.red(), colour.green(), colour.blue()};
}

using Rings = std::vector<std::vector<Point2>>;

// The outline of a viewport's clip boundary (a closed polyline, circle,
// ellipse, spline... of paper space) as the picture draws it; empty when
// it draws nothing closed.
Rings boundaryOutline(OdDbObjectId boundary, const RenderOptions& options) {
  Renderer outline(options);
  outline.draw(boundary);
  const DisplayList& drawn = outline.displayList();
  const double tolerance = std::max(drawn.bounds().width(), drawn.bounds().height()) / 4000;
  Rings rings;
  auto keep = [&](std::vector<Point2> ring) {
    if (ring.size() >= 3) rings.push_back(std::move(ring));
  };
  for (const Primitive& p : drawn.items()) {
    if (auto line = std::get_if<PolylinePrim>(&p)) keep(line->points);
    if (auto fill = std::get_if<FilledPolygonPrim>(&p)) keep(fill->points);
    if (auto path = std::get_if<PathPrim>(&p))
      for (FlatLine& piece : flatten(path->segments, tolerance)) keep(std::move(piece.points));
  }
  return rings;
}

// Model space for one set of frozen layers, drawn once and kept for every
// viewport that freezes the same layers.
class ModelPictures {
public:
  ModelPictures(OdDbDatabase* db, const RenderOptions& options, RenderReport& report)
      : m_db(db), m_options(options), m_report(report) {}

  const DisplayList& without(std::vector<OdDbObjectId> frozen) {
    std::sort(frozen.begin(), frozen.end());
    auto it = m_pictures.find(frozen);
    if (it != m_pictures.end()) return it->second;
    RenderOptions options = m_options;
    options.hiddenLayers.insert(options.hiddenLayers.end(), frozen.begin(), frozen.end());
    RenderReport report;
    DisplayList picture = renderModelSpace(m_db, options, &report);
    mergeReport(report, m_report);
    return m_pictures.emplace(std::move(frozen), std::move(picture)).first->second;
  }

private:
  OdDbDatabase* m_db;
  const RenderOptions& m_options;
  RenderReport& m_report;
  std::map<std::vector<OdDbObjectId>, DisplayList> m_pictures;
};

}  // namespace

DisplayList renderLayout(OdDbDatabase* db, const OdDbLayoutSheet& sheet, const RenderOptions& options,
                         RenderReport* report) {
  DisplayList out;
  RenderReport whole;
  if (sheet.hasPaper())
    out.add(PolylinePrim{{{sheet.paperMinX, sheet.paperMinY},
                          {sheet.paperMaxX, sheet.paperMinY},
                          {sheet.paperMaxX, sheet.paperMaxY},
                          {sheet.paperMinX, sheet.paperMaxY}},
                         true,
                         Stroke{kSheetEdge, 0.0, 0.0, {}}});
  auto block = OdDbBlockTableRecord::cast(sheet.block.openObject());
  if (!db || !block) {
    if (report) *report = whole;
    return out;
  }
  ModelPictures model(db, options, whole);
  for (OdDbBlockIteratorPtr it = block->newIterator(); !it->done(); it->step()) {
    OdDbEntityPtr e = it->entity();
    const OdDbViewportViewPtr view = e ? e->viewportView() : nullptr;
    if (!view || view->number == 1 || !e->visibility()) continue;
    auto layer = OdDbLayerTableRecord::cast(view->layer.openObject());
    if (layer && layer->isFrozen()) continue;
    const double w = view->width / 2, h = view->height / 2;
    if (!(w > 0) || !(h > 0)) continue;
    Bounds frame;
    frame.add(Point2{view->centre.x - w, view->centre.y - h});
    frame.add(Point2{view->centre.x + w, view->centre.y + h});
    const std::vector<Point2> rectangle{
        {frame.minX, frame.minY}, {frame.maxX, frame.minY}, {frame.maxX, frame.maxY}, {frame.minX, frame.maxY}};
    // A boundary entity cuts the view and is its frame, drawn with paper
    // space; one that draws nothing closed (missing, erased, hidden, open)
    // leaves the rectangle, and the report says so.
    Rings region = view->clipBoundary.isNull() ? Rings() : boundaryOutline(view->clipBoundary, options);
    const bool ownFrame = region.empty();
    if (ownFrame && view->clippedByEntity) ++whole.notDrawn[kViewportBoundaryNotUsed];
    if (ownFrame) region = {rectangle};
    Bounds box;
    for (const auto& ring : region)
      for (const Point2& p : ring) box.add(p);
    if (view->on && view->scale() > 0) {
      Placement placement;
      placement.scale = view->scale();
      placement.rotation = view->twist;
      placement.from = {view->viewCentre.x, view->viewCentre.y};
      placement.to = {view->centre.x, view->centre.y};
      // Cut to the region's box here (what lies outside goes for good),
      // then exactly to the region by each writer, glyphs and pixels too.
      auto inside = std::make_shared<DisplayList>();
      addPlacedAndClipped(model.without(view->frozenLayers), placement, box, *inside);
      if (!inside->empty()) out.add(ClipPrim{std::move(region), std::move(inside)});
    }
    if (ownFrame && (!layer || !layer->isOff()))
      out.add(PolylinePrim{rectangle, true,
                           Stroke{frameColour(*view, layer.get(), options), options.defaultLineweightMm, 0.0, {}}});
  }
  Renderer paper(options);
  paper.drawBlockContents(sheet.block);
  mergeReport(paper.report(), whole);
  addAll(paper.take(), out);
  if (report) *report = whole;
  return out;
}

}  // namespace render
