#include "box_selector.h"

#include <algorithm>

#include "OdDbEntity.h"
#include "OdDbDimension.h"
#include "OdDbEntityKinds.h"
#include "entity_preview.h"
#include "picture_box.h"
#include "renderer.h"
#include "selection.h"

namespace render {

namespace {

OdDbObjectIdArray selectByBox(const OdDbObjectIdArray& entities, const HostSelectionBox& hostBox) {
  Bounds box;
  box.add(Point2{hostBox.first.x, hostBox.first.y});
  box.add(Point2{hostBox.second.x, hostBox.second.y});
  RenderOptions options;
  // Rays and construction lines are drawn across a little more than the
  // box, so that one passing through it has a part inside.
  const double margin = std::max({box.width(), box.height(), 1.0});
  options.unboundedBox = box;
  options.unboundedBox.add(Point2{box.minX - margin, box.minY - margin});
  options.unboundedBox.add(Point2{box.maxX + margin, box.maxY + margin});
  Renderer renderer(options);
  OdDbObjectIdArray taken;
  for (OdDbObjectId id : entities) {
    const OdDbEntityPtr entity = OdDbEntity::cast(id.openObject());
    if (!entity) continue;
    const OdDbEntityKind kind = odDbEntityKind(entity.get());
    // Without end, they are never wholly inside.
    const bool endless = kind == OdDbEntityKind::kRay || kind == OdDbEntityKind::kXline;
    if (endless && !hostBox.crossing) continue;
    const OdDbDimensionPtr dimension = OdDbDimension::cast(entity);
    DisplayList built;
    const bool unbuilt = dimension && (dimension->dimBlockId().isNull() || dimension->isDimBlockOutOfDate());
    if (unbuilt) {
      // Its block is built when it is next drawn or saved; until then it
      // is judged on the picture that block will hold.
      try {
        const OdDbEntityPtr copy = OdDbEntity::cast(dimension->clone());
        built = previewPicture(*copy, *entity->database(), options);
      } catch (const OdError&) {
        continue;  // no geometry can be made of it: it shows nothing
      }
    } else {
      renderer.restart();
      renderer.draw(entity.get());
    }
    const DisplayList& picture = unbuilt ? built : renderer.displayList();
    if (hostBox.crossing ? pictureCrosses(picture, box) : pictureInside(picture, box)) taken.push_back(id);
  }
  return taken;
}

}  // namespace

void installBoxSelector() { hostSetBoxSelector(selectByBox); }

}  // namespace render
