#include "OdDmUtil.h"

#include "OdDbDimVarRange.h"

#include <cmath>
#include <numbers>

#include "OdDbBlockTableRecord.h"
#include "OdDbDatabase.h"
#include "OdDbEntities.h"
#include "OdStringUtil.h"

namespace OdDmUtil {

const std::vector<OdString>& builtInArrowNames() {
  static const std::vector<OdString> kNames = {
      "",        "_ClosedBlank", "_Closed",   "_Dot",      "_ArchTick",  "_Oblique",   "_Open",
      "_Origin", "_Origin2",     "_Open90",   "_Open30",   "_DotSmall",  "_DotBlank",  "_Small",
      "_BoxBlank", "_BoxFilled", "_DatumBlank", "_DatumFilled", "_Integral", "_None"};
  return kNames;
}

namespace {
// The table spelling of a built-in name, or null when it is not one.
const OdString* builtInSpelling(const OdString& name) {
  if (name.empty()) return &builtInArrowNames()[0];
  const OdString withBar = name[0] == '_' ? name : "_" + name;
  for (const OdString& n : builtInArrowNames())
    if (!n.empty() && qrv::equalNoCase(n, withBar)) return &n;
  return nullptr;
}

// Arrowheads are drawn for a unit arrow size with the tip at the origin,
// the body along the negative X axis; dimensions scale and turn them.
void addLine(OdDbBlockTableRecord* b, OdGePoint3d a, OdGePoint3d c) {
  OdDbLinePtr l = OdDbLine::createObject();
  l->setStartPoint(a);
  l->setEndPoint(c);
  l->setColorIndex(0);
  b->appendOdDbEntity(l);
}
void addCircle(OdDbBlockTableRecord* b, OdGePoint3d c, double r) {
  OdDbCirclePtr ci = OdDbCircle::createObject();
  ci->setCenter(c);
  ci->setRadius(r);
  ci->setColorIndex(0);
  b->appendOdDbEntity(ci);
}
void addSolid(OdDbBlockTableRecord* b, std::initializer_list<OdGePoint3d> pts) {
  OdDbSolidPtr s = OdDbSolid::createObject();
  int i = 0;
  OdGePoint3d last;
  for (const OdGePoint3d& p : pts) s->setPointAt(i++, last = p);
  while (i < 4) s->setPointAt(i++, last);
  s->setColorIndex(0);
  b->appendOdDbEntity(s);
}
void addDonut(OdDbBlockTableRecord* b, double outer) {
  // A closed polyline of two half-circle arcs with a width fills the dot.
  OdDbPolylinePtr p = OdDbPolyline::createObject();
  const double r = outer / 4;
  p->addVertexAt(0, -r, 0, 1.0);
  p->addVertexAt(1, r, 0, 1.0);
  p->setClosed(true);
  p->setConstantWidth(outer / 2);
  p->setColorIndex(0);
  b->appendOdDbEntity(p);
}
void addOpen(OdDbBlockTableRecord* b, double halfAngleDeg) {
  const double t = std::tan(halfAngleDeg * std::numbers::pi / 180);
  addLine(b, {0, 0}, {-1, t});
  addLine(b, {0, 0}, {-1, -t});
  addLine(b, {0, 0}, {-1, 0});
}

void buildArrowGeometry(const OdString& name, OdDbBlockTableRecord* b) {
  const double h = 1.0 / 6;  // half the width of the standard closed arrow
  if (name == "_ClosedBlank") {
    addLine(b, {0, 0}, {-1, h});
    addLine(b, {-1, h}, {-1, -h});
    addLine(b, {-1, -h}, {0, 0});
  } else if (name == "_Closed") {
    addLine(b, {0, 0}, {-1, h});
    addLine(b, {-1, h}, {-1, -h});
    addLine(b, {-1, -h}, {0, 0});
    addLine(b, {0, 0}, {-1, 0});
  } else if (name == "_Dot") {
    addDonut(b, 1.0);
    addLine(b, {-0.5, 0}, {-1, 0});
  } else if (name == "_ArchTick" || name == "_Oblique") {
    addLine(b, {-0.5, -0.5}, {0.5, 0.5});
    if (name == "_ArchTick") addSolid(b, {{-0.53, -0.47}, {-0.47, -0.53}, {0.53, 0.47}, {0.47, 0.53}});
  } else if (name == "_Open") {
    addOpen(b, 9.4623);
  } else if (name == "_Origin") {
    addCircle(b, {0, 0}, 0.5);
    addLine(b, {0, 0}, {-1, 0});
  } else if (name == "_Origin2") {
    addCircle(b, {0, 0}, 0.5);
    addCircle(b, {0, 0}, 0.25);
    addLine(b, {-0.5, 0}, {-1, 0});
  } else if (name == "_Open90") {
    addOpen(b, 45.0);
  } else if (name == "_Open30") {
    addOpen(b, 15.0);
  } else if (name == "_DotSmall") {
    addDonut(b, 0.5);
  } else if (name == "_DotBlank") {
    addCircle(b, {0, 0}, 0.5);
    addLine(b, {-0.5, 0}, {-1, 0});
  } else if (name == "_Small") {
    addCircle(b, {0, 0}, 0.25);
  } else if (name == "_BoxBlank") {
    addLine(b, {-0.5, -0.5}, {0.5, -0.5});
    addLine(b, {0.5, -0.5}, {0.5, 0.5});
    addLine(b, {0.5, 0.5}, {-0.5, 0.5});
    addLine(b, {-0.5, 0.5}, {-0.5, -0.5});
    addLine(b, {-0.5, 0}, {-1, 0});
  } else if (name == "_BoxFilled") {
    addSolid(b, {{-0.5, -0.5}, {0.5, -0.5}, {-0.5, 0.5}, {0.5, 0.5}});
    addLine(b, {-0.5, 0}, {-1, 0});
  } else if (name == "_DatumBlank") {
    addLine(b, {0, 0.5774}, {-1, 0});
    addLine(b, {-1, 0}, {0, -0.5774});
    addLine(b, {0, -0.5774}, {0, 0.5774});
  } else if (name == "_DatumFilled") {
    addSolid(b, {{0, 0.5774}, {-1, 0}, {0, -0.5774}});
  } else if (name == "_Integral") {
    OdDbArcPtr a1 = OdDbArc::createObject();
    a1->setCenter({0.4449, 0.0913});
    a1->setRadius(0.4542);
    a1->setStartAngle(3.3629);
    a1->setEndAngle(4.9324);
    a1->setColorIndex(0);
    b->appendOdDbEntity(a1);
    OdDbArcPtr a2 = OdDbArc::createObject();
    a2->setCenter({-0.4449, -0.0913});
    a2->setRadius(0.4542);
    a2->setStartAngle(0.2213);
    a2->setEndAngle(1.7908);
    a2->setColorIndex(0);
    b->appendOdDbEntity(a2);
  }
  // "_None" draws nothing.
}
}  // namespace

OdString arrowName(OdDbObjectId arrowId) {
  if (arrowId.isNull()) return OdString();
  OdDbObjectPtr obj = arrowId.openObject();
  auto rec = OdDbBlockTableRecord::cast(obj.get());
  return rec ? rec->getName() : OdString();
}

bool isBuiltInArrow(const OdString& name) { return builtInSpelling(name) != nullptr; }

OdDbObjectId getArrowId(const OdString& name, OdDbDatabase* db) {
  if (!db) throw OdError(eNullObjectPointer, "no database for arrow " + name);
  if (name.empty()) return OdDbObjectId();
  OdDbBlockTablePtr blocks = db->getBlockTableId().safeOpenObject();
  const OdString* builtIn = builtInSpelling(name);
  const OdString blockName = builtIn ? *builtIn : name;
  OdDbObjectId id = blocks->getAt(blockName);
  if (!id.isNull()) {
    if (!odDbMayBeArrowhead(id))
      throw OdError(eInvalidInput, "\"" + name + "\" is a layout or anonymous block and cannot be an arrowhead");
    return id;
  }
  if (!builtIn) throw OdError(eKeyNotFound, "no arrow block named " + name);
  blocks->upgradeOpen();
  OdDbBlockTableRecordPtr block = OdDbBlockTableRecord::createObject();
  block->setNameAsStored(blockName);
  id = blocks->add(block);
  buildArrowGeometry(blockName, block.get());
  return id;
}

}  // namespace OdDmUtil
