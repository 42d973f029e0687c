#include "DxfDimAssocRecord.h"

#include "DxfError.h"

namespace {

OdDbHandle handleOf(const DxfTag& t) { return OdDbHandle(t.toHandle()); }

}  // namespace

void dxfReadDimAssoc(const DxfDocument& doc, std::span<const DxfTag> tags, std::size_t end, OdDbDimAssoc& assoc,
                     const std::function<void(std::uint32_t, const std::string&)>& warn) {
  bool inSubclass = false, dimensionSeen = false;
  OdInt32 flags = 0;
  std::vector<std::pair<std::uint32_t, OdDbOsnapPointRef>> refs;  // line of the class name, reference
  for (std::size_t i = 1; i < end && i < tags.size(); ++i) {
    const DxfTag& t = tags[i];
    if (t.code == 100) {
      inSubclass = t.trimmed() == "AcDbDimAssoc";
      continue;
    }
    if (!inSubclass) continue;
    OdDbOsnapPointRef* ref = refs.empty() ? nullptr : &refs.back().second;
    switch (t.code) {
      case 330:
        if (!dimensionSeen) assoc.setDimension(handleOf(t)), dimensionSeen = true;
        break;
      case 90: flags = OdInt32(t.toInt()); break;
      case 70: assoc.setTransSpace(t.toInt() != 0); break;
      case 71: assoc.setRotatedDimType(OdInt16(t.toInt())); break;
      case 1: refs.emplace_back(t.valueLine(), OdDbOsnapPointRef()); break;
      default:
        if (!ref) break;  // kept as read by the writer
        switch (t.code) {
          case 72: ref->osnapType = OdDbOsnapType(t.toInt()); break;
          case 331: ref->mainObjects.push_back(handleOf(t)); break;
          case 73: ref->subentType = OdInt16(t.toInt()); break;
          case 91: ref->gsMarker = OdInt32(t.toInt()); break;
          case 301: ref->xrefPaths.push_back(doc.text(t)); break;
          case 40: ref->geomParam = t.toDouble(); break;
          case 10: ref->point.x = t.toDouble(); break;
          case 20: ref->point.y = t.toDouble(); break;
          case 30: ref->point.z = t.toDouble(); break;
          case 332: ref->intersectObjects.push_back(handleOf(t)); break;
          case 74: ref->intSubentType = OdInt16(t.toInt()); break;
          case 92: ref->intGsMarker = OdInt32(t.toInt()); break;
          case 302: ref->intXrefPaths.push_back(doc.text(t)); break;
          case 75: ref->hasLastPointRef = t.toInt() != 0; break;
          default: break;
        }
    }
  }
  // The references belong to the points whose bits are set, in order.
  int point = 0;
  for (auto& [line, ref] : refs) {
    while (point < OdDbDimAssoc::kPoints && !(flags & (1 << point))) ++point;
    if (point >= OdDbDimAssoc::kPoints) {
      warn(line, "DIMASSOC: more point references than its flags (90) name; the reference is left out");
      continue;
    }
    assoc.setPointRef(point++, ref);
  }
}

void dxfWriteDimAssoc(DxfOut& out, const OdDbDimAssoc& a) {
  out.w.handle(330, a.dimension().value());
  out.w.integer(90, a.associativityFlags());
  out.w.integer(70, a.transSpace() ? 1 : 0);
  out.w.integer(71, a.rotatedDimType());
  for (int i = 0; i < OdDbDimAssoc::kPoints; ++i) {
    const auto& ref = a.pointRef(i);
    if (!ref) continue;
    out.w.text(1, "AcDbOsnapPointRef");
    out.w.integer(72, static_cast<int>(ref->osnapType));
    for (OdDbHandle h : ref->mainObjects) out.w.handle(331, h.value());
    out.w.integer(73, ref->subentType);
    out.w.integer(91, ref->gsMarker);
    for (const OdString& path : ref->xrefPaths) out.str(301, path);
    out.w.real(40, ref->geomParam);
    out.point(10, ref->point);
    for (OdDbHandle h : ref->intersectObjects) out.w.handle(332, h.value());
    if (ref->intSubentType) out.w.integer(74, *ref->intSubentType);
    if (ref->intGsMarker) out.w.integer(92, *ref->intGsMarker);
    for (const OdString& path : ref->intXrefPaths) out.str(302, path);
    out.w.integer(75, ref->hasLastPointRef ? 1 : 0);
  }
}
