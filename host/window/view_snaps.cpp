#include "view_snaps.h"

#include <QPainter>
#include <QPolygonF>

#include "OdDbEntity.h"

namespace qrvwindow {

namespace {
constexpr double kMarkerPx = 6;  // half the marker's size
const QColor kMarkerColor(255, 170, 0);  // stands out on the dark and the light background
}  // namespace

std::optional<snap::Snap> snapInScene(const ViewScene& scene, QPointF at, double aperture, unsigned kinds) {
  const QRectF around(at.x() - aperture, at.y() - aperture, 2 * aperture, 2 * aperture);
  std::vector<snap::Curve> curves;
  for (std::uint32_t i : scene.query(around))
    if (OdDbEntityPtr entity = OdDbEntity::cast(scene.entities()[i].id.openObject()))
      snap::addCurvesOf(*entity, curves);
  return snap::nearestSnap(curves, {at.x(), at.y()}, aperture, kinds);
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
  }
  p.restore();
}

}  // namespace qrvwindow
