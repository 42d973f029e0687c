#include "dim_geometry.h"

#include <algorithm>
#include <string>

#include "OdDbBlockTableRecord.h"
#include "OdDbDatabase.h"
#include "OdDbEntities.h"
#include "OdDbTextStyleTableRecord.h"
#include "OdDmUtil.h"
#include "OdStringUtil.h"
#include "entity_update.h"
#include "font_metrics.h"

namespace render {

using namespace g2;

namespace {
// Points that are not numbers (a damaged file) draw nothing rather than
// garbage.
bool finite(const P& p) { return std::isfinite(p.x) && std::isfinite(p.y); }
bool finite(const V& v) { return std::isfinite(v.x) && std::isfinite(v.y); }

// The box around what the builders made, grown entity by entity. A point
// that is not a number, or a box too large for its size to be a number
// (sizes of 1e308), cannot be drawn or written.
struct Extent {
  double minX = 0, minY = 0, maxX = 0, maxY = 0;
  bool any = false, broken = false;
  void add(double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y)) {
      broken = true;
      return;
    }
    if (!any) minX = maxX = x, minY = maxY = y;
    minX = std::min(minX, x), maxX = std::max(maxX, x), minY = std::min(minY, y), maxY = std::max(maxY, y);
    any = true;
  }
  void add(const OdGePoint3d& p, double reach = 0) {
    if (!std::isfinite(reach)) broken = true;
    add(p.x - reach, p.y - reach);
    add(p.x + reach, p.y + reach);
  }
  bool drawable() const { return !broken && std::isfinite(maxX - minX) && std::isfinite(maxY - minY); }
};

void addToExtent(const OdDbEntity* e, Extent& x) {
  if (auto l = OdDbLine::cast(e)) return x.add(l->startPoint()), x.add(l->endPoint());
  if (auto a = OdDbArc::cast(e)) {
    if (!std::isfinite(a->startAngle()) || !std::isfinite(a->endAngle())) x.broken = true;
    return x.add(a->center(), a->radius());
  }
  if (auto s = OdDbSolid::cast(e)) {
    for (int i = 0; i < 4; ++i) x.add(s->pointAt(i));
    return;
  }
  if (auto t = OdDbMText::cast(e)) {
    if (!std::isfinite(t->rotation())) x.broken = true;
    // Generously wide: a character is never wider than twice its height.
    return x.add(t->location(), t->textHeight() * 2 * double(t->contents().size() + 1));
  }
  if (auto r = OdDbBlockReference::cast(e)) {
    const OdGeVector3d f = r->scaleFactors();
    if (!std::isfinite(r->rotation())) x.broken = true;
    return x.add(r->position(), std::max({std::fabs(f.x), std::fabs(f.y), std::fabs(f.z)}));
  }
}
}  // namespace

double DimTextBox::halfExtentAlong(double a) const {
  const double t = a - rotation;
  return width / 2 * std::fabs(std::cos(t)) + height / 2 * std::fabs(std::sin(t));
}

namespace {
thread_local DimCapture* t_capture = nullptr;
}

DimCapture::DimCapture(OdDbDatabase& drawing) : db(drawing), outer(t_capture) { t_capture = this; }
DimCapture::~DimCapture() { t_capture = outer; }

DimGeometry::DimGeometry(OdDbDimension* dim)
    : m_dim(dim), m_db(dim->database() ? dim->database() : t_capture ? &t_capture->db : nullptr) {
  if (!m_db) throw OdError(eNotInDatabase, "a dimension outside a drawing has no block");
  m_v = dim->effectiveDimVars();
  m_scale = m_v.scale > 0 ? m_v.scale : 1.0;
  m_textHeight = m_v.txt * m_scale;
  m_textStyle = m_v.txsty.isValid() ? m_v.txsty : m_db->getTextStyleStandardId();
  OdString file, face;
  if (auto ts = OdDbTextStyleTableRecord::cast(m_textStyle.openObject())) {
    // A style with a fixed height sets the text height; the overall scale
    // does not apply to it.
    if (ts->textSize() > 0) m_textHeight = ts->textSize();
    if (ts->xScale() > 0) m_widthFactor = ts->xScale();
    bool bold = false, italic = false;
    int charset = 0, pitch = 0;
    ts->font(face, bold, italic, charset, pitch);
    file = ts->fileName();
  }
  m_font = FontMetrics::shared().fontFor(file, face);
}

bool DimGeometry::ticks() const {
  if (m_v.tsz > 0) return true;
  const OdString name = qrv::foldCase(OdDmUtil::arrowName(arrowBlock(1)));
  return name == "_archtick" || name == "_oblique";
}

OdDbObjectId DimGeometry::arrowBlock(int end) const {
  if (!m_v.sah) return m_v.blk;
  return end == 1 ? m_v.blk1 : m_v.blk2;
}

TextLayout DimGeometry::layout(const std::string& contents) const {
  return layoutText(contents, m_textHeight, m_widthFactor, m_font);
}

DimTextBox DimGeometry::box(const std::string& contents, const P& centre, double rotation) const {
  const TextLayout l = layout(contents);
  return DimTextBox{centre, rotation, l.width, l.height};
}

void DimGeometry::style(OdDbEntity* e, DimPart part) const {
  e->setLayer(m_db->getLayerZeroId());
  OdCmColor color;
  OdDb::LineWeight lw = OdDb::kLnWtByBlock;
  OdDbObjectId linetype;
  switch (part) {
    case DimPart::DimensionLine:
      color = m_v.clrd;
      lw = m_v.lwd;
      linetype = m_v.ltype;
      break;
    case DimPart::ExtensionLine1:
    case DimPart::ExtensionLine2:
      color = m_v.clre;
      lw = m_v.lwe;
      linetype = part == DimPart::ExtensionLine1 ? m_v.ltex1 : m_v.ltex2;
      break;
    case DimPart::Text:
      color = m_v.clrt;
      lw = m_v.lwd;
      break;
  }
  e->setColor(color);
  // A file may hold a lineweight that is none of the standard ones
  // (DIMLWD 9999): its lines are drawn by block, the default.
  e->setLineWeight(OdDb::isValidLineWeight(lw) ? lw : OdDb::kLnWtByBlock);
  e->setLinetype(linetype.isValid() ? linetype : m_db->getLinetypeByBlockId());
}

void DimGeometry::line(const P& a, const P& b, DimPart part) {
  if (!finite(a) || !finite(b)) m_notFinite = true;
  if (!finite(a) || !finite(b) || a.distanceTo(b) < 1e-12) return;
  OdDbLinePtr l = OdDbLine::createObject();
  l->setStartPoint(flat(a));
  l->setEndPoint(flat(b));
  style(l.get(), part);
  m_out.push_back(l);
}

void DimGeometry::arc(const P& centre, double radius, double startAngle, double endAngle, DimPart part) {
  if (!finite(centre) || !(radius > 0) || !std::isfinite(radius) || !std::isfinite(startAngle) ||
      !std::isfinite(endAngle) || sweep(startAngle, endAngle) < 1e-12) {
    if (!finite(centre) || std::isinf(radius) || std::isnan(radius)) m_notFinite = true;
    return;
  }
  OdDbArcPtr a = OdDbArc::createObject();
  a->setCenter(flat(centre));
  a->setRadius(radius);
  a->setStartAngle(startAngle);
  a->setEndAngle(endAngle);
  style(a.get(), part);
  m_out.push_back(a);
}

void DimGeometry::arrow(const P& tip, const V& pointing, int end, const V& lineDir) {
  if (m_v.tsz > 0) {
    if (!finite(tip)) {
      m_notFinite = true;
      return;
    }
    // An oblique stroke through the end, leaning the same way at both ends.
    const V d = unit(lineDir);
    const V s = (d + perp(d)) * (tickSize() / 2);
    line(tip - s, tip + s, DimPart::DimensionLine);
    return;
  }
  const double size = arrowSize();
  if (!finite(tip) || !finite(pointing) || std::isnan(size)) m_notFinite = true;
  if (!(size > 0) || !finite(tip) || !finite(pointing)) return;
  const V u = unit(pointing);
  const OdDbObjectId block = arrowBlock(end);
  if (block.isNull()) {
    // The closed filled arrow has no block: a filled triangle.
    const V n = perp(u) * (size / 6);
    OdDbSolidPtr s = OdDbSolid::createObject();
    s->setPointAt(0, flat(tip));
    s->setPointAt(1, flat(tip - u * size + n));
    s->setPointAt(2, flat(tip - u * size - n));
    s->setPointAt(3, flat(tip - u * size - n));
    style(s.get(), DimPart::DimensionLine);
    m_out.push_back(s);
    return;
  }
  OdDbBlockReferencePtr ref = OdDbBlockReference::createObject();
  ref->setBlockTableRecord(block);
  ref->setPosition(flat(tip));
  ref->setRotation(angleOf(u));
  ref->setScaleFactors(OdGeVector3d(size, size, size));
  style(ref.get(), DimPart::DimensionLine);
  m_out.push_back(ref);
}

void DimGeometry::text(const std::string& contents, const DimTextBox& b) {
  if (!contents.empty() && (!finite(b.centre) || !std::isfinite(b.rotation))) m_notFinite = true;
  if (contents.empty() || !finite(b.centre) || !std::isfinite(b.rotation)) return;
  const V ux = dir(b.rotation), uy = perp(ux);
  const double g = gap();
  auto corner = [&](double sx, double sy) {
    return b.centre + ux * (sx * (b.width / 2 + g)) + uy * (sy * (b.height / 2 + g));
  };
  if (m_v.tfill == 1 || m_v.tfill == 2) {
    // The background mask: a solid of no colour is painted in the
    // picture's background colour.
    OdDbSolidPtr s = OdDbSolid::createObject();
    s->setPointAt(0, flat(corner(-1, -1)));
    s->setPointAt(1, flat(corner(1, -1)));
    s->setPointAt(2, flat(corner(-1, 1)));
    s->setPointAt(3, flat(corner(1, 1)));
    style(s.get(), DimPart::Text);
    s->setColor(m_v.tfill == 2 ? m_v.tfillclr : OdCmColor(OdCmColor::kNone));
    m_out.push_back(s);
  }
  OdDbMTextPtr t = OdDbMText::createObject();
  t->setContents(contents);
  t->setLocation(flat(b.centre));
  t->setAttachment(5);  // middle centre
  t->setTextHeight(m_textHeight);
  t->setRotation(b.rotation);
  t->setTextStyle(m_textStyle);
  style(t.get(), DimPart::Text);
  m_out.push_back(t);
  if (m_v.gap < 0) {
    const P c[4] = {corner(-1, -1), corner(1, -1), corner(1, 1), corner(-1, 1)};
    for (int i = 0; i < 4; ++i) line(c[i], c[(i + 1) % 4], DimPart::Text);
  }
}

void DimGeometry::centreMark(const P& c, double radius) {
  const double m = std::fabs(centreMark());
  if (!(m > 0)) return;
  const V x(1, 0, 0), y(0, 1, 0);
  line(c - x * m, c + x * m, DimPart::DimensionLine);
  line(c - y * m, c + y * m, DimPart::DimensionLine);
  if (m_v.cen < 0 && radius > 2 * m) {
    // Centre lines: after a gap as long as the mark, out past the circle.
    for (const V& d : {x, y, x * -1, y * -1}) line(c + d * (2 * m), c + d * (radius + m), DimPart::DimensionLine);
  }
}

OdDbObjectId DimGeometry::prepareBlock() {
  const OdDbObjectId current = m_dim->dimBlockId();
  if (current.isValid() && m_db->hardReferenceCount(current) <= 1) {
    OdDbBlockTableRecordPtr block = OdDbBlockTableRecord::cast(current.openObject());
    if (block && block->isAnonymous()) return current;  // our own block: drawn again
  }
  OdDbBlockTablePtr table = m_db->getBlockTableId().safeOpenObject(OdDb::kForWrite);
  std::string name = "*D" + std::to_string(m_dim->getDbHandle().value());
  for (int n = 1; table->has(name); ++n) {
    // This dimension's block, built since reading, that nothing uses any
    // more (an undo gave the dimension back a state from before it was
    // built): drawn again rather than left behind beside a new one. A
    // file's own blocks are never taken.
    const OdDbObjectId unused = table->getAt(name);
    OdDbBlockTableRecordPtr block = OdDbBlockTableRecord::cast(unused.openObject());
    if (block && block->isAnonymous() && block->fileRecord() == 0 && m_db->hardReferenceCount(unused) == 0)
      return unused;
    name = "*D" + std::to_string(m_dim->getDbHandle().value()) + "_" + std::to_string(n);
  }
  OdDbBlockTableRecordPtr block = OdDbBlockTableRecord::createObject();
  block->setNameAsStored(name);
  block->setStoredFlags(1);  // anonymous
  return table->add(block);
}

void DimGeometry::commit(const P& textPosition) {
  // Sizes so large that the geometry overflows (DIMSCALE 1e308) would give
  // a block of points that are not numbers, which no picture or file can
  // hold: the dimension keeps its old block and the caller hears why.
  Extent extent;
  for (const auto& e : m_out) addToExtent(e.get(), extent);
  if (m_notFinite || !finite(textPosition) || !extent.drawable()) {
    m_out.clear();
    throw OdError(eInvalidInput,
                  "its geometry would not be finite: its sizes are too large (DIMSCALE, DIMASZ, DIMTXT, DIMGAP ...)");
  }
  if (!m_dim->database()) {
    t_capture->entities = std::move(m_out);
    m_out.clear();
    return;
  }
  const OdDbObjectId id = prepareBlock();
  OdDbBlockTableRecordPtr block = id.safeOpenObject(OdDb::kForWrite);
  // The entities already there take the new data while their kinds match;
  // the rest of the old ones go and the rest of the new ones come.
  OdDbObjectIdArray old;
  for (OdDbBlockIteratorPtr it = block->newIterator(); !it->done(); it->step()) old.push_back(it->objectId());
  std::size_t kept = 0;
  for (; kept < old.size() && kept < m_out.size(); ++kept) {
    OdSmartPtr<OdDbEntity> e = OdDbEntity::cast(old[kept].openObject(OdDb::kForWrite));
    if (!e || !updateInPlace(e.get(), m_out[kept].get())) break;
  }
  for (std::size_t i = kept; i < old.size(); ++i)
    if (OdDbObjectPtr e = old[i].openObject(OdDb::kForWrite)) e->erase();
  block->reserveEntities(m_out.size() - kept);
  for (std::size_t i = kept; i < m_out.size(); ++i) block->appendOdDbEntity(m_out[i]);
  m_out.clear();
  if (m_dim->isUsingDefaultTextPosition() && m_dim->textPosition().distanceTo(textPosition) > 1e-9) {
    m_dim->setTextPosition(flat(textPosition));
    m_dim->useDefaultTextPosition();
  }
  m_dim->setDimBlockId(id);
}

}  // namespace render
