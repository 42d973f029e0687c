#pragma once
// Text styles: the font and the fixed height that dimension text uses.
#include "OdDbSymbolTable.h"

class OdDbTextStyleTableRecord : public OdDbSymbolTableRecord {
  ODDB_DECLARE_MEMBERS(OdDbTextStyleTableRecord)
public:
  // Fixed text height; 0 means the height is given where the style is used.
  double textSize() const { return m_textSize; }
  void setTextSize(double size);
  double xScale() const { return m_xScale; }
  void setXScale(double widthFactor);
  double obliquingAngle() const { return m_oblique; }
  void setObliquingAngle(double radians);
  double priorSize() const { return m_priorSize; }
  void setPriorSize(double size);
  // Shape files hold symbols, not text; text styles never use them.
  bool isShapeFile() const { return (storedFlags() & 1) != 0; }
  void setIsShapeFile(bool shape);
  bool isVertical() const { return (storedFlags() & 4) != 0; }

  const OdString& fileName() const { return m_fileName; }
  void setFileName(const OdString& file);
  const OdString& bigFontFileName() const { return m_bigFont; }
  void setBigFontFileName(const OdString& file);

  // A TrueType font by its typeface, as opposed to a font file.
  void setFont(const OdString& typeface, bool bold, bool italic, int charset, int pitchAndFamily);
  void font(OdString& typeface, bool& bold, bool& italic, int& charset, int& pitchAndFamily) const;

private:
  double m_textSize = 0.0, m_xScale = 1.0, m_oblique = 0.0, m_priorSize = 0.2;
  OdString m_fileName = "txt", m_bigFont, m_typeface;
  bool m_bold = false, m_italic = false;
  int m_charset = 0, m_pitch = 0;
};
using OdDbTextStyleTableRecordPtr = OdSmartPtr<OdDbTextStyleTableRecord>;
ODDB_DECLARE_TABLE(OdDbTextStyleTable, OdDbTextStyleTableRecord)
