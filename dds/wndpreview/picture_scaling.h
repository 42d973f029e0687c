#pragma once
// The preview draws very large and very small overall scales at a clamped
// scale, so that the plate and its annotation stay in proportion while the
// numbers still show the lengths at the style's scale.
#include <functional>
#include <unordered_map>
#include <vector>

#include "OdDbEntity.h"

namespace dds {

struct PreviewScale {
  double s = 1;  // the drawing's overall scale; 0 counts as 1
  double c = 1;  // s limited to 0.5 .. 100: what the geometry is drawn at
  double t = 1;  // s / c: what annotation sizes and measured values still need
};
PreviewScale previewScaleOf(double dimscale);

// Scales the entities about the origin by c and gives each dimension and
// the leader DIMLFAC × t and DIMSCALE ÷ t (the leader text's height
// follows the leader), then rebuilds the dimensions' blocks. Everything
// changed is set back when the object goes; blocks are then left out of
// date, to be rebuilt by whoever draws them next.
class PictureScaling {
public:
  PictureScaling(const std::vector<OdDbEntity*>& entities, const PreviewScale& scale);
  ~PictureScaling();
  PictureScaling(const PictureScaling&) = delete;
  PictureScaling& operator=(const PictureScaling&) = delete;

private:
  void scale(OdDbEntity* entity, double c, double t);
  void sizeLeaderText(OdDbEntity* entity, double t);
  std::vector<std::function<void()>> m_restore;
  std::unordered_map<OdDbObjectId, double> m_textHeights;  // by the leader's annotation
};

}  // namespace dds
