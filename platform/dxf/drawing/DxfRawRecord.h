#pragma once
// Records of a DXF file that the database does not model (viewports,
// hatches, layouts, classes of other applications...). They are database
// objects all the same, so that owners, block contents and handles stay
// right; their content is the file's record, written back as it was.
//
// They report the records they depend on as hard references: a purge must
// never remove a layer, text style or block that an unmodelled record still
// uses, by handle (hard pointers and hard owners) or by name (the layer of an
// entity, the dimension style of a tolerance).
#include <cstdint>
#include <string>
#include <vector>

#include "OdDbEntity.h"

struct DxfRawRef {
  std::uint32_t tag = 0;  // ordinal of the tag in the record (name references)
  std::int32_t code = 0;  // group code; name references carry a name, the others a handle
  OdDbObjectId id;
};

// Whether a raw reference names its target (and must follow a rename).
inline bool dxfIsNameRef(int code) { return code < 300; }

class DxfRawObject : public OdDbObject {
  ODDB_DECLARE_MEMBERS(DxfRawObject)
public:
  OdDbLayoutSheetPtr layoutSheet() const override { return m_sheet; }
  void setLayoutSheet(OdDbLayoutSheetPtr sheet) { m_sheet = std::move(sheet); }
  // For an IMAGEDEF record: the picture's file as named (group 1), which
  // the images that use the definition take into their description.
  const std::string& imageFile() const { return m_imageFile; }
  void setImageFile(std::string name) { m_imageFile = std::move(name); }
  const std::vector<DxfRawRef>& rawRefs() const { return m_refs; }
  void setRawRefs(std::vector<DxfRawRef> refs) { m_refs = std::move(refs); }
  void forEachHardRef(OdDbRefVisitor& visitor) const override;

private:
  std::vector<DxfRawRef> m_refs;
  OdDbLayoutSheetPtr m_sheet;  // for a LAYOUT record
  std::string m_imageFile;     // for an IMAGEDEF record
};

// An entity of a kind the database does not model. It has no layer or
// linetype fields of its own: the record's names are its references.
class DxfRawEntity : public OdDbEntity {
  ODDB_DECLARE_MEMBERS(DxfRawEntity)
public:
  const std::vector<DxfRawRef>& rawRefs() const { return m_refs; }
  void setRawRefs(std::vector<DxfRawRef> refs) { m_refs = std::move(refs); }
  void forEachHardRef(OdDbRefVisitor& visitor) const override;
  void subAddedToDatabase() override {}
  OdString foreignType() const override { return m_type; }
  void setForeignType(std::string_view type) { m_type = std::string(type); }
  OdDbViewportViewPtr viewportView() const override { return m_view; }
  void setViewportView(OdDbViewportViewPtr view) { m_view = std::move(view); }
  OdDbHatchShapePtr hatchShape() const override { return m_hatch; }
  void setHatchShape(OdDbHatchShapePtr shape) { m_hatch = std::move(shape); }
  OdDbOldPolylinePtr oldPolyline() const override { return m_polyline; }
  void setOldPolyline(OdDbOldPolylinePtr polyline) { m_polyline = std::move(polyline); }
  OdDbMultiLeaderShapePtr multiLeader() const override { return m_leader; }
  void setMultiLeader(OdDbMultiLeaderShapePtr leader) { m_leader = std::move(leader); }
  OdDbAttributeTextPtr attributeDefinition() const override { return m_definition; }
  void setAttributeDefinition(OdDbAttributeTextPtr definition) { m_definition = std::move(definition); }

private:
  std::vector<DxfRawRef> m_refs;
  OdString m_type;
  OdDbViewportViewPtr m_view;  // for a VIEWPORT record
  OdDbHatchShapePtr m_hatch;   // for a HATCH, WIPEOUT or IMAGE record
  OdDbOldPolylinePtr m_polyline;  // for a POLYLINE record
  OdDbMultiLeaderShapePtr m_leader;  // for a MULTILEADER record
  OdDbAttributeTextPtr m_definition;  // for an ATTDEF record
};

// The raw references of an object, null for modelled ones.
const std::vector<DxfRawRef>* dxfRawRefs(const OdDbObject* object);
