#pragma once
// Named records of the symbol tables (styles, layers, linetypes, blocks...).
#include "OdDbObject.h"

class OdDbSymbolTableRecord : public OdDbObject {
  ODDB_DECLARE_ABSTRACT(OdDbSymbolTableRecord)
public:
  const OdString& getName() const { return m_name; }
  // Checks the name against the symbol name rules and, for a resident
  // record, against the other names of its table (without regard to case).
  void setName(const OdString& name);
  // For file readers: takes the name as stored, without checks, so that a
  // drawing keeps every record it had.
  void setNameAsStored(const OdString& name);

  // Records of an external reference ("XREF|NAME") carry this flag.
  bool isDependent() const { return (m_flags & kDependent) != 0; }
  void setDependent(bool dependent);
  bool isResolved() const { return (m_flags & kResolved) != 0; }

  // The standard flag bits (DXF group 70) as stored.
  OdInt16 storedFlags() const { return m_flags; }
  void setStoredFlags(OdInt16 flags);

  static constexpr OdInt16 kDependent = 16;
  static constexpr OdInt16 kResolved = 32;

  // Refuses a name this kind of record may not carry (OdError).
  virtual void checkName(const OdString& name) const;

protected:
  OdDbSymbolTableRecord() = default;

private:
  OdString m_name;
  OdInt16 m_flags = 0;
};
using OdDbSymbolTableRecordPtr = OdSmartPtr<OdDbSymbolTableRecord>;
