#pragma once
// Layers: colour, linetype, lineweight and the on/frozen/locked states.
#include "OdCmColor.h"
#include "OdDbSymbolTable.h"

class OdDbLayerTableRecord : public OdDbSymbolTableRecord {
  ODDB_DECLARE_MEMBERS(OdDbLayerTableRecord)
public:
  OdDbLayerTableRecord();
  OdCmColor color() const { return m_color; }
  void setColor(const OdCmColor& color);
  OdDbObjectId linetypeObjectId() const { return m_linetype; }
  void setLinetypeObjectId(OdDbObjectId id);
  OdDb::LineWeight lineWeight() const { return m_lineWeight; }
  void setLineWeight(OdDb::LineWeight lw);
  bool isOff() const { return m_off; }
  void setIsOff(bool off);
  bool isFrozen() const { return (storedFlags() & 1) != 0; }
  void setIsFrozen(bool frozen);
  bool isLocked() const { return (storedFlags() & 4) != 0; }
  void setIsLocked(bool locked);
  bool isPlottable() const { return m_plottable; }
  void setIsPlottable(bool plottable);

  void forEachHardRef(OdDbRefVisitor& visitor) const override;

private:
  OdCmColor m_color;
  OdDbObjectId m_linetype;
  OdDb::LineWeight m_lineWeight = OdDb::kLnWtByLwDefault;
  bool m_off = false, m_plottable = true;
};
using OdDbLayerTableRecordPtr = OdSmartPtr<OdDbLayerTableRecord>;
ODDB_DECLARE_TABLE(OdDbLayerTable, OdDbLayerTableRecord)
