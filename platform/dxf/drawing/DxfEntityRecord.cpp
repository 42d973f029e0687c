#include "DxfEntityRecord.h"

#include <cmath>
#include <numbers>

#include "DxfEntityForms.h"
#include "DxfRawRecord.h"
#include "OdDbDimension.h"
#include "OdDbEntities.h"
#include "OdDbLeader.h"

namespace dxfrecord {
namespace {
constexpr double kDegree = std::numbers::pi / 180.0;
}  // namespace

bool isSubRecord(std::string_view type) { return type == "VERTEX" || type == "SEQEND" || type == "ATTRIB"; }

bool pointTag(const DxfTag& t, int base, OdGePoint3d& p) {
  if (t.code == base)
    p.x = t.toDouble();
  else if (t.code == base + 10)
    p.y = t.toDouble();
  else if (t.code == base + 20)
    p.z = t.toDouble();
  else
    return false;
  return true;
}
bool vectorTag(const DxfTag& t, int base, OdGeVector3d& v) {
  OdGePoint3d p(v.x, v.y, v.z);
  if (!pointTag(t, base, p)) return false;
  v = OdGeVector3d(p.x, p.y, p.z);
  return true;
}

bool commonTag(const DxfDocument& doc, const DxfTag& t, std::string_view subclass, EntityCommon& c) {
  if (!subclass.empty() && subclass != "AcDbEntity") return false;
  switch (t.code) {
    case 8: c.layer = doc.text(t); return true;
    case 6: c.linetype = doc.text(t); return true;
    case 62:
      if (!c.hasTrueColor) c.color = OdCmColor::fromIndex(OdInt16(t.toInt()));
      return true;
    case 420: {
      const auto v = std::uint32_t(t.toInt());
      c.color = OdCmColor::fromRGB(OdUInt8(v >> 16), OdUInt8(v >> 8), OdUInt8(v));
      c.hasTrueColor = true;
      return true;
    }
    case 370: c.lineWeight = OdDb::LineWeight(t.toInt()); return true;
    case 48: c.linetypeScale = t.toDouble(); return true;
    case 60: c.invisible = t.toInt() != 0; return true;
  }
  return false;
}

PlainRefs parsePlain(OdDbEntity* ent, Kind kind, const DxfDocument& doc, TagView tags, std::size_t first,
                     std::size_t end) {
  PlainRefs refs;
  EntityCommon& c = refs.common;
  std::string_view sub;
  OdGePoint3d p10, p11, p12, p13;
  OdGeVector3d normal = OdGeVector3d::kZAxis(), scale(1, 1, 1);
  double v40 = 0, v41 = 1, v50 = 0, v51 = 0, v43 = 0, v38 = 0;
  bool have40 = false, have41 = false, have50 = false;
  int v70 = 0, v71 = 1, v72 = 0, v73 = 0;
  std::string text;
  std::string& name = refs.name;
  std::vector<OdDbPolyline::Vertex> vertices;
  for (std::size_t i = first; i < end; ++i) {
    const DxfTag& t = tags[i];
    if (t.code == 100) {
      sub = t.trimmed();
      continue;
    }
    // An embedded object (MTEXT's columns and the like) reuses 10, 11, 40
    // and 41 for its own values; the record's own end before it, and the
    // writer keeps it as it was.
    if (t.code == 101) break;
    if (commonTag(doc, t, sub, c)) continue;
    if (kind == Kind::kPolyline) {
      switch (t.code) {
        case 10: vertices.push_back({t.toDouble(), 0, 0}); continue;
        case 20: if (!vertices.empty()) vertices.back().y = t.toDouble(); continue;
        case 42: if (!vertices.empty()) vertices.back().bulge = t.toDouble(); continue;
        case 70: v70 = int(t.toInt()); continue;
        case 43: v43 = t.toDouble(); continue;
        case 38: v38 = t.toDouble(); continue;
      }
      continue;
    }
    if (pointTag(t, 10, p10) || pointTag(t, 11, p11) || pointTag(t, 12, p12) || pointTag(t, 13, p13) ||
        vectorTag(t, 210, normal))
      continue;
    switch (t.code) {
      case 1: text = doc.text(t) + text; break;  // MText: 3 chunks come first
      case 3: text += doc.text(t); break;
      case 2: case 7: name = doc.text(t); break;
      case 40: v40 = t.toDouble(), have40 = true; break;
      case 41: v41 = t.toDouble(), have41 = true, scale.x = v41; break;
      case 42: scale.y = t.toDouble(); break;
      case 43: scale.z = t.toDouble(); break;
      case 50: v50 = t.toDouble(), have50 = true; break;
      case 51: v51 = t.toDouble(); break;
      case 71: v71 = int(t.toInt()); break;
      case 72: v72 = int(t.toInt()); break;
      case 73: v73 = int(t.toInt()); break;
    }
  }
  if (kind == Kind::kLine) {
    auto* e = static_cast<OdDbLine*>(ent);
    e->setStartPoint(p10), e->setEndPoint(p11);
  } else if (kind == Kind::kCircle) {
    auto* e = static_cast<OdDbCircle*>(ent);
    e->setCenter(p10), e->setNormal(normal);
    if (v40 > 0) e->setRadius(v40);
  } else if (kind == Kind::kArc) {
    auto* e = static_cast<OdDbArc*>(ent);
    e->setCenter(p10), e->setNormal(normal);
    if (v40 > 0) e->setRadius(v40);
    e->setStartAngle(v50 * kDegree), e->setEndAngle(v51 * kDegree);
  } else if (kind == Kind::kPolyline) {
    auto* e = static_cast<OdDbPolyline*>(ent);
    for (unsigned i = 0; i < vertices.size(); ++i) e->addVertexAt(i, vertices[i].x, vertices[i].y, vertices[i].bulge);
    e->setClosed((v70 & 1) != 0), e->setConstantWidth(v43), e->setElevation(v38);
  } else if (kind == Kind::kText) {
    auto* e = static_cast<OdDbText*>(ent);
    e->setPosition(p10), e->setAlignmentPoint(p11), e->setTextString(text);
    if (have40) e->setHeight(v40);
    if (have41) e->setWidthFactor(v41);
    e->setRotation(v50 * kDegree), e->setHorizontalMode(OdInt16(v72)), e->setVerticalMode(OdInt16(v73));
  } else if (kind == Kind::kMText) {
    auto* e = static_cast<OdDbMText*>(ent);
    e->setLocation(p10), e->setContents(text);
    if (have40) e->setTextHeight(v40);
    if (have41) e->setWidth(v41);
    // Group 50 is in degrees (whatever some references say); without it a
    // direction vector (11) gives the rotation.
    e->setRotation(have50 || (p11.x == 0 && p11.y == 0) ? v50 * kDegree : std::atan2(p11.y, p11.x));
    e->setAttachment(OdInt16(v71));
  } else if (kind == Kind::kInsert) {
    auto* e = static_cast<OdDbBlockReference*>(ent);
    e->setPosition(p10), e->setRotation(v50 * kDegree), e->setScaleFactors(scale);
  } else if (kind == Kind::kPoint) {
    auto* e = static_cast<OdDbPoint*>(ent);
    e->setPosition(p10);
  } else if (kind == Kind::kSolid) {
    auto* e = static_cast<OdDbSolid*>(ent);
    e->setPointAt(0, p10), e->setPointAt(1, p11), e->setPointAt(2, p12), e->setPointAt(3, p13);
  }
  return refs;
}

OdDbObjectPtr makeEntity(std::string_view t, TagView tags, Kind& kind) {
  kind = Kind::kForeign;
  if (isSubRecord(t)) return DxfRawObject::createObject();
  int dimensionType = -1;
  if (t == "DIMENSION")
    for (const DxfTag& tag : tags)
      if (tag.code == 70) {
        dimensionType = int(tag.toInt() & 15);
        break;
      }
  const DxfEntityForm* form = dxfEntityFormOfRecord(t, dimensionType);
  if (!form) {
    OdSmartPtr<DxfRawEntity> raw = DxfRawEntity::createObject();
    raw->setForeignType(t);
    return raw;
  }
  kind = form->kind();
  return form->entityClass->create();
}

bool isPlain(Kind kind) {
  switch (kind) {
    case Kind::kLine:
    case Kind::kCircle:
    case Kind::kArc:
    case Kind::kPolyline:
    case Kind::kText:
    case Kind::kMText:
    case Kind::kInsert:
    case Kind::kPoint:
    case Kind::kSolid: return true;
    case Kind::kForeign:
    case Kind::kDimension:
    case Kind::kLeader: return false;
  }
  return false;
}

std::size_t xdataStart(TagView tags) {
  for (std::size_t i = 1; i < tags.size(); ++i)
    if (tags[i].code >= 1000) return i;
  return tags.size();
}

}  // namespace dxfrecord
