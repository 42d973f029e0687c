#pragma once
#include <map>
#include <string>
// Turns drawing entities into a display list: lines, arcs, circles,
// polylines with bulges and widths, solids, text, multi-line text with
// stacks, block references, dimensions (through their blocks), leaders
// (straight or splined), points, ellipses, splines, rays and construction
// lines (across the rest of the picture), 3D faces and traces.
// Colours, lineweights and linetypes are resolved against the entity, its
// layer and the block reference (or dimension) it is drawn through.
#include <memory>
#include <vector>

#include "OdDbObjectId.h"
#include "display_list.h"

#include "OdDbEntity.h"

class OdDbDatabase;
class OdDbDimension;

namespace render {

struct RenderOptions {
  Rgb background{255, 255, 255};
  // What colour 7 and the foreground colour draw in: the colour that
  // contrasts with the background.
  Rgb foreground{0, 0, 0};
  // Lineweight of "default" in millimetres.
  double defaultLineweightMm = 0.25;
  // The height of the view in drawing units, of which points of a relative
  // size (PDSIZE 0 or negative) take their share; 0: the picture's own
  // height (see docs/geometry.md).
  double pointViewHeight = 0;
  // Nesting of block references beyond this is not drawn.
  int maxBlockDepth = 32;
  // Work allowed for the repeats of one picture: entities visited plus
  // points produced while drawing a block's contents again (its second and
  // later inserts; bounds the memory), and the time that may take. Blocks
  // inserted into each other many times over multiply quickly; past either
  // bound the picture stops growing and says so. What the drawing holds,
  // each block drawn once, is not bounded: it grows only with the drawing.
  long maxWork = 10'000'000;
  double maxSeconds = 3.0;
  // Layers not drawn although they are on and thawed (those a viewport
  // freezes for itself).
  std::vector<OdDbObjectId> hiddenLayers;
  // The box rays and construction lines are drawn across. Empty: the box
  // of everything else the picture holds, so that they never widen it. A
  // caller drawing one entity per picture (whose own box is no guide)
  // gives the drawing's extents here.
  Bounds unboundedBox;
};

// What drawing left out, for the caller to tell the user.
struct RenderReport {
  // Blocks met again on their own insertion path (each named once): the
  // repeated insert is not drawn, since it would never end.
  std::vector<OdString> cyclicBlocks;
  // The work or time bound of RenderOptions was reached: the picture is
  // incomplete.
  bool workLimitReached = false;
  // Points were sized as a share of the picture's own height, for want of
  // RenderOptions::pointViewHeight: a picture of one entity has them at a
  // size of its own, which a caller drawing a whole view may want to redo.
  bool pointsSizedByPicture = false;
  // Entities of kinds this renderer does not draw, by the kind their file
  // named ("HATCH"): each entity counted once, however often its block
  // is inserted. Images whose picture file is not found or not read
  // (their frame is drawn) count as kImageFileNotShown; viewports whose
  // boundary entity gives no outline to cut by (their rectangle is used)
  // as kViewportBoundaryNotUsed.
  std::map<std::string, int> notDrawn;
};

inline constexpr const char* kImageFileNotShown = "IMAGE file";
inline constexpr const char* kViewportBoundaryNotUsed = "VIEWPORT boundary";

// "ACIS solids (3), hatches (12)" in the session's language (`russian`):
// what a picture left out; empty when it left out nothing.
std::string notDrawnText(const std::map<std::string, int>& notDrawn, bool russian);

class Renderer {
public:
  explicit Renderer(RenderOptions options = {});
  ~Renderer();
  Renderer(const Renderer&) = delete;
  Renderer& operator=(const Renderer&) = delete;

  // Adds the picture of one entity (nothing for a missing, erased or
  // invisible one, or one on a layer that is off or frozen).
  void draw(OdDbObjectId entityId);
  void draw(const OdDbEntity* entity);
  // Adds the entities a dimension's block would hold, drawn as its block
  // is (by-block colours and layer 0 take the dimension's): the picture of a
  // dimension still being placed, whose block is not built.
  void drawDimensionParts(const OdDbDimension* dimension, const std::vector<OdDbEntityPtr>& parts);
  // Adds every entity of a block (model space, a layout, any block).
  void drawBlockContents(OdDbObjectId blockId);

  // The picture so far. Points come last, their symbols sized (unless the
  // drawing gives them a size) from the view's height or the bounds of
  // everything drawn (see docs/geometry.md).
  const DisplayList& displayList() const;
  DisplayList take();
  // Starts a new picture with the full work and time bounds, keeping what
  // was learnt about layers, linetypes and text styles: drawing many
  // entities one picture each costs far less than a renderer for each.
  // Asks the drawing again when its tables may have changed since.
  void restart();
  const RenderReport& report() const;

private:
  struct Impl;
  std::unique_ptr<Impl> m_impl;
};

DisplayList renderEntities(const OdDbObjectIdArray& ids, const RenderOptions& options = {},
                           RenderReport* report = nullptr);
DisplayList renderModelSpace(OdDbDatabase* db, const RenderOptions& options = {}, RenderReport* report = nullptr);

}  // namespace render
