#include "entity_update.h"

#include "OdDbEntities.h"

namespace render {
namespace {

void common(OdDbEntity* t, const OdDbEntity* s) {
  if (t->layerId() != s->layerId()) t->setLayer(s->layerId());
  if (t->color() != s->color()) t->setColor(s->color());
  if (t->lineWeight() != s->lineWeight()) t->setLineWeight(s->lineWeight());
  if (t->linetypeId() != s->linetypeId()) t->setLinetype(s->linetypeId());
}

template <class T>
bool same(OdDbEntity* t, const OdDbEntity* s) {
  return t->isA() == T::desc() && s->isA() == T::desc();
}

}  // namespace

bool updateInPlace(OdDbEntity* target, const OdDbEntity* source) {
  if (!target || !source) return false;
  if (same<OdDbLine>(target, source)) {
    auto* t = static_cast<OdDbLine*>(target);
    auto* s = static_cast<const OdDbLine*>(source);
    t->setStartPoint(s->startPoint());
    t->setEndPoint(s->endPoint());
  } else if (same<OdDbArc>(target, source)) {
    auto* t = static_cast<OdDbArc*>(target);
    auto* s = static_cast<const OdDbArc*>(source);
    t->setCenter(s->center());
    t->setRadius(s->radius());
    t->setStartAngle(s->startAngle());
    t->setEndAngle(s->endAngle());
  } else if (same<OdDbSolid>(target, source)) {
    auto* t = static_cast<OdDbSolid*>(target);
    auto* s = static_cast<const OdDbSolid*>(source);
    for (int i = 0; i < 4; ++i) t->setPointAt(i, s->pointAt(i));
  } else if (same<OdDbMText>(target, source)) {
    auto* t = static_cast<OdDbMText*>(target);
    auto* s = static_cast<const OdDbMText*>(source);
    t->setContents(s->contents());
    t->setLocation(s->location());
    t->setTextHeight(s->textHeight());
    t->setWidth(s->width());
    t->setRotation(s->rotation());
    t->setAttachment(s->attachment());
    if (t->textStyle() != s->textStyle()) t->setTextStyle(s->textStyle());
  } else if (same<OdDbBlockReference>(target, source)) {
    auto* t = static_cast<OdDbBlockReference*>(target);
    auto* s = static_cast<const OdDbBlockReference*>(source);
    if (t->blockTableRecord() != s->blockTableRecord()) t->setBlockTableRecord(s->blockTableRecord());
    t->setPosition(s->position());
    t->setRotation(s->rotation());
    t->setScaleFactors(s->scaleFactors());
  } else {
    return false;
  }
  common(target, source);
  return true;
}

}  // namespace render
