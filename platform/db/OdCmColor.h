#pragma once
// Colours as CAD drawings store them: by layer, by block, an index of the
// 256-colour palette, a true RGB colour, the foreground colour or none.
#include "OdDbTypes.h"
#include "OdString.h"

class OdCmColor {
public:
  enum ColorMethod : OdUInt8 {
    kByLayer = 0xC0,
    kByBlock = 0xC1,
    kByColor = 0xC2,   // true colour
    kByACI = 0xC3,     // palette index 1..255
    kForeground = 0xC5,
    kNone = 0xC8,
  };

  OdCmColor() = default;  // by layer, as every new entity
  explicit OdCmColor(ColorMethod method);
  static OdCmColor fromIndex(OdInt16 index);
  static OdCmColor fromRGB(OdUInt8 r, OdUInt8 g, OdUInt8 b);

  ColorMethod colorMethod() const { return static_cast<ColorMethod>(m_value >> 24); }
  bool isByLayer() const { return colorMethod() == kByLayer; }
  bool isByBlock() const { return colorMethod() == kByBlock; }
  bool isByACI() const { return colorMethod() == kByACI; }
  bool isByColor() const { return colorMethod() == kByColor; }
  bool isForeground() const { return colorMethod() == kForeground; }
  bool isNone() const { return colorMethod() == kNone; }

  void setColorMethod(ColorMethod method);
  // Index colours 0 (by block), 256 (by layer), 257 (none) and 1..255 as the
  // DXF group codes 62 carry them.
  void setColorIndex(OdInt16 index);
  OdInt16 colorIndex() const;
  void setRGB(OdUInt8 r, OdUInt8 g, OdUInt8 b);
  // Components of the displayed colour: for index colours the palette entry.
  OdUInt8 red() const;
  OdUInt8 green() const;
  OdUInt8 blue() const;
  // The 24-bit value as DXF group 420 stores it (0xRRGGBB).
  OdUInt32 rgb24() const;

  // "BYLAYER", "BYBLOCK", "Foreground", "None", "red".."white" for the
  // first seven index colours, "Color N" for other indexes, "R,G,B" for
  // true colours.
  OdString colorNameForDisplay() const;
  // The English name of index colours 1..7 ("red" .. "white"); null for others.
  static const char* primaryColorName(int index);

  OdUInt32 packed() const { return m_value; }
  bool operator==(const OdCmColor& o) const { return m_value == o.m_value; }
  bool operator!=(const OdCmColor& o) const { return m_value != o.m_value; }

  // The RGB of a palette index (1..255), as CAD palettes define them.
  static void paletteRGB(int index, OdUInt8& r, OdUInt8& g, OdUInt8& b);
  // Nearest palette index (1..255) of an RGB value.
  static OdInt16 nearestIndex(OdUInt8 r, OdUInt8 g, OdUInt8 b);

private:
  OdUInt32 m_value = OdUInt32(kByLayer) << 24;
};
