#pragma once
// Builders and inspectors shared by the rendering tests: a drawing with the
// geometry builder installed, and the contents of a dimension's block
// sorted by kind.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "OdDbBlockTableRecord.h"
#include "OdDbDatabase.h"
#include "OdDbDimension.h"
#include "OdDbEntities.h"
#include "OdDmUtil.h"
#include "dim_block_builder.h"
#include "display_list.h"

namespace rt {

struct Seg {
  OdGePoint3d a, b;
  OdCmColor color;
  double length() const { return a.distanceTo(b); }
};

struct BlockContents {
  std::vector<Seg> lines;
  std::vector<OdDbArcPtr> arcs;
  std::vector<OdDbSolidPtr> solids;
  std::vector<OdDbBlockReferencePtr> refs;
  std::vector<OdDbMTextPtr> texts;
  std::size_t count = 0;
};

inline BlockContents contentsOf(OdDbObjectId blockId) {
  BlockContents c;
  OdDbBlockTableRecordPtr block = blockId.safeOpenObject();
  for (OdDbBlockIteratorPtr it = block->newIterator(); !it->done(); it->step()) {
    OdSmartPtr<OdDbEntity> e = it->entity();
    ++c.count;
    if (auto l = OdDbLine::cast(e)) c.lines.push_back({l->startPoint(), l->endPoint(), l->color()});
    else if (auto a = OdDbArc::cast(e)) c.arcs.push_back(a);
    else if (auto s = OdDbSolid::cast(e)) c.solids.push_back(s);
    else if (auto r = OdDbBlockReference::cast(e)) c.refs.push_back(r);
    else if (auto t = OdDbMText::cast(e)) c.texts.push_back(t);
  }
  return c;
}

// A drawing whose dimensions build geometry.
struct Drawing {
  std::unique_ptr<OdDbDatabase> db;
  explicit Drawing(OdDb::MeasurementValue m = OdDb::kEnglish) : db(std::make_unique<OdDbDatabase>(m)) {
    render::installDimBlockBuilder();
  }
  template <class T>
  OdSmartPtr<T> add(OdSmartPtr<T> e) {
    OdDbBlockTableRecordPtr ms = db->getModelSpaceId().safeOpenObject(OdDb::kForWrite);
    e->setDatabaseDefaults(db.get());
    ms->appendOdDbEntity(e);
    return e;
  }
  // A horizontal dimension of the given length at height `above`.
  OdDbRotatedDimensionPtr linear(double length = 10, double above = 3) {
    OdDbRotatedDimensionPtr d = OdDbRotatedDimension::createObject();
    d->setXLine1Point({0, 0});
    d->setXLine2Point({length, 0});
    d->setDimLinePoint({length / 2, above});
    d->setDimensionStyle(db->getDimStyleStandardId());
    return add(d);
  }
};

// The primitives of one kind in a picture, in drawing order, those inside
// clips included.
template <class T>
std::vector<T> all(const render::DisplayList& l) {
  std::vector<T> out;
  for (const auto& p : l.items()) {
    if (auto* t = std::get_if<T>(&p)) out.push_back(*t);
    if constexpr (!std::is_same_v<T, render::ClipPrim>)
      if (auto* clip = std::get_if<render::ClipPrim>(&p); clip && clip->content) {
        std::vector<T> inside = all<T>(*clip->content);
        out.insert(out.end(), inside.begin(), inside.end());
      }
  }
  return out;
}

inline BlockContents rebuild(OdDbDimension* d) {
  d->recomputeDimBlock();
  return contentsOf(d->dimBlockId());
}

// Lines lying on y = const between x0 and x1 (both ends within tol).
inline std::vector<Seg> horizontalAt(const BlockContents& c, double y, double tol = 1e-9) {
  std::vector<Seg> out;
  for (const Seg& s : c.lines)
    if (std::fabs(s.a.y - y) < tol && std::fabs(s.b.y - y) < tol) out.push_back(s);
  return out;
}
inline std::vector<Seg> verticalAt(const BlockContents& c, double x, double tol = 1e-9) {
  std::vector<Seg> out;
  for (const Seg& s : c.lines)
    if (std::fabs(s.a.x - x) < tol && std::fabs(s.b.x - x) < tol) out.push_back(s);
  return out;
}

}  // namespace rt
