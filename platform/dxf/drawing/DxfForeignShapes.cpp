#include "DxfForeignShapes.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdint>
#include <numbers>

#include "DxfTagNumbers.h"

namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;

using dxftag::integer;
using dxftag::number;

// Calls `f` with each tag of the record's own data: application groups
// (102 "{...}") and extended data are not its values.
template <class F>
void eachValue(std::span<const DxfTag> tags, F f) {
  bool inGroup = false;
  for (std::size_t i = 1; i < tags.size(); ++i) {
    const DxfTag& t = tags[i];
    if (t.code >= 1000) break;
    if (t.code == 102) {
      inGroup = t.trimmed().starts_with("{");
      continue;
    }
    if (!inGroup) f(t);
  }
}

bool pointCode(const DxfTag& t, int base, OdGePoint3d& p) {
  if (t.code == base) p.x = number(t);
  else if (t.code == base + 10) p.y = number(t);
  else if (t.code == base + 20) p.z = number(t);
  else return false;
  return true;
}

// A colour as a multileader holds it: the method in the top byte (by
// layer, by block, true colour, index) and the value below. Others (the
// window's background) are read as by block.
OdCmColor rawColor(const DxfTag& t) {
  const auto v = std::uint32_t(integer(t));
  switch (v >> 24) {
    case OdCmColor::kByLayer: return OdCmColor();
    case OdCmColor::kByColor: return OdCmColor::fromRGB(OdUInt8(v >> 16), OdUInt8(v >> 8), OdUInt8(v));
    case OdCmColor::kByACI:
      if ((v & 0xFF) != 0) return OdCmColor::fromIndex(OdInt16(v & 0xFF));
      break;
    default: break;
  }
  return OdCmColor(OdCmColor::kByBlock);
}

enum VertexFlags { kFitControl = 16, kMeshVertex = 64, kFaceRecord = 128 };

}  // namespace

OdDbOldPolylinePtr dxfReadOldPolyline(std::span<const DxfTag> polyline,
                                      const std::vector<std::vector<DxfTag>>& vertices) {
  auto out = std::make_shared<OdDbOldPolyline>();
  double startWidth = 0, endWidth = 0;
  OdGePoint3d origin;
  OdGePoint3d normal(0, 0, 1);
  eachValue(polyline, [&](const DxfTag& t) {
    if (pointCode(t, 10, origin) || pointCode(t, 210, normal)) return;
    switch (t.code) {
      case 70: out->flags = integer(t); break;
      case 71: out->meshM = integer(t); break;
      case 72: out->meshN = integer(t); break;
      case 40: startWidth = number(t); break;
      case 41: endWidth = number(t); break;
      default: break;
    }
  });
  out->elevation = origin.z;
  if (const double l = std::hypot(normal.x, normal.y, normal.z); l > 0)
    out->normal = OdGeVector3d(normal.x / l, normal.y / l, normal.z / l);
  for (const std::vector<DxfTag>& record : vertices) {
    OdDbOldPolyline::Vertex v{{}, 0, startWidth, endWidth};
    int flags = 0;
    int corner[4] = {0, 0, 0, 0};
    eachValue(record, [&](const DxfTag& t) {
      if (pointCode(t, 10, v.at)) return;
      switch (t.code) {
        case 40: v.startWidth = number(t); break;
        case 41: v.endWidth = number(t); break;
        case 42: v.bulge = number(t); break;
        case 70: flags = integer(t); break;
        case 71: case 72: case 73: case 74: corner[t.code - 71] = integer(t); break;
        default: break;
      }
    });
    // A polyface's faces are vertex records without a position of their
    // own; a fitted polyline's frame points are not on its curve.
    if ((flags & kFaceRecord) && !(flags & kMeshVertex)) {
      OdDbOldPolyline::Face face;
      for (int i = 0; i < 4; ++i) {
        face.corner[i] = corner[i] == 0 ? -1 : int(std::llabs(std::int64_t(corner[i])) - 1);
        face.visible[i] = corner[i] > 0;
      }
      out->faces.push_back(face);
      continue;
    }
    if ((flags & kFitControl) && !(out->flags & OdDbOldPolyline::kMesh)) continue;
    out->vertices.push_back(v);
  }
  return out;
}

// The multi-line text an attribute embeds after its 101 marker, in the
// codes of an MTEXT record: the text (3 chunks, then 1), its insertion
// point (10), height (40), width (41), attachment (71), style (7), rotation
// (50 in degrees, else the direction 11/21) and line spacing (44, 73).
void readEmbeddedText(const DxfDocument& doc, const DxfTag& t, OdDbAttributeText::MultiLine& m, std::string& chunks,
                      OdGePoint3d& direction, bool& haveAngle) {
  if (pointCode(t, 10, m.location) || pointCode(t, 11, direction)) return;
  switch (t.code) {
    case 3: chunks += doc.text(t); break;
    case 1: m.contents = chunks + doc.text(t); break;
    case 7: m.style = doc.text(t); break;
    case 40: m.height = number(t); break;
    case 41: m.width = std::max(0.0, number(t)); break;
    case 71: m.attachment = std::clamp(integer(t), 1, 9); break;
    case 44: m.lineSpacing = number(t, 1.0); break;
    case 73: m.exactSpacing = integer(t) == 2; break;
    case 50:
      m.rotation = number(t) * kRadiansPerDegree;
      haveAngle = true;
      break;
    default: break;
  }
}

OdDbAttributeText dxfReadAttribute(const DxfDocument& doc, std::span<const DxfTag> tags) {
  OdDbAttributeText a;
  bool multiLine = false, trueColor = false, haveAngle = false;
  OdDbAttributeText::MultiLine embedded;
  std::string chunks;
  OdGePoint3d direction;
  std::string_view subclass;
  eachValue(tags, [&](const DxfTag& t) {
    if (t.code == 100) {
      subclass = t.trimmed();
      return;
    }
    if (t.code == 101) {
      multiLine = true;  // an embedded multi-line text reuses the codes below
      return;
    }
    if (multiLine) return readEmbeddedText(doc, t, embedded, chunks, direction, haveAngle);
    if (!multiLine && (subclass.empty() || subclass == "AcDbEntity")) {
      // Its own layer and colour, as any entity's.
      switch (t.code) {
        case 8: a.layer = doc.text(t); return;
        case 62:
          if (!trueColor) a.color = OdCmColor::fromIndex(OdInt16(std::clamp(integer(t), 0, 257)));
          return;
        case 420: {
          const auto v = std::uint32_t(integer(t));
          a.color = OdCmColor::fromRGB(OdUInt8(v >> 16), OdUInt8(v >> 8), OdUInt8(v));
          trueColor = true;
          return;
        }
        default: break;
      }
    }
    if (multiLine || (subclass == "AcDbEntity")) return;
    if (pointCode(t, 10, a.position) || pointCode(t, 11, a.alignmentPoint)) return;
    switch (t.code) {
      case 1: a.value = doc.text(t); break;
      case 2: a.tag = doc.text(t); break;
      case 7: a.style = doc.text(t); break;
      case 40: a.height = number(t); break;
      case 41: a.widthFactor = number(t); break;
      case 50: a.rotation = number(t) * kRadiansPerDegree; break;
      case 51: a.oblique = number(t) * kRadiansPerDegree; break;
      case 70: a.invisible = (integer(t) & 1) != 0; break;
      case 71:
        a.mirroredX = (integer(t) & 2) != 0;
        a.mirroredY = (integer(t) & 4) != 0;
        break;
      case 72: a.horizontalMode = integer(t); break;
      case 74: a.verticalMode = integer(t); break;
      default: break;
    }
  });
  if (multiLine) a.horizontalMode = a.verticalMode = 0;
  if (multiLine && !embedded.contents.empty()) {
    if (!haveAngle && (direction.x != 0 || direction.y != 0)) embedded.rotation = std::atan2(direction.y, direction.x);
    if (!(embedded.height > 0)) embedded.height = a.height;
    if (!(embedded.lineSpacing > 0)) embedded.lineSpacing = 1.0;
    a.multiLine = std::move(embedded);
  }
  return a;
}

void dxfReadInsertGrid(std::span<const DxfTag> tags, OdDbInsertExtras& extras) {
  eachValue(tags, [&](const DxfTag& t) {
    switch (t.code) {
      case 70: extras.columns = integer(t); break;
      case 71: extras.rows = integer(t); break;
      case 44: extras.columnSpacing = number(t); break;
      case 45: extras.rowSpacing = number(t); break;
      default: break;
    }
  });
  // A count below one is read as one copy, never as none: the insert
  // still shows.
  extras.columns = std::max(extras.columns, 1);
  extras.rows = std::max(extras.rows, 1);
}

// The record's own values (outside CONTEXT_DATA{ ... }) say whether lines
// and landings show; the context data holds the geometry, with each
// LEADER{ section's last point and dogleg and its LEADER_LINE{ vertices.
OdDbMultiLeaderShapePtr dxfReadMultiLeader(const DxfDocument& doc, std::span<const DxfTag> tags,
                                           const DxfHandleLookup& byHandle) {
  auto out = std::make_shared<OdDbMultiLeaderShape>();
  enum Where { kRecord, kContext, kLeader, kLine } where = kRecord;
  OdGePoint3d lastPoint, dogleg, textDirection, blockScale(1, 1, 1);
  double doglegLength = 0, recordArrow = 0;
  bool landing = true, haveDirection = false, ownValues = false, windowBackground = false;
  std::vector<std::vector<OdGePoint3d>> leaderLines;
  // Each line's own index (91 in LEADER_LINE{), by which an arrowhead of
  // its own names it; the arrowheads named so (94 index, 345 block).
  std::vector<int> lineIndex, leaderLineIndex;
  std::vector<OdCmColor> leaderLineColor;
  std::vector<std::pair<int, OdDbObjectId>> ownArrows;
  int arrowIndex = 0;
  auto handle = [&](const DxfTag& t) {
    std::uint64_t h = 0;
    return dxfParseHandle(t.trimmed(), h) && h != 0 ? byHandle(h) : OdDbObjectId();
  };
  auto endLeader = [&] {
    // Every line of a leader runs on to the leader's last point.
    for (std::size_t k = 0; k < leaderLines.size(); ++k) {
      std::vector<OdGePoint3d>& line = leaderLines[k];
      if (line.empty() || !(line.back() == lastPoint)) line.push_back(lastPoint);
      out->lines.push_back(std::move(line));
      lineIndex.push_back(k < leaderLineIndex.size() ? leaderLineIndex[k] : -1);
      out->lineColors.push_back(k < leaderLineColor.size() ? leaderLineColor[k] : OdCmColor(OdCmColor::kByBlock));
    }
    leaderLines.clear();
    leaderLineIndex.clear();
    leaderLineColor.clear();
    if (doglegLength != 0)
      out->landings.emplace_back(lastPoint, lastPoint + OdGeVector3d(dogleg.x, dogleg.y, dogleg.z) * doglegLength);
  };
  for (std::size_t i = 1; i < tags.size(); ++i) {
    const DxfTag& t = tags[i];
    if (t.code >= 1000) break;
    const std::string_view v = t.trimmed();
    if (where == kRecord && t.code == 300 && v == "CONTEXT_DATA{") where = kContext;
    else if (where == kContext && t.code == 302 && v == "LEADER{") {
      where = kLeader;
      lastPoint = dogleg = OdGePoint3d();
      doglegLength = 0;
    } else if (where == kLeader && t.code == 304 && v == "LEADER_LINE{") {
      where = kLine;
      leaderLines.emplace_back();
      leaderLineIndex.push_back(-1);
      leaderLineColor.emplace_back(OdCmColor::kByBlock);
    } else if (where == kLine && t.code == 305) where = kLeader;
    else if (where == kLeader && t.code == 303) {
      endLeader();
      where = kContext;
    } else if (where == kContext && t.code == 301) where = kRecord;
    else if (where == kLine) {
      if (t.code == 10) leaderLines.back().emplace_back(number(t), 0, 0);
      else if (t.code == 20 && !leaderLines.back().empty()) leaderLines.back().back().y = number(t);
      else if (t.code == 30 && !leaderLines.back().empty()) leaderLines.back().back().z = number(t);
      else if (t.code == 91) leaderLineIndex.back() = integer(t);
      else if (t.code == 92) leaderLineColor.back() = rawColor(t);
    } else if (where == kLeader) {
      if (pointCode(t, 10, lastPoint) || pointCode(t, 11, dogleg)) continue;
      if (t.code == 40) doglegLength = number(t);
    } else if (where == kContext) {
      if (pointCode(t, 12, out->textLocation) || pointCode(t, 15, out->blockPosition) ||
          pointCode(t, 16, blockScale))
        continue;
      if (pointCode(t, 13, textDirection)) {
        haveDirection = true;
        continue;
      }
      switch (t.code) {
        case 140: out->arrowSize = number(t); break;
        case 41: out->textHeight = number(t); break;
        case 42: out->textRotation = number(t); break;
        case 43: out->textWidth = number(t); break;
        case 171: out->textAlignment = integer(t); break;
        case 304: out->text = doc.text(t); break;
        case 290: out->hasText = integer(t) != 0; break;
        case 296: out->hasBlock = integer(t) != 0; break;
        case 340: out->textStyle = handle(t); break;
        case 341: out->block = handle(t); break;
        case 46: out->blockRotation = number(t); break;
        case 45: out->textLineSpacing = number(t, 1.0); break;
        case 170: out->textExactSpacing = integer(t) == 2; break;
        case 145: out->landingGap = number(t); break;
        case 292: out->textFill = integer(t) != 0; break;
        case 91: out->textFillColor = rawColor(t); break;
        case 291: windowBackground = integer(t) != 0; break;
        case 141: out->textFillScale = number(t); break;
        case 92: out->textFillOpacity = dxftag::opacity(t); break;
        default: break;
      }
    } else {
      if (t.code == 100) ownValues = v == "AcDbMLeader";
      // Before the multileader's own subclass (proxy graphics' sizes and
      // the like), the same codes mean other things.
      if (!ownValues && t.code >= 91 && t.code <= 94) continue;
      switch (t.code) {
        case 170: out->linesVisible = integer(t) != 0; break;
        case 42: recordArrow = number(t); break;
        case 290: landing = integer(t) != 0; break;
        case 91: out->lineColor = rawColor(t); break;
        case 92: out->textColor = rawColor(t); break;
        case 93: out->blockColor = rawColor(t); break;
        case 342: out->arrowBlock = handle(t); break;
        case 292:
          if (ownValues) out->textFrame = integer(t) != 0;
          break;
        case 94: arrowIndex = integer(t); break;
        case 345:
          if (const OdDbObjectId block = handle(t); !block.isNull()) ownArrows.emplace_back(arrowIndex, block);
          break;
        default: break;
      }
    }
  }
  if (where == kLine || where == kLeader) endLeader();  // a record cut short keeps what it has
  if (!landing) out->landings.clear();
  for (const auto& [index, block] : ownArrows)
    for (std::size_t k = 0; k < lineIndex.size(); ++k)
      if (lineIndex[k] == index) out->lineArrowBlocks.emplace_back(k, block);
  if (!(out->arrowSize > 0)) out->arrowSize = recordArrow;
  if (haveDirection && (textDirection.x != 0 || textDirection.y != 0))
    out->textRotation = std::atan2(textDirection.y, textDirection.x);
  out->blockScale = OdGeVector3d(blockScale.x, blockScale.y, blockScale.z);
  out->textAlignment = std::clamp(out->textAlignment, 1, 3);
  // The window's background is the picture's; a scale below one (files
  // write 0 when there is no fill) would shrink the box into the text.
  if (windowBackground) out->textFillColor = OdCmColor(OdCmColor::kByBlock);
  if (!(out->textFillScale >= 1)) out->textFillScale = 1.5;
  if (!(out->textLineSpacing > 0)) out->textLineSpacing = 1.0;
  return out;
}
