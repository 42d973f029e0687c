#pragma once
// The plain entities: lines, arcs, circles, polylines, text, block
// references, points and solids.
#include "OdDbEntity.h"
#include "OdGePoint3d.h"

#define ODDB_ENT_FIELD(Type, getter, setter, initial) \
public:                                               \
  Type getter() const { return m_##getter; }          \
  void setter(const Type& v) {                        \
    assertWriteEnabled();                             \
    m_##getter = v;                                   \
  }                                                   \
                                                      \
private:                                              \
  Type m_##getter = initial;

class OdDbLine : public OdDbEntity {
  ODDB_DECLARE_MEMBERS(OdDbLine)
  ODDB_ENT_FIELD(OdGePoint3d, startPoint, setStartPoint, {})
  ODDB_ENT_FIELD(OdGePoint3d, endPoint, setEndPoint, {})
};
using OdDbLinePtr = OdSmartPtr<OdDbLine>;

class OdDbCircle : public OdDbEntity {
  ODDB_DECLARE_MEMBERS(OdDbCircle)
  ODDB_ENT_FIELD(OdGePoint3d, center, setCenter, {})
  ODDB_ENT_FIELD(OdGeVector3d, normal, setNormal, OdGeVector3d::kZAxis())
public:
  double radius() const { return m_radius; }
  void setRadius(double r);

private:
  double m_radius = 1.0;
};
using OdDbCirclePtr = OdSmartPtr<OdDbCircle>;

class OdDbArc : public OdDbEntity {
  ODDB_DECLARE_MEMBERS(OdDbArc)
  ODDB_ENT_FIELD(OdGePoint3d, center, setCenter, {})
  ODDB_ENT_FIELD(double, startAngle, setStartAngle, 0.0)
  ODDB_ENT_FIELD(double, endAngle, setEndAngle, 0.0)
  ODDB_ENT_FIELD(OdGeVector3d, normal, setNormal, OdGeVector3d::kZAxis())
public:
  double radius() const { return m_radius; }
  void setRadius(double r);

private:
  double m_radius = 1.0;
};
using OdDbArcPtr = OdSmartPtr<OdDbArc>;

// Lightweight polyline: 2D vertices with bulges (tan of a quarter of the
// included angle of the arc to the next vertex), widths at the start and
// end of the segment each starts (0 and 0: the constant width), and
// optional closure.
class OdDbPolyline : public OdDbEntity {
  ODDB_DECLARE_MEMBERS(OdDbPolyline)
  ODDB_ENT_FIELD(bool, isClosed, setClosed, false)
  ODDB_ENT_FIELD(double, elevation, setElevation, 0.0)
  ODDB_ENT_FIELD(double, constantWidth, setConstantWidth, 0.0)
  // The plane its vertices (and elevation) are given in.
  ODDB_ENT_FIELD(OdGeVector3d, normal, setNormal, OdGeVector3d::kZAxis())
public:
  struct Vertex {
    double x = 0, y = 0, bulge = 0;
    double startWidth = 0, endWidth = 0;
  };
  unsigned numVerts() const { return unsigned(m_vertices.size()); }
  void addVertexAt(unsigned index, double x, double y, double bulge = 0.0);
  Vertex vertexAt(unsigned index) const;
  void setPointAt(unsigned index, double x, double y);
  const std::vector<Vertex>& vertices() const { return m_vertices; }
  void setBulgeAt(unsigned index, double bulge);
  void setWidthsAt(unsigned index, double startWidth, double endWidth);
  // Whether some segment has widths of its own.
  bool hasVertexWidths() const;

private:
  std::vector<Vertex> m_vertices;
};
using OdDbPolylinePtr = OdSmartPtr<OdDbPolyline>;

class OdDbText : public OdDbEntity {
  ODDB_DECLARE_MEMBERS(OdDbText)
  ODDB_ENT_FIELD(OdGePoint3d, position, setPosition, {})
  ODDB_ENT_FIELD(OdGePoint3d, alignmentPoint, setAlignmentPoint, {})
  ODDB_ENT_FIELD(OdString, textString, setTextString, {})
  ODDB_ENT_FIELD(double, height, setHeight, 0.2)
  ODDB_ENT_FIELD(double, rotation, setRotation, 0.0)
  ODDB_ENT_FIELD(double, widthFactor, setWidthFactor, 1.0)
  ODDB_ENT_FIELD(OdInt16, horizontalMode, setHorizontalMode, 0)
  ODDB_ENT_FIELD(OdInt16, verticalMode, setVerticalMode, 0)
  // Radians the characters lean to the right (the style's obliquing).
  ODDB_ENT_FIELD(double, oblique, setOblique, 0.0)
  // 2: mirrored left to right (backward); 4: upside down.
  ODDB_ENT_FIELD(OdInt16, generationFlags, setGenerationFlags, 0)
  // The plane its points and rotation are given in.
  ODDB_ENT_FIELD(OdGeVector3d, normal, setNormal, OdGeVector3d::kZAxis())
public:
  OdDbObjectId textStyle() const { return m_style; }
  void setTextStyle(OdDbObjectId style) { setHardRef(m_style, style); }
  void forEachHardRef(OdDbRefVisitor& v) const override;
  // Line spacing, background and columns as the record that was read holds
  // them (null: single spacing, no background, one column); for drawing
  // only, the record keeps them for writing.
  OdDbMTextLookPtr look() const { return m_look; }
  void setLook(OdDbMTextLookPtr look) { m_look = std::move(look); }

private:
  OdDbObjectId m_style;
  OdDbMTextLookPtr m_look;
};
using OdDbTextPtr = OdSmartPtr<OdDbText>;

// Multi-line text with inline formatting codes (stacked fractions "\S1/2;",
// paragraphs "\P", ...).
class OdDbMText : public OdDbEntity {
  ODDB_DECLARE_MEMBERS(OdDbMText)
  ODDB_ENT_FIELD(OdGePoint3d, location, setLocation, {})
  ODDB_ENT_FIELD(OdString, contents, setContents, {})
  ODDB_ENT_FIELD(double, textHeight, setTextHeight, 0.2)
  ODDB_ENT_FIELD(double, width, setWidth, 0.0)
  ODDB_ENT_FIELD(double, rotation, setRotation, 0.0)
  ODDB_ENT_FIELD(OdInt16, attachment, setAttachment, 1)  // 1 top left .. 9 bottom right
public:
  OdDbObjectId textStyle() const { return m_style; }
  void setTextStyle(OdDbObjectId style) { setHardRef(m_style, style); }
  void forEachHardRef(OdDbRefVisitor& v) const override;
  // Line spacing, background and columns as the record that was read holds
  // them (null: single spacing, no background, one column); for drawing
  // only, the record keeps them for writing.
  OdDbMTextLookPtr look() const { return m_look; }
  void setLook(OdDbMTextLookPtr look) { m_look = std::move(look); }

private:
  OdDbObjectId m_style;
  OdDbMTextLookPtr m_look;
};
using OdDbMTextPtr = OdSmartPtr<OdDbMText>;

class OdDbBlockReference : public OdDbEntity {
  ODDB_DECLARE_MEMBERS(OdDbBlockReference)
  ODDB_ENT_FIELD(OdGePoint3d, position, setPosition, {})
  ODDB_ENT_FIELD(double, rotation, setRotation, 0.0)
  ODDB_ENT_FIELD(OdGeVector3d, scaleFactors, setScaleFactors, OdGeVector3d(1, 1, 1))
  // The plane its position and rotation are given in.
  ODDB_ENT_FIELD(OdGeVector3d, normal, setNormal, OdGeVector3d::kZAxis())
public:
  OdDbObjectId blockTableRecord() const { return m_block; }
  void setBlockTableRecord(OdDbObjectId block) { setHardRef(m_block, block); }
  void forEachHardRef(OdDbRefVisitor& v) const override;
  // Attributes and grid as the record that was read holds them (null for a
  // plain insert); for drawing only, the record keeps them for writing.
  OdDbInsertExtrasPtr insertExtras() const { return m_extras; }
  void setInsertExtras(OdDbInsertExtrasPtr extras) { m_extras = std::move(extras); }

private:
  OdDbObjectId m_block;
  OdDbInsertExtrasPtr m_extras;
};
using OdDbBlockReferencePtr = OdSmartPtr<OdDbBlockReference>;

class OdDbPoint : public OdDbEntity {
  ODDB_DECLARE_MEMBERS(OdDbPoint)
  ODDB_ENT_FIELD(OdGePoint3d, position, setPosition, {})
};
using OdDbPointPtr = OdSmartPtr<OdDbPoint>;

// A filled triangle or quadrilateral (arrowheads are made of these).
class OdDbSolid : public OdDbEntity {
  ODDB_DECLARE_MEMBERS(OdDbSolid)
  // The plane its corners are given in.
  ODDB_ENT_FIELD(OdGeVector3d, normal, setNormal, OdGeVector3d::kZAxis())
public:
  OdGePoint3d pointAt(int i) const { return m_points[i & 3]; }
  void setPointAt(int i, const OdGePoint3d& p);

private:
  OdGePoint3d m_points[4];
};
using OdDbSolidPtr = OdSmartPtr<OdDbSolid>;
