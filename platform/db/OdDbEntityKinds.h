#pragma once
// The entity classes the database models, listed once. Code that treats
// each kind in its own way (reading, writing, drawing) switches over
// OdDbEntityKind without a default, so that a kind added here is a build
// error wherever it still needs its case.
#include <span>

#include "OdDbEntity.h"

enum class OdDbEntityKind : unsigned char {
  kForeign,  // an entity of a class the database does not model (kept as read)
  kLine,
  kCircle,
  kArc,
  kPolyline,
  kText,
  kMText,
  kInsert,
  kPoint,
  kSolid,
  kEllipse,
  kSpline,
  kRay,
  kXline,
  kFace,
  kTrace,
  kDimension,  // every dimension class
  kLeader,
};

struct OdDbEntityClass {
  OdDbEntityKind kind;
  const OdRxClass* (*desc)();
  OdDbObjectPtr (*create)();
};

// Every concrete entity class of the database, plain entities first, then
// the dimension classes and the leader.
std::span<const OdDbEntityClass> odDbEntityClasses();

// The kind of an entity by its class; kForeign for classes not listed, and
// for no entity at all.
OdDbEntityKind odDbEntityKind(const OdDbEntity* e);
