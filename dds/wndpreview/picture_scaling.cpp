#include "picture_scaling.h"

#include <algorithm>

#include "OdDbDimension.h"
#include "OdDbEntities.h"
#include "OdDbLeader.h"
#include "OdDbTextStyleTableRecord.h"
#include "stdafx/module_log.h"

namespace dds {
namespace {

constexpr const char* kSrcPreview = "dds/wndpreview";
constexpr double kMinScale = 0.5, kMaxScale = 100.0;

OdGePoint3d times(const OdGePoint3d& p, double k) { return {p.x * k, p.y * k, p.z * k}; }

// The database has no setter for a polyline's vertices: a polyline rebuilt
// with the new vertices and the old one's entity data takes the old one's
// place, keeping its identity and owner.
void setPolylineVertices(OdDbPolyline* pl, const std::vector<OdDbPolyline::Vertex>& vertices, double width) {
  OdDbPolylinePtr fresh = OdDbPolyline::createObject();
  for (unsigned i = 0; i < vertices.size(); ++i) fresh->addVertexAt(i, vertices[i].x, vertices[i].y, vertices[i].bulge);
  fresh->setClosed(pl->isClosed());
  fresh->setElevation(pl->elevation());
  fresh->setConstantWidth(width);
  static_cast<OdDbEntity&>(*fresh) = static_cast<const OdDbEntity&>(*pl);
  pl->setConstantWidth(width);  // records the change with the database
  *pl = *fresh;
}

double nonZero(double scale) { return scale == 0 ? 1.0 : scale; }

// The height the leader's text takes from its leader's values.
double leaderTextHeight(const OdDbLeader* leader, double t) {
  OdDbTextStyleTableRecordPtr style = OdDbTextStyleTableRecord::cast(leader->dimtxsty().openObject());
  if (style && style->textSize() != 0) return style->textSize();
  return leader->dimtxt() * nonZero(leader->dimscale()) / t;
}

// A dimension's defining points (and, for radii and diameters, the leader
// length as a last "point" on x), read and written in one order.
std::vector<OdGePoint3d> definingPoints(const OdDbDimension* dim) {
  if (auto* d = dynamic_cast<const OdDbRotatedDimension*>(dim)) return {d->xLine1Point(), d->xLine2Point(), d->dimLinePoint()};
  if (auto* d = dynamic_cast<const OdDbRadialDimension*>(dim)) return {d->center(), d->chordPoint(), {d->leaderLength(), 0, 0}};
  if (auto* d = dynamic_cast<const OdDbDiametricDimension*>(dim))
    return {d->chordPoint(), d->farChordPoint(), {d->leaderLength(), 0, 0}};
  if (auto* d = dynamic_cast<const OdDb3PointAngularDimension*>(dim))
    return {d->centerPoint(), d->xLine1Point(), d->xLine2Point(), d->arcPoint()};
  if (auto* d = dynamic_cast<const OdDbOrdinateDimension*>(dim)) return {d->origin(), d->definingPoint(), d->leaderEndPoint()};
  return {};
}

void setDefiningPoints(OdDbDimension* dim, const std::vector<OdGePoint3d>& p) {
  if (auto* d = dynamic_cast<OdDbRotatedDimension*>(dim)) {
    d->setXLine1Point(p[0]);
    d->setXLine2Point(p[1]);
    d->setDimLinePoint(p[2]);
  } else if (auto* d = dynamic_cast<OdDbRadialDimension*>(dim)) {
    d->setCenter(p[0]);
    d->setChordPoint(p[1]);
    d->setLeaderLength(p[2].x);
  } else if (auto* d = dynamic_cast<OdDbDiametricDimension*>(dim)) {
    d->setChordPoint(p[0]);
    d->setFarChordPoint(p[1]);
    d->setLeaderLength(p[2].x);
  } else if (auto* d = dynamic_cast<OdDb3PointAngularDimension*>(dim)) {
    d->setCenterPoint(p[0]);
    d->setXLine1Point(p[1]);
    d->setXLine2Point(p[2]);
    d->setArcPoint(p[3]);
  } else if (auto* d = dynamic_cast<OdDbOrdinateDimension*>(dim)) {
    d->setOrigin(p[0]);
    d->setDefiningPoint(p[1]);
    d->setLeaderEndPoint(p[2]);
  }
}

}  // namespace

PreviewScale previewScaleOf(double dimscale) {
  PreviewScale p;
  p.s = nonZero(dimscale);
  p.c = std::clamp(p.s, kMinScale, kMaxScale);
  p.t = p.s / p.c;
  return p;
}

PictureScaling::PictureScaling(const std::vector<OdDbEntity*>& entities, const PreviewScale& scale) {
  const bool needed = scale.c != 1.0 || scale.t != 1.0;
  for (OdDbEntity* e : entities) {
    if (!e) continue;
    try {
      e->upgradeOpen();
      sizeLeaderText(e, scale.t);  // before the leader's own scale changes
      if (needed) this->scale(e, scale.c, scale.t);
      if (auto* dim = dynamic_cast<OdDbDimension*>(e); dim && dim->isDimBlockOutOfDate()) dim->recomputeDimBlock();
    } catch (const OdError& err) {
      DDS_LOG_ERROR(kSrcPreview, err.description());
    }
  }
}

PictureScaling::~PictureScaling() {
  for (auto it = m_restore.rbegin(); it != m_restore.rend(); ++it) {
    try {
      (*it)();
    } catch (const OdError& err) {
      DDS_LOG_ERROR(kSrcPreview, err.description());
    }
  }
}

void PictureScaling::scale(OdDbEntity* e, double c, double t) {
  // Saved values are put back as they were rather than scaled back, so
  // that no rounding creeps in over many pictures.
  if (auto* dim = dynamic_cast<OdDbDimension*>(e)) {
    const std::vector<OdGePoint3d> points = definingPoints(dim);
    const double lfac = dim->dimlfac(), dimscale = dim->dimscale();
    const OdGePoint3d text = dim->textPosition();
    const bool defaultText = dim->isUsingDefaultTextPosition();
    std::vector<OdGePoint3d> scaled;
    for (const OdGePoint3d& p : points) scaled.push_back(times(p, c));
    if (!scaled.empty()) setDefiningPoints(dim, scaled);
    dim->setTextPosition(times(text, c));
    if (defaultText) dim->useDefaultTextPosition();
    dim->setDimlfac(lfac * t);
    dim->setDimscale(nonZero(dimscale) / t);
    m_restore.push_back([dim, points, text, defaultText, lfac, dimscale] {
      dim->upgradeOpen();
      if (!points.empty()) setDefiningPoints(dim, points);
      dim->setTextPosition(text);
      if (defaultText) dim->useDefaultTextPosition();
      dim->setDimlfac(lfac);
      dim->setDimscale(dimscale);
    });
    return;
  }
  if (auto* leader = dynamic_cast<OdDbLeader*>(e)) {
    const std::vector<OdGePoint3d> vertices = leader->vertices();
    const double dimscale = leader->dimscale();
    std::vector<OdGePoint3d> scaled;
    for (const OdGePoint3d& p : vertices) scaled.push_back(times(p, c));
    leader->setVertices(scaled);
    leader->setDimscale(nonZero(dimscale) / t);
    m_restore.push_back([leader, vertices, dimscale] {
      leader->upgradeOpen();
      leader->setVertices(vertices);
      leader->setDimscale(dimscale);
    });
    return;
  }
  if (auto* text = dynamic_cast<OdDbMText*>(e)) {
    const OdGePoint3d location = text->location();
    const double width = text->width();
    text->setLocation(times(location, c));
    text->setWidth(width * c);
    m_restore.push_back([text, location, width] {
      text->upgradeOpen();
      text->setLocation(location);
      text->setWidth(width);
    });
    return;
  }
  if (auto* circle = dynamic_cast<OdDbCircle*>(e)) {
    const OdGePoint3d centre = circle->center();
    const double radius = circle->radius();
    circle->setCenter(times(centre, c));
    circle->setRadius(radius * c);
    m_restore.push_back([circle, centre, radius] {
      circle->upgradeOpen();
      circle->setCenter(centre);
      circle->setRadius(radius);
    });
    return;
  }
  if (auto* pl = dynamic_cast<OdDbPolyline*>(e)) {
    const std::vector<OdDbPolyline::Vertex> vertices = pl->vertices();
    const double width = pl->constantWidth();
    std::vector<OdDbPolyline::Vertex> scaled = vertices;
    for (auto& v : scaled) {
      v.x *= c;
      v.y *= c;
    }
    setPolylineVertices(pl, scaled, width * c);
    m_restore.push_back([pl, vertices, width] {
      pl->upgradeOpen();
      setPolylineVertices(pl, vertices, width);
    });
    return;
  }
  DDS_LOG_WARNING(kSrcPreview, OdString("not scaled for the picture: ") + e->isA()->name());
}

void PictureScaling::sizeLeaderText(OdDbEntity* e, double t) {
  // The leader's text is as tall as the leader's values make a dimension's
  // text: a fixed height as it is, else DIMTXT at the leader's overall
  // scale over t, so that it keeps its proportion to the leader's arrow.
  if (auto* leader = dynamic_cast<OdDbLeader*>(e)) {
    m_textHeights[leader->annotationObjId()] = leaderTextHeight(leader, t);
    return;
  }
  auto* text = dynamic_cast<OdDbMText*>(e);
  if (!text) return;
  auto it = m_textHeights.find(text->objectId());
  if (it == m_textHeights.end()) return;
  const double height = text->textHeight();
  text->setTextHeight(it->second);
  m_restore.push_back([text, height] {
    text->upgradeOpen();
    text->setTextHeight(height);
  });
}

}  // namespace dds
