#pragma once
// Dimensions: a measured value drawn with extension lines, a dimension
// line, arrows and text, all governed by the dimension variables.
#include "OdDbDimStyleEntity.h"
#include "OdGePoint3d.h"

class OdDbDimension : public OdDbDimStyleEntity {
  ODDB_DECLARE_ABSTRACT(OdDbDimension)
public:
  // The text override; "" shows the measurement, "<>" inside it stands for
  // the measured value.
  const OdString& dimensionText() const { return m_text; }
  void setDimensionText(const OdString& text);

  OdGePoint3d textPosition() const { return m_textPosition; }
  // Moving the text makes it user-positioned.
  void setTextPosition(const OdGePoint3d& p);
  bool isUsingDefaultTextPosition() const { return !m_userTextPosition; }
  void useDefaultTextPosition();
  void useSetTextPosition();

  double textRotation() const { return m_textRotation; }
  void setTextRotation(double radians);
  double horizontalRotation() const { return m_horizontalRotation; }
  void setHorizontalRotation(double radians);

  OdGeVector3d normal() const { return m_normal; }
  void setNormal(const OdGeVector3d& n);

  // The measured value: a length in drawing units, or an angle in radians.
  virtual double getMeasurement() const = 0;

  // The anonymous block holding the drawn geometry.
  OdDbObjectId dimBlockId() const { return m_block; }
  void setDimBlockId(OdDbObjectId block);
  // True when the geometry no longer matches the dimension's data.
  bool isDimBlockOutOfDate() const { return m_blockOutOfDate; }
  // Rebuilds the geometry block from the current data and variables.
  void recomputeDimBlock(bool forceUpdate = true);

  void forEachHardRef(OdDbRefVisitor& visitor) const override;

  // The geometry builder installed by the rendering layer; without one the
  // block is only marked out of date.
  using DimBlockBuilder = void (*)(OdDbDimension* dimension);
  static void setDimBlockBuilder(DimBlockBuilder builder);

protected:
  OdDbDimension() = default;
  void dimVarsChanged() override { m_blockOutOfDate = true; }
  // Geometry setters of subclasses call this.
  void geometryChanged() {
    assertWriteEnabled();
    m_blockOutOfDate = true;
  }

private:
  OdString m_text;
  OdGePoint3d m_textPosition;
  OdGeVector3d m_normal = OdGeVector3d::kZAxis();
  double m_textRotation = 0.0, m_horizontalRotation = 0.0;
  OdDbObjectId m_block;
  bool m_userTextPosition = false;
  bool m_blockOutOfDate = true;
};
using OdDbDimensionPtr = OdSmartPtr<OdDbDimension>;

// Declares a point member with its getter and setter.
#define ODDB_DIM_POINT(getter, setter)                       \
public:                                                      \
  OdGePoint3d getter() const { return m_##getter; }          \
  void setter(const OdGePoint3d& p) {                        \
    geometryChanged();                                       \
    m_##getter = p;                                          \
  }                                                          \
                                                             \
private:                                                     \
  OdGePoint3d m_##getter;

#define ODDB_DIM_DOUBLE(getter, setter, initial)             \
public:                                                      \
  double getter() const { return m_##getter; }               \
  void setter(double v) {                                    \
    geometryChanged();                                       \
    m_##getter = v;                                          \
  }                                                          \
                                                             \
private:                                                     \
  double m_##getter = initial;

// A linear dimension measured along an arbitrary rotation.
class OdDbRotatedDimension : public OdDbDimension {
  ODDB_DECLARE_MEMBERS(OdDbRotatedDimension)
  ODDB_DIM_POINT(xLine1Point, setXLine1Point)
  ODDB_DIM_POINT(xLine2Point, setXLine2Point)
  ODDB_DIM_POINT(dimLinePoint, setDimLinePoint)
  ODDB_DIM_DOUBLE(rotation, setRotation, 0.0)
  ODDB_DIM_DOUBLE(oblique, setOblique, 0.0)
public:
  double getMeasurement() const override;
};
using OdDbRotatedDimensionPtr = OdSmartPtr<OdDbRotatedDimension>;

// A linear dimension measured along the line through its two points.
class OdDbAlignedDimension : public OdDbDimension {
  ODDB_DECLARE_MEMBERS(OdDbAlignedDimension)
  ODDB_DIM_POINT(xLine1Point, setXLine1Point)
  ODDB_DIM_POINT(xLine2Point, setXLine2Point)
  ODDB_DIM_POINT(dimLinePoint, setDimLinePoint)
  ODDB_DIM_DOUBLE(oblique, setOblique, 0.0)
public:
  double getMeasurement() const override;
};
using OdDbAlignedDimensionPtr = OdSmartPtr<OdDbAlignedDimension>;

// The length along an arc.
class OdDbArcDimension : public OdDbDimension {
  ODDB_DECLARE_MEMBERS(OdDbArcDimension)
  ODDB_DIM_POINT(center, setCenter)
  ODDB_DIM_POINT(xLine1Point, setXLine1Point)
  ODDB_DIM_POINT(xLine2Point, setXLine2Point)
  ODDB_DIM_POINT(arcPoint, setArcPoint)
  ODDB_DIM_POINT(leader1Point, setLeader1Point)
  ODDB_DIM_POINT(leader2Point, setLeader2Point)
  ODDB_DIM_DOUBLE(arcStartParam, setArcStartParam, 0.0)
  ODDB_DIM_DOUBLE(arcEndParam, setArcEndParam, 0.0)
public:
  bool isPartial() const { return m_partial; }
  void setIsPartial(bool partial) {
    geometryChanged();
    m_partial = partial;
  }
  bool hasLeader() const { return m_hasLeader; }
  void setHasLeader(bool leader) {
    geometryChanged();
    m_hasLeader = leader;
  }
  double getMeasurement() const override;

private:
  bool m_partial = false, m_hasLeader = false;
};
using OdDbArcDimensionPtr = OdSmartPtr<OdDbArcDimension>;

// A diameter across a circle or arc: from one chord point to the far one.
class OdDbDiametricDimension : public OdDbDimension {
  ODDB_DECLARE_MEMBERS(OdDbDiametricDimension)
  ODDB_DIM_POINT(chordPoint, setChordPoint)
  ODDB_DIM_POINT(farChordPoint, setFarChordPoint)
  ODDB_DIM_DOUBLE(leaderLength, setLeaderLength, 0.0)
public:
  double getMeasurement() const override;
};
using OdDbDiametricDimensionPtr = OdSmartPtr<OdDbDiametricDimension>;

// A radius from the centre to a point on the curve.
class OdDbRadialDimension : public OdDbDimension {
  ODDB_DECLARE_MEMBERS(OdDbRadialDimension)
  ODDB_DIM_POINT(center, setCenter)
  ODDB_DIM_POINT(chordPoint, setChordPoint)
  ODDB_DIM_DOUBLE(leaderLength, setLeaderLength, 0.0)
public:
  double getMeasurement() const override;
};
using OdDbRadialDimensionPtr = OdSmartPtr<OdDbRadialDimension>;

// The angle between two lines.
class OdDb2LineAngularDimension : public OdDbDimension {
  ODDB_DECLARE_MEMBERS(OdDb2LineAngularDimension)
  ODDB_DIM_POINT(xLine1Start, setXLine1Start)
  ODDB_DIM_POINT(xLine1End, setXLine1End)
  ODDB_DIM_POINT(xLine2Start, setXLine2Start)
  ODDB_DIM_POINT(xLine2End, setXLine2End)
  ODDB_DIM_POINT(arcPoint, setArcPoint)
public:
  double getMeasurement() const override;
};
using OdDb2LineAngularDimensionPtr = OdSmartPtr<OdDb2LineAngularDimension>;

// The angle at a vertex between two points.
class OdDb3PointAngularDimension : public OdDbDimension {
  ODDB_DECLARE_MEMBERS(OdDb3PointAngularDimension)
  ODDB_DIM_POINT(centerPoint, setCenterPoint)
  ODDB_DIM_POINT(xLine1Point, setXLine1Point)
  ODDB_DIM_POINT(xLine2Point, setXLine2Point)
  ODDB_DIM_POINT(arcPoint, setArcPoint)
public:
  double getMeasurement() const override;
};
using OdDb3PointAngularDimensionPtr = OdSmartPtr<OdDb3PointAngularDimension>;

// The X or Y distance of a feature from an origin.
class OdDbOrdinateDimension : public OdDbDimension {
  ODDB_DECLARE_MEMBERS(OdDbOrdinateDimension)
  ODDB_DIM_POINT(origin, setOrigin)
  ODDB_DIM_POINT(definingPoint, setDefiningPoint)
  ODDB_DIM_POINT(leaderEndPoint, setLeaderEndPoint)
public:
  bool isUsingXAxis() const { return m_xAxis; }
  void useXAxis() {
    geometryChanged();
    m_xAxis = true;
  }
  void useYAxis() {
    geometryChanged();
    m_xAxis = false;
  }
  double getMeasurement() const override;

private:
  bool m_xAxis = true;
};
using OdDbOrdinateDimensionPtr = OdSmartPtr<OdDbOrdinateDimension>;

// A large radius: the dimension line is jogged so that it need not reach
// a centre far off the sheet.
class QrHugeRadius : public OdDbDimension {
  ODDB_DECLARE_MEMBERS(QrHugeRadius)
  ODDB_DIM_POINT(center, setCenter)
  ODDB_DIM_POINT(chordPoint, setChordPoint)
  ODDB_DIM_POINT(overrideCenter, setOverrideCenter)
  ODDB_DIM_POINT(jogPoint, setJogPoint)
public:
  double jogAngle() const { return m_jogAngle; }
  void setJogAngle(double radians);
  double getMeasurement() const override;

private:
  double m_jogAngle = 0.7853981633974483;
};
using QrHugeRadiusPtr = OdSmartPtr<QrHugeRadius>;
