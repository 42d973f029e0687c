#include "entity_preview.h"

#include "OdDbDimension.h"
#include "dim_block_builder.h"
#include "dim_geometry.h"

namespace render {

DisplayList previewPicture(OdDbEntity& entity, OdDbDatabase& db, const RenderOptions& options) {
  Renderer renderer(options);
  if (auto dimension = OdDbDimension::cast(&entity)) {
    DimCapture capture(db);
    buildDimBlock(dimension.get());
    renderer.drawDimensionParts(dimension.get(), capture.entities);
  } else {
    renderer.draw(&entity);
  }
  return renderer.take();
}

}  // namespace render
