#pragma once
// Entities: drawable objects owned by a block, with layer, colour,
// linetype and lineweight.
#include "OdCmColor.h"
#include "OdDbHatchShape.h"
#include "OdDbForeignShapes.h"
#include "OdDbObject.h"

class OdDbEntity : public OdDbObject {
  ODDB_DECLARE_ABSTRACT(OdDbEntity)
public:
  // For an entity of a kind this database does not model (kept as a file
  // read it): that kind as the file named it ("HATCH"); empty otherwise.
  virtual OdString foreignType() const { return OdString(); }
  // For a viewport: what it shows; null for other entities.
  virtual OdDbViewportViewPtr viewportView() const { return {}; }
  // For a hatch, a wipeout or an image: its region and fill; null for
  // other entities.
  virtual OdDbHatchShapePtr hatchShape() const { return {}; }
  // For an old-form polyline: its vertices and faces; null for other entities.
  virtual OdDbOldPolylinePtr oldPolyline() const { return {}; }
  // For a multileader: its lines and content; null for other entities.
  virtual OdDbMultiLeaderShapePtr multiLeader() const { return {}; }
  // For an attribute definition: its text and tag; null for other entities.
  virtual OdDbAttributeTextPtr attributeDefinition() const { return {}; }

  OdDbObjectId layerId() const { return m_layer; }
  OdString layer() const;
  void setLayer(OdDbObjectId layer);
  void setLayer(const OdString& name);  // the layer must exist

  OdCmColor color() const { return m_color; }
  void setColor(const OdCmColor& color);
  OdInt16 colorIndex() const { return m_color.colorIndex(); }
  void setColorIndex(OdInt16 index);

  OdDbObjectId linetypeId() const { return m_linetype; }
  OdString linetype() const;
  void setLinetype(OdDbObjectId linetype);
  void setLinetype(const OdString& name);
  double linetypeScale() const { return m_linetypeScale; }
  void setLinetypeScale(double scale);

  OdDb::LineWeight lineWeight() const { return m_lineWeight; }
  void setLineWeight(OdDb::LineWeight lw);

  bool visibility() const { return m_visible; }
  void setVisibility(bool visible);

  // Layer "0" (or the current layer), linetype and colour by layer.
  void setDatabaseDefaults(OdDbDatabase* db);

  void forEachHardRef(OdDbRefVisitor& visitor) const override;
  void subAddedToDatabase() override;

protected:
  OdDbEntity() = default;

private:
  OdDbObjectId m_layer, m_linetype;
  double m_linetypeScale = 1.0;
  OdCmColor m_color;
  OdDb::LineWeight m_lineWeight = OdDb::kLnWtByLayer;
  bool m_visible = true;
};
using OdDbEntityPtr = OdSmartPtr<OdDbEntity>;
