#include "view_snaps.h"

#include <QPainter>
#include <QPolygonF>

#include "OdDbEntity.h"

namespace qrvwindow {

namespace {
constexpr double kMarkerPx = 6;  // half the marker's size
const QColor kMarkerColor(255, 170, 0);  // stands out on the dark and the light background
}  // namespace

std::optional<SceneSnap> snapInScene(const ViewScene& scene, QPointF at, double aperture, unsigned kinds) {
  const QRectF around(at.x() - aperture, at.y() - aperture, 2 * aperture, 2 * aperture);
  std::vector<snap::Curve> curves;
  std::vector<OdDbObjectId> owners;  // the entity of each curve
  for (std::uint32_t i : scene.query(around))
    if (OdDbEntityPtr entity = OdDbEntity::cast(scene.entities()[i].id.openObject())) {
      snap::addCurvesOf(*entity, curves);
      owners.resize(curves.size(), scene.entities()[i].id);
    }
  const std::optional<snap::Snap> found = snap::nearestSnap(curves, {at.x(), at.y()}, aperture, kinds);
  if (!found) return std::nullopt;
  SceneSnap out;
  static_cast<snap::Snap&>(out) = *found;
  out.on = owners.at(found->curve);
  if (found->other) out.with = owners.at(*found->other);
  return out;
}

void paintSnapMarker(QPainter& p, QPointF at, snap::Kind kind) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(QPen(kMarkerColor, 2));
  p.setBrush(Qt::NoBrush);
  const double r = kMarkerPx;
  switch (kind) {
    case snap::Kind::kEndpoint: p.drawRect(QRectF(at.x() - r, at.y() - r, 2 * r, 2 * r)); break;
    case snap::Kind::kMidpoint:
      p.drawPolygon(QPolygonF({at + QPointF(0, -r), at + QPointF(r, r * 0.8), at + QPointF(-r, r * 0.8)}));
      break;
    case snap::Kind::kCentre: p.drawEllipse(at, r, r); break;
    case snap::Kind::kIntersection:
      p.drawLine(at + QPointF(-r, -r), at + QPointF(r, r));
      p.drawLine(at + QPointF(-r, r), at + QPointF(r, -r));
      break;
    case snap::Kind::kNearest:  // an hourglass
      p.drawPolygon(QPolygonF({at + QPointF(-r, -r), at + QPointF(r, -r), at + QPointF(-r, r), at + QPointF(r, r)}));
      break;
  }
  p.restore();
}

}  // namespace qrvwindow
