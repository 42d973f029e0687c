#pragma once
// Linetypes: a dash pattern. "ByLayer", "ByBlock" and "Continuous" always
// exist.
#include "OdDbSymbolTable.h"

class OdDbLinetypeTableRecord : public OdDbSymbolTableRecord {
  ODDB_DECLARE_MEMBERS(OdDbLinetypeTableRecord)
public:
  const OdString& comments() const { return m_comments; }
  void setComments(const OdString& text);
  // Dash lengths: positive a dash, negative a gap, zero a dot.
  const std::vector<double>& dashes() const { return m_dashes; }
  void setDashes(const std::vector<double>& dashes);
  double patternLength() const;
  int numDashes() const { return int(m_dashes.size()); }

private:
  OdString m_comments;
  std::vector<double> m_dashes;
};
using OdDbLinetypeTableRecordPtr = OdSmartPtr<OdDbLinetypeTableRecord>;
ODDB_DECLARE_TABLE(OdDbLinetypeTable, OdDbLinetypeTableRecord)
