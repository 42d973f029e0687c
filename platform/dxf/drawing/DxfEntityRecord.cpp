#include "DxfEntityRecord.h"

#include "DxfEntityForms.h"
#include "DxfRawRecord.h"

namespace dxfrecord {
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

EntityRefs readEntityFields(OdDbEntity* ent, const DxfEntityForm& form, const DxfDocument& doc, TagView tags,
                            std::size_t first, std::size_t end) {
  EntityRefs out;
  DxfFieldRead r{doc, {}, {}, {}, 0};
  std::string_view sub;
  // Under a marker of the form, a code is the field of that subclass (a
  // dimension's 70 and an arc length's 70 differ); without markers (R12),
  // or under a marker the form does not know, the first field naming it.
  const DxfFieldsByCode* fields = &form.byCode;
  std::size_t i = first;
  for (; i < end; ++i) {
    const DxfTag& t = tags[i];
    if (t.code == 100) {
      sub = t.trimmed();
      fields = &form.byCode;
      for (const auto& [marker, own] : form.byMarker)
        if (marker == sub) fields = &own;
      continue;
    }
    // An embedded object (MTEXT's columns and the like) reuses 10, 11, 40
    // and 41 for its own values; the record's own end before it, and the
    // writer keeps it as it was.
    if (t.code == 101) break;
    if (commonTag(doc, t, sub, out.common)) continue;
    const DxfField* f = fields->find(t.code);
    if (!f) continue;
    if (f->ref)
      r.setRef(f, f->ref->table == 'H' ? std::string() : doc.text(t), t);
    else if (f->read)
      f->read(ent, t, r);
  }
  r.tags = tags.subspan(first, i - first);
  for (const DxfField* f : form.readAllFields) f->readAll(ent, r);
  for (const DxfField* f : form.finishFields) f->finish(ent, r);
  out.refs = std::move(r.refs);
  out.warnings = std::move(r.warnings);
  return out;
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
    case Kind::kSolid:
    case Kind::kEllipse:
    case Kind::kSpline:
    case Kind::kRay:
    case Kind::kXline:
    case Kind::kFace:
    case Kind::kTrace: return true;
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
